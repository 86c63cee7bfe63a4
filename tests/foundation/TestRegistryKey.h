// A registry key of the test's own under HKEY_CURRENT_USER "Software",
// unique to the test process, created on construction and deleted with all
// its content at the end.
#pragma once

#include <windows.h>

#include <string>

class TestRegistryKey_t {
public:
    TestRegistryKey_t();
    ~TestRegistryKey_t();
    TestRegistryKey_t(const TestRegistryKey_t&) = delete;
    TestRegistryKey_t& operator=(const TestRegistryKey_t&) = delete;

    // Path below HKEY_CURRENT_USER, and the key's own name.
    const std::string& GetPath() const { return path; }
    std::string GetName() const;
    HKEY Get() const { return key; }

    // Raw helpers for arranging a test.
    bool Exists(const std::string& subPath) const;
    void SetValue(const std::string& name, DWORD type, const void* data, DWORD size) const;
    void CreateSubKey(const std::string& subPath) const;

private:
    std::string path;
    HKEY key = nullptr;
};
