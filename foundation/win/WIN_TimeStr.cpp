// Date and time texts through the system's formatting.
#include "foundation/win/WIN_TimeStr.h"

#include "foundation/win/WIN_Exception.h"

#include <vector>

namespace win {

namespace {

const char thisFile[] = "WIN_TimeStr";
const int timeLine = 156;
const int dateLine = 110;

// Asks the system for the length first, then for the text.
template <class Call>
std::string FormatText(Call call, int errorLine)
{
    const int length = call(nullptr, 0);
    if (length == 0)
        throw Error_t(thisFile, errorLine);
    std::vector<char> buffer(length, '\0');
    if (call(buffer.data(), length) == 0)
        throw Error_t(thisFile, errorLine);
    return buffer.data();
}

} // namespace

TimeStr_t::TimeStr_t(const glo::Time_t& time, const glo::TimeSpan_t& offset, LCID lcid)
    : moment(TmToSystemTime(time.ToUtcTm(offset))), lcid(lcid), offset(offset)
{
}

std::string TimeStr_t::Time(DWORD flags) const
{
    return FormatText([&](char* buffer, int size) {
        return ::GetTimeFormatA(lcid, flags, &moment, nullptr, buffer, size);
    }, timeLine);
}

std::string TimeStr_t::Date() const
{
    return FormatText([&](char* buffer, int size) {
        return ::GetDateFormatA(lcid, DATE_SHORTDATE, &moment, nullptr, buffer, size);
    }, dateLine);
}

int TimeFormatInto(LCID lcid, const SYSTEMTIME& moment, char* buffer, int size, DWORD flags)
{
    const int count = ::GetTimeFormatA(lcid, flags, &moment, nullptr, buffer, size);
    if (count == 0)
        throw Error_t(thisFile, timeLine);
    return count;
}

int DateFormatInto(LCID lcid, const SYSTEMTIME& moment, char* buffer, int size, const char* picture)
{
    const DWORD flags = picture ? 0 : DATE_SHORTDATE;
    const int count = ::GetDateFormatA(lcid, flags, &moment, picture, buffer, size);
    if (count == 0)
        throw Error_t(thisFile, dateLine);
    return count;
}

SYSTEMTIME TmToSystemTime(const std::tm& fields)
{
    SYSTEMTIME moment;
    moment.wYear = static_cast<WORD>(fields.tm_year + 1900);
    moment.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    moment.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    moment.wDay = static_cast<WORD>(fields.tm_mday);
    moment.wHour = static_cast<WORD>(fields.tm_hour);
    moment.wMinute = static_cast<WORD>(fields.tm_min);
    moment.wSecond = static_cast<WORD>(fields.tm_sec);
    moment.wMilliseconds = 0;
    return moment;
}

std::tm SystemTimeToTm(const SYSTEMTIME& moment)
{
    std::tm fields = {};
    fields.tm_year = moment.wYear - 1900;
    fields.tm_mon = moment.wMonth - 1;
    fields.tm_wday = moment.wDayOfWeek;
    fields.tm_mday = moment.wDay;
    fields.tm_hour = moment.wHour;
    fields.tm_min = moment.wMinute;
    fields.tm_sec = moment.wSecond;
    fields.tm_yday = 0;
    fields.tm_isdst = 0;
    return fields;
}

} // namespace win
