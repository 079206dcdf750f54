// A hash map from 64-bit keys to 32-bit values with open addressing and
// linear probing, for the mesh builder's look-ups that run once or more per
// point or triangle: vertices by their coordinates, front edges by their two
// ends, front-edge cells by their cell. Erasing shifts the following entries
// back, so no tombstones slow later look-ups down.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dralo {

class IntHashMap {
  public:
    // The key that marks an empty slot; callers never use it.
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};

    explicit IntHashMap(std::size_t expected = 16) { Rehash(SlotsFor(expected)); }

    std::size_t Size() const { return m_size; }
    void Clear()
    {
        for (Slot& s : m_slots)
            s.key = kEmpty;
        m_size = 0;
    }

    // The value of the key, or -1.
    std::int32_t Find(std::uint64_t key) const
    {
        for (std::size_t i = Home(key);; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (s.key == key)
                return s.value;
            if (s.key == kEmpty)
                return -1;
        }
    }

    // The value slot of the key, inserted with the given value when missing.
    std::int32_t& FindOrInsert(std::uint64_t key, std::int32_t value)
    {
        if ((m_size + 1) * 2 > m_slots.size())
            Rehash(m_slots.size() * 2);
        std::size_t i = Home(key);
        for (; m_slots[i].key != kEmpty; i = (i + 1) & m_mask)
            if (m_slots[i].key == key)
                return m_slots[i].value;
        m_slots[i] = {key, value};
        ++m_size;
        return m_slots[i].value;
    }

    // Removes the key when present.
    void Erase(std::uint64_t key)
    {
        std::size_t i = Home(key);
        for (; m_slots[i].key != key; i = (i + 1) & m_mask)
            if (m_slots[i].key == kEmpty)
                return;
        // Backward shift: move every following entry of the probe run that
        // may stand in the freed slot.
        for (std::size_t j = (i + 1) & m_mask; m_slots[j].key != kEmpty; j = (j + 1) & m_mask) {
            const std::size_t home = Home(m_slots[j].key);
            if (((j - home) & m_mask) >= ((j - i) & m_mask)) {
                m_slots[i] = m_slots[j];
                i = j;
            }
        }
        m_slots[i].key = kEmpty;
        --m_size;
    }

    static std::uint64_t Pair(std::uint32_t a, std::uint32_t b) { return (std::uint64_t{a} << 32) | b; }

  private:
    struct Slot {
        std::uint64_t key;
        std::int32_t value;
    };

    static std::size_t SlotsFor(std::size_t n)
    {
        std::size_t s = 16;
        while (s < n * 2)
            s *= 2;
        return s;
    }
    std::size_t Home(std::uint64_t key) const
    {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        return static_cast<std::size_t>(key) & m_mask;
    }
    void Rehash(std::size_t slots)
    {
        std::vector<Slot> old(slots, Slot{kEmpty, 0});
        old.swap(m_slots);
        m_mask = slots - 1;
        m_size = 0;
        for (const Slot& s : old)
            if (s.key != kEmpty)
                FindOrInsert(s.key, s.value);
    }

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::size_t m_size = 0;
};

} // namespace dralo
