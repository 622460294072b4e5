#include "port/MemoryStream.h"

#include <gtest/gtest.h>

#include "port/Exception.h"

namespace {

TEST(MemoryStream, GrowsOnWriteAndReadsBack)
{
    MemoryStream s;
    s.WriteBuffer("abc", 3);
    s.Seek(5, SeekOrigin::Begin);
    s.WriteBuffer("z", 1);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Bytes(), (std::vector<unsigned char>{'a', 'b', 'c', 0, 0, 'z'}));
    s.Seek(1, SeekOrigin::Begin);
    char two[2];
    s.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "bc");
    EXPECT_EQ(s.Read(nullptr, 0), 0u) << "a zero-length read may come without a buffer";
    EXPECT_EQ(s.Seek(10, SeekOrigin::Begin), 10);
    EXPECT_EQ(s.Read(two, 2), 0u) << "reading past the end gives nothing";
    EXPECT_THROW(s.Seek(-1, SeekOrigin::Begin), EInOutError);
}

}  // namespace
