#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/FrameWnd.h"
#include "tests/paint/FakeBars.h"
#include "tests/paint/ThemeFixture.h"

namespace {

using PM = CExtPaintManager;
using BarPaintingTest = ThemeFixture;

// A borderless frame holding bar windows made from the fakes, laid out in frame coordinates.
class FrameWithBars
{
public:
    FrameWithBars(int width, int height)
    {
        m_frame = new CFrameWnd;
        m_created = m_frame->LoadFrame(0, WS_POPUP) != FALSE;
        if (m_created)
            m_frame->MoveWindow(0, 0, width, height, FALSE);
    }
    ~FrameWithBars()
    {
        for (CWnd* child : m_children)
            child->DestroyWindow();
        if (m_created)
            m_frame->DestroyWindow();
    }
    FrameWithBars(const FrameWithBars&) = delete;
    FrameWithBars& operator=(const FrameWithBars&) = delete;

    // window is the fake's window, parent its parent (the frame when null).
    void Place(CWnd& window, const RECT& at, CWnd* parent = nullptr)
    {
        window.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, at.left, at.top,
                        at.right - at.left, at.bottom - at.top,
                        parent ? parent->m_hWnd : m_frame->m_hWnd, nullptr);
        m_children.insert(m_children.begin(), &window);
    }
    CFrameWnd& Frame() { return *m_frame; }
    RECT ClientRect() const
    {
        RECT client = {};
        m_frame->GetClientRect(&client);
        return client;
    }
    bool Created() const { return m_created; }

private:
    CFrameWnd* m_frame;
    bool m_created = false;
    std::vector<CWnd*> m_children;
};

TEST_F(BarPaintingTest, LeadingSpaceAndRowGradientFollowTheBarsState)
{
    enum Kind { kToolBar, kFramelessToolBar, kPanelBar, kMenuBar };
    struct Case
    {
        Kind kind;
        bool floating;
        int bits;
        int classicSpace, officeSpace;
        bool officeGradient;
    } const cases[] = {
        {kToolBar, false, 32, 6, 6, false},
        {kToolBar, true, 32, 6, 0, true},
        {kToolBar, true, 8, 6, 6, false},
        {kFramelessToolBar, true, 32, 6, 0, false},
        {kPanelBar, true, 32, 6, 6, false},
        {kMenuBar, true, 32, 0, 0, false},
        {kMenuBar, false, 32, 0, 0, false},
    };
    for (const Case& c : cases) {
        environment.SetBitsPerPixel(c.bits);
        FakeToolBar toolBar;
        FakePanelBar panelBar;
        FakeMenuBar menuBar;
        toolBar.frameless = c.kind == kFramelessToolBar;
        CExtPaintedBar* bars[] = {&toolBar, &toolBar, &panelBar, &menuBar};
        CObject* owners[] = {&toolBar, &toolBar, &panelBar, &menuBar};
        if (c.floating) {
            toolBar.Float();
            panelBar.Float();
            menuBar.Float();
        }
        ASSERT_EQ(c.floating, bars[c.kind]->IsFloating());
        for (int theme : kAllThemes) {
            PM& manager = Use(theme);
            SCOPED_TRACE(testing::Message() << "kind " << c.kind << " floating " << c.floating
                                            << " bits " << c.bits << " theme " << theme);
            const bool office = theme >= kThemeOffice2003;
            EXPECT_EQ(office ? c.officeSpace : c.classicSpace,
                      manager.GetToolBarLeadingSpace(owners[c.kind]));
            EXPECT_EQ(office && c.officeGradient, manager.HasToolBarGradient(owners[c.kind]));
        }
    }
}

TEST_F(BarPaintingTest, FlatFillsOfBarsAndDockBars)
{
    for (int theme : kAllThemes) {
        PM& manager = Use(theme);
        SCOPED_TRACE(theme);
        DibSurface surface(20, 10);
        CDC dc(surface.Dc());
        // A window that is no toolbar, and no outer dock bar, gets the flat fills everywhere.
        manager.DrawControlBarBackground(dc, RECT{0, 0, 10, 10}, nullptr, 0);
        manager.DrawDockBarBackground(dc, RECT{10, 0, 20, 10}, nullptr, 0);
        manager.DrawControlBarBackground(dc, RECT{5, 5, 5, 10}, nullptr, 0);
        EXPECT_EQ(manager.ColorAt(1000), surface.At(9, 9));
        EXPECT_EQ(manager.ColorAt(COLOR_3DFACE), surface.At(10, 0));
        EXPECT_EQ(manager.CanDrawChildBackground(nullptr, 0), theme >= kThemeOffice2003);
    }
}

// Each bar paints the frame's band over the frame's whole client area, clipped to itself, so two
// bars side by side show one band.
TEST_F(BarPaintingTest, OfficeBandRunsOnAcrossAdjacentBars)
{
    for (int theme : {kThemeOffice2003, kThemeStudio2005}) {
        PM& manager = Use(theme);
        FrameWithBars frame(400, 60);
        ASSERT_TRUE(frame.Created());
        FakeMenuBar left, right;
        frame.Place(left, RECT{0, 0, 150, 26});
        frame.Place(right, RECT{150, 0, 300, 26});
        // The band spans the client area the frame really got.
        const RECT client = frame.ClientRect();
        ASSERT_GE(client.right, 300);
        DibSurface whole(client.right, 26), leftPart(150, 26), rightPart(150, 26);
        CDC wholeDc(whole.Dc()), leftDc(leftPart.Dc()), rightDc(rightPart.Dc());
        static_cast<CExtPaintManagerOffice2003&>(manager).DrawGradientBand(wholeDc, client,
                                                                           nullptr, 0);
        manager.DrawControlBarBackground(leftDc, RECT{0, 0, 150, 26}, &left, 0);
        manager.DrawControlBarBackground(rightDc, RECT{0, 0, 150, 26}, &right, 0);
        for (int x : {0, 74, 149}) {
            EXPECT_EQ(whole.At(x, 10), leftPart.At(x, 10)) << x;
            EXPECT_EQ(whole.At(150 + x, 10), rightPart.At(x, 10)) << x;
        }
        EXPECT_NE(whole.At(0, 10), whole.At(299, 10)) << "a band, not a flat fill";

        environment.SetBitsPerPixel(8);
        rightPart.Fill(kUntouched);
        manager.DrawControlBarBackground(rightDc, RECT{0, 0, 150, 26}, &right, 0);
        EXPECT_EQ(manager.ColorAt(1000), rightPart.At(0, 10)) << "at 8 bits the XP fill";
        environment.SetBitsPerPixel(32);
    }
}

