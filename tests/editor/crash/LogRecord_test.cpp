// The crash record: its lines, the system description by its tables, the
// source position, the build stamp of release and test builds, the UTC time.
#include "editor/shell/BuildInfo.h"
#include "editor/crash/LogRecord.h"
#include "foundation/win/WIN_TimeStr.h"

#include <gtest/gtest.h>

#include <mbctype.h>

#include <cstring>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor, const char* service = "")
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwPlatformId = platform;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    std::strcpy(version.szCSDVersion, service);
    return version;
}

SYSTEM_INFO Processor(WORD architecture, WORD level, DWORD type)
{
    SYSTEM_INFO system = {};
    system.wProcessorArchitecture = architecture;
    system.wProcessorLevel = level;
    system.dwProcessorType = type;
    return system;
}

// Sets the build label for one test.
class Label_t {
public:
    explicit Label_t(const std::string& label) : saved(app::BuildLabel) { app::BuildLabel = label; }
    ~Label_t() { app::BuildLabel = saved; }

private:
    std::string saved;
};

// The "At:" line of the current universal time, as US English writes it.
std::string AtLineNow()
{
    SYSTEMTIME utc;
    ::GetSystemTime(&utc);
    char date[64] = {};
    char time[64] = {};
    ::GetDateFormatA(1033, DATE_SHORTDATE, &utc, nullptr, date, sizeof date);
    ::GetTimeFormatA(1033, 0, &utc, nullptr, time, sizeof time);
    return std::string("At: ") + date + " " + time + " (UTC) ";
}

} // namespace

TEST(LogRecord, SourcePositionIsTheUpperCasedFileNameAndTheLine)
{
    EXPECT_EQ("APPLICATION-200", app::FormatSourcePosition(".\\Application", 200));
    EXPECT_EQ("WIN_MAPPEDFILEVIEW-97", app::FormatSourcePosition("WIN\\WIN_MappedFileView", 97));
    EXPECT_EQ("ENTRYDISPLAY.CPP-7", app::FormatSourcePosition("C:\\src\\editor\\EntryDisplay.cpp", 7));
    EXPECT_EQ("DOCUMENT-36", app::FormatSourcePosition("Document", 36));
}

TEST(LogRecord, UpperCasingLeavesDoubleByteCharactersAlone)
{
    EXPECT_EQ("ABC_X.CPP", app::ToUpperCopy("abc_x.cpp", std::locale::classic()));
    const int saved = ::_getmbcp();
    ASSERT_EQ(0, ::_setmbcp(932));
    // 0x82 leads a double-byte character whose second byte is the letter a.
    EXPECT_EQ("A\x82" "aB", app::ToUpperCopy("a\x82" "ab", std::locale::classic()));
    ::_setmbcp(saved);
}

TEST(LogRecord, HoursCarryTheirSignAndThreeOrFourDigits)
{
    EXPECT_EQ("", app::FormatHours(0));
    EXPECT_EQ("+5.5", app::FormatHours(5.5));
    EXPECT_EQ("-10", app::FormatHours(-10));
    EXPECT_EQ("+12.75", app::FormatHours(12.75));
    EXPECT_EQ("+0.333", app::FormatHours(1.0 / 3));
    EXPECT_EQ("+100.1", app::FormatHours(100.125));
}

TEST(LogRecord, UtcOffsetOfTheTimeText)
{
    const glo::Time_t time(2007, 2, 13, 8, 32, 6);
    EXPECT_EQ("(UTC)", app::FormatUtcOffset(win::TimeStr_t(time, glo::TimeSpan_t(0), 1033)));
    EXPECT_EQ("(UTC+5.5)", app::FormatUtcOffset(win::TimeStr_t(time, glo::TimeSpan_t(5.5 * 3600), 1033)));
    EXPECT_EQ("(UTC-10)", app::FormatUtcOffset(win::TimeStr_t(time, glo::TimeSpan_t(-36000), 1033)));
}

TEST(LogRecord, WindowsByPlatformAndVersion)
{
    EXPECT_EQ("OS: Win32s on Windows 3.1 \n", app::DescribeWindows(Version(0, 3, 1)));
    EXPECT_EQ("OS: Windows 95 \n", app::DescribeWindows(Version(1, 4, 0)));
    EXPECT_EQ("OS: Windows 95 SE\n", app::DescribeWindows(Version(1, 4, 0, " A ")));
    EXPECT_EQ("OS: Windows 95 OSR2\n", app::DescribeWindows(Version(1, 4, 0, " C")));
    EXPECT_EQ("OS: Windows 98 \n", app::DescribeWindows(Version(1, 4, 10)));
    EXPECT_EQ("OS: Windows Me \n", app::DescribeWindows(Version(1, 4, 90)));
    EXPECT_EQ("OS: Windows NT 3.51 \n", app::DescribeWindows(Version(2, 3, 51)));
    EXPECT_EQ("OS: Windows NT 4.0 Service Pack 6\n", app::DescribeWindows(Version(2, 4, 0, "Service Pack 6")));
    EXPECT_EQ("OS: Windows 2000 \n", app::DescribeWindows(Version(2, 5, 0)));
    EXPECT_EQ("OS: Windows XP Service Pack 2\n", app::DescribeWindows(Version(2, 5, 1, "Service Pack 2")));
    EXPECT_EQ("OS: WIN32 Windows Platform, Major Version: 6, Minor Version: 1 Service Pack 1\n",
              app::DescribeWindows(Version(2, 6, 1, "Service Pack 1")));
    EXPECT_EQ("OS: WIN32 Windows Platform, Major Version: 4, Minor Version: 3 \n",
              app::DescribeWindows(Version(1, 4, 3)));
}

