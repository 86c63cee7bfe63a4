// Shared helpers of the installer tests: a temporary folder of the test's own, a
// stand-in Windows version, captured diagnostics, registry test keys and the helper
// programs built beside the tests.
#pragma once

#include "Setup/actions/InstallActions.h"

#include <ostream>
#include <string>
#include <vector>

// Lets test failures show CString values as text.
inline void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << text.ToAnsi() << '"';
}

namespace setup_test {

// A fresh folder under the temporary folder, deleted with everything in it at the end.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    const CString& Path() const { return m_path; }
    CString operator/(const wchar_t* name) const { return m_path + L"\\" + name; }

private:
    CString m_path;
};

// Writes bytes to a file, replacing it.
void WriteBytes(const CString& path, const std::string& bytes);
std::string ReadBytes(const CString& path);
// Writes bytes to a file and lengthens it with zero bytes to the given length (the host
// keeps those unwritten).
void WriteBytesPadded(const CString& path, const std::string& bytes, LONGLONG length);

// While it lives, memory runs out whenever a text file is read.
class NoMemoryForTextFiles
{
public:
    NoMemoryForTextFiles();
    ~NoMemoryForTextFiles();
};

// While it lives, GetWindowsVersion sees the given platform, version and service pack.
class FakeWindowsVersion
{
public:
    FakeWindowsVersion(DWORD platform, DWORD major, DWORD minor, WORD servicePack,
                       const wchar_t* servicePackText = L"");
    ~FakeWindowsVersion();
};

// While it lives, the drive list has every letter from A: to Z: in use (many mapped
// network drives), answered as Windows answers: a buffer too small gets the length needed.
class EveryDriveLetter
{
public:
    EveryDriveLetter();
    ~EveryDriveLetter();
};

// While it lives, the diagnostics of CInstallActions are collected.
class CapturedDiagnostics
{
public:
    CapturedDiagnostics();
    ~CapturedDiagnostics();
    std::wstring Text() const;
};

// A registry key of the test's own, deleted with its subkeys at the end.
class TestKey
{
public:
    TestKey(HKEY root, const CString& path);
    ~TestKey();
    const CString& Path() const { return m_path; }
    void CreateSubkey(const CString& relative) const;

private:
    HKEY m_root;
    CString m_path;
};

// The folder of the test program, and a helper program built beside it.
CString ProgramFolder();
CString HelperPath(const wchar_t* fileName);

// Starts a program of the test's own; the handles are the caller's to close.
PROCESS_INFORMATION StartProcess(const CString& commandLine);

// Deletes the one-shot launch tasks that a test left registered ("Launch " and a number);
// returns their names.
std::vector<std::wstring> DeleteLeftoverLaunchTasks();

}  // namespace setup_test
