// A value that may be missing, held as a heap copy.
#pragma once

#include "foundation/glo/GLO_Exception.h"

namespace glo {

template <class T>
class Optional_t {
public:
    Optional_t() = default;
    explicit Optional_t(const T& value) : value(new T(value)) {}
    Optional_t(const Optional_t& other) : value(other.value ? new T(*other.value) : nullptr) {}
    ~Optional_t() { delete value; }

    Optional_t& operator=(const Optional_t& other)
    {
        if (this != &other) {
            if (other.value)
                Set(*other.value);
            else
                Reset();
        }
        return *this;
    }

    void Set(const T& newValue)
    {
        if (value)
            *value = newValue;
        else
            value = new T(newValue);
    }

    void Reset()
    {
        delete value;
        value = nullptr;
    }

    bool HasValue() const { return value != nullptr; }

    // The value; glo::Assert_t when there is none.
    const T& Get() const
    {
        if (!value)
            throw Assert_t("GLO_Optional", 102);
        return *value;
    }

private:
    T* value = nullptr;
};

} // namespace glo
