// Locale and code-page queries and the program-wide locale values.
#include "foundation/win/WIN_Locale.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_ModuleHooks.h"
#include "foundation/win/WIN_CodePageLocale.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_FileVerInfo.h"

#include <sstream>
#include <vector>

namespace win {

namespace {

const char thisFile[] = "WIN_Locale";

DWORD ModuleTranslation()
{
    static const DWORD translation = FileVerInfo_t(glo::ProgramFileTitle()).GetTranslation();
    return translation;
}

} // namespace

std::string GetLocaleInfoString(LCID lcid, LCTYPE type)
{
    const int length = ::GetLocaleInfoA(lcid, type, nullptr, 0);
    if (length == 0)
        throw Error_t(thisFile, 87);
    std::vector<char> buffer(length, '\0');
    if (::GetLocaleInfoA(lcid, type, buffer.data(), length) == 0)
        throw Error_t(thisFile, 95);
    return buffer.data();
}

int ToInt(const std::string& text)
{
    std::istringstream stream(text);
    int value = 0;
    if (!(stream >> value))
        throw glo::Assert_t(thisFile, 40);
    return value;
}

CPINFO GetCodePageInfo(UINT codePage)
{
    CPINFO info;
    if (!::GetCPInfo(codePage, &info))
        throw Error_t(thisFile, 138);
    return info;
}

bool IsMultiByteCodePage(UINT codePage)
{
    const CPINFO info = GetCodePageInfo(codePage);
    return info.MaxCharSize != 1 && info.LeadByte[0] != 0 && info.LeadByte[1] != 0;
}

bool IsMultiByteLocale(const std::locale& locale)
{
    const std::string name = LocaleNameOf(locale);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        return IsMultiByteCodePage(ToInt(name.substr(dot + 1)));
    if (name == "C")
        return false;
    throw NoCodePageSpecified_t(thisFile, 165);
}

const glo::LocaleKey_t& SystemDefaultLocaleKey()
{
    static const glo::LocaleKey_t key = [] {
        const LCID lcid = ::GetSystemDefaultLCID();
        return glo::LocaleKey_t(GetLocaleInfoString(lcid, LOCALE_SABBREVLANGNAME),
                                GetLocaleInfoString(lcid, LOCALE_SENGCOUNTRY),
                                ToInt(GetLocaleInfoString(lcid, LOCALE_IDEFAULTANSICODEPAGE)));
    }();
    return key;
}

const std::locale& SystemDefaultLocale()
{
    static const std::locale locale = glo::GetLocale(SystemDefaultLocaleKey());
    return locale;
}

const std::string& SystemDefaultLocaleName()
{
    static const std::string name = glo::LocaleName(SystemDefaultLocaleKey());
    return name;
}

LANGID ModuleLanguage()
{
    static const LANGID language = LOWORD(ModuleTranslation());
    return language;
}

bool IsModuleCodePageMultiByte()
{
    static const bool multiByte = IsMultiByteCodePage(HIWORD(ModuleTranslation()));
    return multiByte;
}

} // namespace win
