// The file properties dialog, opened by the document's File Properties command.
#include <gtest/gtest.h>

#include "editor/document/Document.h"
#include "editor/dialogs/KivPropertyDialog.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_Exception.h"
#include "tests/editor/dialogs/DialogDriver.h"
#include "tests/foundation/RaisePoint.h"

using app::CheckList_t;
using app::Document_t;
using app::Group_t;
using app::KivFileHeader_t;
using app::KivPropertyDialog_t;
using namespace views_test;

namespace {

const UINT commandFileProperties = 130;
const int textIds[] = {IDC_CHECKLIST_NAME, IDC_AIRCRAFT_MAKE_MODEL, IDC_AIRCRAFT_INFO, IDC_MANUFACTURER_ID,
                       IDC_COPYRIGHT_INFO};

class PropertyDialog : public ::testing::Test {
protected:
    PropertyDialog()
    {
        Group_t normal("Normal");
        normal.checklists.emplace_back("Before Start");
        normal.checklists.emplace_back("Taxi");
        Group_t emergency("Emergency");
        emergency.checklists.emplace_back("Engine Fire");
        emergency.checklists.emplace_back("Smoke");
        emergency.checklists.emplace_back("Ditching");
        database().groups = {normal, emergency};
        KivFileHeader_t& header = document.GetHeader();
        header.SetRevision(7);
        header.SetDefaultGroup(1);
        header.SetDefaultCheckList(2);
    }

    app::Database_t& database() { return document.GetDatabase(); }

    // Runs File Properties through the document's command routing.
    void FileProperties() { document.OnCmdMsg(commandFileProperties, CN_COMMAND, nullptr, nullptr); }

    Document_t document;
    CTestHook hook;
};

std::string Texts(CDialog& d)
{
    std::string texts;
    for (int id : textIds)
        texts += TextOf(d, id) + "|";
    return texts;
}

} // namespace

TEST_F(PropertyDialog, ShowsTheHeaderAndTheDefaultsChosenFromTheDatabase)
{
    const KivFileHeader_t before = document.GetHeader();
    hook.AnswerDialog([](CDialog& d) {
        char caption[64] = "";
        ::GetWindowTextA(d.GetSafeHwnd(), caption, sizeof caption);
        EXPECT_STREQ("Kiv Properties", caption);
        EXPECT_EQ("QUOREL CHECKLIST PN XXX-XXXXX-XX|Aircraft Make and Model|Aircraft specific identification|"
                  "Manufacturer Identification|Copyright Information|",
                  Texts(d));
        EXPECT_EQ("7", TextOf(d, IDC_REVISION));
        EXPECT_EQ("Normal|Emergency", Items(d, IDC_DEFAULT_GROUP));
        EXPECT_EQ(1, Selection(d, IDC_DEFAULT_GROUP));
        EXPECT_EQ("Engine Fire|Smoke|Ditching", Items(d, IDC_DEFAULT_CHECKLIST));
        EXPECT_EQ(2, Selection(d, IDC_DEFAULT_CHECKLIST));
        for (int id : textIds)
            EXPECT_TRUE(Enabled(d, id));
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ(before, document.GetHeader());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(PropertyDialog, EditedTextsAndDefaultsMarkTheDocumentModified)
{
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_AIRCRAFT_MAKE_MODEL, "Tarn 42");
        d.SetDlgItemText(IDC_COPYRIGHT_INFO, "(c) Crew");
        // Another group resets the default checklist to that group's first one.
        Choose(d, IDC_DEFAULT_GROUP, 0);
        EXPECT_EQ("Before Start|Taxi", Items(d, IDC_DEFAULT_CHECKLIST));
        EXPECT_EQ(0, Selection(d, IDC_DEFAULT_CHECKLIST));
        return IDOK;
    });
    FileProperties();
    const KivFileHeader_t& header = document.GetHeader();
    EXPECT_EQ("Tarn 42", header.GetAircraftMakeModel());
    EXPECT_EQ("(c) Crew", header.GetCopyrightInfo());
    EXPECT_EQ(0, header.GetDefaultGroup());
    EXPECT_EQ(0, header.GetDefaultCheckList());
    EXPECT_EQ(7, header.GetRevision());
    EXPECT_EQ(1, header.GetUserMade());
    EXPECT_TRUE(header.HasValidMagic());
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.GetUndoJournal().IsEmpty());

    hook.AnswerDialog([](CDialog& d) {
        Choose(d, IDC_DEFAULT_CHECKLIST, 1);
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(1, document.GetHeader().GetDefaultCheckList());
    EXPECT_EQ(0u, hook.Unanswered());
}

TEST_F(PropertyDialog, ATextChangedAndChangedBackLeavesTheModifiedFlag)
{
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_AIRCRAFT_INFO, "Something else");
        d.SetDlgItemText(IDC_AIRCRAFT_INFO, "Aircraft specific identification");
        return IDOK;
    });
    FileProperties();
    EXPECT_FALSE(document.IsModified());
}

