// A navigation-pane look offered to any window that wants it: a window-coloured area, the pane
// frame, group buttons with icon and text, a title band with a large bold title, a header band
// with a small title, a chevron and a splitter band with grip dots.
#include <cstring>

#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintStrokes.h"

using paint_steps::Fill;
using paint_steps::Frame;

namespace {

LOGFONTA IconTitleFont()
{
    LOGFONTA font = {};
    if (!::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0))
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

// One text placed from the left margin, as wide and tall as it measures, centred vertically and
// kept inside the rectangle.
void PaintPaneText(CDC& dc, const RECT& rect, LPCTSTR text, const LOGFONTA& description,
                   COLORREF color, UINT flags, int margin)
{
    if (!text || !dc.RectVisible(&rect))
        return;
    if (std::strchr(text, '\t'))
        flags |= DT_EXPANDTABS;
    HFONT font = ::CreateFontIndirectA(&description);
    {
        paint_steps::SavedColors colors(dc);
        paint_steps::Selected selected(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, color);
        const int length = lstrlenA(text);
        RECT measured = {rect.left + margin, rect.top, rect.right, rect.bottom};
        ::DrawTextA(dc, text, length, &measured, flags | DT_CALCRECT);
        const LONG height = measured.bottom - measured.top;
        const LONG top = rect.top + (rect.bottom - rect.top - height) / 2;
        RECT placed = {rect.left + margin, top, measured.right, top + height};
        ::IntersectRect(&placed, &placed, &rect);
        ::DrawTextA(dc, text, length, &placed, flags | DT_END_ELLIPSIS);
    }
    ::DeleteObject(font);
}

// The flat group button of the XP family: a frame when selected, a flat push button while hot or
// pushed, else the idle fill (a gradient in the Office look above 8 bits per pixel).
void PaintFlatPaneButton(CExtPaintManager& manager, CDC& dc, const RECT& rect, bool selected,
                         bool pushed, bool hot, bool gradientIdle)
{
    RECT r = rect;
    if (selected) {
        Frame(dc, rect, manager.ColorAt(16), manager.ColorAt(16));
        r = Deflated(rect, 1);
    }
    const bool deep = CExtPaintManager::GetScreenBitsPerPixel() > 8;
    if (hot || pushed) {
        CExtPaintManager::PushButtonArgs_t args(nullptr, true, r, "", nullptr, true, hot, pushed,
                                                false, true, false, false, false, 0, nullptr,
                                                false, 0, false);
        manager.DrawPushButton(dc, args);
    } else if (gradientIdle && deep) {
        CExtPaintManager::PaintGradientRect(dc, r, manager.ColorAt(3016), manager.ColorAt(3015),
                                            true);
    } else {
        Fill(dc, r, manager.ColorAt(deep ? 1000 : 2001));
    }
}

// The rectangle's top row, its bottom row or its left column.
RECT TopRow(const RECT& r) { return {r.left, r.top, r.right, r.top + 1}; }
RECT BottomRow(const RECT& r) { return {r.left, r.bottom - 1, r.right, r.bottom}; }

} // namespace

void CExtPaintManager::FillWindowArea(CDC& dc, const RECT& rect, LPARAM)
{
    if (dc.RectVisible(&rect))
        Fill(dc, rect, ColorAt(COLOR_WINDOW));
}

void CExtPaintManager::DrawPaneFrame(CDC& dc, const RECT& rect)
{
    if (dc.RectVisible(&rect))
        Frame(dc, rect, ColorAt(16), ColorAt(COLOR_WINDOW));
}

void CExtPaintManagerXP::DrawPaneFrame(CDC& dc, const RECT& rect)
{
    if (dc.RectVisible(&rect))
        Frame(dc, rect, ColorAt(16), ColorAt(16));
}

void CExtPaintManager::DrawPaneButton(CDC& dc, const RECT& rect, LPCTSTR text, CExtCmdIcon* icon,
                                      bool selected, bool pushed, bool hot)
{
    if (!dc.RectVisible(&rect))
        return;
    RECT r = selected ? Deflated(rect, 1, 0, 1, 1) : rect;
    Fill(dc, r, ColorAt(16));
    if (selected)
        Fill(dc, TopRow(r), ColorAt(21));
    if (hot || pushed)
        Frame(dc, r, ColorAt(pushed ? 21 : COLOR_WINDOW), ColorAt(pushed ? COLOR_WINDOW : 21));
    DrawPaneButtonContent(dc, rect, text, icon, text && *text, pushed, hot);
}

void CExtPaintManagerXP::DrawPaneButton(CDC& dc, const RECT& rect, LPCTSTR text,
                                        CExtCmdIcon* icon, bool selected, bool pushed, bool hot)
{
    if (!dc.RectVisible(&rect))
        return;
    PaintFlatPaneButton(*this, dc, rect, selected, pushed, hot, false);
    DrawPaneButtonContent(dc, rect, text, icon, text && *text, pushed, hot);
}

void CExtPaintManagerOffice2003::DrawPaneButton(CDC& dc, const RECT& rect, LPCTSTR text,
                                                CExtCmdIcon* icon, bool selected, bool pushed,
                                                bool hot)
{
    if (!dc.RectVisible(&rect))
        return;
    PaintFlatPaneButton(*this, dc, rect, selected, pushed, hot, true);
    DrawPaneButtonContent(dc, rect, text, icon, text && *text, pushed, hot);
}

