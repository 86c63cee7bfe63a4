// A small journaled database for the engine's tests.
#include "tests/foundation/journal/JournalTestDatabase.h"

#include <new>
#include <stdexcept>

namespace jnl_test {

int SetValue_t::live = 0;

void ValueDatabase_t::Set(int newValue, bool endsStep)
{
    if (GetJournal())
        GetJournal()->Record(SetValue_t(*this, value, endsStep));
    value = newValue;
}

SetValue_t::SetValue_t(const SetValue_t& other)
    : jnl::Action_t(other), database_(other.database_), value_(other.value_),
      endsStep_(other.endsStep_), commitMark_(other.commitMark_)
{
    ++live;
}

SetValue_t::~SetValue_t() { --live; }

void SetValue_t::Apply()
{
    if (value_ == database_->applyFailsAt)
        throw std::runtime_error("apply failed");
    database_->applied.push_back(value_);
    database_->Set(value_, endsStep_);
}

jnl::Action_t* SetValue_t::Clone() const { return new (std::nothrow) SetValue_t(*this); }

int ValueAt(const jnl::Journal_t& journal, std::size_t index)
{
    return static_cast<const SetValue_t*>(journal.GetAt(index))->Value();
}

} // namespace jnl_test
