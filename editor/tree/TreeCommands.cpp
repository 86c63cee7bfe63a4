// The tree's edit commands, which act on the caret item: their enabling rules,
// add, properties, cut, copy, paste, delete and the Del key. Every command that
// changes the database first empties the redo journal, then makes one edit.
#include "editor/tree/TreeView.h"

#include "foundation/afx/AFX_IClipboard.h"
#include "foundation/afx/AFX_OClipboard.h"
#include "editor/document/Document.h"
#include "editor/model/ElementAt.h"
#include "editor/dialogs/EntryEditorDialog.h"
#include "editor/tree/ItemClipboard.h"
#include "editor/shell/ResourceIds.h"
#include "editor/dialogs/TitleEditorDialog.h"
#include "foundation/glo/GLO_Exception.h"

namespace app {

namespace {

// The item at an index of a model list; a missing one is an assertion at the line.
template <class List>
auto Locate(List& list, int index, int missingLine) -> decltype(list.begin())
{
    const auto element = ElementAt(list, index);
    glo::ThrowIfFalse(element != list.end(), "TreeView", missingLine);
    return element;
}

bool IsGroupLevel(int kind)
{
    return kind == TreeView_t::GroupItem || kind == TreeView_t::EndOfGroups;
}

bool IsCheckListLevel(int kind)
{
    return kind == TreeView_t::CheckListItem || kind == TreeView_t::EndOfCheckLists;
}

bool IsEntryLevel(int kind)
{
    return kind == TreeView_t::EntryItem || kind == TreeView_t::EndOfEntries;
}

// A group, checklist or entry itself, not an end marker.
bool IsModelItem(int kind)
{
    return kind == TreeView_t::GroupItem || kind == TreeView_t::CheckListItem || kind == TreeView_t::EntryItem;
}

} // namespace

UINT TreeView_t::GetClipboardFormatForKind(int kind)
{
    if (IsGroupLevel(kind))
        return GroupClipboardFormat();
    if (IsCheckListLevel(kind))
        return CheckListClipboardFormat();
    Require(IsEntryLevel(kind), 1623);
    return EntryClipboardFormat();
}

void TreeView_t::ClearRedo(Document_t& document)
{
    document.GetRedoJournal().Clear();
}

// Enabling

bool TreeView_t::IsCommandEnabled(UINT command) const
{
    const ItemKind kind = GetItemKind(caretItem);
    if (command == ID_EDIT_COPY)
        return IsModelItem(kind);
    if (CurrentDocument().IsLocked())
        return false;
    switch (command) {
    case ID_ADD_NEW_GROUP:
        return IsGroupLevel(kind);
    case ID_ADD_NEW_CHECKLIST:
        return IsCheckListLevel(kind);
    case ID_ADD_NEW_ENTRY:
        return IsEntryLevel(kind);
    case ID_GROUP_PROPERTIES:
        return kind == GroupItem;
    case ID_CHECKLIST_PROPERTIES:
        return kind == CheckListItem;
    case ID_ENTRY_PROPERTIES:
        return kind == EntryItem;
    case ID_EDIT_CUT:
    case ID_EDIT_DELETE:
        return IsModelItem(kind);
    case ID_EDIT_PASTE:
        return kind != NotAnItem && afx::IClipboard_t().IsAvailable(GetClipboardFormatForKind(kind));
    default:
        return false;
    }
}

void TreeView_t::OnUpdateAddNewGroup(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_ADD_NEW_GROUP));
}

void TreeView_t::OnUpdateAddNewCheckList(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_ADD_NEW_CHECKLIST));
}

void TreeView_t::OnUpdateAddNewEntry(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_ADD_NEW_ENTRY));
}

void TreeView_t::OnUpdateGroupProperties(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_GROUP_PROPERTIES));
}

void TreeView_t::OnUpdateCheckListProperties(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_CHECKLIST_PROPERTIES));
}

void TreeView_t::OnUpdateEntryProperties(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_ENTRY_PROPERTIES));
}

void TreeView_t::OnUpdateEditCut(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_EDIT_CUT));
}

void TreeView_t::OnUpdateEditCopy(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_EDIT_COPY));
}

void TreeView_t::OnUpdateEditPaste(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_EDIT_PASTE));
}

void TreeView_t::OnUpdateEditDelete(CCmdUI* command)
{
    command->Enable(IsCommandEnabled(ID_EDIT_DELETE));
}

// Clipboard and delete. A command that reaches the view while its rule disables
// it (a stale menu, a message sent directly) does nothing either.

void TreeView_t::OnEditCopy()
{
    if (IsCommandEnabled(ID_EDIT_COPY))
        CopyCaretItem();
}

