#include <gtest/gtest.h>

#include "tests/commands/icons/IconTestSupport.h"

namespace {

struct TintCase
{
    double factor;
    COLORREF red, grey, black, white;  // what each source pixel becomes
};

// Blend colour RGB(200, 100, 50). With 1.4 every pixel lifts to full luminance and becomes
// (255 + 3 x blend) / 4 per channel; 0.7 keeps some of the pixel's luminance.
const TintCase kTintCases[] = {
    {1.4, RGB(213, 138, 101), RGB(213, 138, 101), RGB(213, 138, 101), RGB(213, 138, 101)},
    {0.7, RGB(168, 109, 79), RGB(174, 113, 82), RGB(149, 97, 70), RGB(213, 138, 101)},
    {0.0, RGB(64, 41, 30), RGB(83, 54, 40), RGB(0, 0, 0), RGB(213, 138, 101)},
    {-0.5, RGB(32, 20, 14), RGB(41, 27, 20), RGB(0, 0, 0), RGB(106, 69, 50)},
};

class FadedIcon : public ::testing::TestWithParam<TintCase>
{ };

TEST_P(FadedIcon, TintsEveryPixelButTheTransparentOnes)
{
    const TintCase& c = GetParam();
    // Silver is the image's transparent colour; the faded icon leaves it out.
    CExtCmdIcon image(MakeBitmap(5, 1, {kRed, RGB(100, 100, 100), RGB(0, 0, 0),
                                        RGB(255, 255, 255), kSilver}),
                      kSilver);
    image.SetFadeFactor(c.factor);
    image.SetBlendColor(RGB(200, 100, 50));

    DibSurface surface(5, 1);
    surface.Fill(kBackdrop);
    ASSERT_TRUE(image.DrawState(surface.Dc(), POINT{0, 0}, CExtCmdIcon::kDrawFaded));
    EXPECT_EQ(surface.At(0, 0), c.red);
    EXPECT_EQ(surface.At(1, 0), c.grey);
    EXPECT_EQ(surface.At(2, 0), c.black);
    EXPECT_EQ(surface.At(3, 0), c.white);
    EXPECT_EQ(surface.At(4, 0), kBackdrop);
}

INSTANTIATE_TEST_SUITE_P(Factors, FadedIcon, ::testing::ValuesIn(kTintCases));

TEST(FadedIcon, NoneWithoutBlendColourAndRebuiltForANewOne)
{
    CExtCmdIcon image(MakeBitmap(2, 1, {RGB(0, 0, 0), kSilver}), kSilver);
    EXPECT_EQ(image.GetFadedIcon(), nullptr);

    image.SetFadeFactor(1.4);
    image.SetBlendColor(RGB(0, 0, 0));
    DibSurface surface(2, 1);
    DrawIconOnto(surface, image.GetFadedIcon(), kBackdrop);
    EXPECT_EQ(surface.At(0, 0), RGB(63, 63, 63));  // (255 + 0) / 4

    image.SetBlendColor(RGB(255, 255, 255));
    DrawIconOnto(surface, image.GetFadedIcon(), kBackdrop);
    EXPECT_EQ(surface.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(1, 0), kBackdrop);
}

TEST(FadedIcon, WithoutBlendColourFadedDrawsMonochrome)
{
    CExtCmdIcon image(MakeBitmap(2, 1, {kRed, kSilver}), kSilver);
    HBRUSH brush = ::CreateSolidBrush(kBlue);
    DibSurface surface(2, 1);
    surface.Fill(kBackdrop);
    EXPECT_TRUE(image.DrawState(surface.Dc(), POINT{0, 0}, CExtCmdIcon::kDrawFaded, brush));
    ::DeleteObject(brush);
    EXPECT_EQ(surface.At(0, 0), kBlue);
    EXPECT_EQ(surface.At(1, 0), kBackdrop);
}

// The theme decides the blend colour and the fade factor after a system change.
TEST(FadedIcon, SystemChangeTakesTheThemesValues)
{
    InjectedEnvironment environment;
    struct
    {
        CExtPaintManager* manager;
        bool blended;
        double factor;
    } const themes[] = {
        {new CExtPaintManager, false, 0.0},
        {new CExtPaintManagerXP, false, 0.0},
        {new CExtPaintManagerOffice2003, true, 0.7},
        {new CExtPaintManagerStudio2005, true, 0.7},
    };
    for (const auto& theme : themes) {
        environment.Install(theme.manager);
        CExtCmdIcon image(MakeBitmap(1, 1, {kRed}), kSilver);
        image.OnSysColorChange();
        EXPECT_EQ(image.GetFadeFactor(), theme.factor);
        if (theme.blended)
            EXPECT_EQ(image.GetBlendColor(), g_PaintManager->ColorAt(COLOR_BTNFACE));
        else
            EXPECT_EQ(image.GetBlendColor(), CExtCmdIcon::kNoBlendColor);
    }
}

} // namespace
