// The entry dialog, run modally and driven through its controls.
#include <gtest/gtest.h>

#include "editor/dialogs/EntryEditorDialog.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_Exception.h"
#include "tests/editor/dialogs/DialogDriver.h"
#include "tests/foundation/RaisePoint.h"

using app::EntryEditorDialog_t;
using app::Entry_t;
using namespace views_test;

namespace {

const int challengeItem = 5;
const int noteItem = 1;
const int centerItem = 5;
const char allIndents[] = "Left Justified|Indent 1 Level|Indent 2 Levels|Indent 3 Levels|Indent 4 Levels";
const std::string withCenter = std::string(allIndents) + "|Center";

// Opens the dialog on entry, lets act work on the live dialog and presses the
// button act returns; the edited entry when that ended it with OK.
template <class Act>
Entry_t Edit(const Entry_t& entry, Act act, INT_PTR expected = IDOK)
{
    EntryEditorDialog_t dialog(entry);
    CTestHook hook;
    hook.AnswerDialog([&](CDialog& live) { return act(live); });
    EXPECT_EQ(expected, dialog.DoModal());
    EXPECT_EQ(0u, hook.Unanswered());
    return dialog.GetEntry();
}

} // namespace

TEST(EntryEditorDialog, AChallengeWithResponseOpensAsAChallengeAndComesBackWhole)
{
    const Entry_t flaps("Flaps", Entry_t::ChallengeResponse, Entry_t::Indent1, "SET\n\n");
    const Entry_t edited = Edit(flaps, [](CDialog& d) {
        char caption[64] = "";
        ::GetWindowTextA(d.GetSafeHwnd(), caption, sizeof caption);
        EXPECT_STREQ("Entry Properties", caption);
        EXPECT_EQ("Plain Text|Note|Subtitle|Warning|Caution|Challenge", Items(d, IDC_ENTRY_TYPE));
        EXPECT_EQ(challengeItem, Selection(d, IDC_ENTRY_TYPE));
        EXPECT_EQ(allIndents, Items(d, IDC_ENTRY_JUSTIFICATION));
        EXPECT_EQ(Entry_t::Indent1, Selection(d, IDC_ENTRY_JUSTIFICATION));
        EXPECT_EQ("Flaps", TextOf(d, IDC_ENTRY_TEXT));
        EXPECT_EQ("SET", TextOf(d, IDC_ENTRY_RESPONSE));
        EXPECT_TRUE(Enabled(d, IDC_ENTRY_RESPONSE));
        EXPECT_EQ("2", TextOf(d, IDC_BLANK_LINES));
        return IDOK;
    });
    EXPECT_EQ(flaps, edited);
}

TEST(EntryEditorDialog, AChallengeWithoutResponseKeepsItsKindAndItsBlankLinesGoToTheText)
{
    const Entry_t check("Check\n", Entry_t::Challenge, Entry_t::Indent2);
    EXPECT_EQ(check, Edit(check, [](CDialog& d) {
                  EXPECT_EQ("Check", TextOf(d, IDC_ENTRY_TEXT));
                  EXPECT_EQ("1", TextOf(d, IDC_BLANK_LINES));
                  return IDOK;
              }));

    // A response typed in makes it a challenge with response, which takes the blank lines.
    const Entry_t answered = Edit(check, [](CDialog& d) {
        Type(d, IDC_ENTRY_RESPONSE, "ON");
        return IDOK;
    });
    EXPECT_EQ(Entry_t("Check", Entry_t::ChallengeResponse, Entry_t::Indent2, "ON\n"), answered);
}

TEST(EntryEditorDialog, OtherKindsKeepTheirKindAndOfferCenter)
{
    const Entry_t note("Use the checklist\n\n\n", Entry_t::Note, Entry_t::Center);
    EXPECT_EQ(note, Edit(note, [](CDialog& d) {
                  EXPECT_EQ(noteItem, Selection(d, IDC_ENTRY_TYPE));
                  EXPECT_EQ(withCenter, Items(d, IDC_ENTRY_JUSTIFICATION));
                  EXPECT_EQ(centerItem, Selection(d, IDC_ENTRY_JUSTIFICATION));
                  EXPECT_FALSE(Enabled(d, IDC_ENTRY_RESPONSE));
                  EXPECT_EQ("3", TextOf(d, IDC_BLANK_LINES));
                  return IDOK;
              }));
}

