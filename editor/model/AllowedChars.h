// The characters that names and entry texts may hold, and the filter that
// removes the others from user input.
#pragma once

#include <cstddef>
#include <string>

namespace app {

// The 92 allowed characters: A-Z, a-z, the space, the punctuation from "!" to
// "/", from ":" to "@" and from "[" to "_", the digits, and the degree (0xB0) and
// plus-minus (0xB1) signs of the Windows Latin-1 code page.
extern const std::string AllowedChars;

// A copy of the text without the characters outside AllowedChars. A character that
// the code page holds in several bytes goes whole when one of them is outside the set,
// and stays byte for byte when none is: a file written on a Latin-1 system holds the
// degree sign before a letter, two bytes that a double-byte code page reads as one
// character. A position in the text (a byte offset) moves back by the bytes removed
// before it.
std::string KeepAllowedChars(const std::string& text, std::size_t* position = nullptr);

} // namespace app