TEST(LogRecord, ProcessorByLevelOrTypeAndBareNumbersOutsideTheTable)
{
    EXPECT_EQ("Processor: 386", app::DescribeProcessor(2, Processor(0, 3, 0)));
    EXPECT_EQ("Processor: 486", app::DescribeProcessor(2, Processor(0, 4, 0)));
    EXPECT_EQ("Processor: Pentium", app::DescribeProcessor(2, Processor(0, 5, 0)));
    EXPECT_EQ("Processor: Pentium Pro or Pentium II", app::DescribeProcessor(2, Processor(0, 6, 586)));
    EXPECT_EQ("Processor: Intel Processor Level: 15", app::DescribeProcessor(2, Processor(0, 15, 586)));
    EXPECT_EQ("Processor: Not an Intel Processor", app::DescribeProcessor(2, Processor(9, 6, 8664)));
    EXPECT_EQ("Processor: 386", app::DescribeProcessor(1, Processor(0, 6, 386)));
    EXPECT_EQ("Processor: 486", app::DescribeProcessor(1, Processor(0, 6, 486)));
    EXPECT_EQ("Processor: Pentium", app::DescribeProcessor(1, Processor(0, 6, 586)));
    EXPECT_EQ("Processor: Processor Level: 4000", app::DescribeProcessor(1, Processor(0, 6, 4000)));
}

TEST(LogRecord, SystemDescriptionIsTwoLines)
{
    const std::vector<std::string> lines = Lines(app::DescribeSystem());
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[0].find("OS: "));
    EXPECT_EQ(0u, lines[1].find("Processor: "));
    const std::size_t ram = lines[1].find(", RAM: ");
    ASSERT_NE(std::string::npos, ram);
    EXPECT_EQ(" KB", lines[1].substr(lines[1].size() - 3));
    MEMORYSTATUS memory = {};
    memory.dwLength = sizeof memory;
    ::GlobalMemoryStatus(&memory);
    EXPECT_EQ(std::to_string(memory.dwTotalPhys >> 10), lines[1].substr(ram + 7, lines[1].size() - ram - 10));
}

TEST(LogRecord, ReleaseStampIsTheVersionAlone)
{
    for (const char* label : {"SQA", "sqa", "Sqa"}) {
        Label_t release(label);
        EXPECT_TRUE(app::IsReleaseBuild());
        EXPECT_EQ("2.3", app::FormatBuildStamp());
    }
}

TEST(LogRecord, TestBuildStampNamesTheBuildOnASecondLine)
{
    Label_t test("QA1");
    EXPECT_FALSE(app::IsReleaseBuild());
    EXPECT_EQ(std::string("2.3.0.0-Beta\n") + app::BuildDate + ", " + app::BuildTime + " (QA1)",
              app::FormatBuildStamp());
}

TEST(LogRecord, WholeRecordOfAReleaseBuild)
{
    Label_t release("SQA");
    const std::string before = AtLineNow();
    const std::string record = app::BuildLogRecord(".\\Application", 200, "Access violation");
    const std::string after = AtLineNow();

    EXPECT_EQ('\n', record.front());
    EXPECT_EQ('\n', record.back());
    const std::vector<std::string> lines = Lines(record);
    ASSERT_EQ(7u, lines.size());
    EXPECT_EQ("", lines[0]);
    EXPECT_EQ("App: Pellorin", lines[1]);
    // The time is universal time.
    EXPECT_TRUE(lines[2] == before || lines[2] == after) << lines[2];
    EXPECT_EQ(Lines(app::DescribeSystem())[0], lines[3]);
    EXPECT_EQ(Lines(app::DescribeSystem())[1], lines[4]);
    EXPECT_EQ("APPLICATION-200-2.3", lines[5]);
    EXPECT_EQ("Access violation", lines[6]);
}

TEST(LogRecord, EmptyMessageEndsWithTheStampLine)
{
    Label_t test("QA1");
    const std::string record = app::BuildLogRecord("TreeView", 154, "");
    const std::string end = std::string("TREEVIEW-154-2.3.0.0-Beta\n") + app::BuildDate + ", " + app::BuildTime +
                            " (QA1)\n";
    ASSERT_GE(record.size(), end.size());
    EXPECT_EQ(end, record.substr(record.size() - end.size()));
}
