// Hooks between the framework's own files that are not part of its interface.
#pragma once
#include <windows.h>
#include <exception>
#include <string>

class CDialog;
class CMenu;
class CWnd;

// Keeps an exception that escaped a message handler and ends the modal loops
// above it, so that the code that started them can rethrow it.
void AfxKeepPendingException(std::exception_ptr e);

// Modal dialogs currently running, innermost last.
void AfxPushModalDialog(CDialog* pDialog);
void AfxPopModalDialog(CDialog* pDialog);
void AfxEndModalLoops();

// The test hook's answers (see CTestHook.h); each returns false when no hook is installed.
bool AfxTestHookAnswerMessageBox(LPCTSTR text, LPCTSTR caption, UINT type, int* answer);
bool AfxTestHookIsInstalled();
void AfxTestHookAnswerDialog(CDialog* pDialog);   // called inside the dialog's modal loop
bool AfxTestHookAnswerFileDialog(BOOL bOpen, LPCTSTR title, std::wstring& path, int* answer);
bool AfxTestHookAnswerPopupMenu(CMenu* pPopup, UINT* command);

// A window message the framework posts to itself.
#define AFX_WM_TESTHOOK_ANSWER (WM_APP + 0x3F01)
