// Standard-library locales for Windows locales, named as the runtime names
// them ("ENU_United States.1252", "ENU", ".1252"). This runtime knows no named
// locales, so each is the classic locale with a character classification and
// case of its own, taken from the Windows locale and its code page.
#pragma once

#include <locale>
#include <string>

namespace win {

// The locale of name; std::runtime_error when Windows knows no such locale
// or code page.
std::locale MakeCodePageLocale(const std::string& name);

// The name a locale was made with: the one given to MakeCodePageLocale, else
// the runtime's own ("C" for the classic locale).
std::string LocaleNameOf(const std::locale& locale);

} // namespace win
