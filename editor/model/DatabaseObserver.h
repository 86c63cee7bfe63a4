// What the database tells whoever mirrors it (the tree view): every insert,
// change and erase of a group, checklist or entry, by position.
#pragma once

#include <string>

namespace app {

struct Position_t;
class Entry_t;
class CheckList_t;
class Group_t;

class DatabaseObserver_t {
public:
    virtual ~DatabaseObserver_t() = default;

    virtual void InsertGroupItem(const Position_t& position, const Group_t& group, bool redraw) = 0;
    virtual void InsertCheckListItem(const Position_t& position, const CheckList_t& checkList, bool redraw) = 0;
    virtual void InsertEntryItem(const Position_t& position, const Entry_t& entry) = 0;
    virtual void UpdateGroupItem(const Position_t& position, const std::string& name) = 0;
    virtual void UpdateCheckListItem(const Position_t& position, const std::string& name) = 0;
    virtual void UpdateEntryItem(const Position_t& position, const std::string& text) = 0;
    virtual void EraseGroupItem(const Position_t& position) = 0;
    virtual void EraseCheckListItem(const Position_t& position) = 0;
    virtual void EraseEntryItem(const Position_t& position) = 0;
};

} // namespace app
