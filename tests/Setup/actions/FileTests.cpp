// Tests of file and folder creation, copying, deletion, counting and listing.
#include "tests/Setup/actions/SetupTestSupport.h"

#include "Setup/actions/DriveEnumerator.h"
#include "Setup/actions/FindFile.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

using setup_test::ReadBytes;
using setup_test::TempFolder;
using setup_test::WriteBytes;

namespace {

bool Exists(const CString& path)
{
    return PathFileExistsW(path) != FALSE;
}

class Files : public ::testing::Test
{
protected:
    TempFolder folder;
};

TEST_F(Files, SizeOfAnExistingFile)
{
    WriteBytes(folder / L"five", "12345");
    DWORD size = 99;
    EXPECT_TRUE(CInstallActions::GetFileSizeIfExists(folder / L"five", size));
    EXPECT_EQ(size, 5u);
    EXPECT_FALSE(CInstallActions::GetFileSizeIfExists(folder / L"none", size));
    EXPECT_EQ(size, 0u);

    float megabytes = -1;
    WriteBytes(folder / L"big", std::string(1048576, 'x'));
    EXPECT_TRUE(CInstallActions::GetFilesSizeMB({folder / L"big", folder / L"five", folder / L"none"}, megabytes));
    EXPECT_FLOAT_EQ(megabytes, (1048576.0f + 5) / 1048576.0f);
}

TEST_F(Files, DotNames)
{
    EXPECT_TRUE(CInstallActions::IsDotOrDotDot(L"."));
    EXPECT_TRUE(CInstallActions::IsDotOrDotDot(L".."));
    EXPECT_FALSE(CInstallActions::IsDotOrDotDot(L"..."));
    EXPECT_FALSE(CInstallActions::IsDotOrDotDot(L".git"));
}

TEST_F(Files, CreateDirectoryRecursiveIsBoundedByDepth)
{
    EXPECT_TRUE(CInstallActions::CreateDirectoryRecursive(folder.Path(), 0));  // exists already
    EXPECT_TRUE(CInstallActions::CreateDirectoryRecursive(folder / L"a", 0));
    EXPECT_FALSE(CInstallActions::CreateDirectoryRecursive(folder / L"b\\c\\d", 1));
    EXPECT_FALSE(Exists(folder / L"b\\c\\d"));
    EXPECT_TRUE(CInstallActions::CreateDirectoryRecursive(folder / L"b\\c\\d", 2));
    EXPECT_TRUE(Exists(folder / L"b\\c\\d"));
    EXPECT_TRUE(CInstallActions::CreateDirectoryRecursive(folder / L"e\\f", 1));
    EXPECT_TRUE(Exists(folder / L"e\\f"));
}

TEST_F(Files, DeleteFolderRecursiveRemovesReadOnlyFilesToo)
{
    CString tree = folder / L"tree";
    CInstallActions::CreateDirectoryRecursive(tree + L"\\sub\\deeper", 3);
    WriteBytes(tree + L"\\top.txt", "1");
    WriteBytes(tree + L"\\sub\\deeper\\locked.txt", "2");
    SetFileAttributesW(tree + L"\\sub\\deeper\\locked.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(CInstallActions::DeleteFolderRecursive(tree + L"\\"));
    EXPECT_FALSE(Exists(tree));
    EXPECT_FALSE(CInstallActions::DeleteFolderRecursive(tree));
}

// Wine makes no junctions or symbolic links: the search reports the entries named
// "link..." as such, a folder as a junction and a file as a symbolic link.
void ReportLinks(WIN32_FIND_DATAW& data)
{
    if (wcsncmp(data.cFileName, L"link", 4) != 0)
        return;
    data.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    data.dwReserved0 = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? IO_REPARSE_TAG_MOUNT_POINT
                                                                          : IO_REPARSE_TAG_SYMLINK;
}

TEST_F(Files, DeleteFolderRecursiveRemovesLinksButNeverWhatTheyPointTo)
{
    CString tree = folder / L"tree";
    CInstallActions::CreateDirectoryRecursive(tree + L"\\linkFolder", 2);
    CInstallActions::CreateDirectoryRecursive(tree + L"\\plain", 2);
    WriteBytes(tree + L"\\linkFolder\\kept.txt", "1");
    WriteBytes(tree + L"\\linkFile", "2");
    SetFileAttributesW(tree + L"\\linkFile", FILE_ATTRIBUTE_READONLY);
    WriteBytes(tree + L"\\plain\\gone.txt", "3");

    CFindFile::SetFilterForTest(ReportLinks);
    bool deleted = CInstallActions::DeleteFolderRecursive(tree);
    CFindFile::SetFilterForTest(nullptr);
    // Removing a link removes no content: here the stand-ins stay, and so the tree.
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(Exists(tree + L"\\linkFolder\\kept.txt"));
    EXPECT_TRUE(GetFileAttributesW(tree + L"\\linkFile") & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Exists(tree + L"\\plain"));
}

TEST_F(Files, DeleteFolderIfOnlyListedChecksSubfolderNames)
{
    CString tree = folder / L"tree";
    CInstallActions::CreateDirectoryRecursive(tree + L"\\keep", 2);
    CInstallActions::CreateDirectoryRecursive(tree + L"\\Other", 2);
    WriteBytes(tree + L"\\file.txt", "1");
    EXPECT_FALSE(CInstallActions::DeleteFolderIfOnlyListed(tree, {L"keep", L"other"}));
    EXPECT_TRUE(Exists(tree + L"\\file.txt"));
    EXPECT_TRUE(CInstallActions::DeleteFolderIfOnlyListed(tree, {L"keep", L"Other"}));
    EXPECT_FALSE(Exists(tree));
}

TEST_F(Files, CopyFileWithProgressReportsEachChunk)
{
    std::string content(300000, 'c');
    content[299999] = 'z';
    WriteBytes(folder / L"source.bin", content);
    std::vector<DWORD> chunks;
    EXPECT_TRUE(CInstallActions::CopyFileWithProgress(folder / L"source.bin", folder / L"new\\target.bin", nullptr,
                                                      false, [&](DWORD bytes) { chunks.push_back(bytes); }));
    EXPECT_EQ(chunks, (std::vector<DWORD>{0x20000, 0x20000, 300000 - 0x40000}));
    EXPECT_EQ(ReadBytes(folder / L"new\\target.bin"), content);
}

TEST_F(Files, CopyFileWithProgressKeepsATargetUnlessOverwriting)
{
    WriteBytes(folder / L"source.txt", "new");
    WriteBytes(folder / L"target.txt", "old");
    EXPECT_FALSE(CInstallActions::CopyFileWithProgress(folder / L"source.txt", folder / L"target.txt", nullptr,
                                                       false, nullptr));
    EXPECT_EQ(ReadBytes(folder / L"target.txt"), "old");
    EXPECT_TRUE(CInstallActions::CopyFileWithProgress(folder / L"source.txt", folder / L"target.txt", nullptr,
                                                      true, nullptr));
    EXPECT_EQ(ReadBytes(folder / L"target.txt"), "new");
    EXPECT_FALSE(CInstallActions::CopyFileWithProgress(folder / L"missing.txt", folder / L"t2.txt", nullptr,
                                                       true, nullptr));
    EXPECT_FALSE(Exists(folder / L"t2.txt"));
}

TEST_F(Files, CopyFileWithProgressStopsWhenCancelled)
{
    WriteBytes(folder / L"source.bin", std::string(400000, 'c'));
    volatile LONG cancel = 1;
    EXPECT_FALSE(CInstallActions::CopyFileWithProgress(folder / L"source.bin", folder / L"a.bin", &cancel, true,
                                                       nullptr));
    EXPECT_FALSE(Exists(folder / L"a.bin"));

    // Cancelled after the first chunk: the half-written target is removed.
    cancel = 0;
    int calls = 0;
    EXPECT_FALSE(CInstallActions::CopyFileWithProgress(folder / L"source.bin", folder / L"b.bin", &cancel, true,
                                                       [&](DWORD) { ++calls; cancel = 1; }));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(Exists(folder / L"b.bin"));
}

TEST_F(Files, CopyFolderByPatterns)
{
    CString source = folder / L"source";
    CInstallActions::CreateDirectoryRecursive(source + L"\\sub", 2);
    WriteBytes(source + L"\\a.inf", "a");
    WriteBytes(source + L"\\b.sys", "b");
    WriteBytes(source + L"\\c.txt", "c");
    WriteBytes(source + L"\\sub\\d.inf", "d");

    EXPECT_TRUE(CInstallActions::CopyFolder(source + L"\\", folder / L"some\\target\\",
                                            std::vector<CString>{L"*.inf", L"*.sys"}));
    EXPECT_TRUE(Exists(folder / L"some\\target\\a.inf"));
    EXPECT_TRUE(Exists(folder / L"some\\target\\b.sys"));
    EXPECT_FALSE(Exists(folder / L"some\\target\\c.txt"));

    EXPECT_TRUE(CInstallActions::CopyFolder(source, folder / L"all"));
    EXPECT_EQ(ReadBytes(folder / L"all\\sub\\d.inf"), "d");
    EXPECT_TRUE(CInstallActions::CopyFolder(source, folder / L"txt", L"*.txt"));
    EXPECT_TRUE(Exists(folder / L"txt\\c.txt"));

    EXPECT_FALSE(CInstallActions::CopyFolder(source, folder / L"none", std::vector<CString>{}));
    EXPECT_FALSE(CInstallActions::CopyFolder(folder / L"missing", folder / L"none"));
}

TEST_F(Files, CountsAndListsFolders)
{
    CString root = folder / L"root";
    CInstallActions::CreateDirectoryRecursive(root + L"\\A\\B", 3);
    CInstallActions::CreateDirectoryRecursive(root + L"\\C", 2);
    CInstallActions::CreateDirectoryRecursive(root + L"\\.hidden", 2);
    WriteBytes(root + L"\\one", "1");
    WriteBytes(root + L"\\A\\two", "22");
    WriteBytes(root + L"\\A\\B\\three", "333");
    WriteBytes(root + L"\\.hidden\\skipped", "4444");

    ULONGLONG bytes = 99;
    std::vector<CString> files{L"stale"};
    EXPECT_EQ(CInstallActions::CountFolderFiles(root, false, bytes, &files), 1);
    EXPECT_EQ(bytes, 1u);
    EXPECT_EQ(files, std::vector<CString>{root + L"\\one"});
    EXPECT_EQ(CInstallActions::CountFolderFiles(root, true, bytes, &files), 3);
    EXPECT_EQ(bytes, 6u);
    EXPECT_EQ(files.size(), 3u);
    EXPECT_EQ(CInstallActions::CountFolderFiles(root, true, bytes, nullptr), 3);

    std::vector<CString> folders{L"stale"};
    EXPECT_EQ(CInstallActions::ListSubfolders(root, folders), 3);
    EXPECT_EQ(folders, (std::vector<CString>{root + L"\\A", root + L"\\A\\B", root + L"\\C"}));
}

TEST_F(Files, RotateBackupFilesShiftsNumberedCopies)
{
    CString path = folder / L"log.tx_";
    WriteBytes(path, "current");
    WriteBytes(folder / L"log.tx1", "older");
    EXPECT_TRUE(CInstallActions::RotateBackupFiles(path, 2));
    EXPECT_EQ(ReadBytes(folder / L"log.tx2"), "older");
    EXPECT_EQ(ReadBytes(folder / L"log.tx1"), "current");
    EXPECT_EQ(ReadBytes(path), "current");
}

TEST(Ordering, CompareByLength)
{
    EXPECT_TRUE(CInstallActions::CompareByLength(L"ab", L"abc"));
    EXPECT_FALSE(CInstallActions::CompareByLength(L"abc", L"xyz"));
    EXPECT_FALSE(CInstallActions::CompareByLength(L"abcd", L"x"));
}

TEST(Drives, RootsInTheSystemsOrder)
{
    CDriveEnumerator drives;
    std::vector<CString> roots{L"kept"};
    int count = drives.GetDriveRoots(roots);
    ASSERT_EQ(count, static_cast<int>(roots.size()));
    ASSERT_GE(count, 2);
    EXPECT_EQ(roots[0], L"kept");
    DWORD mask = drives.GetLogicalDriveMask();
    int bit = -1;
    for (int i = 1; i < count; ++i) {
        ASSERT_EQ(roots[i].GetLength(), 3);
        int letter = towupper(roots[i][0]) - L'A';
        EXPECT_GT(letter, bit);
        EXPECT_TRUE(mask & (1u << letter));
        bit = letter;
    }
    EXPECT_EQ(drives.GetDriveType(L"C:\\"), static_cast<UINT>(DRIVE_FIXED));

    // Every letter in use: the list needs 105 characters with its closing zero.
    {
        setup_test::EveryDriveLetter everyLetter;
        std::vector<CString> all;
        ASSERT_EQ(26, drives.GetDriveRoots(all));
        EXPECT_EQ(CString(L"A:\\"), all.front());
        EXPECT_EQ(CString(L"Z:\\"), all.back());
    }

    CString name, fileSystem;
    DWORD serial = 0, maxComponent = 0, flags = 0;
    EXPECT_TRUE(drives.GetVolumeInfo(L"C:\\", name, serial, maxComponent, flags, fileSystem));
    EXPECT_GT(maxComponent, 0u);
    EXPECT_FALSE(fileSystem.IsEmpty());
}

// Free space as the seam reports it: 100 MiB on C:, nothing elsewhere.
BOOL WINAPI HundredMegabytesOnC(LPCSTR root, PULARGE_INTEGER callerFree, PULARGE_INTEGER total,
                                PULARGE_INTEGER totalFree)
{
    ULONGLONG bytes = toupper(root[0]) == 'C' ? 100ull * 1048576 : 0;
    callerFree->QuadPart = bytes;
    total->QuadPart = bytes * 2;
    totalFree->QuadPart = bytes;
    return TRUE;
}

TEST(Drives, FixedDriveNeedsMoreThanTheTruncatedRequirement)
{
    CInstallActions::SetFreeSpaceQueriesForTest(true, HundredMegabytesOnC, nullptr);
    CString root;
    EXPECT_FALSE(CInstallActions::FindFixedDriveWithSpace(100.0f, root));
    EXPECT_FALSE(CInstallActions::FindFixedDriveWithSpace(100.9f, root));
    EXPECT_TRUE(CInstallActions::FindFixedDriveWithSpace(99.9f, root));
    EXPECT_EQ(root.CompareNoCase(L"C:\\"), 0);
    CInstallActions::SetFreeSpaceQueriesForTest(false, nullptr, nullptr);
}

}  // namespace
