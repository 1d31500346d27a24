// Push buttons: the classic raised button and the flat one of the XP family, with an optional
// drop-down part, the icon or window-command glyph, the text and the focus rectangle.
#include "framework/commands/CmdIcon.h"
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintPushButtonText.h"
#include "framework/paint/PaintSteps.h"

using namespace paint_steps;
using Args = CExtPaintManager::PushButtonArgs_t;

CExtPaintManager::PushButtonArgs_t::PushButtonArgs_t(
    CObject* owner, bool horizontal, const RECT& rect, LPCTSTR text, CExtCmdIcon* icon, bool flat,
    bool hot, bool pushed, bool spareState, bool enabled, bool frameWhenHot, bool focus, bool bold,
    UINT alignment, HFONT font, bool dropDown, UINT systemCommand, bool transparent)
    : m_owner(owner), m_rect(rect), m_text(text ? text : ""), m_icon(icon),
      m_alignment(alignment), m_font(font), m_systemCommand(systemCommand),
      m_horizontal(horizontal), m_flat(flat), m_hot(hot), m_pushed(pushed),
      m_spareState(spareState), m_enabled(enabled), m_frameWhenHot(frameWhenHot), m_focus(focus),
      m_bold(bold), m_dropDown(dropDown), m_transparent(transparent), m_splitDropDown(0),
      m_menuOpen(0), m_moreSpare(0), m_textColors{static_cast<COLORREF>(-1),
                                                    static_cast<COLORREF>(-1),
                                                    static_cast<COLORREF>(-1),
                                                    static_cast<COLORREF>(-1)},
      m_textFormat(DT_SINGLELINE | ((alignment & kAlignCenter)  ? DT_CENTER
                                    : (alignment & kAlignRight) ? DT_RIGHT
                                                                : 0) |
                   ((alignment & kAlignCenterVertically) ? DT_VCENTER : 0)),
      m_useDrawText(0)
{ }

namespace {

// The rectangles of a button: the part framed as the button, the room for its content and the
// drop-down part (empty without one).
struct ButtonParts
{
    RECT main, text, drop;
};

// sharedEdge: the flat buttons let the two parts share one line of pixels.
ButtonParts SplitButton(const Args& a, int sharedEdge)
{
    ButtonParts parts = {a.m_rect, a.m_rect, {}};
    if (!a.m_dropDown)
        return parts;
    parts.drop = a.m_rect;
    if (a.m_horizontal) {
        parts.text.right = a.m_rect.right - 6 - CExtPaintManager::GlyphDropArrowH.m_width;
        parts.drop.left = parts.text.right - sharedEdge;
    } else {
        parts.text.bottom = a.m_rect.bottom - 6 - CExtPaintManager::GlyphDropArrowV.m_height;
        parts.drop.top = parts.text.bottom - sharedEdge;
    }
    if (a.m_splitDropDown)
        parts.main = parts.text;
    return parts;
}

void DrawDropArrow(CExtPaintManager& manager, CDC& dc, const Args& a, RECT arrowRect,
                   bool contentPressed, COLORREF color)
{
    if (contentPressed) {
        CSize offset;
        manager.GetPushedContentOffset(offset);
        ::OffsetRect(&arrowRect, offset.cx, offset.cy);
    }
    const COLORREF colors[2] = {0, color};
    manager.DrawGlyphCentered(dc, arrowRect,
                              a.m_horizontal ? CExtPaintManager::GlyphDropArrowH
                                             : CExtPaintManager::GlyphDropArrowV,
                              colors);
}

// The icon or window-command glyph, then the text and the focus rectangle.
void DrawContent(CExtPaintManager& manager, CDC& dc, const Args& a, const RECT& contentRect,
                 bool pressed, bool flatFamily)
{
    RECT textRect = contentRect;
    if (!IsEmpty(contentRect)) {
        if (a.m_icon && !a.m_icon->IsEmpty()) {
            manager.DrawButtonIconAndPlaceText(dc, a.m_horizontal, CString(a.m_text), a.m_icon,
                                               contentRect, textRect, pressed, a.m_enabled,
                                               a.m_hot, a.m_alignment);
        } else {
            if (a.m_horizontal)
                ::InflateRect(&textRect, -2, 0);
            else
                ::InflateRect(&textRect, 0, -2);
            manager.DrawSysCommandGlyph(dc, a.m_systemCommand, contentRect, false, pressed,
                                        a.m_enabled);
        }
    }
    if (!IsEmpty(textRect) && *a.m_text) {
        RECT shown = textRect;
        if (pressed) {
            CSize offset;
            manager.GetPushedContentOffset(offset);
            ::OffsetRect(&shown, offset.cx, offset.cy);
        }
        paint_buttons::DrawPushButtonText(manager, dc, a, shown, flatFamily);
    }
    if (a.m_focus) {
        const RECT focus = Inflated(textRect, -3, -3);
        ::DrawFocusRect(dc.GetSafeHdc(), &focus);
    }
}

} // namespace

