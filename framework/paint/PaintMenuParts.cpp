// The parts of a popup menu around its items: separators, the expand item that reveals rarely
// used commands (a shaded ball in the Office themes), the border, the edge a dropped menu shares
// with its button, and the tint of the drop shadow.
#include "framework/commands/CmdIcon.h"
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintStrokes.h"
#include "framework/paint/PaintedBar.h"
#include "framework/paint/PaintedPopup.h"

#include <algorithm>

using namespace paint_steps;

namespace {

void DrawChevron(CExtPaintManager& manager, CDC& dc, const RECT& rect)
{
    const COLORREF color = manager.ColorAt(1010);
    const COLORREF colors[4] = {color, color, color, color};
    manager.DrawGlyphCentered(dc, rect, CExtPaintManager::GlyphChevronV, colors);
}

// An empty, enabled item: the unselected expand item looks like one.
void DrawEmptyItem(CExtPaintManager& manager, CDC& dc, const RECT& rect, int columnWidth,
                   CObject* owner)
{
    CExtPaintManager::MenuItemArgs_t item(owner, rect, columnWidth, "", "", nullptr, false,
                                          false, false, false, false, true, false, false,
                                          false, 0);
    manager.DrawMenuItem(dc, item);
}

// The column width of the owner menu's last item, 0 without items or column.
int LastItemColumnWidth(const CObject* owner)
{
    const CExtPaintedPopupMenu* menu = PaintedPopupMenuOf(owner);
    if (!menu)
        return 0;
    const CExtPaintedMenuItem* last = menu->GetPaintedItemAt(menu->GetPaintedItemCount() - 1);
    return last && !last->IsNoIconColumn() ? last->GetIconAreaWidth() : 0;
}

// The XP look of the expand item; answers the rectangle its glyphs are centred in.
RECT DrawFlatExpandItem(CExtPaintManager& manager, CDC& dc, const RECT& rect, bool selected,
                        CObject* owner)
{
    if (!selected) {
        DrawEmptyItem(manager, dc, rect, LastItemColumnWidth(owner), owner);
        return rect;
    }
    CExtPaintManager::PushButtonArgs_t button(
        owner, true, rect, "", nullptr, true, false, true, false, false, true, false, false,
        CExtPaintManager::PushButtonArgs_t::kAlignCenter |
            CExtPaintManager::PushButtonArgs_t::kAlignCenterVertically,
        nullptr, false, 0, false);
    manager.DrawPushButton(dc, button);
    CSize offset;
    manager.GetPushedContentOffset(offset);
    return Moved(rect, offset.cx, offset.cy);
}

// The rectangle extended by `by` on the given side (1 bottom, 2 top, 3 left, 4 right).
RECT ExtendedOnSide(RECT rect, int side, int by)
{
    switch (side) {
    case 1: rect.bottom += by; break;
    case 2: rect.top -= by; break;
    case 3: rect.left -= by; break;
    case 4: rect.right += by; break;
    default: break;
    }
    return rect;
}

void ExcludeFromClip(CDC& dc, const RECT& rect)
{
    ::ExcludeClipRect(dc.GetSafeHdc(), rect.left, rect.top, rect.right, rect.bottom);
}

// Top and left lines in one colour, right and bottom in another, leaving out the joined side.
void FrameOpenOnSide(CDC& dc, const RECT& r, int side, COLORREF topLeft, COLORREF bottomRight)
{
    if (side != 2)
        Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
    if (side != 3)
        Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    if (side != 4)
        Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    if (side != 1)
        Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

} // namespace

void CExtPaintManager::DrawMenuSeparator(CDC& dc, const RECT& rect, int, bool rarelyUsed,
                                         CObject*, LPARAM)
{
    if (IsEmpty(rect))
        return;
    if (rarelyUsed)
        Fill(dc, Inflated(rect, 2, 0), HelperBrush(0));
    else
        Fill(dc, rect, ColorAt(1000));
    const int inset = ::GetSystemMetrics(SM_CXSMICON) / 2;
    const int middle = (rect.top + rect.bottom) / 2;
    const RECT line = {rect.left + inset, middle - 1, rect.right - inset, middle + 1};
    Frame(dc, line, ColorAt(rarelyUsed ? 1000 : 1006), ColorAt(1004));
}

void CExtPaintManagerXP::DrawMenuSeparator(CDC& dc, const RECT& rect, int columnWidth,
                                           bool rarelyUsed, CObject*, LPARAM)
{
    const COLORREF columnColor = ColorAt(rarelyUsed ? 2005 : 1000);
    const RECT column = {rect.left, rect.top, rect.left + columnWidth, rect.bottom};
    PaintMenuIconColumn(dc, column, rarelyUsed);
    Fill(dc, RECT{column.right, rect.top, rect.right, rect.bottom}, ColorAt(2001));
    const int middle = (rect.top + rect.bottom) / 2;
    Fill(dc, RECT{column.right + 3, middle, rect.right, middle + 1}, columnColor);
}

void CExtPaintManager::DrawMenuExpandItem(CDC& dc, const RECT& rect, bool selected, bool,
                                          CObject* owner, LPARAM)
{
    if (selected) {
        Fill(dc, rect, HelperBrush(0));
        Frame(dc, rect, ColorAt(1004), ColorAt(1006));
    } else {
        DrawEmptyItem(*this, dc, rect, 0, owner);
    }
    DrawChevron(*this, dc, rect);
}

void CExtPaintManagerXP::DrawMenuExpandItem(CDC& dc, const RECT& rect, bool selected, bool,
                                            CObject* owner, LPARAM)
{
    DrawChevron(*this, dc, DrawFlatExpandItem(*this, dc, rect, selected, owner));
}

// Column by column, 16 values each, top to bottom.
const BYTE CExtPaintManagerOffice2003::MenuBallIntensity[256] = {
    255, 255, 255, 255, 255, 234, 198, 180, 180, 180, 198, 255, 255, 255, 255, 255,
    255, 255, 255, 234, 234, 234, 234, 198, 180, 144, 126, 126, 198, 255, 255, 255,
    255, 255, 234, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90,  144, 255, 255,
    255, 234, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90,  54,  126, 255,
    255, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 90,  54,  36,  255,
    234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 72,  54,  36,  90,
    234, 234, 234, 234, 234, 234, 198, 180, 144, 144, 126, 108, 72,  36,  18,  36,
    198, 234, 234, 234, 198, 198, 198, 180, 144, 126, 126, 72,  54,  36,  18,  18,
    198, 198, 198, 198, 198, 180, 180, 144, 126, 126, 108, 72,  54,  18,  18,  0,
    198, 180, 180, 180, 180, 180, 144, 126, 126, 108, 90,  54,  36,  18,  0,   0,
    198, 144, 144, 144, 144, 144, 126, 126, 108, 108, 72,  54,  36,  18,  0,   54,
    255, 144, 126, 126, 126, 126, 108, 108, 90,  90,  54,  36,  18,  0,   0,   255,
    255, 198, 108, 108, 108, 108, 90,  90,  90,  72,  54,  36,  18,  0,   72,  255,
    255, 255, 180, 108, 90,  90,  90,  72,  72,  54,  36,  18,  0,   54,  255, 255,
    255, 255, 255, 198, 90,  72,  72,  72,  54,  36,  36,  18,  108, 255, 255, 255,
    255, 255, 255, 255, 255, 180, 108, 72,  54,  90,  126, 255, 255, 255, 255, 255};

COLORREF CExtPaintManagerOffice2003::MenuBallColor(int intensity, COLORREF dark, COLORREF light)
{
    auto channel = [intensity](int a, int b) { return b - (b - a) * intensity / 255; };
    return RGB(channel(GetRValue(dark), GetRValue(light)),
               channel(GetGValue(dark), GetGValue(light)),
               channel(GetBValue(dark), GetBValue(light)));
}

void CExtPaintManagerOffice2003::DrawMenuExpandItem(CDC& dc, const RECT& rect, bool selected,
                                                    bool unused, CObject* owner, LPARAM lParam)
{
    if (!ScreenAbove8Bits()) {
        CExtPaintManagerXP::DrawMenuExpandItem(dc, rect, selected, unused, owner, lParam);
        return;
    }
    // Filled over the whole width, the glyphs centred as if an odd width were one narrower.
    RECT glyphs = rect;
    if ((rect.right - rect.left) % 2 != 0)
        glyphs.right -= 1;
    const RECT pushedRect = DrawFlatExpandItem(*this, dc, rect, selected, owner);
    glyphs = Moved(glyphs, pushedRect.left - rect.left, pushedRect.top - rect.top);
    const int x0 = glyphs.left + (glyphs.right - glyphs.left - 16) / 2;
    const int y0 = glyphs.top + (glyphs.bottom - glyphs.top - 16) / 2;
    const COLORREF dark = ColorAt(3015), light = ColorAt(3016);
    for (int i = 0; i < 256; ++i) {
        const int v = MenuBallIntensity[i];
        if (v != 255)
            ::SetPixel(dc.GetSafeHdc(), x0 + i / 16, y0 + i % 16, MenuBallColor(v, dark, light));
    }
    DrawChevron(*this, dc, glyphs);
}

int CExtPaintManagerOffice2003::GetMenuCheckAreaWidth() const
{
    return std::max(18, CExtPaintManagerXP::GetMenuCheckAreaWidth());
}

COLORREF CExtPaintManagerOffice2003::GetShadowColor() const
{
    COLORREF scheme = 0;
    if (IsOsColorSchemeActive() && GetOsSchemeColors(&scheme, nullptr))
        return HlsAdjustColor(scheme, 0.0, -0.6, 0.5);
    return static_cast<COLORREF>(-1);
}

void CExtPaintManager::DrawMenuBorder(CDC& dc, const RECT& rect, CObject*, LPARAM)
{
    if (IsEmpty(rect))
        return;
    Frame(dc, rect, ColorAt(1000), ColorAt(1008));
    Frame(dc, Deflated(rect, 1), ColorAt(1004), ColorAt(1006));
    Frame(dc, Deflated(rect, 2), ColorAt(1000));
    Frame(dc, Deflated(rect, 3), ColorAt(1000));
}

void CExtPaintManagerXP::DrawMenuBorder(CDC& dc, const RECT& rect, CObject*, LPARAM)
{
    Frame(dc, rect, ColorAt(2007));
    const RECT inner = Deflated(rect, 1);
    Frame(dc, inner, ColorAt(2001));
    Frame(dc, Deflated(inner, 0, 0, 1, 1), ColorAt(2001));
}

void CExtPaintManager::DrawMenuJoinEdge(CDC& dc, const RECT& buttonRect, const RECT& menuArea,
                                        int side, CObject*, LPARAM)
{
    if (IsEmpty(buttonRect))
        return;
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);
    const int a = GetMenuBorderSize() - 1;
    RECT edge = ExtendedOnSide(buttonRect, side, a);
    Fill(dc, edge, ColorAt(1000));
    edge = ExtendedOnSide(edge, side, a);
    RECT menu = menuArea;
    if (side == 1 || side == 2)
        menu = Deflated(menu, a, 0, a, 0);
    else
        menu = Deflated(menu, 0, a, 0, a);
    ExcludeFromClip(dc, menu);
    FrameOpenOnSide(dc, edge, side, ColorAt(1000), ColorAt(1006));
    FrameOpenOnSide(dc, Deflated(edge, 1), side, ColorAt(1004), ColorAt(1008));
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);
}

