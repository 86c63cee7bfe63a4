// Reading helpers shared by the readers of the checklist text form.
#include "editor/file/TextForm.h"

#include <limits>

namespace app {

void SkipRestOfLine(std::istream& in)
{
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

void SkipCommentLines(std::istream& in)
{
    char c;
    while (in.get(c) && !in.eof()) {
        if (c == '*')
            SkipRestOfLine(in);
        else if (c != '\n') {
            in.unget();
            return;
        }
    }
}

void ReadTrailingNewlines(std::istream& in, std::string& text)
{
    char c;
    while (in.get(c)) {
        if (c != '\n') {
            in.unget();
            return;
        }
        text += '\n';
    }
}

} // namespace app
