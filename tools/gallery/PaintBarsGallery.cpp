// The bars sheet: floating and docked borders, captions (active, inactive, floating, vertical),
// grippers, docked toolbars on a frame with their expand buttons, the expand button's states,
// separators and size grips.
#include "tools/gallery/PaintBarsGallery.h"

#include <functional>

#include "platform/FrameWnd.h"
#include "tests/paint/FakeBars.h"
#include "tools/gallery/GalleryCanvas.h"

namespace {

const int kWidth = 900, kHeight = 600;

// Paints into a surface of its own, so that painters that clip in device coordinates see the
// origin they expect, and copies the result onto the sheet.
void Inset(CDC& sheet, CExtPaintManager& manager, int x, int y, int width, int height,
           const std::function<void(CDC&)>& paint)
{
    Canvas part(width, height);
    part.Dc().FillSolidRect(0, 0, width, height, manager.ColorAt(1000));
    part.Dc().SelectObject(&manager.Font(CExtPaintManager::kFontNormal));
    paint(part.Dc());
    sheet.BitBlt(x, y, width, height, &part.Dc(), 0, 0, SRCCOPY);
}

void Borders(CDC& dc, CExtPaintManager& manager, int top)
{
    Text(dc, 10, top, "borders and captions: floating resizable, floating toolbar, docked pane, docked inactive",
         manager.ColorAt(1010));
    top += 18;
    FakeControlBar pane;
    pane.window = RECT{0, 0, 200, 90};
    pane.client = RECT{3, 21, 197, 87};
    struct Frame
    {
        bool floating, resizable, active;
    } const frames[] = {{true, true, true}, {true, false, false}, {false, true, true},
                        {false, true, false}};
    int x = 10;
    for (const Frame& f : frames) {
        Inset(dc, manager, x, top, 200, 90, [&](CDC& part) {
            const RECT window = {0, 0, 200, 90}, client = {4, 22, 196, 86};
            manager.DrawBarBorders(part, CExtPaintManager::BarBordersArgs_t(
                                             f.floating ? nullptr : &pane, window, client,
                                             f.floating, f.resizable, !f.floating && f.resizable));
            ::SelectClipRgn(part, nullptr);
            const RECT caption = {3, 3, 197, 21}, text = {6, 3, 170, 21};
            CExtPaintManager::BarCaptionArgs_t args(f.floating ? nullptr : &pane, caption, text,
                                                    f.active, f.floating, false, f.resizable,
                                                    "Log pane");
            manager.DrawBarCaption(part, args);
            ::SelectClipRgn(part, nullptr);
        });
        x += 215;
    }
    top += 100;
    // A pane docked on the left side of the frame shows its caption down its left edge.
    Inset(dc, manager, 10, top, 120, 140, [&](CDC& part) {
        const RECT caption = {0, 0, 20, 140}, text = {0, 20, 20, 140};
        CExtPaintManager::BarCaptionArgs_t args(&pane, caption, text, true, false, true, true,
                                                "Vertical");
        manager.DrawBarCaption(part, args);
    });
}

// A frame with a docked horizontal and a docked vertical toolbar, painted as the toolbars paint
// themselves: background, gripper, separators, expand button.
void ToolBars(CDC& dc, CExtPaintManager& manager, int top)
{
    Text(dc, 150, top, "docked toolbars: background, gripper, separator, expand button (hidden buttons)",
         manager.ColorAt(1010));
    top += 18;
    CFrameWnd* frame = new CFrameWnd;
    if (!frame->LoadFrame(0, WS_POPUP))
        return;
    frame->MoveWindow(0, 0, 600, 200, FALSE);
    FakeToolBar horizontal, vertical;
    FakeExpandButton horizontalExpand, verticalExpand;
    horizontal.window = horizontal.client = RECT{0, 0, 240, 26};
    vertical.window = vertical.client = RECT{0, 0, 26, 150};
    vertical.DockLeft();
    horizontal.expandButton = &horizontalExpand;
    vertical.expandButton = &verticalExpand;
    horizontalExpand.bar = &horizontal;
    verticalExpand.bar = &vertical;
    horizontal.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 40, 0, 240, 26, frame->m_hWnd,
                        nullptr);
    vertical.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 30, 26, 150, frame->m_hWnd,
                      nullptr);
    struct Placed
    {
        FakeToolBar& bar;
        FakeExpandButton& expand;
        bool horizontal;
        RECT at;
    } const bars[] = {{horizontal, horizontalExpand, true, {190, top, 430, top + 26}},
                      {vertical, verticalExpand, false, {150, top + 30, 176, top + 180}}};
    for (const Placed& p : bars) {
        const int width = p.at.right - p.at.left, height = p.at.bottom - p.at.top;
        Inset(dc, manager, p.at.left, p.at.top, width, height, [&](CDC& part) {
            const RECT all = {0, 0, width, height};
            manager.DrawControlBarBackground(part, all, &p.bar, 0);
            const RECT grip = p.horizontal ? RECT{0, 0, 10, height} : RECT{0, 0, width, 10};
            CExtPaintManager::BarCaptionArgs_t args(&p.bar, grip, grip, false, false,
                                                    p.horizontal, false, nullptr);
            manager.DrawBarCaption(part, args);
            const RECT separator = p.horizontal ? RECT{60, 0, 68, height} : RECT{0, 60, width, 68};
            manager.DrawSeparator(part, separator, p.horizontal, true, &p.bar, 0);
            const RECT expand = p.horizontal ? RECT{width - 14, 0, width, height}
                                             : RECT{0, height - 14, width, height};
            manager.DrawToolBarExpandButton(part, expand, p.horizontal, false, true, false,
                                            false, &p.expand, 0, true);
        });
    }
    horizontal.DestroyWindow();
    vertical.DestroyWindow();
    frame->DestroyWindow();
}