void CExtPaintManager::GetPushedContentOffset(CSize& offset) const
{
    offset = CSize(1, 1);
}

void CExtPaintManagerXP::GetPushedContentOffset(CSize& offset) const
{
    offset = CSize(0, 0);
}

void CExtPaintManager::DrawPushButton(CDC& dc, PushButtonArgs_t& a)
{
    if (IsEmpty(a.m_rect))
        return;
    if (!a.m_enabled)
        a.m_hot = a.m_spareState = a.m_focus = 0;
    if (a.m_splitDropDown && (a.m_pushed || a.m_menuOpen))
        a.m_hot = 0;
    SavedColors saved(dc);
    dc.SetBkMode(TRANSPARENT);
    const COLORREF bg = ColorAt(a.m_hot || a.m_pushed ? 1001 : 1000);
    const bool contentPressed = (a.m_pushed && !a.m_splitDropDown) || a.m_menuOpen;
    const COLORREF light = ColorAt(1004), shadow = ColorAt(1006);
    const ButtonParts parts = SplitButton(a, 0);
    const bool flatWithoutFrame = a.m_flat && !a.m_frameWhenHot;

    if (a.m_dropDown) {
        if (!a.m_transparent) {
            if (a.m_enabled && contentPressed && a.m_hot)
                Fill(dc, parts.drop, HelperBrush(0));
            else
                Fill(dc, parts.drop, bg);
        }
        if (a.m_splitDropDown) {
            if (contentPressed) {
                if (!flatWithoutFrame)
                    Frame(dc, parts.drop, ColorAt(1007), ColorAt(1005));
            } else if (!a.m_flat || (a.m_hot && a.m_frameWhenHot)) {
                Frame(dc, parts.drop, light, shadow);
            }
        }
    }
    if (!a.m_transparent) {
        if (a.m_enabled && a.m_pushed && a.m_hot)
            Fill(dc, parts.main, HelperBrush(0));
        else
            Fill(dc, parts.main, bg);
    }
    if (a.m_pushed) {
        if (!flatWithoutFrame)
            Frame(dc, parts.main, ColorAt(1007), ColorAt(1005));
    } else if (a.m_flat) {
        if (a.m_hot && a.m_frameWhenHot)
            Frame(dc, parts.main, light, shadow);
    } else {
        Frame(dc, parts.main, light, shadow);
        if (a.m_hot) {
            Frame(dc, a.m_rect, shadow, ColorAt(1008));
            Frame(dc, Inflated(a.m_rect, -1, -1), light, shadow);
        }
    }
    if (a.m_dropDown)
        DrawDropArrow(*this, dc, a, parts.drop, contentPressed,
                      ColorAt(a.m_enabled ? 1010 : 1006));
    dc.SetBkColor(bg);
    DrawContent(*this, dc, a, parts.text, a.m_pushed, false);
}

