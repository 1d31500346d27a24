#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/paint/ButtonTestSupport.h"

namespace {

using PM = CExtPaintManager;
using Args = PM::CaptionButtonArgs_t;

const COLORREF kBackdrop = RGB(255, 0, 255);

// Colours the tests name; the classic caption buttons take the system's colours.
enum Paint
{
    kUntouched,
    kFace,
    kLight,
    kShadow,
    kDark,
    kBlack,
    kC14,
    kC16,
    kC21,
    kC1001,
    kC2003,
    kC2004
};

COLORREF ColorOf(const PM& manager, Paint paint)
{
    switch (paint) {
    case kUntouched:
        return kBackdrop;
    case kFace:
        return g_PaintManager.SystemColor(COLOR_BTNFACE);
    case kLight:
        return g_PaintManager.SystemColor(COLOR_BTNHIGHLIGHT);
    case kShadow:
        return g_PaintManager.SystemColor(COLOR_BTNSHADOW);
    case kDark:
        return g_PaintManager.SystemColor(COLOR_3DDKSHADOW);
    case kBlack:
        return RGB(0, 0, 0);
    case kC14:
        return manager.ColorAt(14);
    case kC16:
        return manager.ColorAt(16);
    case kC21:
        return manager.ColorAt(21);
    case kC1001:
        return manager.ColorAt(1001);
    case kC2003:
        return manager.ColorAt(2003);
    case kC2004:
        return manager.ColorAt(2004);
    }
    return 0;
}

struct Probe
{
    int x, y;
    Paint paint;
};

class CaptionButtonTest : public ::testing::Test
{
protected:
    InjectedEnvironment environment;
};

// A 15 x 15 button at (10, 10). The classic one is filled and framed one pixel out (two at the
// top and left) in a docked bar's caption, in place in a floating frame's; the flat one is
// filled in place, framed one pixel out, and shows nothing but its glyph unless hot or pushed.
TEST_F(CaptionButtonTest, GeometryAndColoursPerThemeAndState)
{
    const struct
    {
        const char* what;
        int theme;
        bool hot, pushed, enabled, resizable, active, floating;
        std::vector<Probe> probes;
    } cases[] = {
        {"classic docked", 0, false, false, true, true, false, false,
         {{8, 8, kUntouched}, {9, 9, kLight}, {25, 25, kShadow}, {26, 26, kUntouched},
          {10, 10, kFace}, {14, 14, kBlack}, {15, 14, kBlack}}},
        {"classic floating", 0, false, false, true, true, false, true,
         {{9, 9, kUntouched}, {10, 10, kLight}, {24, 24, kShadow}, {25, 25, kUntouched}}},
        {"classic hot", 0, true, false, true, false, false, false,
         {{9, 9, kFace}, {25, 25, kDark}, {10, 10, kLight}, {24, 24, kShadow}}},
        {"classic pushed: glyph moved", 0, true, true, true, false, false, false,
         {{9, 9, kShadow}, {25, 25, kLight}, {14, 14, kFace}, {15, 15, kBlack}}},
        {"classic disabled never hot", 0, true, false, false, false, false, false,
         {{9, 9, kLight}, {25, 25, kShadow}, {10, 10, kFace}, {14, 14, kShadow}}},
        {"xp hot inactive", 1, true, false, true, true, false, false,
         {{8, 8, kUntouched}, {9, 9, kC2004}, {25, 25, kC2004}, {10, 10, kC1001},
          {24, 24, kC1001}, {14, 14, kBlack}, {15, 14, kC1001}}},
        {"xp pushed active", 1, false, true, true, false, true, false,
         {{9, 9, kC2003}, {10, 10, kC2003}, {14, 14, kBlack}, {15, 14, kBlack}}},
        {"xp idle resizable inactive", 1, false, false, true, true, false, false,
         {{9, 9, kUntouched}, {10, 10, kUntouched}, {12, 12, kUntouched}, {14, 14, kC21}}},
        {"xp idle resizable active", 1, false, false, true, true, true, false,
         {{10, 10, kUntouched}, {14, 14, kC14}}},
        {"xp idle toolbar", 1, false, false, true, false, false, false,
         {{10, 10, kUntouched}, {14, 14, kC14}}},
        {"xp disabled never hot", 1, true, false, false, true, false, false,
         {{9, 9, kUntouched}, {10, 10, kUntouched}, {14, 14, kC16}}},
        {"office hot floating", 2, true, false, true, true, false, true,
         {{9, 9, kC2004}, {10, 10, kC1001}, {14, 14, kBlack}, {15, 14, kBlack}}},
        {"studio floating resizable: classic", 3, false, false, true, true, false, true,
         {{10, 10, kLight}, {24, 24, kShadow}, {11, 11, kFace}}},
        {"studio docked: flat", 3, true, false, true, true, false, false,
         {{9, 9, kC2004}, {10, 10, kC1001}, {15, 14, kC1001}}},
        {"studio floating toolbar: flat", 3, false, false, true, false, false, true,
         {{10, 10, kUntouched}}},
        {"studio disabled floating resizable", 3, true, false, false, true, false, true,
         {{9, 9, kUntouched}, {10, 10, kLight}, {11, 11, kFace}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PM& manager = InstallTheme(kThemes[c.theme]);
        DibSurface surface(40, 40);
        CDC dc(surface.Dc());
        Args a(nullptr, RECT{10, 10, 25, 25}, PM::kGlyphClose, c.hot, c.pushed, c.enabled,
               c.resizable, c.active, c.floating);
        manager.DrawCaptionButton(dc, a);
        for (const Probe& p : c.probes)
            EXPECT_EQ(surface.At(p.x, p.y), ColorOf(manager, p.paint)) << p.x << "," << p.y;
    }
}

TEST_F(CaptionButtonTest, CloseGlyphIsReplacedInTheRecord)
{
    const struct
    {
        int theme;
        bool resizable, floating;
        int kind;
    } cases[] = {{0, true, false, PM::kGlyphCloseSmall}, {0, false, true, PM::kGlyphCloseSmall},
                 {1, true, false, PM::kGlyphCloseThin}, {1, true, true, PM::kGlyphClose},
                 {1, false, false, PM::kGlyphClose}, {3, true, true, PM::kGlyphCloseSmall}};
    for (const auto& c : cases) {
        PM& manager = InstallTheme(kThemes[c.theme]);
        DibSurface surface(40, 40);
        CDC dc(surface.Dc());
        Args a(nullptr, RECT{10, 10, 25, 25}, PM::kGlyphClose, false, false, true, c.resizable,
               false, c.floating);
        manager.DrawCaptionButton(dc, a);
        EXPECT_EQ(a.m_glyphKind, c.kind) << c.theme << c.resizable << c.floating;
    }
}

TEST_F(CaptionButtonTest, EmptyOrInvertedRects)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        DibSurface surface(40, 40);
        CDC dc(surface.Dc());
        Args empty(nullptr, RECT{10, 10, 10, 25}, PM::kGlyphClose, true, false, true, true, false,
                   false);
        manager.DrawCaptionButton(dc, empty);
        EXPECT_TRUE(surface.EdgesAlongRow(15).empty()) << theme.name;
        // An out-of-range glyph kind paints the button without a glyph.
        Args unknown(nullptr, RECT{10, 10, 25, 25}, 999, true, false, true, true, false, false);
        manager.DrawCaptionButton(dc, unknown);
        EXPECT_NE(surface.At(10, 10), kBackdrop) << theme.name;
    }
}

TEST_F(CaptionButtonTest, WindowCommandGlyphs)
{
    // The 9 x 9 close glyph in (10, 10)-(19, 19): row 1 is ".##....##", row 7 too, row 8 empty.
    const struct
    {
        const char* what;
        int theme;
        bool hot, pushed, enabled;
        std::vector<std::pair<POINT, int>> probes;  // colour number, -1 untouched
    } cases[] = {
        {"classic", 0, false, false, true, {{{11, 11}, 1010}, {{10, 10}, -1}}},
        {"classic hot", 0, true, false, true, {{{11, 11}, 14}}},
        {"classic pushed", 0, false, true, true, {{{12, 12}, 1010}, {{11, 11}, -1}}},
        {"classic disabled: shadow copy", 0, false, false, false,
         {{{11, 11}, 1006}, {{19, 18}, 1004}}},
        {"xp hot: raised", 1, true, false, true, {{{18, 17}, 16}, {{9, 9}, 1010}}},
        {"xp pushed: not raised", 1, true, true, true, {{{11, 11}, 1010}, {{9, 9}, -1}}},
        {"xp disabled", 1, true, false, false, {{{11, 11}, 16}, {{9, 9}, -1}}},
        {"office hot: flat", 2, true, false, true, {{{11, 11}, 1010}, {{9, 9}, -1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PM& manager = InstallTheme(kThemes[c.theme]);
        DibSurface surface(40, 40);
        CDC dc(surface.Dc());
        manager.DrawSysCommandGlyph(dc, SC_CLOSE, RECT{10, 10, 19, 19}, c.hot, c.pushed, c.enabled);
        for (const auto& [at, number] : c.probes)
            EXPECT_EQ(surface.At(at.x, at.y), number < 0 ? kBackdrop : manager.ColorAt(number))
                << at.x << "," << at.y;
    }
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        DibSurface surface(40, 40);
        CDC dc(surface.Dc());
        for (UINT command : {0u, static_cast<UINT>(SC_MOVE), 0xF061u})
            manager.DrawSysCommandGlyph(dc, command, RECT{10, 10, 19, 19}, true, false, true);
        EXPECT_TRUE(surface.EdgesAlongRow(11).empty()) << theme.name << ": nothing painted";
        for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CONTEXTHELP}) {
            surface.Fill(kBackdrop);
            manager.DrawSysCommandGlyph(dc, command, RECT{10, 10, 19, 19}, false, false, true);
            bool painted = false;
            for (int y = 10; y < 19; ++y)
                painted = painted || !surface.EdgesAlongRow(y).empty();
            EXPECT_TRUE(painted) << theme.name << " " << command;
        }
    }
}

} // namespace
