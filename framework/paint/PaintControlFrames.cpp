// The borders of input controls and of the status bar: the rings of a themed edit, the frame and
// drop-down button of a themed combo box, a status-bar pane's frame and the bar's own border
// lines, as the base and XP themes paint them.
#include "framework/paint/ControlFrameParts.h"
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintedBar.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintStrokes.h"
#include "platform/Wnd.h"

using paint_steps::Fill;
using paint_steps::Frame;

namespace control_frame {

CWnd* WindowOf(CObject* owner)
{
    CWnd* window = dynamic_cast<CWnd*>(owner);
    return window && window->m_hWnd ? window : nullptr;
}

bool IsWindowOfClass(CObject* owner, const char* className)
{
    CWnd* window = WindowOf(owner);
    return window && AfxIsWindowOfClass(window->m_hWnd, className);
}

RECT DropButtonOf(const RECT& rect)
{
    return {rect.right - ::GetSystemMetrics(SM_CXHTHUMB), rect.top, rect.right, rect.bottom};
}

RECT GapLeftOf(const RECT& button)
{
    return {button.left - 2, button.top, button.left + 1, button.bottom};
}

void PaintComboButton(CExtPaintManager& manager, CDC& dc, const ExtComboFrameArgs& args,
                      const RECT& button, bool hot, bool transparent)
{
    LOGFONTA description = {};
    description.lfHeight = ::MulDiv(60, 96, ::GetDeviceCaps(dc, LOGPIXELSX));
    description.lfCharSet = SYMBOL_CHARSET;
    lstrcpyA(description.lfFaceName, "Marlett");
    CFont marlett;
    marlett.CreatePointFontIndirect(&description, &dc);
    using PushButtonArgs_t = CExtPaintManager::PushButtonArgs_t;
    PushButtonArgs_t push(args.m_owner, true, button, "6", nullptr, true, hot, args.m_dropped,
                          false, args.m_enabled, true, false, false,
                          PushButtonArgs_t::kAlignCenter | PushButtonArgs_t::kAlignCenterVertically,
                          marlett, false, 0, transparent);
    manager.DrawPushButton(dc, push);
}

int EditHighlight(const ExtEditFrameArgs& args)
{
    if (!args.m_enabled)
        return 0;
    return args.m_hot && args.m_focused ? 2 : args.m_hot || args.m_focused ? 1 : 0;
}

} // namespace control_frame

namespace {

using namespace control_frame;

// Each ring is drawn on the rectangle, which then grows by 1: three in the window colour, then
// rings 4 and 5 in the given colour numbers.
void DrawEditRings(const CExtPaintManager& manager, CDC& dc, RECT rect, int ring4a, int ring4b,
                   int ring5a, int ring5b)
{
    const int colors[5][2] = {{COLOR_WINDOW, COLOR_WINDOW}, {COLOR_WINDOW, COLOR_WINDOW},
                              {COLOR_WINDOW, COLOR_WINDOW}, {ring4a, ring4b}, {ring5a, ring5b}};
    for (const auto& ring : colors) {
        Frame(dc, rect, manager.ColorAt(ring[0]), manager.ColorAt(ring[1]));
        ::InflateRect(&rect, 1, 1);
    }
}

// The status bar's own border lines, all in colour 1000.
void PaintStatusBarBorders(CDC& dc, const CExtPaintManager& manager,
                           const ExtStatusPaneArgs& args)
{
    using A = ExtStatusPaneArgs;
    const DWORD style = args.m_borderStyle;
    if (!(style & (A::kBorderLeft | A::kBorderTop | A::kBorderRight | A::kBorderBottom)))
        return;
    // The bar code's vertical border: twice the system border, as the base bar lays it out.
    const int border = 2 * ::GetSystemMetrics(SM_CYBORDER);
    const RECT& r = args.m_rect;
    const LONG top = r.top + (style & A::kBorderTop ? border : 0);
    const LONG bottom = r.bottom - (style & A::kBorderBottom ? border : 0);
    const COLORREF color = manager.ColorAt(1000);
    const bool twice = style & A::kBorderDouble;
    for (int pass = 0; pass < (twice ? 2 : 1); ++pass) {
        const LONG in = pass, farIn = pass == 0 && twice ? 2 : 1;
        if (style & A::kBorderLeft)
            Fill(dc, {r.left + in, top, r.left + in + 1, bottom}, color);
        if (style & A::kBorderTop)
            Fill(dc, {r.left, r.top + in, r.right, r.top + in + 1}, color);
        if (style & A::kBorderRight)
            Fill(dc, {r.right - farIn, top, r.right - farIn + 1, bottom}, color);
        if (style & A::kBorderBottom)
            Fill(dc, {r.left, r.bottom - farIn, r.right, r.bottom - farIn + 1}, color);
    }
}

} // namespace

void CExtPaintManager::DrawEditFrame(CDC& dc, const EditFrameArgs_t& args)
{
    // Ring 4 and ring 5, top-left and bottom-right, by the highlight.
    static const int kRings[3][4] = {
        {1000, 1000, 1000, 1000}, {16, 20, 1000, 1000}, {21, 15, 16, 20}};
    const int* ring = kRings[EditHighlight(args)];
    DrawEditRings(*this, dc, args.m_rect, ring[0], ring[1], ring[2], ring[3]);
}

