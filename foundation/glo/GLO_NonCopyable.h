// Base of objects that must not be copied or assigned.
#pragma once

namespace glo {

class NonCopyable_t {
public:
    NonCopyable_t(const NonCopyable_t&) = delete;
    NonCopyable_t& operator=(const NonCopyable_t&) = delete;

protected:
    NonCopyable_t() = default;
    ~NonCopyable_t() = default;
};

} // namespace glo
