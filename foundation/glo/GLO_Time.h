// A moment in whole seconds since 1 January 1970 00:00 UTC, in the runtime's
// 32-bit time type: 0 to 2147483647. Leaving that range throws glo::OutOfRange_t.
#pragma once

#include "foundation/glo/GLO_TimeSpan.h"

#include <ctime>

namespace glo {

// Rounds half away from zero; values beyond the 32-bit range give its ends.
int Round(double value);

class Time_t {
public:
    static Time_t Now();
    static Time_t Max();

    // Takes a runtime time value unchanged; -1, the runtime's failure value, asserts.
    explicit Time_t(std::time_t value);
    // The moment given in the calendar fields (month 1 to 12) of a zone that
    // lies offset east of UTC.
    Time_t(unsigned short year, unsigned short month, unsigned short day, unsigned short hour,
           unsigned short minute, unsigned short second, const TimeSpan_t& offset = TimeSpan_t(0));

    std::time_t GetValue() const { return value; }

    // Takes value when the runtime can break it into UTC fields.
    void SetChecked(std::time_t newValue);
    // Move by the span rounded to whole seconds.
    void AddSpan(const TimeSpan_t& span);
    void SubtractSpan(const TimeSpan_t& span);

    // Calendar fields in UTC of this moment plus span.
    std::tm ToUtcTm(const TimeSpan_t& span = TimeSpan_t(0)) const;
    std::tm ToLocalTm() const;

    // The local zone's standard offset east of UTC at the current instant.
    static TimeSpan_t LocalUtcOffset();
    // The offset, daylight saving included, at the given local moment.
    static TimeSpan_t LocalUtcOffset(const std::tm& localFields);

private:
    std::time_t value;
};

TimeSpan_t operator-(const Time_t& later, const Time_t& earlier);

} // namespace glo
