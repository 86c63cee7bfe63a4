// Running out of memory on purpose: while a limit lives, the program's
// operator new grants only the given number of further allocations and then
// throws std::bad_alloc.
#pragma once

#include <cstddef>

class AllocationLimit_t {
public:
    explicit AllocationLimit_t(std::size_t allowed);
    ~AllocationLimit_t();
    AllocationLimit_t(const AllocationLimit_t&) = delete;
    AllocationLimit_t& operator=(const AllocationLimit_t&) = delete;
};
