// Splitting and writing time spans.
#include "foundation/glo/GLO_TimeSpan.h"

#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_StringResource.h"

#include <cmath>
#include <functional>
#include <iomanip>
#include <sstream>

namespace glo {

namespace {

using DayWord_t = std::function<std::string(std::int32_t days)>;

std::string FormatParts(const TimeSpanParts_t& parts, int dayMode, int secondsMode,
                        const DayWord_t& dayWord)
{
    std::ostringstream text;
    long long hours = parts.hours;
    if (dayMode == 0) {
        if (parts.days > 0)
            text << parts.days << ' ' << dayWord(parts.days) << ' ';
    } else if (dayMode == 1) {
        hours += parts.days * 24LL;
    }
    long minutes = parts.minutes;
    if (secondsMode == 1)
        minutes = static_cast<long>(minutes + parts.seconds / 60 + 0.5);
    text << std::setfill('0') << std::setw(2) << hours << ':' << std::setw(2) << minutes;
    if (secondsMode == 0)
        text << ':' << std::setw(2) << static_cast<long>(parts.seconds);
    return text.str();
}

} // namespace

TimeSpanParts_t TimeSpan_t::Split() const
{
    // Whole days beyond the 32-bit range (or no number at all) have no parts.
    const double days = std::trunc(seconds / 86400);
    if (!(days >= INT32_MIN && days <= INT32_MAX))
        throw OutOfRange_t("GLO_TimeSpan", __LINE__);
    TimeSpanParts_t parts;
    parts.days = static_cast<std::int32_t>(days);
    double rest = seconds - parts.days * 86400.0;
    parts.hours = static_cast<std::int16_t>(rest / 3600);
    rest -= parts.hours * 3600.0;
    parts.minutes = static_cast<std::int16_t>(rest / 60);
    parts.seconds = rest - parts.minutes * 60.0;
    return parts;
}

std::string TimeSpan_t::Format(int dayMode, int secondsMode) const
{
    return FormatParts(Split(), dayMode, secondsMode,
                       [](std::int32_t days) { return days == 1 ? "day" : "days"; });
}

std::string TimeSpan_t::FormatWithResourceWords(int dayMode, int secondsMode) const
{
    return FormatParts(Split(), dayMode, secondsMode, [](std::int32_t days) {
        return StringResource_t(days == 1 ? 4016 : 4017, "GLO_TimeSpan", 73).GetText();
    });
}

} // namespace glo
