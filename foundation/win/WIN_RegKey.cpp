// Opening registry keys level by level, counting and enumerating their content.
#include "foundation/win/WIN_RegKey.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"

#include <vector>

namespace win {

namespace {

const char thisFile[] = "WIN_RegKey";

} // namespace

HKEY RegKey_t::KeyReader_t::Open(HKEY parent, const std::string& name) const
{
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS)
        throw RegError_t(thisFile, 524, name, result);
    return key;
}

HKEY RegKey_t::KeyCreator_t::Open(HKEY parent, const std::string& name) const
{
    HKEY key = nullptr;
    const LONG result = ::RegCreateKeyExA(parent, name.c_str(), 0, const_cast<char*>(""), 0,
                                          KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr,
                                          &key, nullptr);
    if (result != ERROR_SUCCESS)
        throw RegError_t(thisFile, 469, name, result);
    return key;
}

RegKey_t::RegKey_t(HKEY root, const std::string& name)
    : handle(new RegKeyHandle_t(root)), name(name)
{
}

RegKey_t::RegKey_t(const RegKey_t& parent, const std::string& path, const KeyInitializer_t& strategy)
{
    Open(parent, path, strategy);
}

RegKey_t::RegKey_t(const RegKey_t& parent, unsigned index, const KeyCreator_t& strategy)
{
    OpenIndexed(parent, index, strategy, 68, 76, 90);
}

RegKey_t::RegKey_t(const RegKey_t& parent, unsigned index, const KeyReader_t& strategy)
{
    OpenIndexed(parent, index, strategy, 110, 118, 132);
}

// Opens the first level of path, then the rest below it: only the last level
// stays open, and an exception on the way releases every level opened so far.
void RegKey_t::Open(const RegKey_t& parent, const std::string& path, const KeyInitializer_t& strategy)
{
    const std::size_t slash = path.find('\\');
    const std::string head = path.substr(0, slash);
    const std::string tail = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    if (head.empty())
        throw glo::Assert_t(thisFile, 159);

    RegKey_t level;
    level.handle = new RegKeyHandle_t(strategy.Open(parent.GetHKey(), head));
    level.name = head;
    if (tail.empty()) {
        handle = level.handle;
        name = head;
    } else {
        Open(level, tail, strategy);
    }
}

void RegKey_t::OpenIndexed(const RegKey_t& parent, unsigned index, const KeyInitializer_t& strategy,
                           int rangeLine, int infoLine, int enumLine)
{
    if (index >= parent.GetSubKeyCount())
        throw glo::Assert_t(thisFile, rangeLine);
    DWORD longest = 0;
    LONG result = ::RegQueryInfoKeyA(parent.GetHKey(), nullptr, nullptr, nullptr, nullptr, &longest,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS)
        throw RegError_t(thisFile, infoLine, parent.name, result);
    std::vector<char> buffer(longest + 1, '\0');
    DWORD length = longest + 1;
    result = ::RegEnumKeyExA(parent.GetHKey(), index, buffer.data(), &length, nullptr, nullptr,
                             nullptr, nullptr);
    if (result != ERROR_SUCCESS)
        throw RegError_t(thisFile, enumLine, parent.name, result);
    Open(parent, buffer.data(), strategy);
}

unsigned RegKey_t::GetSubKeyCount() const
{
    DWORD count = 0;
    const LONG result = ::RegQueryInfoKeyA(GetHKey(), nullptr, nullptr, nullptr, &count, nullptr,
                                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS)
        throw RegError_t(thisFile, 117, name, result);
    return count;
}

unsigned RegKey_t::GetValueCount() const
{
    DWORD count = 0;
    const LONG result = ::RegQueryInfoKeyA(GetHKey(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, &count, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS)
        throw RegError_t(thisFile, 192, name, result);
    return count;
}

// A failed enumeration is not reported: it yields an empty name.
std::string RegKey_t::GetValueName(unsigned index) const
{
    if (index >= GetValueCount())
        throw glo::Assert_t(thisFile, 185);
    DWORD longest = 0;
    const LONG result = ::RegQueryInfoKeyA(GetHKey(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, nullptr, &longest, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS)
        throw RegError_t(thisFile, 194, name, result);
    std::vector<char> buffer(longest + 1, '\0');
    DWORD length = longest + 1;
    ::RegEnumValueA(GetHKey(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    return buffer.data();
}

bool RegKey_t::HasValue(const std::string& valueName) const
{
    return ::RegQueryValueExA(GetHKey(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr)
           == ERROR_SUCCESS;
}

} // namespace win
