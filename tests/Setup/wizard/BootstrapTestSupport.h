// Helpers of the bootstrap and controller tests: a machine registry of the test's own,
// a Windows of a given version code, and the Windows Installer redistributable beside
// the test program as the stand-in that writes down how it was run.
#pragma once

#include "tests/Setup/actions/SetupTestSupport.h"

namespace pages_test {

// While it lives, HKEY_LOCAL_MACHINE of this process is an empty key of the test's own.
class MachineRegistry
{
public:
    MachineRegistry();
    ~MachineRegistry();
    void SetInstallerLocation(const CString& folder);
    void SetBrowserVersion(const CString& version);
    void Restore();   // the machine's own registry again

private:
    HKEY m_key = nullptr;
};

// While it lives, GetWindowsVersion reports that code (0 to 13).
class WindowsOfCode : public setup_test::FakeWindowsVersion
{
public:
    explicit WindowsOfCode(int code);
};

// While it lives, bin\Msi\2.0\InstMsiW.exe and InstMsiA.exe stand beside the test program
// and end with that code.
class Redistributable
{
public:
    explicit Redistributable(DWORD exitCode);
    ~Redistributable();
    bool Ran() const;
    CString CommandLine() const;

private:
    CString m_folder;
    setup_test::TempFolder m_temp;
};

CString ProgramDirectory();     // the test program's folder, with its backslash
CString LanguageLibraryPath();  // a library of version 1.20
CString StandInPath();          // a program of version 3.1

}  // namespace pages_test
