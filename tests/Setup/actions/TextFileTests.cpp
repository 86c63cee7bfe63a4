// Tests of the text files in three encodings and of the tag lookups.
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>

using setup_test::NoMemoryForTextFiles;
using setup_test::ReadBytes;
using setup_test::TempFolder;
using setup_test::WriteBytes;
using setup_test::WriteBytesPadded;

namespace {

class TextFiles : public ::testing::Test
{
protected:
    TempFolder folder;
    CString path = folder / L"text.txt";
};

TEST_F(TextFiles, Utf16LosesEveryMarkOnReadingAndGetsOneBackOnWriting)
{
    WriteBytes(path, std::string("\xFF\xFE" "a\0\xFF\xFE" "b\0", 8));
    CString text;
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"ab");

    ASSERT_TRUE(CInstallActions::WriteTextFile(path, text + L"c", false));
    EXPECT_EQ(ReadBytes(path), std::string("\xFF\xFE" "a\0b\0c\0", 8));
}

TEST_F(TextFiles, Utf16WithAnOddLengthKeepsTheWholeCharacters)
{
    WriteBytes(path, std::string("\xFF\xFE" "x\0y", 5));
    CString text;
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"x");
}

TEST_F(TextFiles, Utf8KeepsItsMarkAndGetsATrailingZero)
{
    WriteBytes(path, "\xEF\xBB\xBF" "caf\xC3\xA9");
    CString text;
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"\xFEFF" L"caf\x00E9");

    ASSERT_TRUE(CInstallActions::WriteTextFile(path, text, false));
    EXPECT_EQ(ReadBytes(path), std::string("\xEF\xBB\xBF" "caf\xC3\xA9\0", 9));
    CString again;
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, again));
    EXPECT_EQ(again, text);
}

TEST_F(TextFiles, Utf8AppendWritesOverTheTrailingZero)
{
    WriteBytes(path, std::string("\xEF\xBB\xBF" "one\0", 7));
    ASSERT_TRUE(CInstallActions::WriteTextFile(path, L" two", true));
    EXPECT_EQ(ReadBytes(path), std::string("\xEF\xBB\xBF" "one two\0", 11));
    CString text;
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"\xFEFF" L"one two");
}

TEST_F(TextFiles, AnsiForShortFilesAndOtherStarts)
{
    WriteBytes(path, "A");
    CString text;
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"A");

    WriteBytes(path, "");
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"");

    // The conversion stops at the first zero byte.
    WriteBytes(path, std::string("plain\0rest", 10));
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"plain");

    ASSERT_TRUE(CInstallActions::WriteTextFile(path, L"new", false));
    EXPECT_EQ(ReadBytes(path), "new");
    ASSERT_TRUE(CInstallActions::WriteTextFile(path, L" more", true));
    EXPECT_EQ(ReadBytes(path), "new more");
}

TEST_F(TextFiles, NewFilesAreAnsiAndMissingFilesDoNotRead)
{
    CString text(L"left");
    EXPECT_FALSE(CInstallActions::ReadTextFile(folder / L"missing.txt", text));
    EXPECT_TRUE(text.IsEmpty());
    ASSERT_TRUE(CInstallActions::WriteTextFile(folder / L"new.txt", L"fresh", true));
    EXPECT_EQ(ReadBytes(folder / L"new.txt"), "fresh");
    EXPECT_FALSE(CInstallActions::WriteTextFile(folder / L"no folder\\x.txt", L"x", false));
}

