// The document: new, open (and its refusals), the lock, the sound save, undo
// and redo with their enabling, Save enabling.
#include <gtest/gtest.h>

#include <windows.h>


#include "editor/shell/Application.h"
#include "editor/file/Crc.h"
#include "editor/document/Document.h"
#include "editor/shell/ResourceIds.h"
#include "editor/file/SafeSave.h"
#include "editor/tree/TreeView.h"
#include "editor/model/UndoActions.h"
#include "framework/CTestHook.h"
#include "foundation/glo/GLO_Exception.h"
#include "tests/editor/document/RecordingObserver.h"
#include "tests/editor/DiskFaults.h"
#include "tests/editor/TempFolder.h"

using app::CheckList_t;
using app::Document_t;
using app::Entry_t;
using app::Group_t;
using app::Position_t;

namespace {

// The file of a new header with "New Group" / "New Checklist" / "New Entry".
std::string NewFileBytes(bool oem)
{
    std::string bytes = "\xF0\xF0\xF0\xF0";
    bytes += '\0';
    bytes += oem ? '\0' : '\1';
    bytes += std::string(2, '\0');
    bytes += "\r\nQUOREL CHECKLIST PN XXX-XXXXX-XX\r\nAircraft Make and Model\r\nAircraft specific identification\r\n"
             "Manufacturer Identification\r\nCopyright Information\r\n<0New Group\r\n(0New Checklist\r\n"
             "c0New Entry\r\n)\r\n>\r\nEND\r\n";
    bytes += oem ? "\xE3\xA9\xC8\xFF" : "\x27\xE1\xF5\xAD";
    return bytes;
}

// The bytes followed by their CRC trailer.
std::string WithTrailer(std::string bytes)
{
    std::uint32_t crc = app::Crc_t::Compute(bytes.data(), bytes.size());
    for (int i = 0; i < 4; ++i, crc >>= 8)
        bytes += static_cast<char>(crc & 0xFF);
    return bytes;
}

// The texts of the messages the hook answered.
std::vector<std::string> Messages(const CTestHook& hook)
{
    std::vector<std::string> texts;
    for (const CTestHook::Shown& shown : hook.Log())
        texts.push_back(static_cast<LPCTSTR>(shown.text));
    return texts;
}

// A view that counts the document's updates, and one that is also the database's observer.
class CountingView_t : public CView {
public:
    int updates = 0;
    CView* lastSender = nullptr;
    void OnDraw(CDC*) override {}
    void OnUpdate(CView* sender, LPARAM, CObject*) override
    {
        ++updates;
        lastSender = sender;
    }
};

class ObserverView_t : public CountingView_t, public app_test::RecordingObserver_t {};

// Save As asks the application for a file name.
CWinApp application;

// The steps of a save that the step seam makes fail, one test at a time.
app::SaveStep_t failingStep;
unsigned long failingCode;
unsigned long FailStep(app::SaveStep_t step)
{
    return step == failingStep ? failingCode : 0;
}

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest()
    {
        document.AddView(&tree);
        document.AddView(&preview);
        document.GetDatabase().SetObserver(&tree);
        app::Application_t::SetOemMode(false);
    }
    ~DocumentTest() override
    {
        document.RemoveView(&tree);
        document.RemoveView(&preview);
        app::SetSaveFault(nullptr);
        app::Application_t::SetOemMode(false);
    }

    // What the Add New Group command of a new document produces.
    void AddNewGroup()
    {
        Group_t group("New Group");
        CheckList_t checkList("New Checklist");
        checkList.entries.push_back(Entry_t("New Entry"));
        group.checklists.push_back(checkList);
        document.GetDatabase().InsertGroup(Position_t(0), group);
    }

    bool Enabled(void (Document_t::*update)(CCmdUI*))
    {
        CCmdStateUI state;
        (document.*update)(&state);
        return state.m_bEnabled;
    }

    // Saves the document as path, the disk full, answering the failure's message.
    static void FailedSaveAs(Document_t& saving, const std::string& path)
    {
        DiskFault full(DiskFull);
        CTestHook hook;
        hook.AnswerFileDialog(path.c_str());
        hook.AnswerMessageBox(IDOK);
        EXPECT_FALSE(saving.DoSave(nullptr));
        EXPECT_EQ(0u, hook.Unanswered());
    }

