// The framework's own reading of command-line arguments.
#include "framework/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        if (lstrcmpi(pszParam, _T("pt")) == 0)
            m_nShellCommand = FilePrintTo;
        else if (lstrcmpi(pszParam, _T("p")) == 0)
            m_nShellCommand = FilePrint;
        else if (lstrcmpi(pszParam, _T("dde")) == 0)
            m_nShellCommand = FileDDE;
        else if (lstrcmpi(pszParam, _T("Register")) == 0 || lstrcmpi(pszParam, _T("Regserver")) == 0)
            m_nShellCommand = AppRegister;
        else if (lstrcmpi(pszParam, _T("Unregister")) == 0 || lstrcmpi(pszParam, _T("Unregserver")) == 0)
            m_nShellCommand = AppUnregister;
        else if (lstrcmpi(pszParam, _T("Embedding")) == 0)
            m_bRunEmbedded = TRUE;
        else if (lstrcmpi(pszParam, _T("Automation")) == 0)
            m_bRunAutomated = TRUE;
        if (m_bRunEmbedded || m_bRunAutomated)
            m_bShowSplash = FALSE;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty()) {
        m_strPrinterName = pszParam;
    }
}
