// The tab window's look: its metrics, the strip background with the band toward the content, the
// tabs (a box shape in the base and XP families, a slanted polygon in Studio 2005), the scroll,
// help, close and list buttons, and the sunken frame of an area bordered by tabs.
#include <algorithm>

#include "framework/commands/CmdIcon.h"
#include "framework/paint/BarStandIns.h"
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintStrokes.h"
#include "framework/paint/TabWndQueries.h"
#include "platform/FrameWnd.h"

using paint_steps::Fill;
using paint_steps::Frame;

namespace {

DWORD TabStyleOf(const CWnd* tabWnd)
{
    const CExtTabWndQueries* queries = TabWndQueriesOf(tabWnd);
    return queries ? queries->GetTabWndStyle() : 0;
}

// A tab window that shows its part of the frame-wide gradient behind the strip.
bool ShowsFrameGradient(const CWnd* tabWnd)
{
    if (!tabWnd)
        return false;
    if (tabWnd->IsKindOf(RUNTIME_CLASS(CExtTabMdiWnd)) ||
        tabWnd->IsKindOf(RUNTIME_CLASS(CExtDynTabWnd)) ||
        tabWnd->IsKindOf(RUNTIME_CLASS(CExtDynAutoHideArea)))
        return true;
    const CExtTabWndQueries* queries = TabWndQueriesOf(tabWnd);
    return queries && (queries->GetTabWndFlags2() & CExtTabWndQueries::kFlagsFrameGradient);
}

// The band that joins the tabs to the content, with its edge line on the strip's side.
void PaintTabBand(CDC& dc, const RECT& band, int side, COLORREF bandColor, COLORREF edge)
{
    Fill(dc, band, bandColor);
    RECT line = band;
    switch (side) {
    case CExtPaintManager::kTabSideTop: line.bottom = line.top + 1; break;
    case CExtPaintManager::kTabSideBottom: line.top = line.bottom - 1; break;
    case CExtPaintManager::kTabSideLeft: line.right = line.left + 1; break;
    default: line.left = line.right - 1; break;
    }
    Fill(dc, line, edge);
}

void PaintTabText(CDC& dc, RECT textRect, bool horizontal, bool centredText, bool textDirection,
                  int textWidth, int textHeight, HFONT font, LPCTSTR text, COLORREF textColor)
{
    paint_steps::SavedColors colors(dc);
    paint_steps::Selected selected(dc, font);
    const UINT alignment = ::GetTextAlign(dc);
    ::SetTextColor(dc, textColor);
    ::SetBkMode(dc, TRANSPARENT);
    const int length = lstrlenA(text);
    if (horizontal) {
        const UINT format =
            DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (centredText ? DT_CENTER : 0);
        ::DrawTextA(dc, text, length, &textRect, format);
    } else {
        // Vertical text stands on its baseline, moved across by half its height.
        ::OffsetRect(&textRect, textDirection ? textHeight / 2 : -textHeight / 2, 0);
        const int centreX = textRect.left + (textRect.right - textRect.left) / 2;
        if (centredText) {
            ::SetTextAlign(dc, TA_CENTER | TA_BASELINE);
            ::ExtTextOutA(dc, centreX, textRect.top + (textRect.bottom - textRect.top) / 2,
                          ETO_CLIPPED, &textRect, text, length, nullptr);
        } else {
            ::SetTextAlign(dc, TA_BASELINE);
            const int y = textDirection ? textRect.top + textWidth - 4 : textRect.top + 4;
            ::ExtTextOutA(dc, centreX, y, 0, nullptr, text, length, nullptr);
        }
    }
    ::SetTextAlign(dc, alignment);
}

// Icon and text of a tab inside its content rectangle C.
void PaintTabContent(CDC& dc, const RECT& content, bool horizontal, bool centredText,
                     bool alternateLook, bool expanded, bool textDirection, int textWidth,
                     int textHeight, HFONT font, LPCTSTR text, CExtCmdIcon* icon,
                     COLORREF textColor)
{
    if (!text)
        text = "";
    const RECT& c = content;
    const bool hasIcon = icon && !icon->IsEmpty();
    const CSize size = hasIcon ? icon->GetSize() : CSize(0, 0);
    RECT iconRect = {c.left, c.top, c.left, c.top};
    if (size.cx > 0 && size.cy > 0) {
        iconRect = {c.left, c.top, c.left + size.cx, c.top + size.cy};
        if (horizontal)
            ::OffsetRect(&iconRect, 0, (c.bottom - c.top - size.cy) / 2);
        else
            ::OffsetRect(&iconRect, (c.right - c.left - size.cx) / 2, 0);
        iconRect.left = std::max(iconRect.left, c.left + 1);
        iconRect.top = std::max(iconRect.top, c.top + 1);
        iconRect.right = std::max(iconRect.right, c.right - 1);
        iconRect.bottom = std::max(iconRect.bottom, c.bottom - 1);
    }

    RECT textRect = c;
    if (horizontal) {
        textRect.left += size.cx ? size.cx + 3 : 0;
    } else {
        textRect.top += size.cy ? size.cy + 3 : 0;
        const int width = c.right - c.left + 6;
        if (textDirection)
            textRect.left = textRect.right - width;
        else
            textRect.right = textRect.left + width;
    }
    const int iconAlong = horizontal ? size.cx : size.cy;
    const int textAlong = horizontal ? textRect.right - textRect.left
                                     : textRect.bottom - textRect.top;
    const bool showText = textAlong >= std::max(iconAlong, 16);
    if (!showText && (expanded || !alternateLook)) {
        if (horizontal)
            ::OffsetRect(&iconRect,
                         c.left + (c.right - c.left - (iconRect.right - iconRect.left)) / 2 -
                             iconRect.left,
                         0);
        else
            ::OffsetRect(&iconRect, 0,
                         c.top + (c.bottom - c.top - (iconRect.bottom - iconRect.top)) / 2 -
                             iconRect.top);
    }

    const int iconRoom = horizontal ? iconRect.right - iconRect.left
                                    : iconRect.bottom - iconRect.top;
    if (hasIcon && iconRoom >= iconAlong) {
        ::OffsetRect(&iconRect, -4, -1);
        RECT placed = {};
        g_PaintManager->DrawButtonIconAndPlaceText(dc, true, CString(text), icon, iconRect,
                                                   placed, false, true, false, 0);
    }
    if (showText) {
        PaintTabText(dc, textRect, horizontal, centredText, textDirection, textWidth, textHeight,
                     font, text, textColor);
    }
}

// The box outline of a selected tab: three sides, open toward the content.
void PaintSelectedTabSides(CDC& dc, RECT& r, bool nearSide, bool horizontal, COLORREF light,
                           COLORREF dark)
{
    // Grown by 1 at the start and toward the content.
    if (horizontal) {
        r.left -= 1;
        if (nearSide)
            r.bottom += 1;
        else
            r.top -= 1;
    } else {
        r.top -= 1;
        if (nearSide)
            r.right += 1;
        else
            r.left -= 1;
    }
    const LONG l = r.left, t = r.top, rt = r.right, b = r.bottom;
    if (horizontal && nearSide) {
        DrawPolyline(dc, light, {{l, b}, {l, t}, {rt - 1, t}});
        DrawPolyline(dc, dark, {{rt - 1, t}, {rt - 1, b - 1}});
        r = Deflated(r, 1, 1, 1, 0);
    } else if (horizontal) {
        DrawPolyline(dc, light, {{l, t - 1}, {l, b}});
        DrawPolyline(dc, dark, {{l, b - 1}, {rt - 1, b - 1}, {rt - 1, t - 1}});
        r = Deflated(r, 1, 0, 1, 1);
    } else if (nearSide) {
        DrawPolyline(dc, light, {{rt - 1, t}, {l, t}, {l, b}});
        DrawPolyline(dc, dark, {{l, b - 1}, {rt - 1, b - 1}});
        r = Deflated(r, 1, 1, 0, 1);
    } else {
        DrawPolyline(dc, light, {{l, t}, {rt, t}});
        DrawPolyline(dc, dark, {{rt - 1, t}, {rt - 1, b - 1}, {l, b - 1}});
        r = Deflated(r, 0, 1, 1, 1);
    }
}

const CExtPaintManager::PixelGlyph_t* TabButtonGlyph(int kind, bool horizontal, bool enabled)
{
    using M = CExtPaintManager;
    switch (kind) {
    case M::kTabButtonPrevious:
        return M::GlyphTable[horizontal ? (enabled ? M::kGlyphArrowLeft : M::kGlyphHollowArrowLeft)
                                        : (enabled ? M::kGlyphArrowUp : M::kGlyphHollowArrowUp)];
    case M::kTabButtonNext:
        return M::GlyphTable[horizontal
                                 ? (enabled ? M::kGlyphArrowRight : M::kGlyphHollowArrowRight)
                                 : (enabled ? M::kGlyphArrowDown : M::kGlyphHollowArrowDown)];
    case M::kTabButtonHelp:
        return M::GlyphTable[M::kGlyphContextHelp];
    case M::kTabButtonClose:
        return M::GlyphTable[M::kGlyphClose];
    case M::kTabButtonList:
        return M::GlyphTable[M::kGlyphMenuArrow];
    default:
        return nullptr;
    }
}

// The six outline points and the six inner points of a slanted tab, for the strip's side U
// (near side, turned over by the alternate look).
struct SlantedTab
{
    POINT outline[6];
    POINT inner[6];
};

SlantedTab SlantedTabPolygons(const RECT& item, bool horizontal, bool nearSide, bool selected)
{
    const LONG l = item.left, t = item.top, r = item.right, b = item.bottom;
    if (horizontal && nearSide) {
        SlantedTab tab = {{{l, b}, {l, t + 2}, {l + 2, t}, {r - 1, t}, {r + 1, t + 2}, {r + 1, b}},
                          {{l + 1, b}, {l + 1, t + 3}, {l + 3, t + 1}, {r - 2, t + 1}, {r, t + 3},
                           {r, b}}};
        if (selected) {
            tab.inner[0].y += 1;
            tab.inner[5].y += 1;
        }
        return tab;
    }
    if (horizontal) {
        SlantedTab tab = {{{l, t}, {r + 1, t}, {r + 1, b - 3}, {r - 2, b}, {l + 3, b}, {l, b - 3}},
                          {{l + 1, t}, {r, t}, {r, b - 4}, {r - 3, b - 1}, {l + 4, b - 1},
                           {l + 1, b - 4}}};
        if (selected) {
            tab.inner[0].y -= 1;
            tab.inner[1].y -= 1;
        }
        return tab;
    }
    if (nearSide) {
        SlantedTab tab = {{{r, t}, {r, b + 1}, {l + 2, b + 1}, {l, b - 2}, {l, t + 2}, {l + 2, t}},
                          {{r, t + 1}, {r, b}, {l + 3, b}, {l + 1, b - 3}, {l + 1, t + 3},
                           {l + 3, t + 1}}};
        if (selected) {
            tab.inner[0].x += 1;
            tab.inner[1].x += 1;
        }
        return tab;
    }
    SlantedTab tab = {{{l, t}, {r - 2, t}, {r, t + 2}, {r, b - 2}, {r - 3, b + 1}, {l, b + 1}},
                      {{l, t + 1}, {r - 3, t + 1}, {r - 1, t + 3}, {r - 1, b - 3}, {r - 4, b},
                       {l, b}}};
    if (selected) {
        tab.inner[0].x -= 1;
        tab.inner[5].x -= 1;
    }
    return tab;
}

} // namespace

