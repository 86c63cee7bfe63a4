// Version resources: of this test program (one translation) and of test
// modules with two translations and with none.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_FileVerInfo.h"
#include "foundation/win/WIN_Locale.h"

#include "tests/foundation/RaisePoint.h"
#include "tests/foundation/TestModuleHooks.h"

#include <gtest/gtest.h>

namespace {
const char verFile[] = "WIN_FileVerInfo";
}

TEST(FileVerInfo, OneTranslationAndTheFixedVersion)
{
    const win::FileVerInfo_t info(TestProgramFileTitle());
    EXPECT_EQ(TestProgramFileTitle(), info.GetPath());
    EXPECT_EQ(0x04E40409u, info.GetTranslation()); // US English, code page 1252
    const std::array<int, 4> expected{2, 3, 40, 5};
    EXPECT_EQ(expected, info.GetFileVersion());
}

TEST(FileVerInfo, TwoTranslationsAssert)
{
    const win::FileVerInfo_t info("two_translations.dll");
    ExpectRaise<glo::Assert_t>([&] { info.GetTranslation(); }, verFile, 85);
    const std::array<int, 4> expected{1, 0, 0, 0};
    EXPECT_EQ(expected, info.GetFileVersion());
}

TEST(FileVerInfo, NoTranslationAsserts)
{
    const win::FileVerInfo_t info("no_translation.dll");
    ExpectRaise<glo::Assert_t>([&] { info.GetTranslation(); }, verFile, 82);
}

TEST(FileVerInfo, FilesWithoutVersionResourceRaise)
{
    auto missing = ExpectRaise<win::Error_t>([] { win::FileVerInfo_t("missing_module.dll"); }, verFile, 29);
    ASSERT_TRUE(missing);
    EXPECT_NE(0u, missing->GetCode());
}

TEST(ModuleLanguage, IsTheProgramFilesOneTranslation)
{
    EXPECT_EQ(0x409, win::ModuleLanguage());
    EXPECT_FALSE(win::IsModuleCodePageMultiByte());
}
