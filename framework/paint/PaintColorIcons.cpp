// The 16 x 16 icons of the colour-picking buttons: a solid square, a ring, and a letter over a
// bar of the colour.
#include "framework/paint/Dib32.h"
#include "framework/paint/PaintManager.h"

namespace {

constexpr int kSide = 16;

// What each pixel of an icon shows: a colour, or nothing.
class IconPicture
{
public:
    void Paint(const RECT& rect, COLORREF color)
    {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                m_opaque[y][x] = true;
                m_colors[y][x] = color;
            }
        }
    }
    void Clear(const RECT& rect)
    {
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                m_opaque[y][x] = false;
    }
    // Transparent pixels are black in the colour bitmap and set in the mask.
    HICON MakeIcon() const
    {
        DWORD colorBits[kSide * kSide];
        WORD maskRows[kSide] = {};  // one 16-pixel row of the monochrome mask per word
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const COLORREF c = m_colors[y][x];
                colorBits[y * kSide + x] =
                    m_opaque[y][x] ? (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c) : 0;
                if (!m_opaque[y][x])
                    maskRows[y] |= static_cast<WORD>(0x8000u >> x);
            }
            // A monochrome row keeps its leftmost pixel in the high bit of its first byte.
            maskRows[y] = static_cast<WORD>((maskRows[y] >> 8) | (maskRows[y] << 8));
        }
        HDC screen = ::GetDC(nullptr);
        HBITMAP color = ::CreateCompatibleBitmap(screen, kSide, kSide);
        BITMAPINFO info = Dib32Info(kSide, -kSide);
        ::SetDIBits(screen, color, 0, kSide, colorBits, &info, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        HBITMAP mask = ::CreateBitmap(kSide, kSide, 1, 1, maskRows);
        ICONINFO description = {TRUE, 0, 0, mask, color};
        HICON icon = ::CreateIconIndirect(&description);
        ::DeleteObject(mask);
        ::DeleteObject(color);
        return icon;
    }

private:
    bool m_opaque[kSide][kSide] = {};
    COLORREF m_colors[kSide][kSide] = {};
};

} // namespace

HICON CExtPaintManager::CreateSolidColorIcon(COLORREF color)
{
    IconPicture picture;
    picture.Paint(RECT{0, 0, kSide, kSide}, color);
    return picture.MakeIcon();
}

HICON CExtPaintManager::CreateFramedColorIcon(COLORREF color)
{
    IconPicture picture;
    picture.Paint(RECT{1, 2, 15, 14}, color);
    picture.Clear(RECT{3, 4, 13, 12});
    return picture.MakeIcon();
}

HICON CExtPaintManager::CreateLetterColorIcon(COLORREF color, HFONT font, char letter)
{
    // The letter is drawn black on white and its pixels become the opaque black ones.
    HDC dc = ::CreateCompatibleDC(nullptr);
    const BITMAPINFO info = Dib32Info(kSide, -kSide);
    void* bits = nullptr;
    HBITMAP scratch = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = ::SelectObject(dc, scratch);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    RECT all = {0, 0, kSide, kSide};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    RECT letterRect = {0, 0, kSide, 12};
    ::DrawTextA(dc, &letter, 1, &letterRect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    ::GdiFlush();
    IconPicture picture;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if ((pixels[y * kSide + x] & 0xFFFFFF) != 0xFFFFFF)
                picture.Paint(RECT{x, y, x + 1, y + 1}, RGB(0, 0, 0));
        }
    }
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(scratch);
    ::DeleteDC(dc);
    picture.Paint(RECT{2, 13, 14, 16}, color);
    return picture.MakeIcon();
}