void CExtPaintManager::DrawPaneTitleText(CDC& dc, const RECT& rect, LPCTSTR text)
{
    LOGFONTA font = IconTitleFont();
    lstrcpyA(font.lfFaceName, "Arial");
    font.lfWeight = FW_BOLD;
    font.lfHeight = 20;
    PaintPaneText(dc, rect, text, font, ColorAt(COLOR_WINDOW), DT_WORDBREAK, 4);
}

void CExtPaintManager::DrawPaneTitle(CDC& dc, const RECT& rect, LPCTSTR text)
{
    if (!dc.RectVisible(&rect))
        return;
    Fill(dc, rect, ColorAt(16));
    DrawPaneTitleText(dc, rect, text);
}

void CExtPaintManagerOffice2003::DrawPaneTitle(CDC& dc, const RECT& rect, LPCTSTR text)
{
    if (!dc.RectVisible(&rect))
        return;
    if (GetScreenBitsPerPixel() > 8 && IsOsColorSchemeActive())
        PaintGradientRect(dc, rect, ColorAt(21), ColorAt(16), true);
    else
        Fill(dc, rect, ColorAt(16));
    DrawPaneTitleText(dc, rect, text);
}

void CExtPaintManager::DrawPaneButtonContent(CDC& dc, const RECT& rect, LPCTSTR text,
                                             CExtCmdIcon* icon, bool withText, bool pushed,
                                             bool hot)
{
    if (!dc.RectVisible(&rect))
        return;
    if (withText) {
        LOGFONTA font = IconTitleFont();
        font.lfWeight = FW_BOLD;
        PaintPaneText(dc, rect, text, font, ColorAt(pushed && hot ? COLOR_WINDOW : 18),
                      DT_WORDBREAK, 36);
    }
    if (!icon)
        return;
    const int side = withText ? 24 : 16;
    const LONG top = rect.top + (rect.bottom - rect.top - side) / 2;
    const LONG left = withText ? rect.left + 6 : rect.left + (rect.right - rect.left - side) / 2;
    const RECT area = {left, top, left + side, top + side};
    RECT textRect = {};
    DrawButtonIconAndPlaceText(dc, true, CString(""), icon, area, textRect, pushed, true, hot,
                               PushButtonArgs_t::kAlignCenter |
                                   PushButtonArgs_t::kAlignCenterVertically);
}

void CExtPaintManager::DrawPaneHeaderText(CDC& dc, const RECT& rect, LPCTSTR text)
{
    PaintPaneText(dc, rect, text, IconTitleFont(), ColorAt(COLOR_WINDOWTEXT), 0, 7);
}

void CExtPaintManager::DrawPaneHeader(CDC& dc, const RECT& rect, LPCTSTR text)
{
    if (!dc.RectVisible(&rect))
        return;
    Fill(dc, rect, ColorAt(15));
    Fill(dc, BottomRow(rect), ColorAt(16));
    DrawPaneHeaderText(dc, rect, text);
}

void CExtPaintManagerOffice2003::DrawPaneHeader(CDC& dc, const RECT& rect, LPCTSTR text)
{
    if (!dc.RectVisible(&rect))
        return;
    if (GetScreenBitsPerPixel() > 8)
        PaintGradientRect(dc, rect, ColorAt(22), ColorAt(20), true);
    else
        Fill(dc, rect, ColorAt(16));
    Fill(dc, BottomRow(rect), ColorAt(16));
    Fill(dc, TopRow(rect), ColorAt(15));
    DrawPaneHeaderText(dc, rect, text);
}

void CExtPaintManager::DrawPaneChevron(CDC& dc, const RECT& rect, LPARAM, LPARAM)
{
    if (!dc.RectVisible(&rect))
        return;
    const COLORREF colors[2] = {0, ColorAt(18)};
    DrawGlyphCentered(dc, rect, *GlyphTable[kGlyphChevronArrow], colors);
}

void CExtPaintManager::DrawPaneSplitter(CDC& dc, const RECT& rect, bool withDots)
{
    Fill(dc, rect, ColorAt(1000));
    Fill(dc, TopRow(rect), ColorAt(16));
    Fill(dc, {rect.left, rect.top + 1, rect.right, rect.top + 2}, ColorAt(COLOR_WINDOW));
    Fill(dc, {rect.left, rect.top + 1, rect.left + 1, rect.bottom}, ColorAt(COLOR_WINDOW));
    if (withDots)
        DrawPaneGripDots(dc, rect, 0);
}

void CExtPaintManagerOffice2003::DrawPaneSplitter(CDC& dc, const RECT& rect, bool withDots)
{
    if (GetScreenBitsPerPixel() <= 8) {
        CExtPaintManager::DrawPaneSplitter(dc, rect, true);
        return;
    }
    PaintGradientRect(dc, rect, ColorAt(16), ColorAt(22), true);
    if (withDots)
        DrawPaneGripDots(dc, rect, -1);
}

void CExtPaintManager::DrawPaneGripDots(CDC& dc, const RECT& rect, int verticalOffset)
{
    const LONG left = rect.left + (rect.right - rect.left - 36) / 2;
    const LONG top = rect.top + (rect.bottom - rect.top - 3) / 2 + 1 + verticalOffset;
    for (LONG x = left; x <= left + 32; x += 4) {
        Fill(dc, {x + 1, top + 1, x + 3, top + 3}, ColorAt(COLOR_WINDOW));
        Fill(dc, {x, top, x + 2, top + 2}, ColorAt(21));
    }
}
