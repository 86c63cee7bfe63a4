// Reading a registry value of a fixed type and size.
#include "foundation/win/WIN_ConstRegValue.h"

#include "foundation/win/WIN_Exception.h"

namespace win {

void ReadRegValue(const RegKey_t& key, const std::string& valueName, DWORD expectedType,
                  void* buffer, DWORD expectedSize)
{
    DWORD type = 0;
    DWORD size = expectedSize;
    const LONG result = ::RegQueryValueExA(key.GetHKey(), valueName.c_str(), nullptr, &type,
                                           static_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS || type != expectedType || size != expectedSize)
        throw RegError_t("WIN_RegKey", 569, valueName, result);
}

} // namespace win
