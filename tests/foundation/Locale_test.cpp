// Locale keys and names, the locale cache, code pages and the system's default locale.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_Locale.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_Locale.h"

#include "tests/foundation/RaisePoint.h"

#include <gtest/gtest.h>

namespace {

const char localeFile[] = "WIN_Locale";

unsigned char Upper(unsigned char c, const std::locale& locale)
{
    return static_cast<unsigned char>(std::use_facet<std::ctype<char>>(locale).toupper(static_cast<char>(c)));
}

bool IsAlpha(unsigned char c, const std::locale& locale)
{
    return std::isalpha(static_cast<char>(c), locale);
}

} // namespace

TEST(LocaleKey, NamesAsTheRuntimeNamesLocales)
{
    EXPECT_EQ("ENU_United States.1252", glo::LocaleName(glo::LocaleKey_t("ENU", "United States", 1252)));
    EXPECT_EQ("ENU", glo::LocaleName(glo::LocaleKey_t("ENU", "", 1252)));
    EXPECT_EQ(".1252", glo::LocaleName(glo::LocaleKey_t("", "United States", 1252)));
}

TEST(LocaleKey, OrdersByCodePageThenLanguageThenCountry)
{
    const glo::LocaleKey_t a("ZZZ", "Z", 1252);
    const glo::LocaleKey_t b("AAA", "A", 1253);
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(b < a);
    // Code pages compare as unsigned numbers.
    EXPECT_TRUE(glo::LocaleKey_t("A", "", 1252) < glo::LocaleKey_t("A", "", -1));
    EXPECT_TRUE(glo::LocaleKey_t("AAA", "Z", 1252) < glo::LocaleKey_t("BBB", "A", 1252));
    EXPECT_TRUE(glo::LocaleKey_t("AAA", "A", 1252) < glo::LocaleKey_t("AAA", "B", 1252));
    EXPECT_FALSE(glo::LocaleKey_t("AAA", "A", 1252) < glo::LocaleKey_t("AAA", "A", 1252));
}

TEST(Locale, KnownLocalesAreMadeOnceWithTheirCodePagesCase)
{
    const std::locale& english = glo::GetLocaleByParts("ENU", "United States", 1252);
    EXPECT_EQ(&english, &glo::GetLocale(glo::LocaleKey_t("ENU", "United States", 1252)));
    EXPECT_EQ('A', Upper('a', english));
    EXPECT_EQ(0xC9, Upper(0xE9, english)); // e acute
    EXPECT_TRUE(IsAlpha(0xE9, english));
    EXPECT_FALSE(IsAlpha(0xE9, std::locale::classic()));
    EXPECT_TRUE(std::isdigit('7', english));
    EXPECT_TRUE(std::isspace(' ', english));
    EXPECT_FALSE(std::isprint('\t', english));
    EXPECT_EQ('z', std::tolower('Z', english));

    const std::locale& russian = glo::GetLocaleByParts("RUS", "Russia", 1251);
    EXPECT_EQ(0xC0, Upper(0xE0, russian)); // Cyrillic a
    EXPECT_TRUE(IsAlpha(0xE0, russian));

    // A language alone, and a code page alone.
    EXPECT_EQ('A', Upper('a', glo::GetLocaleByParts("ENU", "", 1252)));
    EXPECT_EQ(0xC9, Upper(0xE9, glo::GetLocaleByParts("", "", 1252)));
}

TEST(Locale, DoubleByteCodePagesLeaveLeadBytesAlone)
{
    const std::locale& japanese = glo::GetLocaleByParts("JPN", "Japan", 932);
    EXPECT_EQ('A', Upper('a', japanese));
    EXPECT_EQ(0x82, Upper(0x82, japanese)); // a lead byte
    EXPECT_FALSE(IsAlpha(0x82, japanese));
    EXPECT_TRUE(win::IsMultiByteLocale(japanese));
}

