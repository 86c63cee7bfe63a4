// Restores a variable to the value it had when the saver was made, when the saver ends.
#pragma once

namespace utl {

template <class T>
class Saver_t {
public:
    explicit Saver_t(T& variable) : variable_(variable), saved_(variable) {}
    virtual ~Saver_t() { variable_ = saved_; }

    Saver_t(const Saver_t&) = delete;
    Saver_t& operator=(const Saver_t&) = delete;

private:
    T& variable_;
    T saved_;
};

} // namespace utl
