// Time values, spans and their texts, and the system's date and time texts.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_Time.h"
#include "foundation/glo/GLO_TimeSpan.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_TimeStr.h"

#include "tests/foundation/RaisePoint.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

const char timeFile[] = "GLO_Time";
const std::time_t maxTime = INT_MAX;
const std::time_t feb13 = 1171355526; // 13 February 2007 08:32:06 UTC, a Tuesday

void ExpectFields(const std::tm& fields, int year, int month, int day, int hour, int minute,
                  int second, int weekday, int yearDay)
{
    EXPECT_EQ(year - 1900, fields.tm_year);
    EXPECT_EQ(month - 1, fields.tm_mon);
    EXPECT_EQ(day, fields.tm_mday);
    EXPECT_EQ(hour, fields.tm_hour);
    EXPECT_EQ(minute, fields.tm_min);
    EXPECT_EQ(second, fields.tm_sec);
    EXPECT_EQ(weekday, fields.tm_wday);
    EXPECT_EQ(yearDay, fields.tm_yday);
}

} // namespace

TEST(Time, RuntimeValuesAreTakenUnchangedExceptTheFailureValue)
{
    EXPECT_EQ(0, glo::Time_t(0).GetValue());
    EXPECT_EQ(maxTime, glo::Time_t::Max().GetValue());
    ExpectRaise<glo::Assert_t>([] { glo::Time_t(-1); }, timeFile, 112);
    EXPECT_GT(glo::Time_t::Now().GetValue(), feb13);

    glo::Time_t time(5);
    time.SetChecked(feb13);
    EXPECT_EQ(feb13, time.GetValue());
    ExpectRaise<glo::OutOfRange_t>([&] { time.SetChecked(-5); }, timeFile, 167);
    EXPECT_EQ(feb13, time.GetValue());
}

TEST(Time, UtcFieldsWithoutSpanAreTheRuntimes)
{
    for (std::time_t value : {std::time_t(0), std::time_t(1), std::time_t(86399), std::time_t(951782400),
                              feb13, maxTime - 1, maxTime}) {
        SCOPED_TRACE(value);
        const std::tm expected = *std::gmtime(&value);
        const std::tm fields = glo::Time_t(value).ToUtcTm();
        ExpectFields(fields, expected.tm_year + 1900, expected.tm_mon + 1, expected.tm_mday,
                     expected.tm_hour, expected.tm_min, expected.tm_sec, expected.tm_wday, expected.tm_yday);
    }
}

TEST(Time, UtcFieldsCarrySpansAcrossTheEndsOfTheRange)
{
    // 1 January 1970 was a Thursday; the hour before it a Wednesday.
    ExpectFields(glo::Time_t(0).ToUtcTm(glo::TimeSpan_t(-3600)), 1969, 12, 31, 23, 0, 0, 3, 364);
    ExpectFields(glo::Time_t(0).ToUtcTm(glo::TimeSpan_t(-1)), 1969, 12, 31, 23, 59, 59, 3, 364);
    ExpectFields(glo::Time_t(30).ToUtcTm(glo::TimeSpan_t(-90)), 1969, 12, 31, 23, 59, 0, 3, 364);
    ExpectFields(glo::Time_t(0).ToUtcTm(glo::TimeSpan_t(3600)), 1970, 1, 1, 1, 0, 0, 4, 0);
    // The largest time is 19 January 2038 03:14:07, a Tuesday.
    ExpectFields(glo::Time_t::Max().ToUtcTm(), 2038, 1, 19, 3, 14, 7, 2, 18);
    ExpectFields(glo::Time_t::Max().ToUtcTm(glo::TimeSpan_t(1)), 2038, 1, 19, 3, 14, 8, 2, 18);
    ExpectFields(glo::Time_t::Max().ToUtcTm(glo::TimeSpan_t(21 * 3600)), 2038, 1, 20, 0, 14, 7, 3, 19);
    // A value before 1970 has no fields to carry a span from.
    ExpectRaiseIn<glo::OutOfRange_t>([] { glo::Time_t(-5).ToUtcTm(); }, timeFile);
    ExpectRaiseIn<glo::OutOfRange_t>([] { glo::Time_t(-7200).ToUtcTm(glo::TimeSpan_t(3600)); }, timeFile);
}

