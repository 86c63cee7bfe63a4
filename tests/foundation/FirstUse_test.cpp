// Program-wide objects are built on first use, and a building that fails is
// tried again at the next use. Each test here makes the first use of its object.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_ModuleHooks.h"
#include "foundation/glo/GLO_StringResource.h"
#include "foundation/win/WIN_CompanyKeys.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_Locale.h"

#include "tests/foundation/RaisePoint.h"
#include "tests/foundation/TestModuleHooks.h"
#include "tests/foundation/TestRegistryKey.h"

#include <gtest/gtest.h>

namespace {

HMODULE NoModule()
{
    return nullptr;
}

const std::string& MissingFileTitle()
{
    static const std::string title = "missing_program.exe";
    return title;
}

// Makes HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this process subkeys of
// the test key, so that the maker's keys below them are the test's own.
class RedirectedRoots_t {
public:
    RedirectedRoots_t()
    {
        test.CreateSubKey("CU");
        test.CreateSubKey("LM");
        Override(HKEY_CURRENT_USER, "CU");
        Override(HKEY_LOCAL_MACHINE, "LM");
    }
    ~RedirectedRoots_t()
    {
        ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    }

    TestRegistryKey_t test;

private:
    void Override(HKEY root, const char* name)
    {
        HKEY target = nullptr;
        ::RegOpenKeyExA(test.Get(), name, 0, KEY_ALL_ACCESS, &target);
        ::RegOverridePredefKey(root, target);
        ::RegCloseKey(target);
    }
};

} // namespace

TEST(FirstUse, ResourceModuleIsTakenAgainUntilTheApplicationNamesOne)
{
    glo::SetModuleHooks(glo::ModuleHooks_t());
    ExpectRaise<glo::Assert_t>([] { glo::GetResourceInstance(); }, "GLO_StringResource", 103);
    glo::ModuleHooks_t hooks;
    hooks.programModule = NoModule;
    glo::SetModuleHooks(hooks);
    ExpectRaise<glo::Assert_t>([] { glo::LoadString(1001, "FirstUse_test", 1); }, "GLO_StringResource", 103);

    glo::SetModuleHooks(TestProgramHooks());
    EXPECT_EQ(::GetModuleHandleA(nullptr), glo::GetResourceInstance());
    EXPECT_EQ("a", glo::LoadString(1001, "FirstUse_test", 1));
}

TEST(FirstUse, ModuleLanguageIsReadAgainAfterAFailedRead)
{
    glo::ModuleHooks_t hooks = TestProgramHooks();
    hooks.programFileTitle = MissingFileTitle;
    glo::SetModuleHooks(hooks);
    ExpectRaise<win::Error_t>([] { win::ModuleLanguage(); }, "WIN_FileVerInfo", 29);
    ExpectRaise<win::Error_t>([] { win::IsModuleCodePageMultiByte(); }, "WIN_FileVerInfo", 29);

    glo::SetModuleHooks(TestProgramHooks());
    EXPECT_EQ(0x409, win::ModuleLanguage());
    EXPECT_FALSE(win::IsModuleCodePageMultiByte());
}

TEST(FirstUse, CompanyKeysAreOpenedAgainAfterAFailedOpening)
{
    RedirectedRoots_t roots;
    // The machine's company key is opened read-only: it must exist.
    auto missing = ExpectRaise<win::RegError_t>([] { win::LocalMachineCompanyKey(); }, "WIN_RegKey", 524);
    ASSERT_TRUE(missing);
    EXPECT_EQ(2u, missing->GetCode());
    EXPECT_EQ(win::GetErrorText(2) + "; Reg name: Software", missing->what());

    roots.test.CreateSubKey("LM\\Software\\Quorel");
    EXPECT_EQ("Quorel", win::LocalMachineCompanyKey().GetName());
    EXPECT_EQ(&win::LocalMachineCompanyKey(), &win::LocalMachineCompanyKey());

    // The user's company key is created when missing.
    EXPECT_FALSE(roots.test.Exists("CU\\Software\\Quorel"));
    EXPECT_EQ("Quorel", win::CurrentUserCompanyKey().GetName());
    EXPECT_TRUE(roots.test.Exists("CU\\Software\\Quorel"));
}

TEST(FirstUse, SystemDefaultLocaleIsMadeOnce)
{
    const std::locale& first = win::SystemDefaultLocale();
    EXPECT_EQ(&first, &win::SystemDefaultLocale());
    EXPECT_EQ(&win::SystemDefaultLocaleName(), &win::SystemDefaultLocaleName());
}
