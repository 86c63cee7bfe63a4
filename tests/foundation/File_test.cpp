// Files, handles, file mappings and their views.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_File.h"
#include "foundation/win/WIN_Handle.h"
#include "foundation/win/WIN_MappedFile.h"
#include "foundation/win/WIN_MappedFileView.h"

#include "tests/foundation/RaisePoint.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

const char fileFile[] = "WIN_File";
const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool IsOpen(HANDLE handle)
{
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != 0;
}

class Files : public ::testing::Test {
protected:
    ~Files() override { ::DeleteFileA(path.c_str()); }

    std::unique_ptr<win::File_t> Open(DWORD access, DWORD disposition = OPEN_EXISTING)
    {
        return std::make_unique<win::File_t>(path, access, disposition, FILE_ATTRIBUTE_NORMAL, shareAll);
    }

    void Create(const std::string& content)
    {
        auto file = Open(GENERIC_WRITE, CREATE_ALWAYS);
        if (!content.empty())
            file->Write(content.data(), static_cast<DWORD>(content.size()));
    }

    std::string path = "file_test_" + std::to_string(::GetCurrentProcessId()) + ".tmp";
};

} // namespace

TEST_F(Files, WritesAndReadsBack)
{
    auto file = Open(GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    const char bytes[] = "two\r\nlines\0with a zero";
    const std::string content(bytes, sizeof bytes - 1);
    EXPECT_EQ(content.size(), file->Write(content.data(), static_cast<DWORD>(content.size())));
    EXPECT_EQ(content.size(), file->GetSize());
    ::SetFilePointer(file->GetHandle(), 0, nullptr, FILE_BEGIN);
    std::string back(content.size() + 4, '\0');
    EXPECT_EQ(content.size(), file->Read(&back[0], static_cast<DWORD>(back.size())));
    back.resize(content.size());
    EXPECT_EQ(content, back);
    EXPECT_EQ(0u, file->Read(&back[0], 1)); // at the end
    file->Close();
    EXPECT_TRUE(file->GetHandle() == INVALID_HANDLE_VALUE);
    file->Close(); // closing twice does nothing
}

TEST_F(Files, MissingFilesRaiseFileErrors)
{
    auto narrow = ExpectRaise<win::FileError_t>([&] { Open(GENERIC_READ); }, fileFile, 35);
    ASSERT_TRUE(narrow);
    EXPECT_EQ(2u, narrow->GetCode());
    ExpectRaise<win::FileError_t>(
        [] { win::File_t(std::wstring(L"missing_\x00e9\x4e2d.tmp"), GENERIC_READ, OPEN_EXISTING, 0, shareAll); },
        fileFile, 60);
}

TEST_F(Files, WidePathsReachTheirFile)
{
    const std::wstring wide = L"wide_\x00e9\x4e2d_" + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    {
        win::File_t file(wide, GENERIC_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, shareAll);
        file.Write("x", 1);
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(wide.c_str()));
    ::DeleteFileW(wide.c_str());
}

TEST_F(Files, OnlyWritableFilesAreWrittenAndFlushed)
{
    Create("data");
    auto file = Open(GENERIC_READ);
    ExpectRaise<glo::Assert_t>([&] { file->Write("x", 1); }, fileFile, 105);
    ExpectRaise<glo::Assert_t>([&] { file->Flush(); }, fileFile, 110);
}

TEST_F(Files, ClosingAReadOnlyFileNeverFlushes)
{
    Create("data");
    auto file = Open(GENERIC_READ);
    // The system refuses to flush a handle without write access: a flush here would throw.
    ASSERT_FALSE(::FlushFileBuffers(file->GetHandle()));
    EXPECT_NO_THROW(file->Close());
    EXPECT_TRUE(file->GetHandle() == INVALID_HANDLE_VALUE);
}

TEST_F(Files, AFailedFlushThrowsBeforeClosingAndTheDestructorStillCloses)
{
    // The null device refuses flushes on this platform.
    {
        const HANDLE probe = ::CreateFileA("NUL", GENERIC_WRITE, shareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        const bool refuses = !::FlushFileBuffers(probe);
        ::CloseHandle(probe);
        if (!refuses)
            GTEST_SKIP() << "no device here refuses a flush";
    }
    auto file = std::make_unique<win::File_t>("NUL", GENERIC_WRITE, OPEN_EXISTING, 0, shareAll);
    const HANDLE raw = file->GetHandle();
    ExpectRaise<win::FileError_t>([&] { file->Close(); }, fileFile, 114);
    EXPECT_TRUE(IsOpen(raw));
    EXPECT_NO_THROW(file.reset());
    EXPECT_FALSE(IsOpen(raw));
}

TEST_F(Files, FailedCallsRaiseAtTheirPositions)
{
    Create("data");
    auto writeOnly = Open(GENERIC_WRITE);
    char byte;
    ExpectRaise<win::FileError_t>([&] { writeOnly->Read(&byte, 1); }, fileFile, 144);
    writeOnly->Close();
    ExpectRaise<win::FileError_t>([&] { writeOnly->Write("x", 1); }, fileFile, 118);
    ExpectRaise<win::FileError_t>([&] { writeOnly->GetSize(); }, fileFile, 90);
}

TEST(Handle, ClosesWhatItHolds)
{
    const HANDLE first = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    const HANDLE second = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    {
        win::Handle_t handle(first);
        handle.Reset(first);
        EXPECT_TRUE(IsOpen(first));
        handle.Reset(second);
        EXPECT_FALSE(IsOpen(first));
        EXPECT_EQ(second, handle.Get());
    }
    EXPECT_FALSE(IsOpen(second));

    win::Handle_t empty;
    EXPECT_TRUE(empty.IsEmpty());
    empty.Close();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST_F(Files, MapsAWholeFileForReading)
{
    const std::string content = "mapped content";
    Create(content);
    win::File_t file(path, GENERIC_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, shareAll);
    win::MappedFile_t mapping(file, nullptr, PAGE_READONLY, 0, 0);
    win::MappedFileView_t view(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(nullptr, view.GetBase());
    EXPECT_EQ(content, std::string(static_cast<const char*>(view.GetBase()), file.GetSize()));

    ExpectRaise<glo::Assert_t>([&] { view.Map(mapping, FILE_MAP_READ, 0, 0, 0); }, "WIN_MappedFileView", 74);
    view.Unmap();
    EXPECT_EQ(nullptr, view.GetBase());
    view.Unmap(); // nothing mapped: nothing to do
    view.Map(mapping, FILE_MAP_READ, 0, 0, 0);
    EXPECT_EQ(0, std::memcmp(content.data(), view.GetBase(), content.size()));

    // A read-only mapping cannot be viewed for writing.
    ExpectRaise<win::Error_t>([&] { win::MappedFileView_t(mapping, FILE_MAP_WRITE, 0, 0, 0); },
                              "WIN_MappedFileView", 82);
}

TEST_F(Files, AnEmptyFileCannotBeMapped)
{
    Create("");
    win::File_t file(path, GENERIC_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, shareAll);
    auto error = ExpectRaise<win::MappedFileError_t>(
        [&] { win::MappedFile_t(file, nullptr, PAGE_READONLY, 0, 0); }, "WIN_MappedFile", 77);
    ASSERT_TRUE(error);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_FILE_INVALID), error->GetCode());
}
