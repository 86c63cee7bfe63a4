// The facets of code-page locales: the name they were made with, and a
// character classification and case built from the system's own tables.
#include "foundation/win/WIN_CodePageLocale.h"

#include <windows.h>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace win {

namespace {

// Carries the name a locale was made with.
class LocaleNameFacet_t : public std::locale::facet {
public:
    static std::locale::id id;
    explicit LocaleNameFacet_t(const std::string& name) : name(name) {}
    const std::string& GetName() const { return name; }

private:
    std::string name;
};

std::locale::id LocaleNameFacet_t::id;

// The one character of a single byte in the code page, or false for a lead
// byte or a byte the code page does not map.
bool ToWide(UINT codePage, unsigned char byte, wchar_t& wide)
{
    if (::IsDBCSLeadByteEx(codePage, byte))
        return false;
    const char narrow = static_cast<char>(byte);
    return ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &narrow, 1, &wide, 1) == 1;
}

// The single byte of a character in the code page, when it has one that maps back.
bool ToNarrow(UINT codePage, wchar_t wide, char& narrow)
{
    char bytes[2];
    if (::WideCharToMultiByte(codePage, 0, &wide, 1, bytes, 2, nullptr, nullptr) != 1)
        return false;
    wchar_t back = 0;
    if (::MultiByteToWideChar(codePage, 0, bytes, 1, &back, 1) != 1 || back != wide)
        return false;
    narrow = bytes[0];
    return true;
}

std::ctype_base::mask MaskOf(WORD type)
{
    using ctype = std::ctype_base;
    ctype::mask mask = 0;
    const bool control = type & C1_CNTRL;
    if (type & C1_UPPER) mask |= ctype::upper;
    if (type & C1_LOWER) mask |= ctype::lower;
    if (type & C1_ALPHA) mask |= ctype::alpha;
    if (type & C1_DIGIT) mask |= ctype::digit;
    if (type & C1_XDIGIT) mask |= ctype::xdigit;
    if (type & C1_SPACE) mask |= ctype::space;
    if (type & C1_PUNCT) mask |= ctype::punct;
    if (control) mask |= ctype::cntrl;
    if ((type & C1_BLANK) && !control) mask |= ctype::blank;
    if (!control && (type & (C1_ALPHA | C1_DIGIT | C1_PUNCT | C1_BLANK))) mask |= ctype::print;
    return mask;
}

// Classification and case of the single-byte characters of a code page; the
// lead bytes of a double-byte code page are no characters and keep their case.
class CodePageCtype_t : public std::ctype<char> {
public:
    CodePageCtype_t(UINT codePage, LCID lcid)
        : std::ctype<char>(BuildTable(codePage), true)
    {
        for (int byte = 0; byte < 256; ++byte) {
            upper[byte] = lower[byte] = static_cast<char>(byte);
            wchar_t wide;
            if (!ToWide(codePage, static_cast<unsigned char>(byte), wide))
                continue;
            wchar_t mapped;
            if (::LCMapStringW(lcid, LCMAP_UPPERCASE, &wide, 1, &mapped, 1) == 1)
                ToNarrow(codePage, mapped, upper[byte]);
            if (::LCMapStringW(lcid, LCMAP_LOWERCASE, &wide, 1, &mapped, 1) == 1)
                ToNarrow(codePage, mapped, lower[byte]);
        }
    }

protected:
    char do_toupper(char c) const override { return upper[static_cast<unsigned char>(c)]; }
    char do_tolower(char c) const override { return lower[static_cast<unsigned char>(c)]; }
    const char* do_toupper(char* low, const char* high) const override
    {
        for (; low < high; ++low)
            *low = do_toupper(*low);
        return high;
    }
    const char* do_tolower(char* low, const char* high) const override
    {
        for (; low < high; ++low)
            *low = do_tolower(*low);
        return high;
    }

private:
    static const mask* BuildTable(UINT codePage)
    {
        mask* table = new mask[table_size]();
        for (int byte = 0; byte < 256; ++byte) {
            wchar_t wide;
            WORD type = 0;
            if (ToWide(codePage, static_cast<unsigned char>(byte), wide)
                && ::GetStringTypeW(CT_CTYPE1, &wide, 1, &type))
                table[byte] = MaskOf(type);
        }
        return table;
    }

