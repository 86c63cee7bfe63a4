// Times the edit engine and the document's file handling: 100,000 random edits
// and their undo; opening and saving a checklist file of about 10 MB.
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>

#include "bench/BenchClock.h"
#include "editor/model/DatabaseObserver.h"
#include "editor/document/Document.h"

using app::CheckList_t;
using app::Entry_t;
using app::Group_t;
using app::Position_t;

namespace {

class Stopwatch_t {
public:
    double Seconds() const { return ::Seconds() - start; }

private:
    double start = ::Seconds();
};

// The tree view's place, doing nothing.
class NullObserver_t : public app::DatabaseObserver_t {
public:
    void InsertGroupItem(const Position_t&, const Group_t&, bool) override {}
    void InsertCheckListItem(const Position_t&, const CheckList_t&, bool) override {}
    void InsertEntryItem(const Position_t&, const Entry_t&) override {}
    void UpdateGroupItem(const Position_t&, const std::string&) override {}
    void UpdateCheckListItem(const Position_t&, const std::string&) override {}
    void UpdateEntryItem(const Position_t&, const std::string&) override {}
    void EraseGroupItem(const Position_t&) override {}
    void EraseCheckListItem(const Position_t&) override {}
    void EraseEntryItem(const Position_t&) override {}
};

std::mt19937 randomNumbers(7);

int Pick(int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(randomNumbers);
}

// One random insert, rename, update or erase of an entry, or a checklist or
// group edit now and then.
void EditOnce(app::Database_t& database)
{
    const int g = Pick(static_cast<int>(database.groups.size()));
    app::Group_t& group = *database.GroupAt(g);
    const int c = Pick(static_cast<int>(group.checklists.size()));
    app::CheckList_t& checkList = *group.CheckListAt(c);
    const int entries = static_cast<int>(checkList.entries.size());
    const std::string text = "Item " + std::to_string(Pick(100000));
    switch (Pick(100)) {
    case 0:
        database.RenameGroup(Position_t(g), text);
        return;
    case 1:
        database.RenameCheckList(Position_t(g, c), text);
        return;
    case 2:
        database.InsertCheckList(Position_t(g, c), CheckList_t(text));
        return;
    case 3:
        if (group.checklists.size() > 1)
            database.EraseCheckList(Position_t(g, c));
        return;
    }
    const int kind = Pick(3);
    if (kind == 0 || entries < 5)
        database.InsertEntry(Position_t(g, c, Pick(entries + 1)), Entry_t(text));
    else if (kind == 1)
        database.UpdateEntry(Position_t(g, c, Pick(entries)), Entry_t(text, Entry_t::Note));
    else
        database.EraseEntry(Position_t(g, c, Pick(entries)));
}

// A database of about the given size in bytes of text form, built directly.
void Fill(app::Database_t& database, std::size_t bytes)
{
    database.Clear();
    std::size_t size = 0;
    for (int g = 0; size < bytes; ++g) {
        Group_t group("Group " + std::to_string(g));
        for (int c = 0; c < 20 && size < bytes; ++c) {
            CheckList_t checkList("Checklist " + std::to_string(c));
            for (int e = 0; e < 50; ++e) {
                Entry_t entry("Check item number " + std::to_string(e), Entry_t::ChallengeResponse,
                              e % 6, "CHECKED");
                size += entry.text.size() + entry.response.size() + 5;
                checkList.entries.push_back(entry);
            }
            group.checklists.push_back(checkList);
        }
        database.groups.push_back(group);
    }
}

} // namespace

int main()
{
    app::Document_t document;
    NullObserver_t observer;
    app::Database_t& database = document.GetDatabase();
    database.SetObserver(&observer);
    document.OnNewDocument();

    Fill(database, 200 * 1024);
    const int edits = 100000;
    Stopwatch_t editing;
    for (int i = 0; i < edits; ++i)
        EditOnce(database);
    const double editSeconds = editing.Seconds();
    const std::size_t steps = document.GetUndoJournal().GetCount();
    Stopwatch_t undoing;
    while (!document.GetUndoJournal().IsEmpty())
        document.OnEditUndo();
    const double undoSeconds = undoing.Seconds();
    std::printf("%d random edits (%u undo steps) on %u groups: %.3f s; undo all: %.3f s\n", edits,
                unsigned(steps), unsigned(database.groups.size()), editSeconds, undoSeconds);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "edit_bench.kiv";
    Fill(database, 10 * 1024 * 1024);
    Stopwatch_t saving;
    const BOOL saved = document.OnSaveDocument(path.c_str());
    const double saveSeconds = saving.Seconds();
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
    Stopwatch_t opening;
    const BOOL opened = document.OnOpenDocument(path.c_str());
    const double openSeconds = opening.Seconds();
    DeleteFileA(path.c_str());
    std::printf("file of %.1f MB: save %.3f s%s, open %.3f s%s\n", attributes.nFileSizeLow / 1048576.0,
                saveSeconds, saved ? "" : " (FAILED)", openSeconds, opened ? "" : " (FAILED)");
    return saved && opened ? 0 : 1;
}
