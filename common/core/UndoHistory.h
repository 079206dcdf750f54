// The history of undo and redo snapshots that the programs keep of their
// models: a list of records, oldest first, with a current record. Records
// older than the current one can be undone to, newer ones redone. Saving a
// record after an undo discards the records that could have been redone, and
// the list keeps at most a given number of records, dropping the oldest.
// What a record holds (the model copy, the kind of the edit) is the
// program's own.
#pragma once
#include <cstddef>
#include <iterator>
#include <list>

namespace common {

template <typename Record> class UndoHistory {
  public:
    // limit: most records kept, the current one included (at least 1).
    explicit UndoHistory(std::size_t limit) : m_limit(limit < 1 ? 1 : limit) {}
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Appends the record after the current one and makes it current; the
    // redo records go and the oldest records beyond the limit are dropped.
    // When the record's node cannot be allocated, std::bad_alloc leaves the
    // history as it was.
    void Push(Record record)
    {
        std::list<Record> fresh;
        fresh.push_back(std::move(record));
        DropRedo();
        m_records.splice(m_records.end(), fresh);
        m_current = std::prev(m_records.end());
        while (m_records.size() > m_limit)
            m_records.pop_front();
    }

    bool CanUndo() const { return !Empty() && m_current != m_records.begin(); }
    bool CanRedo() const { return !Empty() && std::next(m_current) != m_records.end(); }

    // Make the older (newer) record current; false when there is none.
    bool StepBack()
    {
        if (!CanUndo())
            return false;
        --m_current;
        return true;
    }
    bool StepForward()
    {
        if (!CanRedo())
            return false;
        ++m_current;
        return true;
    }

    // The current record; nullptr while the history is empty.
    const Record* Current() const { return Empty() ? nullptr : &*m_current; }
    Record* Current() { return Empty() ? nullptr : &*m_current; }

    // Frees every record newer than the current one.
    void DropRedo()
    {
        if (!Empty())
            m_records.erase(std::next(m_current), m_records.end());
    }
    // Frees every record.
    void Clear()
    {
        m_records.clear();
        m_current = m_records.end();
    }

    std::size_t Count() const { return m_records.size(); }
    // The record at a position (0 = oldest); nullptr beyond the newest.
    const Record* At(std::size_t index) const
    {
        if (index >= m_records.size())
            return nullptr;
        return &*std::next(m_records.begin(), static_cast<std::ptrdiff_t>(index));
    }
    std::size_t Limit() const { return m_limit; }
    // Position of the current record (0 = oldest); -1 while empty.
    long long CurrentIndex() const
    {
        return Empty() ? -1 : static_cast<long long>(std::distance(m_records.begin(), ConstCurrent()));
    }

  private:
    bool Empty() const { return m_records.empty(); }
    typename std::list<Record>::const_iterator ConstCurrent() const { return m_current; }

    std::size_t m_limit;
    std::list<Record> m_records;
    typename std::list<Record>::iterator m_current = m_records.end();
};

} // namespace common
