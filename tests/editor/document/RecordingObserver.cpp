// A database observer for tests that logs every call and mirrors the database.
#include "tests/editor/document/RecordingObserver.h"

namespace app_test {

using app::Position_t;

void RecordingObserver_t::Log(const char* operation, const Position_t& p, const std::string& detail)
{
    if (onCall)
        onCall();
    std::string call = operation;
    call += " " + std::to_string(p.group) + "." + std::to_string(p.checklist) + "." + std::to_string(p.entry);
    if (!detail.empty())
        call += " " + detail;
    calls.push_back(call);
}

RecordingObserver_t::CheckListMirror RecordingObserver_t::MirrorOf(const app::CheckList_t& checkList)
{
    CheckListMirror mirror{checkList.name, {}};
    for (const app::Entry_t& entry : checkList.entries)
        mirror.entries.push_back(entry.text);
    return mirror;
}

RecordingObserver_t::GroupMirror RecordingObserver_t::MirrorOf(const app::Group_t& group)
{
    GroupMirror mirror{group.name, {}};
    for (const app::CheckList_t& checkList : group.checklists)
        mirror.checkLists.push_back(MirrorOf(checkList));
    return mirror;
}

void RecordingObserver_t::Rebuild(const app::Database_t& database)
{
    groups.clear();
    for (const app::Group_t& group : database.groups)
        groups.push_back(MirrorOf(group));
}

bool RecordingObserver_t::Mirrors(const app::Database_t& database) const
{
    RecordingObserver_t fresh;
    fresh.Rebuild(database);
    if (fresh.groups.size() != groups.size())
        return false;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const GroupMirror& a = groups[g];
        const GroupMirror& b = fresh.groups[g];
        if (a.name != b.name || a.checkLists.size() != b.checkLists.size())
            return false;
        for (std::size_t c = 0; c < a.checkLists.size(); ++c)
            if (a.checkLists[c].name != b.checkLists[c].name || a.checkLists[c].entries != b.checkLists[c].entries)
                return false;
    }
    return true;
}

// The group at an index; null, and the mirror inconsistent, when it has none.
RecordingObserver_t::GroupMirror* RecordingObserver_t::GroupAt(int index)
{
    if (index < 0 || index >= static_cast<int>(groups.size())) {
        inconsistent = true;
        return nullptr;
    }
    return &groups[index];
}

RecordingObserver_t::CheckListMirror* RecordingObserver_t::CheckListAt(const Position_t& p)
{
    GroupMirror* group = GroupAt(p.group);
    if (!group)
        return nullptr;
    if (p.checklist < 0 || p.checklist >= static_cast<int>(group->checkLists.size())) {
        inconsistent = true;
        return nullptr;
    }
    return &group->checkLists[p.checklist];
}

void RecordingObserver_t::InsertGroupItem(const Position_t& p, const app::Group_t& group, bool redraw)
{
    Log("InsertGroupItem", p, group.name + (redraw ? " redraw" : ""));
    if (p.group >= 0 && p.group <= static_cast<int>(groups.size()))
        groups.insert(groups.begin() + p.group, MirrorOf(group));
    else
        inconsistent = true;
}

void RecordingObserver_t::InsertCheckListItem(const Position_t& p, const app::CheckList_t& checkList, bool redraw)
{
    Log("InsertCheckListItem", p, checkList.name + (redraw ? " redraw" : ""));
    if (GroupMirror* group = GroupAt(p.group)) {
        if (p.checklist >= 0 && p.checklist <= static_cast<int>(group->checkLists.size()))
            group->checkLists.insert(group->checkLists.begin() + p.checklist, MirrorOf(checkList));
        else
            inconsistent = true;
    }
}

void RecordingObserver_t::InsertEntryItem(const Position_t& p, const app::Entry_t& entry)
{
    Log("InsertEntryItem", p, entry.text);
    if (CheckListMirror* checkList = CheckListAt(p)) {
        if (p.entry >= 0 && p.entry <= static_cast<int>(checkList->entries.size()))
            checkList->entries.insert(checkList->entries.begin() + p.entry, entry.text);
        else
            inconsistent = true;
    }
}

void RecordingObserver_t::UpdateGroupItem(const Position_t& p, const std::string& name)
{
    Log("UpdateGroupItem", p, name);
    if (GroupMirror* group = GroupAt(p.group))
        group->name = name;
}

void RecordingObserver_t::UpdateCheckListItem(const Position_t& p, const std::string& name)
{
    Log("UpdateCheckListItem", p, name);
    if (CheckListMirror* checkList = CheckListAt(p))
        checkList->name = name;
}

void RecordingObserver_t::UpdateEntryItem(const Position_t& p, const std::string& text)
{
    Log("UpdateEntryItem", p, text);
    CheckListMirror* checkList = CheckListAt(p);
    if (checkList && p.entry >= 0 && p.entry < static_cast<int>(checkList->entries.size()))
        checkList->entries[p.entry] = text;
    else
        inconsistent = true;
}

void RecordingObserver_t::EraseGroupItem(const Position_t& p)
{
    Log("EraseGroupItem", p);
    if (GroupAt(p.group))
        groups.erase(groups.begin() + p.group);
}

void RecordingObserver_t::EraseCheckListItem(const Position_t& p)
{
    Log("EraseCheckListItem", p);
    if (CheckListAt(p))
        groups[p.group].checkLists.erase(groups[p.group].checkLists.begin() + p.checklist);
}

void RecordingObserver_t::EraseEntryItem(const Position_t& p)
{
    Log("EraseEntryItem", p);
    CheckListMirror* checkList = CheckListAt(p);
    if (checkList && p.entry >= 0 && p.entry < static_cast<int>(checkList->entries.size()))
        checkList->entries.erase(checkList->entries.begin() + p.entry);
    else
        inconsistent = true;
}

} // namespace app_test
