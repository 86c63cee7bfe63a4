// The application and the shell: reading the command line, carrying out its shell
// command, and registering the documents' file types so that the shell opens them
// with this program.
#include "framework/CWinApp.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CDocTemplate.h"
#include "framework/CFileDialog.h"
#include "framework/CodePage.h"
#include "framework/FullPath.h"
#include "framework/FrameworkIds.h"
#include <shellapi.h>
#include <vector>

namespace {

// An argument and whether the code page holds it exactly.
struct Argument
{
    CString text;
    BOOL held;
};

// The arguments after the program's name, taken from Windows as UTF-16 and split as the
// C runtime splits names and switches.
std::vector<Argument> CommandLineArguments()
{
    std::vector<Argument> args;
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; argv && i < count; ++i) {
        Argument arg;
        arg.held = AfxNameFromWide(argv[i], arg.text);
        args.push_back(arg);
    }
    ::LocalFree(argv);
    return args;
}

void SetKeyValue(HKEY root, const CString& keyName, LPCTSTR valueName, const CString& value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyEx(root, keyName.GetString(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                         nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueEx(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                    (DWORD)((value.GetLength() + 1) * sizeof(TCHAR)));
    ::RegCloseKey(key);
}

} // namespace

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<Argument> args = CommandLineArguments();
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& arg = args[i].text;
        bool flag = !arg.IsEmpty() && (arg[0] == _T('/') || arg[0] == _T('-'));
        rCmdInfo.ParseParam(flag ? arg.GetString() + 1 : arg.GetString(), flag, i + 1 == args.size());
        if (!flag && !args[i].held && rCmdInfo.m_strFileName == arg)
            rCmdInfo.m_bFileNameHeld = FALSE;
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Printing is not offered: the file is opened, when its name names it.
        if (!rCmdInfo.m_bFileNameHeld) {
            AfxReportUnheldName(AfxFullPathOf(rCmdInfo.m_strFileName.GetString()).GetString());
            return FALSE;
        }
        return OpenDocumentFile(rCmdInfo.m_strFileName.GetString()) != nullptr;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(TRUE);
        return FALSE;
    case CCommandLineInfo::AppUnregister:
        UnregisterShellFileTypes();
        return FALSE;
    default:
        return TRUE;
    }
}

void CWinApp::EnableShellOpen()
{
    m_bShellOpen = true;
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    TCHAR program[MAX_PATH] = {};
    ::GetModuleFileName(m_hInstance, program, MAX_PATH);
    CString quoted = CString(_T("\"")) + program + _T("\"");
    for (CDocTemplate* pTemplate : m_templates) {
        CString typeId, typeName, extension;
        if (!pTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty())
            continue;
        pTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName);
        pTemplate->GetDocString(extension, CDocTemplate::filterExt);
        HKEY classes = HKEY_CLASSES_ROOT;
        SetKeyValue(classes, typeId, nullptr, typeName);
        SetKeyValue(classes, typeId + _T("\\DefaultIcon"), nullptr, CString(program) + _T(",0"));
        SetKeyValue(classes, typeId + _T("\\shell\\open\\command"), nullptr, quoted + _T(" \"%1\""));
        if (bCompat) {
            SetKeyValue(classes, typeId + _T("\\shell\\print\\command"), nullptr, quoted + _T(" /p \"%1\""));
            SetKeyValue(classes, typeId + _T("\\shell\\printto\\command"), nullptr,
                        quoted + _T(" /pt \"%1\" \"%2\" \"%3\" \"%4\""));
        }
        if (!extension.IsEmpty() && extension[0] == _T('.'))
            SetKeyValue(classes, extension, nullptr, typeId);
    }
}

void CWinApp::UnregisterShellFileTypes()
{
    for (CDocTemplate* pTemplate : m_templates) {
        CString typeId, extension;
        if (!pTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty())
            continue;
        pTemplate->GetDocString(extension, CDocTemplate::filterExt);
        ::RegDeleteTree(HKEY_CLASSES_ROOT, typeId.GetString());
        if (!extension.IsEmpty() && extension[0] == _T('.'))
            ::RegDeleteTree(HKEY_CLASSES_ROOT, extension.GetString());
    }
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    if (!pTemplate && !m_templates.empty())
        pTemplate = m_templates.front();
    CString filter, extension;
    if (pTemplate) {
        CString filterName;
        if (pTemplate->GetDocString(filterName, CDocTemplate::filterName) && !filterName.IsEmpty() &&
            pTemplate->GetDocString(extension, CDocTemplate::filterExt) && !extension.IsEmpty())
            filter += filterName + _T('|') + _T('*') + extension + _T('|');
    }
    filter += AfxLoadText(AFX_IDS_ALLFILTER) + _T("|*.*||");
    CFileDialog dialog(bOpenFileDialog, extension.IsEmpty() ? nullptr : extension.GetString() + 1, fileName.GetString(),
                       lFlags | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT),
                       filter.GetString(), m_pMainWnd);
    CString title = nIDSTitle ? AfxLoadText(nIDSTitle) : CString();
    if (!title.IsEmpty())
        dialog.m_ofn.lpstrTitle = title.GetString();
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}
