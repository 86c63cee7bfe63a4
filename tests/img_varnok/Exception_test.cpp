// The library's exception and its counted handle.
#include "tests/img_varnok/ImgTestSupport.h"

#include "img_varnok/IMG_CountedPtr.h"
#include "img_varnok/IMG_FileIO.h"

TEST(ImgException, CarriesCodeSourceAndWindowsError)
{
    const IMG_Exception e("IMG_FileIO", 405, 9, ERROR_FILE_NOT_FOUND);
    const IMG_Exception copy = e;
    EXPECT_EQ(9, copy.GetCode());
    EXPECT_EQ(405, copy.GetLine());
    EXPECT_STREQ("IMG_FileIO", copy.GetFile());
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), copy.GetOsError());
    const std::exception& base = copy;
    EXPECT_STREQ("Error opening file", base.what());
}

TEST(ImgException, HasTheFixedMessageOfEveryCode)
{
    EXPECT_STREQ("append_bytes call failed", IMG_Exception("x", 1, 0).what());
    EXPECT_STREQ("The disk image being opened did not have a valid header", IMG_Exception("x", 1, 4).what());
    EXPECT_STREQ("Max file size is not large enough to accomodate the new file", IMG_Exception("x", 1, 16).what());
    EXPECT_STREQ("No Error", IMG_Exception("x", 1, 18).what());
    EXPECT_STREQ("Unexpected NULL pointer", IMG_Exception("x", 1, 24).what());
    EXPECT_STREQ("Unable to determine the file size", IMG_Exception("x", 1, 33).what());
    EXPECT_STREQ("An invalid image size was specified", IMG_Exception("x", 1, 37).what());
    EXPECT_STREQ("Found a duplicate file while attempting to save the image", IMG_Exception("x", 1, 38).what());
    for (int code = 0; code < IMG_Exception::CodeCount; ++code)
        EXPECT_STRNE("", IMG_Exception("x", 1, code).what()) << code;
    // A code outside the table is never raised; it still reads safely.
    EXPECT_STREQ("Assertion failed", IMG_Exception("x", 1, 39).what());
    EXPECT_STREQ("Assertion failed", IMG_Exception("x", 1, -1).what());
}

TEST(ImgException, DisplayTextAddsTheWindowsErrorAndItsSystemText)
{
    EXPECT_EQ("Error writing to file", IMG_Exception("IMG_FileIO", 13, 13).GetDisplayText());

    const std::string text = IMG_Exception("IMG_FileIO", 405, 9, ERROR_FILE_NOT_FOUND).GetDisplayText();
    const std::string lead = "Error opening file\n\n[ErrCode: 2] - ";
    ASSERT_EQ(lead, text.substr(0, lead.size()));
    char system[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND, 0,
                   system, sizeof system, nullptr);
    std::string expected = system;
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r' || expected.back() == ' '))
        expected.pop_back();
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(expected, text.substr(lead.size()));
}

namespace
{
struct Counted
{
    static int destroyed;
    virtual ~Counted() { ++destroyed; }
};
int Counted::destroyed = 0;

struct DerivedCounted : Counted
{
    static int derivedDestroyed;
    ~DerivedCounted() override { ++derivedDestroyed; }
};
int DerivedCounted::derivedDestroyed = 0;
}

TEST(ImgCountedPtr, DestroysTheSharedObjectOnceWhenTheLastHandleLetsGo)
{
    Counted::destroyed = DerivedCounted::derivedDestroyed = 0;
    IMG_CountedPtr<Counted> first(new DerivedCounted);
    {
        IMG_CountedPtr<Counted> second = first;
        EXPECT_EQ(2, first.UseCount());
        EXPECT_EQ(first.Get(), second.Get());
        first.Release();
        EXPECT_FALSE(first);
        EXPECT_EQ(0, Counted::destroyed);
    }
    EXPECT_EQ(1, Counted::destroyed);
    EXPECT_EQ(1, DerivedCounted::derivedDestroyed);  // through the virtual destructor
    first.Release();
    EXPECT_EQ(1, Counted::destroyed);
}

TEST(ImgCountedPtr, AssignmentSharesAndReleasesTheOldObject)
{
    Counted::destroyed = 0;
    IMG_CountedPtr<Counted> a(new Counted), b(new Counted), empty;
    a = b;
    EXPECT_EQ(1, Counted::destroyed);
    EXPECT_EQ(2, b.UseCount());
    a = a;
    EXPECT_EQ(2, a.UseCount());
    a = empty;
    b = empty;
    EXPECT_EQ(2, Counted::destroyed);
    EXPECT_FALSE(IMG_CountedPtr<Counted>(nullptr));
    empty.Release();
    EXPECT_EQ(0, empty.UseCount());
}

TEST(ImgCountedPtr, ReleasesTheFileObjectAndRawMemory)
{
    TempFolder folder;
    const std::string path = folder.Path("held.img");
    IMG_CountedPtr<IMG_FileIO> file(new IMG_FileIO);
    file->OpenForWrite(path.c_str());
    IMG_CountedPtr<IMG_FileIO> other = file;
    file.Release();
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    other.Release();  // the plain destructor closes the file
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, exclusive);
    CloseHandle(exclusive);

    IMG_CountedPtr<uint8_t, IMG_FreeMemory<uint8_t>> entry(new uint8_t[512]());
    IMG_CountedPtr<uint8_t, IMG_FreeMemory<uint8_t>> shared = entry;
    entry.Release();
    shared.Get()[511] = 1;
    EXPECT_EQ(1, shared.UseCount());
}
