// A moment prepared for Windows' date and time texts in a given locale.
#pragma once

#include "foundation/glo/GLO_Optional.h"
#include "foundation/glo/GLO_Time.h"

#include <windows.h>

#include <ctime>
#include <string>

namespace win {

class TimeStr_t {
public:
    // The moment is the time's UTC fields moved by offset.
    TimeStr_t(const glo::Time_t& time, const glo::TimeSpan_t& offset, LCID lcid);

    // The time text for the locale, with GetTimeFormat flags.
    std::string Time(DWORD flags) const;
    // The short date text for the locale.
    std::string Date() const;

    const SYSTEMTIME& GetMoment() const { return moment; }
    LCID GetLcid() const { return lcid; }
    // The UTC offset that was applied.
    const glo::Optional_t<glo::TimeSpan_t>& GetOffset() const { return offset; }

private:
    SYSTEMTIME moment;
    LCID lcid;
    glo::Optional_t<glo::TimeSpan_t> offset;
};

// One formatting call into a caller's buffer; returns the system's count.
int TimeFormatInto(LCID lcid, const SYSTEMTIME& moment, char* buffer, int size, DWORD flags);
// Without a picture the short date form is used.
int DateFormatInto(LCID lcid, const SYSTEMTIME& moment, char* buffer, int size,
                   const char* picture = nullptr);

SYSTEMTIME TmToSystemTime(const std::tm& fields);
// Day of year and daylight flag come back 0.
std::tm SystemTimeToTm(const SYSTEMTIME& moment);

} // namespace win