void CExtPaintManager::GetTabMetrics(CWnd* tabWnd, int* leading, int* trailing, int* offset)
{
    *leading = 4;
    *trailing = 2;
    if (!(TabStyleOf(tabWnd) & CExtTabWndQueries::kStyleAlternateLook))
        *offset = 2;
}

void CExtPaintManagerStudio2005::GetTabMetrics(CWnd*, int* leading, int* trailing, int* offset)
{
    *leading = 0;
    *trailing = 2;
    *offset = 2;
}

void CExtPaintManager::PaintTabAreaBorder(CDC& dc, const RECT& client, const RECT& band, int side,
                                          bool alternateLook, COLORREF background,
                                          COLORREF bandColor, COLORREF edge)
{
    Fill(dc, client, background);
    if (!alternateLook)
        PaintTabBand(dc, band, side, bandColor, edge);
}

void CExtPaintManager::DrawTabAreaBorder(CDC& dc, const RECT& client, const RECT&,
                                         const RECT& band, int side, bool alternateLook, CWnd*,
                                         LPARAM)
{
    const bool lightEdge = side == kTabSideTop || side == kTabSideLeft;
    PaintTabAreaBorder(dc, client, band, side, alternateLook, ColorAt(alternateLook ? 15 : 16),
                       ColorAt(15), ColorAt(lightEdge ? 20 : 21));
}

