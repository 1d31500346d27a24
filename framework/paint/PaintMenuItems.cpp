// Popup menu items: the classic look (face-coloured, highlight-coloured selection, embossed
// disabled text) and the XP family's (an icon column of its own colour, a framed selection,
// monochrome disabled text). The menus own no drawing code for their items.
#include "framework/commands/CmdIcon.h"
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintStrokes.h"

#include <algorithm>

using namespace paint_steps;

CExtPaintManager::MenuItemArgs_t::MenuItemArgs_t(
    CObject* owner, const RECT& rect, int columnWidth, LPCTSTR text, LPCTSTR acceleratorText,
    CExtCmdIcon* icon, bool submenu, bool selected, bool checked, bool radio, bool spare,
    bool enabled, bool rarelyUsed, bool rarelyUsedAbove, bool rarelyUsedBelow,
    UINT systemCommand)
    : m_owner(owner), m_rect(rect), m_columnWidth(columnWidth), m_text(text ? text : ""),
      m_acceleratorText(acceleratorText ? acceleratorText : ""), m_icon(icon),
      m_systemCommand(systemCommand), m_submenu(submenu), m_selected(selected),
      m_checked(checked), m_radio(radio), m_spare(spare), m_enabled(enabled),
      m_rarelyUsed(rarelyUsed), m_rarelyUsedAbove(rarelyUsedAbove),
      m_rarelyUsedBelow(rarelyUsedBelow), m_noIconColumn(0), m_pixelArrow(0), m_splitSubmenu(0),
      m_checkBox(0), m_boxChecked(0), m_moreSpare(0), m_inlineRect(),
      m_inlineSubmenuVisible(0), m_inlineSpare(0)
{ }

