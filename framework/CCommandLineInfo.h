// What the command line asks of the application: ParseCommandLine hands every
// argument to ParseParam (a flag without its leading "/" or "-"), which records the
// shell command (a new document, a file to open, ...) for ProcessShellCommand.
#pragma once
#include "framework/CObject.h"
#include "framework/FrameworkStrings.h"

class CCommandLineInfo : public CObject
{
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;
    // One argument; bFlag when it began with "/" or "-" (removed), bLast for the last one.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    // FALSE when the code page cannot hold the file name given (see CodePage.h).
    BOOL m_bFileNameHeld = TRUE;
    CString m_strPrinterName;
};