void CExtPaintManagerXP::DrawTabAreaBorder(CDC& dc, const RECT& client, const RECT&,
                                           const RECT& band, int side, bool alternateLook, CWnd*,
                                           LPARAM)
{
    const bool lightEdge = side == kTabSideTop || side == kTabSideLeft;
    PaintTabAreaBorder(dc, client, band, side, alternateLook,
                       ColorAt(GetScreenBitsPerPixel() > 8 ? 2001 : 2000), ColorAt(2000),
                       ColorAt(lightEdge ? 20 : 16));
}

void CExtPaintManagerOffice2003::DrawTabAreaBorder(CDC& dc, const RECT& client, const RECT& strip,
                                                   const RECT& band, int side, bool alternateLook,
                                                   CWnd* tabWnd, LPARAM reserved)
{
    CWnd* reference = nullptr;
    if (ShowsFrameGradient(tabWnd) && GetScreenBitsPerPixel() > 8 && tabWnd->m_hWnd) {
        reference = tabWnd->GetParentFrame();
        if (!reference)
            reference = CWnd::FromHandle(::GetParent(tabWnd->m_hWnd));
    }
    if (!reference) {
        CExtPaintManagerXP::DrawTabAreaBorder(dc, client, strip, band, side, alternateLook,
                                              tabWnd, reserved);
        return;
    }
    RECT frameArea;
    reference->GetClientRect(&frameArea);
    ::MapWindowPoints(reference->m_hWnd, tabWnd->m_hWnd, reinterpret_cast<POINT*>(&frameArea), 2);
    DrawGradientBand(dc, frameArea, tabWnd, 0);
    if (!alternateLook)
        PaintTabBand(dc, band, side, ColorAt(1000), ColorAt(16));
}

