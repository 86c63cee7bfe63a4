// The left pane of the main window: a tree of every group, checklist and entry
// of the document, in file order, each level closed by an end marker. It mirrors
// every edit of the database as its observer, tells the document which
// checklist the caret shows, and carries the edit commands that act on the
// caret item (add, properties, cut, copy, paste, delete).
#pragma once

#include "editor/model/DatabaseObserver.h"
#include "editor/model/Position.h"
#include "framework/Framework.h"

#include <functional>
#include <string>

namespace app {

class Document_t;

class TreeView_t : public CTreeView, public DatabaseObserver_t {
    DECLARE_DYNCREATE(TreeView_t)

public:
    // What a tree item stands for; its image index holds it.
    enum ItemKind {
        GroupItem,
        CheckListItem,
        EntryItem,
        EndOfGroups,
        EndOfCheckLists,
        EndOfEntries,
        NotAnItem
    };

    // Becomes the current document's observer.
    TreeView_t();
    ~TreeView_t() override;

    // A text of at most 25 characters whole; a longer one cut to 25, without the
    // blanks that end the cut, and "...". Line ends never show: those at the end
    // are left out, one inside becomes a blank.
    static std::string MakeItemLabel(const std::string& text);

    void OnInitialUpdate() override;
    // Makes the items anew from the database; the first root item becomes the caret.
    void RebuildTree();

    // The database's observer: each mirrors one edit at once. The inserts take the
    // content from their argument, so that a command can show an item that is
    // not in the database yet; the caret stays on the item it was on.
    void InsertGroupItem(const Position_t& position, const Group_t& group, bool redraw) override;
    void InsertCheckListItem(const Position_t& position, const CheckList_t& checkList, bool redraw) override;
    void InsertEntryItem(const Position_t& position, const Entry_t& entry) override;
    void UpdateGroupItem(const Position_t& position, const std::string& name) override;
    void UpdateCheckListItem(const Position_t& position, const std::string& name) override;
    void UpdateEntryItem(const Position_t& position, const std::string& text) override;
    void EraseGroupItem(const Position_t& position) override;
    void EraseCheckListItem(const Position_t& position) override;
    void EraseEntryItem(const Position_t& position) override;

    // Items and positions. An item's index is its place among its siblings, so an
    // end marker's index is the count of its level.
    ItemKind GetItemKind(HTREEITEM item) const;
    HTREEITEM GetGroupItem(int group) const;
    HTREEITEM GetCheckListItem(const Position_t& position) const;
    HTREEITEM GetEntryItem(const Position_t& position) const;
    int GetGroupIndex(HTREEITEM item) const;
    Position_t GetCheckListPosition(HTREEITEM item) const;
    Position_t GetEntryPosition(HTREEITEM item) const;
    HTREEITEM GetCaretItem() const { return caretItem; }
    HTREEITEM GetCaretCheckListItem() const;
    HTREEITEM GetCaretGroupItem() const;
    HTREEITEM GetCaretEntryLevelItem() const;

    // Takes the control's caret; when the checklist it shows changed (or when
    // forced), the document's selection follows and the other views are updated.
    void OnSelectionChanged(bool forced);

    // The clipboard format of the items of a kind's level; an assertion for kind 6.
    static UINT GetClipboardFormatForKind(int kind);
    // The commands' enabling rules, by the caret's kind and the document's lock.
    bool IsCommandEnabled(UINT command) const;
    // Erases the item's group, checklist or entry from the database (with the
    // header's defaults that pointed at an erased group or checklist).
    void DeleteItem(HTREEITEM item);

    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnSelChanged(NMHDR* header, LRESULT* result);
    afx_msg void OnDblClk(NMHDR* header, LRESULT* result);
    afx_msg void OnRClick(NMHDR* header, LRESULT* result);
    afx_msg void OnKeyDown(NMHDR* header, LRESULT* result);

    afx_msg void OnAddNewGroup();
    afx_msg void OnAddNewCheckList();
    afx_msg void OnAddNewEntry();
    afx_msg void OnGroupProperties();
    afx_msg void OnCheckListProperties();
    afx_msg void OnEntryProperties();
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnEditDelete();
    afx_msg void OnUpdateAddNewGroup(CCmdUI* command);
    afx_msg void OnUpdateAddNewCheckList(CCmdUI* command);
    afx_msg void OnUpdateAddNewEntry(CCmdUI* command);
    afx_msg void OnUpdateGroupProperties(CCmdUI* command);
    afx_msg void OnUpdateCheckListProperties(CCmdUI* command);
    afx_msg void OnUpdateEntryProperties(CCmdUI* command);
    afx_msg void OnUpdateEditCut(CCmdUI* command);
    afx_msg void OnUpdateEditCopy(CCmdUI* command);
    afx_msg void OnUpdateEditPaste(CCmdUI* command);
    afx_msg void OnUpdateEditDelete(CCmdUI* command);

    DECLARE_MESSAGE_MAP()

private:
    // Failure lines of the item inserts; 0 leaves an insert unchecked.
    struct InsertLines {
        int group, checkList, entry, endOfEntries, endOfCheckLists;
    };

    // An assertion of the tree at the line unless the condition holds.
    static void Require(bool condition, int line);
    HTREEITEM AddItem(const std::string& label, ItemKind kind, HTREEITEM parent, HTREEITEM after, int failLine);
    HTREEITEM AddGroupItems(const Group_t& group, HTREEITEM after, const InsertLines& lines);
    HTREEITEM AddCheckListItems(const CheckList_t& checkList, HTREEITEM parent, HTREEITEM after,
                                const InsertLines& lines);
    // Where a new item goes so that it stands before the anchor.
    HTREEITEM InsertAfterFor(HTREEITEM anchor) const;
    // The caret moves to the item after the new one: back to where it was.
    void SelectNextOf(HTREEITEM item);
    void EraseItem(HTREEITEM item);
    HTREEITEM FindItem(HTREEITEM item, int missingLine) const;

    void ShowContextMenu(UINT menuId);
    // Puts the caret's item on the clipboard; true when the clipboard took it.
    bool CopyCaretItem();
    // Runs the dialog of an add command, then removes the new item's preview; true on OK.
    bool RunAddDialog(CDialog& dialog, const std::function<void()>& removePreview);
    static void ClearRedo(Document_t& document);

    CImageList imageList;
    HTREEITEM caretItem = nullptr;
};

} // namespace app
