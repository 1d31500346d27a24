// The non-client parts of bars and floating frames: borders, captions with their text, and the
// grippers of toolbars; and the border thickness that fixed-size bars leave for them.
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintedBar.h"

#include <cstdlib>

using paint_steps::ScreenAbove8Bits;

namespace {

// The caption text, read along a horizontal band or bottom to top along a vertical one, never
// over the caption buttons above a vertical band's text rectangle.
void DrawCaptionText(CDC& dc, const CExtPaintManager::BarCaptionArgs_t& args, const CFont& font,
                     COLORREF color)
{
    const RECT& text = args.m_text;
    if (!args.m_captionText[0] || text.right <= text.left || text.bottom <= text.top)
        return;
    const paint_steps::SavedColors savedColors(dc);
    const paint_steps::Selected selectedFont(dc, font.GetSafeHandle());
    dc.SetTextColor(color);
    dc.SetBkMode(TRANSPARENT);
    if (!args.m_vertical) {
        RECT place = text;
        ::DrawTextA(dc, args.m_captionText, -1, &place,
                    DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        return;
    }
    LOGFONTA logFont = {};
    ::GetObjectA(font, sizeof logFont, &logFont);
    const int h = std::abs(logFont.lfHeight);
    const int w = text.right - text.left, t = text.bottom - text.top;
    RECT place;
    place.left = text.left + (w - h) / 2 + 1;
    place.right = place.left + w;
    place.top = text.bottom;
    place.bottom = text.bottom + t;
    ::InflateRect(&place, -2, -2);
    ::ExcludeClipRect(dc, args.m_caption.left, args.m_caption.top, args.m_caption.right, text.top);
    ::DrawTextA(dc, args.m_captionText, -1, &place, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    ::SelectClipRgn(dc, nullptr);
}

CExtPaintManager::FontIndex CaptionFont(bool bold, bool vertical)
{
    if (bold)
        return vertical ? CExtPaintManager::kFontCappedBold900 : CExtPaintManager::kFontCappedBold;
    return vertical ? CExtPaintManager::kFontCapped900 : CExtPaintManager::kFontCapped;
}

// An 8 x 8 monochrome pattern brush, one word per row.
HBRUSH PatternBrush(const WORD rows[8])
{
    HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = bitmap ? ::CreatePatternBrush(bitmap) : nullptr;
    if (bitmap)
        ::DeleteObject(bitmap);
    return brush;
}

const WORD kVerticalGripRows[8] = {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00};
const WORD kHorizontalGripRows[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
const WORD kCheckerRows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
const DWORD kPatAnd = 0x00A000C9;

} // namespace

CExtPaintManager::BarBordersArgs_t::BarBordersArgs_t(const CObject* owner, const RECT& window,
                                                     const RECT& client, bool floating,
                                                     bool resizable, bool resizableDocked)
    : m_owner(owner)
    , m_window(window)
    , m_client(client)
    , m_floating(floating)
    , m_resizable(resizable)
    , m_resizableDocked(resizableDocked)
{ }

CExtPaintManager::BarCaptionArgs_t::BarCaptionArgs_t(const CObject* owner, const RECT& caption,
                                                     const RECT& text, bool active, bool floating,
                                                     bool vertical, bool captionStyle,
                                                     LPCTSTR captionText)
    : m_owner(owner)
    , m_caption(caption)
    , m_text(text)
    , m_active(active)
    , m_floating(floating)
    , m_vertical(vertical)
    , m_captionStyle(captionStyle)
    , m_captionText(captionText ? captionText : "")
    , m_handOver(0)
{ }

void CExtPaintManager::Draw3dRectCutCorners(CDC& dc, const RECT& rect, COLORREF topLeft,
                                            COLORREF bottomRight)
{
    const int x = rect.left, y = rect.top;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    dc.FillSolidRect(x + 1, y, width - 2, 1, topLeft);
    dc.FillSolidRect(x, y + 1, 1, height - 2, topLeft);
    dc.FillSolidRect(x + width - 1, y + 1, 1, height - 2, bottomRight);
    dc.FillSolidRect(x + 1, y + height - 1, width - 2, 1, bottomRight);
}

void CExtPaintManager::DrawBarBorders(CDC& dc, const BarBordersArgs_t& args)
{
    RECT rect = args.m_window;
    if (::IsRectEmpty(&rect))
        return;
    dc.ExcludeClipRect(&args.m_client);
    dc.FillSolidRect(&rect, ColorAt(1000));
    if (args.m_floating) {
        dc.Draw3dRect(&rect, ColorAt(1000), ColorAt(1008));
        ::InflateRect(&rect, -1, -1);
        dc.Draw3dRect(&rect, ColorAt(1004), ColorAt(1006));
    } else if (!args.m_resizable) {
        dc.Draw3dRect(&rect, ColorAt(1004), ColorAt(1006));
    }
    ::IntersectClipRect(dc, args.m_window.left, args.m_window.top, args.m_window.right,
                        args.m_window.bottom);
}

void CExtPaintManager::DrawBarCaption(CDC& dc, BarCaptionArgs_t& args)
{
    const COLORREF light = ColorAt(1004), dark = ColorAt(1006);
    RECT rect = args.m_caption;
    if (!args.m_floating && !args.m_captionStyle) {
        // Two raised bars.
        if (args.m_vertical) {
            rect.left += 4;
            rect.top += 1;
            rect.right = rect.left + 3;
            dc.Draw3dRect(&rect, light, dark);
            ::OffsetRect(&rect, 3, 0);
        } else {
            ::OffsetRect(&rect, 1, 0);
            rect.top += 4;
            rect.right -= 1;
            rect.bottom = rect.top + 3;
            dc.Draw3dRect(&rect, light, dark);
            ::OffsetRect(&rect, 0, 3);
        }
        dc.Draw3dRect(&rect, light, dark);
        return;
    }
    if (!args.m_floating)
        ::InflateRect(&rect, -1, -1);
    int textColor = COLOR_HIGHLIGHTTEXT;
    if (!args.m_captionStyle) {
        dc.FillSolidRect(&rect, ColorAt(COLOR_HIGHLIGHT));
    } else {
        const bool active = args.m_active || args.m_floating;
        textColor = active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT;
        const int from = active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION;
        const int to = active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION;
        if (ScreenAbove8Bits())
            PaintGradientRect(dc, rect, ColorAt(from), ColorAt(to), args.m_vertical);
        else
            dc.FillSolidRect(&rect, ColorAt(from));
    }
    const bool bold = !(args.m_captionStyle && !args.m_floating);
    DrawCaptionText(dc, args, Font(CaptionFont(bold, args.m_vertical)), ColorAt(textColor));
}

void CExtPaintManager::AdjustFixedBarClientRect(const CObject* bar, RECT& rect)
{
    const CExtPaintedBar* painted = PaintedBarOf(bar);
    if (painted && painted->IsDockedVertically())
        ::InflateRect(&rect, -1, -3);
    else
        ::InflateRect(&rect, -3, -1);
}

void CExtPaintManagerXP::DrawBarBorders(CDC& dc, const BarBordersArgs_t& args)
{
    RECT rect = args.m_window;
    if (::IsRectEmpty(&rect))
        return;
    dc.ExcludeClipRect(&args.m_client);
    const COLORREF background = dc.GetBkColor();
    const int fill = !args.m_floating ? 1000 : args.m_resizable ? 2008 : 2009;
    dc.FillSolidRect(&rect, ColorAt(fill));
    const COLORREF shadow = ColorAt(COLOR_BTNSHADOW);
    if (args.m_floating) {
        dc.Draw3dRect(&rect, shadow, shadow);
        ::InflateRect(&rect, -1, -1);
        dc.Draw3dRect(&rect, shadow, shadow);
        rect.left += 1;
        rect.top += 1;
        rect.right -= 2;
        rect.bottom -= 2;
        dc.SetPixel(rect.left, rect.top, shadow);
        dc.SetPixel(rect.left, rect.bottom, shadow);
        dc.SetPixel(rect.right, rect.top, shadow);
        dc.SetPixel(rect.right, rect.bottom, shadow);
    } else {
        if (!args.m_resizable)
            dc.Draw3dRect(&rect, ColorAt(COLOR_3DFACE), ColorAt(COLOR_3DFACE));
        if (!args.m_resizableDocked && GetScreenBitsPerPixel() <= 8) {
            HBITMAP checker = ::CreateBitmap(8, 8, 1, 1, kCheckerRows);
            LOGBRUSH brush = {BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(checker)};
            HPEN pen = checker ? ::ExtCreatePen(PS_GEOMETRIC, 1, &brush, 0, nullptr) : nullptr;
            if (!pen)
                pen = ::CreatePen(PS_SOLID, 1, shadow);
            HGDIOBJ old = ::SelectObject(dc, pen ? static_cast<HGDIOBJ>(pen)
                                                 : ::GetStockObject(BLACK_PEN));
            const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
            if (m_xpFlags & 0x02) {
                const POINT square[5] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}};
                ::Polyline(dc, square, 5);
            } else {
                const POINT cut[9] = {{l + 2, t},     {r - 3, t},     {r - 1, t + 2},
                                      {r - 1, b - 3}, {r - 3, b - 1}, {l + 2, b - 1},
                                      {l, b - 3},     {l, t + 2},     {l + 2, t}};
                ::Polyline(dc, cut, 9);
            }
            ::SelectObject(dc, old);
            if (pen)
                ::DeleteObject(pen);
            if (checker)
                ::DeleteObject(checker);
        }
    }
    dc.SetBkColor(background);
    ::SelectClipRgn(dc, nullptr);
}

void CExtPaintManagerXP::DrawBarCaption(CDC& dc, BarCaptionArgs_t& args)
{
    if (!args.m_floating && !args.m_captionStyle) {
        RECT inner = args.m_caption;
        ::InflateRect(&inner, -1, -1);
        const COLORREF face = ColorAt(1000);
        dc.FillSolidRect(&inner, face);
        HBRUSH brush = nullptr;
        HBITMAP bitmap = nullptr;
        if (ScreenAbove8Bits()) {
            // Lines in a third of the way from the face to the shadow colour.
            const COLORREF shadow = ColorAt(COLOR_BTNSHADOW), faceSystem = ColorAt(COLOR_3DFACE);
            const COLORREF mix =
                ::GetNearestColor(dc, RGB((GetRValue(shadow) + 2 * GetRValue(faceSystem)) / 3,
                                          (GetGValue(shadow) + 2 * GetGValue(faceSystem)) / 3,
                                          (GetBValue(shadow) + 2 * GetBValue(faceSystem)) / 3));
            CDC tile;
            tile.CreateCompatibleDC(&dc);
            bitmap = ::CreateCompatibleBitmap(dc, 8, 8);
            HGDIOBJ old = tile.SelectObject(bitmap);
            tile.FillSolidRect(0, 0, 8, 8, face);
            for (int i = 0; i < 8; i += 2) {
                if (args.m_vertical)
                    tile.FillSolidRect(0, i, 8, 1, mix);
                else
                    tile.FillSolidRect(i, 0, 1, 8, mix);
            }
            tile.SelectObject(old);
            brush = ::CreatePatternBrush(bitmap);
        } else {
            brush = PatternBrush(args.m_vertical ? kVerticalGripRows : kHorizontalGripRows);
        }
        RECT strip = args.m_caption;
        if (args.m_vertical) {
            strip.left += 5;
            strip.top += 2;
            strip.bottom -= 2;
            strip.right = strip.left + 5;
            ::InflateRect(&strip, -1, 0);
        } else {
            ::OffsetRect(&strip, 1, 0);
            strip.left += 2;
            strip.right -= 2;
            strip.top += 5;
            strip.bottom = strip.top + 5;
            ::InflateRect(&strip, 0, -1);
        }
        const COLORREF background = dc.SetBkColor(ColorAt(2001));
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        ::PatBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top,
                 kPatAnd);
        ::SelectObject(dc, oldBrush);
        dc.SetBkColor(background);
        if (brush)
            ::DeleteObject(brush);
        if (bitmap)
            ::DeleteObject(bitmap);
        return;
    }
    const bool inactiveCaption = args.m_captionStyle && !args.m_active;
    if (!(args.m_handOver & 0x02)) {
        const int fill = !args.m_captionStyle ? COLOR_BTNSHADOW
                         : args.m_active      ? COLOR_HIGHLIGHT
                                              : 2000;
        dc.FillSolidRect(&args.m_caption, ColorAt(fill));
        if (inactiveCaption && !args.m_floating)
            Draw3dRectCutCorners(dc, args.m_caption, ColorAt(COLOR_BTNSHADOW),
                                 ColorAt(COLOR_BTNSHADOW));
    }
    DrawCaptionText(dc, args, Font(CaptionFont(!args.m_captionStyle, args.m_vertical)),
                    ColorAt(inactiveCaption ? COLOR_BTNTEXT : COLOR_CAPTIONTEXT));
}

