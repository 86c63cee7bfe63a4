// The crash record.
#include "editor/crash/LogRecord.h"

#include "editor/shell/BuildInfo.h"
#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_Time.h"
#include "foundation/win/WIN_Locale.h"
#include "foundation/win/WIN_TimeStr.h"
#include "framework/CodePage.h"

#include <mbctype.h>

#include <cmath>
#include <sstream>

namespace app {

namespace {

const LCID usEnglish = 1033;

SystemLocaleSource systemLocale = &win::SystemDefaultLocale;

// The system's default locale; the classic one where Windows gives the system no
// code page that a locale can be made of (Unicode-only locales, UTF-8 as the ANSI
// code page), so that the report is written all the same.
const std::locale& SourceNameLocale()
{
    try {
        return systemLocale();
    } catch (const glo::Exception_t&) {
        return std::locale::classic();
    }
}

} // namespace

void SetSystemLocaleSourceForTest(SystemLocaleSource source)
{
    systemLocale = source ? source : &win::SystemDefaultLocale;
}

std::string BuildLogRecord(const char* file, int line, const std::string& message)
{
    const win::TimeStr_t now(glo::Time_t::Now(), glo::TimeSpan_t(0), usEnglish);
    std::string record = "\nApp: Pellorin";
    record += "\nAt: ";
    record += now.Date();
    record += " " + now.Time(0);
    record += " " + FormatUtcOffset(now);
    record += " \n";
    record += DescribeSystem();
    record += FormatSourcePosition(file, line);
    record += "-" + FormatBuildStamp();
    record += "\n";
    if (!message.empty())
        record += message + "\n";
    return record;
}

std::string FormatSourcePosition(const char* file, int line)
{
    const std::string path = file ? file : "";
    const std::string name = path.substr(AfxFindLastOf(path.c_str(), "\\/:") + 1);
    std::ostringstream text;
    text << ToUpperCopy(name, SourceNameLocale()) << "-" << line;
    return text.str();
}

std::string DescribeWindows(const OSVERSIONINFOA& version)
{
    std::ostringstream text;
    text << "OS: ";
    const DWORD platform = version.dwPlatformId;
    const DWORD major = version.dwMajorVersion;
    const DWORD minor = version.dwMinorVersion;
    if (platform == 0)
        text << "Win32s on Windows 3.1";
    else if (platform == 1 && major == 4 && minor == 0)
        text << "Windows 95";
    else if (platform == 1 && major == 4 && minor == 10)
        text << "Windows 98";
    else if (platform == 1 && major == 4 && minor == 90)
        text << "Windows Me";
    else if (platform == 2 && major == 3)
        text << "Windows NT 3.51";
    else if (platform == 2 && major == 4)
        text << "Windows NT 4.0";
    else if (platform == 2 && major == 5 && minor == 0)
        text << "Windows 2000";
    else if (platform == 2 && major == 5 && minor == 1)
        text << "Windows XP";
    else
        text << "WIN32 Windows Platform" << ", Major Version: " << major << ", Minor Version: " << minor;

    text << " ";
    const char* service = version.szCSDVersion;
    if (service[0] != '\0' && service[1] == 'A')
        text << "SE";
    else if (service[0] != '\0' && service[1] == 'C')
        text << "OSR2";
    else
        text << service;
    text << "\n";
    return text.str();
}

std::string DescribeProcessor(DWORD platformId, const SYSTEM_INFO& system)
{
    std::ostringstream text;
    text << "Processor: ";
    if (platformId == 2) {
        if (system.wProcessorArchitecture != 0)
            text << "Not an Intel Processor";
        else if (system.wProcessorLevel == 3)
            text << "386";
        else if (system.wProcessorLevel == 4)
            text << "486";
        else if (system.wProcessorLevel == 5)
            text << "Pentium";
        else if (system.wProcessorLevel == 6)
            text << "Pentium Pro or Pentium II";
        else
            text << "Intel Processor Level: " << system.wProcessorLevel;
    } else {
        if (system.dwProcessorType == 386)
            text << "386";
        else if (system.dwProcessorType == 486)
            text << "486";
        else if (system.dwProcessorType == 586)
            text << "Pentium";
        else
            text << "Processor Level: " << system.dwProcessorType;
    }
    return text.str();
}

std::string DescribeSystem()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    SYSTEM_INFO system = {};
    ::GetSystemInfo(&system);
    MEMORYSTATUS memory = {};
    memory.dwLength = sizeof memory;
    ::GlobalMemoryStatus(&memory);

    std::ostringstream text;
    text << DescribeWindows(version) << DescribeProcessor(version.dwPlatformId, system) << ", "
         << "RAM: " << (memory.dwTotalPhys >> 10) << " KB" << "\n";
    return text.str();
}

std::string FormatBuildStamp()
{
    std::ostringstream text;
    text << VersionMajor << "." << VersionMinor;
    if (!IsReleaseBuild())
        text << "." << 0 << "." << 0 << "-Beta\n" << BuildDate << ", " << BuildTime << " (" << BuildLabel << ")";
    return text.str();
}

std::string FormatUtcOffset(const win::TimeStr_t& time)
{
    if (!time.GetOffset().HasValue())
        return std::string();
    return "(UTC" + FormatHours(time.GetOffset().Get().Seconds() / 3600) + ")";
}

std::string FormatHours(double hours)
{
    if (hours == 0)
        return std::string();
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.setf(std::ios_base::showpos);
    text.precision(std::fabs(hours) >= 10 ? 4 : 3);
    text << hours;
    return text.str();
}

std::string ToUpperCopy(const std::string& text, const std::locale& locale)
{
    const auto& ctype = std::use_facet<std::ctype<char>>(locale);
    const int codePage = ::_getmbcp();
    std::string upper = text;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto byte = static_cast<unsigned char>(upper[i]);
        if (codePage != 0 && ::IsDBCSLeadByteEx(codePage, byte) && i + 1 < upper.size())
            ++i;
        else
            upper[i] = ctype.toupper(upper[i]);
    }
    return upper;
}

} // namespace app
