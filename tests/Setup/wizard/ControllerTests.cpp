// The page controller: one page visible at a time, the new page shown before the old
// one is hidden, the shown page and all its descendants repainted and its hook run,
// nested shows, duplicate and unknown numbers, and the end of the program with the
// restart of Windows through the recorders.
#include "Setup/wizard/Bootstrap.h"
#include "Setup/wizard/BrowserController.h"
#include "Setup/wizard/BrowserPage.h"

#include "tests/Setup/wizard/BootstrapTestSupport.h"
#include "tests/Setup/wizard/PagesTestSupport.h"
#include "tests/Setup/wizard/RestartRecorder.h"

#include <functional>
#include <string>
#include <vector>

using namespace pages_test;

namespace {

// What the pages saw, in order: "+2" page 2 shown, "-1" page 1 hidden, "hook 2" its hook.
std::vector<std::string> g_events;

// A window that counts the WM_PAINT messages it gets.
class PaintCounter : public CWnd
{
public:
    void Create(CWnd* parent, int id)
    {
        CWnd::Create(AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), parent, id);
    }
    int m_paints = 0;

protected:
    afx_msg void OnPaint()
    {
        ++m_paints;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintCounter, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// A window of the test's own that holds pages as its children. Wine waits two seconds
// for a window manager (there is none on the test display) whenever it hides a top-level
// window that has been activated, as every page that the controller shows is; pages
// inside this window are spared that.
class Host : public CWnd
{
public:
    Host()
    {
        CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"Pages", WS_POPUP, 500, 600, 300, 200, nullptr, nullptr);
        ShowWindow(SW_SHOWNA);
    }
};

// A page that writes down its showing, hiding and hook, with a child and a grandchild
// that count their paints: a page of its own, or one inside a host window.
class RecordingPage : public CBrowserPage
{
public:
    RecordingPage(int number, CWnd* host) : m_number(number)
    {
        EXPECT_TRUE(Create(host ? IDD_CHILD_PAGE : IDD_SECOND, host));
        SetWindowPos(nullptr, host ? 0 : 40 * number, host ? 0 : 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    BOOL OnInitDialog() override
    {
        CBrowserPage::OnInitDialog();
        m_child.Create(this, 2001);
        m_grandchild.Create(&m_child, 2002);
        return TRUE;
    }

    void OnPageShown() override
    {
        ++m_hooks;
        g_events.push_back("hook " + std::to_string(m_number));
        m_invalidAtHook = GetUpdateRect(m_hWnd, nullptr, FALSE) != FALSE;
        m_paintsAtHook = m_grandchild.m_paints;
        if (m_then)
            m_then();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHOWWINDOW)
            g_events.push_back((wParam ? "+" : "-") + std::to_string(m_number));
        return CBrowserPage::WindowProc(message, wParam, lParam);
    }

    int m_number;
    int m_hooks = 0;
    bool m_invalidAtHook = false;
    int m_paintsAtHook = 0;
    std::function<void()> m_then;   // what the hook does besides writing itself down
    PaintCounter m_child, m_grandchild;
};

// A bootstrap that says when it is deleted.
class RecordingBootstrap : public CBootstrap
{
public:
    explicit RecordingBootstrap(bool* deleted) : m_deleted(deleted) {}
    ~RecordingBootstrap() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

// The exit code of the waiting quit message, which is taken away; -1 when none waits.
int TakeQuitCode()
{
    MSG message = {};
    if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return -1;
    return static_cast<int>(message.wParam);
}

// Whether the quit message is waiting, with exit code 0; takes it away.
bool TakeQuitMessage()
{
    return TakeQuitCode() == 0;
}

class Controller : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_events.clear();
        ClearRestartLog();
        for (RecordingPage* page : { &one, &two, &three }) {
            page->SetController(&controller);
            page->ShowWindow(SW_SHOWNA);   // registering hides them
            controller.AddPage(page->m_number, page);
        }
        g_events.clear();
    }

    static bool Shown(CWnd& page) { return (page.GetStyle() & WS_VISIBLE) != 0; }
    std::vector<bool> Visible() { return { Shown(one), Shown(two), Shown(three) }; }

    Host host;
    CBrowserController controller;
    RecordingPage one{ 1, &host }, two{ 2, &host }, three{ 3, &host };
};

}  // namespace

TEST(PageWindows, TheControllerShowsTopLevelPagesOneAtATime)
{
    CBrowserController controller;
    RecordingPage one(1, nullptr), two(2, nullptr);
    controller.AddPage(1, &one);
    controller.AddPage(2, &two);
    controller.ShowPage(1);
    EXPECT_TRUE(one.IsWindowVisible());
    EXPECT_FALSE(two.IsWindowVisible());
    controller.ShowPage(2);
    EXPECT_FALSE(one.IsWindowVisible());
    EXPECT_TRUE(two.IsWindowVisible());
    EXPECT_EQ(1, two.m_grandchild.m_paints);
}

