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

// One byte's cell on one side of a line.
struct Cell
{
    int x;
    int width;  // in characters
    char chars[2];
    COLORREF text;
    COLORREF back;
};

// Draws a line's cells of one side as runs: neighbours of equal colours go into one call, since
// most of a paint's cost under Wine is per call, with the blank columns between them when they
// are of the background colour anyway. Every character keeps the width of a cell character, so
// the result is that of drawing cell by cell.
void DrawCells(HDC dc, int y, const Cell* cells, int count, COLORREF backColor, int charWidth)
{
    const int kMaxRun = 64;  // 16 cells of 2 characters and the blanks between them
    char chars[kMaxRun];
    INT widths[kMaxRun];
    for (int i = 0; i < count;) {
        const Cell& first = cells[i];
        int length = 0;
        int end = first.x;
        int next = i;
        for (; next < count; ++next) {
            const Cell& cell = cells[next];
            const int blanks = (cell.x - end) / charWidth;
            const bool sameColors = cell.text == first.text && cell.back == first.back;
            if (next > i && (!sameColors || (blanks > 0 && first.back != backColor)))
                break;
            for (int k = 0; k < blanks; ++k)
                chars[length++] = ' ';
            for (int k = 0; k < cell.width; ++k)
                chars[length++] = cell.chars[k];
            end = cell.x + cell.width * charWidth;
        }
        for (int k = 0; k < length; ++k)
            widths[k] = charWidth;
        ::SetTextColor(dc, first.text);
        ::SetBkColor(dc, first.back);
        ::ExtTextOutA(dc, first.x, y, 0, nullptr, chars, static_cast<UINT>(length), widths);
        i = next;
    }
}

// A half of a double-width glyph, clipped to its cell, whose background it fills: the left half
// drawn at the cell, the right half one cell further left.
void DrawHalfCell(HDC dc, int x, int y, const TextCell& cell, COLORREF text, COLORREF back,
                  int charWidth, int lineHeight)
{
    const RECT rect = {x, y, x + charWidth, y + lineHeight};
    const int drawX = cell.clip == TextCell::RIGHT_HALF ? x - charWidth : x;
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
    ::ExtTextOutA(dc, drawX, y, ETO_CLIPPED | ETO_OPAQUE, &rect, cell.text.data(),
                  static_cast<UINT>(cell.text.size()), nullptr);
}

} // namespace

const TextColumnState& CHexEdit::TextStateAtTop()
{
    TextStateCache& cache = m_textStateCache;
    const int size = GetDataSize();
    if (!cache.valid || cache.code != TextCode || cache.top != m_top || cache.size != size ||
        cache.dataVersion != m_dataVersion) {
        cache.state = TextStateAt(TextCode, m_data.GetData(), size, m_top);
        cache.valid = true;
        cache.code = TextCode;
        cache.top = m_top;
        cache.size = size;
        cache.dataVersion = m_dataVersion;
    }
    return cache.state;
}

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
    const HBRUSH caretMarkBrush = ::CreateSolidBrush(kWhite - (BackColor & kWhite));
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
    // One line more than fits wholly: the partly visible last line. The text column's cells
    // are read in byte order from the state at the top, across the lines.
    CTextColumnReader text(TextCode, m_data.GetData(), GetDataSize(), TextStateAtTop());
    for (int line = 0; line <= m_visibleLines; ++line)
        PaintLine(dc, line, text, caretMarkBrush);
    ::SelectObject(dc, previousFont);
    ::DeleteObject(caretMarkBrush);
}

void CHexEdit::PaintLine(HDC dc, int line, CTextColumnReader& text, HBRUSH caretMarkBrush)
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
    Cell hexCells[kBytesPerLine];
    Cell textCells[kBytesPerLine];
    // Halves of double-width glyphs are drawn after the runs, over their cells.
    TextCell halves[kBytesPerLine];
    int count = 0;
    for (; count < kBytesPerLine && start + count < size; ++count) {
        const int o = start + count;
        COLORREF textColor = TextColor;
        COLORREF back = BackColor;
        ChooseByteColors(o, textColor, back);
        const BYTE byte = bytes[o];
        hexCells[count] = {ColumnX(HexColumnOf(count)), 2,
                           {kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]}, textColor, back};
        if (!m_textShown)
            continue;
        TextCell cell = text.Next(o);
        // An empty cell shows its colours like any other.
        const char whole = cell.text.size() == 1 ? cell.text[0] : ' ';
        textCells[count] = {ColumnX(TextColumnOf(count)), 1, {whole, ' '}, textColor, back};
        if (cell.clip != TextCell::WHOLE)
            halves[count] = std::move(cell);
    }
    DrawCells(dc, y, hexCells, count, BackColor, m_charWidth);
    if (m_textShown) {
        DrawCells(dc, y, textCells, count, BackColor, m_charWidth);
        for (int c = 0; c < count; ++c) {
            if (halves[c].clip != TextCell::WHOLE)
                DrawHalfCell(dc, textCells[c].x, y, halves[c], textCells[c].text,
                             textCells[c].back, m_charWidth, m_lineHeight);
        }
    }

    // The caret's place on the side that does not have it; none at the end position.
    const int c = Caret - start;
    if (!m_caretShown || c < 0 || c >= count)
        return;
    const Cell* marked = !IsCaretOnHex() ? &hexCells[c] : m_textShown ? &textCells[c] : nullptr;
    if (marked) {
        const CRect mark(marked->x, y + m_lineHeight - FontHeight / 7,
                         marked->x + marked->width * m_charWidth, y + m_lineHeight);
        ::FillRect(dc, &mark, caretMarkBrush);
    }
}

bool CHexEdit::IsSelected(int o) const
{
    return static_cast<unsigned>(SelectionStart) <= static_cast<unsigned>(o) &&
           static_cast<unsigned>(o) <= static_cast<unsigned>(SelectionEnd);
}

void CHexEdit::ChooseByteColors(int o, COLORREF& text, COLORREF& back) const
{
    const bool highlighted = HighlightStart >= 0 && HighlightLength >= 0 && o >= HighlightStart &&
                             o <= static_cast<long long>(HighlightStart) + HighlightLength - 1;
    if (highlighted) {
        back = kHighlightBackColor;
        return;
    }
    if (const CHexEditMarker* marker = MarkerAt(o)) {
        text = marker->textColor;
        back = marker->backColor;
    }
    if (IsSelected(o))
        std::swap(text, back);
}
