// Document templates: the template string, making documents and frames, and the
// single-document road of New and Open.
#include "framework/CDocTemplate.h"
#include "framework/CCreateContext.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/Globals.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString = AfxExtractSubString(AfxLoadText(m_nIDResource), (int)index);
    return !rString.IsEmpty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    CDocument* pDoc = dynamic_cast<CDocument*>(pObject);
    if (!pDoc) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (!pFrame) {
        delete pObject;
        return nullptr;
    }
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        if (!pFrame->m_hWnd)
            delete pFrame;   // never became a window, so nothing else ends it
        return nullptr;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName))
        title = AfxLoadText(AFX_IDS_UNTITLED);
    pDocument->SetTitle(title.GetString());
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::SaveAllModified()
{
    CDocument* pDoc = GetFirstDocument();
    return !pDoc || pDoc->SaveModified();
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    if (CDocument* pDoc = GetFirstDocument())
        pDoc->OnCloseDocument();
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc) {
        CDocument* pDoc = m_pOnlyDoc;
        m_pOnlyDoc = nullptr;
        pDoc->m_pDocTemplate = nullptr;
        delete pDoc;
    }
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    bool created = false;
    if (pDoc) {
        // The one document is reused: its changes are saved or given up first.
        if (!pDoc->SaveModified())
            return nullptr;
        if (!pDoc->GetViews().empty())
            pFrame = pDoc->GetViews().front()->GetParentFrame();
    } else {
        pDoc = CreateNewDocument();
        if (!pDoc) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            return nullptr;
        }
        created = true;
    }
    if (!pFrame) {
        pFrame = CreateNewFrame(pDoc, nullptr);
        if (!pFrame) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            if (created)
                delete pDoc;
            return nullptr;
        }
    }

    bool ok;
    const UINT deletesBefore = pDoc->GetDeleteCount();
    if (!lpszPathName) {
        SetDefaultTitle(pDoc);
        ok = pDoc->OnNewDocument() != FALSE;
    } else {
        CWaitCursor wait;
        ok = pDoc->OnOpenDocument(lpszPathName) != FALSE;
        if (ok)
            pDoc->SetPathName(lpszPathName);
    }
    if (!ok) {
        if (created) {
            pFrame->DestroyWindow();   // ends the views; the document goes with the template
            return nullptr;
        }
        // An open that refused the file before it cleared anything (a file in use,
        // access denied) leaves the document as it was, views and all.
        if (lpszPathName && pDoc->GetDeleteCount() == deletesBefore)
            return nullptr;
        // Otherwise the old document has been emptied on the way: it becomes a new one,
        // so that nothing shows or saves contents that are no longer there.
        SetDefaultTitle(pDoc);
        pDoc->OnNewDocument();
        InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
        return nullptr;
    }

    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd)
        app->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}
