// Registry keys and values, on the test's own key in the prefix's registry.
#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_CompanyKeys.h"
#include "foundation/win/WIN_ConstRegValue.h"
#include "foundation/win/WIN_Exception.h"
#include "foundation/win/WIN_RegKey.h"

#include "tests/foundation/RaisePoint.h"
#include "tests/foundation/TestRegistryKey.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

using win::RegKey_t;

const char regFile[] = "WIN_RegKey";

class Registry : public ::testing::Test {
protected:
    Registry() : root(HKEY_CURRENT_USER, "HKEY_CURRENT_USER"), key(root, test.GetPath(), RegKey_t::KeyReader_t()) {}

    std::string RegText(unsigned long code, const std::string& name) const
    {
        return win::GetErrorText(code) + "; Reg name: " + name;
    }

    TestRegistryKey_t test;
    RegKey_t root;
    RegKey_t key;
};

bool IsOpen(HKEY key)
{
    DWORD count = 0;
    return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

} // namespace

TEST_F(Registry, OpensPathsLevelByLevelNamedByTheLastPart)
{
    EXPECT_EQ(test.GetName(), key.GetName());
    const RegKey_t created(key, "Software\\Quorel\\", RegKey_t::KeyCreator_t());
    EXPECT_EQ("Quorel", created.GetName());
    EXPECT_TRUE(test.Exists("Software\\Quorel"));

    const RegKey_t deep(key, "A\\B\\C", RegKey_t::KeyCreator_t());
    EXPECT_EQ("C", deep.GetName());
    EXPECT_TRUE(test.Exists("A\\B\\C"));
    const RegKey_t read(key, "A\\B\\C", RegKey_t::KeyReader_t());
    EXPECT_EQ("C", read.GetName());
}

TEST_F(Registry, ReaderOpensForReadingAndCreatorForWriting)
{
    test.CreateSubKey("Existing");
    const RegKey_t read(key, "Existing", RegKey_t::KeyReader_t());
    const DWORD one = 1;
    EXPECT_EQ(ERROR_ACCESS_DENIED, ::RegSetValueExA(read.GetHKey(), "v", 0, REG_DWORD,
                                                    reinterpret_cast<const BYTE*>(&one), 4));
    const RegKey_t written(key, "Existing", RegKey_t::KeyCreator_t());
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(written.GetHKey(), "v", 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&one), 4));
}

TEST_F(Registry, MissingKeyNamesTheFirstMissingLevel)
{
    test.CreateSubKey("Here");
    const auto error = ExpectRaise<win::RegError_t>(
        [&] { RegKey_t(key, "Here\\Missing\\Deeper", RegKey_t::KeyReader_t()); }, regFile, 524);
    ASSERT_TRUE(error);
    EXPECT_EQ(2u, error->GetCode());
    EXPECT_EQ(RegText(2, "Missing"), error->what());
    // The system text keeps its line end before the key name.
    EXPECT_NE(std::string::npos, std::string(error->what()).find("\n; Reg name: Missing"));
}

TEST_F(Registry, BadlyFormedPathsAssert)
{
    ExpectRaise<glo::Assert_t>([&] { RegKey_t(key, "", RegKey_t::KeyCreator_t()); }, regFile, 159);
    ExpectRaise<glo::Assert_t>([&] { RegKey_t(key, "\\Lead", RegKey_t::KeyCreator_t()); }, regFile, 159);
    EXPECT_FALSE(test.Exists("Lead"));
    // The levels before two backslashes in a row are opened (here: created) first.
    ExpectRaise<glo::Assert_t>([&] { RegKey_t(key, "First\\\\Second", RegKey_t::KeyCreator_t()); },
                               regFile, 159);
    EXPECT_TRUE(test.Exists("First"));
    EXPECT_FALSE(test.Exists("Second"));
}

TEST_F(Registry, CountsAndEnumerates)
{
    for (const char* name : {"K1", "K2", "K3"})
        test.CreateSubKey(name);
    const DWORD value = 7;
    test.SetValue("first", REG_DWORD, &value, 4);
    test.SetValue("second value", REG_SZ, "text", 5);

    EXPECT_EQ(3u, key.GetSubKeyCount());
    EXPECT_EQ(2u, key.GetValueCount());
    const std::set<std::string> names{key.GetValueName(0), key.GetValueName(1)};
    EXPECT_EQ((std::set<std::string>{"first", "second value"}), names);
    ExpectRaise<glo::Assert_t>([&] { key.GetValueName(2); }, regFile, 185);

    std::set<std::string> keys;
    for (unsigned i = 0; i < 3; ++i) {
        const RegKey_t read(key, i, RegKey_t::KeyReader_t());
        const RegKey_t created(key, i, RegKey_t::KeyCreator_t());
        EXPECT_EQ(read.GetName(), created.GetName());
        keys.insert(read.GetName());
    }
    EXPECT_EQ((std::set<std::string>{"K1", "K2", "K3"}), keys);
    ExpectRaise<glo::Assert_t>([&] { RegKey_t(key, 3u, RegKey_t::KeyCreator_t()); }, regFile, 68);
    ExpectRaise<glo::Assert_t>([&] { RegKey_t(key, 3u, RegKey_t::KeyReader_t()); }, regFile, 110);

    EXPECT_TRUE(key.HasValue("first"));
    EXPECT_FALSE(key.HasValue("third"));
}

