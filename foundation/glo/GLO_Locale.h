// Standard-library locales by language, country and code page, each made
// once and kept for the program's life.
#pragma once

#include <locale>
#include <string>

namespace glo {

// Language: a Windows abbreviated language name ("ENU"); country: an English
// country name ("United States"). Ordered by code page, then language, then country.
class LocaleKey_t {
public:
    LocaleKey_t(const std::string& language, const std::string& country, int codePage)
        : language(language), country(country), codePage(codePage)
    {
    }

    const std::string& GetLanguage() const { return language; }
    const std::string& GetCountry() const { return country; }
    int GetCodePage() const { return codePage; }

    bool operator<(const LocaleKey_t& other) const;

private:
    std::string language;
    std::string country;
    int codePage;
};

// The name the locale is made by: "ENU_United States.1252", "ENU" (a
// language without country), ".1252" (no language).
std::string LocaleName(const LocaleKey_t& key);

// The locale of key, made on first request; glo::LocaleDoesNotExist_t with
// the name when there is no such locale.
const std::locale& GetLocale(const LocaleKey_t& key);
const std::locale& GetLocaleByParts(const std::string& language, const std::string& country,
                                    int codePage);

} // namespace glo
