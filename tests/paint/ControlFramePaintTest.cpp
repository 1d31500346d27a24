#include <gtest/gtest.h>

#include <memory>

#include "framework/paint/PaintManagerHolder.h"
#include "platform/Wnd.h"
#include "tests/paint/ThemeCases.h"

namespace {

using M = CExtPaintManager;

// Rings 1-3 are the window colour; rings 4 and 5 show the state.
TEST(ControlFramePaint, EditRingsPerState)
{
    InjectedEnvironment environment;
    const RECT inner = {10, 10, 50, 30};
    const struct
    {
        int theme;
        bool hot, enabled, focused;
        int ring4[2], ring5[2];  // top-left, bottom-right
    } cases[] = {
        {1, true, true, true, {21, 15}, {16, 20}},
        {1, true, true, false, {16, 20}, {1000, 1000}},
        {1, false, true, true, {16, 20}, {1000, 1000}},
        {1, true, false, true, {1000, 1000}, {1000, 1000}},
        {1, false, true, false, {1000, 1000}, {1000, 1000}},
        {2, true, true, true, {2004, 2004}, {2004, 2004}},
        {2, false, true, true, {2004, 2004}, {1000, 1000}},
        {2, true, false, true, {1000, 1000}, {1000, 1000}},
        {3, true, true, true, {2004, 2004}, {2004, 2004}},
        {4, true, true, false, {2004, 2004}, {1000, 1000}},
    };
    for (const auto& c : cases) {
        CExtPaintManager& manager = InstallTheme(c.theme);
        PaintSurface surface(60, 40);
        M::EditFrameArgs_t args(nullptr, inner, true, c.hot, c.enabled, c.focused);
        manager.DrawEditFrame(surface.Cdc(), args);
        const std::string state = std::to_string(c.theme) + (c.hot ? " hot" : "") +
                                  (c.enabled ? " enabled" : "") + (c.focused ? " focused" : "");
        for (int ring = 0; ring < 3; ++ring) {
            EXPECT_EQ(surface.At(30, 10 - ring), manager.ColorAt(COLOR_WINDOW)) << state;
            EXPECT_EQ(surface.At(49 + ring, 20), manager.ColorAt(COLOR_WINDOW)) << state;
        }
        EXPECT_EQ(surface.At(30, 7), manager.ColorAt(c.ring4[0])) << state;
        EXPECT_EQ(surface.At(52, 20), manager.ColorAt(c.ring4[1])) << state;
        EXPECT_EQ(surface.At(6, 20), manager.ColorAt(c.ring5[0])) << state;
        EXPECT_EQ(surface.At(30, 33), manager.ColorAt(c.ring5[1])) << state;
        EXPECT_TRUE(surface.Untouched(RECT{11, 11, 49, 29})) << "the edit's own area stays";
        EXPECT_EQ(surface.At(5, 5), PaintSurface::kBlank) << "five rings, no more";
    }
}

// The drop-down button is the right SM_CXHTHUMB pixels of the field, with the 3-pixel gap strip
// to its left; it shows Marlett's arrow as a flat push button.
TEST(ControlFramePaint, ComboFrameRingsGapAndButton)
{
    InjectedEnvironment environment;
    const int thumb = ::GetSystemMetrics(SM_CXHTHUMB);
    const RECT rect = {0, 0, 100, 22};
    const int buttonLeft = 99 - thumb;  // of the field deflated by 1
    const struct
    {
        int theme;
        bool hot, dropped, enabled;
        int outer[2], inner, gap;
    } cases[] = {
        {1, false, false, true, {1000, 1000}, 1000, COLOR_WINDOW},
        {1, true, false, true, {1007, 1005}, 1000, COLOR_WINDOW},
        {1, false, true, true, {1007, 1005}, 1000, COLOR_WINDOW},
        {1, false, false, false, {1000, 1000}, 1004, 1000},
        {2, false, false, true, {1000, 1000}, 2001, COLOR_WINDOW},
        {2, true, false, true, {1000, 1000}, 2004, COLOR_WINDOW},
        {2, false, false, false, {1000, 1000}, 2001, 15},
        {3, false, true, true, {1000, 1000}, 2004, COLOR_WINDOW},
        {4, false, false, true, {1000, 1000}, 2001, COLOR_WINDOW},
    };
    for (const auto& c : cases) {
        CExtPaintManager& manager = InstallTheme(c.theme);
        PaintSurface surface(100, 22);
        M::ComboFrameArgs_t args(nullptr, rect, c.hot, c.dropped, c.enabled);
        manager.DrawComboFrame(surface.Cdc(), args);
        const std::string state = std::to_string(c.theme) + (c.hot ? " hot" : "") +
                                  (c.dropped ? " dropped" : "") + (c.enabled ? "" : " disabled");
        EXPECT_EQ(surface.At(0, 10), manager.ColorAt(c.outer[0])) << state;
        EXPECT_EQ(surface.At(99, 10), manager.ColorAt(c.outer[1])) << state;
        EXPECT_EQ(surface.At(1, 10), manager.ColorAt(c.inner)) << state;
        EXPECT_EQ(surface.At(buttonLeft - 1, 10), manager.ColorAt(c.gap)) << state;
        EXPECT_TRUE(surface.Untouched(RECT{2, 2, buttonLeft - 1, 20})) << "the text field stays";
        int arrow = 0;
        for (int y = 3; y < 19; ++y) {
            for (int x = buttonLeft + 3; x < 97; ++x)
                arrow += surface.At(x, y) != surface.At(buttonLeft + 3, 3);
        }
        EXPECT_GT(arrow, 3) << "the arrow shows in the button " << state;
    }
}

// A caller's own background holds only while the mouse is away and the list is closed; a popup
// menu's combo item draws no outer ring.
TEST(ControlFramePaint, ComboOwnColoursAndNoOuterRing)
{
    InjectedEnvironment environment;
    const RECT rect = {0, 0, 100, 22};
    const COLORREF own = RGB(250, 240, 200), hotBorder = RGB(200, 0, 0);
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        for (const bool hot : {false, true}) {
            PaintSurface surface(100, 22);
            M::ComboFrameArgs_t args(nullptr, rect, hot, false, true);
            args.m_backgroundColor = own;
            args.m_hotBorderColor = hotBorder;
            manager.DrawComboFrame(surface.Cdc(), args);
            const COLORREF expected = !hot ? own
                                      : theme == 1 ? manager.ColorAt(1007)
                                                   : hotBorder;
            EXPECT_EQ(surface.At(30, 0), expected) << theme << (hot ? " hot" : "");
        }
        PaintSurface surface(100, 22);
        M::ComboFrameArgs_t args(nullptr, rect, false, false, true);
        args.m_noOuterRing = 1;
        manager.DrawComboFrame(surface.Cdc(), args);
        if (theme == 1) {
            EXPECT_EQ(surface.At(30, 0), manager.ColorAt(1000)) << "the base theme keeps its ring";
        } else {
            EXPECT_EQ(surface.At(30, 0), PaintSurface::kBlank) << theme;
            EXPECT_EQ(surface.At(30, 1), manager.ColorAt(2001)) << theme;
        }
    }
}

