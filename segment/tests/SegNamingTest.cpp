#include "segment/SegNaming.h"

#include <gtest/gtest.h>

#include "port/FileSystem.h"
#include "segment/SegCompress.h"
#include "segment/SegError.h"
#include "testsupport/ScratchDir.h"

namespace {

TEST(SegNaming, NumberedAndFixedSuffixes)
{
    EXPECT_EQ(SegFileNameFor("disk", "", 1), "disk.001");
    EXPECT_EQ(SegFileNameFor("disk", "", 7), "disk.007");
    EXPECT_EQ(SegFileNameFor("disk", "", 999), "disk.999");
    EXPECT_EQ(SegFileNameFor("disk", "", 1000), "disk.1000");
    EXPECT_EQ(SegFileNameFor("disk", "", 1234), "disk.1234");
    EXPECT_EQ(SegFileNameFor("disk", "", 65535), "disk.65535");
    EXPECT_EQ(SegFileNameFor("disk", "dat", 2), "disk.dat");
    EXPECT_THROW(SegFileNameFor("disk", "", 65536), ESegError) << "segment numbers are 16-bit";
    EXPECT_THROW(SegFileNameFor("disk", "dat", 0), ESegError);

    EXPECT_EQ(SegFilePathFor("a:\\", "disk.001"), "a:\\disk.001");
    EXPECT_EQ(SegFilePathFor("a:\\dir", "disk.002"), "a:\\dir\\disk.002");
    EXPECT_EQ(SegFilePathFor("a:\\dir\\\\", "disk.002"), "a:\\dir\\\\disk.002") << "only one backslash goes";
}

TEST(SegNaming, PropertiesNormaliseOnAssignment)
{
    TSegCompress c;
    EXPECT_EQ(c.SegBaseName(), "SegData");
    EXPECT_EQ(c.SegDir(), "a:\\");
    EXPECT_EQ(c.SegExt(), "");
    EXPECT_TRUE(c.SegPopUp);
    EXPECT_EQ(c.SegSize(), 1440000);
    EXPECT_EQ(c.SegMode(), smBuild);

    const bool folds = port::kPathsIgnoreCase;
    c.SetSegBaseName("C:\\Setup\\Disk");
    EXPECT_EQ(c.SegBaseName(), folds ? "disk" : "Disk");
    c.SetSegBaseName("");
    EXPECT_EQ(c.SegBaseName(), "SegData");

    c.SetSegDir("C:\\Setup\\Sub\\..\\Disks\\");
    EXPECT_EQ(c.SegDir(), folds ? "c:\\setup\\disks\\" : "C:\\Setup\\Disks\\");
    c.SetSegDir("");
    EXPECT_EQ(c.SegDir(), "a:\\");
    c.SetSegDir("relative");
    EXPECT_EQ(ScratchDir::Native(c.SegDir()), ScratchDir::Native(FoldPathCase(port::CurrentDir() + "\\relative")));

    c.SetSegExt("data");
    EXPECT_EQ(c.SegExt(), "dat");

    c.SetSegTmpDir("C:\\Temp\\\\");
    EXPECT_EQ(c.SegTmpDir(), folds ? "c:\\temp\\" : "C:\\Temp\\") << "one trailing backslash goes";
    c.SetSegTmpDir("");
    EXPECT_EQ(c.SegTmpDir(), FoldPathCase(port::CurrentDir()));

    c.SetSegSize(100);
    EXPECT_EQ(c.SegSize(), 16384);
    c.SetSegSize(16385);
    EXPECT_EQ(c.SegSize(), 16385);
}

}  // namespace
