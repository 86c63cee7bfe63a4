// IMG_CountedPtr: the library's shared handle, an object pointer and a use count
// in one shared block; the last handle to let go releases the object.
#pragma once

#include <new>

// Deletes an object: through its virtual destructor where the class has one,
// else through its plain destructor (the file object).
template <class T>
struct IMG_DeleteObject
{
    void operator()(T* object) const { delete object; }
};

// Frees raw memory made with new[] (the 512-byte directory entries).
template <class T>
struct IMG_FreeMemory
{
    void operator()(T* memory) const { delete[] memory; }
};

// Use counts are plain integers: handles are not shared between threads.
template <class T, class Releaser = IMG_DeleteObject<T>>
class IMG_CountedPtr
{
public:
    IMG_CountedPtr() : shared(nullptr) {}

    // Takes over a new object (none: an empty handle).
    explicit IMG_CountedPtr(T* object) : shared(nullptr)
    {
        if (!object)
            return;
        try
        {
            shared = new Shared{object, 1};
        }
        catch (...)
        {
            Releaser()(object);
            throw;
        }
    }

    IMG_CountedPtr(const IMG_CountedPtr& other) : shared(other.shared)
    {
        if (shared)
            ++shared->count;
    }

    IMG_CountedPtr& operator=(const IMG_CountedPtr& other)
    {
        Shared* taken = other.shared;
        if (taken)
            ++taken->count;
        Release();
        shared = taken;
        return *this;
    }

    ~IMG_CountedPtr() { Release(); }

    // Lets go of the object; the handle is empty afterwards.
    void Release()
    {
        if (shared && --shared->count == 0)
        {
            Releaser()(shared->object);
            delete shared;
        }
        shared = nullptr;
    }

    T* Get() const { return shared ? shared->object : nullptr; }
    T& operator*() const { return *shared->object; }
    T* operator->() const { return shared->object; }
    explicit operator bool() const { return shared != nullptr; }
    int UseCount() const { return shared ? shared->count : 0; }

private:
    struct Shared
    {
        T* object;
        int count;
    };
    Shared* shared;
};
