// The framework's free functions: application, modules, message boxes, OLE,
// window classes, and the stack of modal dialogs.
#include "framework/Globals.h"
#include "framework/CDialog.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkInternal.h"
#include <ole2.h>
#include <algorithm>
#include <map>
#include <vector>

namespace {

CWinApp* g_app = nullptr;
bool g_oleInitialized = false;
std::vector<CDialog*> g_modalDialogs;

void UninitializeOle()
{
    if (g_oleInitialized) {
        g_oleInitialized = false;
        ::OleUninitialize();   // also leaves what this program put on the clipboard there
    }
}

} // namespace

void AfxSetApp(CWinApp* app);
void AfxSetApp(CWinApp* app)
{
    g_app = app;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

LPCTSTR AfxGetAppName()
{
    return g_app && g_app->m_pszAppName ? g_app->m_pszAppName : _T("");
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_app && g_app->m_hInstance)
        return g_app->m_hInstance;
    return ::GetModuleHandle(nullptr);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (g_app)
        return g_app->DoMessageBox(lpszText, nType, nIDHelp);
    int answer = 0;
    if (AfxTestHookAnswerMessageBox(lpszText, _T(""), nType, &answer))
        return answer;
    return ::MessageBox(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text = AfxLoadText(nIDPrompt);
    return AfxMessageBox(text.GetString(), nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

BOOL AfxOleInit()
{
    if (g_oleInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    g_oleInitialized = true;
    atexit(UninitializeOle);
    return TRUE;
}

void AfxEnableControlContainer()
{
}

void AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::map<CString, bool> registered;
    static std::vector<CString> names;   // keeps the returned names alive
    TCHAR name[96];
    wsprintf(name, _T("FrameworkWnd:%x:%p:%p:%p"), nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    if (!registered[name]) {
        WNDCLASS wc = {};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = name;
        ::RegisterClass(&wc);
        registered[name] = true;
        names.push_back(name);
    }
    return std::find(names.begin(), names.end(), CString(name))->GetString();
}

void AfxPushModalDialog(CDialog* pDialog)
{
    g_modalDialogs.push_back(pDialog);
}

void AfxPopModalDialog(CDialog* pDialog)
{
    auto it = std::find(g_modalDialogs.begin(), g_modalDialogs.end(), pDialog);
    if (it != g_modalDialogs.end())
        g_modalDialogs.erase(it);
}

void AfxEndModalLoops()
{
    for (CDialog* pDialog : g_modalDialogs) {
        if (pDialog->m_hWnd)
            ::EndDialog(pDialog->m_hWnd, IDABORT);
    }
    ::EndMenu();
}
