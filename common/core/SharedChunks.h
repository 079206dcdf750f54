// A copy of an array of fixed-size records, as an undo snapshot keeps it, in
// chunks that a copy shares with an earlier copy wherever their records are
// equal. An edit of one record of a large model then costs one new chunk
// instead of a whole new array: snapshots stay fast and small.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace common {

template <typename T, std::size_t ChunkSize = 256> class SharedChunks {
    static_assert(std::is_trivially_copyable_v<T>, "records are compared and copied as bytes");

  public:
    // Copies data[0..count), sharing every chunk that holds the same bytes
    // as the chunk at its place in `earlier` (which may be null).
    void Assign(const T* data, std::size_t count, const SharedChunks* earlier)
    {
        std::vector<std::shared_ptr<const std::vector<T>>> chunks;
        chunks.reserve((count + ChunkSize - 1) / ChunkSize);
        for (std::size_t first = 0, k = 0; first < count; first += ChunkSize, ++k) {
            const std::size_t n = std::min(ChunkSize, count - first);
            const std::shared_ptr<const std::vector<T>>* old =
                earlier && k < earlier->m_chunks.size() ? &earlier->m_chunks[k] : nullptr;
            if (old && (*old)->size() == n && std::memcmp((*old)->data(), data + first, n * sizeof(T)) == 0)
                chunks.push_back(*old);
            else
                chunks.push_back(std::make_shared<const std::vector<T>>(data + first, data + first + n));
        }
        m_chunks.swap(chunks);
        m_count = count;
    }
    std::size_t size() const { return m_count; }
    // Copies the records to out[0..size()).
    void CopyTo(T* out) const
    {
        for (const auto& chunk : m_chunks)
            out = std::copy(chunk->begin(), chunk->end(), out);
    }
    std::vector<T> ToVector() const
    {
        std::vector<T> v(m_count);
        CopyTo(v.data());
        return v;
    }
    // Chunks held together with another copy (for tests of the sharing).
    std::size_t SharedWith(const SharedChunks& other) const
    {
        std::size_t shared = 0;
        for (std::size_t k = 0; k < m_chunks.size() && k < other.m_chunks.size(); ++k)
            shared += m_chunks[k] == other.m_chunks[k];
        return shared;
    }

  private:
    std::vector<std::shared_ptr<const std::vector<T>>> m_chunks;
    std::size_t m_count = 0;
};

} // namespace common
