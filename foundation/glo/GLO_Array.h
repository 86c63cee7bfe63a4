// A fixed-size array on the heap whose elements start as zero.
#pragma once

#include "foundation/glo/GLO_NonCopyable.h"

#include <cstddef>
#include <memory>

namespace glo {

// Hands out the storage of an underlying standard allocator.
template <class T, class Base = std::allocator<T>>
class Allocator_t {
public:
    T* Allocate(std::size_t count) { return std::allocator_traits<Base>::allocate(base, count); }
    void Deallocate(T* elements, std::size_t count)
    {
        std::allocator_traits<Base>::deallocate(base, elements, count);
    }

private:
    Base base;
};

template <class T, class Allocator = Allocator_t<T, std::allocator<T>>>
class Array_t : private NonCopyable_t {
public:
    // No storage at all for a count of 0.
    explicit Array_t(std::size_t count) : count(count), elements(count ? allocator.Allocate(count) : nullptr)
    {
        for (std::size_t i = 0; i < count; ++i)
            elements[i] = T();
    }
    virtual ~Array_t()
    {
        if (elements)
            allocator.Deallocate(elements, count);
    }

    std::size_t GetCount() const { return count; }
    T* Get() { return elements; }
    const T* Get() const { return elements; }
    T& operator[](std::size_t index) { return elements[index]; }
    const T& operator[](std::size_t index) const { return elements[index]; }

private:
    Allocator allocator;
    std::size_t count;
    T* elements;
};

} // namespace glo
