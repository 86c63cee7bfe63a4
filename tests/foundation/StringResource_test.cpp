// Resource strings: loading texts of any length, and the placeholder rules.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_StringResource.h"
#include "foundation/win/WIN_Exception.h"

#include "tests/foundation/RaisePoint.h"

#include <gtest/gtest.h>

namespace {

const char here[] = "StringResource_test";

// The texts of ids 1000 + n are n letters a, b, c, ... repeating.
std::string Letters(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

std::string Formatted(unsigned id, const glo::FormatArgs_t& args)
{
    return glo::StringResource_t(id, here, 1).Format(args, here, 2);
}

void ExpectFormatAssert(unsigned id, const glo::FormatArgs_t& args)
{
    const glo::StringResource_t text(id, here, 1);
    ExpectRaise<glo::Assert_t>([&] { text.Format(args, here, 77); }, here, 77);
}

} // namespace

TEST(StringResource, LoadsTextsAroundTheBufferSizesWhole)
{
    for (int length : {1, 253, 254, 255, 256, 257, 510, 511, 512, 513, 1000}) {
        SCOPED_TRACE(length);
        const unsigned id = 1000 + length;
        const glo::StringResource_t text(id, here, __LINE__);
        EXPECT_EQ(id, text.GetId());
        EXPECT_EQ(Letters(length), text.GetText());
        EXPECT_EQ(Letters(length), glo::LoadString(id, here, __LINE__));
    }
}

TEST(StringResource, MissingTextRaisesAtTheCallersPosition)
{
    // 60000 lies in a block of the table that holds no text at all.
    const auto error = ExpectRaise<win::Error_t>([] { glo::StringResource_t(60000, here, 41); }, here, 41);
    ASSERT_TRUE(error);
    EXPECT_EQ(static_cast<unsigned long>(ERROR_RESOURCE_NAME_NOT_FOUND), error->GetCode());
    EXPECT_EQ(win::GetErrorText(ERROR_RESOURCE_NAME_NOT_FOUND), error->what());

    const auto plain = ExpectRaise<glo::Exception_t>([] { glo::LoadString(60000, here, 42); }, here, 42);
    ASSERT_TRUE(plain);
    EXPECT_EQ(win::GetErrorText(ERROR_RESOURCE_NAME_NOT_FOUND), plain->what());

    // 999 shares its block with 1001: its text is empty, which counts as missing.
    ExpectRaise<win::Error_t>([] { glo::StringResource_t(999, here, 43); }, here, 43);
    ExpectRaise<glo::Exception_t>([] { glo::LoadString(999, here, 44); }, here, 44);
}

TEST(StringResource, FixedBuffersTakeWhatFits)
{
    char buffer[8];
    EXPECT_EQ(7, glo::LoadStringBuffer(buffer, sizeof buffer, 1253, here, 1));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_EQ(1, glo::StringResource_t(1001, here, 1).LoadFixed(buffer, sizeof buffer, here, 1));
    EXPECT_STREQ("a", buffer);

    ExpectRaise<glo::Exception_t>([&] { glo::LoadStringBuffer(buffer, sizeof buffer, 999, here, 51); },
                                  here, 51);
}

TEST(StringResource, FillsPlaceholders)
{
    EXPECT_EQ("100%", Formatted(3000, {}));                   // "100%%"
    EXPECT_EQ("x and x", Formatted(3002, {"x"}));             // "%0 and %0"
    EXPECT_EQ("B before A", Formatted(3007, {"A", "B"}));     // "%1 before %0"
    EXPECT_EQ("no placeholders", Formatted(3004, {}));
    // Text inside an argument is never taken for a placeholder.
    EXPECT_EQ("%1 and %1", Formatted(3002, {"%1"}));
    EXPECT_EQ("Please enter no more than 35 characters.",
              glo::StringResource_t(4100, here, 1).FormatArg("35", here, 1));
    // The loaded text itself stays as it was.
    const glo::StringResource_t text(3002, here, 1);
    text.Format({"x"}, here, 1);
    EXPECT_EQ("%0 and %0", text.GetText());
}

TEST(StringResource, MalformedPlaceholdersAssertAtTheCallersPosition)
{
    ExpectFormatAssert(3001, {"x"});      // "%%0": a percent sign and 0, argument unused
    ExpectFormatAssert(3003, {"A"});      // "%10": index 1 out of range
    ExpectFormatAssert(3003, {"A", "B"}); // "%10": "B0", argument 0 unused
    ExpectFormatAssert(3005, {"x"});      // "%a": a letter is no index
    ExpectFormatAssert(3006, {});         // a single percent sign at the end
    ExpectFormatAssert(3004, {"x"});      // an argument that no placeholder uses
    ExpectFormatAssert(3002, {});         // a placeholder without argument
}

TEST(FormatString, FillsInPlace)
{
    std::string text = "%1 before %0, 100%%";
    glo::FormatString(text, {"A", "B"}, here, 1);
    EXPECT_EQ("B before A, 100%", text);

    text = "%%0";
    ExpectRaise<glo::Assert_t>([&] { glo::FormatString(text, {"x"}, here, 61); }, here, 61);
    EXPECT_EQ("%0", text); // the two percent signs became one before the check failed
}

TEST(FormatString, OutOfRangeIndexesAssertAtTheLibrarysPosition)
{
    std::string text = "%1";
    ExpectRaise<glo::Assert_t>([&] { glo::FormatString(text, {"x"}, here, 1); }, "GLO_StringResource", 184);
    text = "%x";
    ExpectRaise<glo::Assert_t>([&] { glo::FormatString(text, {"x"}, here, 1); }, "GLO_StringResource", 184);
    text = "end %";
    ExpectRaise<glo::Assert_t>([&] { glo::FormatString(text, {}, here, 71); }, here, 71);
    text = "unused";
    ExpectRaise<glo::Assert_t>([&] { glo::FormatString(text, {"x"}, here, 72); }, here, 72);
}

TEST(StringResource, ResourceModuleIsTheProgramsOwn)
{
    EXPECT_EQ(::GetModuleHandleA(nullptr), glo::GetResourceInstance());
}