void CExtPaintManagerXP::DrawMenuJoinEdge(CDC& dc, const RECT& buttonRect, const RECT& menuArea,
                                          int side, CObject*, LPARAM)
{
    Fill(dc, buttonRect, ColorAt(2000));
    ExcludeFromClip(dc, Deflated(menuArea, 1));
    Frame(dc, ExtendedOnSide(buttonRect, side, 1), ColorAt(2007));
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);
}

void CExtPaintManagerOffice2003::DrawMenuJoinEdge(CDC& dc, const RECT& buttonRect,
                                                  const RECT& menuArea, int side,
                                                  CObject* owner, LPARAM lParam)
{
    const CExtPaintedPopupMenu* popup = PaintedPopupMenuOf(owner);
    const CObject* barObject = popup ? popup->GetPopupOwnerData() : nullptr;
    const CExtPaintedToolBar* bar = PaintedToolBarOf(barObject);
    if (!popup || !ScreenAbove8Bits() || (bar && (bar->IsFrameless() || !bar->HasDockSite()))) {
        CExtPaintManagerXP::DrawMenuJoinEdge(dc, buttonRect, menuArea, side, owner, lParam);
        return;
    }
    const int index = bar ? bar->GetMenuTrackingButton() : -1;
    const CExtPaintedBarButton* button = index >= 0 ? bar->GetButtonAtIndex(index) : nullptr;
    const CObject* buttonObject = dynamic_cast<const CObject*>(button);
    if (buttonObject && buttonObject->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) &&
        !IsMenuBar(barObject)) {
        // The chevron keeps the toolbar's rounded end.
        if (IsOsColorSchemeActive())
            return;
        CSize extra;
        GetToolBarExtraSize(extra);
        const int w = extra.cx, h = extra.cy;
        const LONG right = buttonRect.right, top = buttonRect.top, bottom = buttonRect.bottom;
        const COLORREF color = ColorAt(3008);
        switch (side) {
        case 1:
            dc.FillSolidRect(right - w - 2, bottom - h - 1, w + 2, h, color);
            break;
        case 2:
            dc.FillSolidRect(right - w - 2, top + 1, w + 2, h, color);
            dc.FillSolidRect(right - w, bottom - h - 1, w, h, color);
            break;
        case 3:
            dc.FillSolidRect(right - w, bottom - h - 1, w, h, color);
            break;
        case 4:
            dc.FillSolidRect(right - w - 2, bottom - h, w + 1, h, color);
            break;
        default:
            break;
        }
        return;
    }
    RECT edge = ExtendedOnSide(buttonRect, side, 1);
    RECT excluded = Deflated(menuArea, 1);
    const CExtCmdIcon* icon = button ? button->GetButtonIcon() : nullptr;
    if ((button && ((icon && !icon->IsEmpty()) || IsMenuBar(barObject))) ||
        !popup->PaintsFrameworkJoin()) {
        Fill(dc, edge, ColorAt(2001));
        ExcludeFromClip(dc, excluded);
    } else {
        if (side == 4) {
            edge.right -= 2;
            excluded.right -= 2;
        } else if (side == 3) {
            edge.left += 1;
            excluded.left += 1;
        }
        ExcludeFromClip(dc, excluded);
        Fill(dc, edge, ColorAt(2000));
    }
    Frame(dc, edge, ColorAt(2007));
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);
}
