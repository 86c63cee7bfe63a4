// Comparison of 8-bit texts without regard to case, character by character
// in the current multi-byte code page: single-byte characters are compared
// by their upper-case forms in a locale, double-byte characters exactly.
#pragma once

#include <locale>
#include <string>

namespace glo {

// glo::Assert_t for a text that ends inside a double-byte character.
bool NoCaseCompare(const std::string& first, const std::string& second, const std::locale& locale);
bool NoCaseEqual(const std::locale& locale, std::string first, std::string second);

} // namespace glo
