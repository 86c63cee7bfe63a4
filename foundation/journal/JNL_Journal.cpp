// A journal: the ordered actions that undo a database's changes, replayed newest first.
#include "foundation/journal/JNL_Journal.h"

#include "foundation/glo/GLO_Exception.h"

namespace jnl {

Journal_t::Journal_t(JournalObserver_t* observer) : observer_(observer) {}

// Actions still held are freed with the array; owners clear a journal first
// when they want the observer to hear of it.
Journal_t::~Journal_t() = default;

void Journal_t::Record(const Action_t& action)
{
    std::unique_ptr<Action_t> clone(action.Clone());
    actions_.push_back(std::move(clone));
    NotifyObserver();
}

void Journal_t::PopBack()
{
    glo::ThrowIfFalse(!actions_.empty(), "JNL_Journal", __LINE__);
    Erase(actions_.size() - 1);
    NotifyObserver();
}

void Journal_t::Clear()
{
    while (!actions_.empty()) {
        Erase(actions_.size() - 1);
        NotifyObserver();
    }
}

void Journal_t::Rollback()
{
    if (actions_.empty())
        return;
    for (;;) {
        if (actions_.empty())
            throw glo::Assert_t("JNL_Journal", 31);
        // The action leaves the journal before its clone is applied, so the
        // apply's own recording and the observer see the journal without it.
        std::unique_ptr<Action_t> action;
        if (actions_.back())
            action.reset(actions_.back()->Clone());
        Erase(actions_.size() - 1);
        NotifyObserver();
        if (!action)
            throw glo::Assert_t("GLO_AutoPtr", 133);
        action->Apply();
        if (action->EndsGroup())
            return;
    }
}

void Journal_t::AppendFrom(const Journal_t& other)
{
    // By index: the other journal may be this one.
    const std::size_t count = other.actions_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (const Action_t* action = other.actions_[i].get()) {
            Record(*action);
        } else {
            actions_.emplace_back();
            NotifyObserver();
        }
    }
}

void Journal_t::NotifyObserver()
{
    if (observer_)
        observer_->OnChanged(*this);
}

void Journal_t::Erase(std::size_t index)
{
    actions_.erase(actions_.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace jnl
