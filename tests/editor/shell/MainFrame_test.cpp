// The main frame: its bars, the splitter with the tree and the preview, the
// command table's menu, toolbar and keys, the title and the document names, the
// end of the Windows session, and a file that cannot be opened.
#include "editor/document/Document.h"
#include "editor/document/KivSingleDocTemplate.h"
#include "editor/file/KivFile.h"
#include "editor/file/KivFileHeader.h"
#include "editor/model/Database.h"
#include "editor/shell/ResourceIds.h"
#include "editor/tree/TreeView.h"
#include "editor/preview/View.h"
#include "tests/editor/shell/ShellTestApp.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::string WindowText(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// The ids of a menu's items in order; 0 for a separator, -1 for a popup.
std::vector<int> MenuIds(HMENU menu)
{
    std::vector<int> ids;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        ids.push_back(::GetSubMenu(menu, i) ? -1 : static_cast<int>(::GetMenuItemID(menu, i)));
    return ids;
}

std::string MenuText(HMENU menu, UINT id)
{
    char text[128] = {};
    ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

// The command a key with these modifiers (FCONTROL, FSHIFT, FALT) gives; 0 for none.
int CommandOfKey(HACCEL table, WORD key, BYTE modifiers)
{
    std::vector<ACCEL> keys(::CopyAcceleratorTableA(table, nullptr, 0));
    ::CopyAcceleratorTableA(table, keys.data(), static_cast<int>(keys.size()));
    for (const ACCEL& accel : keys) {
        if (accel.key == key && (accel.fVirt & ~FNOINVERT) == (FVIRTKEY | modifiers))
            return accel.cmd;
    }
    return 0;
}

// Presses a key on the focused window as the message loop would see it, with
// the modifiers held (FCONTROL, FSHIFT, FALT).
void PressKey(WORD key, BYTE modifiers)
{
    BYTE state[256] = {};
    state[VK_CONTROL] = (modifiers & FCONTROL) ? 0x80 : 0;
    state[VK_SHIFT] = (modifiers & FSHIFT) ? 0x80 : 0;
    state[VK_MENU] = (modifiers & FALT) ? 0x80 : 0;
    ::SetKeyboardState(state);
    const bool alt = (modifiers & FALT) != 0;
    ::PostMessageA(::GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 | 1 << 29) : 1);
    Pump();
    const BYTE none[256] = {};
    ::SetKeyboardState(const_cast<BYTE*>(none));
}

// The texts of the messages the hook answered.
std::vector<std::string> Messages(const CTestHook& hook)
{
    std::vector<std::string> texts;
    for (const CTestHook::Shown& shown : hook.Log())
        texts.push_back(shown.text.GetString());
    return texts;
}

// A new document with one group, modified.
app::Document_t& ModifiedNewDocument()
{
    Frame();
    app::CurrentDocument().SetModifiedFlag(FALSE);
    App().OnFileNew();
    app::Document_t& document = app::CurrentDocument();
    document.GetDatabase().InsertGroup(app::Position_t(0), app::Group_t("Alpha"));
    EXPECT_TRUE(document.IsModified());
    return document;
}

} // namespace

TEST(MainFrame, ToolbarHoldsTheFifteenButtonsInTheirGroups)
{
    CToolBar& toolBar = Frame().GetToolBar();
    EXPECT_EQ(AFX_IDW_TOOLBAR, toolBar.GetDlgCtrlID());
    const std::vector<UINT> expected = {ID_FILE_NEW,     ID_FILE_OPEN,        ID_FILE_SAVE,
                                        ID_SEPARATOR,    ID_EDIT_CUT,         ID_EDIT_COPY,
                                        ID_EDIT_PASTE,   ID_EDIT_DELETE,      ID_EDIT_UNDO,
                                        ID_EDIT_REDO,    ID_SEPARATOR,        ID_ADD_NEW_GROUP,
                                        ID_ADD_NEW_CHECKLIST, ID_ADD_NEW_ENTRY,       ID_SEPARATOR,
                                        ID_GROUP_PROPERTIES, ID_CHECKLIST_PROPERTIES, ID_ENTRY_PROPERTIES};
    std::vector<UINT> buttons;
    for (int i = 0; i < toolBar.GetCount(); ++i)
        buttons.push_back(toolBar.GetItemID(i));
    EXPECT_EQ(expected, buttons);
    EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_TOOLTIPS);
    EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_FLYBY);
    EXPECT_TRUE(toolBar.IsWindowVisible());
}

