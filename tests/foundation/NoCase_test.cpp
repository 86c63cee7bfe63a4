// Case-insensitive comparison, in single-byte and double-byte code pages.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_Locale.h"
#include "foundation/glo/GLO_NoCase.h"

#include "tests/foundation/RaisePoint.h"

#include <gtest/gtest.h>

#include <mbctype.h>

namespace {

const std::locale& classic = std::locale::classic();

// Switches the runtime's multi-byte code page for one test.
class MultiByteCodePage_t {
public:
    explicit MultiByteCodePage_t(int codePage) : previous(::_getmbcp()) { ok = ::_setmbcp(codePage) == 0; }
    ~MultiByteCodePage_t() { ::_setmbcp(previous); }
    bool ok;

private:
    int previous;
};

} // namespace

TEST(NoCase, ComparesSingleBytesByTheirUpperCase)
{
    EXPECT_TRUE(glo::NoCaseCompare("ABC", "abc", classic));
    EXPECT_TRUE(glo::NoCaseCompare("", "", classic));
    EXPECT_FALSE(glo::NoCaseCompare("abc", "abcd", classic));
    EXPECT_FALSE(glo::NoCaseCompare("abc", "abd", classic));
    EXPECT_TRUE(glo::NoCaseEqual(classic, "SQA", "sqa"));
    EXPECT_TRUE(glo::NoCaseEqual(classic, "user", "USER"));
    EXPECT_FALSE(glo::NoCaseEqual(classic, "user", "users"));

    // Letters beyond ASCII follow the locale: not the classic one, but a code page's.
    EXPECT_FALSE(glo::NoCaseCompare("caf\xE9", "CAF\xC9", classic));
    EXPECT_TRUE(glo::NoCaseCompare("caf\xE9", "CAF\xC9", glo::GetLocaleByParts("ENU", "United States", 1252)));
}

TEST(NoCase, ComparesDoubleByteCharactersExactly)
{
    MultiByteCodePage_t japanese(932);
    if (!japanese.ok)
        GTEST_SKIP() << "code page 932 is not available";
    // "\x82\xa0" and "\x82\xa1" are two characters of two bytes each.
    EXPECT_TRUE(glo::NoCaseCompare("a\x82\xa0", "A\x82\xa0", classic));
    EXPECT_FALSE(glo::NoCaseCompare("\x82\xa0", "\x82\xa1", classic));
    // Two bytes against two single-byte characters: the counts differ.
    EXPECT_FALSE(glo::NoCaseCompare("\x82\xa0", "ab", classic));
    // The same count, but a double-byte character against a single byte.
    EXPECT_FALSE(glo::NoCaseCompare("\x82\xa0z", "az", classic));
    // A text that ends inside a character.
    ExpectRaise<glo::Assert_t>([] { glo::NoCaseCompare("a\x82", "ab", classic); }, "GLO_NoCase", 288);
    ExpectRaise<glo::Assert_t>([] { glo::NoCaseCompare("ab", "a\x82", classic); }, "GLO_NoCase", 291);
}
