#include "shell/WinReboot.h"

#include <gtest/gtest.h>

namespace {

// Whether this process's token has the privilege enabled.
bool PrivilegeEnabled(const char* name)
{
    PRIVILEGE_SET set{};
    set.PrivilegeCount = 1;
    set.Control = PRIVILEGE_SET_ALL_NECESSARY;
    if (!LookupPrivilegeValueA(nullptr, name, &set.Privilege[0].Luid)) return false;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    BOOL enabled = FALSE;
    const BOOL checked = PrivilegeCheck(token, &set, &enabled);
    CloseHandle(token);
    return checked && enabled;
}

TEST(WinReboot, SetPrivilegeSwitchesTheShutdownPrivilegeOfTheToken)
{
    TWinReboot reboot;
    EXPECT_TRUE(reboot.SetPrivilege("SeShutdownPrivilege", true));
    EXPECT_TRUE(PrivilegeEnabled("SeShutdownPrivilege"));
    EXPECT_TRUE(reboot.SetPrivilege("SeShutdownPrivilege", false));
    EXPECT_FALSE(PrivilegeEnabled("SeShutdownPrivilege"));
}

TEST(WinReboot, AnUnknownPrivilegeIsRefusedAndTheTokenStaysAsItWas)
{
    TWinReboot reboot;
    ASSERT_TRUE(reboot.SetPrivilege("SeShutdownPrivilege", true));
    EXPECT_FALSE(reboot.SetPrivilege("SeNoSuchPrivilege", true));
    EXPECT_FALSE(reboot.SetPrivilege("", false));
    EXPECT_TRUE(PrivilegeEnabled("SeShutdownPrivilege"));
    reboot.SetPrivilege("SeShutdownPrivilege", false);
}

}  // namespace
