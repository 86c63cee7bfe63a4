// CInstallActions: the installer's stateless action functions: Windows version and
// platform, folders and text files, file and folder copying, registry values and key
// security, starting, waiting for and ending programs, the install checks, the USB
// drivers, the commands of a connected unit and its maps.
// Failures come back as false, 0 or an empty text; nothing here throws.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class CDriverFile;
class CUsbPacket;

class CInstallActions
{
public:
    CInstallActions() = delete;

    // Windows version codes (see GetWindowsVersion).
    enum WindowsVersion {
        kWin32s = 0, kWin95 = 1, kWin98 = 2, kWinMe = 3, kNT4 = 4, kWin2000 = 5,
        kXP = 6, kXPSP1 = 7, kXPSP2 = 8, kXPSP3 = 9, kServer2003 = 10,
        kVista = 11, kVistaSP1 = 12, kWin7 = 13
    };

    // Version and platform.
    static int GetWindowsVersion();
    static bool IsWow64();
    static CString GetWindowsVersionText();
    static UINT GetAnsiCodePage();
    static CString GetCodePageName();
    static bool IsAnsiCodePage(UINT codePage);

    // Folders and paths.
    static CString GetModuleDirectory();
    static CString GetSourceDrive();
    static CString GetSourceDrive(const CString& commandLine);
    static CString GetSystemDirectoryPath();
    static CString GetSystemDrive();
    static CString ExpandEnvironmentPath(const CString& name);
    static CString GetWindowsDirectoryPath();
    static DWORD GetFileVersionMS(const CString& path);

    // Text files in UTF-16LE (mark FF FE), UTF-8 (mark EF BB BF) or the ANSI code page.
    // A file over 16 MiB, or one that memory cannot hold, does not read, as a missing one.
    static bool ReadTextFile(const CString& path, CString& text);
    static bool WriteTextFile(const CString& path, const CString& text, bool append);
    static int GetXmlTagValue(const CString& text, const CString& tag, CString& value);
    static bool GetXmlElementValue(const CString& text, const CString& parent, const CString& tag,
                                   CString& value);

    // Files and folders.
    using CopyProgress = std::function<void(DWORD chunkBytes)>;
    static bool GetFileSizeIfExists(const CString& path, DWORD& size);
    static bool IsDotOrDotDot(const wchar_t* name);
    static bool CreateDirectoryRecursive(const CString& path, int depth);
    static bool DeleteFolderRecursive(const CString& path);
    static bool DeleteFolderIfOnlyListed(const CString& path, const std::vector<CString>& names);
    static bool CopyFileWithProgress(const CString& source, const CString& target,
                                     const volatile LONG* cancel, bool overwrite,
                                     const CopyProgress& progress);
    static bool CopyFolder(const CString& source, const CString& target);
    static bool CopyFolder(const CString& source, const CString& target, const CString& pattern);
    static bool CopyFolder(const CString& source, const CString& target,
                           const std::vector<CString>& patterns);
    static bool GetFilesSizeMB(const std::vector<CString>& paths, float& megabytes);
    static int CountFolderFiles(const CString& folder, bool recurse, ULONGLONG& bytes,
                                std::vector<CString>* files);
    static int ListSubfolders(const CString& folder, std::vector<CString>& folders);
    static bool CompareByLength(const CString& a, const CString& b);
    static bool FindFixedDriveWithSpace(float requiredMB, CString& root);
    static bool RotateBackupFiles(const CString& path, int count);

    // Diagnostic formatters.
    static CString DriveTypeName(UINT type);
    static CString FileSystemFlagNames(DWORD flags, const CString& separator);
    static CString FormatBitString(DWORD value, int group);

    // Conversions for callers that keep standard strings; the sources are emptied.
    static void ToStringList(std::vector<CString>& source, std::vector<std::string>& target);
    static void ToStringList(std::vector<CString>& source, std::vector<std::wstring>& target);
    static std::wstring ToWString(const CString& text);

    // Registry values.
    static bool ReadRegistryString(HKEY root, const CString& path, const CString& name, CString& text);
    static bool ReadRegistryDword(HKEY root, const CString& path, const CString& name, DWORD& value);
    static bool WriteRegistryString(HKEY root, const CString& path, const CString& name,
                                    const CString& text);
    static bool WriteRegistryDword(HKEY root, const CString& path, const CString& name, DWORD value);
    static bool WriteRegistryBinary(HKEY root, const CString& path, const CString& name,
                                    const BYTE* bytes, DWORD length);
    static bool DeleteRegistryTree(HKEY root, const CString& path);
    static bool SetInstallResume();
    static bool ClearInstallResume();

    // Key security.
    // Replaces the access list of root\path (and of all its subkeys when `recurse`) with
    // two entries that subkeys inherit: full access for Administrators, and `access` for
    // the named account, or for everyone when `account` is null.
    static bool GrantKeyAccess(HKEY root, const CString& path, bool recurse, const wchar_t* account,
                               DWORD access);
    static bool ListSubkeys(HKEY root, const CString& path, bool recurse, std::vector<std::string>& list);
    static bool GetCurrentUserName(wchar_t* name, DWORD& nameLength, wchar_t* domain, DWORD& domainLength);
    static bool CreateSecuredKey(HKEY root, const CString& path);

    // Starting, waiting for and ending programs.
    static bool RunProgram(const CString& commandLine, bool wait, DWORD& exitCode);
    static bool RunProcessAndWait(const CString& commandLine, bool wait, DWORD& exitCode);
    static bool RunAsUsersGroupTask(const CString& commandLine, bool wait, DWORD& exitCode);
    static bool WaitPumpingMessages(HANDLE handle);
    static void PumpPendingMessages();
    // Throws away the clicks and keys waiting for this thread, as a wait does.
    static void DiscardQueuedInput();
    static bool CloseRunningProgram(const CString& executableName);
    static bool OpenWithShell(const CString& path);