    // Opens the file, answering whatever message box it shows with OK; returns
    // the texts of the messages shown.
    std::vector<std::string> Open(const std::string& path, BOOL* result)
    {
        CTestHook hook;
        *result = document.OnOpenDocument(path.c_str());
        return Messages(hook);
    }

    TempFolder folder;
    Document_t document;
    ObserverView_t tree;
    CountingView_t preview;
};

} // namespace

TEST(CurrentDocument, IsAnAssertionBeforeADocumentExists)
{
    try {
        app::CurrentDocument();
        ADD_FAILURE() << "no assertion";
    } catch (const glo::Assert_t& e) {
        EXPECT_STREQ("Document", e.GetFile());
        EXPECT_EQ(36, e.GetLine());
    }
    Document_t document;
    EXPECT_EQ(&document, &app::CurrentDocument());
}

TEST_F(DocumentTest, EditsMarkModifiedAndUpdateEveryViewButTheTree)
{
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_FALSE(document.IsModified());
    AddNewGroup();
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(1, preview.updates);
    EXPECT_EQ(static_cast<CView*>(&tree), preview.lastSender);
    EXPECT_EQ(0, tree.updates);
    ASSERT_EQ(1u, tree.calls.size());
    EXPECT_EQ("InsertGroupItem 0.0.0 New Group redraw", tree.calls[0]);
}

TEST_F(DocumentTest, NewDocumentIsEmptyUnlockedAndUnmodified)
{
    AddNewGroup();
    document.GetHeader().SetCheckListName("Other");
    document.SetSelectedGroup(2);
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_TRUE(document.GetDatabase().groups.empty());
    EXPECT_TRUE(document.GetHeader() == app::KivFileHeader_t());
    EXPECT_TRUE(document.GetUndoJournal().IsEmpty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.IsLocked());
    EXPECT_EQ(2, document.GetSelectedGroup());
    EXPECT_EQ(0, document.GetSelectedCheckList());
    app::Application_t::SetOemMode(true);
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(0, document.GetHeader().GetUserMade());
    EXPECT_FALSE(document.IsLocked());
}

TEST_F(DocumentTest, SavedFileHasExactlyTheFileFormsBytes)
{
    const std::string path = folder.File("new.kiv");
    ASSERT_TRUE(document.OnNewDocument());
    AddNewGroup();
    ASSERT_TRUE(document.OnSaveDocument(path.c_str()));
    EXPECT_EQ(NewFileBytes(false), ReadBytes(path));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(std::vector<std::string>{"new.kiv"}, folder.Files());

    app::Application_t::SetOemMode(true);
    ASSERT_TRUE(document.OnSaveDocument(path.c_str()));
    EXPECT_EQ(NewFileBytes(true), ReadBytes(path));
    EXPECT_EQ(0, document.GetHeader().GetUserMade());
}

TEST_F(DocumentTest, OpenReadsTheFileAndDecidesTheLock)
{
    const std::string path = folder.File("made.kiv");
    WriteBytes(path, NewFileBytes(true));
    AddNewGroup();
    BOOL opened = FALSE;
    EXPECT_TRUE(Open(path, &opened).empty());
    ASSERT_TRUE(opened);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.GetUndoJournal().IsEmpty());
    ASSERT_EQ(1u, document.GetDatabase().groups.size());
    EXPECT_EQ("New Entry", document.GetDatabase().GroupAt(0)->CheckListAt(0)->EntryAt(0)->text);
    EXPECT_TRUE(document.IsLocked());  // made in OEM mode, opened outside it

    WriteBytes(path, NewFileBytes(false));
    Open(path, &opened);
    EXPECT_FALSE(document.IsLocked());

    app::Application_t::SetOemMode(true);
    WriteBytes(path, NewFileBytes(true));
    Open(path, &opened);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(document.IsLocked());
}

