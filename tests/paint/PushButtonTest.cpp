#include <gtest/gtest.h>

#include "tests/paint/ButtonTestSupport.h"

namespace {

using PM = CExtPaintManager;
using Args = PM::PushButtonArgs_t;

const RECT kButton = {5, 5, 45, 25};  // 40 x 20
const COLORREF kBackdrop = RGB(255, 0, 255);

struct State
{
    bool flat, hot, pushed, enabled, frameWhenHot;
};

Args MakeArgs(const State& s, LPCTSTR text = "", CExtCmdIcon* icon = nullptr,
              bool horizontal = true, UINT alignment = 5, const RECT& rect = kButton)
{
    return Args(nullptr, horizontal, rect, text, icon, s.flat, s.hot, s.pushed, false, s.enabled,
                s.frameWhenHot, false, false, alignment, nullptr, false, 0, false);
}

class PushButtonTest : public ::testing::Test
{
protected:
    InjectedEnvironment environment;
};

TEST_F(PushButtonTest, ConstructorFillsTheRecord)
{
    const State s = {true, true, false, true, true};
    const Args right = MakeArgs(s, nullptr, nullptr, true, 2);
    EXPECT_STREQ(right.m_text, "") << "no text is an empty text";
    EXPECT_EQ(right.m_textFormat, static_cast<UINT>(DT_SINGLELINE | DT_RIGHT));
    EXPECT_EQ(MakeArgs(s, "", nullptr, true, 5).m_textFormat,
              static_cast<UINT>(DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    EXPECT_EQ(MakeArgs(s, "", nullptr, true, 3).m_textFormat,
              static_cast<UINT>(DT_SINGLELINE | DT_CENTER)) << "centre wins over right";
    for (COLORREF color : right.m_textColors)
        EXPECT_EQ(color, static_cast<COLORREF>(-1));
    EXPECT_EQ(right.m_cookie, 0u);
    EXPECT_FALSE(right.m_useDrawText);
    EXPECT_FALSE(right.m_splitDropDown);
    EXPECT_FALSE(right.m_menuOpen);
    EXPECT_TRUE(right.m_flat && right.m_hot && right.m_enabled && right.m_frameWhenHot);
    EXPECT_FALSE(right.m_pushed || right.m_focus || right.m_bold || right.m_dropDown);
}

TEST_F(PushButtonTest, SmallValuesPerTheme)
{
    const struct
    {
        CSize offset, extra;
        bool blends;
        double fade;
    } expected[4] = {{CSize(1, 1), CSize(0, 0), false, 0.0},
                     {CSize(0, 0), CSize(0, 0), false, 0.0},
                     {CSize(0, 0), CSize(4, 4), true, 0.7},
                     {CSize(0, 0), CSize(4, 4), true, 0.7}};
    for (int i = 0; i < 4; ++i) {
        PM& manager = InstallTheme(kThemes[i]);
        CSize offset(9, 9), extra(9, 9);
        manager.GetPushedContentOffset(offset);
        manager.GetToolBarExtraSize(extra);
        EXPECT_EQ(offset, expected[i].offset) << kThemes[i].name;
        EXPECT_EQ(extra, expected[i].extra) << kThemes[i].name;
        EXPECT_EQ(manager.GetIconFadeFactor(), expected[i].fade) << kThemes[i].name;
        // The emulated system is NT 6.1, so the Office family blends with the face colour.
        EXPECT_EQ(manager.GetIconBlendColor(), expected[i].blends ? manager.ColorAt(COLOR_BTNFACE)
                                                                  : static_cast<COLORREF>(-1))
            << kThemes[i].name;
    }
}

// A 40-pixel split drop-down button with a right-aligned icon and text: the icon sits 3 pixels
// inside the end of the text room, which ends where the drop part begins.
TEST_F(PushButtonTest, DropDownPartOfAFortyPixelButton)
{
    const struct
    {
        int textEnd, dropStart, iconX, iconY;
    } expected[4] = {{34, 34, 15, 7}, {34, 33, 16, 8}, {34, 33, 15, 7}, {34, 33, 15, 7}};
    for (int i = 0; i < 4; ++i) {
        PM& manager = InstallTheme(kThemes[i]);
        DibSurface surface(60, 30);
        CDC dc(surface.Dc());
        RecordingIcon icon;
        Args a = MakeArgs({false, false, false, true, false}, "x", &icon, true, 2 | 4);
        a.m_dropDown = 1;
        a.m_splitDropDown = 1;
        manager.DrawPushButton(dc, a);
        SCOPED_TRACE(kThemes[i].name);
        ASSERT_EQ(icon.calls.size(), 1u);
        EXPECT_EQ(icon.calls[0].at.x, expected[i].iconX) << "text room ends at 29";
        EXPECT_EQ(icon.calls[0].at.y, expected[i].iconY);
        const int y = 15;
        const COLORREF arrow = manager.ColorAt(kThemes[i].flatFamily ? COLOR_BTNTEXT : 1010);
        if (kThemes[i].flatFamily) {
            // The two parts share one line in the border colour.
            EXPECT_EQ(surface.At(expected[i].dropStart, y), manager.ColorAt(COLOR_3DDKSHADOW));
            EXPECT_EQ(surface.At(expected[i].dropStart + 1, y), manager.ColorAt(COLOR_BTNFACE));
        } else {
            EXPECT_EQ(surface.At(expected[i].textEnd - 1, y), manager.ColorAt(1006));
            EXPECT_EQ(surface.At(expected[i].dropStart, y), manager.ColorAt(1004));
        }
        // The 5 x 3 arrow is centred in the drop part.
        const int dropWidth = kButton.right - expected[i].dropStart;
        const int arrowX = expected[i].dropStart + (dropWidth - 5) / 2, arrowY = 5 + (20 - 3) / 2;
        EXPECT_EQ(surface.At(arrowX, arrowY), arrow);
        EXPECT_EQ(surface.At(arrowX + 4, arrowY), arrow);
        EXPECT_EQ(surface.At(arrowX + 2, arrowY + 2), arrow);
        EXPECT_NE(surface.At(arrowX - 1, arrowY), arrow);
        EXPECT_NE(surface.At(arrowX, arrowY + 1), arrow);
    }
}

// Fill colours: a colour number, the halftone brush, or one of the gradient pairs (hot, pushed,
// hot and pushed) where the theme has them and the XP colour otherwise.
enum Fill
{
    kHalftone = -2,
    kSameAsFill = -3,
    kHotPair = -10,
    kPushedPair = -11,
    kHotPushedPair = -12
};

TEST_F(PushButtonTest, FillAndFramePerThemeAndState)
{
    const struct
    {
        const char* what;
        State state;
        bool split;
        int classicFill, classicCorner, classicInner;
        int flatFill, xpFallback, flatCorner;
    } cases[] = {
        {"normal", {false, false, false, true, false}, false, 1000, 1004, 1000, 15, 15, 21},
        {"hot", {false, true, false, true, false}, false, 1001, 1006, 1004, kHotPair, 1001, 2004},
        {"pushed", {false, false, true, true, false}, false, 1001, 1007, 1001, kPushedPair, 1001,
         2004},
        {"hot pushed", {false, true, true, true, false}, false, kHalftone, 1007, kHalftone,
         kHotPushedPair, 2003, 2004},
        {"disabled hot pushed", {false, true, true, false, false}, false, 1001, 1007, 1001,
         kPushedPair, 1001, 2004},
        {"flat", {true, false, false, true, true}, false, 1000, kSameAsFill, 1000, 1000, 1000,
         kSameAsFill},
        {"flat hot framed", {true, true, false, true, true}, false, 1001, 1004, 1001, kHotPair,
         1001, 2004},
        {"flat hot unframed", {true, true, false, true, false}, false, 1001, kSameAsFill, 1001,
         kHotPair, 1001, kSameAsFill},
        {"flat pushed unframed", {true, false, true, true, false}, false, 1001, kSameAsFill, 1001,
         kPushedPair, 1001, kSameAsFill},
        // A pushed split button loses hot in the classic theme only.
        {"split hot pushed", {false, true, true, true, false}, true, 1001, 1007, 1001,
         kHotPushedPair, 2003, 2004},
    };
    // Without a visual style the Office family has no gradient pairs and fills like XP; with
    // the blue scheme its buttons run from the pair's first colour at the top to its second.
    int gradients = 0;
    for (int run = 0; run < 8; ++run) {
        const int scheme = run / 4, t = run % 4;
        environment.SetScheme(scheme);
        PM& manager = InstallTheme(kThemes[t]);
        const auto* xp = dynamic_cast<CExtPaintManagerXP*>(&manager);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << kThemes[t].name << " scheme " << scheme << " "
                                            << c.what);
            DibSurface surface(60, 30);
            CDC dc(surface.Dc());
            Args a = MakeArgs(c.state);
            a.m_dropDown = c.split;
            a.m_splitDropDown = c.split;
            manager.DrawPushButton(dc, a);
            int fill = xp ? c.flatFill : c.classicFill;
            if (xp && fill <= kHotPair) {
                const int* pair = &xp->m_pushButtonColors[2 * (kHotPair - fill)];
                if (pair[0] < 0) {
                    fill = c.xpFallback;
                } else {
                    const COLORREF first = manager.ColorAt(pair[0]);
                    const COLORREF second = manager.ColorAt(pair[1]);
                    // Rows 6 and 23 lie a nineteenth of the way in from the two ends.
                    const int tolerance = Distance(first, second) / 12 + 2;
                    EXPECT_TRUE(Near(surface.At(15, 6), first, tolerance));
                    EXPECT_TRUE(Near(surface.At(15, 23), second, tolerance));
                    EXPECT_LE(Distance(surface.At(15, 6), first),
                              Distance(surface.At(15, 6), second));
                    fill = kSameAsFill;
                    ++gradients;
                }
            }
            const COLORREF inside = surface.At(15, 15);
            // An unframed corner shows the fill of its row.
            const COLORREF unframed = fill == kSameAsFill ? surface.At(15, 5) : inside;
            if (fill == kHalftone) {
                EXPECT_EQ(inside, BrushColor(manager.HelperBrush(0)));
            } else if (fill >= 0) {
                EXPECT_EQ(inside, manager.ColorAt(fill));
            }
            const int corner = xp ? c.flatCorner : c.classicCorner;
            EXPECT_EQ(surface.At(5, 5), corner == kSameAsFill ? unframed : manager.ColorAt(corner));
            if (!xp && c.classicInner != kHalftone) {
                EXPECT_EQ(surface.At(6, 6), manager.ColorAt(c.classicInner));
            }
            EXPECT_EQ(surface.At(4, 4), kBackdrop) << "nothing outside the button";
        }
    }
    EXPECT_GT(gradients, 0) << "the gradient pairs were painted";
}

// A vertical button's gradient runs from left to right; at 8 bits per pixel there is none.
TEST_F(PushButtonTest, OfficeGradientDirectionAndDepth)
{
    environment.SetScheme(1);
    for (int t = 2; t < 4; ++t) {
        SCOPED_TRACE(kThemes[t].name);
        environment.SetBitsPerPixel(32);
        PM& manager = InstallTheme(kThemes[t]);
        const auto& pairs = dynamic_cast<CExtPaintManagerXP&>(manager).m_pushButtonColors;
        ASSERT_EQ(pairs[0], 3019);
        DibSurface surface(60, 60);
        CDC dc(surface.Dc());
        Args a = MakeArgs({false, true, false, true, false}, "", nullptr, false, 5,
                          RECT{5, 5, 25, 55});
        manager.DrawPushButton(dc, a);
        EXPECT_TRUE(Near(surface.At(6, 30), manager.ColorAt(3019), 12));
        EXPECT_TRUE(Near(surface.At(23, 30), manager.ColorAt(3020), 12));

        environment.SetBitsPerPixel(8);
        PM& shallow = InstallTheme(kThemes[t]);
        surface.Fill(kBackdrop);
        Args b = MakeArgs({false, true, false, true, false}, "", nullptr, false, 5,
                          RECT{5, 5, 25, 55});
        shallow.DrawPushButton(dc, b);
        EXPECT_EQ(surface.At(6, 30), shallow.ColorAt(1001));
        EXPECT_EQ(surface.At(23, 30), shallow.ColorAt(1001));
    }
}

TEST_F(PushButtonTest, TransparentButtonKeepsItsBackground)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        DibSurface surface(60, 30);
        CDC dc(surface.Dc());
        Args a = MakeArgs({false, true, false, true, true});
        a.m_transparent = 1;
        a.m_dropDown = 1;
        manager.DrawPushButton(dc, a);
        EXPECT_EQ(surface.At(15, 15), kBackdrop) << theme.name;
        EXPECT_EQ(surface.At(42, 8), kBackdrop) << theme.name << ": the drop part";
    }
}