TEST_F(Registry, QueriesOfADeletedKeyNameIt)
{
    const RegKey_t gone(key, "Gone", RegKey_t::KeyCreator_t());
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteKeyA(test.Get(), "Gone"));
    const DWORD probe = ::RegQueryInfoKeyA(gone.GetHKey(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (probe == ERROR_SUCCESS)
        GTEST_SKIP() << "this platform still answers queries of a deleted key";
    auto subKeys = ExpectRaise<win::RegError_t>([&] { gone.GetSubKeyCount(); }, regFile, 117);
    ASSERT_TRUE(subKeys);
    EXPECT_EQ(probe, subKeys->GetCode());
    EXPECT_EQ(RegText(probe, "Gone"), subKeys->what());
    ExpectRaise<win::RegError_t>([&] { gone.GetValueCount(); }, regFile, 192);
    auto created = ExpectRaise<win::RegError_t>([&] { RegKey_t(gone, "New", RegKey_t::KeyCreator_t()); },
                                                regFile, 469);
    ASSERT_TRUE(created);
    EXPECT_EQ(RegText(created->GetCode(), "New"), created->what());
}

TEST_F(Registry, CopiesShareTheOpenKeyUntilTheLastGoes)
{
    auto first = std::make_unique<RegKey_t>(key, "Shared", RegKey_t::KeyCreator_t());
    const HKEY raw = first->GetHKey();
    auto copy = std::make_unique<RegKey_t>(*first);
    EXPECT_EQ(raw, copy->GetHKey());
    EXPECT_EQ("Shared", copy->GetName());
    first.reset();
    EXPECT_TRUE(IsOpen(raw));
    copy.reset();
    EXPECT_FALSE(IsOpen(raw));
}

TEST_F(Registry, FlagValuesAreOneBinaryByte)
{
    const unsigned char one = 1;
    const unsigned char zero = 0;
    const DWORD number = 1;
    test.SetValue("on", REG_BINARY, &one, 1);
    test.SetValue("off", REG_BINARY, &zero, 1);
    test.SetValue("emptyText", REG_SZ, "", 1);
    test.SetValue("number", REG_DWORD, &number, 4);
    test.SetValue("twoBytes", REG_BINARY, "\1\1", 2);

    const win::ConstRegValue_t<bool> on(key, "on");
    ASSERT_TRUE(on.HasValue());
    EXPECT_TRUE(on.GetValue());
    const win::ConstRegValue_t<bool> off(key, "off");
    ASSERT_TRUE(off.HasValue());
    EXPECT_FALSE(off.GetValue());

    const win::ConstRegValue_t<bool> missing(key, "missing");
    EXPECT_FALSE(missing.HasValue());
    ExpectRaise<glo::Assert_t>([&] { missing.GetValue(); }, "GLO_Optional", 102);

    // One byte of the wrong type: the call succeeded, so the code is 0.
    auto text = ExpectRaise<win::RegError_t>([&] { win::ConstRegValue_t<bool>(key, "emptyText"); },
                                             regFile, 569);
    ASSERT_TRUE(text);
    EXPECT_EQ(0u, text->GetCode());
    EXPECT_EQ(RegText(0, "emptyText"), text->what());
    for (const char* longer : {"number", "twoBytes"}) {
        auto more = ExpectRaise<win::RegError_t>([&] { win::ConstRegValue_t<bool>(key, longer); },
                                                 regFile, 569);
        ASSERT_TRUE(more);
        EXPECT_EQ(234u, more->GetCode()); // ERROR_MORE_DATA
    }
}

TEST_F(Registry, FlagValuesAreReadOnce)
{
    const unsigned char one = 1;
    const unsigned char zero = 0;
    test.SetValue("flag", REG_BINARY, &one, 1);
    const win::ConstRegValue_t<bool> flag(key, "flag");
    test.SetValue("flag", REG_BINARY, &zero, 1);
    EXPECT_TRUE(flag.GetValue());
}

TEST(RegistryRoots, AreTheSystemsRootKeys)
{
    EXPECT_EQ(HKEY_CURRENT_USER, win::CurrentUserRootKey().GetHKey());
    EXPECT_EQ("HKEY_CURRENT_USER", win::CurrentUserRootKey().GetName());
    EXPECT_EQ(HKEY_LOCAL_MACHINE, win::LocalMachineRootKey().GetHKey());
    EXPECT_EQ("HKEY_LOCAL_MACHINE", win::LocalMachineRootKey().GetName());
    EXPECT_EQ(&win::CurrentUserRootKey(), &win::CurrentUserRootKey());
}
