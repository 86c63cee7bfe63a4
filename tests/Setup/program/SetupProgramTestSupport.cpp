// Shared helpers of the Setup program's tests (see SetupProgramTestSupport.h).
#include "tests/Setup/program/SetupProgramTestSupport.h"

#include "Setup/wizard/Bootstrap.h"
#include "Setup/wizard/BrowserController.h"
#include "Setup/wizard/BrowserPage.h"
#include "Setup/installation/MsiLibrary.h"
#include "Setup/wizard/SetupApp.h"

#include <msi.h>

#include <algorithm>

namespace setup_program_test {

namespace {

int g_restarts = 0;

BOOL WINAPI FakeAdjustPrivileges(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD)
{
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WINAPI FakeExitWindows(UINT, DWORD)
{
    ++g_restarts;
    return TRUE;
}

const wchar_t* const kProducts[] = {
    L"{82436DDC-404B-41EE-9A3C-D5A254975809}",   // the editor
    L"{E1DDCBD1-3FC3-4AF7-952E-357F1CC0375F}",   // the driver, 32-bit
    L"{15352CDF-250F-4161-9D1A-8B41C7FEC6DF}",   // the driver, 64-bit
};

UINT g_installResult = 0;

UINT WINAPI AnswerInstall(const wchar_t*, const wchar_t*)
{
    return g_installResult;
}

void DeleteKeyIfEmpty(const wchar_t* path)
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);   // fails while it has subkeys
}

void RemoveFolderIfEmpty(const CString& path)
{
    RemoveDirectoryW(path);   // fails while it holds anything
}

}  // namespace

void UseLanguageLibrary()
{
    static HINSTANCE library = AfxLoadResourceLibrary(BesideProgram(L"SetupENU.dll"));
    if (library)
        AfxSetResourceHandle(library);
}

CString Text(UINT id)
{
    UseLanguageLibrary();
    CString text;
    text.LoadString(id);
    return text;
}

bool Pump(DWORD forMs)
{
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return false;
            CWinApp* app = AfxGetApp();
            if (!app || !app->PreTranslateMessage(&message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        if (forMs)
            Sleep(10);
    } while (GetTickCount() - start < forMs);
    return true;
}

bool TakeQuitMessage()
{
    MSG message;
    bool quit = false;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        quit = true;
    return quit;
}

CountedRestarts::CountedRestarts()
{
    g_restarts = 0;
    CBootstrap::SetRestartCallsForTest(FakeAdjustPrivileges, FakeExitWindows);
}

CountedRestarts::~CountedRestarts()
{
    CBootstrap::SetRestartCallsForTest(nullptr, nullptr);
}

int CountedRestarts::Count()
{
    return g_restarts;
}

StartedApp::StartedApp()
{
    UseLanguageLibrary();
    m_app = std::make_unique<CSetupApp>();
    m_app->m_hInstance = GetModuleHandleW(nullptr);
    m_app->InitApplicationNames();
}

StartedApp::~StartedApp()
{
    m_app.reset();
    Pump();
    TakeQuitMessage();
}

BOOL StartedApp::Start()
{
    BOOL started = m_app->InitInstance();
    Pump();
    return started;
}

CWnd* StartedApp::Page(int number) const
{
    return m_app->GetPage(number);
}

int StartedApp::VisiblePage() const
{
    for (int number = 1; number <= CSetupApp::kPageCount; ++number) {
        CWnd* page = m_app->GetPage(number);
        if (page && page->m_hWnd && page->IsWindowVisible())
            return number;
    }
    return 0;
}

StartedApp* SharedAppTest::s_app = nullptr;
bool SharedAppTest::s_started = false;

void SharedAppTest::SetUpTestSuite()
{
    s_app = new StartedApp;
    s_started = s_app->Start() != FALSE;
}

void SharedAppTest::TearDownTestSuite()
{
    delete s_app;
    s_app = nullptr;
}

void SharedAppTest::SetUp()
{
    ASSERT_TRUE(s_started);
    TakeQuitMessage();
}

void SharedAppTest::TearDown()
{
    TakeQuitMessage();
}

void SharedAppTest::Show(int number)
{
    s_app->App().GetController()->ShowPage(number);
    Pump();
}

void SharedAppTest::ShowFinishAfterInstall(UINT result)
{
    g_installResult = result;
    CMsiLibrary::SetInstallProductForTest(AnswerInstall);
    Show(CSetupApp::kInstall);
    CMsiLibrary::SetInstallProductForTest(nullptr);
}

namespace {

// A message box of the thread: a visible system dialog that is none of the pages.
struct BoxSearch
{
    const std::vector<HWND>* pages;
    HWND found = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM data)
{
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(data);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (!IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0 ||
        std::find(search.pages->begin(), search.pages->end(), window) != search.pages->end())
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

BoxAnswerer::BoxAnswerer(CWnd* page, int button) : m_page(page->m_hWnd), m_button(button), m_thread(GetCurrentThreadId())
{
    CSetupApp* app = static_cast<CSetupApp*>(AfxGetApp());
    for (int number = 1; app && number <= CSetupApp::kPageCount; ++number) {
        if (CWnd* shown = app->GetPage(number))
            m_pages.push_back(shown->m_hWnd);
    }
    m_worker = std::thread([this] { Answer(); });
}

BoxAnswerer::~BoxAnswerer()
{
    Wait();
}

void BoxAnswerer::Wait()
{
    if (m_worker.joinable())
        m_worker.join();
}

void BoxAnswerer::Answer()
{
    BoxSearch search{&m_pages};
    for (int attempt = 0; attempt < 600 && !search.found; ++attempt) {
        Sleep(50);
        EnumThreadWindows(m_thread, FindMessageBox, reinterpret_cast<LPARAM>(&search));
    }
    if (!search.found)
        return;
    m_owner = GetWindow(search.found, GW_OWNER);
    m_pageEnabled = IsWindowEnabled(m_page) != FALSE;
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED), 0);
}

void ClickWithTheMouse(HWND window, DWORD time)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT input[2] = {};
    for (INPUT& event : input) {
        event.type = INPUT_MOUSE;
        event.mi.time = time;
    }
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

void Click(CWnd* page, int id)
{
    CWnd* item = page->GetDlgItem(id);
    if (!item)
        return;
    WCHAR className[32] = {};
    GetClassNameW(item->m_hWnd, className, 32);
    if (lstrcmpiW(className, L"Button") == 0)
        item->SendMessage(BM_CLICK);
    else
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(item->m_hWnd));
}

