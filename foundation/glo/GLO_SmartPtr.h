// Owning pointer to a glo::RefCounter_t object: the last pointer deletes it.
#pragma once

namespace glo {

template <class T>
class SmartPtr_t {
public:
    SmartPtr_t(T* target = nullptr) : target(target) { Take(); }
    SmartPtr_t(const SmartPtr_t& other) : target(other.target) { Take(); }

    virtual ~SmartPtr_t() { Drop(target); }

    SmartPtr_t& operator=(const SmartPtr_t& other)
    {
        if (target != other.target) {
            T* old = target;
            target = other.target;
            Take();
            Drop(old);
        }
        return *this;
    }

    T* Get() const { return target; }
    T* operator->() const { return target; }
    T& operator*() const { return *target; }

private:
    void Take()
    {
        if (target)
            target->AddRef();
    }

    static void Drop(T* old)
    {
        if (old && old->Release())
            delete old;
    }

    T* target;
};

} // namespace glo
