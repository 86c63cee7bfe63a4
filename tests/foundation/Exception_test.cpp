// The exception family: what each exception carries, and the system's error texts.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>

namespace {

const char thisFile[] = "Exception_test";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWithLineEnd(const std::string& text)
{
    return !text.empty() && text.back() == '\n';
}

template <class E>
void ExpectSameIdentity(const E& original, const E& copy)
{
    EXPECT_EQ(original.GetFile(), copy.GetFile()); // the same pointer, not an equal text
    EXPECT_EQ(original.GetLine(), copy.GetLine());
    EXPECT_STREQ(original.what(), copy.what());
}

} // namespace

TEST(Exception, CarriesFileLineAndMessage)
{
    glo::Exception_t e(thisFile, 12, "message text");
    EXPECT_EQ(thisFile, e.GetFile());
    EXPECT_EQ(12, e.GetLine());
    EXPECT_STREQ("message text", e.what());
    const std::exception& base = e;
    EXPECT_STREQ("message text", base.what());
}

TEST(Exception, MessagelessKindsHaveAnEmptyTextAndAreToldApartByTypeFileAndLine)
{
    try {
        throw glo::OutOfRange_t(thisFile, 3);
    } catch (const glo::Assert_t&) {
        FAIL() << "an out-of-range value is not an assertion";
    } catch (const glo::Exception_t& e) {
        EXPECT_NE(nullptr, dynamic_cast<const glo::OutOfRange_t*>(&e));
        EXPECT_STREQ("", e.what());
        EXPECT_EQ(3, e.GetLine());
    }
    EXPECT_STREQ("", glo::Assert_t(thisFile, 1).what());
    EXPECT_STREQ("", win::NoCodePageSpecified_t(thisFile, 2).what());
    EXPECT_STREQ("de_XX", glo::LocaleDoesNotExist_t(thisFile, 4, "de_XX").what());
}

TEST(Exception, ThrowIfFalseThrowsAnAssertionOfTheGivenPlace)
{
    EXPECT_NO_THROW(glo::ThrowIfFalse(true, thisFile, 20));
    try {
        glo::ThrowIfFalse(false, thisFile, 21);
        FAIL() << "no assertion";
    } catch (const glo::Assert_t& e) {
        EXPECT_EQ(thisFile, e.GetFile());
        EXPECT_EQ(21, e.GetLine());
        EXPECT_STREQ("", e.what());
    }
}

TEST(Exception, FileExceptionsCarryTheFileName)
{
    win::FileNotFound_t notFound(thisFile, 5, "C:\\x\\a.kiv");
    EXPECT_EQ("C:\\x\\a.kiv", notFound.GetFileName());
    glo::FileError_t fileError(thisFile, 6, "b.kiv");
    EXPECT_EQ("b.kiv", fileError.GetFileName());
    glo::FileError_t copy(fileError);
    ExpectSameIdentity(fileError, copy);
    EXPECT_EQ("b.kiv", copy.GetFileName());
}

TEST(ErrorText, IsTheSystemsTextWithItsLineEnd)
{
    const std::string notFound = win::GetErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_NE(std::string::npos, Lower(notFound).find("file")) << notFound;
    EXPECT_TRUE(EndsWithLineEnd(notFound)) << notFound;
    EXPECT_NE(notFound, win::GetErrorText(ERROR_ACCESS_DENIED));
}

TEST(ErrorText, ACodeWithoutTextIsAnAssertionOfWinException105)
{
    try {
        win::GetErrorText(0x2000FFFF);
        FAIL() << "no assertion";
    } catch (const glo::Assert_t& e) {
        EXPECT_STREQ("WIN_Exception", e.GetFile());
        EXPECT_EQ(105, e.GetLine());
    }
    // Building a Windows error for such a code throws that assertion in its place.
    EXPECT_THROW(win::Error_t(thisFile, 1, 0x2000FFFF), glo::Assert_t);
}

TEST(ErrorText, LastErrorTextFallsBackToAFixedText)
{
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::GetErrorText(ERROR_ACCESS_DENIED), glo::GetLastErrorText());
    SetLastError(0x2000FFFF);
    EXPECT_EQ("Unable to get error text", glo::GetLastErrorText());
}

TEST(WindowsError, TakesTheLastErrorValueWhenNoCodeIsGiven)
{
    SetLastError(ERROR_ACCESS_DENIED);
    win::Error_t e(thisFile, 30);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), e.GetCode());
    EXPECT_EQ(win::GetErrorText(ERROR_ACCESS_DENIED), e.what());

    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_FILE_NOT_FOUND),
              win::FileError_t(thisFile, 31).GetCode());
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_NOT_ENOUGH_MEMORY),
              win::MappedFileError_t(thisFile, 32).GetCode());
}

TEST(WindowsError, CodeZeroKeepsTheSystemsSuccessText)
{
    win::Error_t e(thisFile, 40, 0);
    EXPECT_EQ(0u, e.GetCode());
    EXPECT_EQ(win::GetErrorText(0), e.what());
    EXPECT_FALSE(std::string(e.what()).empty());
}

TEST(WindowsError, RegistryErrorKeepsTheLineEndBeforeTheKeyName)
{
    win::RegError_t e(thisFile, 50, "Settings", ERROR_FILE_NOT_FOUND);
    const std::string systemText = win::GetErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(systemText + "; Reg name: Settings", e.what());
    EXPECT_TRUE(EndsWithLineEnd(systemText));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_FILE_NOT_FOUND), e.GetCode());
}

TEST(WindowsError, CopiesKeepFileLineMessageAndCode)
{
    win::RegError_t original(thisFile, 60, "OEM", ERROR_ACCESS_DENIED);
    try {
        throw original;
    } catch (const win::Error_t& caught) {
        ExpectSameIdentity<glo::Exception_t>(original, caught);
        EXPECT_EQ(original.GetCode(), caught.GetCode());
    }
    glo::Assert_t assertion(thisFile, 61);
    glo::Assert_t copy(assertion);
    ExpectSameIdentity(assertion, copy);
}
