// The program-wide locale cache.
#include "foundation/glo/GLO_Locale.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_CodePageLocale.h"

#include <map>
#include <stdexcept>
#include <tuple>

namespace glo {

bool LocaleKey_t::operator<(const LocaleKey_t& other) const
{
    const unsigned mine = codePage;
    const unsigned theirs = other.codePage;
    return std::tie(mine, language, country) < std::tie(theirs, other.language, other.country);
}

std::string LocaleName(const LocaleKey_t& key)
{
    const std::string codePage = std::to_string(key.GetCodePage());
    if (key.GetLanguage().empty())
        return "." + codePage;
    if (key.GetCountry().empty())
        return key.GetLanguage();
    return key.GetLanguage() + "_" + key.GetCountry() + "." + codePage;
}

const std::locale& GetLocale(const LocaleKey_t& key)
{
    static std::map<LocaleKey_t, std::locale> cache;
    const auto known = cache.find(key);
    if (known != cache.end())
        return known->second;
    const std::string name = LocaleName(key);
    try {
        return cache.emplace(key, win::MakeCodePageLocale(name)).first->second;
    } catch (const std::runtime_error&) {
        throw LocaleDoesNotExist_t("GLO_Locale", 58, name);
    }
}

const std::locale& GetLocaleByParts(const std::string& language, const std::string& country,
                                    int codePage)
{
    return GetLocale(LocaleKey_t(language, country, codePage));
}

} // namespace glo
