// The text of a push button: its colour by state, horizontal text through DrawState (so that
// the mnemonic is underlined) or DrawText, and vertical text in a turned font with the
// mnemonic's underline drawn as a line of its own, since turned text gets none.
#include "framework/paint/PaintPushButtonText.h"

#include <cstdlib>

#include "framework/paint/PaintSteps.h"

using namespace paint_steps;
using Args = CExtPaintManager::PushButtonArgs_t;

namespace {

constexpr COLORREF kUnset = static_cast<COLORREF>(-1);

COLORREF TextColor(const CExtPaintManager& manager, const Args& a, bool flatFamily)
{
    const COLORREF* colors = a.m_textColors;
    if (!a.m_enabled) {
        const COLORREF disabled = colors[Args::kTextDisabled];
        return disabled != kUnset ? disabled
                                  : manager.ColorAt(flatFamily ? COLOR_BTNSHADOW : COLOR_BTNFACE);
    }
    if (flatFamily && a.m_hot && a.m_pushed) {
        if (colors[Args::kTextPushed] != kUnset)
            return colors[Args::kTextPushed];
        return colors[Args::kTextNormal] != kUnset ? colors[Args::kTextNormal]
                                                   : manager.ColorAt(2006);
    }
    if (!flatFamily) {
        if (a.m_pushed && colors[Args::kTextPushed] != kUnset)
            return colors[Args::kTextPushed];
        if (a.m_hot && colors[Args::kTextHot] != kUnset)
            return colors[Args::kTextHot];
    }
    return colors[Args::kTextNormal] != kUnset ? colors[Args::kTextNormal]
                                               : manager.ColorAt(COLOR_BTNTEXT);
}

// The font the text is drawn with; a turned copy of a caller's font that is not turned yet
// lives as long as this object.
class ButtonFont
{
public:
    ButtonFont(const CExtPaintManager& manager, const Args& a)
    {
        using FI = CExtPaintManager::FontIndex;
        if (!a.m_font) {
            const FI index = a.m_horizontal ? (a.m_bold ? FI::kFontBold : FI::kFontNormal)
                                            : (a.m_bold ? FI::kFontBold2700 : FI::kFontNormal2700);
            m_font = static_cast<HFONT>(manager.Font(index).GetSafeHandle());
            return;
        }
        m_font = a.m_font;
        if (a.m_horizontal)
            return;
        LOGFONTA description = {};
        ::GetObjectA(a.m_font, sizeof description, &description);
        if (description.lfEscapement == 0) {
            description.lfEscapement = 2700;
            m_turned.CreateFontIndirect(&description);
            m_font = m_turned;
        }
    }
    HFONT Handle() const { return m_font; }
    int Height() const
    {
        LOGFONTA description = {};
        ::GetObjectA(m_font, sizeof description, &description);
        return std::abs(description.lfHeight);
    }

private:
    HFONT m_font = nullptr;
    CFont m_turned;
};

// The vertical text and, when it has a mnemonic, its underline, moved by (shift, shift).
void DrawVerticalText(const CExtPaintManager& manager, CDC& dc, const Args& a,
                      const ButtonFont& font, const CString& shown, int mnemonic, RECT rect,
                      int shift)
{
    ::OffsetRect(&rect, shift, shift);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int xoff = (width - font.Height()) / 2;
    RECT textRect = {rect.left + width - xoff - 1, rect.top, rect.left + width,
                     rect.top + height};
    ::InflateRect(&textRect, -2, -2);
    ::DrawTextA(dc.GetSafeHdc(), shown, shown.GetLength(), &textRect,
                DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    if (mnemonic < 0)
        return;
    HFONT flat = static_cast<HFONT>(
        manager.Font(a.m_bold ? CExtPaintManager::kFontBold : CExtPaintManager::kFontNormal)
            .GetSafeHandle());
    const int before = CExtPaintManager::MeasureTextWidth(dc, flat, shown.Left(mnemonic));
    // A double-byte character is underlined whole, not only its lead byte.
    const bool doubleByte =
        mnemonic + 1 < shown.GetLength() && ::IsDBCSLeadByte(static_cast<BYTE>(shown[mnemonic]));
    const int through = CExtPaintManager::MeasureTextWidth(
        dc, flat, shown.Left(mnemonic + (doubleByte ? 2 : 1)));
    const RECT whole = CExtPaintManager::MeasureTextRect(dc, flat, shown);
    const int x = rect.left + (width - (whole.bottom - whole.top)) / 2 - 1;
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, dc.GetTextColor());
    Selected selected(dc, pen.GetSafeHandle());
    ::MoveToEx(dc.GetSafeHdc(), x, rect.top + 2 + before, nullptr);
    ::LineTo(dc.GetSafeHdc(), x, rect.top + 2 + through);
}

} // namespace

namespace paint_buttons {

void DrawPushButtonText(CExtPaintManager& manager, CDC& dc, const Args& a, const RECT& textRect,
                        bool flatFamily)
{
    const bool disabledLook = !a.m_enabled && a.m_textColors[Args::kTextDisabled] == kUnset;
    dc.SetTextColor(TextColor(manager, a, flatFamily));
    const ButtonFont font(manager, a);
    Selected selected(dc, font.Handle());

    CString shown(a.m_text);
    const int mnemonic = shown.Find('&');
    if (mnemonic >= 0)
        shown.Delete(mnemonic);

    if (!a.m_horizontal) {
        if (!flatFamily && disabledLook) {
            dc.SetTextColor(manager.ColorAt(COLOR_BTNHIGHLIGHT));
            DrawVerticalText(manager, dc, a, font, shown, mnemonic, textRect, 1);
            dc.SetTextColor(manager.ColorAt(COLOR_BTNSHADOW));
        }
        DrawVerticalText(manager, dc, a, font, shown, mnemonic, textRect, 0);
        return;
    }
    RECT drawn = textRect;
    if (flatFamily || a.m_useDrawText) {
        ::DrawTextA(dc.GetSafeHdc(), a.m_text, -1, &drawn, a.m_textFormat);
        return;
    }
    RECT extent = {};
    ::DrawTextA(dc.GetSafeHdc(), shown, shown.GetLength(), &extent, DT_CALCRECT | DT_SINGLELINE);
    const int width = textRect.right - textRect.left, height = textRect.bottom - textRect.top;
    int x = textRect.left, y = textRect.top;
    if (a.m_textFormat & DT_CENTER)
        x += (width - (extent.right - extent.left)) / 2;
    if (a.m_textFormat & DT_VCENTER)
        y += (height - (extent.bottom - extent.top)) / 2;
    const UINT style = DST_PREFIXTEXT | (disabledLook ? manager.DisabledTextStyle() : 0);
    ::DrawStateA(dc.GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(a.m_text), 0, x, y,
                 width, height, style);
}

} // namespace paint_buttons

RECT CExtPaintManager::MeasureTextRect(CDC& dc, HFONT font, const CString& text)
{
    Selected selected(dc, font);
    RECT rect = {};
    const UINT format = DT_CALCRECT | DT_SINGLELINE | (text.Find('\t') >= 0 ? DT_EXPANDTABS : 0);
    ::DrawTextA(dc.GetSafeHdc(), text, text.GetLength(), &rect, format);
    ::OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

int CExtPaintManager::MeasureTextWidth(CDC& dc, HFONT font, const CString& text)
{
    const RECT rect = MeasureTextRect(dc, font, text);
    return rect.right - rect.left;
}
