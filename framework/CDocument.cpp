// The document's life: new, open, save, close, and its views.
#include "framework/CDocument.h"
#include "framework/CDocTemplate.h"
#include "framework/CFile.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/FullPath.h"
#include "framework/Globals.h"
#include "framework/MessageMapEntries.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : _T("");
    for (CView* pView : m_views) {
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    CString full = AfxFullPathOf(lpszPathName);
    m_strPathName = full;
    SetTitle(AfxFileNameOf(full.GetString()).GetString());
    if (bAddToMRU && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(full.GetString());
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

void CDocument::AddView(CView* pView)
{
    if (std::find(m_views.begin(), m_views.end(), pView) == m_views.end())
        m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    pView->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::DeleteContents()
{
    ++m_nDeleteCount;
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException error;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    ReleaseFile(pFile, FALSE);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException error;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &error, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    ReleaseFile(pFile, FALSE);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;   // the frames' ends must not delete the document midway
    std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame && pFrame->m_hWnd)
            pFrame->DestroyWindow();
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : AfxFileNameOf(m_strPathName.GetString());
    CString prompt = AfxFormatText1(AfxLoadText(AFX_IDP_ASK_TO_SAVE), name.GetString());
    switch (AfxMessageBox(prompt.GetString(), MB_YESNOCANCEL | MB_ICONEXCLAMATION, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

BOOL CDocument::DoFileSave()
{
    DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributes(m_strPathName.GetString());
    if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName.GetString());
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName ? lpszPathName : _T("");
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (newName.IsEmpty()) {
            // A new document is offered under its title, with the template's extension.
            newName = m_strTitle;
            int bad = newName.FindOneOf(_T("#%;/\\:*?\"<>|"));
            if (bad >= 0)
                newName.Truncate(bad);
            CString extension;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt) &&
                !extension.IsEmpty())
                newName += extension;
        }
        CWinApp* app = AfxGetApp();
        if (!app || !app->DoPromptFileName(newName, 0, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    // A failed save leaves the file as it was: removing what it made is the save's own
    // business, since only the save can tell a file it made from one that was there.
    if (!OnSaveDocument(newName.GetString()))
        return FALSE;
    if (bReplace)
        SetPathName(newName.GetString());
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
        delete pFile;
        return nullptr;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (!pFile)
        return;
    if (bAbort) {
        pFile->Abort();
    } else {
        try {
            pFile->Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    delete pFile;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL, UINT nIDPDefault)
{
    if (e && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;   // told already
    CString prompt;
    if (e && e->IsKindOf(RUNTIME_CLASS(CFileException))) {
        CFileException* fe = static_cast<CFileException*>(e);
        if (fe->m_cause != CFileException::none && fe->m_cause != CFileException::genericException) {
            if (fe->m_strFileName.IsEmpty() && lpszPathName)
                fe->m_strFileName = lpszPathName;
            // Room for the whole name, however long, beside the message's words.
            std::vector<TCHAR> text((size_t)fe->m_strFileName.GetLength() + 1024);
            if (fe->GetErrorMessage(text.data(), (UINT)text.size()))
                prompt = text.data();
        }
    }
    if (prompt.IsEmpty())
        prompt = AfxFormatText1(AfxLoadText(nIDPDefault), lpszPathName);
    AfxMessageBox(prompt.GetString(), MB_ICONEXCLAMATION, nIDPDefault);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

void CDocument::OnFileClose()
{
    if (SaveModified())
        OnCloseDocument();
}
