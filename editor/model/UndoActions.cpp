// The nine undo actions of the checklist database.
#include "editor/model/UndoActions.h"

#include "editor/model/Database.h"

namespace app {

void GroupInsert_t::Apply() { database->EraseGroup(position); }
void CheckListInsert_t::Apply() { database->EraseCheckList(position); }
void EntryInsert_t::Apply() { database->EraseEntry(position); }

void GroupUpdate_t::Apply() { database->RenameGroup(position, value); }
void CheckListUpdate_t::Apply() { database->RenameCheckList(position, value); }
void EntryUpdate_t::Apply() { database->UpdateEntry(position, value); }

void GroupErase_t::Apply() { database->InsertGroup(position, value); }
void CheckListErase_t::Apply() { database->InsertCheckList(position, value); }
void EntryErase_t::Apply() { database->InsertEntry(position, value); }

} // namespace app
