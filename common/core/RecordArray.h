// An array of fixed-size records with a count and a capacity, as the
// programs' model stores keep their block and boundary-condition lists.
#pragma once
#include <cstddef>
#include <new>
#include <vector>

namespace common {

// An array of records with a count (records in use) and a capacity (records
// allocated); Size is the width of both, as the files and tables rely on it.
template <typename T, typename Size> struct RecordArray {
    std::vector<T> data;
    Size count = 0;
    Size capacity = 0;

    // Grows to n records, keeping the old ones; never shrinks, never changes
    // the count; a failed allocation leaves the array as it was.
    bool Grow(std::size_t n)
    {
        if (n <= static_cast<std::size_t>(capacity))
            return true;
        try {
            data.resize(n);
        } catch (const std::bad_alloc&) {
            return false;
        }
        capacity = static_cast<Size>(n);
        return true;
    }
    void Free()
    {
        std::vector<T>().swap(data);
        count = 0;
        capacity = 0;
    }
    T& operator[](std::size_t i) { return data[i]; }
    const T& operator[](std::size_t i) const { return data[i]; }
};

} // namespace common