TEST(EntryEditorDialog, ChallengeChosenAgainKeepsWhatWasTypedAndLeavingItEmptiesTheResponseForGood)
{
    const Entry_t flaps("Flaps", Entry_t::ChallengeResponse, Entry_t::Left, "SET");
    const Entry_t edited = Edit(flaps, [](CDialog& d) {
        SetCaret(d, IDC_ENTRY_TEXT, 5);
        Type(d, IDC_ENTRY_TEXT, " 1");
        SetCaret(d, IDC_ENTRY_RESPONSE, 3);
        Type(d, IDC_ENTRY_RESPONSE, " 15");
        Choose(d, IDC_ENTRY_TYPE, challengeItem);
        EXPECT_EQ("Flaps 1", TextOf(d, IDC_ENTRY_TEXT));
        EXPECT_EQ("SET 15", TextOf(d, IDC_ENTRY_RESPONSE));
        EXPECT_TRUE(Enabled(d, IDC_ENTRY_RESPONSE));

        Choose(d, IDC_ENTRY_TYPE, noteItem);
        EXPECT_FALSE(Enabled(d, IDC_ENTRY_RESPONSE));
        EXPECT_EQ("", TextOf(d, IDC_ENTRY_RESPONSE));
        EXPECT_EQ(withCenter, Items(d, IDC_ENTRY_JUSTIFICATION));
        EXPECT_EQ(0, Selection(d, IDC_ENTRY_JUSTIFICATION));
        Choose(d, IDC_ENTRY_JUSTIFICATION, centerItem);

        // Back to Challenge: the response stays empty, and the centred entry becomes left-justified.
        Choose(d, IDC_ENTRY_TYPE, challengeItem);
        EXPECT_TRUE(Enabled(d, IDC_ENTRY_RESPONSE));
        EXPECT_EQ("", TextOf(d, IDC_ENTRY_RESPONSE));
        EXPECT_EQ(allIndents, Items(d, IDC_ENTRY_JUSTIFICATION));
        EXPECT_EQ(0, Selection(d, IDC_ENTRY_JUSTIFICATION));
        return IDOK;
    });
    EXPECT_EQ(Entry_t("Flaps 1", Entry_t::Challenge, Entry_t::Left), edited);
}

TEST(EntryEditorDialog, AnIndentSurvivesAChangeOfType)
{
    const Entry_t warning("Hot", Entry_t::Warning, Entry_t::Indent3);
    const Entry_t edited = Edit(warning, [](CDialog& d) {
        Choose(d, IDC_ENTRY_TYPE, challengeItem);
        EXPECT_EQ(Entry_t::Indent3, Selection(d, IDC_ENTRY_JUSTIFICATION));
        return IDOK;
    });
    EXPECT_EQ(Entry_t("Hot", Entry_t::Challenge, Entry_t::Indent3), edited);
}

TEST(EntryEditorDialog, ACentredChallengeFromAFileKeepsItsJustificationUntilChanged)
{
    const Entry_t centred("", Entry_t::Challenge, Entry_t::Center);
    EXPECT_EQ(centred, Edit(centred, [](CDialog& d) {
                  EXPECT_EQ(-1, Selection(d, IDC_ENTRY_JUSTIFICATION));
                  return IDOK;
              }));
}

TEST(EntryEditorDialog, CharactersOutsideTheAllowedSetVanishAsTheyAreTyped)
{
    const Entry_t edited = Edit(Entry_t("", Entry_t::Challenge), [](CDialog& d) {
        for (int id : {IDC_ENTRY_TEXT, IDC_ENTRY_RESPONSE}) {
            Type(d, id, "ab~");
            EXPECT_EQ("ab", TextOf(d, id));
            EXPECT_EQ(2, Caret(d, id));
            Type(d, id, "cd");
            SetCaret(d, id, 2);
            Type(d, id, "{");
            EXPECT_EQ("abcd", TextOf(d, id));
            EXPECT_EQ(2, Caret(d, id));
            Type(d, id, "\t");
            EXPECT_EQ("abcd", TextOf(d, id));
            EXPECT_EQ(2, Caret(d, id));
            // A paste loses its tilde, bar, brace and line break; the caret ends after what is kept.
            Paste(d, id, "X~|Y}\r\nZ");
            EXPECT_EQ("abXYZcd", TextOf(d, id));
            EXPECT_EQ(5, Caret(d, id));
            // The degree and plus-minus signs are allowed.
            SetCaret(d, id, 7);
            Type(d, id, "\xB0\xB1`");
            EXPECT_EQ("abXYZcd\xB0\xB1", TextOf(d, id));
            EXPECT_EQ(9, Caret(d, id));
            // Under code page 932 a katakana pasted between two letters goes whole.
            AfxSetCodePageForTest(932);
            Type(d, id, "A");
            Paste(d, id, "\x83\x65");
            Type(d, id, "B");
            AfxSetCodePageForTest(0);
            EXPECT_EQ("abXYZcd\xB0\xB1" "AB", TextOf(d, id));
            EXPECT_EQ(11, Caret(d, id));
        }
        return IDOK;
    });
    const std::string kept = "abXYZcd\xB0\xB1" "AB";
    EXPECT_EQ(Entry_t(kept, Entry_t::ChallengeResponse, Entry_t::Left, kept), edited);
}