TEST(Time, CalendarFieldsOfAZone)
{
    EXPECT_EQ(0, glo::Time_t(1970, 1, 1, 0, 0, 0).GetValue());
    EXPECT_EQ(feb13, glo::Time_t(2007, 2, 13, 8, 32, 6).GetValue());
    EXPECT_EQ(feb13, glo::Time_t(2007, 2, 13, 9, 32, 6, glo::TimeSpan_t(3600)).GetValue());
    EXPECT_EQ(feb13, glo::Time_t(2007, 2, 13, 3, 2, 6, glo::TimeSpan_t(-5.5 * 3600)).GetValue());
    EXPECT_EQ(maxTime, glo::Time_t(2038, 1, 19, 3, 14, 7).GetValue());
    ExpectRaise<glo::OutOfRange_t>([] { glo::Time_t(2038, 1, 19, 3, 14, 8); }, timeFile, 62);
    ExpectRaise<glo::OutOfRange_t>([] { glo::Time_t(1969, 12, 31, 23, 59, 59); }, timeFile, 62);
}

TEST(Time, MovesBySpansWithinTheRange)
{
    glo::Time_t time(100);
    time.AddSpan(glo::TimeSpan_t(1.5)); // rounded half away from zero
    EXPECT_EQ(102, time.GetValue());
    time.AddSpan(glo::TimeSpan_t(-0.5));
    EXPECT_EQ(101, time.GetValue());
    time.SubtractSpan(glo::TimeSpan_t(101));
    EXPECT_EQ(0, time.GetValue());
    ExpectRaise<glo::OutOfRange_t>([&] { time.AddSpan(glo::TimeSpan_t(-1)); }, timeFile, 130);
    EXPECT_EQ(0, time.GetValue());

    glo::Time_t late(maxTime - 1);
    late.AddSpan(glo::TimeSpan_t(1));
    EXPECT_EQ(maxTime, late.GetValue());
    ExpectRaise<glo::OutOfRange_t>([&] { late.AddSpan(glo::TimeSpan_t(1)); }, timeFile, 141);
    ExpectRaise<glo::OutOfRange_t>([&] { late.AddSpan(glo::TimeSpan_t(1e12)); }, timeFile, 141);
    ExpectRaise<glo::OutOfRange_t>([&] { late.SubtractSpan(glo::TimeSpan_t(1e12)); }, timeFile, 130);
    EXPECT_EQ(maxTime, late.GetValue());

    EXPECT_DOUBLE_EQ(60, (glo::Time_t(100) - glo::Time_t(40)).Seconds());
    EXPECT_DOUBLE_EQ(-60, (glo::Time_t(40) - glo::Time_t(100)).Seconds());
}

TEST(Time, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(3, glo::Round(2.5));
    EXPECT_EQ(-3, glo::Round(-2.5));
    EXPECT_EQ(2, glo::Round(2.49));
    EXPECT_EQ(-2, glo::Round(-2.49));
    EXPECT_EQ(0, glo::Round(0));
    EXPECT_EQ(INT_MAX, glo::Round(1e12));
    EXPECT_EQ(INT_MIN, glo::Round(-1e12));
}

TEST(Time, LocalFieldsAndOffsetsAreTheRuntimes)
{
    const std::tm expected = *std::localtime(&feb13);
    const std::tm local = glo::Time_t(feb13).ToLocalTm();
    EXPECT_EQ(expected.tm_hour, local.tm_hour);
    EXPECT_EQ(expected.tm_mday, local.tm_mday);

    // Zones lie whole quarter hours from UTC, at most 14 hours away.
    const double standard = glo::Time_t::LocalUtcOffset().Seconds();
    EXPECT_EQ(0, std::fmod(standard, 900));
    EXPECT_LE(std::fabs(standard), 14 * 3600);
    const double atMoment = glo::Time_t::LocalUtcOffset(local).Seconds();
    EXPECT_EQ(0, std::fmod(atMoment, 900));
    EXPECT_LE(std::fabs(atMoment - standard), 3600);

    // No local fields before 1970, raised apart from SetChecked's point (line 167).
    auto early = ExpectRaiseIn<glo::OutOfRange_t>([] { glo::Time_t(-5).ToLocalTm(); }, timeFile);
    ASSERT_TRUE(early);
    EXPECT_NE(167, early->GetLine());
}

TEST(TimeSpan, SplitsIntoParts)
{
    const glo::TimeSpan_t span(86400 + 3600 + 60 + 1.5);
    const glo::TimeSpanParts_t parts = span.Split();
    EXPECT_EQ(1, parts.days);
    EXPECT_EQ(1, parts.hours);
    EXPECT_EQ(1, parts.minutes);
    EXPECT_DOUBLE_EQ(1.5, parts.seconds);
    EXPECT_DOUBLE_EQ(90061.5 / 60, span.Minutes());
    EXPECT_DOUBLE_EQ(90061.5 / 3600, span.Hours());
    EXPECT_DOUBLE_EQ(-90061.5, (-span).Seconds());

    // Whole days beyond 32 bits have no parts.
    EXPECT_EQ(INT_MIN, glo::TimeSpan_t(86400.0 * INT_MIN).Split().days);
    for (double seconds : {86400.0 * 2147483648.0, -86400.0 * 2147483649.0, std::nan("")})
        ExpectRaiseIn<glo::OutOfRange_t>([&] { glo::TimeSpan_t(seconds).Split(); }, "GLO_TimeSpan");
}

