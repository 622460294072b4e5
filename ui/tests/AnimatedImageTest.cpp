// The GIF player on a real window: three frames of 6 by 4 pixels, red, green and blue, 50 ms each.
#include "Printed.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/ui/Pump.h"
#include "ui/Form.h"
#include "ui/pictures/AnimatedImage.h"

#include <gtest/gtest.h>

namespace {

const std::string kThreeFrames = std::string(UI_TEST_DATA) + "\\three-frames.gif";

class AnimatedImage : public ::testing::Test {
protected:
    AnimatedImage() : form(fsDialog, "gif test"), player(form, 10)
    {
        form.SetClientSize(100, 100);
        player.SetBounds(0, 0, 6, 4);
        form.Show();
    }

    COLORREF Shown() const
    {
        TPrinted printed(player.Handle());
        return printed.Pixel(3, 2);
    }

    TForm form;
    TAnimatedImage player;
};

TEST_F(AnimatedImage, LoadsEveryFrame)
{
    ASSERT_TRUE(player.LoadFromFile(kThreeFrames));
    EXPECT_EQ(player.PictureWidth(), 6);
    EXPECT_EQ(player.PictureHeight(), 4);
    EXPECT_EQ(player.FrameCount(), 3);
    EXPECT_EQ(player.FrameIndex(), 0);
    EXPECT_EQ(Shown(), RGB(255, 0, 0));
}

TEST_F(AnimatedImage, PlaysTheFramesInALoopOnlyWhileAnimating)
{
    ASSERT_TRUE(player.LoadFromFile(kThreeFrames));
    ASSERT_TRUE(PumpPast(150));
    EXPECT_EQ(player.FrameIndex(), 0) << "not started";

    player.SetAnimate(true);
    ASSERT_TRUE(PumpUntil([this] { return player.FrameIndex() == 1; }));
    EXPECT_EQ(Shown(), RGB(0, 255, 0));
    ASSERT_TRUE(PumpUntil([this] { return player.FrameIndex() == 2; }));
    EXPECT_EQ(Shown(), RGB(0, 0, 255));
    ASSERT_TRUE(PumpUntil([this] { return player.FrameIndex() == 0; })) << "after the last frame comes the first";

    player.SetAnimate(false);
    const int stoppedAt = player.FrameIndex();
    ASSERT_TRUE(PumpPast(200));
    EXPECT_EQ(player.FrameIndex(), stoppedAt);
}

TEST_F(AnimatedImage, AFileThatIsNoPictureLeavesThePlayerEmpty)
{
    ScratchDir scratch;
    const std::string garbage = scratch / "logo.gif";
    ScratchDir::Write(garbage, "GIF89a this is not a picture");
    EXPECT_FALSE(player.LoadFromFile(garbage));
    EXPECT_TRUE(player.Empty());
    EXPECT_FALSE(player.LoadFromFile(scratch / "missing.gif"));
    player.SetAnimate(true);
    EXPECT_FALSE(player.Animate());

    // A loaded picture is dropped by a failed load, and the file stays free for deletion.
    const std::string copy = scratch / "copy.gif";
    ASSERT_TRUE(CopyFileA(kThreeFrames.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(player.LoadFromFile(copy));
    EXPECT_TRUE(DeleteFileA(copy.c_str()));
    EXPECT_FALSE(player.LoadFromFile(garbage));
    EXPECT_EQ(player.FrameCount(), 0);
}

}  // namespace
