// The characters that names and entry texts may hold.
#include "editor/model/AllowedChars.h"

#include <algorithm>

#include "framework/CodePage.h"

namespace app {

namespace {

std::string Range(char first, char last)
{
    std::string range;
    for (int c = static_cast<unsigned char>(first); c <= static_cast<unsigned char>(last); ++c)
        range += static_cast<char>(c);
    return range;
}

} // namespace

const std::string AllowedChars = Range('A', 'Z') + Range('a', 'z') + " " + Range('!', '/') +
                                 Range(':', '@') + Range('[', '_') + Range('0', '9') + "\xB0\xB1";

std::string KeepAllowedChars(const std::string& text, std::size_t* position)
{
    std::string kept;
    std::size_t removedBefore = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = AfxNextChar(text.c_str() + at) - (text.c_str() + at);
        const std::string character = text.substr(at, length);
        if (character.find_first_not_of(AllowedChars) == std::string::npos)
            kept += character;
        else if (position && at < *position)
            removedBefore += std::min(length, *position - at);
        at += length;
    }
    if (position)
        *position -= removedBefore;
    return kept;
}

} // namespace app
