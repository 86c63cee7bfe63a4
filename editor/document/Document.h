// The editor's one document: the checklist database, the file header, the
// preview's selection, the undo and redo journals and the lock. It opens,
// checks and saves checklist files and carries out Undo and Redo.
#pragma once

#include "editor/model/Database.h"
#include "editor/file/KivFileHeader.h"
#include "framework/Framework.h"
#include "foundation/journal/JNL_Journal.h"

namespace app {

class Document_t : public CDocument {
    DECLARE_DYNCREATE(Document_t)

public:
    // Becomes the current document.
    Document_t();
    ~Document_t() override;

    Database_t& GetDatabase() { return database; }
    KivFileHeader_t& GetHeader() { return header; }
    jnl::Journal_t& GetUndoJournal() { return undoJournal; }
    jnl::Journal_t& GetRedoJournal() { return redoJournal; }

    // The group and checklist that the preview shows; -1 for none.
    int GetSelectedGroup() const { return selectedGroup; }
    void SetSelectedGroup(int group) { selectedGroup = group; }
    int GetSelectedCheckList() const { return selectedCheckList; }
    void SetSelectedCheckList(int checkList) { selectedCheckList = checkList; }

    // The header's default group and checklist, which deleting an item may reset.
    int GetDefaultGroup() const { return header.GetDefaultGroup(); }
    int GetDefaultCheckList() const { return header.GetDefaultCheckList(); }
    void ResetDefaultGroup() { header.SetDefaultGroup(0); }
    void ResetDefaultCheckList() { header.SetDefaultCheckList(0); }

    // Takes the header edited in the properties dialog: a change marks the
    // document modified (it is not journaled); a locked document keeps its own.
    void TakeProperties(const KivFileHeader_t& edited);

    // A locked file is read-only while it is open: one made in OEM mode, opened outside it.
    bool IsLocked() const { return locked; }
    void UpdateLock();

    BOOL IsModified() override;
    void SetModifiedFlag(BOOL modified = TRUE) override;
    void DeleteContents() override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR path) override;
    BOOL OnSaveDocument(LPCTSTR path) override;

    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditUndo(CCmdUI* command);
    afx_msg void OnUpdateEditRedo(CCmdUI* command);
    afx_msg void OnFileProperties();
    afx_msg void OnUpdateFileSave(CCmdUI* command);

    DECLARE_MESSAGE_MAP()

private:
    bool ReadFile(const std::string& path);

    Database_t database;
    KivFileHeader_t header;
    int selectedGroup = -1;
    int selectedCheckList = -1;
    jnl::Journal_t undoJournal;
    jnl::Journal_t redoJournal;
    bool locked = false;
};

// The document; an assertion before it has been constructed.
Document_t& CurrentDocument();

} // namespace app