// A cut whose copy did not reach the clipboard (another program holding it open)
// keeps the item.
void TreeView_t::OnEditCut()
{
    if (IsCommandEnabled(ID_EDIT_CUT) && CopyCaretItem())
        DeleteItem(caretItem);
}

void TreeView_t::OnEditDelete()
{
    if (IsCommandEnabled(ID_EDIT_DELETE))
        DeleteItem(caretItem);
}

void TreeView_t::OnKeyDown(NMHDR* header, LRESULT* result)
{
    const NMTVKEYDOWN* key = reinterpret_cast<const NMTVKEYDOWN*>(header);
    if (key->wVKey == VK_DELETE && caretItem && IsCommandEnabled(ID_EDIT_DELETE))
        DeleteItem(caretItem);
    *result = 0;
}

bool TreeView_t::CopyCaretItem()
{
    Database_t& database = CurrentDocument().GetDatabase();
    const ItemKind kind = GetItemKind(caretItem);
    const DWORD before = ::GetClipboardSequenceNumber();
    {
        afx::OClipboard_t clipboard;
        if (kind == GroupItem) {
            const auto group = Locate(database.groups, GetGroupIndex(caretItem), 1073);
            WriteGroupToClipboard(clipboard, *group);
        } else if (kind == CheckListItem) {
            const Position_t position = GetCheckListPosition(caretItem);
            const auto group = Locate(database.groups, position.group, 1082);
            WriteCheckListToClipboard(clipboard, *Locate(group->checklists, position.checklist, 1084));
        } else if (kind == EntryItem) {
            const Position_t position = GetEntryPosition(caretItem);
            const auto group = Locate(database.groups, position.group, 1093);
            const auto checkList = Locate(group->checklists, position.checklist, 1095);
            WriteEntryToClipboard(clipboard, *Locate(checkList->entries, position.entry, 1097));
        } else {
            return false;
        }
    }
    return ::GetClipboardSequenceNumber() != before && ::IsClipboardFormatAvailable(GetClipboardFormatForKind(kind));
}

void TreeView_t::DeleteItem(HTREEITEM item)
{
    Document_t& document = CurrentDocument();
    Database_t& database = document.GetDatabase();
    switch (GetItemKind(item)) {
    case GroupItem: {
        const Position_t position(GetGroupIndex(item));
        ClearRedo(document);
        database.EraseGroup(position);
        if (document.GetDefaultGroup() == position.group) {
            document.ResetDefaultGroup();
            document.ResetDefaultCheckList();
        }
        break;
    }
    case CheckListItem: {
        const Position_t position = GetCheckListPosition(item);
        ClearRedo(document);
        database.EraseCheckList(position);
        if (document.GetDefaultCheckList() == position.checklist)
            document.ResetDefaultCheckList();
        break;
    }
    case EntryItem: {
        const Position_t position = GetEntryPosition(item);
        ClearRedo(document);
        database.EraseEntry(position);
        break;
    }
    default:
        break;
    }
}

// The pasted item goes before the caret item (at the end of its level on an end
// marker); the caret stays where it was. Only the format of the caret's level is
// taken, and the redo journal is emptied only when something is pasted.
void TreeView_t::OnEditPaste()
{
    Document_t& document = CurrentDocument();
    const ItemKind kind = GetItemKind(caretItem);
    if (document.IsLocked() || kind == NotAnItem)
        return;
    Database_t& database = document.GetDatabase();
    afx::IClipboard_t clipboard;
    if (IsGroupLevel(kind)) {
        Group_t group;
        if (ReadGroupFromClipboard(clipboard, group)) {
            const Position_t position(GetGroupIndex(caretItem));
            ClearRedo(document);
            database.InsertGroup(position, group);
        }
    } else if (IsCheckListLevel(kind)) {
        CheckList_t checkList;
        if (ReadCheckListFromClipboard(clipboard, checkList)) {
            const Position_t position = GetCheckListPosition(caretItem);
            ClearRedo(document);
            database.InsertCheckList(position, checkList);
        }
    } else {
        Entry_t entry(std::string(), Entry_t::Challenge, Entry_t::Left);
        if (ReadEntryFromClipboard(clipboard, entry)) {
            const Position_t position = GetEntryPosition(caretItem);
            ClearRedo(document);
            database.InsertEntry(position, entry);
        }
    }
}

// Add and properties. An add command shows the new item in the tree while its
// dialog is open; only OK puts it into the database. Cancel changes nothing.

namespace {

Entry_t NewEntry()
{
    return Entry_t("New Entry", Entry_t::Challenge, Entry_t::Left);
}

} // namespace

