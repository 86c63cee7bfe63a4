// A document: the data a user opens, edits and saves, shown by one or more views.
// It keeps the modified flag, its title and path, and its views; it carries out
// New, Open, Save and Save As (with the save-file dialog and the "save changes?"
// question) and reports files that cannot be opened or written. Derived classes
// override DeleteContents, OnNewDocument, OnOpenDocument and OnSaveDocument.
#pragma once
#include "framework/CCmdTarget.h"
#include "framework/FrameworkStrings.h"
#include <vector>

class CDocTemplate;
class CException;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    // Title, path and modified flag
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // Views
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // OnUpdate of every view but the sender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // Overridables of the document's life. Overrides of DeleteContents call this one too:
    // it counts the clearings, by which a failed open tells whether it touched the document.
    virtual void DeleteContents();
    UINT GetDeleteCount() const { return m_nDeleteCount; }
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual BOOL SaveModified();     // asks "Save changes to ...?"; false when the user cancels
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);

    // Saving
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);  // null path: ask for one
    virtual BOOL DoFileSave();

    // Files and their failures
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);  // null on failure
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
    // Tells the user why a load or save failed: the exception's own text when it has
    // one (a file exception with a cause), otherwise the string nIDPDefault.
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    afx_msg void OnFileClose();

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

    DECLARE_MESSAGE_MAP()

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    UINT m_nDeleteCount = 0;
    std::vector<CView*> m_views;
};
