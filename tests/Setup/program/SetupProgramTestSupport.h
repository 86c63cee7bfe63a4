// Shared helpers of the Setup program's tests: Setup's language library as the
// resource source, an application object of the test's own, message pumping, the
// restart of Windows replaced by a counter, the packages beside the test program,
// and clean-up of what an installation left in the test prefix.
#pragma once

#include "Setup/actions/InstallActions.h"
#include "tests/Setup/actions/SetupTestSupport.h"

#include "framework/Framework.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

class CSetupApp;

namespace setup_program_test {

// Makes the language library built beside the test program the resource source
// (once per program), loaded for its resources only, as Setup loads it.
void UseLanguageLibrary();
// A string of the language library.
CString Text(UINT id);

// Serves the messages waiting for this thread (also those that arrive within
// the given time); false when a quit message came, which is taken off the queue.
bool Pump(DWORD forMs = 0);
// Takes a waiting quit message off the queue; true when there was one.
bool TakeQuitMessage();
// Serves messages until the condition holds or the time runs out.
template <class Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Pump();
        Sleep(10);
    }
    return true;
}

// While it lives, the restart of Windows is only counted.
class CountedRestarts
{
public:
    CountedRestarts();
    ~CountedRestarts();
    static int Count();
};

// An application object of the test, started like Setup.exe (InitInstance) with the
// restart counted; it ends with the test, taking its pages and mutex with it.
class StartedApp
{
public:
    StartedApp();
    ~StartedApp();
    BOOL Start();
    CSetupApp& App() { return *m_app; }
    CWnd* Page(int number) const;
    // The page that the controller shows, by number; 0 when none is visible.
    int VisiblePage() const;

private:
    CountedRestarts m_restarts;
    std::unique_ptr<CSetupApp> m_app;
};

// A test suite whose tests share one started application: starting and ending one
// takes seconds here. Each test begins with no quit message waiting.
class SharedAppTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static StartedApp& App() { return *s_app; }
    static CWnd* Page(int number) { return s_app->Page(number); }
    // Shows a page through the controller and lets it paint.
    static void Show(int number);
    // Shows the installation page with every package answered by Windows Installer
    // with that result (nothing installed); it then shows the finish page.
    static void ShowFinishAfterInstall(UINT result);

private:
    static StartedApp* s_app;
    static bool s_started;
};

// Answers the next real message box of this thread from another thread, with the
// button given, noting first its owner and whether the page was open to input while
// the box was. Wait() returns once it answered (or gave up looking).
class BoxAnswerer
{
public:
    BoxAnswerer(CWnd* page, int button);
    ~BoxAnswerer();
    void Wait();
    HWND Owner() const { return m_owner; }
    bool PageWasEnabled() const { return m_pageEnabled; }

private:
    void Answer();

    HWND m_page;
    int m_button;
    DWORD m_thread;
    std::vector<HWND> m_pages;   // the application's pages, which are no message boxes
    HWND m_owner = nullptr;
    bool m_pageEnabled = true;
    std::thread m_worker;
};

// Presses and releases the left mouse button over the middle of a window, as the user
// does; a time stamp other than 0 dates the click back (input that reaches the program late).
void ClickWithTheMouse(HWND window, DWORD time = 0);

// Clicks a page's item or check box as the user would (a check box toggles).
void Click(CWnd* page, int id);

// The packages and files beside the test program.
CString BesideProgram(const wchar_t* name);

// While it lives, a file beside the test program lies under another name (its name and
// ".away"); whatever lies under its name at the end is replaced by it again.
class MovedAway
{
public:
    explicit MovedAway(const CString& path);
    ~MovedAway();
    CString AwayPath() const { return m_path + L".away"; }

private:
    CString m_path;
    bool m_moved;
};

// Removes what installing the test packages left in the test prefix: both products,
// the editor's registry keys and the empty folders.
void UninstallTestPackages();

// A registry key made for a test, level by level; the levels that it made are deleted
// again at the end.
class CreatedKey
{
public:
    CreatedKey(HKEY root, const wchar_t* path);
    ~CreatedKey();

private:
    HKEY m_root;
    std::vector<CString> m_created;
};

// The registry values that the editor's package writes.
const wchar_t* const kApplicationsKey = L"Software\\Quorel\\Applications\\Pellorin";
const wchar_t* const kEditorKey = L"Software\\Quorel\\Pellorin";

}  // namespace setup_program_test
