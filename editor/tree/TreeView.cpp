// The checklist tree: its items, the mirror of the database's edits, the caret
// that chooses the previewed checklist, the double click and the context menus.
#include "editor/tree/TreeView.h"

#include "editor/document/Document.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_Exception.h"

#include <algorithm>

namespace app {

namespace {

const char* const endOfGroupsLabel = "<End Of Groups>";
const char* const endOfCheckListsLabel = "<End Of Checklists>";
const char* const endOfEntriesLabel = "<End Of Entries>";

const std::string::size_type longestLabel = 25;

// A hit on the item itself: its icon, label or state icon.
const UINT onItem = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

} // namespace

void TreeView_t::Require(bool condition, int line)
{
    glo::ThrowIfFalse(condition, "TreeView", line);
}

IMPLEMENT_DYNCREATE(TreeView_t, CTreeView)

BEGIN_MESSAGE_MAP(TreeView_t, CTreeView)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, &TreeView_t::OnSelChanged)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &TreeView_t::OnDblClk)
    ON_NOTIFY_REFLECT(NM_RCLICK, &TreeView_t::OnRClick)
    ON_NOTIFY_REFLECT(TVN_KEYDOWN, &TreeView_t::OnKeyDown)
    ON_COMMAND(ID_ADD_NEW_GROUP, &TreeView_t::OnAddNewGroup)
    ON_COMMAND(ID_ADD_NEW_CHECKLIST, &TreeView_t::OnAddNewCheckList)
    ON_COMMAND(ID_ADD_NEW_ENTRY, &TreeView_t::OnAddNewEntry)
    ON_COMMAND(ID_GROUP_PROPERTIES, &TreeView_t::OnGroupProperties)
    ON_COMMAND(ID_CHECKLIST_PROPERTIES, &TreeView_t::OnCheckListProperties)
    ON_COMMAND(ID_ENTRY_PROPERTIES, &TreeView_t::OnEntryProperties)
    ON_COMMAND(ID_EDIT_CUT, &TreeView_t::OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, &TreeView_t::OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, &TreeView_t::OnEditPaste)
    ON_COMMAND(ID_EDIT_DELETE, &TreeView_t::OnEditDelete)
    ON_UPDATE_COMMAND_UI(ID_ADD_NEW_GROUP, &TreeView_t::OnUpdateAddNewGroup)
    ON_UPDATE_COMMAND_UI(ID_ADD_NEW_CHECKLIST, &TreeView_t::OnUpdateAddNewCheckList)
    ON_UPDATE_COMMAND_UI(ID_ADD_NEW_ENTRY, &TreeView_t::OnUpdateAddNewEntry)
    ON_UPDATE_COMMAND_UI(ID_GROUP_PROPERTIES, &TreeView_t::OnUpdateGroupProperties)
    ON_UPDATE_COMMAND_UI(ID_CHECKLIST_PROPERTIES, &TreeView_t::OnUpdateCheckListProperties)
    ON_UPDATE_COMMAND_UI(ID_ENTRY_PROPERTIES, &TreeView_t::OnUpdateEntryProperties)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &TreeView_t::OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &TreeView_t::OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &TreeView_t::OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE, &TreeView_t::OnUpdateEditDelete)
END_MESSAGE_MAP()

TreeView_t::TreeView_t()
{
    CurrentDocument().GetDatabase().SetObserver(this);
}

// A database that outlives its tree must not call a view that is gone.
TreeView_t::~TreeView_t()
{
    try {
        Database_t& database = CurrentDocument().GetDatabase();
        if (database.GetObserver() == this)
            database.SetObserver(nullptr);
    } catch (...) {
    }
}

