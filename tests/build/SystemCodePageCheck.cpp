// Test programs that ctest runs again under other system locales are told the code page
// the locale gives (TEST_CODE_PAGE): a run that did not get it fails instead of passing
// under the usual one.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

namespace {

class SystemCodePageCheck : public ::testing::Environment {
public:
    void SetUp() override
    {
        const char* expected = std::getenv("TEST_CODE_PAGE");
        if (!expected)
            return;
        ASSERT_EQ(std::strtoul(expected, nullptr, 10), ::GetACP())
            << "the run's system locale did not take: was its locale compiled (LOCPATH)?";
    }
};

::testing::Environment* const check = ::testing::AddGlobalTestEnvironment(new SystemCodePageCheck);

} // namespace
