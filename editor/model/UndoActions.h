// The nine undo actions of the checklist database. Each reverses one edit by
// calling the inverse edit on the same database, which records its own inverse
// in turn: the same classes serve undo and redo. Every action is one undo step.
#pragma once

#include <new>
#include <string>

#include "editor/model/CheckList.h"
#include "editor/model/Entry.h"
#include "editor/model/Group.h"
#include "editor/model/Position.h"
#include "foundation/journal/JNL_Action.h"

namespace app {

class Database_t;

template <class Action>
class DatabaseAction_t : public jnl::Action_t {
public:
    bool EndsGroup() const override { return true; }
    // Null when memory runs out, also while copying the value held.
    jnl::Action_t* Clone() const override
    {
        try {
            return new Action(static_cast<const Action&>(*this));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    const Position_t& GetPosition() const { return position; }

protected:
    DatabaseAction_t(Database_t& database, const Position_t& position)
        : database(&database), position(position) {}

    Database_t* database;
    Position_t position;
};

// Undoes an insert by erasing the item at its position.
template <class Action>
class InsertAction_t : public DatabaseAction_t<Action> {
public:
    InsertAction_t(Database_t& database, const Position_t& position)
        : DatabaseAction_t<Action>(database, position) {}
};

// Undoes a change or an erase with the value it holds.
template <class Action, class Value>
class ValueAction_t : public DatabaseAction_t<Action> {
public:
    ValueAction_t(Database_t& database, const Position_t& position, const Value& value)
        : DatabaseAction_t<Action>(database, position), value(value) {}
    const Value& GetValue() const { return value; }

protected:
    Value value;
};

class GroupInsert_t : public InsertAction_t<GroupInsert_t> {
public:
    using InsertAction_t::InsertAction_t;
    void Apply() override;
};

class CheckListInsert_t : public InsertAction_t<CheckListInsert_t> {
public:
    using InsertAction_t::InsertAction_t;
    void Apply() override;
};

class EntryInsert_t : public InsertAction_t<EntryInsert_t> {
public:
    using InsertAction_t::InsertAction_t;
    void Apply() override;
};

// Holds the old name.
class GroupUpdate_t : public ValueAction_t<GroupUpdate_t, std::string> {
public:
    using ValueAction_t::ValueAction_t;
    void Apply() override;
};

// Holds the old name.
class CheckListUpdate_t : public ValueAction_t<CheckListUpdate_t, std::string> {
public:
    using ValueAction_t::ValueAction_t;
    void Apply() override;
};

// Holds the old entry.
class EntryUpdate_t : public ValueAction_t<EntryUpdate_t, Entry_t> {
public:
    using ValueAction_t::ValueAction_t;
    void Apply() override;
};

// Holds a full copy of the erased group.
class GroupErase_t : public ValueAction_t<GroupErase_t, Group_t> {
public:
    using ValueAction_t::ValueAction_t;
    void Apply() override;
};

// Holds a full copy of the erased checklist.
class CheckListErase_t : public ValueAction_t<CheckListErase_t, CheckList_t> {
public:
    using ValueAction_t::ValueAction_t;
    void Apply() override;
};

// Holds a copy of the erased entry.
class EntryErase_t : public ValueAction_t<EntryErase_t, Entry_t> {
public:
    using ValueAction_t::ValueAction_t;
    void Apply() override;
};

} // namespace app