// A scheme chosen while the editor runs reaches the toolbar through its frame, to
// which Windows sends the change.
TEST(MainFrame, ToolbarPicturesTakeTheButtonColoursOfASchemeChosenWhileTheEditorRuns)
{
    CToolBar toolBar;
    EXPECT_TRUE(toolBar.CreateEx(&Frame(), TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 1));
    EXPECT_TRUE(toolBar.LoadToolBar(IDR_MAINFRAME));
    AfxSetSysColorQueryForTest(&BlackFaceColour);
    Frame().SendMessage(WM_SYSCOLORCHANGE);
    AfxSetSysColorQueryForTest(nullptr);
    CClientDC screen(nullptr);
    CBitmap given, shown;
    given.LoadBitmap(IDR_MAINFRAME);
    shown.CreateCompatibleBitmap(&screen, 15 * 16, 15);
    CDC givenDC, shownDC;
    givenDC.CreateCompatibleDC(&screen);
    shownDC.CreateCompatibleDC(&screen);
    givenDC.SelectObject(&given);
    shownDC.SelectObject(&shown);
    for (int image = 0; image < 15; ++image)
        ::ImageList_Draw(reinterpret_cast<HIMAGELIST>(toolBar.SendMessage(TB_GETIMAGELIST, 0, 0)), image,
                         shownDC.m_hDC, image * 16, 0, ILD_NORMAL);
    toolBar.DestroyWindow();
    Frame().SendMessage(WM_SYSCOLORCHANGE);   // the frame's own toolbar back in Windows' colours
    // Every black line is drawn in the scheme's text colour, every grey 128 in its
    // shadow colour and every grey 223 in its light colour (no picture has one yet).
    const COLORREF greys[] = { RGB(0, 0, 0), RGB(128, 128, 128), RGB(223, 223, 223) };
    const int parts[] = { COLOR_BTNTEXT, COLOR_3DSHADOW, COLOR_3DLIGHT };
    int found[3] = {}, lost[3] = {};
    for (int x = 0; x < 15 * 16; ++x) {
        for (int y = 0; y < 15; ++y) {
            for (int i = 0; i < 3; ++i) {
                const bool grey = givenDC.GetPixel(x, y) == greys[i];
                found[i] += grey;
                lost[i] += grey && shownDC.GetPixel(x, y) != BlackFaceColour(parts[i]);
            }
        }
    }
    EXPECT_GT(found[0], 150);
    EXPECT_GT(found[1], 0);
    EXPECT_EQ(0, lost[0]);
    EXPECT_EQ(0, lost[1]);
    EXPECT_EQ(0, lost[2]);
}

TEST(MainFrame, StatusBarHasTheMessagePaneAndTheThreeLockIndicators)
{
    CStatusBar& statusBar = Frame().GetStatusBar();
    EXPECT_EQ(AFX_IDW_STATUS_BAR, statusBar.GetDlgCtrlID());
    ASSERT_EQ(4, statusBar.GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_SEPARATOR), statusBar.GetItemID(0));
    EXPECT_EQ(59137u, statusBar.GetItemID(1));
    EXPECT_EQ(59138u, statusBar.GetItemID(2));
    EXPECT_EQ(59139u, statusBar.GetItemID(3));
}

TEST(MainFrame, TreeOnTheLeftTwoHundredPixelsWideAndActive)
{
    CSplitterWnd& splitter = Frame().GetSplitter();
    EXPECT_EQ(AFX_IDW_PANE_FIRST, splitter.GetDlgCtrlID());
    ASSERT_EQ(1, splitter.GetRowCount());
    ASSERT_EQ(2, splitter.GetColumnCount());
    CWnd* tree = splitter.GetPane(0, 0);
    CWnd* preview = splitter.GetPane(0, 1);
    ASSERT_TRUE(tree && tree->IsKindOf(RUNTIME_CLASS(app::TreeView_t)));
    ASSERT_TRUE(preview && preview->IsKindOf(RUNTIME_CLASS(app::View_t)));
    CRect treeArea;
    tree->GetWindowRect(&treeArea);
    EXPECT_EQ(200, treeArea.Width());
    // The frame hands its focus to its active view (the program's test sees the focus itself).
    EXPECT_EQ(tree, Frame().GetActiveView());
}

