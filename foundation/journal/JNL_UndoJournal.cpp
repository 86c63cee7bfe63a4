// A scoped journal around a transaction.
#include "foundation/journal/JNL_UndoJournal.h"

#include "foundation/glo/GLO_Exception.h"

namespace jnl {

UndoJournal_t::UndoJournal_t(Database_t& database, JournalObserver_t* observer)
    : Journal_t(observer), database_(database), previous_(database.GetJournal())
{
    database_.SetJournal(this);
}

UndoJournal_t::~UndoJournal_t()
{
    database_.SetJournal(previous_);
    try {
        if (previous_ && !IsEmpty()) {
            Purge();
            previous_->AppendFrom(*this);
        }
        Clear();
    } catch (...) {
        // A destructor lets nothing out; the held actions go with the array.
    }
}

// A null action (a clone that failed) is not a commit mark.
static bool IsCommitMark(const Action_t* action)
{
    return action && action->IsCommitMark();
}

bool UndoJournal_t::NeedsRollback() const
{
    return !IsEmpty() && !IsCommitMark(GetAt(GetCount() - 1));
}

void UndoJournal_t::Rollback()
{
    if (!NeedsRollback())
        return;
    // The replay itself records nothing.
    Journal_t* recording = database_.GetJournal();
    database_.SetJournal(nullptr);
    try {
        database_.RunJournal(*this);
    } catch (...) {
        database_.SetJournal(recording);
        throw;
    }
    database_.SetJournal(recording);
}

void UndoJournal_t::Purge()
{
    if (IsEmpty())
        return;
    if (!GetAt(0) || !GetAt(0)->EndsGroup())
        throw glo::Assert_t("JNL_Journal", 60);
    for (std::size_t i = GetCount() - 1; i > 0; --i) {
        const Action_t* action = GetAt(i);
        if (action && action->EndsGroup())
            Erase(i);
    }
}

} // namespace jnl
