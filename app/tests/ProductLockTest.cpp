// One run of a product on the machine at a time, whatever its title, and a lock that cannot be made is a
// failure that says why, not "another run".
#include "app/run/ProductLock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProductLock, OneRunPerMachineWhateverTheTitle)
{
    const std::string longTitle(10000, 'T');
    const std::string name = ProductLockName(longTitle);
    EXPECT_EQ(name.rfind("Global\\", 0), 0U) << name << ": every session of the machine";
    EXPECT_EQ(name.size(), ProductLockName("A").size()) << "a long title makes no longer, invalid name";
    EXPECT_EQ(ProductLockName("Northwind Notes"), ProductLockName("NORTHWIND notes")) << "one uninstall entry";
    EXPECT_NE(ProductLockName("Northwind Notes"), ProductLockName("Northwind Notes 2"));

    {
        const TProductLock first(longTitle);
        EXPECT_TRUE(first.Held()) << first.Problem();
        const TProductLock second(longTitle);
        EXPECT_FALSE(second.Held());
        EXPECT_EQ(second.Problem(), "") << "another run holds it";
    }
    EXPECT_TRUE(TProductLock(longTitle).Held()) << "released at the end of the run";

    // Something else of that name in the way: the run cannot know whether another one is going on.
    const HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, ProductLockName("SetupTests Squatted").c_str());
    ASSERT_NE(squatter, nullptr);
    const TProductLock blocked("SetupTests Squatted");
    EXPECT_FALSE(blocked.Held());
    EXPECT_NE(blocked.Problem().find("SetupTests Squatted"), std::string::npos) << blocked.Problem();
    CloseHandle(squatter);
}

}  // namespace
