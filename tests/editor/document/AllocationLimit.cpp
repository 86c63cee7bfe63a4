// The program's operator new, with a limit that tests can set.
#include "tests/editor/document/AllocationLimit.h"

#include <cstdlib>
#include <new>

namespace {

bool limited = false;
std::size_t remaining = 0;

} // namespace

AllocationLimit_t::AllocationLimit_t(std::size_t allowed)
{
    remaining = allowed;
    limited = true;
}

AllocationLimit_t::~AllocationLimit_t()
{
    limited = false;
}

void* operator new(std::size_t size)
{
    if (limited) {
        if (remaining == 0)
            throw std::bad_alloc();
        --remaining;
    }
    if (void* memory = std::malloc(size ? size : 1))
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
