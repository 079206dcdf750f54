// The test executable's operator new and delete, over malloc and free, with
// the switch of FailAllocations.
#include "FailingAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// 0: no failures.
std::atomic<std::size_t> g_failFrom{0};

void* Allocate(std::size_t size)
{
    const std::size_t from = g_failFrom.load(std::memory_order_relaxed);
    if (from != 0 && size >= from)
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
} // namespace

namespace novelk::test {
FailAllocations::FailAllocations(std::size_t fromBytes)
{
    g_failFrom = fromBytes;
}
FailAllocations::~FailAllocations()
{
    g_failFrom = 0;
}
} // namespace novelk::test

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
// The no-throw forms (std::stable_sort's buffer) must come from the same
// heap as the deletes above.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