std::string TreeView_t::MakeItemLabel(const std::string& text)
{
    // Line ends at the end stand for blank lines after an entry; one inside a
    // text shows as a blank.
    std::string shown = text.substr(0, text.find_last_not_of("\r\n") + 1);
    std::replace_if(shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    if (shown.size() <= longestLabel)
        return shown;
    std::string label = shown.substr(0, longestLabel);
    label.erase(label.find_last_not_of(' ') + 1);
    return label + "...";
}

int TreeView_t::OnCreate(LPCREATESTRUCT createStruct)
{
    createStruct->style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_NOTOOLTIPS;
    if (CTreeView::OnCreate(createStruct) == -1)
        return -1;
    imageList.Create(IDB_TREE_ITEMS, 15, 1, RGB(255, 0, 255));
    GetTreeCtrl().SetImageList(&imageList, TVSIL_NORMAL);
    return 0;
}

void TreeView_t::OnInitialUpdate()
{
    CTreeView::OnInitialUpdate();
    RebuildTree();
}

// Items

HTREEITEM TreeView_t::AddItem(const std::string& label, ItemKind kind, HTREEITEM parent, HTREEITEM after,
                              int failLine)
{
    const HTREEITEM item = GetTreeCtrl().InsertItem(label.c_str(), kind, kind, parent, after);
    if (failLine)
        Require(item != nullptr, failLine);
    return item;
}

// A checklist item with its entries and its end marker.
HTREEITEM TreeView_t::AddCheckListItems(const CheckList_t& checkList, HTREEITEM parent, HTREEITEM after,
                                        const InsertLines& lines)
{
    const HTREEITEM item = AddItem(MakeItemLabel(checkList.name), CheckListItem, parent, after, lines.checkList);
    for (const Entry_t& entry : checkList.entries)
        AddItem(MakeItemLabel(entry.text), EntryItem, item, TVI_LAST, lines.entry);
    AddItem(endOfEntriesLabel, EndOfEntries, item, TVI_LAST, lines.endOfEntries);
    return item;
}

// A group item with its checklists and its end marker.
HTREEITEM TreeView_t::AddGroupItems(const Group_t& group, HTREEITEM after, const InsertLines& lines)
{
    const HTREEITEM item = AddItem(MakeItemLabel(group.name), GroupItem, TVI_ROOT, after, lines.group);
    for (const CheckList_t& checkList : group.checklists)
        AddCheckListItems(checkList, item, TVI_LAST, lines);
    AddItem(endOfCheckListsLabel, EndOfCheckLists, item, TVI_LAST, lines.endOfCheckLists);
    return item;
}

void TreeView_t::RebuildTree()
{
    const Database_t& database = CurrentDocument().GetDatabase();
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    const InsertLines lines = { 108, 117, 126, 0, 0 };
    for (const Group_t& group : database.groups)
        AddGroupItems(group, TVI_LAST, lines);
    AddItem(endOfGroupsLabel, EndOfGroups, TVI_ROOT, TVI_LAST, 0);
    tree.SelectItem(tree.GetRootItem());
    caretItem = tree.GetSelectedItem();
}

HTREEITEM TreeView_t::InsertAfterFor(HTREEITEM anchor) const
{
    const HTREEITEM previous = GetTreeCtrl().GetPrevSiblingItem(anchor);
    return previous ? previous : TVI_FIRST;
}

void TreeView_t::SelectNextOf(HTREEITEM item)
{
    GetTreeCtrl().SelectItem(GetTreeCtrl().GetNextSiblingItem(item));
}

// Observer

void TreeView_t::InsertGroupItem(const Position_t& position, const Group_t& group, bool redraw)
{
    const HTREEITEM anchor = GetGroupItem(position.group);
    Require(anchor != nullptr, 154);
    const InsertLines lines = { 164, 174, 190, 190, 197 };
    SelectNextOf(AddGroupItems(group, InsertAfterFor(anchor), lines));
    if (redraw)
        OnSelectionChanged(true);
}

void TreeView_t::InsertCheckListItem(const Position_t& position, const CheckList_t& checkList, bool redraw)
{
    const HTREEITEM anchor = GetCheckListItem(position);
    Require(anchor != nullptr, 218);
    const HTREEITEM parent = GetTreeCtrl().GetParentItem(anchor);
    Require(parent != nullptr, 226);
    const InsertLines lines = { 0, 231, 241, 248, 0 };
    SelectNextOf(AddCheckListItems(checkList, parent, InsertAfterFor(anchor), lines));
    if (redraw)
        OnSelectionChanged(true);
}

void TreeView_t::InsertEntryItem(const Position_t& position, const Entry_t& entry)
{
    const HTREEITEM anchor = GetEntryItem(position);
    Require(anchor != nullptr, 269);
    const HTREEITEM parent = GetTreeCtrl().GetParentItem(anchor);
    Require(parent != nullptr, 276);
    SelectNextOf(AddItem(MakeItemLabel(entry.text), EntryItem, parent, InsertAfterFor(anchor), 280));
}

void TreeView_t::UpdateGroupItem(const Position_t& position, const std::string& name)
{
    const HTREEITEM item = FindItem(GetGroupItem(position.group), 294);
    GetTreeCtrl().SetItemText(item, MakeItemLabel(name).c_str());
    GetTreeCtrl().SelectItem(item);
}

void TreeView_t::UpdateCheckListItem(const Position_t& position, const std::string& name)
{
    const HTREEITEM item = FindItem(GetCheckListItem(position), 309);
    GetTreeCtrl().SetItemText(item, MakeItemLabel(name).c_str());
    GetTreeCtrl().SelectItem(item);
}

void TreeView_t::UpdateEntryItem(const Position_t& position, const std::string& text)
{
    const HTREEITEM item = FindItem(GetEntryItem(position), 324);
    GetTreeCtrl().SetItemText(item, MakeItemLabel(text).c_str());
    GetTreeCtrl().SelectItem(item);
}

void TreeView_t::EraseGroupItem(const Position_t& position)
{
    EraseItem(FindItem(GetGroupItem(position.group), 338));
}

void TreeView_t::EraseCheckListItem(const Position_t& position)
{
    EraseItem(FindItem(GetCheckListItem(position), 351));
}

void TreeView_t::EraseEntryItem(const Position_t& position)
{
    EraseItem(FindItem(GetEntryItem(position), 364));
}

// The items after the erased one move up a place without the caret moving, so
// the caret's checklist is looked up again: the preview must not keep showing
// the index the caret's checklist had before.
void TreeView_t::EraseItem(HTREEITEM item)
{
    GetTreeCtrl().DeleteItem(item);
    OnSelectionChanged(false);
}

HTREEITEM TreeView_t::FindItem(HTREEITEM item, int missingLine) const
{
    Require(item != nullptr, missingLine);
    return item;
}

// Lookups

TreeView_t::ItemKind TreeView_t::GetItemKind(HTREEITEM item) const
{
    if (!item)
        return NotAnItem;
    int image = 0;
    int selectedImage = 0;
    if (!GetTreeCtrl().GetItemImage(item, image, selectedImage) || image < GroupItem || image > EndOfEntries)
        return NotAnItem;
    return static_cast<ItemKind>(image);
}

namespace {

// The n-th item of a sibling chain; null when there are not that many.
HTREEITEM NthSibling(const CTreeCtrl& tree, HTREEITEM first, int n)
{
    if (n < 0)
        return nullptr;
    HTREEITEM item = first;
    for (; item && n > 0; --n)
        item = tree.GetNextSiblingItem(item);
    return item;
}

// The item's place among its siblings (starting at first); -1 when it is not one of them.
int PlaceAmong(const CTreeCtrl& tree, HTREEITEM first, HTREEITEM item)
{
    int place = 0;
    for (HTREEITEM sibling = first; sibling; sibling = tree.GetNextSiblingItem(sibling), ++place)
        if (sibling == item)
            return place;
    return -1;
}

} // namespace

HTREEITEM TreeView_t::GetGroupItem(int group) const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    return NthSibling(tree, tree.GetRootItem(), group);
}