    std::array<char, 256> upper;
    std::array<char, 256> lower;
};

std::string Info(LCID lcid, LCTYPE type)
{
    char text[128] = "";
    ::GetLocaleInfoA(lcid, type, text, sizeof text);
    return text;
}

std::vector<LCID>* enumerated = nullptr;

BOOL CALLBACK CollectLocale(LPSTR text)
{
    enumerated->push_back(std::strtoul(text, nullptr, 16));
    return TRUE;
}

std::vector<LCID> SystemLocales()
{
    std::vector<LCID> locales;
    enumerated = &locales;
    ::EnumSystemLocalesA(CollectLocale, LCID_SUPPORTED);
    enumerated = nullptr;
    return locales;
}

bool SameText(const std::string& a, const std::string& b)
{
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1)
           == CSTR_EQUAL;
}

// The Windows locale of a language (abbreviated or English name) and an
// optional country (English name or abbreviation); a language alone means
// its main country.
bool FindLcid(const std::string& language, const std::string& country, LCID& found)
{
    bool any = false;
    for (LCID lcid : SystemLocales()) {
        if (!SameText(language, Info(lcid, LOCALE_SABBREVLANGNAME))
            && !SameText(language, Info(lcid, LOCALE_SENGLANGUAGE)))
            continue;
        if (!country.empty()) {
            if (SameText(country, Info(lcid, LOCALE_SENGCOUNTRY))
                || SameText(country, Info(lcid, LOCALE_SABBREVCTRYNAME))) {
                found = lcid;
                return true;
            }
        } else if (!any || SUBLANGID(LANGIDFROMLCID(lcid)) == SUBLANG_DEFAULT) {
            found = lcid;
            any = true;
        }
    }
    return any;
}

// Code pages of at most two bytes a character, as the runtime's locales take.
bool UsableCodePage(UINT codePage)
{
    CPINFO info;
    return codePage != 0 && ::IsValidCodePage(codePage) && ::GetCPInfo(codePage, &info)
           && info.MaxCharSize <= 2;
}

[[noreturn]] void Refuse()
{
    throw std::runtime_error("locale name not valid");
}

} // namespace

std::locale MakeCodePageLocale(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    const std::string place = name.substr(0, dot);
    const std::size_t underscore = place.find('_');
    const std::string language = place.substr(0, underscore);
    const std::string country =
        underscore == std::string::npos ? std::string() : place.substr(underscore + 1);

    LCID lcid = ::GetUserDefaultLCID();
    if (!language.empty() && !FindLcid(language, country, lcid))
        Refuse();
    if (language.empty() && (!country.empty() || dot == std::string::npos))
        Refuse();

    UINT codePage = 0;
    if (dot == std::string::npos) {
        codePage = std::strtoul(Info(lcid, LOCALE_IDEFAULTANSICODEPAGE).c_str(), nullptr, 10);
    } else {
        const std::string digits = name.substr(dot + 1);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos
            || digits.size() > 5)
            Refuse();
        codePage = std::stoul(digits);
    }
    if (!UsableCodePage(codePage))
        Refuse();

    const std::locale withCase(std::locale::classic(), new CodePageCtype_t(codePage, lcid));
    return std::locale(withCase, new LocaleNameFacet_t(name));
}

std::string LocaleNameOf(const std::locale& locale)
{
    if (std::has_facet<LocaleNameFacet_t>(locale))
        return std::use_facet<LocaleNameFacet_t>(locale).GetName();
    return locale.name();
}

} // namespace win