TEST_F(TextFiles, AFileOver16MiBOrOneThatMemoryCannotHoldDoesNotRead)
{
    const LONGLONG bound = 16 * 1024 * 1024;
    CString text;
    WriteBytesPadded(path, "licence", bound);
    ASSERT_TRUE(CInstallActions::ReadTextFile(path, text));
    EXPECT_EQ(text, L"licence");

    WriteBytesPadded(path, "licence", bound + 1);
    EXPECT_FALSE(CInstallActions::ReadTextFile(path, text));
    EXPECT_TRUE(text.IsEmpty());

    WriteBytes(path, "\xEF\xBB\xBF" "licence");
    text = L"left";
    {
        NoMemoryForTextFiles noMemory;
        EXPECT_FALSE(CInstallActions::ReadTextFile(path, text));
        EXPECT_TRUE(text.IsEmpty());
    }
    EXPECT_TRUE(CInstallActions::ReadTextFile(path, text));
}

TEST_F(TextFiles, AnExclusivelyOpenedFileIsNotWritten)
{
    WriteBytes(path, "held");
    HANDLE held = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CInstallActions::WriteTextFile(path, L"x", false));
    CString text;
    EXPECT_FALSE(CInstallActions::ReadTextFile(path, text));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), "held");
}

TEST_F(TextFiles, AFullDiskIsAFailure)
{
    // The host's full device, which Wine shows on the drive of the host's root: every
    // write to it fails for want of space.
    const wchar_t* full = L"Z:\\dev\\full";
    HANDLE device = CreateFileW(full, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no full device here";
    CloseHandle(device);
    EXPECT_FALSE(CInstallActions::WriteTextFile(full, L"text", false));
    EXPECT_FALSE(CInstallActions::WriteTextFile(full, L"text", true));
}

TEST(XmlTags, TagValueByBareOrBracketedName)
{
    CString value;
    EXPECT_EQ(CInstallActions::GetXmlTagValue(L"<a>x</a><b>y</b>", L"a", value), 3);
    EXPECT_EQ(value, L"x");
    EXPECT_EQ(CInstallActions::GetXmlTagValue(L"<a>x</a><b>y</b>", L"<a>", value), 3);
    EXPECT_EQ(value, L"x");
    EXPECT_EQ(CInstallActions::GetXmlTagValue(L"<a>x</a><b>y</b>", L"b", value), 11);
    EXPECT_EQ(value, L"y");
    EXPECT_EQ(CInstallActions::GetXmlTagValue(L"<a>x</a>", L"c", value), 0);
    EXPECT_EQ(value, L"");
    EXPECT_EQ(CInstallActions::GetXmlTagValue(L"<a>x", L"a", value), 0);
    EXPECT_EQ(value, L"");
    EXPECT_EQ(CInstallActions::GetXmlTagValue(L"</a><a>", L"a", value), 0);
    EXPECT_EQ(CInstallActions::GetXmlTagValue(L"<a></a>", L"a", value), 3);
    EXPECT_EQ(value, L"");
}

TEST(XmlTags, ElementValueInsideAParent)
{
    const CString text = L"<Name>outer</Name><Device>\r\n<Name>inner</Name><Id>7</Id></Device>";
    CString value;
    EXPECT_TRUE(CInstallActions::GetXmlElementValue(text, L"Device", L"Name", value));
    EXPECT_EQ(value, L"inner");
    EXPECT_TRUE(CInstallActions::GetXmlElementValue(text, L"Device", L"Id", value));
    EXPECT_EQ(value, L"7");
    EXPECT_TRUE(CInstallActions::GetXmlElementValue(text, L"Name", L"", value));
    EXPECT_EQ(value, L"outer");
    EXPECT_FALSE(CInstallActions::GetXmlElementValue(text, L"Missing", L"Name", value));
    EXPECT_EQ(value, L"");
    EXPECT_FALSE(CInstallActions::GetXmlElementValue(text, L"Device", L"Serial", value));
    EXPECT_FALSE(CInstallActions::GetXmlElementValue(L"<Open>no end", L"Open", L"", value));
    // A child right after its parent's tag.
    EXPECT_TRUE(CInstallActions::GetXmlElementValue(L"<P><C>v</C></P>", L"P", L"C", value));
    EXPECT_EQ(value, L"v");
}

}  // namespace