TEST(MainFrame, MenuFollowsTheCommandTable)
{
    HMENU menu = ::GetMenu(Frame().m_hWnd);
    ASSERT_EQ(4, ::GetMenuItemCount(menu));
    const std::vector<std::pair<std::string, std::vector<int>>> popups = {
        {"&File", {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_FILE_MRU_FILE1, 0, ID_APP_EXIT}},
        {"&Edit",
         {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, 0, ID_ADD_NEW_GROUP,
          ID_ADD_NEW_CHECKLIST, ID_ADD_NEW_ENTRY, 0, ID_GROUP_PROPERTIES, ID_CHECKLIST_PROPERTIES, ID_ENTRY_PROPERTIES, 0,
          ID_FILE_PROPERTIES}},
        {"&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}},
        {"&Help", {ID_HELP, 0, ID_APP_ABOUT}},
    };
    for (int i = 0; i < 4; ++i) {
        char title[32] = {};
        ::GetMenuStringA(menu, i, title, sizeof title, MF_BYPOSITION);
        EXPECT_EQ(popups[i].first, title);
        std::vector<int> ids = MenuIds(::GetSubMenu(menu, i));
        if (i == 0) {
            // The recent-file list may have replaced its placeholder.
            ASSERT_GE(ids.size(), 8u);
            ids.erase(ids.begin() + 5, ids.end() - 2);
            ids.insert(ids.begin() + 5, ID_FILE_MRU_FILE1);
        }
        EXPECT_EQ(popups[i].second, ids) << title;
    }
    EXPECT_EQ("Cu&t\tCtrl+X", MenuText(menu, ID_EDIT_CUT));
    EXPECT_EQ("&Delete\tDel", MenuText(menu, ID_EDIT_DELETE));
    EXPECT_EQ("&About KIV...", MenuText(menu, ID_APP_ABOUT));
}

TEST(MainFrame, KeysOfTheCommandTable)
{
    HACCEL keys = Frame().m_hAccelTable;
    ASSERT_NE(nullptr, keys);
    EXPECT_EQ(ID_FILE_NEW, CommandOfKey(keys, 'N', FCONTROL));
    EXPECT_EQ(ID_FILE_OPEN, CommandOfKey(keys, 'O', FCONTROL));
    EXPECT_EQ(ID_FILE_SAVE, CommandOfKey(keys, 'S', FCONTROL));
    EXPECT_EQ(ID_EDIT_UNDO, CommandOfKey(keys, 'Z', FCONTROL));
    EXPECT_EQ(ID_EDIT_UNDO, CommandOfKey(keys, VK_BACK, FALT));
    EXPECT_EQ(ID_EDIT_REDO, CommandOfKey(keys, 'Y', FCONTROL));
    EXPECT_EQ(ID_EDIT_CUT, CommandOfKey(keys, 'X', FCONTROL));
    EXPECT_EQ(ID_EDIT_CUT, CommandOfKey(keys, VK_DELETE, FSHIFT));
    EXPECT_EQ(ID_EDIT_COPY, CommandOfKey(keys, 'C', FCONTROL));
    EXPECT_EQ(ID_EDIT_COPY, CommandOfKey(keys, VK_INSERT, FCONTROL));
    EXPECT_EQ(ID_EDIT_PASTE, CommandOfKey(keys, 'V', FCONTROL));
    EXPECT_EQ(ID_EDIT_PASTE, CommandOfKey(keys, VK_INSERT, FSHIFT));
    EXPECT_EQ(ID_HELP, CommandOfKey(keys, VK_F1, 0));
    EXPECT_EQ(ID_CONTEXT_HELP, CommandOfKey(keys, VK_F1, FSHIFT));
    EXPECT_EQ(ID_NEXT_PANE, CommandOfKey(keys, VK_F6, 0));
    EXPECT_EQ(ID_PREV_PANE, CommandOfKey(keys, VK_F6, FSHIFT));
    // Delete alone belongs to the tree, not to the frame.
    EXPECT_EQ(0, CommandOfKey(keys, VK_DELETE, 0));
}

TEST(MainFrame, TheSecondKeysUndoCutCopyAndPasteLikeTheFirst)
{
    CTestHook hook;   // nothing here may ask anything
    Frame();
    App().OnFileNew();
    app::Database_t& database = app::CurrentDocument().GetDatabase();
    database.InsertGroup(app::Position_t(0), app::Group_t("Alpha"));
    ASSERT_EQ(1u, database.groups.size());
    auto* tree = static_cast<app::TreeView_t*>(Frame().GetSplitter().GetPane(0, 0));
    tree->SetFocus();

    PressKey(VK_BACK, FALT);   // undo
    EXPECT_EQ(0u, database.groups.size());
    PressKey('Y', FCONTROL);   // redo
    ASSERT_EQ(1u, database.groups.size());

    tree->GetTreeCtrl().SelectItem(tree->GetTreeCtrl().GetRootItem());
    Pump();
    PressKey(VK_INSERT, FCONTROL);   // copy
    PressKey(VK_INSERT, FSHIFT);     // paste
    EXPECT_EQ(2u, database.groups.size());
    tree->GetTreeCtrl().SelectItem(tree->GetTreeCtrl().GetRootItem());
    Pump();
    PressKey(VK_DELETE, FSHIFT);     // cut
    EXPECT_EQ(1u, database.groups.size());
    PressKey('Z', FCONTROL);         // undo the cut
    EXPECT_EQ(2u, database.groups.size());
    EXPECT_TRUE(hook.Log().empty());
    // The next tests start on a new document.
    app::CurrentDocument().SetModifiedFlag(FALSE);
    App().OnFileNew();
}

TEST(MainFrame, MenuItemsShowTheirPromptAndToolbarButtonsTheirTooltip)
{
    struct Prompt_t {
        UINT command;
        const char* status;
        const char* tooltip;   // null: the command has no toolbar button
    };
    const std::vector<Prompt_t> prompts = {
        {ID_FILE_NEW, "Create a new document", "New"},
        {ID_FILE_OPEN, "Open an existing document", "Open"},
        {ID_FILE_SAVE, "Save the active document", "Save"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name", nullptr},
        {ID_FILE_MRU_FILE1, "Open this document", nullptr},
        {ID_APP_EXIT, "Quit the application; prompts to save documents", nullptr},
        {ID_EDIT_UNDO, "Undo the last action", "Undo"},
        {ID_EDIT_REDO, "Redo the previously undone action", "Redo"},
        {ID_EDIT_CUT, "Cut the Item", "Cut"},
        {ID_EDIT_COPY, "Copy the Item", "Copy"},
        {ID_EDIT_PASTE, "Paste the Item", "Paste"},
        {ID_EDIT_DELETE, "Delete the Item", "Delete"},
        {ID_ADD_NEW_GROUP, "Add New Group", "Add New Group"},
        {ID_ADD_NEW_CHECKLIST, "Add New Checklist", "Add New Checklist"},
        {ID_ADD_NEW_ENTRY, "Add New Entry", "Add New Entry"},
        {ID_GROUP_PROPERTIES, "Group Properties", "Group Properties"},
        {ID_CHECKLIST_PROPERTIES, "Checklist Properties", "Checklist Properties"},
        {ID_ENTRY_PROPERTIES, "Entry Properties", "Entry Properties"},
        {ID_FILE_PROPERTIES, "Edit Kiv Properties", nullptr},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar", nullptr},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar", nullptr},
        {ID_HELP, "Display help for current task or command", nullptr},
        {ID_APP_ABOUT, "Display program information, version number and copyright", nullptr},
    };
    CStatusBar& statusBar = Frame().GetStatusBar();
    HMENU menu = ::GetMenu(Frame().m_hWnd);
    for (const Prompt_t& prompt : prompts) {
        SCOPED_TRACE(prompt.command);
        Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(prompt.command, MF_STRING), reinterpret_cast<LPARAM>(menu));
        EXPECT_EQ(prompt.status, std::string(statusBar.GetPaneText(0).GetString()));
        if (!prompt.tooltip)
            continue;
        NMTTDISPINFOA tip = {};
        tip.hdr.hwndFrom = Frame().GetToolBar().m_hWnd;
        tip.hdr.idFrom = prompt.command;
        tip.hdr.code = TTN_GETDISPINFOA;
        Frame().SendMessage(WM_NOTIFY, prompt.command, reinterpret_cast<LPARAM>(&tip));
        ASSERT_NE(nullptr, tip.lpszText);
        EXPECT_EQ(prompt.tooltip, std::string(tip.lpszText));
    }
    Frame().SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);   // the menu closes
}

