// The button at a toolbar's end that opens the menu of hidden buttons: a flat push button with a
// down arrow, and a chevron above it (beside it on a vertical bar) when some buttons are hidden.
// The Office themes make it the rounded end of a docked toolbar's body.
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintedBar.h"

#include <algorithm>

namespace {

using Glyph = CExtPaintManager::PixelGlyph_t;

// How the classic and XP looks differ.
struct ExpandLook
{
    const Glyph* arrow;
    const Glyph* chevron;
    int chevronShift;  // along the bar
    bool exchange;  // arrow and chevron change places
    bool raisedDisabledArrow;
};

void DrawGlyphIn(CExtPaintManager& manager, CDC& dc, const Glyph& glyph, POINT at,
                 COLORREF color)
{
    const COLORREF colors[4] = {color, color, color, color};
    manager.DrawGlyph(dc, at.x, at.y, glyph, colors);
}

void DrawClassicExpandButton(CExtPaintManager& manager, CDC& dc, const RECT& rect,
                             bool horizontal, bool allVisible, bool enabled, bool pushed,
                             bool hot, bool transparent, const ExpandLook& look)
{
    RECT r = rect;
    ::SetRect(&r, std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
              std::max(rect.left, rect.right), std::max(rect.top, rect.bottom));
    if (!dc.RectVisible(&r))
        return;
    CExtPaintManager::PushButtonArgs_t args(
        &manager, horizontal, r, "", nullptr, true, hot, pushed, false, enabled, true, false,
        false, CExtPaintManager::PushButtonArgs_t::kAlignCenter |
                   CExtPaintManager::PushButtonArgs_t::kAlignCenterVertically,
        nullptr, false, 0, transparent);
    manager.DrawPushButton(dc, args);

    CSize offset;
    manager.GetPushedContentOffset(offset);
    const int t = 3 * std::max(1L, horizontal ? offset.cy : offset.cx);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const Glyph& arrow = *look.arrow;
    const Glyph& chevron = *look.chevron;
    POINT arrowAt, chevronAt;
    if (horizontal) {
        arrowAt = {(w - arrow.m_width) / 2, h - arrow.m_height - t};
        chevronAt = {(w - chevron.m_width) / 2 + look.chevronShift, t};
    } else {
        arrowAt = {t, (h - arrow.m_height) / 2};
        chevronAt = {w - chevron.m_width - t, (h - chevron.m_height) / 2 + look.chevronShift};
    }
    if (!horizontal && look.exchange)
        std::swap(arrowAt, chevronAt);
    for (POINT* at : {&arrowAt, &chevronAt}) {
        at->x += r.left + (pushed ? offset.cx : 0);
        at->y += r.top + (pushed ? offset.cy : 0);
    }
    if (enabled) {
        DrawGlyphIn(manager, dc, arrow, arrowAt, manager.ColorAt(1010));
        if (!allVisible)
            DrawGlyphIn(manager, dc, chevron, chevronAt, manager.ColorAt(1010));
        return;
    }
    if (look.raisedDisabledArrow)
        DrawGlyphIn(manager, dc, arrow, POINT{arrowAt.x + 1, arrowAt.y + 1},
                    manager.ColorAt(COLOR_BTNHIGHLIGHT));
    DrawGlyphIn(manager, dc, arrow, arrowAt, manager.ColorAt(COLOR_BTNSHADOW));
}

} // namespace

void CExtPaintManager::DrawToolBarExpandButton(CDC& dc, const RECT& rect, bool horizontal,
                                               bool allVisible, bool enabled, bool pushed,
                                               bool hot, const CObject*, LPARAM,
                                               bool transparent)
{
    const ExpandLook look = {horizontal ? &GlyphDropArrowH : &GlyphExpandArrowV,
                             horizontal ? &GlyphChevronH : &GlyphChevronV, 0, false, true};
    DrawClassicExpandButton(*this, dc, rect, horizontal, allVisible, enabled, pushed, hot,
                            transparent, look);
}

void CExtPaintManagerXP::DrawToolBarExpandButton(CDC& dc, const RECT& rect, bool horizontal,
                                                 bool allVisible, bool enabled, bool pushed,
                                                 bool hot, const CObject*, LPARAM,
                                                 bool transparent)
{
    const int first = horizontal ? 0 : 2;
    const ExpandLook look = {m_expandGlyphs[first], m_expandGlyphs[first + 1], 1,
                             (m_xpFlags & 0x04) != 0, false};
    DrawClassicExpandButton(*this, dc, rect, horizontal, allVisible, enabled, pushed, hot,
                            transparent, look);
}

