// The editor's one document.
#include "editor/document/Document.h"

#include <windows.h>

#include "editor/shell/Application.h"
#include "editor/file/Crc.h"
#include "editor/file/KivFile.h"
#include "editor/dialogs/KivPropertyDialog.h"
#include "editor/file/SafeSave.h"
#include "foundation/glo/GLO_Exception.h"

namespace app {

namespace {

Document_t* currentDocument = nullptr;

// The File Properties command of the editor's menu.
const UINT commandFileProperties = 130;

} // namespace

Document_t& CurrentDocument()
{
    if (!currentDocument)
        throw glo::Assert_t("Document", 36);
    return *currentDocument;
}

IMPLEMENT_DYNCREATE(Document_t, CDocument)

BEGIN_MESSAGE_MAP(Document_t, CDocument)
    ON_COMMAND(ID_EDIT_UNDO, &Document_t::OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, &Document_t::OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &Document_t::OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, &Document_t::OnUpdateEditRedo)
    ON_COMMAND(commandFileProperties, &Document_t::OnFileProperties)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, &Document_t::OnUpdateFileSave)
END_MESSAGE_MAP()

Document_t::Document_t()
{
    database.SetJournal(&undoJournal);
    currentDocument = this;
}

Document_t::~Document_t()
{
    if (currentDocument == this)
        currentDocument = nullptr;
}

void Document_t::UpdateLock()
{
    if (header.GetUserMade())
        locked = false;
    else if (!Application_t::IsOemMode())
        locked = true;
}

BOOL Document_t::IsModified()
{
    return m_bModified;
}

void Document_t::SetModifiedFlag(BOOL modified)
{
    m_bModified = modified;
}

void Document_t::DeleteContents()
{
    CDocument::DeleteContents();
    selectedCheckList = 0;
    undoJournal.Clear();
    redoJournal.Clear();
    database.Clear();
}

BOOL Document_t::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    DeleteContents();
    header = KivFileHeader_t();
    UpdateLock();
    return TRUE;
}

BOOL Document_t::OnOpenDocument(LPCTSTR path)
{
    CFileException error;
    CFile* file = GetFile(path, CFile::modeRead | CFile::shareDenyWrite, &error);
    if (!file) {
        ReportSaveLoadException(path, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    ReleaseFile(file, FALSE);

    KivInputFile_t in(path);
    if (!in) {
        CFileException generic(CFileException::genericException, -1, path);
        ReportSaveLoadException(path, &generic, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    // A file larger than any checklist is damaged, and refused unread: the process could not hold it.
    const bool tooLarge = in.IsTooLarge();
    // A file too short to hold a header is no checklist file either.
    const bool headerRead = !tooLarge && header.Read(in);
    if (headerRead)
        database.Read(in);
    const std::string quoted = std::string("\"") + path + "\"";
    if (!tooLarge && (!headerRead || !header.HasValidMagic())) {
        AfxMessageBox((quoted + " is not an KIV file.").c_str(), MB_OK);
        DeleteContents();
        return FALSE;
    }
    if (!tooLarge && Crc_t(path).Check() && database.IsComplete()) {
        UpdateLock();
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    AfxMessageBox(("The Kiv document, " + quoted + ", is corrupt.").c_str(), MB_OK);
    DeleteContents();
    return FALSE;
}

// Saves through a temporary file, so that a failure leaves the file on disk as
// it was and the document modified.
BOOL Document_t::OnSaveDocument(LPCTSTR path)
{
    // A failed save removes the file only when this save made it: nothing was there
    // before (only "not found" says so; a file whose attributes cannot be read is
    // kept), and the open below made it rather than found it.
    const DWORD lookup = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? ERROR_SUCCESS : GetLastError();
    const bool foundBefore = lookup != ERROR_FILE_NOT_FOUND && lookup != ERROR_PATH_NOT_FOUND;
    // The file must be creatable and writable; an existing one is not truncated.
    CFileException error;
    CFile* file = GetFile(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite |
                                    CFile::shareExclusive, &error);
    if (!file) {
        ReportSaveLoadException(path, &error, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    const bool existed = foundBefore || GetLastError() == ERROR_ALREADY_EXISTS;
    ReleaseFile(file, FALSE);

    KivFileHeader_t saved = header;
    saved.SetUserMade(Application_t::IsOemMode() ? 0 : 1);
    try {
        SaveKivFile(path, saved, database);
    } catch (const SaveError_t& e) {
        if (!existed)
            DeleteFileA(path);
        const std::string message = std::string("The Kiv document, \"") + path + "\", could not be saved.\n\n" +
                                    e.GetStepText() + " failed: " + e.what() +
                                    (existed ? "\nThe file on disk is unchanged." : "");
        AfxMessageBox(message.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    header = saved;
    SetModifiedFlag(FALSE);
    return TRUE;
}

void Document_t::OnEditUndo()
{
    if (undoJournal.IsEmpty())
        return;
    database.SetJournal(&redoJournal);
    database.RunJournal(undoJournal);
    database.SetJournal(&undoJournal);
}

void Document_t::OnEditRedo()
{
    if (redoJournal.IsEmpty())
        return;
    database.SetJournal(&undoJournal);
    database.RunJournal(redoJournal);
}

void Document_t::OnUpdateEditUndo(CCmdUI* command)
{
    command->Enable(!undoJournal.IsEmpty());
}

void Document_t::OnUpdateEditRedo(CCmdUI* command)
{
    command->Enable(!redoJournal.IsEmpty());
}

void Document_t::OnUpdateFileSave(CCmdUI* command)
{
    command->Enable(!database.groups.empty() && IsModified());
}

void Document_t::OnFileProperties()
{
    KivPropertyDialog_t dialog(header, !locked);
    if (dialog.DoModal() == IDOK)
        TakeProperties(dialog.GetHeader());
}

void Document_t::TakeProperties(const KivFileHeader_t& edited)
{
    if (locked || edited == header)
        return;
    header = edited;
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr);
}

} // namespace app