TEST_F(PushButtonTest, EmptyRectPaintsNothing)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        DibSurface surface(60, 30);
        CDC dc(surface.Dc());
        RecordingIcon icon;
        Args a = MakeArgs({false, true, true, true, true}, "text", &icon, true, 5,
                          RECT{20, 10, 20, 30});
        manager.DrawPushButton(dc, a);
        EXPECT_TRUE(surface.EdgesAlongRow(15).empty()) << theme.name;
        EXPECT_TRUE(icon.calls.empty());
    }
}

// Where each theme asks the image to paint itself, and how.
TEST_F(PushButtonTest, IconModesAndPositions)
{
    struct Expected
    {
        int kind, x, y;
        bool brush;
    };
    const Expected none = {-1, 0, 0, false};
    const struct
    {
        const char* what;
        bool hot, pushed, enabled;
        Expected classic[2], xp[2], office[2];
    } cases[] = {
        {"normal", false, false, true, {{0, 17, 7, false}, none}, {{0, 18, 8, false}, none},
         {{0, 17, 7, false}, none}},
        {"hot: raised over its silhouette", true, false, true, {{0, 17, 7, false}, none},
         {{2, 18, 8, true}, {0, 16, 6, false}}, {{0, 17, 7, false}, none}},
        {"pushed", true, true, true, {{0, 18, 8, false}, none}, {{0, 18, 8, false}, none},
         {{0, 17, 7, false}, none}},
        {"disabled: embossed, monochrome or blended", true, false, false,
         {{1, 17, 7, false}, none}, {{2, 18, 8, true}, none}, {{3, 17, 7, true}, none}},
    };
    for (int t = 0; t < 4; ++t) {
        PM& manager = InstallTheme(kThemes[t]);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(kThemes[t].name) + " " + c.what);
            DibSurface surface(60, 30);
            CDC dc(surface.Dc());
            RecordingIcon icon;
            Args a = MakeArgs({false, c.hot, c.pushed, c.enabled, true}, "", &icon);
            manager.DrawPushButton(dc, a);
            const Expected* expected = t == 0 ? c.classic : t == 1 ? c.xp : c.office;
            const size_t count = expected[1].kind < 0 ? 1 : 2;
            ASSERT_EQ(icon.calls.size(), count);
            for (size_t i = 0; i < count; ++i) {
                EXPECT_EQ(icon.calls[i].kind, expected[i].kind) << i;
                EXPECT_EQ(icon.calls[i].at.x, expected[i].x) << i;
                EXPECT_EQ(icon.calls[i].at.y, expected[i].y) << i;
                EXPECT_EQ(icon.calls[i].withBrush, expected[i].brush) << i;
            }
            const bool blended = !c.enabled && t >= 2;
            EXPECT_EQ(icon.GetBlendColor(), blended ? manager.ColorAt(COLOR_BTNFACE)
                                                    : CExtCmdIcon::kNoBlendColor);
            EXPECT_EQ(icon.GetFadeFactor(), blended ? 0.7 : CExtCmdIcon::kDefaultFadeFactor);
        }
    }
}