void CExtPaintManager::PaintTabItem(CDC& dc, const RECT&, bool nearSide, bool horizontal,
                                    bool selected, bool centredText, bool alternateLook,
                                    bool expanded, bool textDirection, const RECT& item,
                                    int textWidth, int textHeight, HFONT font, LPCTSTR text,
                                    CExtCmdIcon* icon, COLORREF textColor, COLORREF fill,
                                    COLORREF light, COLORREF dark, COLORREF separator)
{
    RECT r = item;
    if (alternateLook) {
        if (horizontal) {
            r.right += 1;
            r.top -= 2;
            r.bottom += 2;
        } else {
            r.bottom += 1;
            r.left -= 2;
            r.right += 2;
        }
        Fill(dc, r, fill);
        Frame(dc, r, light, dark);
    } else if (selected) {
        PaintSelectedTabSides(dc, r, nearSide, horizontal, light, dark);
        Fill(dc, r, fill);
    } else {
        const RECT line = horizontal ? RECT{r.right - 1, r.top + 2, r.right, r.bottom - 2}
                                     : RECT{r.left + 2, r.bottom - 1, r.right - 2, r.bottom};
        Fill(dc, line, separator);
    }
    PaintTabContent(dc, Deflated(item, 2), horizontal, centredText, alternateLook, expanded,
                    textDirection, textWidth, textHeight, font, text, icon, textColor);
}

void CExtPaintManager::DrawTabItem(CDC& dc, const RECT& strip, bool nearSide, bool horizontal,
                                   bool selected, bool centredText, bool alternateLook,
                                   bool expanded, bool textDirection, const RECT& item,
                                   int textWidth, int textHeight, HFONT font, LPCTSTR text,
                                   CExtCmdIcon* icon, CWnd*, LPARAM)
{
    PaintTabItem(dc, strip, nearSide, horizontal, selected, centredText, alternateLook, expanded,
                 textDirection, item, textWidth, textHeight, font, text, icon,
                 ColorAt(selected || alternateLook ? 18 : 20), ColorAt(15),
                 ColorAt(alternateLook ? 16 : 20), ColorAt(alternateLook ? 16 : 21),
                 ColorAt(alternateLook ? 16 : 22));
}

void CExtPaintManagerXP::DrawTabItem(CDC& dc, const RECT& strip, bool nearSide, bool horizontal,
                                     bool selected, bool centredText, bool alternateLook,
                                     bool expanded, bool textDirection, const RECT& item,
                                     int textWidth, int textHeight, HFONT font, LPCTSTR text,
                                     CExtCmdIcon* icon, CWnd*, LPARAM)
{
    PaintTabItem(dc, strip, nearSide, horizontal, selected, centredText, alternateLook, expanded,
                 textDirection, item, textWidth, textHeight, font, text, icon,
                 ColorAt(selected || alternateLook ? 18 : 16), ColorAt(alternateLook ? 15 : 2000),
                 ColorAt(alternateLook ? 16 : 20), ColorAt(alternateLook ? 16 : 21), ColorAt(16));
}