void ExpandButtons(CDC& dc, CExtPaintManager& manager, int top)
{
    Text(dc, 10, top,
         "expand buttons: normal, hot, pushed, disabled; all visible; vertical (no toolbar)",
         manager.ColorAt(1010));
    top += 18;
    struct State
    {
        bool hot, pushed, enabled, allVisible;
    } const states[] = {{false, false, true, false}, {true, false, true, false},
                        {false, true, true, false},  {false, false, false, false},
                        {false, false, true, true}};
    int x = 10;
    for (bool horizontal : {true, false}) {
        for (const State& s : states) {
            const int width = horizontal ? 14 : 26, height = horizontal ? 26 : 14;
            Inset(dc, manager, x, top, width, height, [&](CDC& part) {
                manager.DrawToolBarExpandButton(part, RECT{0, 0, width, height}, horizontal,
                                                s.allVisible, s.enabled, s.pushed, s.hot,
                                                nullptr, 0, false);
            });
            x += width + 12;
        }
    }
}

void SeparatorsAndGrips(CDC& dc, CExtPaintManager& manager, int top)
{
    Text(dc, 10, top, "separators: toolbar, menu, status bar (horizontal and vertical); size grip",
         manager.ColorAt(1010));
    top += 18;
    FakeToolBar toolBar;
    CExtStatusControlBar statusBar;
    const CObject* owners[] = {&toolBar, nullptr, &statusBar};
    int x = 10;
    for (const CObject* owner : owners) {
        Inset(dc, manager, x, top, 8, 26, [&](CDC& part) {
            manager.DrawSeparator(part, RECT{0, 0, 8, 26}, true, false, owner, 0);
        });
        Inset(dc, manager, x + 20, top, 60, 8, [&](CDC& part) {
            manager.DrawSeparator(part, RECT{0, 0, 60, 8}, false, false, owner, 0);
        });
        x += 100;
    }
    Inset(dc, manager, x, top, 40, 40, [&](CDC& part) {
        manager.DrawResizingGripper(part, RECT{0, 0, 40, 40}, nullptr, 0);
    });
}

} // namespace

bool PaintBarsSheet(CExtPaintManager& manager, const std::string& folder)
{
    return WriteThemeSheet(manager, folder, "bars", kWidth, kHeight, [&](CDC& dc) {
        Borders(dc, manager, 8);
        ToolBars(dc, manager, 130);
        ExpandButtons(dc, manager, 360);
        SeparatorsAndGrips(dc, manager, 430);
    });
}