TEST_F(PushButtonTest, IconPlacementByAlignment)
{
    InstallTheme(kThemes[0]);
    const RECT button = {0, 0, 60, 40};
    const struct
    {
        bool horizontal;
        UINT alignment;
        bool withText;
        POINT at;
        RECT textRoom;
    } cases[] = {
        {true, 0, true, {3, 0}, {19, 0, 60, 40}},
        {true, 1 | 4, true, {3, 12}, {19, 0, 60, 40}},
        {true, 2, true, {41, 12}, {0, 0, 41, 40}},
        {true, 2, false, {22, 0}, {0, 0, 60, 40}},
        {true, 4, false, {22, 12}, {0, 0, 60, 40}},
        {false, 1, true, {0, 3}, {0, 19, 60, 40}},
        {false, 1 | 4, true, {22, 3}, {0, 19, 60, 40}},
        {false, 2, true, {22, 21}, {0, 0, 60, 21}},
        {false, 1, false, {0, 12}, {0, 0, 60, 40}},
    };
    for (const auto& c : cases) {
        DibSurface surface(70, 50);
        CDC dc(surface.Dc());
        RecordingIcon icon;
        RECT room = {};
        g_PaintManager->DrawButtonIconAndPlaceText(dc, c.horizontal, c.withText ? "ab" : "",
                                                   &icon, button, room, false, true, false,
                                                   c.alignment);
        SCOPED_TRACE(testing::Message() << c.horizontal << " " << c.alignment << " " << c.withText);
        ASSERT_EQ(icon.calls.size(), 1u);
        EXPECT_EQ(icon.calls[0].at.x, c.at.x);
        EXPECT_EQ(icon.calls[0].at.y, c.at.y);
        EXPECT_TRUE(::EqualRect(&room, &c.textRoom))
            << room.left << "," << room.top << "," << room.right << "," << room.bottom;
    }
    // No image, or an empty one, takes no room and paints nothing.
    RecordingIcon empty(CSize(0, 0));
    for (CExtCmdIcon* icon : {static_cast<CExtCmdIcon*>(nullptr), static_cast<CExtCmdIcon*>(&empty)}) {
        DibSurface surface(70, 50);
        CDC dc(surface.Dc());
        RECT room = {};
        g_PaintManager->DrawButtonIconAndPlaceText(dc, true, "ab", icon, button, room, false, true,
                                                   false, 0);
        EXPECT_TRUE(::EqualRect(&room, &button));
    }
    EXPECT_TRUE(empty.calls.empty());
}