bool TreeView_t::RunAddDialog(CDialog& dialog, const std::function<void()>& removePreview)
{
    INT_PTR answer = IDCANCEL;
    try {
        answer = dialog.DoModal();
    } catch (...) {
        removePreview();
        throw;
    }
    removePreview();
    return answer == IDOK;
}

void TreeView_t::OnAddNewGroup()
{
    if (!IsCommandEnabled(ID_ADD_NEW_GROUP))
        return;
    CheckList_t checkList("New Checklist");
    checkList.entries.push_back(NewEntry());
    Group_t group("New Group");
    group.checklists.push_back(checkList);
    const Position_t position(GetGroupIndex(caretItem));
    TitleEditorDialog_t dialog("Group Properties", group.name);
    InsertGroupItem(position, group, false);
    if (!RunAddDialog(dialog, [&] { EraseGroupItem(position); }))
        return;
    if (!dialog.name.empty())
        group.name = dialog.name;
    Document_t& document = CurrentDocument();
    ClearRedo(document);
    document.GetDatabase().InsertGroup(position, group);
}

void TreeView_t::OnAddNewCheckList()
{
    if (!IsCommandEnabled(ID_ADD_NEW_CHECKLIST))
        return;
    CheckList_t checkList("New Checklist");
    checkList.entries.push_back(NewEntry());
    const Position_t position = GetCheckListPosition(caretItem);
    TitleEditorDialog_t dialog("Checklist Properties", checkList.name);
    InsertCheckListItem(position, checkList, false);
    if (!RunAddDialog(dialog, [&] { EraseCheckListItem(position); }))
        return;
    if (!dialog.name.empty())
        checkList.name = dialog.name;
    Document_t& document = CurrentDocument();
    ClearRedo(document);
    document.GetDatabase().InsertCheckList(position, checkList);
}

void TreeView_t::OnAddNewEntry()
{
    if (!IsCommandEnabled(ID_ADD_NEW_ENTRY))
        return;
    Document_t& document = CurrentDocument();
    const Position_t position = GetEntryPosition(caretItem);
    EntryEditorDialog_t dialog(NewEntry());
    InsertEntryItem(position, NewEntry());
    if (!RunAddDialog(dialog, [&] { EraseEntryItem(position); }))
        return;
    Entry_t entry = dialog.GetEntry();
    if (entry.text.empty())
        entry.text = "Entry";
    ClearRedo(document);
    document.GetDatabase().InsertEntry(position, entry);
}

// OK renames even to the same name: nothing is recorded then, but the redo
// journal is emptied all the same.
void TreeView_t::OnGroupProperties()
{
    if (!IsCommandEnabled(ID_GROUP_PROPERTIES))
        return;
    Document_t& document = CurrentDocument();
    Database_t& database = document.GetDatabase();
    const Position_t position(GetGroupIndex(caretItem));
    const Group_t& group = *Locate(database.groups, position.group, 685);
    TitleEditorDialog_t dialog("Group Properties", group.name);
    if (dialog.DoModal() != IDOK)
        return;
    ClearRedo(document);
    database.RenameGroup(position, dialog.name.empty() ? "Group" : dialog.name);
}

void TreeView_t::OnCheckListProperties()
{
    if (!IsCommandEnabled(ID_CHECKLIST_PROPERTIES))
        return;
    Document_t& document = CurrentDocument();
    Database_t& database = document.GetDatabase();
    const Position_t position = GetCheckListPosition(caretItem);
    Group_t& group = *Locate(database.groups, position.group, 723);
    const CheckList_t& checkList = *Locate(group.checklists, position.checklist, 725);
    TitleEditorDialog_t dialog("Checklist Properties", checkList.name);
    if (dialog.DoModal() != IDOK)
        return;
    ClearRedo(document);
    database.RenameCheckList(position, dialog.name.empty() ? "Checklist" : dialog.name);
}

void TreeView_t::OnEntryProperties()
{
    if (!IsCommandEnabled(ID_ENTRY_PROPERTIES))
        return;
    Document_t& document = CurrentDocument();
    Database_t& database = document.GetDatabase();
    const Position_t position = GetEntryPosition(caretItem);
    Group_t& group = *Locate(database.groups, position.group, 762);
    CheckList_t& checkList = *Locate(group.checklists, position.checklist, 764);
    EntryEditorDialog_t dialog(*Locate(checkList.entries, position.entry, 766));
    if (dialog.DoModal() != IDOK)
        return;
    ClearRedo(document);
    Entry_t entry = dialog.GetEntry();
    if (entry.text.empty())
        entry.text = "Entry";
    database.UpdateEntry(position, entry);
}

} // namespace app
