#include <gtest/gtest.h>

#include <vector>

#include "framework/menus/AnimationFrames.h"

namespace {

// A background, a final image and a black frame of one size.
struct Frames
{
    Frames(int width, int height, COLORREF background, COLORREF final)
        : width(width), height(height), back(Size(), background), fin(Size(), final),
          frame(Size(), 0)
    {
    }
    size_t Size() const { return static_cast<size_t>(width * height); }
    AnimationBuffers_t Buffers() { return {width, height, back.data(), fin.data(), frame.data()}; }
    COLORREF At(int x, int y) const { return frame[static_cast<size_t>(y * width + x)]; }
    int Count(COLORREF color) const
    {
        int count = 0;
        for (COLORREF pixel : frame)
            count += pixel == color ? 1 : 0;
        return count;
    }

    int width;
    int height;
    std::vector<COLORREF> back;
    std::vector<COLORREF> fin;
    std::vector<COLORREF> frame;
};

TEST(AnimationFramesTest, FadeBlendsEachChannelByTheStep)
{
    struct Case
    {
        int step;
        COLORREF expected;
    };
    // final (200, 100, 0) over background (0, 50, 255)
    const Case cases[] = {{0, 0x00FF3200},     {20, 0x00CC3C28}, {40, 0x00994650},
                          {60, 0x00665078},    {80, 0x00335AA0}, {100, 0x000064C8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        Frames frames(3, 2, 0x00FF3200, 0x000064C8);
        ComposeFadeFrame(frames.Buffers(), c.step);
        EXPECT_EQ(6, frames.Count(c.expected));
    }
}

TEST(AnimationFramesTest, NoiseSwitchesPixelsToTheFinalImageForGood)
{
    Frames frames(8, 8, 0x00111111, 0x00EEEEEE);
    int next = 0;
    // d = 20: of the values 0 to 19 in turn, 12 to 19 switch: 8 of each 20 pixels, none of
    // the last 4.
    const auto random = [&next] { return next++ % 20; };
    ComposeNoiseFrame(frames.Buffers(), 20, 0, random);
    EXPECT_EQ(24, frames.Count(0x00EEEEEE));
    EXPECT_EQ(40, frames.Count(0));
    // The same step again changes nothing; a later one only adds.
    const std::vector<COLORREF> before = frames.frame;
    ComposeNoiseFrame(frames.Buffers(), 20, 20, random);
    EXPECT_EQ(before, frames.frame);
    ComposeNoiseFrame(frames.Buffers(), 40, 20, [] { return 19; });
    EXPECT_EQ(64, frames.Count(0x00EEEEEE));
}

TEST(AnimationFramesTest, GridFillsRowsAndColumnsOfEachCell)
{
    Frames frames(64, 64, 0x00000001, 0x00000002);
    ComposeGridFrame(frames.Buffers(), 40);
    // Columns whose place in the cell is below 40 %: x mod 32 < 13; rows taken whole when
    // 100 − (y mod 32)·100/32 < 40: y mod 32 >= 20 (and 19 gives 41).
    EXPECT_EQ(2u, frames.At(12, 0));
    EXPECT_EQ(1u, frames.At(13, 0));
    EXPECT_EQ(2u, frames.At(44, 5));
    EXPECT_EQ(1u, frames.At(45, 5));
    EXPECT_EQ(1u, frames.At(20, 19));
    EXPECT_EQ(2u, frames.At(20, 20));
    EXPECT_EQ(2u, frames.At(31, 63));
    ComposeGridFrame(frames.Buffers(), 101);
    EXPECT_EQ(64 * 64, frames.Count(2));
}

TEST(AnimationFramesTest, CirclesGrowAndHolesShrinkInEachCell)
{
    struct Case
    {
        bool holes;
        int step;
        COLORREF centre;
        COLORREF corner;
        COLORREF nearCentre;  // 4 pixels from the centre
    };
    // r = 3.2 at step 20; holes at step 20 have r = 12.8.
    const Case cases[] = {
        {false, 20, 2, 1, 1},
        {false, 40, 2, 1, 2},
        {true, 20, 1, 2, 1},
        {true, 80, 1, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.holes << " " << c.step);
        Frames frames(64, 32, 1, 2);
        ComposeCirclesFrame(frames.Buffers(), c.step, c.holes);
        EXPECT_EQ(c.centre, frames.At(48, 16));
        EXPECT_EQ(c.corner, frames.At(32, 0));
        EXPECT_EQ(c.nearCentre, frames.At(52, 16));
    }
    // Holes at their last step have no radius left: the frame is not touched.
    Frames frames(32, 32, 1, 2);
    ComposeCirclesFrame(frames.Buffers(), 100, true);
    EXPECT_EQ(32 * 32, frames.Count(0));
}

TEST(AnimationFramesTest, GeometricKindsSlideOrStretchFromTheJoinSide)
{
    const RECT area = {10, 20, 110, 220};  // 100 x 200
    struct Case
    {
        int kind;
        int step;
        int side;
        RECT expected;
    };
    const Case cases[] = {
        {2, 40, 0, {-50, -100, 50, 100}},  {2, 40, 3, {70, -100, 170, 100}},
        {2, 40, 2, {-50, 140, 50, 340}},   {3, 40, 0, {10, -100, 110, 100}},
        {3, 40, 2, {10, 140, 110, 340}},   {2, 100, 1, {10, 20, 110, 220}},
        {5, 40, 0, {10, 20, 50, 100}},     {5, 40, 3, {70, 20, 110, 100}},
        {5, 40, 2, {10, 140, 50, 220}},    {6, 40, 0, {10, 20, 110, 100}},
        {6, 40, 3, {10, 20, 110, 100}},    {6, 40, 2, {10, 140, 110, 220}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " side " << c.side);
        const RECT r = AnimatedImageRect(c.kind, c.step, c.side, area);
        EXPECT_EQ(c.expected.left, r.left);
        EXPECT_EQ(c.expected.top, r.top);
        EXPECT_EQ(c.expected.right, r.right);
        EXPECT_EQ(c.expected.bottom, r.bottom);
    }
}

TEST(AnimationFramesTest, ExpandOpensRarelyUsedItemsAndReachesTheBottom)
{
    const RECT area = {0, 0, 80, 100};
    const std::vector<ExpandItem_t> items = {
        {{0, 0, 80, 20}, false}, {{0, 20, 80, 40}, true}, {{0, 40, 80, 60}, false}};
    const auto down = ExpandDestinations(items, 50, area, false);
    ASSERT_EQ(3u, down.size());
    EXPECT_EQ(0, down[0].top);
    EXPECT_EQ(20, down[0].bottom);
    EXPECT_EQ(30, down[1].bottom);
    EXPECT_EQ(30, down[2].top);
    EXPECT_EQ(100, down[2].bottom);

    // Growing away from a button below: everything moves down by what is not shown yet.
    const RECT tight = {0, 0, 80, 60};
    const auto up = ExpandDestinations(items, 50, tight, true);
    EXPECT_EQ(10, up[0].top);
    EXPECT_EQ(40, up[1].bottom);
    EXPECT_EQ(40, up[2].top);
    EXPECT_EQ(60, up[2].bottom);
    EXPECT_TRUE(ExpandDestinations({}, 50, area, false).empty());
}

} // namespace
