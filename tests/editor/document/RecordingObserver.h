// A database observer for tests: it logs every call and keeps a mirror of the
// names and entry texts it has been told of, as the tree view would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/model/Database.h"
#include "editor/model/DatabaseObserver.h"

namespace app_test {

class RecordingObserver_t : public app::DatabaseObserver_t {
public:
    struct CheckListMirror { std::string name; std::vector<std::string> entries; };
    struct GroupMirror { std::string name; std::vector<CheckListMirror> checkLists; };

    std::vector<std::string> calls;  // "InsertGroupItem 1.0.0 name", ...
    std::vector<GroupMirror> groups;
    bool inconsistent = false;       // a call addressed an item the mirror does not have
    std::function<void()> onCall;    // run at the start of every call

    // Makes the mirror match the database, as the tree's rebuild does.
    void Rebuild(const app::Database_t& database);
    // True when the mirror matches the database.
    bool Mirrors(const app::Database_t& database) const;

    void InsertGroupItem(const app::Position_t& p, const app::Group_t& group, bool redraw) override;
    void InsertCheckListItem(const app::Position_t& p, const app::CheckList_t& checkList, bool redraw) override;
    void InsertEntryItem(const app::Position_t& p, const app::Entry_t& entry) override;
    void UpdateGroupItem(const app::Position_t& p, const std::string& name) override;
    void UpdateCheckListItem(const app::Position_t& p, const std::string& name) override;
    void UpdateEntryItem(const app::Position_t& p, const std::string& text) override;
    void EraseGroupItem(const app::Position_t& p) override;
    void EraseCheckListItem(const app::Position_t& p) override;
    void EraseEntryItem(const app::Position_t& p) override;

private:
    void Log(const char* operation, const app::Position_t& p, const std::string& detail = std::string());
    static GroupMirror MirrorOf(const app::Group_t& group);
    static CheckListMirror MirrorOf(const app::CheckList_t& checkList);
    GroupMirror* GroupAt(int index);
    CheckListMirror* CheckListAt(const app::Position_t& p);
};

} // namespace app_test