namespace {

using Args = CExtPaintManager::MenuItemArgs_t;

bool HasIcon(const Args& a)
{
    return a.m_icon && !a.m_icon->IsEmpty();
}

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// Prefix text at x, centred vertically in the rectangle.
void DrawPrefixText(CDC& dc, LPCTSTR text, int x, const RECT& rect, UINT disabledStyle,
                    HBRUSH disabledBrush)
{
    RECT extent = {};
    ::DrawTextA(dc.GetSafeHdc(), text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    const int y = rect.top + (Height(rect) - Height(extent)) / 2;
    ::DrawStateA(dc.GetSafeHdc(), disabledStyle ? disabledBrush : nullptr, nullptr,
                 reinterpret_cast<LPARAM>(text), 0, x, y, Width(extent), Height(extent),
                 DST_PREFIXTEXT | disabledStyle);
}

// The text at the rectangle's left and the accelerator text ending 16 pixels before its right.
void DrawItemTexts(CExtPaintManager& manager, CDC& dc, const Args& a, const RECT& rect,
                   COLORREF color, HBRUSH disabledBrush)
{
    SavedColors saved(dc);
    Selected font(dc, manager.Font(CExtPaintManager::kFontNormal).GetSafeHandle());
    dc.SetTextColor(color);
    dc.SetBkMode(TRANSPARENT);
    const UINT disabled = a.m_enabled ? 0 : manager.DisabledTextStyle();
    DrawPrefixText(dc, a.m_text, rect.left, rect, disabled, disabledBrush);
    if (*a.m_acceleratorText) {
        RECT extent = {};
        ::DrawTextA(dc.GetSafeHdc(), a.m_acceleratorText, -1, &extent,
                    DT_CALCRECT | DT_SINGLELINE);
        DrawPrefixText(dc, a.m_acceleratorText, rect.right - Width(extent) - 16, rect, disabled,
                       disabledBrush);
    }
}

// The submenu's arrow area: the item shrunk by 3, its last 16 pixels.
RECT ArrowArea(const RECT& item)
{
    RECT area = Deflated(item, 3);
    area.left = area.right - 16;
    return area;
}

void DrawPixelArrow(CExtPaintManager& manager, CDC& dc, const Args& a, const RECT& area,
                    COLORREF color)
{
    const COLORREF colors[4] = {color, color, color, color};
    manager.DrawGlyphCentered(dc, area,
                              a.m_splitSubmenu ? CExtPaintManager::GlyphSubmenuArrowBar
                                               : CExtPaintManager::GlyphSubmenuArrow,
                              colors);
}

// The symbol font's right-pointing arrow. Windows' symbol font has the menu arrow at "8", but
// the one that Wine ships draws a cross there; "4", its right-pointing arrow, is the same small
// triangle in both.
const char kArrowCharacter[] = "4";

void DrawFontArrow(CExtPaintManager& manager, CDC& dc, RECT area, COLORREF color)
{
    SavedColors saved(dc);
    Selected font(dc, manager.Font(CExtPaintManager::kFontMarlett).GetSafeHandle());
    dc.SetTextColor(color);
    dc.SetBkMode(TRANSPARENT);
    area.left += 2;
    ::DrawTextA(dc.GetSafeHdc(), kArrowCharacter, 1, &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// The icon's place: its size (16 x 16 without one, at least as tall as wide up to 18), centred
// in the column, or in the column's right half for check-box items.
RECT IconRect(const Args& a)
{
    CSize size = HasIcon(a) ? a.m_icon->GetSize() : CSize(16, 16);
    if (size.cx <= 18)
        size.cy = std::max(size.cy, size.cx);
    const RECT& item = a.m_rect;
    const int half = a.m_columnWidth / 2;
    const int x = a.m_checkBox ? item.left + half + (half - size.cx) / 2 - 2
                               : item.left + (a.m_columnWidth - size.cx) / 2;
    const int y = item.top + (Height(item) - size.cy) / 2;
    return RECT{x, y, x + size.cx, y + size.cy};
}

// A checked check-box item's square at the item's top-left, one pixel inside.
RECT CheckBoxSquare(const RECT& item)
{
    const int side = Height(item) - 2;
    return RECT{item.left + 1, item.top + 1, item.left + 1 + side, item.top + 1 + side};
}

void DrawMarkAtCentre(const Args& a, CDC& dc, const RECT& rect, COLORREF color)
{
    const int x = (rect.left + rect.right) / 2 - 3, y = (rect.top + rect.bottom) / 2 - 3;
    if (a.m_checked)
        CExtPaintManager::DrawCheckMark(dc.GetSafeHdc(), x, y, color);
    else
        CExtPaintManager::DrawRadioDot(dc.GetSafeHdc(), x, y, color);
}

void DrawInlineText(CExtPaintManager& manager, CDC& dc, const Args& a, const RECT& field,
                    int topInset)
{
    Fill(dc, field, manager.ColorAt(a.m_enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (a.m_inlineText.IsEmpty())
        return;
    SavedColors saved(dc);
    Selected font(dc, manager.Font(CExtPaintManager::kFontNormal).GetSafeHandle());
    dc.SetTextColor(manager.ColorAt(COLOR_BTNTEXT));
    dc.SetBkMode(TRANSPARENT);
    RECT text = Deflated(field, 5, topInset, 1, 2);
    ::DrawTextA(dc.GetSafeHdc(), a.m_inlineText, a.m_inlineText.GetLength(), &text,
                DT_SINGLELINE | DT_NOPREFIX);
}

// The inline field of a submenu item looks like a combo box.
void DrawInlineCombo(CExtPaintManager& manager, CDC& dc, const Args& a, const RECT& rect)
{
    CExtPaintManager::ComboFrameArgs_t combo(a.m_owner, rect, a.m_selected,
                                             a.m_selected && a.m_inlineSubmenuVisible,
                                             a.m_enabled);
    combo.m_noOuterRing = 1;
    manager.DrawComboFrame(dc, combo);
}

} // namespace

int CExtPaintManager::GetMenuCheckAreaWidth() const
{
    return ::GetSystemMetrics(SM_CYMENUCHECK);
}

void CExtPaintManager::DrawMenuItem(CDC& dc, MenuItemArgs_t& a)
{
    const RECT& item = a.m_rect;
    if (IsEmpty(item))
        return;
    Fill(dc, item, ColorAt(1000));
    const COLORREF selection = ColorAt(a.m_selected ? COLOR_HIGHLIGHT : 1000);
    const COLORREF text = ColorAt(a.m_selected ? COLOR_HIGHLIGHTTEXT : 1010);
    if (a.m_rarelyUsed) {
        const RECT band = Inflated(item, 2, 0);
        Fill(dc, band, HelperBrush(0));
        if (!a.m_rarelyUsedAbove)
            Fill(dc, RECT{band.left, item.top, band.right, item.top + 1}, ColorAt(COLOR_BTNSHADOW));
        if (!a.m_rarelyUsedBelow)
            Fill(dc, RECT{band.left, item.bottom - 1, band.right, item.bottom},
                 ColorAt(COLOR_BTNHIGHLIGHT));
    }
    // With an icon or a mark the selection leaves the column alone, else it covers it.
    const bool columnApart = HasIcon(a) || a.m_checked || a.m_radio;
    RECT r = item;
    if (columnApart)
        r.left += a.m_columnWidth;
    r = Deflated(r, 1);
    if (a.m_selected || !a.m_rarelyUsed)
        Fill(dc, r, selection);
    if (!columnApart)
        r.left += a.m_columnWidth;
    r = Deflated(r, 6, 3, 6, 3);
    DrawItemTexts(*this, dc, a, r, text, nullptr);

    if (a.m_submenu) {
        const RECT area = ArrowArea(item);
        if (a.m_pixelArrow) {
            DrawPixelArrow(*this, dc, a, area,
                           ColorAt(a.m_selected ? COLOR_HIGHLIGHTTEXT : 1010));
        } else {
            COLORREF arrow = text;
            if (a.m_splitSubmenu && a.m_selected) {
                const RECT part = {area.left, item.top, area.right, item.bottom};
                if (a.m_rarelyUsed)
                    Fill(dc, part, HelperBrush(0));
                else
                    Fill(dc, part, ColorAt(1000));
                arrow = ColorAt(COLOR_BTNTEXT);
            } else if (a.m_splitSubmenu) {
                DrawSeparator(dc, RECT{area.left - 2, area.top, area.left + 2, area.bottom}, true,
                              true, a.m_owner, 0);
            }
            DrawFontArrow(*this, dc, area, arrow);
        }
    }

    const RECT icon = IconRect(a);
    if (a.m_checkBox && a.m_boxChecked) {
        const RECT square = CheckBoxSquare(item);
        Fill(dc, square, HelperBrush(0));
        DrawCheckMark(dc.GetSafeHdc(), (square.left + square.right) / 2 - 3,
                      (square.top + square.bottom) / 2 - 3, ColorAt(1010));
        Frame(dc, square, ColorAt(1006), ColorAt(1004));
    }
    const RECT iconFrame = Inflated(icon, 2, 2);
    const bool marked = a.m_checked || a.m_radio;
    if (marked)
        Fill(dc, iconFrame, HelperBrush(0));
    if (HasIcon(a)) {
        a.m_icon->DrawState(dc.GetSafeHdc(), POINT{icon.left, icon.top},
                            a.m_enabled ? CExtCmdIcon::kDrawNormal : CExtCmdIcon::kDrawDisabled);
        if (a.m_selected && a.m_enabled && !marked)
            Frame(dc, iconFrame, ColorAt(1004), ColorAt(1006));
    } else {
        DrawSysCommandGlyph(dc, a.m_systemCommand, icon, a.m_selected, false, a.m_enabled);
    }
    if (marked) {
        if (!HasIcon(a))
            DrawMarkAtCentre(a, dc, icon, ColorAt(1010));
        Frame(dc, iconFrame, ColorAt(1006), ColorAt(1004));
    }

    if (IsEmpty(a.m_inlineRect))
        return;
    RECT field = Deflated(a.m_inlineRect, -2, -2, -2, -3);
    if (a.m_submenu) {
        const int thumb = ::GetSystemMetrics(SM_CXHTHUMB);
        field.right += thumb;
        DrawInlineCombo(*this, dc, a, field);
        field = Deflated(field, 1);
        field.right -= thumb;
    } else {
        Frame(dc, field, ColorAt(COLOR_BTNFACE));
        field = Deflated(field, 1);
        if (a.m_selected)
            Frame(dc, field, ColorAt(COLOR_BTNSHADOW), ColorAt(COLOR_BTNHIGHLIGHT));
        else
            Frame(dc, field, ColorAt(COLOR_BTNFACE));
    }
    DrawInlineText(*this, dc, a, Deflated(field, 1), 2);
}

void CExtPaintManagerXP::PaintMenuIconColumn(CDC& dc, const RECT& column, bool rarelyUsed)
{
    const int* pair = m_menuIconColumnColors + (rarelyUsed ? 2 : 0);
    const COLORREF plain = ColorAt(rarelyUsed ? 2005 : 1000);
    if (!ScreenAbove8Bits() || pair[0] < 0 || pair[1] < 0) {
        Fill(dc, column, plain);
        return;
    }
    const COLORREF first = ColorAt(pair[0]), second = ColorAt(pair[1]);
    if (IsOsColorSchemeActive()) {
        PaintGradientRect(dc, column, first, second, false);
        return;
    }
    // Without the OS scheme only the left 7/10 is a gradient.
    RECT left = column;
    left.right = left.left + ::MulDiv(Width(column), 7, 10);
    PaintGradientRect(dc, left, first, second, false);
    Fill(dc, RECT{left.right, column.top, column.right, column.bottom}, second);
}

void CExtPaintManagerXP::DrawMenuItem(CDC& dc, MenuItemArgs_t& a)
{
    const RECT& item = a.m_rect;
    if (IsEmpty(item))
        return;
    const COLORREF border = ColorAt(2004), text = ColorAt(1010);
    const RECT column = {item.left, item.top, item.left + a.m_columnWidth, item.bottom};
    if (a.m_noIconColumn)
        Fill(dc, column, ColorAt(a.m_rarelyUsed ? 2005 : 1000));
    else
        PaintMenuIconColumn(dc, column, a.m_rarelyUsed);
    RECT rest = item;
    if (!a.m_noIconColumn)
        rest.left = column.right;
    Fill(dc, rest, ColorAt(2001));
    if (a.m_selected) {
        Fill(dc, item, ColorAt(1001));
        Frame(dc, item, border);
    }
    DrawItemTexts(*this, dc, a, Deflated(rest, 3, 1, 3, 1), text, BrushAt(COLOR_BTNSHADOW));

    if (a.m_submenu) {
        const RECT area = ArrowArea(item);
        COLORREF arrow = text;
        if (a.m_splitSubmenu && a.m_selected) {
            RECT part = {area.left - 1, item.top + 1, area.right - 1, item.bottom - 1};
            Fill(dc, part, ColorAt(2003));
            part.left += 1;
            Fill(dc, part, border);
            arrow = ColorAt(COLOR_HIGHLIGHTTEXT);
        } else if (a.m_splitSubmenu) {
            DrawSeparator(dc, RECT{area.left - 2, area.top, area.left + 2, area.bottom}, true,
                          true, a.m_owner, 0);
        }
        if (a.m_pixelArrow)
            DrawPixelArrow(*this, dc, a, area, arrow);
        else
            DrawFontArrow(*this, dc, area, arrow);
    }

    // The mark's background: the pushed gradient pairs when the theme has them.
    const COLORREF markBack = ColorAt(a.m_selected ? 2003 : 1001);
    const int* pair = m_pushButtonColors + (a.m_selected ? 4 : 2);
    auto fillMarkBack = [&](const RECT& rect) {
        if (ScreenAbove8Bits() && pair[0] >= 0 && pair[1] >= 0)
            PaintGradientRect(dc, rect, ColorAt(pair[1]), ColorAt(pair[0]), true);
        else
            Fill(dc, rect, markBack);
    };
    const RECT icon = IconRect(a);
    if (a.m_checkBox && a.m_boxChecked) {
        const RECT square = CheckBoxSquare(item);
        fillMarkBack(square);
        DrawCheckMark(dc.GetSafeHdc(), (square.left + square.right) / 2 - 3,
                      (square.top + square.bottom) / 2 - 3, text);
        Frame(dc, square, border);
    }
    const RECT iconFrame = Inflated(icon, 2, 2);
    const bool marked = a.m_checked || a.m_radio;
    if (marked)
        fillMarkBack(iconFrame);
    if (HasIcon(a)) {
        RECT unusedText = icon;
        DrawButtonIconAndPlaceText(dc, true, CString(), a.m_icon, icon, unusedText, marked,
                                   a.m_enabled, a.m_selected, 0);
    } else {
        DrawSysCommandGlyph(dc, a.m_systemCommand, icon, a.m_selected, false, a.m_enabled);
    }
    if (marked) {
        if (!HasIcon(a))
            DrawMarkAtCentre(a, dc, icon, text);
        Frame(dc, iconFrame, border);
    }

    if (IsEmpty(a.m_inlineRect))
        return;
    RECT field = Inflated(a.m_inlineRect, 1, 2);
    if (a.m_submenu) {
        const int thumb = ::GetSystemMetrics(SM_CXHTHUMB);
        field.right += thumb;
        field = Inflated(field, 1, 1);
        DrawInlineCombo(*this, dc, a, field);
        field = Deflated(field, 1);
        if (a.m_selected) {
            Frame(dc, field, border);
        } else {
            Frame(dc, field, ColorAt(1000));
            Frame(dc, Deflated(RECT{field.right - thumb, field.top, field.right, field.bottom},
                               0, 1, 1, 1),
                  ColorAt(COLOR_WINDOW));
        }
        field.right -= thumb;
    } else {
        Frame(dc, field, a.m_selected ? border : ColorAt(COLOR_3DLIGHT));
    }
    DrawInlineText(*this, dc, a, Deflated(field, 1), 3);
}

void CExtPaintManager::DrawCheckMark(HDC dc, int x, int y, COLORREF color)
{
    const COLORREF shadow = ::GetNearestColor(dc, InvertColor(color));
    for (int i = 0; i < 3; ++i) {
        ::SetPixel(dc, x + i, y + i + 2, color);
        ::SetPixel(dc, x + i, y + i + 3, color);
        ::SetPixel(dc, x + i, y + i + 4, shadow);
    }
    for (int i = 0; i < 4; ++i) {
        ::SetPixel(dc, x + i + 3, y - i + 3, color);
        ::SetPixel(dc, x + i + 3, y - i + 4, color);
        ::SetPixel(dc, x + i + 3, y - i + 5, shadow);
    }
}

namespace {

void FillEllipse(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = ::CreateSolidBrush(color);
    HPEN pen = ::CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
}

} // namespace

void CExtPaintManager::DrawRadioDot(HDC dc, int x, int y, COLORREF color)
{
    FillEllipse(dc, RECT{x + 1, y + 1, x + 7, y + 7}, ::GetNearestColor(dc, InvertColor(color)));
    FillEllipse(dc, RECT{x, y, x + 6, y + 6}, color);
}
