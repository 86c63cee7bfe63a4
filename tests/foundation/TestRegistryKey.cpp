// The test's own registry key.
#include "tests/foundation/TestRegistryKey.h"

#include <stdexcept>

TestRegistryKey_t::TestRegistryKey_t()
    : path("Software\\KivFoundationTest" + std::to_string(::GetCurrentProcessId()))
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the test key");
}

TestRegistryKey_t::~TestRegistryKey_t()
{
    ::RegCloseKey(key);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

std::string TestRegistryKey_t::GetName() const
{
    return path.substr(path.find('\\') + 1);
}

bool TestRegistryKey_t::Exists(const std::string& subPath) const
{
    HKEY sub = nullptr;
    if (::RegOpenKeyExA(key, subPath.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(sub);
    return true;
}

void TestRegistryKey_t::SetValue(const std::string& name, DWORD type, const void* data, DWORD size) const
{
    if (::RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set a test value");
}

void TestRegistryKey_t::CreateSubKey(const std::string& subPath) const
{
    HKEY sub = nullptr;
    if (::RegCreateKeyExA(key, subPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub,
                          nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a test subkey");
    ::RegCloseKey(sub);
}
