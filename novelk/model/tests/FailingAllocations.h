// While a FailAllocations object lives, every allocation through operator new
// of at least the given size throws std::bad_alloc: the tests' way to meet
// the paths taken when memory runs out.
#pragma once
#include <cstddef>

namespace novelk::test {

class FailAllocations {
  public:
    explicit FailAllocations(std::size_t fromBytes);
    ~FailAllocations();
    FailAllocations(const FailAllocations&) = delete;
    FailAllocations& operator=(const FailAllocations&) = delete;
};

} // namespace novelk::test
