// The test hook's queue of answers and the framework's questions to it.
#include "framework/CTestHook.h"
#include "framework/CDialog.h"
#include "framework/CMenu.h"
#include "framework/CodePage.h"
#include "framework/FrameworkInternal.h"

namespace {

CTestHook* g_hook = nullptr;

// What a person dismissing the box would most likely get.
int CancelAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

} // namespace

// The system's message boxes are dialogs of the class "#32770" that no CDialog owns.
LRESULT CALLBACK WatchSystemMessageBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_hook) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        TCHAR cls[16] = {};
        ::GetClassName(hWnd, cls, 16);
        if (lstrcmp(cls, _T("#32770")) == 0 && !CWnd::FromHandlePermanent(hWnd))
            g_hook->OnSystemMessageBox(hWnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

CTestHook::CTestHook()
{
    g_hook = this;
    m_hook = ::SetWindowsHookEx(WH_CBT, WatchSystemMessageBoxes, nullptr, ::GetCurrentThreadId());
}

CTestHook::~CTestHook()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    if (g_hook == this)
        g_hook = nullptr;
}

void CTestHook::OnSystemMessageBox(HWND hWnd)
{
    if (::GetProp(hWnd, _T("FrameworkTestHookAnswered")))
        return;   // activated again while its answer is on its way
    ::SetProp(hWnd, _T("FrameworkTestHookAnswered"), (HANDLE)1);
    // The message is the longest static text; the buttons present decide "cancel".
    CString text, caption;
    CWnd::FromHandle(hWnd)->GetWindowText(caption);
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        TCHAR cls[16] = {};
        ::GetClassName(child, cls, 16);
        CString childText;
        CWnd::FromHandle(child)->GetWindowText(childText);
        if (lstrcmpi(cls, _T("Static")) == 0 && childText.GetLength() > text.GetLength())
            text = childText;
    }
    UINT type = ::GetDlgItem(hWnd, IDCANCEL) ? MB_OKCANCEL : (::GetDlgItem(hWnd, IDNO) ? MB_YESNO : MB_OK);
    Answer answer;
    int result = Take(Kind::Box, answer) ? answer.result : CancelAnswer(type);
    m_log.push_back(Shown{ Kind::Box, text, caption, 0, result });
    ::PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(result, BN_CLICKED), (LPARAM)::GetDlgItem(hWnd, result));
}

CTestHook* CTestHook::Current()
{
    return g_hook;
}

void CTestHook::AnswerMessageBox(int result)
{
    m_answers.push_back(Answer{ Kind::Box, result, std::wstring(), nullptr });
}

void CTestHook::AnswerDialog(std::function<int(CDialog&)> act)
{
    m_answers.push_back(Answer{ Kind::Dialog, 0, std::wstring(), std::move(act) });
}

void CTestHook::AnswerDialog(int button)
{
    AnswerDialog([button](CDialog&) { return button; });
}

void CTestHook::AnswerFileDialog(LPCTSTR path)
{
    m_answers.push_back(Answer{ Kind::FileDialog, IDOK, AfxWideOf(path), nullptr });
}

#ifndef UNICODE
void CTestHook::AnswerFileDialog(LPCWSTR path)
{
    m_answers.push_back(Answer{ Kind::FileDialog, IDOK, path, nullptr });
}
#endif

void CTestHook::CancelFileDialog()
{
    m_answers.push_back(Answer{ Kind::FileDialog, IDCANCEL, std::wstring(), nullptr });
}

void CTestHook::AnswerPopupMenu(UINT command)
{
    m_answers.push_back(Answer{ Kind::PopupMenu, (int)command, std::wstring(), nullptr });
}

bool CTestHook::Take(Kind kind, Answer& answer)
{
    if (m_answers.empty() || m_answers.front().kind != kind) {
        ++m_unanswered;
        return false;
    }
    answer = m_answers.front();
    m_answers.pop_front();
    return true;
}

int CTestHook::OnMessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    Answer answer;
    int result = Take(Kind::Box, answer) ? answer.result : CancelAnswer(type);
    m_log.push_back(Shown{ Kind::Box, text ? text : _T(""), caption ? caption : _T(""), type, result });
    return result;
}

void CTestHook::OnDialog(CDialog& dialog)
{
    Answer answer;
    CString caption;
    dialog.GetWindowText(caption);
    int button = Take(Kind::Dialog, answer) ? (answer.act ? answer.act(dialog) : 0) : IDCANCEL;
    m_log.push_back(Shown{ Kind::Dialog, caption, CString(), dialog.GetTemplateID(), button });
    if (button && dialog.m_hWnd && !dialog.IsEnded())
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)::GetDlgItem(dialog.m_hWnd, button));
}

int CTestHook::OnFileDialog(BOOL bOpen, LPCTSTR title, std::wstring& path)
{
    Answer answer;
    int result = IDCANCEL;
    if (Take(Kind::FileDialog, answer)) {
        result = answer.result;
        if (result == IDOK)
            path = answer.path;
    }
    m_log.push_back(Shown{ Kind::FileDialog, title ? title : _T(""), CString(), (UINT)bOpen, result });
    return result;
}

UINT CTestHook::OnPopupMenu(const CString& items)
{
    Answer answer;
    UINT command = Take(Kind::PopupMenu, answer) ? (UINT)answer.result : 0;
    m_log.push_back(Shown{ Kind::PopupMenu, items, CString(), 0, (int)command });
    return command;
}

// The framework's side.

bool AfxTestHookIsInstalled()
{
    return g_hook != nullptr;
}

bool AfxTestHookAnswerMessageBox(LPCTSTR text, LPCTSTR caption, UINT type, int* answer)
{
    if (!g_hook)
        return false;
    *answer = g_hook->OnMessageBox(text, caption, type);
    return true;
}

void AfxTestHookAnswerDialog(CDialog* pDialog)
{
    if (g_hook)
        g_hook->OnDialog(*pDialog);
    else
        pDialog->EndDialog(IDCANCEL);
}

bool AfxTestHookAnswerFileDialog(BOOL bOpen, LPCTSTR title, std::wstring& path, int* answer)
{
    if (!g_hook)
        return false;
    *answer = g_hook->OnFileDialog(bOpen, title, path);
    return true;
}

bool AfxTestHookAnswerPopupMenu(CMenu* pPopup, UINT* command)
{
    if (!g_hook)
        return false;
    // The menu's items as the user would see them: "~" marks a greyed one.
    CString items;
    UINT count = pPopup->GetMenuItemCount();
    for (UINT i = 0; i < count; ++i) {
        UINT state = pPopup->GetMenuState(i, MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            continue;
        if (!items.IsEmpty())
            items += _T('|');
        if (state & (MF_GRAYED | MF_DISABLED))
            items += _T('~');
        CString text;
        pPopup->GetMenuString(i, text, MF_BYPOSITION);
        items += text;
    }
    *command = g_hook->OnPopupMenu(items);
    return true;
}