TEST(MainFrame, ContextHelpHasNoHandlerAndDoesNothing)
{
    const auto handled = [](UINT command) {
        AFX_CMDHANDLERINFO info = {};
        return Frame().OnCmdMsg(command, CN_COMMAND, nullptr, &info) != FALSE;
    };
    EXPECT_FALSE(handled(ID_CONTEXT_HELP));
    EXPECT_TRUE(handled(ID_HELP));
    EXPECT_TRUE(handled(ID_APP_ABOUT));
    EXPECT_TRUE(handled(ID_FILE_NEW));
    EXPECT_TRUE(handled(ID_FILE_OPEN));
}

TEST(MainFrame, HelpWithoutAHelpFileNamesTheMissingFile)
{
    char program[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string helpFile = program;
    helpFile = helpFile.substr(0, helpFile.rfind('.')) + ".HLP";
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(helpFile.c_str()));
    CTestHook hook;
    Frame().GetSplitter().GetPane(0, 0)->SetFocus();
    PressKey(VK_F1, 0);
    Frame().SendMessage(WM_COMMAND, ID_HELP);   // Help, KIV Help
    ASSERT_EQ(2u, hook.Log().size());
    for (const CTestHook::Shown& shown : hook.Log()) {
        EXPECT_NE(std::string::npos, std::string(shown.text.GetString()).find(helpFile)) << shown.text.GetString();
        EXPECT_EQ(UINT(MB_OK | MB_ICONEXCLAMATION), shown.style);
    }
}

