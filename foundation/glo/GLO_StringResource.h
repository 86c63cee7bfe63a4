// Texts of the program's string table and their numbered placeholders: "%0"
// to "%9" stand for the first to the tenth argument, "%%" for a percent sign.
// Every argument must be used; a malformed placeholder is an assertion.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace glo {

using FormatArgs_t = std::vector<std::string>;

// The module whose string table the texts come from, taken from the
// application's hook on first use (glo::Assert_t while it names none).
HINSTANCE GetResourceInstance();

// One text of the string table, loaded whole whatever its length.
class StringResource_t {
public:
    // file and line are the caller's, for the error of a missing text.
    StringResource_t(unsigned id, const char* file, int line);

    unsigned GetId() const { return id; }
    const std::string& GetText() const { return text; }

    // The text with its placeholders filled; assertions carry the caller's position.
    std::string Format(const FormatArgs_t& args, const char* file, int line) const;
    std::string FormatArg(const std::string& arg, const char* file, int line) const;

    // Loads the text into a caller's buffer of size characters; returns the count copied.
    int LoadFixed(char* buffer, int size, const char* file, int line) const;

private:
    unsigned id;
    std::string text;
};

// The text of id, as the constructor above loads it. (Win32's character-set
// macro turns this name into LoadStringA, alike for callers and definition.)
std::string LoadString(unsigned id, const char* file, int line);

// Loads the text of id into a caller's buffer of size characters; returns the count copied.
int LoadStringBuffer(char* buffer, int size, unsigned id, const char* file, int line);

// Fills the placeholders of text in place.
void FormatString(std::string& text, const FormatArgs_t& args, const char* file, int line);

} // namespace glo
