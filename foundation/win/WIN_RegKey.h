// A registry key, opened one level of a backslash-separated path at a time
// through an opening strategy: read-only, or open-or-create. Copies share the
// open key. Every failed registry call throws win::RegError_t naming the key.
#pragma once

#include "foundation/glo/GLO_SmartPtr.h"
#include "foundation/win/WIN_RegKeyHandle.h"

#include <windows.h>

#include <string>

namespace win {

class RegKey_t {
public:
    // How one level below a parent key is opened.
    class KeyInitializer_t {
    public:
        virtual HKEY Open(HKEY parent, const std::string& name) const = 0;

    protected:
        ~KeyInitializer_t() = default;
    };

    // Opens an existing subkey for reading.
    class KeyReader_t : public KeyInitializer_t {
    public:
        HKEY Open(HKEY parent, const std::string& name) const override;
    };

    // Opens a subkey for reading and writing, creating it when missing.
    class KeyCreator_t : public KeyInitializer_t {
    public:
        HKEY Open(HKEY parent, const std::string& name) const override;
    };

    // Wraps a predefined root key such as HKEY_CURRENT_USER.
    RegKey_t(HKEY root, const std::string& name);
    // Opens path below parent; the key is named by the path's last part.
    RegKey_t(const RegKey_t& parent, const std::string& path, const KeyInitializer_t& strategy);
    // Open the index-th subkey of parent, in the system's enumeration order.
    RegKey_t(const RegKey_t& parent, unsigned index, const KeyCreator_t& strategy);
    RegKey_t(const RegKey_t& parent, unsigned index, const KeyReader_t& strategy);

    const std::string& GetName() const { return name; }
    HKEY GetHKey() const { return handle->Get(); }

    unsigned GetSubKeyCount() const;
    unsigned GetValueCount() const;
    std::string GetValueName(unsigned index) const;
    bool HasValue(const std::string& valueName) const;

private:
    RegKey_t() = default;

    void Open(const RegKey_t& parent, const std::string& path, const KeyInitializer_t& strategy);
    void OpenIndexed(const RegKey_t& parent, unsigned index, const KeyInitializer_t& strategy,
                     int rangeLine, int infoLine, int enumLine);

    glo::SmartPtr_t<RegKeyHandle_t> handle;
    std::string name;
};

} // namespace win