void CExtPaintManagerXP::DrawEditFrame(CDC& dc, const EditFrameArgs_t& args)
{
    const int highlight = EditHighlight(args);
    const int ring4 = highlight >= 1 ? 2004 : 1000, ring5 = highlight == 2 ? 2004 : 1000;
    DrawEditRings(*this, dc, args.m_rect, ring4, ring4, ring5, ring5);
}

void CExtPaintManager::DrawComboFrame(CDC& dc, const ComboFrameArgs_t& args)
{
    const bool active = args.m_hot || args.m_dropped;
    const bool enabled = args.m_enabled;
    const auto custom = [&](COLORREF own, COLORREF theme) {
        return !active && own != ComboFrameArgs_t::kThemeColor ? own : theme;
    };
    const COLORREF background = custom(args.m_backgroundColor, ColorAt(1000));
    const COLORREF light = custom(args.m_frameColor, ColorAt(1004));
    const COLORREF face = custom(args.m_frameColor, ColorAt(1000));
    const COLORREF gap = custom(args.m_frameColor, ColorAt(enabled ? 5 : 15));

    RECT rect = args.m_rect;
    if (active)
        Frame(dc, rect, ColorAt(1007), ColorAt(1005));
    else
        Frame(dc, rect, background, background);
    rect = Deflated(rect, 1);
    const COLORREF inner = enabled ? face : light;
    Frame(dc, rect, inner, inner);

    RECT button = DropButtonOf(rect);
    Frame(dc, button, face, face);
    button = Deflated(button, 1);
    Frame(dc, button, light, light);
    Fill(dc, GapLeftOf(button), enabled ? gap : face);
    if (active)
        Fill(dc, button, face);
    button.left += 1;
    PaintComboButton(*this, dc, args, button, args.m_hot && !args.m_dropped, false);
    if (!active)
        Frame(dc, button, light, light);
}

void CExtPaintManagerXP::DrawComboFrame(CDC& dc, const ComboFrameArgs_t& args)
{
    const bool active = args.m_hot || args.m_dropped;
    const auto custom = [&](COLORREF own, COLORREF theme) {
        return !active && own != ComboFrameArgs_t::kThemeColor ? own : theme;
    };
    const COLORREF gap = custom(args.m_frameColor, ColorAt(args.m_enabled ? 5 : 15));
    const COLORREF background = custom(args.m_backgroundColor, ColorAt(1000));
    const COLORREF inner = custom(args.m_frameColor, ColorAt(2001));
    const COLORREF hotColor = custom(args.m_frameColor, ColorAt(2004));
    const COLORREF oldBackground = dc.GetBkColor();

    if (!args.m_noOuterRing) {
        const COLORREF outer =
            active && args.m_hotBorderColor != ComboFrameArgs_t::kThemeColor
                ? args.m_hotBorderColor
                : background;
        Frame(dc, args.m_rect, outer, outer);
    }
    const RECT rect = Deflated(args.m_rect, 1);
    Frame(dc, rect, inner, inner);
    RECT button = DropButtonOf(rect);
    Frame(dc, button, inner, inner);
    button = Deflated(button, 1);
    Frame(dc, button, inner, inner);
    Fill(dc, GapLeftOf(button), gap);
    if (active)
        Fill(dc, button, inner);
    Fill(dc, Deflated(button, -1), background);
    if (active)
        Frame(dc, rect, hotColor, hotColor);
    button.left += 1;
    const bool ownBackground =
        !active && args.m_backgroundColor != ComboFrameArgs_t::kThemeColor;
    PaintComboButton(*this, dc, args, button, active, ownBackground);
    if (!active)
        Frame(dc, button, inner, inner);
    dc.SetBkColor(oldBackground);
}

void CExtPaintManager::DrawStatusBarFrame(CDC& dc, const StatusPaneArgs_t& args)
{
    if (args.m_kind == StatusPaneArgs_t::kPaneFrame)
        Frame(dc, args.m_rect, ColorAt(1006), ColorAt(1004));
    else if (args.m_kind == StatusPaneArgs_t::kBarBorders)
        PaintStatusBarBorders(dc, *this, args);
}

void CExtPaintManagerXP::DrawStatusBarFrame(CDC& dc, const StatusPaneArgs_t& args)
{
    if (args.m_kind == StatusPaneArgs_t::kPaneFrame)
        Frame(dc, args.m_rect, ColorAt(16), ColorAt(16));
    else
        CExtPaintManager::DrawStatusBarFrame(dc, args);
}

void CExtPaintManagerOffice2003::DrawStatusBarFrame(CDC& dc, const StatusPaneArgs_t& args)
{
    if (args.m_kind == StatusPaneArgs_t::kPaneFrame)
        Frame(dc, args.m_rect, ColorAt(3014), ColorAt(3014));
    else
        CExtPaintManager::DrawStatusBarFrame(dc, args);
}