TEST(MainFrame, F6MovesTheFocusBetweenThePanes)
{
    CSplitterWnd& splitter = Frame().GetSplitter();
    Frame().SetActiveView(static_cast<CView*>(splitter.GetPane(0, 0)));
    Frame().SendMessage(WM_COMMAND, ID_NEXT_PANE);
    EXPECT_EQ(splitter.GetPane(0, 1), Frame().GetActiveView());
    Frame().SendMessage(WM_COMMAND, ID_PREV_PANE);
    EXPECT_EQ(splitter.GetPane(0, 0), Frame().GetActiveView());
}

TEST(MainFrame, TitleIsShownWithTheDocumentName)
{
    Frame().SetTitle("Pellorin [OEM version]");
    EXPECT_EQ("usrchk - Pellorin [OEM version]", WindowText(Frame().m_hWnd));
    Frame().SetTitle("Pellorin");
    EXPECT_EQ("usrchk - Pellorin", WindowText(Frame().m_hWnd));
}

TEST(MainFrame, ANewDocumentIsNamedAfterTheMode)
{
    Frame();
    app::Application_t::SetOemMode(true);
    App().OnFileNew();
    EXPECT_EQ("chklist", std::string(app::CurrentDocument().GetTitle().GetString()));
    EXPECT_EQ("chklist - Pellorin", WindowText(Frame().m_hWnd));
    app::Application_t::SetOemMode(false);
    App().OnFileNew();
    EXPECT_EQ("usrchk", std::string(app::CurrentDocument().GetTitle().GetString()));
}

TEST(MainFrame, TemplateStringsComeFromTheStringTable)
{
    Frame();
    const CDocTemplate* docTemplate = App().GetDocTemplates().front();
    const std::vector<std::pair<CDocTemplate::DocStringIndex, std::string>> parts = {
        {CDocTemplate::windowTitle, "Pellorin"},
        {CDocTemplate::docName, "usrchk"},
        {CDocTemplate::fileNewName, "Checklist"},
        {CDocTemplate::filterName, "Pellorin Files (*.kiv)"},
        {CDocTemplate::filterExt, ".kiv"},
        {CDocTemplate::regFileTypeId, "KivDocument"},
        {CDocTemplate::regFileTypeName, "Kiv Document"},
    };
    for (const auto& part : parts) {
        CString text;
        EXPECT_TRUE(docTemplate->GetDocString(text, part.first));
        EXPECT_EQ(part.second, std::string(text.GetString()));
    }
    app::Application_t::SetOemMode(true);
    CString name;
    EXPECT_TRUE(docTemplate->GetDocString(name, CDocTemplate::docName));
    EXPECT_EQ("chklist", std::string(name.GetString()));
    app::Application_t::SetOemMode(false);
}