// Office 2003 and Studio 2005 continue the frame's band behind an edit's idle rings and around a
// combo box; the band is the one the window's top-level parent shows at that place.
class FrameBandFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr));
        m_band = std::make_unique<PaintSurface>(400, 100);
    }
    // A child control at (300, 20) and the band the frame shows, painted by the theme.
    CWnd* Child(const char* windowClass, DWORD style = 0)
    {
        HWND child = ::CreateWindowExA(0, windowClass, "", WS_CHILD | style, 300, 20, 100, 24,
                                       m_frame.m_hWnd, nullptr, nullptr, nullptr);
        auto& manager = static_cast<CExtPaintManagerOffice2003&>(*g_PaintManager.GetHeldObject());
        manager.DrawGradientBand(m_band->Cdc(), RECT{0, 0, 400, 100}, nullptr, 0);
        return CWnd::FromHandle(child);
    }
    // The band's pixel behind the child's client point (x, y).
    COLORREF Band(int x, int y) const { return m_band->At(x + 300, y + 20); }

    InjectedEnvironment m_environment;
    CWnd m_frame;
    std::unique_ptr<PaintSurface> m_band;
};

TEST_F(FrameBandFixture, EditRingsGiveWayToTheBand)
{
    for (const int theme : {3, 4}) {
        CExtPaintManager& manager = InstallTheme(theme);
        CWnd* edit = Child("Edit");
        const RECT inner = {10, 2, 50, 20};
        for (const bool active : {false, true}) {
            PaintSurface surface(100, 24);
            M::EditFrameArgs_t args(edit, inner, true, active, true, active);
            manager.DrawEditFrame(surface.Cdc(), args);
            EXPECT_EQ(surface.At(30, 21), manager.ColorAt(COLOR_WINDOW)) << "ring 3 stays";
            EXPECT_EQ(surface.At(30, 22), active ? manager.ColorAt(2004) : Band(30, 22)) << theme;
            EXPECT_EQ(surface.At(30, 23), active ? manager.ColorAt(2004) : Band(30, 23)) << theme;
            EXPECT_EQ(surface.At(2, 10), Band(2, 10)) << "outside the rings " << theme;
            EXPECT_EQ(surface.At(8, 10), manager.ColorAt(COLOR_WINDOW)) << theme;
        }
    }
}

