// The checklist database: its groups and their text form.
#include "editor/model/Database.h"

#include "editor/model/DatabaseObserver.h"
#include "editor/document/Document.h"
#include "editor/model/ElementAt.h"
#include "editor/file/TextForm.h"
#include "editor/model/UndoActions.h"
#include "foundation/glo/GLO_Exception.h"
#include "foundation/journal/JNL_Journal.h"

namespace app {

namespace {

// The element of a list at an index; a missing one is an assertion at the line.
template <class List>
auto Find(List& list, int index, int missingLine) -> decltype(list.begin())
{
    const auto element = ElementAt(list, index);
    if (element == list.end())
        throw glo::Assert_t("Database", missingLine);
    return element;
}

// An insert index is in range up to and including the count (which appends).
template <class List>
bool CanInsertAt(const List& list, int index)
{
    return index >= 0 && index <= static_cast<int>(list.size());
}

} // namespace

Database_t::Groups::iterator Database_t::GroupAt(int index)
{
    return ElementAt(groups, index);
}

Database_t::Groups::const_iterator Database_t::GroupAt(int index) const
{
    return ElementAt(groups, index);
}

std::ostream& Database_t::Write(std::ostream& out) const
{
    for (const Group_t& group : groups)
        group.Write(out);
    return out.write("END\n", 4);
}

std::istream& Database_t::Read(std::istream& in)
{
    complete = false;
    Group_t group;
    while (group.Read(in).good())
        groups.push_back(group);
    in.clear();
    SkipCommentLines(in);
    std::string line;
    std::getline(in, line);
    if (line == "END")
        complete = true;
    else
        in.setstate(std::ios::failbit);
    return in;
}

// The edits. Each records the action that reverses it into the recording
// journal, changes the data, tells the observer and updates the document:
// inserts change, record, notify; renames and updates record, change, notify;
// erases record, notify (the observer still sees the item), change.

void Database_t::Record(const jnl::Action_t& action)
{
    if (GetJournal())
        GetJournal()->Record(action);
}

// The document shows the change: it is modified, and every view but the tree
// (the observer, which has been told already) is updated.
void Database_t::UpdateDocument()
{
    Document_t& document = CurrentDocument();
    document.SetModifiedFlag(TRUE);
    document.UpdateAllViews(dynamic_cast<CView*>(observer), 0, nullptr);
}

DatabaseObserver_t& Database_t::Observer(int missingLine)
{
    if (!observer)
        throw glo::Assert_t("Database", missingLine);
    return *observer;
}

void Database_t::InsertGroup(const Position_t& position, const Group_t& group)
{
    if (!CanInsertAt(groups, position.group))
        return;
    groups.insert(GroupAt(position.group), group);
    Record(GroupInsert_t(*this, position));
    Observer(40).InsertGroupItem(position, group, true);
    UpdateDocument();
}

void Database_t::InsertCheckList(const Position_t& position, const CheckList_t& checkList)
{
    const auto group = GroupAt(position.group);
    if (group == groups.end() || !CanInsertAt(group->checklists, position.checklist))
        return;
    group->checklists.insert(group->CheckListAt(position.checklist), checkList);
    Record(CheckListInsert_t(*this, position));
    Observer(83).InsertCheckListItem(position, checkList, true);
    UpdateDocument();
}

void Database_t::InsertEntry(const Position_t& position, const Entry_t& entry)
{
    const auto group = GroupAt(position.group);
    if (group == groups.end())
        return;
    const auto checkList = group->CheckListAt(position.checklist);
    if (checkList == group->checklists.end() || !CanInsertAt(checkList->entries, position.entry))
        return;
    checkList->entries.insert(checkList->EntryAt(position.entry), entry);
    Record(EntryInsert_t(*this, position));
    Observer(135).InsertEntryItem(position, entry);
    UpdateDocument();
}

void Database_t::RenameGroup(const Position_t& position, const std::string& name)
{
    Group_t& group = *Find(groups, position.group, 153);
    if (group.name == name)
        return;
    Record(GroupUpdate_t(*this, position, group.name));
    group.name = name;
    Observer(164).UpdateGroupItem(position, name);
    UpdateDocument();
}

void Database_t::RenameCheckList(const Position_t& position, const std::string& name)
{
    Group_t& group = *Find(groups, position.group, 182);
    CheckList_t& checkList = *Find(group.checklists, position.checklist, 185);
    if (checkList.name == name)
        return;
    Record(CheckListUpdate_t(*this, position, checkList.name));
    checkList.name = name;
    Observer(196).UpdateCheckListItem(position, name);
    UpdateDocument();
}

void Database_t::UpdateEntry(const Position_t& position, const Entry_t& entry)
{
    Group_t& group = *Find(groups, position.group, 214);
    CheckList_t& checkList = *Find(group.checklists, position.checklist, 217);
    Entry_t& current = *Find(checkList.entries, position.entry, 220);
    if (current == entry)
        return;
    Record(EntryUpdate_t(*this, position, current));
    current = entry;
    Observer(231).UpdateEntryItem(position, entry.text);
    UpdateDocument();
}

void Database_t::EraseGroup(const Position_t& position)
{
    const auto group = Find(groups, position.group, 248);
    Record(GroupErase_t(*this, position, *group));
    Observer(253).EraseGroupItem(position);
    groups.erase(group);
    UpdateDocument();
}

void Database_t::EraseCheckList(const Position_t& position)
{
    Group_t& group = *Find(groups, position.group, 270);
    const auto checkList = Find(group.checklists, position.checklist, 274);
    Record(CheckListErase_t(*this, position, *checkList));
    Observer(280).EraseCheckListItem(position);
    group.checklists.erase(checkList);
    UpdateDocument();
}

void Database_t::EraseEntry(const Position_t& position)
{
    Group_t& group = *Find(groups, position.group, 297);
    CheckList_t& checkList = *Find(group.checklists, position.checklist, 301);
    const auto entry = Find(checkList.entries, position.entry, 305);
    Record(EntryErase_t(*this, position, *entry));
    Observer(310).EraseEntryItem(position);
    checkList.entries.erase(entry);
    UpdateDocument();
}

} // namespace app
