// The tree's test application and the helpers that drive it.
#include "tests/editor/tree/TreeTestApp.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

namespace tree_test {

IMPLEMENT_DYNCREATE(PreviewStandIn_t, CView)

void PreviewStandIn_t::OnUpdate(CView* sender, LPARAM, CObject*)
{
    ++updates;
    lastSender = sender;
}

IMPLEMENT_DYNCREATE(TestFrame_t, CFrameWnd)

BOOL TestFrame_t::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    if (!splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) ||
        !splitter.CreateView(0, 0, RUNTIME_CLASS(app::TreeView_t), CSize(300, 50), context) ||
        !splitter.CreateView(0, 1, context->m_pNewViewClass, CSize(10, 1000), context))
        return FALSE;
    SetActiveView(static_cast<CView*>(splitter.GetPane(0, 0)));
    return TRUE;
}

BOOL TestApp_t::InitInstance()
{
    CWinApp::InitInstance();
    AfxOleInit();
    AddDocTemplate(new CSingleDocTemplate(128, RUNTIME_CLASS(app::Document_t), RUNTIME_CLASS(TestFrame_t),
                                          RUNTIME_CLASS(PreviewStandIn_t)));
    CCommandLineInfo info;
    if (!ProcessShellCommand(info))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

namespace {
TestApp_t theApp;
}

TestApp_t& App()
{
    static bool started = false;
    if (!started) {
        started = true;
        theApp.m_hInstance = ::GetModuleHandle(nullptr);
        theApp.InitApplicationNames();
        if (!theApp.InitInstance())
            throw std::runtime_error("the test application did not start");
        ::MoveWindow(theApp.m_pMainWnd->m_hWnd, 0, 0, 800, 600, TRUE);
        Pump();
    }
    return theApp;
}

TestFrame_t& Frame()
{
    return *static_cast<TestFrame_t*>(App().m_pMainWnd);
}

app::Document_t& Doc()
{
    App();
    return app::CurrentDocument();
}

app::TreeView_t& Tree()
{
    return *static_cast<app::TreeView_t*>(Frame().splitter.GetPane(0, 0));
}

CTreeCtrl& Control()
{
    return Tree().GetTreeCtrl();
}

PreviewStandIn_t& Preview()
{
    return *static_cast<PreviewStandIn_t*>(Frame().splitter.GetPane(0, 1));
}

void Pump()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!theApp.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            AfxRethrowPendingException();
        }
        theApp.OnIdle(0);
        theApp.OnIdle(1);
    }
}

const char* const sampleText =
    "<0Before Start\n"
    "(0Cockpit\n"
    "c0Battery\n"
    "r0Flaps~SET\n"
    "n1Check the doors\n"
    ")\n"
    "(0Engine Start\n"
    "c0Beacon\n"
    "c0Starter\n"
    ")\n"
    ">\n"
    "<0After Landing\n"
    "(0Taxi\n"
    "c0Lights\n"
    ")\n"
    ">\n"
    "<0Spare\n"
    ">\n"
    "END\n";

void Load(const std::string& text)
{
    app::Document_t& document = Doc();
    document.DeleteContents();
    document.GetHeader().SetDefaultGroup(0);
    document.GetHeader().SetDefaultCheckList(0);
    Unlock();
    std::istringstream in(text);
    document.GetDatabase().Read(in);
    document.SetModifiedFlag(FALSE);
    Tree().RebuildTree();
    Pump();
}

void Lock()
{
    Doc().GetHeader().SetUserMade(0);
    Doc().UpdateLock();
    ASSERT_TRUE(Doc().IsLocked());
}

void Unlock()
{
    Doc().GetHeader().SetUserMade(1);
    Doc().UpdateLock();
}

void MakeRedoable()
{
    Doc().GetDatabase().RenameGroup(app::Position_t(2), "Renamed");
    Doc().OnEditUndo();
    ASSERT_FALSE(Doc().GetRedoJournal().IsEmpty());
}

std::string DatabaseText()
{
    std::ostringstream text;
    Doc().GetDatabase().Write(text);
    return text.str();
}

