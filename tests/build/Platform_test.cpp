// The test programs are 32-bit Windows programs that run under Wine with a display.
#include <gtest/gtest.h>
#include <windows.h>

TEST(Platform, IsA32BitWindowsProgram)
{
    EXPECT_EQ(4u, sizeof(void*));
}

TEST(Platform, CanCreateATopLevelWindow)
{
    HWND wnd = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, wnd);
    ShowWindow(wnd, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(wnd));
    DestroyWindow(wnd);
}