void CExtPaintManagerOffice2003::DrawToolBarExpandButton(CDC& dc, const RECT& rect,
                                                         bool horizontal, bool allVisible,
                                                         bool enabled, bool pushed, bool hot,
                                                         const CObject* button, LPARAM lParam,
                                                         bool transparent)
{
    const CExtPaintedBarButton* painted = PaintedButtonOf(button);
    const CExtPaintedToolBar* bar = painted ? painted->GetBar() : nullptr;
    const CObject* barObject = dynamic_cast<const CObject*>(bar);
    const bool bodyEnd = bar && bar->GetExpandButton() == painted && enabled &&
                         CanDrawChildBackground(nullptr, 0) && GetScreenBitsPerPixel() > 8 &&
                         bar->HasDockSite() && !bar->IsFloating() && !IsMenuBar(barObject) &&
                         !IsPanelBar(barObject) && !bar->IsFrameless();
    HRGN clip = nullptr;
    RECT r = rect, client = {};
    CSize corner;
    if (bodyEnd) {
        const RECT barClient = bar->GetBarClientRect();
        client = {0, 0, barClient.right - barClient.left, barClient.bottom - barClient.top};
        corner = GetToolBarCornerSize(5);
        RECT rest = client;
        if (horizontal) {
            ::OffsetRect(&r, client.right - r.right, 0);
            r.left -= 1;
            r.top = client.top;
            r.bottom = client.bottom - 1;
            rest.right = r.left + 1;
            r.left -= corner.cx;
        } else {
            ::OffsetRect(&r, 0, client.bottom - r.bottom);
            r.top -= 1;
            r.left = client.left;
            r.right = client.right - 1;
            rest.bottom = r.top + 1;
            r.top -= corner.cy;
        }
        clip = ::CreateRoundRectRgn(client.left, client.top, client.right, client.bottom,
                                    corner.cx, corner.cy);
        HRGN body = ::CreateRoundRectRgn(rest.left, rest.top, rest.right, rest.bottom, corner.cx,
                                         corner.cy);
        if (!clip || !body || ::CombineRgn(clip, clip, body, RGN_DIFF) == ERROR) {
            if (clip)
                ::DeleteObject(clip);
            clip = nullptr;
        }
        if (body)
            ::DeleteObject(body);
    }
    if (!clip) {
        CExtPaintManagerXP::DrawToolBarExpandButton(dc, rect, horizontal, allVisible, enabled,
                                                    pushed, hot, button, lParam, transparent);
        return;
    }
    ::SelectClipRgn(dc, clip);
    ::DeleteObject(clip);

    // The pairs as a horizontal bar's vertical gradient takes them; a vertical bar's
    // horizontal gradient takes them the other way round.
    auto gradient = [&](const RECT& area, int first, int second) {
        if (horizontal)
            PaintGradientRect(dc, area, ColorAt(first), ColorAt(second), true);
        else
            PaintGradientRect(dc, area, ColorAt(second), ColorAt(first), false);
    };
    if (hot || pushed) {
        RECT area = r;
        ::InflateRect(&area, 1, 1);
        if (pushed)
            gradient(area, 3008, 3009);
        else
            gradient(area, 3007, 3006);
    } else if (IsOsColorSchemeActive()) {
        gradient(r, 3005, 3004);
    } else {
        RECT lead = r, beyond = r;
        if (horizontal)
            lead.bottom = beyond.top = r.top + (r.bottom - r.top) * 3 / 5;
        else
            lead.right = beyond.left = r.left + (r.right - r.left) * 3 / 5;
        dc.FillSolidRect(&beyond, ColorAt(3005));
        gradient(lead, 3005, 3004);
    }

    const int t = 3;
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int first = horizontal ? 0 : 2;
    const Glyph& arrow = *m_expandGlyphs[first];
    const Glyph& chevron = *m_expandGlyphs[first + 1];
    POINT arrowAt, chevronAt;
    if (horizontal) {
        arrowAt = {(w - arrow.m_width) / 2 + 1, h - arrow.m_height - t - 1};
        chevronAt = {(w - chevron.m_width) / 2 + 1, t + 1};
    } else {
        arrowAt = {t + 1, (h - arrow.m_height) / 2 + 1};
        chevronAt = {w - chevron.m_width - t - 1, (h - chevron.m_height) / 2 + 1};
        std::swap(arrowAt, chevronAt);
    }
    CSize offset;
    if (pushed)
        GetPushedContentOffset(offset);
    // On the Windows 95/98 family the rounder corner takes 2 more pixels along the bar.
    const int shift9x = (g_PaintManager.OsFacts1() & CExtPaintManagerHolder::kWin9x) ? 2 : 0;
    for (POINT* at : {&arrowAt, &chevronAt}) {
        at->x += r.left + offset.cx + (horizontal ? shift9x : 0);
        at->y += r.top + offset.cy + (horizontal ? 0 : shift9x);
    }
    const bool withChevron = !allVisible;
    for (int pass = 0; pass < 2; ++pass) {
        const COLORREF color = ColorAt(pass == 0 ? 3012 : 3013);
        const int d = pass == 0 ? 1 : 0;
        DrawGlyphIn(*this, dc, arrow, POINT{arrowAt.x + d, arrowAt.y + d}, color);
        if (withChevron)
            DrawGlyphIn(*this, dc, chevron, POINT{chevronAt.x + d, chevronAt.y + d}, color);
    }
    ::SelectClipRgn(dc, nullptr);
}
