// A long random sequence of edits, undone all the way back and redone all the
// way forward, with the observer kept consistent throughout.
#include <gtest/gtest.h>

#include <random>

#include "tests/editor/document/EditFixture.h"

using app::CheckList_t;
using app::Entry_t;
using app::Group_t;
using app::Position_t;

namespace {

class RandomEdits : public app_test::EditFixture {
protected:
    std::mt19937 random{20240611};

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    std::string Name() { return "n" + std::to_string(Pick(1000)); }
    Entry_t NewEntry()
    {
        const int kind = Pick(7);
        std::string text = Name();
        if (Pick(4) == 0)
            text += "\n";
        return Entry_t(text, kind, Pick(6), kind == Entry_t::ChallengeResponse ? Name() : std::string());
    }
    // One random edit somewhere in the database.
    void EditOnce();
};

void RandomEdits::EditOnce()
{
    const int groups = static_cast<int>(database.groups.size());
    const int operation = Pick(9);
    if (operation == 0 || groups == 0) {
        Group_t group(Name());
        group.checklists.push_back(CheckList_t(Name()));
        database.InsertGroup(Position_t(Pick(groups + 1)), group);
        return;
    }
    const int g = Pick(groups);
    if (operation == 1) {
        database.RenameGroup(Position_t(g), Name());
        return;
    }
    if (operation == 2 && groups > 3) {
        database.EraseGroup(Position_t(g));
        return;
    }
    const int lists = static_cast<int>(database.GroupAt(g)->checklists.size());
    if (operation == 3 || lists == 0) {
        database.InsertCheckList(Position_t(g, Pick(lists + 1)), CheckList_t(Name()));
        return;
    }
    const int c = Pick(lists);
    if (operation == 4) {
        database.RenameCheckList(Position_t(g, c), Name());
        return;
    }
    if (operation == 5 && lists > 2) {
        database.EraseCheckList(Position_t(g, c));
        return;
    }
    const int entries = static_cast<int>(database.GroupAt(g)->CheckListAt(c)->entries.size());
    if (operation == 6 || entries == 0) {
        database.InsertEntry(Position_t(g, c, Pick(entries + 1)), NewEntry());
        return;
    }
    if (operation == 7) {
        database.UpdateEntry(Position_t(g, c, Pick(entries)), NewEntry());
        return;
    }
    database.EraseEntry(Position_t(g, c, Pick(entries)));
}

} // namespace

TEST_F(RandomEdits, UndoAllRestoresTheStartAndRedoAllTheEnd)
{
    AddSample();
    undo.Clear();
    const std::string start = Text();
    for (int i = 0; i < 10000; ++i)
        EditOnce();
    const std::string end = Text();
    const std::size_t steps = undo.GetCount();
    ASSERT_GT(steps, 8000u);
    EXPECT_TRUE(observer.Mirrors(database));

    while (!undo.IsEmpty())
        Undo();
    EXPECT_EQ(start, Text());
    EXPECT_EQ(steps, redo.GetCount());
    EXPECT_TRUE(observer.Mirrors(database));

    while (!redo.IsEmpty())
        Redo();
    EXPECT_EQ(end, Text());
    EXPECT_EQ(steps, undo.GetCount());
    EXPECT_TRUE(observer.Mirrors(database));
    EXPECT_FALSE(observer.inconsistent);
}