namespace {

void WriteItems(std::string& text, HTREEITEM first, int level)
{
    static const char letters[] = "GCEgce?";
    for (HTREEITEM item = first; item; item = Control().GetNextSiblingItem(item)) {
        if (!text.empty())
            text += '|';
        text += letters[Tree().GetItemKind(item)];
        text += ' ';
        text += std::string(2 * static_cast<size_t>(level), ' ');
        text += Control().GetItemText(item).GetString();
        WriteItems(text, Control().GetChildItem(item), level + 1);
    }
}

// The tree text that the database should show.
std::string ExpectedTreeText()
{
    std::string text;
    const auto add = [&text](const char* line) {
        if (!text.empty())
            text += '|';
        text += line;
    };
    using app::TreeView_t;
    for (const app::Group_t& group : Doc().GetDatabase().groups) {
        add(("G " + TreeView_t::MakeItemLabel(group.name)).c_str());
        for (const app::CheckList_t& checkList : group.checklists) {
            add(("C   " + TreeView_t::MakeItemLabel(checkList.name)).c_str());
            for (const app::Entry_t& entry : checkList.entries)
                add(("E     " + TreeView_t::MakeItemLabel(entry.text)).c_str());
            add("e     <End Of Entries>");
        }
        add("c   <End Of Checklists>");
    }
    add("g <End Of Groups>");
    return text;
}

} // namespace

std::string TreeText()
{
    std::string text;
    WriteItems(text, Control().GetRootItem(), 0);
    return text;
}

::testing::AssertionResult TreeMirrorsDatabase()
{
    const std::string shown = TreeText();
    const std::string expected = ExpectedTreeText();
    if (shown == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the tree shows\n" << shown << "\nthe database holds\n" << expected;
}

void Select(HTREEITEM item)
{
    Control().SelectItem(item);
    Pump();
}

CPoint PointAt(HTREEITEM item)
{
    Control().EnsureVisible(item);
    CRect rect;
    Control().GetItemRect(item, &rect, TRUE);
    CPoint point((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    CPoint screen = point;
    Tree().ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    return point;
}

namespace {

// The tree follows the mouse until the button is released, so the release
// waits in the queue before the press is handled.
void Press(HTREEITEM item, UINT down, UINT up, WPARAM buttons)
{
    const CPoint point = PointAt(item);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    Tree().PostMessage(up, 0, at);
    Tree().SendMessage(down, buttons, at);
    Pump();
}

} // namespace

void Click(HTREEITEM item)
{
    Press(item, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
}

void DoubleClick(HTREEITEM item)
{
    Click(item);
    const CPoint point = PointAt(item);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    Tree().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    Tree().SendMessage(WM_LBUTTONUP, 0, at);
    Pump();
}

void RightClick(HTREEITEM item)
{
    Press(item, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
}

void PressDelete()
{
    Tree().SendMessage(WM_KEYDOWN, VK_DELETE, 0x00530001);
    Tree().SendMessage(WM_KEYUP, VK_DELETE, 0xC0530001);
    Pump();
}

void FrameCommand(UINT command)
{
    Frame().SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Pump();
}

void ViewCommand(UINT command)
{
    Tree().SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Pump();
}

bool MenuEnabled(UINT command)
{
    CMenu* edit = Frame().GetMenu()->GetSubMenu(0);
    Frame().SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit->m_hMenu), 0);
    return !(edit->GetMenuState(command, MF_BYCOMMAND) & MF_GRAYED);
}

void ClearClipboard()
{
    ASSERT_TRUE(::OpenClipboard(Frame().m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
}

void PutOnClipboard(UINT format, const std::string& bytes)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    ASSERT_NE(nullptr, block);
    if (!bytes.empty()) {
        std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
        ::GlobalUnlock(block);
    }
    ASSERT_TRUE(::OpenClipboard(Frame().m_hWnd));
    ::SetClipboardData(format, block);
    ::CloseClipboard();
}

std::vector<UINT> ClipboardFormats()
{
    std::vector<UINT> formats;
    if (!::OpenClipboard(Frame().m_hWnd))
        return formats;
    for (UINT format = ::EnumClipboardFormats(0); format; format = ::EnumClipboardFormats(format))
        formats.push_back(format);
    ::CloseClipboard();
    return formats;
}

std::string ClipboardBlock(UINT format)
{
    std::string bytes;
    if (!::OpenClipboard(Frame().m_hWnd))
        return bytes;
    if (HANDLE data = ::GetClipboardData(format)) {
        const auto* memory = static_cast<const char*>(::GlobalLock(data));
        if (memory)
            bytes.assign(memory, ::GlobalSize(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return bytes;
}

std::string Block(const std::string& text)
{
    const auto count = static_cast<std::uint32_t>(text.size());
    std::string block(4, '\0');
    for (int i = 0; i < 4; ++i)
        block[i] = static_cast<char>(count >> (8 * i));
    return block + text;
}

} // namespace tree_test