TEST(TimeSpan, Texts)
{
    const glo::TimeSpan_t span(86400 + 3600 + 60 + 1.5);
    EXPECT_EQ("1 day 01:01:01", span.Format(0, 0));
    EXPECT_EQ("25:01:01", span.Format(1, 0));
    EXPECT_EQ("01:01:01", span.Format(2, 0));
    EXPECT_EQ("1 day 01:01", span.Format(0, 1));
    EXPECT_EQ("2 days 00:00:00", glo::TimeSpan_t(2 * 86400).Format(0, 0));
    EXPECT_EQ("00:00:00", glo::TimeSpan_t(0).Format(0, 0));
    EXPECT_EQ("100:00:00", glo::TimeSpan_t(100 * 3600).Format(1, 0));
    EXPECT_EQ("04:00:00", glo::TimeSpan_t(100 * 3600).Format(2, 0));
    // Rounding to minutes: 30 seconds go up; the minute count may reach 60.
    EXPECT_EQ("00:02", glo::TimeSpan_t(90).Format(0, 1));
    EXPECT_EQ("00:01", glo::TimeSpan_t(89).Format(0, 1));
    EXPECT_EQ("00:60", glo::TimeSpan_t(59 * 60 + 45).Format(0, 1));
}

TEST(TimeStr, DateAndTimeOfOneMomentForALocale)
{
    const win::TimeStr_t utc(glo::Time_t(feb13), glo::TimeSpan_t(0), 0x409);
    EXPECT_EQ("2/13/2007", utc.Date());
    EXPECT_EQ("8:32:06 AM", utc.Time(0));
    EXPECT_EQ(0x409u, utc.GetLcid());
    EXPECT_DOUBLE_EQ(0, utc.GetOffset().Get().Seconds());

    const win::TimeStr_t east(glo::Time_t(feb13), glo::TimeSpan_t(16 * 3600), 0x409);
    EXPECT_EQ("2/14/2007", east.Date());
    EXPECT_EQ("12:32:06 AM", east.Time(0));
    EXPECT_DOUBLE_EQ(16 * 3600, east.GetOffset().Get().Seconds());
}

TEST(TimeStr, FormatsIntoCallersBuffers)
{
    const SYSTEMTIME moment = win::TmToSystemTime(glo::Time_t(feb13).ToUtcTm());
    EXPECT_EQ(2007, moment.wYear);
    EXPECT_EQ(2, moment.wMonth);
    EXPECT_EQ(2, moment.wDayOfWeek);
    EXPECT_EQ(0, moment.wMilliseconds);
    const std::tm back = win::SystemTimeToTm(moment);
    ExpectFields(back, 2007, 2, 13, 8, 32, 6, 2, 0);
    EXPECT_EQ(0, back.tm_isdst);

    char buffer[32];
    EXPECT_EQ(11, win::DateFormatInto(0x409, moment, buffer, sizeof buffer, "yyyy-MM-dd"));
    EXPECT_STREQ("2007-02-13", buffer);
    EXPECT_EQ(10, win::DateFormatInto(0x409, moment, buffer, sizeof buffer));
    EXPECT_STREQ("2/13/2007", buffer);
    EXPECT_EQ(11, win::TimeFormatInto(0x409, moment, buffer, sizeof buffer, 0));
    EXPECT_STREQ("8:32:06 AM", buffer);

    auto time = ExpectRaise<win::Error_t>([&] { win::TimeFormatInto(0x409, moment, buffer, 3, 0); },
                                          "WIN_TimeStr", 156);
    ASSERT_TRUE(time);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_INSUFFICIENT_BUFFER), time->GetCode());
    ExpectRaise<win::Error_t>([&] { win::DateFormatInto(0x409, moment, buffer, 3); }, "WIN_TimeStr", 110);
}

TEST(TimeSpan, DayWordsFromTheStringTable)
{
    const glo::TimeSpan_t span(86400 + 3600 + 60 + 1.5);
    EXPECT_EQ("1 Tag 01:01:01", span.FormatWithResourceWords(0, 0));
    EXPECT_EQ("2 Tage 00:00:00", glo::TimeSpan_t(2 * 86400).FormatWithResourceWords(0, 0));
    EXPECT_EQ("25:01:01", span.FormatWithResourceWords(1, 0));
}
