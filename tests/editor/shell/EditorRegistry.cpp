// The registry as the editor program meets it, arranged for a test.
#include "tests/editor/shell/EditorRegistry.h"

namespace {

const char settingsPath[] = "Software\\Quorel\\Pellorin\\Settings";

bool Exists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void Create(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        ::RegCloseKey(key);
}

} // namespace

EditorRegistry_t::EditorRegistry_t()
{
    Remember(HKEY_LOCAL_MACHINE, "Software\\Quorel");
    Remember(HKEY_LOCAL_MACHINE, "Software\\Quorel\\Pellorin");
    Remember(HKEY_LOCAL_MACHINE, settingsPath);
    settingsExisted = keys.back().existed;
    Remember(HKEY_CURRENT_USER, "Software\\Quorel");
    Remember(HKEY_CURRENT_USER, "Software\\Quorel\\Pellorin");
    Remember(HKEY_CLASSES_ROOT, ".kiv");
    Remember(HKEY_CLASSES_ROOT, "KivDocument");

    Create(HKEY_LOCAL_MACHINE, settingsPath);
    HKEY settings = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, settingsPath, 0, KEY_ALL_ACCESS, &settings) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        char name[256] = {};
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (::RegEnumValueA(settings, index, name, &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        Value_t value = {name, type, std::string(size, '\0')};
        ::RegQueryValueExA(settings, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value.data[0]), &size);
        settingsValues.push_back(value);
    }
    ::RegDeleteValueA(settings, "OEM");
    ::RegCloseKey(settings);
}

EditorRegistry_t::~EditorRegistry_t()
{
    HKEY settings = nullptr;
    if (settingsExisted)
        Create(HKEY_LOCAL_MACHINE, settingsPath);
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, settingsPath, 0, KEY_ALL_ACCESS, &settings) == ERROR_SUCCESS) {
        ::RegDeleteValueA(settings, "OEM");
        for (const Value_t& value : settingsValues)
            ::RegSetValueExA(settings, value.name.c_str(), 0, value.type,
                             reinterpret_cast<const BYTE*>(value.data.data()), static_cast<DWORD>(value.data.size()));
        ::RegCloseKey(settings);
    }
    // Deepest keys first; a key that holds what others put there stays.
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        if (key->existed)
            continue;
        if (key->root == HKEY_LOCAL_MACHINE)
            ::RegDeleteKeyA(key->root, key->path.c_str());
        else
            ::RegDeleteTreeA(key->root, key->path.c_str());
    }
}

void EditorRegistry_t::Remember(HKEY root, const std::string& path)
{
    keys.push_back({root, path, Exists(root, path)});
}

void EditorRegistry_t::SetOem(DWORD type, const std::string& bytes) const
{
    HKEY settings = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, settingsPath, 0, KEY_ALL_ACCESS, &settings) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(settings, "OEM", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(settings);
}

bool EditorRegistry_t::RemoveSettingsKey() const
{
    return ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, settingsPath) == ERROR_SUCCESS;
}
