// Base of objects whose lifetime is counted by the glo::SmartPtr_t that hold them.
#pragma once

namespace glo {

class RefCounter_t {
public:
    virtual ~RefCounter_t() = 0;

    int GetCount() const { return count; }
    void AddRef() { ++count; }
    // Lowers the count; true when the last owner let go.
    bool Release() { return --count == 0; }

protected:
    RefCounter_t() = default;

private:
    int count = 0; // plain, not atomic: counted objects stay on one thread
};

inline RefCounter_t::~RefCounter_t() = default;

} // namespace glo
