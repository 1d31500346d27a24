// CHexEdit's paint. Everything is drawn into an off-screen bitmap and copied in one blit, so a
// repaint never flickers; only the visible lines are drawn, so its cost follows the window's
// size and not the data's.
#include "editors/HexEdit.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

const COLORREF kWhite = 0xFFFFFF;
const char kAddressHeader[] = " ADDRESS         ";
const char kTextHeader[] = "0123456789ABCDEF";
const char kHexDigits[] = "0123456789ABCDEF";

// The hex area's header for the digits per group.
const char* HexHeaderOf(int groupDigits)
{
    switch (groupDigits) {
    case 4:
        return "0001 0203 0405 0607 0809 0A0B 0C0D 0E0F ";
    case 8:
        return "00010203 04050607 08090A0B 0C0D0E0F ";
    default:
        return "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ";
    }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// In the DC's opaque background mode the background colour fills exactly the cells drawn.
void DrawString(HDC dc, int x, int y, const char* text, int length)
{
    ::TextOutA(dc, x, y, text, length);
}

// The text cell of a byte under the "ASCII" code: printable bytes as they are, others as '.'.
char AsciiCellOf(BYTE byte)
{
    return byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : '.';
}

} // namespace

void CHexEdit::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    Paint(dc);
    ::EndPaint(m_hWnd, &paint);
}

LRESULT CHexEdit::OnPrintClient(WPARAM wParam, LPARAM)
{
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CHexEdit::Paint(HDC dc)
{
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    const HDC memory = ::CreateCompatibleDC(dc);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.Width(), client.Height());
    const HGDIOBJ previousBitmap = ::SelectObject(memory, bitmap);
    PaintContent(memory, client);
    ::BitBlt(dc, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, previousBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

void CHexEdit::PaintContent(HDC dc, const CRect& client)
{
    const HBRUSH caretMarkBrush = ::CreateSolidBrush(kWhite - BackColor);
    FillSolid(dc, client, BackColor);
    if (m_textShown) {
        const int x = ColumnX(m_textStart) - 2;
        FillSolid(dc, CRect(x, client.top, x + 1, client.bottom), kGreyColor);
        const int right = x + kBytesPerLine * m_charWidth + 4;
        FillSolid(dc, CRect(right, client.top, right + 1, client.bottom), kGreyColor);
    }

    const HGDIOBJ previousFont = ::SelectObject(dc, GetEditFont());
    ::SetBoundsRect(dc, &client, DCB_DISABLE);
    if (ShowHeader) {
        FillSolid(dc, CRect(client.left, client.top, client.right, m_lineHeight), kWhite);
        ::SetTextColor(dc, kGreyColor);
        ::SetBkColor(dc, kWhite);
        if (ShowAddress)
            DrawString(dc, AddressX(), 0, kAddressHeader, AddressDigits + 1);
        const char* hexHeader = HexHeaderOf(GroupDigits);
        DrawString(dc, ColumnX(m_hexStart), 0, hexHeader, static_cast<int>(std::strlen(hexHeader)));
        if (m_textShown)
            DrawString(dc, ColumnX(m_textStart), 0, kTextHeader, kBytesPerLine);
    }
    // One line more than fits wholly: the partly visible last line.
    for (int line = 0; line <= m_visibleLines; ++line)
        PaintLine(dc, line, caretMarkBrush);
    ::SelectObject(dc, previousFont);
    ::DeleteObject(caretMarkBrush);
}

void CHexEdit::PaintLine(HDC dc, int line, HBRUSH caretMarkBrush)
{
    const int y = LineY(line);
    const int start = m_top + kBytesPerLine * line;
    const int size = GetDataSize();
    if (ShowAddress) {
        char address[16];
        // Below the data the column stays grey.
        const int length = start <= size
                               ? std::snprintf(address, sizeof address, " %0*X ", AddressDigits, start)
                               : std::snprintf(address, sizeof address, "%*s", AddressDigits + 2, "");
        ::SetTextColor(dc, kWhite);
        ::SetBkColor(dc, kGreyColor);
        DrawString(dc, AddressX(), y, address, length);
    }

    const BYTE* bytes = m_data.GetData();
    const int markHeight = FontHeight / 7;
    for (int c = 0; c < kBytesPerLine && start + c < size; ++c) {
        const int o = start + c;
        SetByteColors(dc, o);
        const BYTE byte = bytes[o];
        const char hex[2] = {kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
        const int hexX = ColumnX(HexColumnOf(c));
        DrawString(dc, hexX, y, hex, 2);
        // The caret's place on the side that does not have it.
        const bool markHere = m_caretShown && o == Caret;
        const int markTop = y + m_lineHeight - markHeight;
        const int lineBottom = y + m_lineHeight;
        if (markHere && !IsCaretOnHex()) {
            const CRect mark(hexX, markTop, hexX + 2 * m_charWidth, lineBottom);
            ::FillRect(dc, &mark, caretMarkBrush);
        }
        if (m_textShown) {
            const int textX = ColumnX(TextColumnOf(c));
            const char cell = AsciiCellOf(byte);
            DrawString(dc, textX, y, &cell, 1);
            if (markHere && IsCaretOnHex()) {
                const CRect mark(textX, markTop, textX + m_charWidth, lineBottom);
                ::FillRect(dc, &mark, caretMarkBrush);
            }
        }
    }
}

bool CHexEdit::IsSelected(int o) const
{
    return static_cast<unsigned>(SelectionStart) <= static_cast<unsigned>(o) &&
           static_cast<unsigned>(o) <= static_cast<unsigned>(SelectionEnd);
}

void CHexEdit::SetByteColors(HDC dc, int o) const
{
    COLORREF text = TextColor;
    COLORREF back = BackColor;
    const bool highlighted = HighlightStart >= 0 && HighlightLength >= 0 && o >= HighlightStart &&
                             o <= static_cast<long long>(HighlightStart) + HighlightLength - 1;
    if (highlighted)
        back = kHighlightBackColor;
    else if (IsSelected(o))
        std::swap(text, back);
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
}