TEST_F(DocumentTest, OpenRefusesAFileThatIsNotAKivFile)
{
    const std::string path = folder.File("other.kiv");
    std::string bytes = NewFileBytes(false);
    bytes[0] = 'X';
    // A valid trailer does not help: the signature is tested first.
    WriteBytes(path, WithTrailer(bytes.substr(0, bytes.size() - 4)));
    AddNewGroup();
    CTestHook hook;
    EXPECT_FALSE(document.OnOpenDocument(path.c_str()));
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ("\"" + path + "\" is not an KIV file.", Messages(hook)[0]);
    EXPECT_EQ(UINT(MB_OK), hook.Log()[0].style);  // an OK button, no icon
    EXPECT_TRUE(document.GetDatabase().groups.empty());
    EXPECT_TRUE(document.GetUndoJournal().IsEmpty());
}

TEST_F(DocumentTest, OpenRefusesADamagedTrailerOrAMissingEndAsCorrupt)
{
    const std::string path = folder.File("damaged.kiv");
    const std::string corrupt = "The Kiv document, \"" + path + "\", is corrupt.";
    std::string bytes = NewFileBytes(false);
    bytes.back() ^= 1;
    WriteBytes(path, bytes);
    BOOL opened = TRUE;
    EXPECT_EQ(std::vector<std::string>{corrupt}, Open(path, &opened));
    EXPECT_FALSE(opened);

    // No "END" line, with a trailer that matches.
    bytes = NewFileBytes(false);
    bytes.erase(bytes.find("END\r\n"), 5);
    WriteBytes(path, WithTrailer(bytes.substr(0, bytes.size() - 4)));
    EXPECT_EQ(std::vector<std::string>{corrupt}, Open(path, &opened));
    EXPECT_FALSE(opened);
    EXPECT_TRUE(document.GetDatabase().groups.empty());

    ResizeFile(path, 0x80000001ull);   // more than a 32-bit process can hold: refused unread
    document.GetHeader().SetCheckListName("unread");
    EXPECT_EQ(std::vector<std::string>{corrupt}, Open(path, &opened));
    EXPECT_EQ("unread", document.GetHeader().GetCheckListName());
}

TEST_F(DocumentTest, OpenRefusesAFileShorterThanItsHeaderAsNotAKivFile)
{
    const std::string path = folder.File("short.kiv");
    const std::string notKiv = "\"" + path + "\" is not an KIV file.";
    for (const std::string& bytes : {std::string(), NewFileBytes(false).substr(0, 5),
                                     NewFileBytes(false).substr(0, 30)}) {
        WriteBytes(path, bytes);
        AddNewGroup();
        BOOL opened = TRUE;
        EXPECT_EQ(std::vector<std::string>{notKiv}, Open(path, &opened)) << bytes.size() << " bytes";
        EXPECT_FALSE(opened);
        EXPECT_TRUE(document.GetDatabase().groups.empty());
    }
}

TEST_F(DocumentTest, OpenOfAMissingFileOrADeviceReportsAndKeepsTheContents)
{
    AddNewGroup();
    BOOL opened = TRUE;
    const auto messages = Open(folder.File("missing.kiv"), &opened);
    EXPECT_FALSE(opened);
    EXPECT_EQ(1u, messages.size());
    EXPECT_EQ(1u, document.GetDatabase().groups.size());

    // A device is never read: a port would wait for its bytes for ever (the test's time limit ends it).
    EXPECT_EQ(std::vector<std::string>{"Failed to open document."}, Open(folder.File("NUL.kiv"), &opened));
    EXPECT_EQ(1u, Open(folder.File("AUX.kiv"), &opened).size());   // without a port, refused as missing
    EXPECT_EQ(1u, document.GetDatabase().groups.size());
}