TEST_F(Controller, RegisteredPagesAreHiddenAndShownOneAtATime)
{
    EXPECT_EQ((std::vector<bool>{ false, false, false }), Visible());
    EXPECT_TRUE(controller.HasPage(2));
    EXPECT_FALSE(controller.HasPage(4));
    EXPECT_EQ(&controller, one.GetController());

    controller.ShowPage(1);
    EXPECT_EQ((std::vector<bool>{ true, false, false }), Visible());
    controller.ShowPage(3);
    EXPECT_EQ((std::vector<bool>{ false, false, true }), Visible());
    // The new page appears before the old one goes; then the hook runs.
    EXPECT_EQ((std::vector<std::string>{ "+1", "hook 1", "+3", "-1", "hook 3" }), g_events);
}

TEST_F(Controller, TheShownPageIsRepaintedDownToItsGrandchildrenBeforeItsHook)
{
    controller.ShowPage(2);
    EXPECT_EQ(1, two.m_child.m_paints);
    EXPECT_EQ(1, two.m_paintsAtHook);
    EXPECT_TRUE(two.m_invalidAtHook);
    EXPECT_EQ(0, one.m_grandchild.m_paints);

    // Showing the visible page again repaints it and runs its hook again.
    g_events.clear();
    controller.ShowPage(2);
    EXPECT_EQ(2, two.m_hooks);
    EXPECT_EQ(2, two.m_grandchild.m_paints);
    EXPECT_EQ((std::vector<bool>{ false, true, false }), Visible());
    EXPECT_EQ((std::vector<std::string>{ "hook 2" }), g_events);
}

TEST_F(Controller, AHookThatShowsAnotherPageNestsTheShows)
{
    // The hook ends the program before it shows the next page, as the installation page
    // does when no drive has room: the quit message outlives the page change.
    two.m_then = [this] {
        PostQuitMessage(7);
        controller.ShowPage(3);
    };
    controller.ShowPage(2);
    EXPECT_EQ((std::vector<bool>{ false, false, true }), Visible());
    EXPECT_EQ((std::vector<std::string>{ "+2", "hook 2", "+3", "-2", "hook 3" }), g_events);
    EXPECT_EQ(7, TakeQuitCode());
}

TEST_F(Controller, AnUnknownNumberChangesNothingAndADuplicateNumberKeepsTheFirstPage)
{
    controller.ShowPage(1);
    g_events.clear();
    controller.ShowPage(7);
    EXPECT_EQ((std::vector<bool>{ true, false, false }), Visible());
    EXPECT_TRUE(g_events.empty());

    RecordingPage other(4, &host);
    other.ShowWindow(SW_SHOWNA);
    controller.AddPage(3, &other);
    EXPECT_FALSE(Shown(other));
    controller.ShowPage(3);
    EXPECT_TRUE(Shown(three));
    EXPECT_FALSE(Shown(other));
    EXPECT_EQ(0, other.m_hooks);
}

TEST_F(Controller, FinishPostsTheQuitMessageAndDropsTheBootstrap)
{
    WindowsOfCode windows(CInstallActions::kXPSP3);
    bool deleted = false;
    CBrowserController owner(new RecordingBootstrap(&deleted));
    EXPECT_NE(nullptr, owner.GetBootstrap());
    owner.Finish();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, owner.GetBootstrap());
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(0, Restarts().restarts);

    // Later calls only post the quit message again.
    owner.SetRebootOnFinish();
    owner.Finish();
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(0, Restarts().restarts);

    CBrowserController empty;
    empty.SetRebootOnFinish();
    empty.Finish();
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_EQ(0, Restarts().restarts);
}

TEST_F(Controller, FinishRestartsWindowsWhenTheProgramAskedForIt)
{
    WindowsOfCode windows(CInstallActions::kWin7);
    bool deleted = false;
    CBrowserController owner(new RecordingBootstrap(&deleted));
    owner.SetRebootOnFinish();
    owner.Finish();
    EXPECT_EQ(1, Restarts().restarts);
    EXPECT_EQ((UINT)EWX_REBOOT, Restarts().flags);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(TakeQuitMessage());
}

TEST_F(Controller, AWindowsInstallerUpdateAtStartUpMakesFinishRestartWindows)
{
    MachineRegistry machine;
    WindowsOfCode windows(CInstallActions::kWin2000);
    for (DWORD exitCode : { 3010ul, 0ul, 1603ul }) {
        ClearRestartLog();
        Redistributable redistributable(exitCode);
        CBrowserController owner(new CBootstrap);   // runs the redistributable and waits for it
        EXPECT_TRUE(redistributable.Ran());
        owner.Finish();
        EXPECT_EQ(exitCode == 1603 ? 0 : 1, Restarts().restarts) << exitCode;
        EXPECT_TRUE(TakeQuitMessage());
    }
}

TEST_F(Controller, WithoutTheShutdownPrivilegeSetupEndsAllTheSame)
{
    WindowsOfCode windows(CInstallActions::kXPSP2);
    SetPrivilegeAdjustmentError(ERROR_NOT_ALL_ASSIGNED);
    bool deleted = false;
    CBrowserController owner(new RecordingBootstrap(&deleted));
    owner.SetRebootOnFinish();
    owner.Finish();
    EXPECT_EQ(1, Restarts().adjustments);
    EXPECT_EQ(0, Restarts().restarts);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(TakeQuitMessage());
}
