// The dialogs under the system's code page, which ctest runs again under code pages of
// every family. A file written on a Latin-1 system holds the degree and plus-minus
// signs (0xB0, 0xB1) before letters and digits; double-byte code pages read such a pair
// as one character, or as none at all.
#include <gtest/gtest.h>

#include "editor/dialogs/EntryEditorDialog.h"
#include "editor/dialogs/KivPropertyDialog.h"
#include "editor/dialogs/TitleEditorDialog.h"
#include "editor/document/Document.h"
#include "editor/shell/ResourceIds.h"
#include "tests/editor/dialogs/DialogDriver.h"

using app::Entry_t;
using namespace views_test;

namespace {

// A character of the system's code page outside the allowed set: one of two bytes where
// the code page has them (a katakana, a hanzi, a hangul syllable, a hanzi), else the
// currency sign.
std::string OutsideCharacter()
{
    switch (::GetACP()) {
    case 932: return "\x83\x41";
    case 936: return "\xD6\xD0";
    case 949: return "\xB0\xA1";
    case 950: return "\xA4\xA4";
    default: return "\xA4";
    }
}

// Runs the dialog, answering it with act's button.
template <class Dialog, class Act>
void RunToOk(Dialog& dialog, Act act)
{
    CTestHook hook;
    hook.AnswerDialog(act);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(0u, hook.Unanswered());
}

const auto justOk = [](CDialog&) { return IDOK; };

} // namespace

TEST(SystemCodePage, TypingKeepsTheBytesAroundAndACharacterOutsideTheSetVanishesWhole)
{
    app::EntryEditorDialog_t dialog(Entry_t("OAT 20\xB0" "CXY", Entry_t::Note));
    RunToOk(dialog, [](CDialog& d) {
        SetCaret(d, IDC_ENTRY_TEXT, 0);
        Type(d, IDC_ENTRY_TEXT, "A");
        // Between "C" and "XY": the character goes, the caret stays where it was.
        SetCaret(d, IDC_ENTRY_TEXT, 1000);
        Press(d, IDC_ENTRY_TEXT, VK_LEFT);
        Press(d, IDC_ENTRY_TEXT, VK_LEFT);
        Paste(d, IDC_ENTRY_TEXT, OutsideCharacter());
        Type(d, IDC_ENTRY_TEXT, "Z");
        return IDOK;
    });
    EXPECT_EQ("AOAT 20\xB0" "CZXY", dialog.GetEntry().text);
}

TEST(SystemCodePage, FieldsLeftAloneKeepTheirBytes)
{
    const Entry_t flaps("FLAPS \xB1" "5 DEG", Entry_t::ChallengeResponse, Entry_t::Left, "20\xB0");
    app::EntryEditorDialog_t entry(flaps);
    RunToOk(entry, justOk);
    EXPECT_EQ(flaps, entry.GetEntry());

    app::TitleEditorDialog_t name("Group Properties", "ENG \xB1" "5");
    RunToOk(name, justOk);
    EXPECT_EQ("ENG \xB1" "5", name.name);

    app::Document_t document;
    app::KivFileHeader_t header = document.GetHeader();
    header.SetAircraftMakeModel("TARN \xB1" "5");
    header.SetCopyrightInfo("20\xB0");
    app::KivPropertyDialog_t properties(header, true);
    RunToOk(properties, justOk);
    EXPECT_EQ(header, properties.GetHeader());
}