HTREEITEM TreeView_t::GetCheckListItem(const Position_t& position) const
{
    const HTREEITEM group = GetGroupItem(position.group);
    Require(group != nullptr, 1525);
    const CTreeCtrl& tree = GetTreeCtrl();
    return NthSibling(tree, tree.GetChildItem(group), position.checklist);
}

HTREEITEM TreeView_t::GetEntryItem(const Position_t& position) const
{
    const HTREEITEM checkList = GetCheckListItem(position);
    Require(checkList != nullptr, 1549);
    const CTreeCtrl& tree = GetTreeCtrl();
    return NthSibling(tree, tree.GetChildItem(checkList), position.entry);
}

int TreeView_t::GetGroupIndex(HTREEITEM item) const
{
    const ItemKind kind = GetItemKind(item);
    if (kind != GroupItem && kind != EndOfGroups)
        return -1;
    const CTreeCtrl& tree = GetTreeCtrl();
    const int place = PlaceAmong(tree, tree.GetRootItem(), item);
    Require(place >= 0, 1413);
    return place;
}

Position_t TreeView_t::GetCheckListPosition(HTREEITEM item) const
{
    const ItemKind kind = GetItemKind(item);
    if (kind != CheckListItem && kind != EndOfCheckLists)
        return Position_t(-1, -1);
    const CTreeCtrl& tree = GetTreeCtrl();
    const HTREEITEM parent = tree.GetParentItem(item);
    Require(parent != nullptr, 1435);
    const int place = PlaceAmong(tree, tree.GetChildItem(parent), item);
    Require(place >= 0, 1451);
    return Position_t(GetGroupIndex(parent), place);
}

Position_t TreeView_t::GetEntryPosition(HTREEITEM item) const
{
    const ItemKind kind = GetItemKind(item);
    Require(kind == EntryItem || kind == EndOfEntries, 1468);
    const CTreeCtrl& tree = GetTreeCtrl();
    const HTREEITEM parent = tree.GetParentItem(item);
    Require(parent != nullptr, 1474);
    const int place = PlaceAmong(tree, tree.GetChildItem(parent), item);
    Require(place >= 0, 1490);
    const Position_t checkList = GetCheckListPosition(parent);
    return Position_t(checkList.group, checkList.checklist, place);
}

