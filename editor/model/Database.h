// The whole checklist content of one document: its groups, held by value, and
// their text form (each group block, then the line "END").
#pragma once

#include "editor/model/Group.h"
#include "editor/model/Position.h"
#include "foundation/journal/JNL_Database.h"

#include <list>

namespace jnl {
class Action_t;
}

namespace app {

class DatabaseObserver_t;

// Its edits are journaled: each records the action that reverses it.
class Database_t : public jnl::Database_t {
public:
    using Groups = std::list<Group_t>;

    Database_t() = default;

    // The n-th group, or the end position for an index out of range.
    Groups::iterator GroupAt(int index);
    Groups::const_iterator GroupAt(int index) const;

    // Every group, then "END".
    std::ostream& Write(std::ostream& out) const;
    // Appends the groups read to those held; the body is complete when it ended
    // with the line "END". Records nothing and notifies nobody.
    std::istream& Read(std::istream& in);
    bool IsComplete() const { return complete; }

    // The edits, each addressed by a position (a group's or checklist's ignores
    // the lower indexes). Each records the action that reverses it into the
    // recording journal, tells the observer, and marks the current document
    // modified and updates its views. An insert index out of range is ignored
    // (the count appends); a rename or update to an equal value does nothing;
    // a missing item is an assertion.
    void InsertGroup(const Position_t& position, const Group_t& group);
    void InsertCheckList(const Position_t& position, const CheckList_t& checkList);
    void InsertEntry(const Position_t& position, const Entry_t& entry);
    void RenameGroup(const Position_t& position, const std::string& name);
    void RenameCheckList(const Position_t& position, const std::string& name);
    void UpdateEntry(const Position_t& position, const Entry_t& entry);
    void EraseGroup(const Position_t& position);
    void EraseCheckList(const Position_t& position);
    void EraseEntry(const Position_t& position);
    // Removes every group, recording and telling nothing.
    void Clear() { groups.clear(); }

    // The one observer (the tree view), not owned; every edit needs it.
    void SetObserver(DatabaseObserver_t* newObserver) { observer = newObserver; }
    DatabaseObserver_t* GetObserver() const { return observer; }

    Groups groups;

private:
    void Record(const jnl::Action_t& action);
    DatabaseObserver_t& Observer(int missingLine);
    void UpdateDocument();

    DatabaseObserver_t* observer = nullptr;
    bool complete = false;
};

inline std::ostream& operator<<(std::ostream& out, const Database_t& database) { return database.Write(out); }
inline std::istream& operator>>(std::istream& in, Database_t& database) { return database.Read(in); }

} // namespace app