void CExtPaintManagerXP::DrawPushButton(CDC& dc, PushButtonArgs_t& a)
{
    if (IsEmpty(a.m_rect))
        return;
    if (!a.m_enabled)
        a.m_hot = a.m_spareState = a.m_focus = 0;
    SavedColors saved(dc);
    dc.SetBkMode(TRANSPARENT);

    int background = 1001, fill = 1001;
    if (!a.m_hot && !a.m_pushed && !a.m_menuOpen) {
        background = fill = a.m_flat ? 1000 : COLOR_BTNFACE;
    } else if (a.m_pushed || a.m_menuOpen) {
        (a.m_menuOpen ? background : fill) = a.m_hot ? 2003 : 1001;
        if (a.m_pushed && a.m_splitDropDown && !a.m_hot && !a.m_menuOpen)
            background = 1000;
    }
    const int* pair = a.m_hot && a.m_pushed ? &m_pushButtonColors[4]
                      : a.m_hot             ? &m_pushButtonColors[0]
                      : a.m_pushed          ? &m_pushButtonColors[2]
                                            : nullptr;
    const bool gradient = pair && pair[0] >= 0 && pair[1] >= 0;
    const COLORREF border =
        ColorAt(a.m_hot || a.m_pushed || a.m_menuOpen || a.m_flat ? 2004 : COLOR_3DDKSHADOW);
    const COLORREF bg = ColorAt(background);
    const bool contentPressed = (a.m_pushed && !a.m_splitDropDown) || a.m_menuOpen;
    const bool pressedLook = a.m_pushed || a.m_menuOpen;
    const bool flatWithoutFrame = a.m_flat && !a.m_frameWhenHot;
    const ButtonParts parts = SplitButton(a, 1);

    if (a.m_dropDown) {
        if (!a.m_transparent)
            Fill(dc, parts.drop, bg);
        if (a.m_splitDropDown) {
            const bool framed = contentPressed ? !flatWithoutFrame
                                               : !a.m_flat || (a.m_hot && a.m_frameWhenHot);
            if (framed)
                Frame(dc, parts.drop, border);
        }
    }
    if (!a.m_transparent) {
        if (gradient) {
            const COLORREF first = ColorAt(pair[0]), second = ColorAt(pair[1]);
            if (a.m_horizontal)
                PaintGradientRect(dc, parts.main, second, first, true, 256);
            else
                PaintGradientRect(dc, parts.main, first, second, false, 256);
        } else {
            Fill(dc, parts.main, ColorAt(fill));
        }
    }
    if (pressedLook) {
        if (!flatWithoutFrame)
            Frame(dc, parts.main, border);
    } else if (a.m_flat) {
        if (a.m_hot && a.m_frameWhenHot)
            Frame(dc, parts.main, border);
    } else {
        Frame(dc, parts.main, border);
        if (a.m_hot)
            Frame(dc, a.m_rect, border);
    }
    if (a.m_dropDown)
        DrawDropArrow(*this, dc, a, parts.drop, contentPressed,
                      ColorAt(a.m_enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    dc.SetBkColor(bg);
    DrawContent(*this, dc, a, parts.text, pressedLook, true);
}

COLORREF CExtPaintManager::GetIconBlendColor() const
{
    return static_cast<COLORREF>(-1);
}

double CExtPaintManager::GetIconFadeFactor() const
{
    return 0.0;
}

void CExtPaintManager::GetToolBarExtraSize(CSize& size) const
{
    size = CSize(0, 0);
}

COLORREF CExtPaintManagerOffice2003::GetIconBlendColor() const
{
    if (!(g_PaintManager.OsFacts2() & CExtPaintManagerHolder::kNT5OrLater))
        return static_cast<COLORREF>(-1);
    return ColorAt(COLOR_BTNFACE);
}

double CExtPaintManagerOffice2003::GetIconFadeFactor() const
{
    return 0.7;
}

void CExtPaintManagerOffice2003::GetToolBarExtraSize(CSize& size) const
{
    size = CSize(4, 4);
}