TEST(MainFrame, TheEndOfTheSessionAsksWhatClosingAsks)
{
    TempFolder folder;
    const std::string path = folder.File("Session.kiv");
    const auto queryEnd = [] { return Frame().SendMessage(WM_QUERYENDSESSION, 0, 0); };
    app::Document_t& document = ModifiedNewDocument();
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDCANCEL);
        EXPECT_EQ(FALSE, queryEnd());
        EXPECT_EQ(std::vector<std::string>{"Save changes to usrchk?"}, Messages(hook));
        EXPECT_EQ(UINT(MB_YESNOCANCEL), hook.Log()[0].style & MB_TYPEMASK);
    }
    {
        CTestHook hook;   // Yes, and then the save is cancelled: the session goes on
        hook.AnswerMessageBox(IDYES);
        hook.CancelFileDialog();
        EXPECT_EQ(FALSE, queryEnd());
        EXPECT_EQ(0u, hook.Unanswered());
    }
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(1u, document.GetDatabase().groups.size());
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDNO);
        EXPECT_EQ(TRUE, queryEnd());
        EXPECT_EQ(1u, hook.Log().size());
    }
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDYES);
        hook.AnswerFileDialog(path.c_str());
        EXPECT_EQ(TRUE, queryEnd());
        EXPECT_EQ(0u, hook.Unanswered());
    }
    EXPECT_FALSE(document.IsModified());
    EXPECT_NE(std::string::npos, ReadBytes(path).find("\r\n<0Alpha\r\n"));
    {
        CTestHook hook;   // nothing to save: nothing asked
        EXPECT_EQ(TRUE, queryEnd());
        EXPECT_TRUE(hook.Log().empty());
    }
    App().OnFileNew();
}

TEST(MainFrame, AnOpenRefusedBeforeItReadsLeavesTheDocumentThatWasShowing)
{
    TempFolder folder;
    const std::string shown = folder.File("Shown.kiv");
    const std::string busy = folder.File("Busy.kiv");
    app::Document_t& document = ModifiedNewDocument();
    ASSERT_TRUE(document.DoSave(shown.c_str()));
    document.GetDatabase().InsertGroup(app::Position_t(1), app::Group_t("Bravo"));
    ASSERT_TRUE(app::WriteKivFile(busy, app::KivFileHeader_t(), app::Database_t()));
    CTreeCtrl& tree = static_cast<app::TreeView_t*>(Frame().GetSplitter().GetPane(0, 0))->GetTreeCtrl();
    const UINT items = tree.GetCount();
    {
        // Another program holds the file open for writing.
        HANDLE writer = ::CreateFileA(busy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, writer);
        CTestHook hook;
        hook.AnswerMessageBox(IDNO);   // Save changes to Shown.kiv?
        hook.AnswerMessageBox(IDOK);   // in use
        EXPECT_EQ(nullptr, App().OpenDocumentFile(busy.c_str()));
        ::CloseHandle(writer);
        ASSERT_EQ(2u, hook.Log().size());
        EXPECT_EQ(busy + " is in use by another program.", Messages(hook)[1]);
    }
    EXPECT_EQ(shown, document.GetPathName().GetString());
    EXPECT_EQ("Shown.kiv - Pellorin", WindowText(Frame().m_hWnd));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(2u, document.GetDatabase().groups.size());
    EXPECT_EQ(items, tree.GetCount());

    // A file refused once it is being read leaves a new document in place of the emptied one.
    WriteBytes(busy, "not a checklist");
    {
        CTestHook hook;
        hook.AnswerMessageBox(IDNO);
        hook.AnswerMessageBox(IDOK);   // not a checklist file
        EXPECT_EQ(nullptr, App().OpenDocumentFile(busy.c_str()));
        EXPECT_EQ(0u, hook.Unanswered());
    }
    EXPECT_EQ("usrchk", std::string(document.GetTitle().GetString()));
    EXPECT_TRUE(document.GetPathName().IsEmpty());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.GetDatabase().groups.empty());
}