void CExtPaintManagerOffice2003::DrawBarBorders(CDC& dc, const BarBordersArgs_t& args)
{
    if (::IsRectEmpty(&args.m_window))
        return;
    if (!args.m_floating && PaintedBarOf(args.m_owner) && ScreenAbove8Bits())
        return;
    CExtPaintManagerXP::DrawBarBorders(dc, args);
}

void CExtPaintManagerOffice2003::DrawBarCaption(CDC& dc, BarCaptionArgs_t& args)
{
    const CExtPaintedBar* bar = PaintedBarOf(args.m_owner);
    // A bar floating in a mini frame gets the XP caption.
    if (args.m_floating || !ScreenAbove8Bits() || !bar || (bar->HasDockSite() && bar->IsFloating())) {
        CExtPaintManagerXP::DrawBarCaption(dc, args);
        return;
    }
    const RECT window = bar->GetBarWindowRect(), client = bar->GetBarClientRect();
    if (args.m_captionStyle) {
        args.m_handOver = args.m_active ? 0 : 0x03;
        if (!args.m_active) {
            const RECT top = {args.m_caption.left, args.m_caption.top, args.m_caption.right,
                              client.top + 4};
            PaintGradientRect(dc, top, ColorAt(3000), ColorAt(3001), false);
        }
        CExtPaintManagerXP::DrawBarCaption(dc, args);
        return;
    }
    const bool vertical = args.m_vertical;
    if (!IsMenuBar(args.m_owner) && !IsPanelBar(args.m_owner) && bar->HasDockSite()) {
        RECT band = window;
        if (vertical) {
            band.top = client.top;
            band.bottom = client.bottom;
            band.right = client.right;
        } else {
            band.left = client.left;
            band.right = client.right;
            band.bottom = client.bottom;
        }
        CSize corner;
        GetToolBarExtraSize(corner);
        const bool rounded = corner.cx > 0 && corner.cy > 0;
        if (rounded) {
            HRGN clip = ::CreateRoundRectRgn(band.left, band.top, band.right, band.bottom,
                                             corner.cx, corner.cy);
            if (clip) {
                ::SelectClipRgn(dc, clip);
                ::DeleteObject(clip);
            }
        }
        PaintToolBarBody(dc, band, vertical, false);
        if (rounded)
            DrawToolBarEdge(dc, band, vertical);
        ::SelectClipRgn(dc, nullptr);
    }
    // A row of raised dots, flush with the row's far end.
    RECT row = args.m_caption;
    int start, end;
    if (vertical) {
        row.top = client.top;
        row.bottom = client.bottom;
        ::OffsetRect(&row, 1, 0);
        row.left += (row.right - row.left - 2) / 2;
        row.right = row.left + 2;
        // Shortened by 5 at both ends and moved 1 up.
        start = row.top + 4;
        end = row.bottom - 6;
    } else {
        row.left = client.left;
        row.right = client.right;
        ::OffsetRect(&row, 0, 1);
        row.top += (row.bottom - row.top - 2) / 2;
        row.bottom = row.top + 2;
        // Shortened by 5 at both ends and moved 1 left.
        start = row.left + 4;
        end = row.right - 6;
    }
    const int kStep = 4;
    const int count = end > start ? (end - start) / kStep : 0;
    const COLORREF highlight = ColorAt(3002), dot = ColorAt(3003);
    for (int i = 0, at = end - kStep * count; i < count; ++i, at += kStep) {
        const int x = vertical ? row.left : at, y = vertical ? at : row.top;
        dc.FillSolidRect(x + 1, y + 1, 2, 2, highlight);
        dc.FillSolidRect(x, y, 2, 2, dot);
    }
}