TEST_F(DocumentTest, AFailingSaveStepLeavesTheOldFileAndTheDocumentModified)
{
    const std::string path = folder.File("kept.kiv");
    WriteBytes(path, NewFileBytes(true));
    ASSERT_TRUE(document.OnNewDocument());
    AddNewGroup();
    document.GetDatabase().RenameGroup(Position_t(0), "Changed");
    const auto expectFailure = [&](unsigned long code) {
        CTestHook hook;
        EXPECT_FALSE(document.OnSaveDocument(path.c_str()));
        EXPECT_EQ(NewFileBytes(true), ReadBytes(path));
        EXPECT_TRUE(document.IsModified());
        EXPECT_EQ(std::vector<std::string>{"kept.kiv"}, folder.Files());
        const std::vector<std::string> messages = Messages(hook);
        ASSERT_EQ(1u, messages.size());
        EXPECT_NE(std::string::npos, messages[0].find(path));
        EXPECT_NE(std::string::npos, messages[0].find(win::GetErrorText(code)));
    };
    for (const DiskFailure& failure : diskFailures) {
        SCOPED_TRACE(failure.what);
        DiskFault fault(failure.fault);
        expectFailure(failure.code);
    }
    app::SetSaveFault(FailStep);
    for (app::SaveStep_t step : {app::SaveStep_t::CreateTemporary, app::SaveStep_t::Replace}) {
        failingStep = step;
        failingCode = ERROR_ACCESS_DENIED;
        expectFailure(failingCode);
    }
    app::SetSaveFault(nullptr);
    EXPECT_TRUE(document.OnSaveDocument(path.c_str()));
    EXPECT_NE(std::string::npos, ReadBytes(path).find("Changed"));
}

TEST_F(DocumentTest, AFailedSaveAsOverAnExistingFileKeepsIt)
{
    const std::string path = folder.File("other.kiv");
    WriteBytes(path, NewFileBytes(false));
    AddNewGroup();
    FailedSaveAs(document, path);
    EXPECT_EQ(NewFileBytes(false), ReadBytes(path));
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, AFailedSaveUnderANewNameLeavesNoFileBehind)
{
    const std::string path = folder.File("fresh.kiv");
    AddNewGroup();
    DiskFault full(DiskFull);
    CTestHook hook;
    EXPECT_FALSE(document.OnSaveDocument(path.c_str()));
    EXPECT_TRUE(folder.Files().empty());
    EXPECT_TRUE(document.IsModified());
}

// Another program makes the file just before the save opens it.
class RacedDocument_t : public Document_t {
public:
    CFile* GetFile(LPCTSTR path, UINT flags, CFileException* error) override
    {
        WriteBytes(path, "another program's file");
        return Document_t::GetFile(path, flags, error);
    }
};

TEST_F(DocumentTest, AFailedSaveAsKeepsAFileThatItDidNotMake)
{
    const std::string path = folder.File("theirs.kiv");
    RacedDocument_t raced;
    Group_t group("Group");
    raced.GetDatabase().groups.push_back(group);
    FailedSaveAs(raced, path);
    EXPECT_EQ("another program's file", ReadBytes(path));
}

TEST_F(DocumentTest, SaveIntoAVanishedFolderReportsAndKeepsTheDocumentModified)
{
    AddNewGroup();
    CTestHook hook;
    EXPECT_FALSE(document.OnSaveDocument((folder.File("gone\\file.kiv")).c_str()));
    EXPECT_EQ(1u, hook.Log().size());
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTest, SaveIsEnabledWithGroupsAndChanges)
{
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_FALSE(Enabled(&Document_t::OnUpdateFileSave));
    AddNewGroup();
    EXPECT_TRUE(Enabled(&Document_t::OnUpdateFileSave));
    ASSERT_TRUE(document.OnSaveDocument((folder.File("a.kiv")).c_str()));
    EXPECT_FALSE(Enabled(&Document_t::OnUpdateFileSave));
    document.GetDatabase().EraseGroup(Position_t(0));
    EXPECT_TRUE(document.IsModified());
    EXPECT_FALSE(Enabled(&Document_t::OnUpdateFileSave));
}

TEST_F(DocumentTest, UndoAndRedoMoveOneStepBetweenTheJournals)
{
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_FALSE(Enabled(&Document_t::OnUpdateEditUndo));
    EXPECT_FALSE(Enabled(&Document_t::OnUpdateEditRedo));
    document.OnEditUndo();  // nothing to undo: nothing happens
    AddNewGroup();
    document.GetDatabase().RenameGroup(Position_t(0), "Renamed");
    EXPECT_TRUE(Enabled(&Document_t::OnUpdateEditUndo));

    document.OnEditUndo();
    EXPECT_EQ("New Group", document.GetDatabase().GroupAt(0)->name);
    EXPECT_TRUE(Enabled(&Document_t::OnUpdateEditRedo));
    EXPECT_EQ(&document.GetUndoJournal(), document.GetDatabase().GetJournal());

    document.OnEditRedo();
    EXPECT_EQ("Renamed", document.GetDatabase().GroupAt(0)->name);
    EXPECT_FALSE(Enabled(&Document_t::OnUpdateEditRedo));
    EXPECT_EQ(2u, document.GetUndoJournal().GetCount());
    EXPECT_TRUE(tree.Mirrors(document.GetDatabase()));
}