HTREEITEM TreeView_t::GetCaretCheckListItem() const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    switch (GetItemKind(caretItem)) {
    case GroupItem:
        return tree.GetChildItem(caretItem);
    case CheckListItem:
        return caretItem;
    case EntryItem:
    case EndOfEntries:
        return tree.GetParentItem(caretItem);
    default:
        return nullptr;
    }
}

HTREEITEM TreeView_t::GetCaretGroupItem() const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    switch (GetItemKind(caretItem)) {
    case GroupItem:
    case EndOfGroups:
        return caretItem;
    case CheckListItem:
    case EndOfCheckLists:
        return tree.GetParentItem(caretItem);
    case EntryItem:
    case EndOfEntries:
        return tree.GetParentItem(tree.GetParentItem(caretItem));
    default:
        return nullptr;
    }
}

HTREEITEM TreeView_t::GetCaretEntryLevelItem() const
{
    const CTreeCtrl& tree = GetTreeCtrl();
    const auto firstChild = [&tree](HTREEITEM item) { return item ? tree.GetChildItem(item) : nullptr; };
    switch (GetItemKind(caretItem)) {
    case GroupItem:
    case EndOfGroups:
        return firstChild(firstChild(caretItem));
    case CheckListItem:
    case EndOfCheckLists:
        return firstChild(caretItem);
    case EntryItem:
    case EndOfEntries:
        return caretItem;
    default:
        return nullptr;
    }
}

// Selection

void TreeView_t::OnSelChanged(NMHDR*, LRESULT* result)
{
    OnSelectionChanged(false);
    *result = 0;
}

void TreeView_t::OnSelectionChanged(bool forced)
{
    caretItem = GetTreeCtrl().GetSelectedItem();
    Document_t& document = CurrentDocument();
    const HTREEITEM checkList = GetCaretCheckListItem();
    const Position_t shown = checkList ? GetCheckListPosition(checkList) : Position_t(-1, -1);
    if (forced || shown.group != document.GetSelectedGroup() || shown.checklist != document.GetSelectedCheckList()) {
        document.SetSelectedGroup(shown.group);
        document.SetSelectedCheckList(shown.checklist);
        document.UpdateAllViews(this, 0, nullptr);
    }
}

// Mouse

void TreeView_t::OnDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    UINT flags = 0;
    const HTREEITEM hit = GetTreeCtrl().HitTest(point, &flags);
    if (!(flags & onItem) || CurrentDocument().IsLocked())
        return;
    // The first click of the double click has made the hit item the caret.
    switch (GetItemKind(hit)) {
    case GroupItem:
        OnGroupProperties();
        break;
    case CheckListItem:
        OnCheckListProperties();
        break;
    case EntryItem:
        OnEntryProperties();
        break;
    default:
        break;
    }
    *result = 1;   // the item neither expands nor collapses
}

void TreeView_t::OnRClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const HTREEITEM hit = GetTreeCtrl().HitTest(point);
    UINT menuId = 0;
    switch (GetItemKind(hit)) {
    case GroupItem:
    case EndOfGroups:
        menuId = IDR_GROUP_MENU;
        break;
    case CheckListItem:
    case EndOfCheckLists:
        menuId = IDR_CHECKLIST_MENU;
        break;
    case EntryItem:
    case EndOfEntries:
        menuId = IDR_ENTRY_MENU;
        break;
    default:
        return;
    }
    GetTreeCtrl().SelectItem(hit);
    ShowContextMenu(menuId);
}

// Every command of the menu is greyed by the rule that enables it in the main menu.
void TreeView_t::ShowContextMenu(UINT menuId)
{
    CMenu menu;
    menu.LoadMenu(menuId);
    Require(GetItemKind(caretItem) != NotAnItem, 1173);
    Require(menuId == IDR_GROUP_MENU || menuId == IDR_CHECKLIST_MENU || menuId == IDR_ENTRY_MENU, 1235);
    CMenu* popup = menu.GetSubMenu(0);
    Require(popup != nullptr, 1235);
    for (UINT position = 0; position < popup->GetMenuItemCount(); ++position) {
        const UINT command = popup->GetMenuItemID(static_cast<int>(position));
        popup->EnableMenuItem(command, MF_BYCOMMAND | (IsCommandEnabled(command) ? MF_ENABLED : MF_GRAYED));
    }
    CPoint point;
    ::GetCursorPos(&point);
    popup->TrackPopupMenu(0, point.x, point.y, this);
}

} // namespace app
