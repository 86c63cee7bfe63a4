// One line of a checklist: its kind, justification, text and, for a challenge
// with response, the response. A plain value type.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "framework/CRect.h"

class CDC;

namespace app {

class Entry_t {
public:
    enum Kind { Caution, Note, PlainText, Subtitle, Warning, Challenge, ChallengeResponse };
    enum Justification { Left, Indent1, Indent2, Indent3, Indent4, Center };

    Entry_t(const std::string& text = std::string(), int kind = Challenge,
            int justification = Left, const std::string& response = std::string());

    // Writes the entry's line: kind letter, justification character, text, and for
    // a challenge with response "~" and the response; then a line feed. A kind or
    // justification out of range is an assertion.
    std::ostream& Write(std::ostream& out) const;
    // Reads one entry line (after any comment and empty lines), with the empty
    // lines that follow it. Bad input only fails the stream; the entry keeps its
    // value unless a kind and justification were read.
    std::istream& Read(std::istream& in);

    // Draws the entry as the preview shows it, from the rectangle's top between
    // its left and right edges (its bottom does not matter); returns the height
    // used. An entry narrower than 120 pixels is not drawn and uses none.
    int Draw(CDC* dc, const CRect& rect) const;
    // The box in front of a challenge, moved right by the indent.
    void DrawCheckBox(CDC* dc, const CRect& box) const;
    // The extent of the text without its newline characters, in the current font.
    static CSize MeasureText(CDC* dc, const std::string& text);

    bool operator==(const Entry_t& other) const;
    bool operator!=(const Entry_t& other) const { return !(*this == other); }

    int kind;
    int justification;
    std::string text;     // may end in newlines, each a blank line after the entry
    std::string response; // kept only for a ChallengeResponse
};

inline std::ostream& operator<<(std::ostream& out, const Entry_t& entry) { return entry.Write(out); }
inline std::istream& operator>>(std::istream& in, Entry_t& entry) { return entry.Read(in); }

} // namespace app
