// Case-insensitive comparison through a locale's character case.
#include "foundation/glo/GLO_NoCase.h"

#include "foundation/glo/GLO_Exception.h"

#include <windows.h>

#include <mbctype.h>

namespace glo {

namespace {

const std::size_t invalid = 0;

// The byte length of the character at position in the code page: 1 or 2,
// or invalid for a lead byte without its second byte.
std::size_t CharacterLength(const std::string& text, std::size_t position, int codePage)
{
    const auto byte = static_cast<unsigned char>(text[position]);
    if (codePage == 0 || !::IsDBCSLeadByteEx(codePage, byte))
        return 1;
    const bool complete = position + 1 < text.size() && text[position + 1] != '\0';
    return complete ? 2 : invalid;
}

// A lead byte without its second byte counts as one character here; the
// comparison itself refuses it.
std::size_t CountCharacters(const std::string& text, int codePage)
{
    std::size_t count = 0;
    for (std::size_t position = 0; position < text.size(); ++count) {
        const std::size_t length = CharacterLength(text, position, codePage);
        position += length == invalid ? 1 : length;
    }
    return count;
}

} // namespace

bool NoCaseCompare(const std::string& first, const std::string& second, const std::locale& locale)
{
    const int codePage = ::_getmbcp();
    if (CountCharacters(first, codePage) != CountCharacters(second, codePage))
        return false;
    const auto& ctype = std::use_facet<std::ctype<char>>(locale);
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < first.size()) {
        const std::size_t lengthA = CharacterLength(first, a, codePage);
        if (lengthA == invalid)
            throw Assert_t("GLO_NoCase", 288);
        const std::size_t lengthB = CharacterLength(second, b, codePage);
        if (lengthB == invalid)
            throw Assert_t("GLO_NoCase", 291);
        const bool same = lengthA == 1 && lengthB == 1
                              ? ctype.toupper(first[a]) == ctype.toupper(second[b])
                              : first.compare(a, lengthA, second, b, lengthB) == 0;
        if (!same)
            return false;
        a += lengthA;
        b += lengthB;
    }
    return true;
}

bool NoCaseEqual(const std::locale& locale, std::string first, std::string second)
{
    return NoCaseCompare(first, second, locale);
}

} // namespace glo
