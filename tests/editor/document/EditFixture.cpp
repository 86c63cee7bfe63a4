// A document whose database is watched by a recording observer.
#include "tests/editor/document/EditFixture.h"

#include <sstream>

namespace app_test {

using app::Entry_t;
using app::Position_t;

EditFixture::EditFixture()
    : database(document.GetDatabase()), undo(document.GetUndoJournal()), redo(document.GetRedoJournal())
{
    database.SetObserver(&observer);
}

EditFixture::~EditFixture() = default;

void EditFixture::AddSample()
{
    database.InsertGroup(Position_t(0), app::Group_t("Group A"));
    database.InsertGroup(Position_t(1), app::Group_t("Group B"));
    database.InsertCheckList(Position_t(0, 0), app::CheckList_t("List A1"));
    database.InsertCheckList(Position_t(0, 1), app::CheckList_t("List A2"));
    database.InsertCheckList(Position_t(1, 0), app::CheckList_t("List B1"));
    database.InsertEntry(Position_t(0, 0, 0), Entry_t("Battery"));
    database.InsertEntry(Position_t(0, 0, 1), Entry_t("Flaps", Entry_t::ChallengeResponse, Entry_t::Left, "SET"));
    database.InsertEntry(Position_t(1, 0, 0), Entry_t("Note", Entry_t::Note, Entry_t::Indent2));
}

void EditFixture::Undo()
{
    document.OnEditUndo();
}

void EditFixture::Redo()
{
    document.OnEditRedo();
}

std::string EditFixture::Text() const
{
    std::ostringstream text;
    database.Write(text);
    return text.str();
}

} // namespace app_test