TEST(Locale, UnknownLocalesRaiseWithTheirNameAndAreNotKept)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto error = ExpectRaise<glo::LocaleDoesNotExist_t>(
            [] { glo::GetLocaleByParts("XYZ", "Nowhere", 1252); }, "GLO_Locale", 58);
        ASSERT_TRUE(error);
        EXPECT_STREQ("XYZ_Nowhere.1252", error->what());
    }
    auto codePage = ExpectRaise<glo::LocaleDoesNotExist_t>(
        [] { glo::GetLocaleByParts("ENU", "United States", 12345); }, "GLO_Locale", 58);
    ASSERT_TRUE(codePage);
    EXPECT_STREQ("ENU_United States.12345", codePage->what());
    ExpectRaise<glo::LocaleDoesNotExist_t>([] { glo::GetLocaleByParts("ENU", "Nowhere", 1252); },
                                           "GLO_Locale", 58);
}

TEST(CodePage, MultiByteCodePagesAndLocales)
{
    EXPECT_FALSE(win::IsMultiByteCodePage(1252));
    EXPECT_TRUE(win::IsMultiByteCodePage(932));
    EXPECT_FALSE(win::IsMultiByteCodePage(65001)); // several bytes, but no lead-byte ranges
    EXPECT_EQ(1u, win::GetCodePageInfo(1252).MaxCharSize);
    ExpectRaise<win::Error_t>([] { win::GetCodePageInfo(12345); }, localeFile, 138);

    EXPECT_FALSE(win::IsMultiByteLocale(std::locale::classic()));
    EXPECT_FALSE(win::IsMultiByteLocale(glo::GetLocaleByParts("ENU", "United States", 1252)));
    EXPECT_TRUE(win::IsMultiByteLocale(glo::GetLocaleByParts("", "", 932)));
    ExpectRaise<win::NoCodePageSpecified_t>(
        [] { win::IsMultiByteLocale(glo::GetLocaleByParts("ENU", "", 1252)); }, localeFile, 165);
}

TEST(CodePage, LeadingIntegers)
{
    EXPECT_EQ(1252, win::ToInt("1252"));
    EXPECT_EQ(932, win::ToInt("932 and more"));
    EXPECT_EQ(-4, win::ToInt("-4"));
    ExpectRaise<glo::Assert_t>([] { win::ToInt("code page"); }, localeFile, 40);
    ExpectRaise<glo::Assert_t>([] { win::ToInt(""); }, localeFile, 40);
}

TEST(LocaleInfo, TextsOfTheSystem)
{
    EXPECT_EQ("ENU", win::GetLocaleInfoString(0x409, LOCALE_SABBREVLANGNAME));
    EXPECT_EQ("United States", win::GetLocaleInfoString(0x409, LOCALE_SENGCOUNTRY));
    EXPECT_EQ("1252", win::GetLocaleInfoString(0x409, LOCALE_IDEFAULTANSICODEPAGE));
    ExpectRaise<win::Error_t>([] { win::GetLocaleInfoString(0x409, 0xFFFF); }, localeFile, 87);
}

TEST(SystemDefaultLocale, IsTheLocaleOfTheSystemsDefaultLcid)
{
    const LCID lcid = ::GetSystemDefaultLCID();
    const glo::LocaleKey_t& key = win::SystemDefaultLocaleKey();
    EXPECT_EQ(win::GetLocaleInfoString(lcid, LOCALE_SABBREVLANGNAME), key.GetLanguage());
    EXPECT_EQ(win::GetLocaleInfoString(lcid, LOCALE_SENGCOUNTRY), key.GetCountry());
    EXPECT_EQ(static_cast<int>(::GetACP()), key.GetCodePage());
    EXPECT_EQ(glo::LocaleName(key), win::SystemDefaultLocaleName());
    EXPECT_TRUE(win::SystemDefaultLocale() == glo::GetLocale(key));
    EXPECT_EQ(&key, &win::SystemDefaultLocaleKey());
    EXPECT_EQ('A', Upper('a', win::SystemDefaultLocale()));
}
