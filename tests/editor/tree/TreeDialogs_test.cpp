// The commands that ask through a dialog: add a group, checklist or entry (shown
// in the tree while the dialog is open) and the properties of one, answered by
// the test hook; the double click that opens them; a file dropped meanwhile.
#include "tests/editor/tree/TreeTestApp.h"

#include "editor/file/KivFile.h"
#include "editor/file/KivFileHeader.h"
#include "editor/shell/ResourceIds.h"
#include "tests/editor/TempFolder.h"

#include <shlobj.h>

using app::Entry_t;
using app::Position_t;

namespace tree_test {
namespace {

// A drop of one file, as the shell hands it to the window it was dropped on.
HDROP MakeDrop(const std::string& path)
{
    HGLOBAL drop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    auto* files = static_cast<DROPFILES*>(::GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    path.copy(reinterpret_cast<char*>(files + 1), path.size());
    ::GlobalUnlock(drop);
    return static_cast<HDROP>(drop);
}

std::string DialogText(CDialog& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return text.GetString();
}

// Answers the name dialog with the name typed into it (OK) and notes what it showed.
int AnswerName(CDialog& dialog, const char* name, std::string* shown = nullptr)
{
    if (shown)
        *shown = DialogText(dialog, IDC_TITLE_NAME);
    dialog.SetDlgItemText(IDC_TITLE_NAME, name);
    return IDOK;
}

class TreeDialogs : public SampleTest {
protected:
    void SetUp() override
    {
        SampleTest::SetUp();
        Control().Expand(Tree().GetGroupItem(0), TVE_EXPAND);
        Control().Expand(Tree().GetCheckListItem(Position_t(0, 0)), TVE_EXPAND);
    }
    static std::string Label(HTREEITEM item) { return Control().GetItemText(item).GetString(); }
    static const app::Group_t& GroupAt(int group) { return *Doc().GetDatabase().GroupAt(group); }
};

TEST_F(TreeDialogs, AddNewGroupOnTheEndOfGroupsWithAnEmptyNameAppendsTheNewGroupWhichOneUndoRemoves)
{
    const HTREEITEM endOfGroups = Tree().GetGroupItem(3);
    Select(endOfGroups);
    CTestHook hook;
    std::string preview;
    std::string shownName;
    size_t groupsWhileOpen = 0;
    hook.AnswerDialog([&](CDialog& dialog) {
        preview = TreeText();
        groupsWhileOpen = Doc().GetDatabase().groups.size();
        return AnswerName(dialog, "", &shownName);
    });
    FrameCommand(ID_ADD_NEW_GROUP);
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(CString(_T("Group Properties")), hook.Log()[0].text);
    EXPECT_EQ(static_cast<UINT>(IDD_TITLE_EDITOR), hook.Log()[0].style);
    EXPECT_EQ("New Group", shownName);
    // While the dialog was open the tree showed the group; the database did not hold it.
    EXPECT_NE(std::string::npos, preview.find("|G New Group|C   New Checklist|E     New Entry|"));
    EXPECT_EQ(3u, groupsWhileOpen);

    ASSERT_EQ(4u, Doc().GetDatabase().groups.size());
    const app::Group_t& added = GroupAt(3);
    EXPECT_EQ("New Group", added.name);
    ASSERT_EQ(1u, added.checklists.size());
    EXPECT_EQ("New Checklist", added.checklists.front().name);
    ASSERT_EQ(1u, added.checklists.front().entries.size());
    EXPECT_EQ(Entry_t("New Entry", Entry_t::Challenge, Entry_t::Left), added.checklists.front().entries.front());
    EXPECT_TRUE(TreeMirrorsDatabase());
    EXPECT_EQ(endOfGroups, Tree().GetCaretItem());

    Doc().OnEditUndo();
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeDialogs, AddNewChecklistGoesBeforeTheCaretChecklistUnderTheNameTyped)
{
    const HTREEITEM engineStart = Tree().GetCheckListItem(Position_t(0, 1));
    Select(engineStart);
    MakeRedoable();
    Select(engineStart);
    CTestHook hook;
    hook.AnswerDialog([](CDialog& dialog) { return AnswerName(dialog, "Before Engine Start"); });
    FrameCommand(ID_ADD_NEW_CHECKLIST);
    EXPECT_EQ(CString(_T("Checklist Properties")), hook.Log().at(0).text);
    EXPECT_TRUE(Doc().GetRedoJournal().IsEmpty());
    EXPECT_EQ("Before Engine Start", GroupAt(0).CheckListAt(1)->name);
    EXPECT_EQ("New Entry", GroupAt(0).CheckListAt(1)->entries.front().text);
    EXPECT_EQ(engineStart, Tree().GetCaretItem());
    EXPECT_EQ(2, Doc().GetSelectedCheckList());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeDialogs, AddNewEntryCancelledLeavesTreeAndJournalsAsTheyWere)
{
    Doc().GetDatabase().RenameGroup(Position_t(1), "Landed");
    MakeRedoable();
    Select(Tree().GetEntryItem(Position_t(0, 0, 1)));
    const std::string tree = TreeText();
    CTestHook hook;
    std::string preview;
    hook.AnswerDialog([&](CDialog&) {
        preview = TreeText();
        return IDCANCEL;
    });
    FrameCommand(ID_ADD_NEW_ENTRY);
    EXPECT_EQ(static_cast<UINT>(IDD_ENTRY_EDITOR), hook.Log().at(0).style);
    EXPECT_NE(std::string::npos, preview.find("E     Battery|E     New Entry|E     Flaps"));
    EXPECT_EQ(tree, TreeText());
    EXPECT_FALSE(Doc().GetUndoJournal().IsEmpty());
    EXPECT_FALSE(Doc().GetRedoJournal().IsEmpty());
    Doc().OnEditRedo();
    Doc().OnEditUndo();
    Doc().OnEditUndo();
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_TRUE(Doc().GetUndoJournal().IsEmpty());
}

TEST_F(TreeDialogs, AddNewEntryWithItsTextErasedAddsTheEntryEntryAtTheEnd)
{
    Select(Tree().GetEntryItem(Position_t(0, 0, 3)));   // "<End Of Entries>"
    CTestHook hook;
    hook.AnswerDialog([](CDialog& dialog) {
        dialog.SetDlgItemText(IDC_ENTRY_TEXT, "");
        return IDOK;
    });
    FrameCommand(ID_ADD_NEW_ENTRY);
    EXPECT_EQ(Entry_t("Entry"), GroupAt(0).CheckListAt(0)->entries.back());
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeDialogs, GroupPropertiesOkWithoutAChangeRecordsNothingButEmptiesTheRedoJournal)
{
    MakeRedoable();
    Select(Tree().GetGroupItem(1));
    CTestHook hook;
    std::string shown;
    hook.AnswerDialog([&](CDialog& dialog) { return AnswerName(dialog, "After Landing", &shown); });
    FrameCommand(ID_GROUP_PROPERTIES);
    EXPECT_EQ("After Landing", shown);
    EXPECT_TRUE(Doc().GetUndoJournal().IsEmpty());
    EXPECT_TRUE(Doc().GetRedoJournal().IsEmpty());
    EXPECT_EQ(sampleText, DatabaseText());
}

TEST_F(TreeDialogs, ErasedNamesAndTextsBecomeGroupChecklistAndEntry)
{
    CTestHook hook;
    hook.AnswerDialog([](CDialog& dialog) { return AnswerName(dialog, ""); });
    hook.AnswerDialog([](CDialog& dialog) { return AnswerName(dialog, ""); });
    hook.AnswerDialog([](CDialog& dialog) {
        dialog.SetDlgItemText(IDC_ENTRY_TEXT, "");
        return IDOK;
    });
    Select(Tree().GetGroupItem(1));
    FrameCommand(ID_GROUP_PROPERTIES);
    Select(Tree().GetCheckListItem(Position_t(0, 1)));
    FrameCommand(ID_CHECKLIST_PROPERTIES);
    Select(Tree().GetEntryItem(Position_t(0, 0, 2)));
    FrameCommand(ID_ENTRY_PROPERTIES);
    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ("Group", GroupAt(1).name);
    EXPECT_EQ("Checklist", GroupAt(0).CheckListAt(1)->name);
    EXPECT_EQ(Entry_t("Entry", Entry_t::Note, Entry_t::Indent1), *GroupAt(0).CheckListAt(0)->EntryAt(2));
    EXPECT_EQ("Entry", Label(Tree().GetEntryItem(Position_t(0, 0, 2))));
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeDialogs, CancelledPropertiesChangeNothing)
{
    MakeRedoable();
    Select(Tree().GetEntryItem(Position_t(0, 0, 1)));
    CTestHook hook;
    hook.AnswerDialog([](CDialog& dialog) {
        dialog.SetDlgItemText(IDC_ENTRY_RESPONSE, "DOWN");
        return IDCANCEL;
    });
    FrameCommand(ID_ENTRY_PROPERTIES);
    EXPECT_EQ(1u, hook.Log().size());
    EXPECT_EQ(sampleText, DatabaseText());
    EXPECT_FALSE(Doc().GetRedoJournal().IsEmpty());
}

TEST_F(TreeDialogs, DoubleClickingAnEntryOpensTheEntryEditorAndTheTreeDoesNotExpandOrCollapse)
{
    const HTREEITEM flaps = Tree().GetEntryItem(Position_t(0, 0, 1));
    CTestHook hook;
    std::string response;
    hook.AnswerDialog([&](CDialog& dialog) {
        response = DialogText(dialog, IDC_ENTRY_RESPONSE);
        dialog.SetDlgItemText(IDC_ENTRY_RESPONSE, "FULL");
        return IDOK;
    });
    DoubleClick(flaps);
    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ("SET", response);
    EXPECT_EQ("FULL", GroupAt(0).CheckListAt(0)->EntryAt(1)->response);
    EXPECT_EQ(flaps, Tree().GetCaretItem());

    // A double click on a checklist renames it and leaves it expanded.
    const HTREEITEM cockpit = Tree().GetCheckListItem(Position_t(0, 0));
    hook.AnswerDialog([](CDialog& dialog) { return AnswerName(dialog, "Flight Deck"); });
    DoubleClick(cockpit);
    EXPECT_EQ("Flight Deck", GroupAt(0).CheckListAt(0)->name);
    EXPECT_TRUE(TreeView_GetItemState(Control().m_hWnd, cockpit, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(TreeMirrorsDatabase());
}

TEST_F(TreeDialogs, ALockedDocumentOpensNoDialog)
{
    Lock();
    CTestHook hook;
    for (HTREEITEM item : { Tree().GetGroupItem(0), Tree().GetCheckListItem(Position_t(0, 0)),
                            Tree().GetEntryItem(Position_t(0, 0, 0)) }) {
        Select(item);
        for (UINT command : { ID_ADD_NEW_GROUP, ID_ADD_NEW_CHECKLIST, ID_ADD_NEW_ENTRY, ID_GROUP_PROPERTIES,
                              ID_CHECKLIST_PROPERTIES, ID_ENTRY_PROPERTIES })
            ViewCommand(command);
        DoubleClick(item);
    }
    EXPECT_TRUE(hook.Log().empty());
    EXPECT_EQ(sampleText, DatabaseText());
}

TEST_F(TreeDialogs, AFileDroppedWhileAddNewEntryIsOpenOpensNothingAndOkAddsTheEntryToTheDocumentShown)
{
    TempFolder folder;
    const std::string dropped = folder.File("Dropped.kiv");
    app::Database_t other;
    other.groups.push_back(app::Group_t("Other"));
    ASSERT_TRUE(app::WriteKivFile(dropped, app::KivFileHeader_t(), other));
    Select(Tree().GetEntryItem(Position_t(0, 0, 1)));
    CTestHook hook;
    bool frameEnabled = true;
    std::string whileOpen;
    hook.AnswerDialog([&](CDialog&) {
        frameEnabled = Frame().IsWindowEnabled() != FALSE;
        Frame().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)));
        whileOpen = DatabaseText();
        return IDOK;
    });
    FrameCommand(ID_ADD_NEW_ENTRY);
    EXPECT_FALSE(frameEnabled);
    EXPECT_EQ(sampleText, whileOpen);
    EXPECT_TRUE(Doc().GetPathName().IsEmpty());
    EXPECT_EQ("New Entry", GroupAt(0).CheckListAt(0)->EntryAt(1)->text);
    EXPECT_TRUE(TreeMirrorsDatabase());
    EXPECT_EQ(1u, hook.Log().size());

    // With no dialog open the file dropped is opened.
    hook.AnswerMessageBox(IDNO);   // Save changes?
    Frame().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)));
    EXPECT_EQ(0u, hook.Unanswered());
    EXPECT_EQ(dropped, Doc().GetPathName().GetString());
    ASSERT_EQ(1u, Doc().GetDatabase().groups.size());
    EXPECT_EQ("Other", GroupAt(0).name);
    EXPECT_TRUE(TreeMirrorsDatabase());
}

} // namespace
} // namespace tree_test