TEST(EntryEditorDialog, TextAndResponseTogetherHoldAtMost500Characters)
{
    EntryEditorDialog_t dialog(Entry_t("", Entry_t::Challenge));
    CTestHook hook;
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_ENTRY_TEXT, std::string(300, 'T').c_str());
        d.SetDlgItemText(IDC_ENTRY_RESPONSE, std::string(201, 'R').c_str());
        return IDOK;
    });
    hook.AnswerMessageBox(IDOK);
    bool stayedOpen = false;
    hook.AnswerDialog([&](CDialog& d) {
        stayedOpen = !d.IsEnded();
        d.SetDlgItemText(IDC_ENTRY_RESPONSE, std::string(200, 'R').c_str());
        return IDOK;
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(0u, hook.Unanswered());
    ASSERT_EQ(3u, hook.Log().size());
    EXPECT_EQ(CTestHook::Kind::Box, hook.Log()[1].kind);
    EXPECT_STREQ("The total number of Text and Response characters cannot exceed 500.",
                 static_cast<LPCTSTR>(hook.Log()[1].text));
    EXPECT_EQ(static_cast<UINT>(MB_OK), hook.Log()[1].style & 0xF);
    EXPECT_EQ(Entry_t(std::string(300, 'T'), Entry_t::ChallengeResponse, Entry_t::Left, std::string(200, 'R')),
              dialog.GetEntry());
}

TEST(EntryEditorDialog, TheEditsTakeAtMost500CharactersAndTheCountTwoDigits)
{
    Edit(Entry_t(std::string(500, 'T'), Entry_t::Challenge), [](CDialog& d) {
        SetCaret(d, IDC_ENTRY_TEXT, 500);
        Type(d, IDC_ENTRY_TEXT, "x");
        EXPECT_EQ(500u, TextOf(d, IDC_ENTRY_TEXT).size());
        d.SetDlgItemText(IDC_BLANK_LINES, "");
        Type(d, IDC_BLANK_LINES, "123");
        EXPECT_EQ("12", TextOf(d, IDC_BLANK_LINES));
        return IDCANCEL;
    }, IDCANCEL);
}

TEST(EntryEditorDialog, TheBlankLineCountIsCheckedOnTheWayInAndOut)
{
    // A count beyond 99 shows, and comes back, as 0.
    EXPECT_EQ(Entry_t("x", Entry_t::PlainText), Edit(Entry_t("x" + std::string(150, '\n'), Entry_t::PlainText),
                                                     [](CDialog& d) {
                                                         EXPECT_EQ("0", TextOf(d, IDC_BLANK_LINES));
                                                         return IDOK;
                                                     }));
    // Letters leave the count as it was; a negative count gives no blank lines.
    const Entry_t three("x\n\n\n", Entry_t::Caution);
    EXPECT_EQ(three, Edit(three, [](CDialog& d) {
                  d.SetDlgItemText(IDC_BLANK_LINES, "ab");
                  return IDOK;
              }));
    EXPECT_EQ(Entry_t("x", Entry_t::Caution), Edit(three, [](CDialog& d) {
                  d.SetDlgItemText(IDC_BLANK_LINES, "-5");
                  return IDOK;
              }));
    EXPECT_EQ(Entry_t("x" + std::string(42, '\n'), Entry_t::Caution), Edit(three, [](CDialog& d) {
                  d.SetDlgItemText(IDC_BLANK_LINES, "42");
                  return IDOK;
              }));
}

TEST(EntryEditorDialog, CancelLeavesTheEntryAsItWas)
{
    const Entry_t subtitle("ENGINE START\n", Entry_t::Subtitle, Entry_t::Center);
    EntryEditorDialog_t dialog(subtitle);
    CTestHook hook;
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_ENTRY_TEXT, "changed");
        return IDCANCEL;
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(subtitle, dialog.GetEntry());
}

TEST(EntryEditorDialog, ASelectionChangeWithoutASelectionIsAnInternalFault)
{
    for (int id : {IDC_ENTRY_TYPE, IDC_ENTRY_JUSTIFICATION}) {
        EntryEditorDialog_t dialog(Entry_t("x", Entry_t::Note));
        CTestHook hook;
        hook.AnswerDialog([id](CDialog& d) {
            Choose(d, id, -1);
            return IDCANCEL;
        });
        ExpectRaise<glo::Assert_t>([&] { dialog.DoModal(); }, ".\\EntryEditorDialog",
                                   id == IDC_ENTRY_TYPE ? 128 : 155);
    }
}