TEST_F(BarPaintingTest, OfficeDockedToolBarHasARoundedBodyWithAnEdgeLine)
{
    environment.SetScheme(1);
    PM& manager = Use(kThemeOffice2003);
    FrameWithBars frame(300, 60);
    ASSERT_TRUE(frame.Created());
    FakeToolBar toolBar;
    frame.Place(toolBar, RECT{0, 0, 100, 26});
    DibSurface surface(100, 26);
    CDC dc(surface.Dc());
    manager.DrawControlBarBackground(dc, RECT{0, 0, 100, 26}, &toolBar, 0);
    EXPECT_EQ(manager.ColorAt(3005), surface.At(50, 24)) << "the edge line 2 above the bottom";
    EXPECT_EQ(surface.At(0, 0), surface.At(50, 0)) << "the leading end is square";
    EXPECT_NE(surface.At(0, 0), surface.At(99, 0)) << "the far end is rounded off";
    EXPECT_NE(surface.At(50, 2), surface.At(50, 20)) << "the body is a gradient";

    toolBar.Float();
    surface.Fill(kUntouched);
    manager.DrawControlBarBackground(dc, RECT{0, 0, 100, 26}, &toolBar, 0);
    EXPECT_EQ(manager.ColorAt(1000), surface.At(99, 0)) << "a floating toolbar is filled flat";
}

TEST_F(BarPaintingTest, ChildBackgroundContinuesTheFirstToolBarAncestor)
{
    PM& manager = Use(kThemeOffice2003);
    FrameWithBars frame(300, 60);
    ASSERT_TRUE(frame.Created());
    FakeToolBar toolBar;
    toolBar.Float();
    toolBar.window = toolBar.client = RECT{0, 0, 100, 26};
    frame.Place(toolBar, RECT{0, 0, 100, 26});
    CWnd onToolBar, onFrame;
    frame.Place(onToolBar, RECT{10, 5, 30, 15}, &toolBar);
    frame.Place(onFrame, RECT{200, 30, 220, 40});

    DibSurface reference(300, 60), child(20, 10);
    CDC referenceDc(reference.Dc()), childDc(child.Dc());
    CExtPaintManager::PaintGradientRect(referenceDc, RECT{0, 0, 100, 26}, manager.ColorAt(3001),
                          manager.ColorAt(3000), true);
    EXPECT_TRUE(manager.DrawChildBackground(childDc, &onToolBar, 0));
    EXPECT_EQ(reference.At(10, 5), child.At(0, 0));
    EXPECT_EQ(reference.At(29, 14), child.At(19, 9));

    static_cast<CExtPaintManagerOffice2003&>(manager).DrawGradientBand(
        referenceDc, frame.ClientRect(), nullptr, 0);
    EXPECT_TRUE(manager.DrawChildBackground(childDc, &onFrame, 0));
    EXPECT_EQ(reference.At(200, 30), child.At(0, 0)) << "no toolbar above: the frame's band";

    environment.SetBitsPerPixel(8);
    EXPECT_FALSE(manager.DrawChildBackground(childDc, &onFrame, 0));
    environment.SetBitsPerPixel(32);
    EXPECT_FALSE(Use(kThemeXp).DrawChildBackground(childDc, &onFrame, 0));
}

TEST_F(BarPaintingTest, ButtonOverItsMenuGetsAGradientAndOnVerticalBarsAFrame)
{
    FakeToolBar vertical;
    vertical.DockLeft();
    struct Case
    {
        bool colorButton, separateDropDown, framed;
    } const cases[] = {{false, false, true}, {true, false, false}, {false, true, false}};
    PM& manager = Use(kThemeOffice2003);
    for (const Case& c : cases) {
        FakeButton plain;
        FakeColorButton color;
        plain.bar = color.bar = &vertical;
        plain.rect = color.rect = RECT{0, 0, 20, 20};
        plain.separateDropDown = color.separateDropDown = c.separateDropDown;
        DibSurface surface(20, 20);
        CDC dc(surface.Dc());
        manager.DrawBarClientGradient(dc, c.colorButton ? static_cast<CObject*>(&color) : &plain,
                                      0);
        EXPECT_EQ(c.framed, surface.At(0, 0) == manager.ColorAt(2004));
        EXPECT_EQ(manager.ColorAt(3016), surface.At(1, 18)) << "the gradient's bottom colour";
    }
    DibSurface surface(20, 20);
    CDC dc(surface.Dc());
    FakeButton button;
    button.rect = RECT{0, 0, 20, 20};
    Use(kThemeXp).DrawBarClientGradient(dc, &button, 0);
    Use(kThemeOffice2003).DrawBarClientGradient(dc, nullptr, 0);
    EXPECT_EQ(kUntouched, surface.At(10, 10));
}

} // namespace