// Without icon and window command the text room still loses 2 pixels at both ends along the
// button, as the focus rectangle 3 pixels inside it shows; a disabled button has no focus.
TEST_F(PushButtonTest, FocusRectangleInsideTheShortenedTextRoom)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        for (bool horizontal : {true, false}) {
            for (bool enabled : {true, false}) {
                SCOPED_TRACE(testing::Message() << theme.name << " horizontal " << horizontal
                                                << " enabled " << enabled);
                const RECT rect = {5, 5, 45, 45};
                DibSurface surface(60, 60);
                CDC dc(surface.Dc());
                Args a = MakeArgs({true, false, false, enabled, false}, "", nullptr, horizontal, 5,
                                  rect);
                a.m_focus = 1;
                manager.DrawPushButton(dc, a);
                const COLORREF fill = surface.At(25, 25);
                const int along = 5 + 2 + 3, across = 5 + 3;
                const int x = horizontal ? along : across, y = horizontal ? across : along;
                EXPECT_EQ(surface.At(x - 1, y + 1), fill);
                EXPECT_EQ(surface.At(x + 1, y - 1), fill);
                // The dotted line marks every other pixel.
                const bool top = surface.At(x + 1, y) != fill || surface.At(x + 2, y) != fill;
                const bool side = surface.At(x, y + 1) != fill || surface.At(x, y + 2) != fill;
                EXPECT_EQ(top, enabled);
                EXPECT_EQ(side, enabled);
            }
        }
    }
}

