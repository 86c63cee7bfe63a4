// The command line's switch "user", and the settings value "OEM" as the
// start-up reads it.
#include "editor/shell/CommandLineInfo.h"
#include "editor/shell/Settings.h"
#include "foundation/win/WIN_Exception.h"

#include <gtest/gtest.h>

namespace {

app::CommandLineInfo_t Parse(const std::vector<std::pair<std::string, bool>>& params)
{
    app::CommandLineInfo_t info;
    for (std::size_t i = 0; i < params.size(); ++i)
        info.ParseParam(params[i].first.c_str(), params[i].second, i + 1 == params.size());
    return info;
}

// A key of the test's own under HKEY_CURRENT_USER, removed at the end.
class SettingsKey : public ::testing::Test {
protected:
    SettingsKey() : path("Software\\KivShellTest" + std::to_string(::GetCurrentProcessId()))
    {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    }
    ~SettingsKey() override
    {
        ::RegCloseKey(key);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    }

    void SetOem(DWORD type, const void* data, DWORD size)
    {
        ::RegSetValueExA(key, "OEM", 0, type, static_cast<const BYTE*>(data), size);
    }
    win::RegKey_t Opened() const
    {
        return win::RegKey_t(win::RegKey_t(HKEY_CURRENT_USER, "HKEY_CURRENT_USER"), path,
                             win::RegKey_t::KeyReader_t());
    }

    std::string path;
    HKEY key = nullptr;
};

} // namespace

TEST(CommandLine, UserSwitchInAnyCase)
{
    EXPECT_TRUE(Parse({{"user", true}}).IsUser());
    EXPECT_TRUE(Parse({{"USER", true}}).IsUser());
    EXPECT_TRUE(Parse({{"uSeR", true}}).IsUser());
    EXPECT_FALSE(Parse({}).IsUser());
    EXPECT_FALSE(Parse({{"users", true}}).IsUser());
    EXPECT_FALSE(Parse({{"use", true}}).IsUser());
}

TEST(CommandLine, TheWordUserWithoutASwitchIsAFileName)
{
    const app::CommandLineInfo_t info = Parse({{"user", false}});
    EXPECT_FALSE(info.IsUser());
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_EQ("user", std::string(info.m_strFileName.GetString()));
}

TEST(CommandLine, TheSwitchStillReachesTheFrameworksParser)
{
    const app::CommandLineInfo_t info = Parse({{"user", true}, {"C:\\lists\\a.kiv", false}});
    EXPECT_TRUE(info.IsUser());
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_EQ("C:\\lists\\a.kiv", std::string(info.m_strFileName.GetString()));
    const app::CommandLineInfo_t none = Parse({{"user", true}});
    EXPECT_EQ(CCommandLineInfo::FileNew, none.m_nShellCommand);
    EXPECT_TRUE(none.m_strFileName.IsEmpty());
}

TEST_F(SettingsKey, OnlyThePresenceOfOemCounts)
{
    EXPECT_FALSE(app::Settings_t(Opened()).GetOem().HasValue());
    const BYTE zero = 0;
    SetOem(REG_BINARY, &zero, 1);
    EXPECT_TRUE(app::Settings_t(Opened()).GetOem().HasValue());
    const BYTE one = 1;
    SetOem(REG_BINARY, &one, 1);
    EXPECT_TRUE(app::Settings_t(Opened()).GetOem().HasValue());
}

TEST_F(SettingsKey, AnOemValueOfTheWrongTypeOrSizeIsARegistryError)
{
    const DWORD number = 1;
    SetOem(REG_DWORD, &number, sizeof number);
    EXPECT_THROW(app::Settings_t settings(Opened()), win::RegError_t);
    const BYTE two[2] = {1, 1};
    SetOem(REG_BINARY, two, 2);
    EXPECT_THROW(app::Settings_t settings(Opened()), win::RegError_t);
}
