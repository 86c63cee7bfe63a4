// The framework's free functions: the application and its main window, the module
// that resources come from, message boxes, OLE start-up, window classes, and the
// hand-over of exceptions that escaped a message handler.
#pragma once
#include <windows.h>
#include "framework/ResourceModule.h"

class CWinApp;
class CWnd;

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();

HINSTANCE AfxGetInstanceHandle();            // the program's own module
// AfxGetResourceHandle and AfxSetResourceHandle (ResourceModule.h): where menus,
// dialogs, strings and bitmaps come from; AfxLoadResourceLibrary loads such a module.

// A message box owned by the main window, captioned with the application's name
// (answered by the test hook when one is installed, see CTestHook.h).
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

BOOL AfxOleInit();                           // OLE for this thread, ended when the program ends
void AfxEnableControlContainer();            // nothing to do: no ActiveX controls are hosted
void AfxPostQuitMessage(int nExitCode);

// The name of a window class with these attributes and DefWindowProc as its
// procedure, registered on first use.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);

// C++ exceptions cannot pass through the system's window procedures, so a handler's
// exception is caught at the window procedure and kept; these carry it on from the
// next place in framework code outside the system (the message loop, DoModal,
// window creation, SendMessage through CWnd).
bool AfxHasPendingException();
void AfxRethrowPendingException();
