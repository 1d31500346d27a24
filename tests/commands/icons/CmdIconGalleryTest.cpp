// For a person to look at: build/bin/screenshots/command-icons.png, the fixture toolbar's four
// images in rows (normal, disabled, monochrome, faded in the Studio 2005 theme), then a check
// mark, a radio dot and the first image scaled to 32 x 32, all enlarged four times.
#include <gtest/gtest.h>

#include <string>

#include "framework/commands/ResourceManager.h"
#include "tests/commands/fixtures/CommandsFixture.h"
#include "tests/commands/icons/IconTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

std::string ScreenshotFolder()
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder = module;
    folder = folder.substr(0, folder.find_last_of('\\') + 1) + "screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

TEST(CmdIconGallery, KindsOfTheFixtureToolbar)
{
    InjectedEnvironment environment;
    environment.Install(new CExtPaintManagerStudio2005);
    HBITMAP strip = g_ResourceManager->LoadBitmap(IDR_FIXTURE_TOOLBAR);
    ASSERT_NE(strip, nullptr);
    CExtCmdIcon images[4];
    for (int i = 0; i < 4; ++i) {
        const RECT area = {i * 16, 0, i * 16 + 16, 15};
        images[i].AssignBitmap(strip, kSilver, &area, true);
        images[i].OnSysColorChange();
        ASSERT_EQ(images[i].GetSize(), CSize(16, 15));
    }
    ::DeleteObject(strip);

    const int cell = 20, width = 4 * cell, height = 5 * cell + 16;
    DibSurface surface(width, height);
    surface.Fill(g_PaintManager->ColorAt(COLOR_BTNFACE));
    HBRUSH brush = ::CreateSolidBrush(g_PaintManager->ColorAt(COLOR_BTNSHADOW));
    for (int kind = 0; kind < 4; ++kind) {
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(images[i].DrawState(surface.Dc(), POINT{i * cell + 2, kind * cell + 2},
                                            kind, brush));
    }
    ::DeleteObject(brush);
    // Silver, the strip's transparent colour, leaves the background; the fill is drawn.
    EXPECT_EQ(surface.At(2, 2), g_PaintManager->ColorAt(COLOR_BTNFACE));
    EXPECT_EQ(surface.At(2 + 5, 2 + 5), kRed);
    EXPECT_EQ(surface.At(cell + 2 + 5, 2 + 5), RGB(0, 128, 0));
    // The faded row is tinted, not the normal row again.
    EXPECT_NE(surface.At(3 * cell + 2 + 5, 3 * cell + 2 + 5), surface.At(3 * cell + 2 + 5, 2 + 5));

    CExtCmdIcon check, radio, scaled;
    ASSERT_TRUE(check.MakeCheckMarkImage(CExtCmdIcon::kNoBlendColor, CExtCmdIcon::kNoBlendColor, 16, 16));
    ASSERT_TRUE(radio.MakeRadioDotImage(CExtCmdIcon::kNoBlendColor, CExtCmdIcon::kNoBlendColor, 16, 16));
    ASSERT_TRUE(scaled.ScaleFrom(images[0], 32, 32));
    check.DrawState(surface.Dc(), POINT{2, 4 * cell + 2}, CExtCmdIcon::kDrawNormal);
    radio.DrawState(surface.Dc(), POINT{cell + 2, 4 * cell + 2}, CExtCmdIcon::kDrawNormal);
    scaled.DrawState(surface.Dc(), POINT{2 * cell + 2, 4 * cell + 2}, CExtCmdIcon::kDrawNormal);

    const int zoom = 4;
    WindowPixels picture;
    picture.width = width * zoom;
    picture.height = height * zoom;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF c = surface.At(x / zoom, y / zoom);
            picture.pixels.push_back(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    }
    EXPECT_TRUE(SavePixelsAsPng(picture, ScreenshotFolder() + "\\command-icons.png"));
}

} // namespace
