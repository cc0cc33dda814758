#include "tests/addin/failing_allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace tessel::test
{
namespace
{

constexpr std::size_t kNeverFails = static_cast<std::size_t>(-1);
std::atomic<std::size_t> g_failFrom{kNeverFails};
std::atomic<std::size_t> g_failed{0};

} // namespace

FailingAllocations::FailingAllocations(std::size_t fromSize)
{
    g_failFrom = fromSize;
}

FailingAllocations::~FailingAllocations()
{
    g_failFrom = kNeverFails;
}

std::size_t FailingAllocations::Failed()
{
    return g_failed;
}

} // namespace tessel::test

// The program's own allocation functions; the library's array and no-throw forms come here.
void* operator new(std::size_t size)
{
    if (size >= tessel::test::g_failFrom)
    {
        ++tessel::test::g_failed;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