void CExtPaintManagerStudio2005::DrawTabItem(CDC& dc, const RECT&, bool nearSide, bool horizontal,
                                             bool selected, bool centredText, bool alternateLook,
                                             bool expanded, bool textDirection, const RECT& item,
                                             int textWidth, int textHeight, HFONT font,
                                             LPCTSTR text, CExtCmdIcon* icon, CWnd*, LPARAM)
{
    RECT working = item;
    (horizontal ? working.right : working.bottom) += 1;
    const bool intoContent = selected && !alternateLook;
    const SlantedTab tab =
        SlantedTabPolygons(item, horizontal, nearSide != alternateLook, intoContent);

    HRGN outline = ::CreatePolygonRgn(tab.outline, 6, WINDING);
    HBRUSH outlineBrush = ::CreateSolidBrush(ColorAt(16));
    ::FrameRgn(dc, outline, outlineBrush, 1, 1);
    ::DeleteObject(outlineBrush);
    ::DeleteObject(outline);

    HRGN inner = ::CreatePolygonRgn(tab.inner, 6, WINDING);
    if (!intoContent && GetScreenBitsPerPixel() > 8) {
        // The clip stays intersected, so that icon and text keep inside the tab too; the tab
        // window selects its strip clip again after every item.
        ::ExtSelectClipRgn(dc, inner, RGN_AND);
        PaintGradientRect(dc, working, ColorAt(20), ColorAt(22), horizontal);
    } else {
        HBRUSH fill = ::CreateSolidBrush(ColorAt(intoContent ? 20 : 15));
        ::FillRgn(dc, inner, fill);
        ::DeleteObject(fill);
    }
    ::DeleteObject(inner);

    const RECT content = Deflated(working, 3, 2 + (horizontal ? 0 : 1), 2, 2);
    PaintTabContent(dc, content, horizontal, centredText, alternateLook, expanded, textDirection,
                    textWidth, textHeight, font, text, icon, ColorAt(18));
}

void CExtPaintManager::PaintTabButton(CDC& dc, const RECT& rect, int kind, bool horizontal,
                                      bool enabled, bool hot, bool pressed, COLORREF glyph,
                                      COLORREF light, COLORREF dark)
{
    if (const PixelGlyph_t* shape = TabButtonGlyph(kind, horizontal, enabled)) {
        const COLORREF colors[2] = {0, glyph};
        g_PaintManager->DrawGlyphCentered(dc, rect, *shape, colors);
    }
    if (hot || pressed)
        Frame(dc, rect, light, dark);
}

void CExtPaintManager::DrawTabScrollButton(CDC& dc, const RECT& rect, int kind, bool,
                                           bool horizontal, bool enabled, bool hot, bool pressed,
                                           bool alternateLook, CWnd*, LPARAM)
{
    const int glyph = alternateLook ? (enabled ? 18 : 16) : (enabled ? 20 : 15);
    PaintTabButton(dc, rect, kind, horizontal, enabled, hot, pressed, ColorAt(glyph),
                   ColorAt(pressed ? 21 : 20), ColorAt(pressed ? 20 : 21));
}

void CExtPaintManagerXP::DrawTabScrollButton(CDC& dc, const RECT& rect, int kind, bool,
                                             bool horizontal, bool enabled, bool hot,
                                             bool pressed, bool, CWnd*, LPARAM)
{
    PaintTabButton(dc, rect, kind, horizontal, enabled, hot, pressed, ColorAt(enabled ? 18 : 16),
                   ColorAt(pressed ? 21 : 20), ColorAt(pressed ? 20 : 21));
}

void CExtPaintManager::DrawTabClientBorder(CDC& dc, const RECT& rect, CWnd*, LPARAM)
{
    Frame(dc, rect, ColorAt(16), ColorAt(20));
}

void CExtPaintManagerXP::DrawTabClientBorder(CDC& dc, const RECT& rect, CWnd*, LPARAM)
{
    Frame(dc, rect, ColorAt(16), ColorAt(16));
}

void CExtPaintManager::DrawSunkenBorder(CDC& dc, const RECT& rect, CWnd* owner, LPARAM reserved)
{
    CExtPaintManager::DrawTabClientBorder(dc, rect, owner, reserved);
}

void CExtPaintManagerXP::DrawSunkenBorder(CDC& dc, const RECT& rect, CWnd* owner, LPARAM reserved)
{
    CExtPaintManagerXP::DrawTabClientBorder(dc, rect, owner, reserved);
}