    // Install checks.
    static bool IsTestMode();
    // The questions of the test mode, one per probe that it replaces.
    static constexpr const wchar_t* kAskUsbDriverInstalled = L"Did USB driver install succeed?";
    static constexpr const wchar_t* kAskAviationDriverInstalled = L"Did USB aviation driver install succeed?";
    static constexpr const wchar_t* kAskUsbDriversCurrent = L"Are USB drivers at \\USB_Drivers current?";
    static constexpr const wchar_t* kAskGpsUnitPluggedIn = L"Is GPS unit plugged in?";
    static constexpr const wchar_t* kAskUnitPluggedIn = L"Is unit plugged in?";
    // In test mode a probe asks the tester instead of doing its work: true then, with
    // the answer (Yes is true); false outside test mode, without asking.
    static bool AskTesterInTestMode(const wchar_t* question, bool& answer);
    static int GetFreeDiskSpaceMB(const CString& root);
    static int GetDriveFreeSpace(const char* root);
    static int FreeBytesToMB(ULONGLONG bytes);
    static float GetSpaceAfterCopyMB(const CString& source, const CString& target, int& status,
                                     const CString& fileName);
    static CString MsiInstallCommand(const CString& package, const CString& properties, bool silent);
    static CString MsiUninstallCommand(const CString& package, bool silent);
    static int InstallMsi(const CString& package, const CString& properties, bool silent);
    static int UninstallMsi(const CString& package, bool silent);
    static bool IsOtherSetupRunning();
    static bool IsAdministrator();
    static bool IsNetworkInstall();
    static void SetMakerServers(const std::vector<CString>& uncPrefixes);
    static bool ArePnpInstallsPending();
    static bool TouchFile(const CString& path);

    // USB drivers: the copy beside the setup program brought to the system drive and
    // installed through SetupAPI (see CDriverInfo and CDriverSystem), and their checks.
    static bool InstallUsbDrivers(bool markReinstall);
    static bool InstallAviationUsbDrivers();
    static bool UpdateUsbDrivers(int family);
    static bool ReinstallDriver(CDriverFile row);
    static bool UninstallStaleOemInfs(CDriverFile row);
    static bool AreUsbDriversCurrent(int family);
    static bool IsUsbInterfaceRegistered(int look);
    static bool IsUnitPluggedIn();
    static bool ProbeAviationCardProgrammer();
    // Lists the machine's device tree on the debugger output.
    static bool DumpDeviceTree();

    // The part numbers of the maps preloaded on a unit, over USB or from its device
    // description file, and the description of a map image (see CDeviceStorage).
    static bool GetPreloadedMapParts(DWORD unitId, std::vector<CString>& parts);
    static bool ReadImageDescription(const CString& imagePath, CString& description, int& version, CString& name);

    // A connected unit's commands (see CDeviceProtocol).
    static int CountConnectedDevices();
    static DWORD GetUnitId();
    static WORD GetProductId();
    static CString GetDeviceDateTime();
    static WORD GetSoftwareVersion();
    static void GetProductStrings(std::vector<CString>& strings);
    static void GetExtProductStrings(std::vector<CString>& strings);
    static void GetProtocolList(std::vector<CString>& names);
    static bool SupportsProtocol(const char* name);
    static bool IsProduct210Or404();
    static ULONGLONG GetStorageSize(BYTE slot);
    static bool SupportsA900();
    static bool SupportsA907();
    static void CloseDeviceLink();
    static void AbortTransfer();
    static void TurnOffPower();
    static DWORD GetMemoryCapacity(WORD& a, WORD& b, DWORD& c);
    static CString GetCardImageVersion();
    static CString GetMapSetVersion();
    // Packet listings on the console.
    static void PrintPacketData(const CUsbPacket& packet, DWORD count);
    static void PrintPacket(const CUsbPacket& packet);

    // Writes one diagnostic line to the debugger output.
    static void Trace(const wchar_t* text);
    static void TraceFormat(const wchar_t* format, ...);

    // Test seams: each replaces one system query for the tests; null restores the real one.
    using VersionQuery = BOOL (WINAPI*)(LPOSVERSIONINFOW info);
    using Wow64Query = BOOL (WINAPI*)(HANDLE process, PBOOL wow64);
    using FreeSpaceExQuery = BOOL (WINAPI*)(LPCSTR root, PULARGE_INTEGER callerFree,
                                            PULARGE_INTEGER total, PULARGE_INTEGER totalFree);
    using FreeSpaceQuery = BOOL (WINAPI*)(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                                          LPDWORD freeClusters, LPDWORD clusters);
    using DiagnosticSink = void (*)(const wchar_t* text);
    using TaskServiceFactory = HRESULT (*)(void** taskService);
    using MessageWait = DWORD (WINAPI*)(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms,
                                        DWORD wakeMask);
    // Makes room for a text file's bytes (and throws std::bad_alloc when there is none).
    using TextFileBuffer = void (*)(std::vector<char>& bytes, size_t size);
    static void SetVersionQueryForTest(VersionQuery query);
    static void SetWow64QueryForTest(Wow64Query query);
    static void SetFreeSpaceQueriesForTest(bool replace, FreeSpaceExQuery ex, FreeSpaceQuery plain);
    static void SetDiagnosticSinkForTest(DiagnosticSink sink);
    static void SetTaskServiceFactoryForTest(TaskServiceFactory factory);
    static void SetMessageWaitForTest(MessageWait wait);
    static void SetTextFileBufferForTest(TextFileBuffer allocate);
};