// The colours, mode and font of the DC come back as they were, whatever was painted.
TEST_F(PushButtonTest, DeviceContextAttributesAreRestored)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        for (bool horizontal : {true, false}) {
            for (bool enabled : {true, false}) {
                DibSurface surface(60, 60);
                CDC dc(surface.Dc());
                HFONT font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
                HGDIOBJ original = dc.SelectObject(font);
                dc.SetTextColor(RGB(1, 2, 3));
                dc.SetBkColor(RGB(4, 5, 6));
                dc.SetBkMode(OPAQUE);
                RecordingIcon icon;
                Args a = MakeArgs({false, true, true, enabled, true}, "&Open", &icon, horizontal,
                                  5, RECT{0, 0, 50, 50});
                a.m_dropDown = 1;
                a.m_focus = 1;
                manager.DrawPushButton(dc, a);
                EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3)) << theme.name;
                EXPECT_EQ(dc.GetBkColor(), RGB(4, 5, 6)) << theme.name;
                EXPECT_EQ(::GetBkMode(dc), OPAQUE) << theme.name;
                EXPECT_EQ(dc.GetCurrentObject(OBJ_FONT), font) << theme.name;
                dc.SelectObject(original);
            }
        }
    }
}

// Turned text gets no underline from the system: the button draws the mnemonic's line itself,
// below the text's column and as long as the marked character; the classic theme's disabled
// text has a light copy one pixel right and down.
TEST_F(PushButtonTest, VerticalMnemonicUnderline)
{
    for (const ThemeCase& theme : kThemes) {
        PM& manager = InstallTheme(theme);
        for (bool enabled : {true, false}) {
            SCOPED_TRACE(testing::Message() << theme.name << " enabled " << enabled);
            const RECT rect = {0, 0, 30, 90};
            DibSurface surface(40, 100);
            CDC dc(surface.Dc());
            Args a = MakeArgs({true, false, false, enabled, false}, "ab&cd", nullptr, false, 5,
                              rect);
            manager.DrawPushButton(dc, a);
            HFONT flat = static_cast<HFONT>(manager.Font(PM::kFontNormal).GetSafeHandle());
            const int before = PM::MeasureTextWidth(dc, flat, "ab");
            const int through = PM::MeasureTextWidth(dc, flat, "abc");
            const RECT whole = PM::MeasureTextRect(dc, flat, "abcd");
            // The text room is the button shortened by 2 at top and bottom.
            const int top = 2, width = 30;
            const int x = (width - whole.bottom) / 2 - 1;
            const COLORREF text = !enabled ? manager.ColorAt(COLOR_BTNSHADOW)
                                           : manager.ColorAt(COLOR_BTNTEXT);
            for (int y = top + 2 + before; y < top + 2 + through; ++y)
                EXPECT_EQ(surface.At(x, y), text) << y;
            EXPECT_NE(surface.At(x, top + 2 + through), text);
            if (!theme.flatFamily && !enabled) {
                EXPECT_EQ(surface.At(x + 1, top + 3 + through - 1),
                          manager.ColorAt(COLOR_BTNHIGHLIGHT));
            }
        }
    }
}