TEST_F(PropertyDialog, CancelTakesNothing)
{
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_CHECKLIST_NAME, "PN 1");
        Choose(d, IDC_DEFAULT_GROUP, 0);
        return IDCANCEL;
    });
    const KivFileHeader_t before = document.GetHeader();
    FileProperties();
    EXPECT_EQ(before, document.GetHeader());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(PropertyDialog, ALockedDocumentShowsEverythingDisabledAndTakesNothing)
{
    document.GetHeader().SetUserMade(0);
    document.UpdateLock();
    ASSERT_TRUE(document.IsLocked());
    // A text longer than the edits take, written by another program, does not hold the dialog open.
    document.GetHeader().SetManufacturerId(std::string(40, 'M'));
    const KivFileHeader_t before = document.GetHeader();
    hook.AnswerDialog([](CDialog& d) {
        EXPECT_EQ("QUOREL CHECKLIST PN XXX-XXXXX-XX", TextOf(d, IDC_CHECKLIST_NAME));
        EXPECT_EQ(std::string(40, 'M'), TextOf(d, IDC_MANUFACTURER_ID));
        EXPECT_EQ(1, Selection(d, IDC_DEFAULT_GROUP));
        EXPECT_EQ(2, Selection(d, IDC_DEFAULT_CHECKLIST));
        for (int id : textIds)
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_FALSE(Enabled(d, IDC_DEFAULT_GROUP));
        EXPECT_FALSE(Enabled(d, IDC_DEFAULT_CHECKLIST));
        EXPECT_TRUE(Enabled(d, IDOK));
        EXPECT_TRUE(Enabled(d, IDCANCEL));
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ(1u, hook.Log().size());
    EXPECT_EQ(before, document.GetHeader());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(PropertyDialog, DefaultsBeyondTheListsShowNoSelectionAndComeBackUnchanged)
{
    document.GetHeader().SetDefaultGroup(5);
    hook.AnswerDialog([](CDialog& d) {
        EXPECT_EQ(-1, Selection(d, IDC_DEFAULT_GROUP));
        EXPECT_EQ("", Items(d, IDC_DEFAULT_CHECKLIST));
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(5, document.GetHeader().GetDefaultGroup());
    EXPECT_EQ(2, document.GetHeader().GetDefaultCheckList());
    EXPECT_FALSE(document.IsModified());

    document.GetHeader().SetDefaultGroup(0);
    hook.AnswerDialog([](CDialog& d) {
        EXPECT_EQ(0, Selection(d, IDC_DEFAULT_GROUP));
        EXPECT_EQ("Before Start|Taxi", Items(d, IDC_DEFAULT_CHECKLIST));
        EXPECT_EQ(-1, Selection(d, IDC_DEFAULT_CHECKLIST));
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(2, document.GetHeader().GetDefaultCheckList());
}

TEST_F(PropertyDialog, ADocumentWithoutGroupsShowsTwoEmptyLists)
{
    database().groups.clear();
    hook.AnswerDialog([](CDialog& d) {
        EXPECT_EQ("", Items(d, IDC_DEFAULT_GROUP));
        EXPECT_EQ("", Items(d, IDC_DEFAULT_CHECKLIST));
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(0u, hook.Unanswered());
}

TEST_F(PropertyDialog, AGroupWithoutChecklistsLeavesTheDefaultChecklistUnselected)
{
    database().groups.emplace_back("Empty");
    hook.AnswerDialog([](CDialog& d) {
        Choose(d, IDC_DEFAULT_GROUP, 2);
        EXPECT_EQ("", Items(d, IDC_DEFAULT_CHECKLIST));
        EXPECT_EQ(-1, Selection(d, IDC_DEFAULT_CHECKLIST));
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(2, document.GetHeader().GetDefaultGroup());
    EXPECT_EQ(0, document.GetHeader().GetDefaultCheckList());
}

TEST_F(PropertyDialog, ATextLongerThan35CharactersKeepsTheDialogOpen)
{
    bool stayedOpen = false;
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_AIRCRAFT_INFO, std::string(36, 'i').c_str());
        return IDOK;
    });
    hook.AnswerMessageBox(IDOK);
    hook.AnswerDialog([&](CDialog& d) {
        stayedOpen = !d.IsEnded();
        d.SetDlgItemText(IDC_AIRCRAFT_INFO, std::string(35, 'i').c_str());
        return IDOK;
    });
    FileProperties();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(0u, hook.Unanswered());
    ASSERT_EQ(3u, hook.Log().size());
    EXPECT_STREQ("Please enter no more than 35 characters.", static_cast<LPCTSTR>(hook.Log()[1].text));
    EXPECT_EQ(std::string(35, 'i'), document.GetHeader().GetAircraftInfo());
}

// Such a text would be written as it stands but skipped as an empty or comment
// line when the file is read again, and the file would no longer open.
TEST_F(PropertyDialog, ATextThatWouldNotReadBackIsRefusedAndTheDialogStaysOpen)
{
    const char* labels[] = {"Checklist Name", "Aircraft Make and Model", "Aircraft Information",
                            "Manufacturer Identification", "Copyright Information"};
    for (int i = 0; i < 5; ++i) {
        for (const char* bad : {"", "*", "* note"}) {
            const std::size_t shown = hook.Log().size();
            bool stayedOpen = false;
            hook.AnswerDialog([&](CDialog& d) {
                d.SetDlgItemText(textIds[i], bad);
                return IDOK;
            });
            hook.AnswerMessageBox(IDOK);
            hook.AnswerDialog([&](CDialog& d) {
                stayedOpen = !d.IsEnded();
                EXPECT_EQ(textIds[i], ::GetDlgCtrlID(::GetFocus()));
                return IDCANCEL;
            });
            FileProperties();
            EXPECT_TRUE(stayedOpen);
            EXPECT_EQ(0u, hook.Unanswered());
            ASSERT_EQ(shown + 3, hook.Log().size());
            EXPECT_EQ(std::string("The ") + labels[i] + " cannot be empty or begin with \"*\".",
                      static_cast<LPCTSTR>(hook.Log()[shown + 1].text));
        }
    }
    EXPECT_FALSE(document.IsModified());

    // A star after the first character, or a leading blank, reads back and is taken.
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_CHECKLIST_NAME, "PN *1*");
        d.SetDlgItemText(IDC_COPYRIGHT_INFO, " *");
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ("PN *1*", document.GetHeader().GetCheckListName());
    EXPECT_EQ(" *", document.GetHeader().GetCopyrightInfo());
}

TEST_F(PropertyDialog, OnlyTheFirst256GroupsAndChecklistsCanBeDefaults)
{
    Group_t& big = database().groups.front();
    for (int i = 0; i < 300; ++i) {
        database().groups.emplace_back("G" + std::to_string(i));
        big.checklists.emplace_back("C" + std::to_string(i));
    }
    document.GetHeader().SetDefaultGroup(0);
    document.GetHeader().SetDefaultCheckList(255);
    hook.AnswerDialog([](CDialog& d) {
        EXPECT_EQ(256, static_cast<int>(::SendMessageA(Item(d, IDC_DEFAULT_GROUP), CB_GETCOUNT, 0, 0)));
        EXPECT_EQ(256, static_cast<int>(::SendMessageA(Item(d, IDC_DEFAULT_CHECKLIST), CB_GETCOUNT, 0, 0)));
        EXPECT_EQ(255, Selection(d, IDC_DEFAULT_CHECKLIST));
        Choose(d, IDC_DEFAULT_GROUP, 255);
        return IDOK;
    });
    FileProperties();
    EXPECT_EQ(255, document.GetHeader().GetDefaultGroup());
}

TEST_F(PropertyDialog, ASelectionChangeWithoutASelectionIsAnInternalFault)
{
    for (int id : {IDC_DEFAULT_GROUP, IDC_DEFAULT_CHECKLIST}) {
        KivPropertyDialog_t dialog(document.GetHeader(), true);
        hook.AnswerDialog([id](CDialog& d) {
            Choose(d, id, -1);
            return IDCANCEL;
        });
        ExpectRaise<glo::Assert_t>([&] { dialog.DoModal(); }, "KivPropertyDialog",
                                   id == IDC_DEFAULT_GROUP ? 149 : 183);
    }
}

TEST(PropertyDialogHeader, GetHeaderKeepsWhatTheDialogDoesNotEdit)
{
    KivFileHeader_t header;
    header.SetUserMade(0);
    header.SetRevision(200);
    const KivPropertyDialog_t dialog(header, true);
    EXPECT_EQ(header, dialog.GetHeader());
    EXPECT_EQ(0, dialog.GetHeader().GetUserMade());
}