TEST_F(FrameBandFixture, ComboBoxStandsOnTheBand)
{
    CExtPaintManager& manager = InstallTheme(3);
    CWnd* combo = Child("ComboBox", CBS_DROPDOWNLIST);
    const RECT rect = {0, 0, 100, 22};
    for (const bool hot : {false, true}) {
        PaintSurface surface(100, 24);
        M::ComboFrameArgs_t args(combo, rect, hot, false, true);
        manager.DrawComboFrame(surface.Cdc(), args);
        EXPECT_EQ(surface.At(30, 0), Band(30, 0)) << "the outer ring shows the band";
        EXPECT_EQ(surface.At(30, 1), manager.ColorAt(hot ? 2004 : COLOR_WINDOW));
        EXPECT_TRUE(surface.Untouched(RECT{2, 2, 78, 20})) << "the field is the control's own";
    }
    // Disabled: the XP frame inside, the band around it.
    PaintSurface surface(100, 24);
    M::ComboFrameArgs_t args(combo, rect, false, false, false);
    manager.DrawComboFrame(surface.Cdc(), args);
    EXPECT_EQ(surface.At(30, 0), Band(30, 0));
    EXPECT_EQ(surface.At(30, 1), manager.ColorAt(2001));
    // At 8 bits per pixel there is no band: the XP frame whole.
    m_environment.SetBitsPerPixel(8);
    CExtPaintManager& shallow = InstallTheme(3);
    PaintSurface flat(100, 24);
    M::ComboFrameArgs_t idle(combo, rect, false, false, true);
    shallow.DrawComboFrame(flat.Cdc(), idle);
    EXPECT_EQ(flat.At(30, 0), shallow.ColorAt(1000));
}

TEST(ControlFramePaint, StatusPaneFramePerTheme)
{
    InjectedEnvironment environment;
    const int colors[4][2] = {{1006, 1004}, {16, 16}, {3014, 3014}, {3014, 3014}};
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        PaintSurface surface(40, 20);
        const RECT pane = {5, 2, 35, 18};
        manager.DrawStatusBarFrame(surface.Cdc(),
                                   M::StatusPaneArgs_t(nullptr, M::StatusPaneArgs_t::kPaneFrame, 0,
                                                       pane));
        EXPECT_EQ(surface.At(5, 10), manager.ColorAt(colors[theme - 1][0])) << theme;
        EXPECT_EQ(surface.At(20, 2), manager.ColorAt(colors[theme - 1][0])) << theme;
        EXPECT_EQ(surface.At(34, 10), manager.ColorAt(colors[theme - 1][1])) << theme;
        EXPECT_EQ(surface.At(20, 17), manager.ColorAt(colors[theme - 1][1])) << theme;
        EXPECT_TRUE(surface.Untouched(RECT{6, 3, 34, 17})) << theme;
    }
}

TEST(ControlFramePaint, StatusBarBorderLines)
{
    InjectedEnvironment environment;
    using A = M::StatusPaneArgs_t;
    const int g = 2 * ::GetSystemMetrics(SM_CYBORDER);
    const RECT bar = {0, 0, 60, 20};
    for (int theme = 1; theme <= 4; ++theme) {
        CExtPaintManager& manager = InstallTheme(theme);
        const COLORREF line = manager.ColorAt(1000);
        {
            PaintSurface surface(60, 20);
            manager.DrawStatusBarFrame(surface.Cdc(),
                                       A(nullptr, A::kBarBorders, A::kBorderDouble, bar));
            EXPECT_TRUE(surface.Untouched(bar)) << "no border bits, nothing painted";
        }
        {
            PaintSurface surface(60, 20);
            const DWORD all = A::kBorderLeft | A::kBorderTop | A::kBorderRight | A::kBorderBottom;
            manager.DrawStatusBarFrame(surface.Cdc(), A(nullptr, A::kBarBorders, all, bar));
            EXPECT_EQ(surface.At(30, 0), line);
            EXPECT_EQ(surface.At(30, 19), line);
            EXPECT_EQ(surface.At(0, g), line);
            EXPECT_EQ(surface.At(0, 19 - g), line);
            EXPECT_EQ(surface.At(0, g - 1), PaintSurface::kBlank) << "side lines leave the top g";
            EXPECT_EQ(surface.At(59, 10), line);
            EXPECT_EQ(surface.At(1, 10), PaintSurface::kBlank);
            EXPECT_EQ(surface.At(30, 1), PaintSurface::kBlank);
        }
        {
            PaintSurface surface(60, 20);
            const DWORD style = A::kBorderLeft | A::kBorderRight | A::kBorderDouble;
            manager.DrawStatusBarFrame(surface.Cdc(), A(nullptr, A::kBarBorders, style, bar));
            for (const int x : {0, 1, 58, 59})
                EXPECT_EQ(surface.At(x, 0), line) << "double lines reach the full height " << x;
            EXPECT_EQ(surface.At(2, 10), PaintSurface::kBlank);
            EXPECT_EQ(surface.At(57, 10), PaintSurface::kBlank);
            EXPECT_TRUE(surface.Untouched(RECT{2, 0, 58, 20}));
        }
    }
}

} // namespace
