#pragma once
// Allocation failures on demand, for the paths that run out of memory in the client (a huge
// selection in the x86 client's 2 GB): this test program's operator new fails every request of
// at least a given size while a FailingAllocations object lives.

#include <cstddef>

namespace tessel::test
{

class FailingAllocations
{
  public:
    explicit FailingAllocations(std::size_t fromSize);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

    // How many requests failed so far.
    static std::size_t Failed();
};

} // namespace tessel::test