void CExtPaintManagerOffice2003::AdjustFixedBarClientRect(const CObject* bar, RECT& rect)
{
    if (ScreenAbove8Bits())
        return;
    CExtPaintManagerXP::AdjustFixedBarClientRect(bar, rect);
    const CExtPaintedBar* painted = PaintedBarOf(bar);
    if (painted && painted->IsDockedVertically())
        ::InflateRect(&rect, 0, 2);
    else
        ::InflateRect(&rect, 2, 0);
}

void CExtPaintManagerStudio2005::DrawBarBorders(CDC& dc, const BarBordersArgs_t& args)
{
    const bool barOfButtons = PaintedToolBarOf(args.m_owner) || IsMenuBar(args.m_owner);
    if (::IsRectEmpty(&args.m_window))
        return;
    if (barOfButtons || !args.m_floating || !args.m_resizable) {
        CExtPaintManagerOffice2003::DrawBarBorders(dc, args);
        return;
    }
    RECT rect = args.m_window;
    dc.ExcludeClipRect(&args.m_client);
    dc.FillSolidRect(&rect, ColorAt(1000));
    dc.Draw3dRect(&rect, ColorAt(1000), ColorAt(COLOR_3DDKSHADOW));
    ::InflateRect(&rect, -1, -1);
    dc.Draw3dRect(&rect, ColorAt(COLOR_WINDOW), ColorAt(COLOR_BTNSHADOW));
    ::IntersectClipRect(dc, args.m_window.left, args.m_window.top, args.m_window.right,
                        args.m_window.bottom);
}

void CExtPaintManagerStudio2005::DrawBarCaption(CDC& dc, BarCaptionArgs_t& args)
{
    if (args.m_captionStyle)
        CExtPaintManager::DrawBarCaption(dc, args);
    else
        CExtPaintManagerOffice2003::DrawBarCaption(dc, args);
}
