// The small button and frame painters beside the push button: gap and shadow fills, the 3-D
// arrow button, the simple text push button, the control area, client edges and panel frames.
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintSteps.h"
#include "platform/Wnd.h"

using namespace paint_steps;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

bool IsVisible(CDC& dc, const RECT& rect)
{
    return dc.RectVisible(&rect) != FALSE;
}

} // namespace

void CExtPaintManager::FillGapArea(CDC& dc, const RECT& rect, CObject*, LPARAM)
{
    if (!IsEmpty(rect) && IsVisible(dc, rect))
        Fill(dc, rect, ColorAt(COLOR_BTNSHADOW));
}

void CExtPaintManagerXP::FillGapArea(CDC& dc, const RECT& rect, CObject*, LPARAM)
{
    if (!IsEmpty(rect) && IsVisible(dc, rect))
        Fill(dc, rect, ColorAt(1000));
}

void CExtPaintManager::DrawArrowButton(CDC& dc, bool horizontal, const RECT& rect,
                                       bool firstDirection, bool hot, bool pushed, CObject*,
                                       LPARAM)
{
    if (IsEmpty(rect) || !IsVisible(dc, rect))
        return;
    Fill(dc, rect, ColorAt(COLOR_BTNFACE));
    // Outer and inner frames: top-left and bottom-right colour numbers.
    int outer[2] = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}, inner[2] = {COLOR_BTNFACE, COLOR_BTNFACE};
    if (pushed) {
        outer[0] = COLOR_3DDKSHADOW;
        outer[1] = COLOR_BTNHIGHLIGHT;
        inner[0] = COLOR_BTNSHADOW;
        inner[1] = COLOR_BTNFACE;
    } else if (hot) {
        outer[0] = COLOR_BTNFACE;
        outer[1] = COLOR_3DDKSHADOW;
        inner[0] = COLOR_BTNHIGHLIGHT;
        inner[1] = COLOR_BTNSHADOW;
    }
    Frame(dc, rect, ColorAt(outer[0]), ColorAt(outer[1]));
    Frame(dc, Inflated(rect, -1, -1), ColorAt(inner[0]), ColorAt(inner[1]));
    const int kind = horizontal ? (firstDirection ? kGlyphArrowLeft : kGlyphArrowRight)
                                : (firstDirection ? kGlyphArrowUp : kGlyphArrowDown);
    const COLORREF text = ColorAt(COLOR_BTNTEXT);
    const COLORREF colors[4] = {0, text, text, text};
    DrawGlyphCentered(dc, pushed ? Moved(rect, 1, 1) : rect, *GlyphTable[kind], colors);
}

void CExtPaintManager::DrawTextPushButton(CDC& dc, const RECT& rect, bool, LPCTSTR text,
                                          bool flat, bool frameWhenHot, bool pushed, bool hot,
                                          CObject* owner, LPARAM)
{
    if (!IsVisible(dc, rect))
        return;
    PushButtonArgs_t args(owner, true, rect, text, nullptr, flat, hot, pushed, false, true,
                          frameWhenHot, false, false,
                          PushButtonArgs_t::kAlignCenter | PushButtonArgs_t::kAlignCenterVertically,
                          nullptr, false, 0, false);
    DrawPushButton(dc, args);
}

void CExtPaintManager::FillShadowArea(CDC& dc, const RECT& rect, CObject*, LPARAM)
{
    if (IsVisible(dc, rect))
        Fill(dc, rect, ColorAt(COLOR_BTNSHADOW));
}

void CExtPaintManager::FillControlArea(CDC& dc, const RECT& outerRect, const RECT& innerRect,
                                       CWnd* window, LPARAM)
{
    if (!IsVisible(dc, outerRect))
        return;
    // The children keep what they paint themselves; the clip stays narrowed for the caller.
    if (window && window->m_hWnd && CanDrawChildBackground(window, 0)) {
        ExcludeChildAreas(dc.GetSafeHdc(), window->m_hWnd, TransparentChildFilter);
        if (DrawChildBackground(dc, window, 0)) {
            Fill(dc, innerRect, ColorAt(COLOR_WINDOW));
            return;
        }
    }
    Fill(dc, outerRect, ColorAt(1000));
    Fill(dc, innerRect, ColorAt(COLOR_WINDOW));
}

void CExtPaintManager::DrawClientEdge(CDC& dc, const RECT& rect, CObject*, LPARAM)
{
    if (!IsVisible(dc, rect))
        return;
    const COLORREF face = ColorAt(COLOR_BTNFACE), shadow = ColorAt(COLOR_BTNSHADOW);
    const COLORREF rings[4][2] = {
        {face, ColorAt(COLOR_3DDKSHADOW)}, {kWhite, shadow}, {face, face}, {shadow, kWhite}};
    for (int i = 0; i < 4; ++i)
        Frame(dc, Inflated(rect, -i, -i), rings[i][0], rings[i][1]);
}

void CExtPaintManagerOffice2003::DrawClientEdge(CDC& dc, const RECT& rect, CObject*, LPARAM)
{
    CBrush brush;
    brush.CreateSolidBrush(ColorAt(1008));
    ::FrameRect(dc.GetSafeHdc(), &rect, brush);
}

void CExtPaintManager::DrawPanelFrame(CDC& dc, const RECT& frameRect, const RECT& fillRect,
                                      CObject*, LPARAM)
{
    Frame(dc, frameRect, kWhite, ColorAt(COLOR_BTNSHADOW));
    Fill(dc, fillRect, ColorAt(1000));
}

void CExtPaintManagerOffice2003::DrawPanelFrame(CDC& dc, const RECT&, const RECT& fillRect,
                                                CObject*, LPARAM)
{
    Fill(dc, fillRect, ColorAt(1000));
}
