// The characters that names and entry texts may hold.
#include "editor/model/AllowedChars.h"

#include <algorithm>

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

std::string KeepAllowedChars(const std::string& text)
{
    std::string kept = text;
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [](char c) { return AllowedChars.find(c) == std::string::npos; }),
               kept.end());
    return kept;
}

} // namespace app
