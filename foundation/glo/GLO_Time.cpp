// Time values on the runtime's 32-bit clock and calendar breakdowns.
#include "foundation/glo/GLO_Time.h"

#include "foundation/glo/GLO_Exception.h"

#include <climits>
#include <cmath>

namespace glo {

static_assert(sizeof(std::time_t) == 4, "the time type is the runtime's 32-bit time");

namespace {

const char thisFile[] = "GLO_Time";
const std::time_t maxTime = INT_MAX;

// The runtime's breakdowns share one buffer: each is copied at once.
bool Utc(std::time_t value, std::tm& fields)
{
    const std::tm* shared = std::gmtime(&value);
    if (shared)
        fields = *shared;
    return shared != nullptr;
}

bool Local(std::time_t value, std::tm& fields)
{
    const std::tm* shared = std::localtime(&value);
    if (shared)
        fields = *shared;
    return shared != nullptr;
}

// Carries a span through the fields by hand, for moments just outside the
// runtime's range around its two ends; each step divides truncating.
std::tm CarrySpan(std::tm fields, double span)
{
    const double bound = 1e12; // far beyond any span this is meant for
    long long t = static_cast<long long>(std::fmax(-bound, std::fmin(bound, fields.tm_sec + span)));
    auto carry = [&t](int& field, int base) {
        field = static_cast<int>(t % base);
        if (field < 0) {
            field += base;
            t -= base;
        }
    };
    carry(fields.tm_sec, 60);
    t = t / 60 + fields.tm_min;
    carry(fields.tm_min, 60);
    t = t / 60 + fields.tm_hour;
    carry(fields.tm_hour, 24);
    const long long days = t / 24;
    if (days > 0) {
        fields.tm_wday = static_cast<int>((fields.tm_wday + days) % 7);
        fields.tm_mday += static_cast<int>(days);
        fields.tm_yday += static_cast<int>(days);
    } else if (days < 0) {
        fields.tm_wday = static_cast<int>((fields.tm_wday + days + 7) % 7);
        fields.tm_mday += static_cast<int>(days);
        if (fields.tm_mday > 0) {
            fields.tm_yday += static_cast<int>(days);
        } else {
            fields.tm_mday += 31;
            fields.tm_year -= 1;
            fields.tm_mon = 11;
            fields.tm_yday = 364;
        }
    }
    return fields;
}

} // namespace

int Round(double value)
{
    if (value >= INT_MAX)
        return INT_MAX;
    if (value <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(value >= 0 ? value + 0.5 : value - 0.5);
}

Time_t Time_t::Now()
{
    const std::time_t now = std::time(nullptr);
    if (now == -1)
        throw Assert_t(thisFile, 27);
    return Time_t(now);
}

Time_t Time_t::Max()
{
    return Time_t(maxTime);
}

Time_t::Time_t(std::time_t value) : value(value)
{
    if (value == -1)
        throw Assert_t(thisFile, 112);
}

// mktime reads the fields as local standard time, so the seconds move the
// moment from the given zone into that one.
Time_t::Time_t(unsigned short year, unsigned short month, unsigned short day, unsigned short hour,
               unsigned short minute, unsigned short second, const TimeSpan_t& offset)
{
    std::tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = Round(second - (offset.Seconds() - LocalUtcOffset().Seconds()));
    fields.tm_isdst = 0;
    value = std::mktime(&fields);
    if (value == -1)
        throw OutOfRange_t(thisFile, 62);
}

void Time_t::SetChecked(std::time_t newValue)
{
    std::tm fields;
    if (!Utc(newValue, fields))
        throw OutOfRange_t(thisFile, 167);
    value = newValue;
}

void Time_t::AddSpan(const TimeSpan_t& span)
{
    const int seconds = Round(span.Seconds());
    const long long moved = static_cast<long long>(value) + seconds;
    if (moved < 0)
        throw OutOfRange_t(thisFile, 130);
    std::tm fields;
    if (moved > maxTime || !Local(value, fields))
        throw OutOfRange_t(thisFile, 141);
    fields.tm_sec += seconds;
    const std::time_t result = std::mktime(&fields);
    if (result == -1)
        throw OutOfRange_t(thisFile, 141);
    value = result;
}

void Time_t::SubtractSpan(const TimeSpan_t& span)
{
    AddSpan(-span);
}

std::tm Time_t::ToUtcTm(const TimeSpan_t& span) const
{
    const double moment = value + span.Seconds();
    std::tm fields = {};
    if (moment >= 0 && moment < maxTime) {
        Utc(static_cast<std::time_t>(moment), fields);
        return fields;
    }
    // A value before 1970 has no fields to carry the span from.
    if (!Utc(value, fields))
        throw OutOfRange_t(thisFile, __LINE__);
    return CarrySpan(fields, span.Seconds());
}

// West of UTC the first hours after 1970 have no local fields in the runtime,
// nor has any value before 1970. Raised at a line of its own, apart from
// SetChecked's, so that a crash record tells the two apart.
std::tm Time_t::ToLocalTm() const
{
    std::tm fields;
    if (Local(value, fields))
        return fields;
    throw OutOfRange_t(thisFile, __LINE__);
}

// The UTC fields are read back as local standard time: their distance to the
// local fields is the zone's standard offset.
TimeSpan_t Time_t::LocalUtcOffset()
{
    std::time_t now = std::time(nullptr);
    if (now == -1)
        throw Assert_t(thisFile, 297);
    std::tm local;
    if (!Local(now, local))
        throw Assert_t(thisFile, 300);
    std::tm utc;
    if (!Utc(now, utc))
        throw Assert_t(thisFile, 304);
    utc.tm_isdst = 0;
    return TimeSpan_t(std::difftime(std::mktime(&local), std::mktime(&utc)));
}

TimeSpan_t Time_t::LocalUtcOffset(const std::tm& localFields)
{
    std::tm fields = localFields;
    fields.tm_isdst = -1;
    const std::time_t moment = std::mktime(&fields);
    if (moment == -1)
        throw Assert_t(thisFile, 323);
    std::tm local;
    std::tm utc;
    if (!Local(moment, local) || !Utc(moment, utc))
        throw Assert_t(thisFile, 327);
    utc.tm_isdst = local.tm_isdst;
    return TimeSpan_t(std::difftime(std::mktime(&local), std::mktime(&utc)));
}

TimeSpan_t operator-(const Time_t& later, const Time_t& earlier)
{
    return TimeSpan_t(std::difftime(later.GetValue(), earlier.GetValue()));
}

} // namespace glo