// A double-byte mnemonic character is underlined over its whole width.
TEST_F(PushButtonTest, VerticalMnemonicOnADoubleByteCharacter)
{
    PM& manager = InstallTheme(kThemes[1]);
    const RECT rect = {0, 0, 30, 90};
    DibSurface surface(40, 100);
    CDC dc(surface.Dc());
    Args a = MakeArgs({true, false, false, true, false}, "a&表b", nullptr, false, 5, rect);
    manager.DrawPushButton(dc, a);
    HFONT flat = static_cast<HFONT>(manager.Font(PM::kFontNormal).GetSafeHandle());
    const int before = PM::MeasureTextWidth(dc, flat, "a");
    const int through = PM::MeasureTextWidth(dc, flat, "a表");
    // Wider than a one-byte character, so an underline of one byte's width would fall short.
    ASSERT_GT(through - before, PM::MeasureTextWidth(dc, flat, "aｱ") - before);
    const int x = (30 - PM::MeasureTextRect(dc, flat, "a表b").bottom) / 2 - 1;
    for (int y = 4 + before; y < 4 + through; ++y)
        EXPECT_EQ(surface.At(x, y), manager.ColorAt(COLOR_BTNTEXT)) << y;
}

TEST_F(PushButtonTest, MeasuresOneLineAtTheOrigin)
{
    InstallTheme(kThemes[1]);
    DibSurface surface(10, 10);
    CDC dc(surface.Dc());
    HFONT font = static_cast<HFONT>(g_PaintManager->Font(PM::kFontNormal).GetSafeHandle());
    const RECT rect = PM::MeasureTextRect(dc, font, "Quorvex");
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_GT(rect.right, 0);
    EXPECT_EQ(PM::MeasureTextWidth(dc, font, "Quorvex"), rect.right);
    EXPECT_GT(PM::MeasureTextWidth(dc, font, "a\tb"), PM::MeasureTextWidth(dc, font, "ab") + 8)
        << "tabs are expanded";
    EXPECT_EQ(dc.GetCurrentObject(OBJ_FONT), ::GetStockObject(SYSTEM_FONT)) << "font restored";
}

} // namespace
