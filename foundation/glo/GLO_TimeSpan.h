// A span of time in seconds, with fractions, and its texts such as
// "1 day 01:01:01".
#pragma once

#include <cstdint>
#include <string>

namespace glo {

// A span split into whole days, hours and minutes and the remaining seconds.
struct TimeSpanParts_t {
    std::int32_t days;
    std::int16_t hours;
    std::int16_t minutes;
    double seconds;
};

class TimeSpan_t {
public:
    explicit TimeSpan_t(double seconds = 0) : seconds(seconds) {}

    double Seconds() const { return seconds; }
    double Minutes() const { return seconds / 60; }
    double Hours() const { return seconds / 3600; }
    TimeSpan_t operator-() const { return TimeSpan_t(-seconds); }

    // A span of more whole days than 32 bits hold raises glo::OutOfRange_t.
    TimeSpanParts_t Split() const;

    // dayMode 0: days written as "N day(s) " before the hours; 1: folded into
    // the hours; any other: dropped. secondsMode 0: "hh:mm:ss"; 1: "hh:mm",
    // rounded to the nearest minute.
    std::string Format(int dayMode, int secondsMode) const;
    // The same with the day words of string-table texts 4016 (one) and 4017 (more).
    std::string FormatWithResourceWords(int dayMode, int secondsMode) const;

private:
    double seconds;
};

} // namespace glo
