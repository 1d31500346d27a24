#include <gtest/gtest.h>

#include "tests/commands/icons/IconTestSupport.h"

namespace {

COLORREF PixelWord(COLORREF color)
{
    return GetBValue(color) | GetGValue(color) << 8 | static_cast<COLORREF>(GetRValue(color)) << 16;
}

struct TransparentCase
{
    const char* name;
    COLORREF first, second, third;  // the picture; the first pixel is the image's transparent colour
    COLORREF chosen;
};

// The first of magenta, green and silver that the picture does not use, else the smallest free
// value from 1 upward.
const TransparentCase kTransparentCases[] = {
    {"magenta when free", kSilver, kRed, kBlue, kMagenta},
    {"green when magenta is used", kMagenta, kRed, kBlue, kGreen},
    {"silver when magenta and green are used", kMagenta, kGreen, kRed, kSilver},
    {"smallest free value", kMagenta, kGreen, kSilver, 0x000001},
};

class EditableBitmap : public ::testing::TestWithParam<TransparentCase>
{ };

TEST_P(EditableBitmap, ChoosesAFreeTransparentColourAndRecolours)
{
    const TransparentCase& c = GetParam();
    CExtCmdIcon image(MakeBitmap(3, 1, {c.first, c.second, c.third}), c.first);
    HBITMAP editable = nullptr;
    COLORREF transparent = 0;
    CArray<COLORREF, COLORREF> colors;
    COLORREF* pixels = nullptr;
    ASSERT_TRUE(image.ExtractEditableBitmap(editable, transparent, &colors, &pixels));
    EXPECT_EQ(transparent, c.chosen);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0] & 0xFFFFFF, PixelWord(c.chosen));  // the old transparent pixel
    EXPECT_EQ(pixels[1] & 0xFFFFFF, PixelWord(c.second));
    ASSERT_EQ(colors.GetSize(), 4);
    EXPECT_EQ(colors[0], c.chosen);
    ::DeleteObject(editable);
}

INSTANTIATE_TEST_SUITE_P(Pictures, EditableBitmap, ::testing::ValuesIn(kTransparentCases),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(EditableBitmap, SkipsUsedLowValues)
{
    CExtCmdIcon image(MakeBitmap(5, 1, {kMagenta, kGreen, kSilver, 0x000001, 0x000003}), kMagenta);
    HBITMAP editable = nullptr;
    COLORREF transparent = 0;
    COLORREF* pixels = nullptr;
    ASSERT_TRUE(image.ExtractEditableBitmap(editable, transparent, nullptr, &pixels));
    EXPECT_EQ(transparent, 0x000002u);
    ::DeleteObject(editable);
}

TEST(EditableBitmap, WithoutPixelsKeepsTheImagesTransparentColour)
{
    CExtCmdIcon image(MakeBitmap(2, 1, {kMagenta, kRed}), kMagenta);
    HBITMAP editable = nullptr;
    COLORREF transparent = 0;
    ASSERT_TRUE(image.ExtractEditableBitmap(editable, transparent));
    EXPECT_EQ(transparent, kMagenta);
    EXPECT_EQ(BitmapPixel(editable, 0, 0), kMagenta);
    ::DeleteObject(editable);

    CExtCmdIcon empty;
    EXPECT_FALSE(empty.ExtractEditableBitmap(editable, transparent));
}

TEST(EditableBitmap, OfAnIconMarksItsTransparentPixels)
{
    CExtCmdIcon source(MakeBitmap(3, 1, {kRed, kMagenta, kBlue}), kMagenta);
    HICON icon = source.TakeIconHandle(false);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(source.IsEmpty());
    CExtCmdIcon image(icon, false);
    ASSERT_FALSE(image.IsBitmapBased());

    HBITMAP editable = nullptr;
    COLORREF transparent = 0;
    COLORREF* pixels = nullptr;
    ASSERT_TRUE(image.ExtractEditableBitmap(editable, transparent, nullptr, &pixels));
    EXPECT_NE(transparent, kRed);
    EXPECT_NE(transparent, kBlue);
    EXPECT_EQ(BitmapPixel(editable, 0, 0), kRed);
    EXPECT_EQ(BitmapPixel(editable, 1, 0), transparent);
    EXPECT_EQ(BitmapPixel(editable, 2, 0), kBlue);
    ::DeleteObject(editable);
}

} // namespace
