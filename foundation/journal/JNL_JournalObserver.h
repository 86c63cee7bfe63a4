// Interface of whoever wants to hear of every change of a journal.
#pragma once

namespace jnl {

class Journal_t;

class JournalObserver_t {
public:
    virtual ~JournalObserver_t() = default;
    virtual void OnChanged(Journal_t& journal) = 0;
};

} // namespace jnl