CString BesideProgram(const wchar_t* name)
{
    return setup_test::ProgramFolder() + L"\\" + name;
}

MovedAway::MovedAway(const CString& path) : m_path(path), m_moved(MoveFileW(path, AwayPath()) != FALSE)
{
}

MovedAway::~MovedAway()
{
    if (m_moved)
        MoveFileExW(AwayPath(), m_path, MOVEFILE_REPLACE_EXISTING);
}

void UninstallTestPackages()
{
    MsiSetExternalUIW(nullptr, 0, nullptr);
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    for (const wchar_t* product : kProducts) {
        if (MsiQueryProductStateW(product) == INSTALLSTATE_DEFAULT)
            MsiConfigureProductW(product, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
    }
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kEditorKey);
    DeleteKeyIfEmpty(kEditorKey);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kApplicationsKey);
    DeleteKeyIfEmpty(kApplicationsKey);
    DeleteKeyIfEmpty(L"Software\\Quorel\\Applications");
    DeleteKeyIfEmpty(L"Software\\Quorel");
    RemoveFolderIfEmpty(L"C:\\Quorel\\Pellorin");
    RemoveFolderIfEmpty(L"C:\\Quorel");
    for (const wchar_t* programFiles : {L"%ProgramW6432%", L"%ProgramFiles%"}) {
        wchar_t folder[MAX_PATH] = {};
        if (ExpandEnvironmentStringsW(programFiles, folder, MAX_PATH) && folder[0] != L'%') {
            RemoveFolderIfEmpty(CString(folder) + L"\\Quorel\\USB Driver");
            RemoveFolderIfEmpty(CString(folder) + L"\\Quorel");
        }
    }
}

CreatedKey::CreatedKey(HKEY root, const wchar_t* path) : m_root(root)
{
    CString partial;
    int start = 0;
    CString whole(path);
    while (start >= 0) {
        int slash = whole.Find(L'\\', start);
        partial = slash < 0 ? whole : whole.Left(slash);
        start = slash < 0 ? -1 : slash + 1;
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExW(root, partial, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS)
            return;
        RegCloseKey(key);
        if (disposition == REG_CREATED_NEW_KEY)
            m_created.push_back(partial);
    }
}

CreatedKey::~CreatedKey()
{
    for (auto key = m_created.rbegin(); key != m_created.rend(); ++key) {
        RegDeleteTreeW(m_root, *key);
        RegDeleteKeyW(m_root, *key);
    }
}

}  // namespace setup_program_test
