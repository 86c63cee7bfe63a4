// The name dialog of groups and checklists.
#include <gtest/gtest.h>

#include "editor/shell/ResourceIds.h"
#include "editor/dialogs/TitleEditorDialog.h"
#include "tests/editor/dialogs/DialogDriver.h"

using app::TitleEditorDialog_t;
using namespace views_test;

TEST(TitleEditorDialog, ShowsItsCaptionAndNameAndReturnsTheEditedName)
{
    TitleEditorDialog_t dialog("Group Properties", "Normal");
    CTestHook hook;
    hook.AnswerDialog([](CDialog& d) {
        char caption[64] = "";
        ::GetWindowTextA(d.GetSafeHwnd(), caption, sizeof caption);
        EXPECT_STREQ("Group Properties", caption);
        EXPECT_EQ("Normal", TextOf(d, IDC_TITLE_NAME));
        SetCaret(d, IDC_TITLE_NAME, 6);
        Type(d, IDC_TITLE_NAME, " Procedures");
        return IDOK;
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ("Normal Procedures", dialog.name);
}

TEST(TitleEditorDialog, CharactersOutsideTheAllowedSetVanishAsTheyAreTyped)
{
    TitleEditorDialog_t dialog("Checklist Properties", "");
    CTestHook hook;
    hook.AnswerDialog([](CDialog& d) {
        Type(d, IDC_TITLE_NAME, "Before~ start");
        EXPECT_EQ("Before start", TextOf(d, IDC_TITLE_NAME));
        SetCaret(d, IDC_TITLE_NAME, 6);
        Type(d, IDC_TITLE_NAME, "\t{");
        EXPECT_EQ(6, Caret(d, IDC_TITLE_NAME));
        // A line break typed or pasted into the name vanishes too.
        Paste(d, IDC_TITLE_NAME, "\r\n|");
        EXPECT_EQ("Before start", TextOf(d, IDC_TITLE_NAME));
        EXPECT_EQ(6, Caret(d, IDC_TITLE_NAME));
        return IDOK;
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ("Before start", dialog.name);
}

TEST(TitleEditorDialog, ANameOf500CharactersPassesAndTheEditTakesNoMore)
{
    TitleEditorDialog_t dialog("Group Properties", std::string(499, 'n'));
    CTestHook hook;
    hook.AnswerDialog([](CDialog& d) {
        SetCaret(d, IDC_TITLE_NAME, 499);
        Type(d, IDC_TITLE_NAME, "xy");
        EXPECT_EQ(500u, TextOf(d, IDC_TITLE_NAME).size());
        return IDOK;
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(std::string(499, 'n') + "x", dialog.name);
    EXPECT_EQ(1u, hook.Log().size());
}

TEST(TitleEditorDialog, ALongerNameIsRefusedWithTheLengthMessageAndTheDialogStaysOpen)
{
    // Only a name put there by a program can be longer than the edit takes.
    TitleEditorDialog_t dialog("Group Properties", "Short");
    bool stayedOpen = false;
    CTestHook hook;
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_TITLE_NAME, std::string(501, 'n').c_str());
        return IDOK;
    });
    hook.AnswerMessageBox(IDOK);
    hook.AnswerDialog([&](CDialog& d) {
        stayedOpen = !d.IsEnded();
        return IDCANCEL;
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(0u, hook.Unanswered());
    ASSERT_EQ(3u, hook.Log().size());
    EXPECT_STREQ("Please enter no more than 500 characters.", static_cast<LPCTSTR>(hook.Log()[1].text));
}
