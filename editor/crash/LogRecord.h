// The record that the editor appends to its crash log and shows in its
// fatal-error dialog: product, UTC time, system, source position, build stamp
// and message, each line ended by a line feed, the whole led by one.
#pragma once

#include <windows.h>

#include <locale>
#include <string>

namespace win {
class TimeStr_t;
}

namespace app {

std::string BuildLogRecord(const char* file, int line, const std::string& message);

// "APPLICATION-200" for ".\Application" and 200: name and extension upper-cased
// through the system's default locale, or the classic one where that cannot be made.
std::string FormatSourcePosition(const char* file, int line);

// Tests: where the system's default locale comes from (null: the system's own).
using SystemLocaleSource = const std::locale& (*)();
void SetSystemLocaleSourceForTest(SystemLocaleSource source);

// Two lines: the operating system, then processor and memory.
std::string DescribeSystem();
// The parts of it, from the system's answers.
std::string DescribeWindows(const OSVERSIONINFOA& version);
std::string DescribeProcessor(DWORD platformId, const SYSTEM_INFO& system);

// "2.3" for a release build; for a test build the version 2.3.0.0, "-Beta",
// and on a second line the build's date and time with its label.
std::string FormatBuildStamp();

// "(UTC", the offset in hours, ")"; empty when the text carries no offset.
std::string FormatUtcOffset(const win::TimeStr_t& time);
// With its sign and up to three significant digits (four from 10 on); empty for 0.
std::string FormatHours(double hours);

// Upper-cases the single-byte characters of the current code page through the
// locale; double-byte characters stay as they are.
std::string ToUpperCopy(const std::string& text, const std::locale& locale);

} // namespace app
