// Base of a database whose changes are journaled.
#include "foundation/journal/JNL_Database.h"

#include "foundation/journal/JNL_Journal.h"
#include "foundation/journal/UTL_Saver.h"

namespace jnl {

void Database_t::RunJournal(Journal_t& journal)
{
    utl::Saver_t<Journal_t*> restore(replaying_);
    replaying_ = &journal;
    journal.Rollback();
}

} // namespace jnl
