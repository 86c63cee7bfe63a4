// A read-only registry value, read once when it is built. A missing value
// leaves it empty; a value of the wrong type or size throws win::RegError_t.
#pragma once

#include "foundation/glo/GLO_Optional.h"
#include "foundation/win/WIN_RegKey.h"

#include <string>

namespace win {

// Reads a value of exactly the expected type and size into buffer.
void ReadRegValue(const RegKey_t& key, const std::string& valueName, DWORD expectedType,
                  void* buffer, DWORD expectedSize);

template <class T>
class ConstRegValue_t {
public:
    ConstRegValue_t(const RegKey_t& key, const std::string& valueName) : key(key), name(valueName)
    {
        if (key.HasValue(name)) {
            T stored;
            ReadStored(stored);
            value.Set(stored);
        }
    }
    virtual ~ConstRegValue_t() = default;

    bool HasValue() const { return value.HasValue(); }
    // The value; glo::Assert_t when the registry had none.
    const T& GetValue() const { return value.Get(); }
    const glo::Optional_t<T>& GetOptional() const { return value; }

    void Read(const std::string& valueName, DWORD expectedType, void* buffer, DWORD expectedSize) const
    {
        ReadRegValue(key, valueName, expectedType, buffer, expectedSize);
    }
    void ReadBinary(const std::string& valueName, void* buffer) const
    {
        Read(valueName, REG_BINARY, buffer, 1);
    }

private:
    // A flag is stored as one binary byte.
    void ReadStored(bool& flag) const
    {
        unsigned char byte = 0;
        ReadBinary(name, &byte);
        flag = byte != 0;
    }

    RegKey_t key;
    std::string name;
    glo::Optional_t<T> value;
};

} // namespace win
