// The registry as the editor program meets it, arranged in the test prefix for
// one test and put back as it was at the end: the machine's key Settings below
// HKEY_LOCAL_MACHINE "Software\Quorel\Pellorin" (made when missing, without an
// "OEM" value), and the user's profile and the shell's file types, which the
// program writes (removed again when the test made them).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class EditorRegistry_t {
public:
    EditorRegistry_t();
    ~EditorRegistry_t();
    EditorRegistry_t(const EditorRegistry_t&) = delete;
    EditorRegistry_t& operator=(const EditorRegistry_t&) = delete;

    void SetOem(DWORD type, const std::string& bytes) const;
    // False when the key could not be removed (it has subkeys).
    bool RemoveSettingsKey() const;

private:
    struct Key_t {
        HKEY root;
        std::string path;
        bool existed;
    };
    struct Value_t {
        std::string name;
        DWORD type;
        std::string data;
    };
    void Remember(HKEY root, const std::string& path);

    std::vector<Key_t> keys;
    bool settingsExisted = false;
    std::vector<Value_t> settingsValues;   // what the key Settings held before
};