TEST_F(DocumentTest, CommandsReachTheirHandlersThroughTheMessageMap)
{
    AddNewGroup();
    EXPECT_TRUE(document.OnCmdMsg(ID_EDIT_UNDO, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(document.GetDatabase().groups.empty());
    CCmdStateUI redo;
    redo.m_nID = ID_EDIT_REDO;
    EXPECT_TRUE(document.OnCmdMsg(ID_EDIT_REDO, CN_UPDATE_COMMAND_UI, &redo, nullptr));
    EXPECT_TRUE(redo.m_bEnabled);
    EXPECT_TRUE(document.OnCmdMsg(ID_EDIT_REDO, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(1u, document.GetDatabase().groups.size());
    CCmdStateUI save;
    save.m_nID = ID_FILE_SAVE;
    EXPECT_TRUE(document.OnCmdMsg(ID_FILE_SAVE, CN_UPDATE_COMMAND_UI, &save, nullptr));
    EXPECT_TRUE(save.m_bEnabled);
    // File Properties (130) is the document's command.
    EXPECT_TRUE(document.OnCmdMsg(130, CN_COMMAND, nullptr, nullptr));
}

TEST(DocumentCreation, TheTemplateCreatesItByItsRunTimeClassAndItBecomesCurrent)
{
    CObject* created = RUNTIME_CLASS(Document_t)->CreateObject();
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(created, &app::CurrentDocument());
    delete created;
}

TEST_F(DocumentTest, ErasedGroupResetsTheDefaultsAndUndoDoesNotRestoreThem)
{
    AddNewGroup();
    document.GetHeader().SetDefaultGroup(0);
    document.GetHeader().SetDefaultCheckList(3);
    // The tree's Delete command on the group, in a tree view of this document.
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, _T("STATIC"), _T(""), WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
    auto* treeView = new app::TreeView_t;   // deleted with its window
    ASSERT_TRUE(treeView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &parent,
                                 AFX_IDW_PANE_FIRST));
    treeView->RebuildTree();   // the group's item is the caret
    treeView->SendMessage(WM_COMMAND, ID_EDIT_DELETE);
    EXPECT_TRUE(document.GetDatabase().groups.empty());
    EXPECT_EQ(0, document.GetDefaultCheckList());
    document.OnEditUndo();
    EXPECT_EQ(1u, document.GetDatabase().groups.size());
    EXPECT_EQ(0, document.GetDefaultGroup());
    EXPECT_EQ(0, document.GetDefaultCheckList());
}

TEST_F(DocumentTest, UnchangedPropertiesLeaveTheModifiedFlag)
{
    app::KivFileHeader_t edited = document.GetHeader();
    document.TakeProperties(edited);
    EXPECT_FALSE(document.IsModified());
    edited.SetCopyrightInfo("(c) crew");
    document.TakeProperties(edited);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ("(c) crew", document.GetHeader().GetCopyrightInfo());
    EXPECT_TRUE(document.GetUndoJournal().IsEmpty());
}

TEST(CurrentDocument, WithoutADocumentAnEditAssertsAfterItsChangeRecordAndNotification)
{
    app::Database_t database;
    jnl::Journal_t journal;
    app_test::RecordingObserver_t observer;
    database.SetJournal(&journal);
    database.SetObserver(&observer);
    try {
        database.InsertGroup(Position_t(0), Group_t("g"));
        ADD_FAILURE() << "no assertion";
    } catch (const glo::Assert_t& e) {
        EXPECT_STREQ("Document", e.GetFile());
        EXPECT_EQ(36, e.GetLine());
    }
    EXPECT_EQ(1u, database.groups.size());
    EXPECT_EQ(1u, journal.GetCount());
    EXPECT_EQ(1u, observer.calls.size());
    journal.Clear();
}
