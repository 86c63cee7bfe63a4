// Windows locale and code-page queries, the system's default locale, and the
// language of the program module's version resource.
#pragma once

#include "foundation/glo/GLO_Locale.h"

#include <windows.h>

#include <locale>
#include <string>

namespace win {

// The GetLocaleInfo text of an information type.
std::string GetLocaleInfoString(LCID lcid, LCTYPE type);
// The leading decimal integer of a text; glo::Assert_t when it has none.
int ToInt(const std::string& text);

CPINFO GetCodePageInfo(UINT codePage);
bool IsMultiByteCodePage(UINT codePage);
// Whether the code page in a locale's name is multi-byte; a name without one
// is single-byte when it is "C" and throws win::NoCodePageSpecified_t otherwise.
bool IsMultiByteLocale(const std::locale& locale);

// Program-wide values, each made on first use (tried again when making it
// throws) and kept until the program ends.
const glo::LocaleKey_t& SystemDefaultLocaleKey();
const std::locale& SystemDefaultLocale();
const std::string& SystemDefaultLocaleName();
// From the one translation of the program file's version resource.
LANGID ModuleLanguage();
bool IsModuleCodePageMultiByte();

} // namespace win
