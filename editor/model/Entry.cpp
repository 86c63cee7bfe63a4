// One line of a checklist and its line in the text form.
#include "editor/model/Entry.h"

#include "editor/file/TextForm.h"
#include "foundation/glo/GLO_Exception.h"

namespace app {

namespace {

const char kindLetters[] = "anptwcr"; // indexed by Entry_t::Kind

char KindLetter(int kind)
{
    if (kind < Entry_t::Caution || kind > Entry_t::ChallengeResponse)
        throw glo::Assert_t("Entry", 72);
    return kindLetters[kind];
}

char JustificationCharacter(int justification)
{
    if (justification < Entry_t::Left || justification > Entry_t::Center)
        throw glo::Assert_t("Entry", 103);
    return justification == Entry_t::Center ? 'c' : static_cast<char>('0' + justification);
}

// The kind of a letter, or -1 for a character that is no kind letter.
int KindOfLetter(char letter)
{
    for (int kind = Entry_t::Caution; kind <= Entry_t::ChallengeResponse; ++kind)
        if (kindLetters[kind] == letter)
            return kind;
    return -1;
}

// "1" to "4" are the indent levels, "c" is centred; anything else is left.
int JustificationOfCharacter(char c)
{
    if (c >= '1' && c <= '4')
        return c - '0';
    return c == 'c' ? Entry_t::Center : Entry_t::Left;
}

} // namespace

Entry_t::Entry_t(const std::string& text, int kind, int justification, const std::string& response)
    : kind(kind), justification(justification), text(text), response(response)
{
}

bool Entry_t::operator==(const Entry_t& other) const
{
    return kind == other.kind && justification == other.justification && text == other.text &&
           response == other.response;
}

std::ostream& Entry_t::Write(std::ostream& out) const
{
    const char letter = KindLetter(kind);
    const char justified = JustificationCharacter(justification);
    out.put(letter).put(justified).write(text.data(), text.size());
    if (kind == ChallengeResponse)
        out.put('~').write(response.data(), response.size());
    return out.put('\n');
}

std::istream& Entry_t::Read(std::istream& in)
{
    if (!in.good())
        return in;
    SkipCommentLines(in);
    char c;
    if (!in.get(c))
        return in;
    Entry_t read;
    read.kind = KindOfLetter(c);
    if (read.kind < 0) {
        in.unget();
        in.setstate(std::ios::failbit);
        return in;
    }
    if (!in.get(c))
        return in;
    read.justification = JustificationOfCharacter(c);
    std::getline(in, read.text);
    ReadTrailingNewlines(in, read.text);
    if (read.kind == ChallengeResponse) {
        const auto tilde = read.text.find('~');
        if (tilde == std::string::npos) {
            in.setstate(std::ios::failbit);
            return in;
        }
        read.response = read.text.substr(tilde + 1);
        read.text.erase(tilde);
    }
    *this = read;
    return in;
}

} // namespace app
