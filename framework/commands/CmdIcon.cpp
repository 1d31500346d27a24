#include "framework/commands/CmdIcon.h"

#include <utility>

#include "framework/commands/CmdIconInternal.h"
#include "framework/paint/Dib32.h"
#include "framework/paint/PaintManagerHolder.h"

namespace cmdicon {

HBITMAP CreateDib32(int width, int height, COLORREF** pixels)
{
    const BITMAPINFO info = Dib32Info(width, height);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *pixels = dib ? static_cast<COLORREF*>(bits) : nullptr;
    return dib;
}

IconInfo::IconInfo(HICON icon)
{
    m_valid = icon && ::GetIconInfo(icon, &m_info);
    if (!m_valid)
        m_info = {};
}

IconInfo::~IconInfo()
{
    if (m_info.hbmColor)
        ::DeleteObject(m_info.hbmColor);
    if (m_info.hbmMask)
        ::DeleteObject(m_info.hbmMask);
}

} // namespace cmdicon

using cmdicon::IconInfo;

namespace {

CSize BitmapSize(HBITMAP bitmap)
{
    BITMAP description = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof description, &description))
        return CSize(0, 0);
    return CSize(description.bmWidth, description.bmHeight);
}

// A generated image: a DIB of the size filled with the background, drawn on by draw.
template <class Draw>
HBITMAP MakeFilledDib(COLORREF background, int width, int height, COLORREF** pixels, Draw draw)
{
    COLORREF* bits = nullptr;
    HBITMAP dib = cmdicon::CreateDib32(width, height, &bits);
    if (!dib)
        return nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    if (!memory) {
        ::DeleteObject(dib);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(memory, dib);
    const RECT all = {0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(background);
    ::FillRect(memory, &all, brush);
    ::DeleteObject(brush);
    draw(memory);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::GdiFlush();
    if (pixels)
        *pixels = bits;
    return dib;
}

} // namespace

CExtCmdIcon::CExtCmdIcon(HBITMAP bitmap, COLORREF transparent, const RECT* area, bool copy)
{
    AssignBitmap(bitmap, transparent, area, copy);
}

CExtCmdIcon::CExtCmdIcon(HICON& icon, bool copy)
{
    AssignIcon(icon, copy);
}

CExtCmdIcon::CExtCmdIcon(const CExtCmdIcon& other)
{
    AssignFrom(other);
}

CExtCmdIcon& CExtCmdIcon::operator=(const CExtCmdIcon& other)
{
    AssignFrom(other);
    return *this;
}

CExtCmdIcon::~CExtCmdIcon()
{
    ReleaseBitmap();
    ReleaseImageIcon();
    DropFadedIcon();
}

CSize CExtCmdIcon::IconSize(HICON icon)
{
    IconInfo info(icon);
    if (!info.IsValid())
        return CSize(0, 0);
    const int width = static_cast<BYTE>(info.Info().xHotspot * 2);
    const int height = static_cast<BYTE>(info.Info().yHotspot * 2);
    if (width != 0 && height != 0)
        return CSize(width, height);
    return BitmapSize(info.Picture());
}

void CExtCmdIcon::DropFadedIcon()
{
    if (m_fadedIcon.m_icon)
        ::DestroyIcon(m_fadedIcon.m_icon);
    m_fadedIcon = {};
}

void CExtCmdIcon::ReleaseBitmap()
{
    if (m_bitmapPart.m_bitmap)
        ::DeleteObject(m_bitmapPart.m_bitmap);
    m_bitmapPart.m_bitmap = nullptr;
    m_bitmapPart.m_width = m_bitmapPart.m_height = 0;
}

void CExtCmdIcon::ReleaseImageIcon()
{
    if (m_imageIcon.m_icon)
        ::DestroyIcon(m_imageIcon.m_icon);
    m_imageIcon = {};
}

bool CExtCmdIcon::IsEmpty() const
{
    return !m_bitmapPart.m_bitmap && !m_imageIcon.m_icon;
}

void CExtCmdIcon::Empty()
{
    ReleaseBitmap();
    ReleaseImageIcon();
    DropFadedIcon();
    m_blendColor = kNoBlendColor;
    m_fadeFactor = kDefaultFadeFactor;
}

void CExtCmdIcon::AssignFrom(const CExtCmdIcon& other)
{
    if (&other == this)
        return;
    DropFadedIcon();
    if (!other.IsBitmapBased()) {
        ReleaseBitmap();
        AssignIcon(other.m_imageIcon.m_icon, true);
    } else {
        ReleaseImageIcon();
        AssignBitmap(other.m_bitmapPart.m_bitmap, other.m_bitmapPart.m_transparent, nullptr, true);
    }
    m_blendColor = other.m_blendColor;
    m_fadeFactor = other.m_fadeFactor;
}

void CExtCmdIcon::AssignIcon(HICON icon, bool copy)
{
    DropFadedIcon();
    ReleaseBitmap();
    if (!copy && icon && icon == m_imageIcon.m_icon)
        return;
    ReleaseImageIcon();
    if (!icon)
        return;
    if (copy) {
        IconInfo info(icon);
        ICONINFO duplicate = info.Info();
        icon = info.IsValid() ? ::CreateIconIndirect(&duplicate) : nullptr;
        if (!icon)
            return;
    }
    m_imageIcon.m_icon = icon;
    const CSize size = IconSize(icon);
    m_imageIcon.m_width = size.cx;
    m_imageIcon.m_height = size.cy;
}

void CExtCmdIcon::AssignBitmap(HBITMAP bitmap, COLORREF transparent, const RECT* area, bool copy)
{
    ReleaseImageIcon();
    DropFadedIcon();
    if (!bitmap) {
        ReleaseBitmap();
        return;
    }
    if (bitmap == m_bitmapPart.m_bitmap && (!area || !copy)) {
        // Taking over the handle already held must not delete it.
        m_bitmapPart.m_transparent = transparent;
        return;
    }
    HBITMAP taken = copy ? CExtPaintManager::CopyBitmapArea(bitmap, area) : bitmap;
    ReleaseBitmap();
    if (!taken)
        return;
    const CSize size = BitmapSize(taken);
    m_bitmapPart = {taken, transparent, size.cx, size.cy};
}

CSize CExtCmdIcon::GetSize() const
{
    if (IsBitmapBased())
        return CSize(m_bitmapPart.m_width, m_bitmapPart.m_height);
    if (m_imageIcon.m_icon)
        return CSize(m_imageIcon.m_width, m_imageIcon.m_height);
    return CSize(0, 0);
}

bool CExtCmdIcon::IsBitmapBased() const
{
    return m_bitmapPart.m_bitmap != nullptr;
}

HBITMAP CExtCmdIcon::GetBitmap() const
{
    return m_bitmapPart.m_bitmap;
}

COLORREF CExtCmdIcon::GetBitmapTransparentColor() const
{
    return m_bitmapPart.m_transparent;
}

HICON CExtCmdIcon::GetIcon(bool mapSystemGreys)
{
    if (m_imageIcon.m_icon || !IsBitmapBased())
        return m_imageIcon.m_icon;
    m_imageIcon.m_icon = CExtPaintManager::IconFromBitmap(
        m_bitmapPart.m_bitmap, m_bitmapPart.m_transparent, nullptr, mapSystemGreys);
    if (m_imageIcon.m_icon) {
        m_imageIcon.m_width = m_bitmapPart.m_width;
        m_imageIcon.m_height = m_bitmapPart.m_height;
    }
    return m_imageIcon.m_icon;
}

HICON CExtCmdIcon::TakeIconHandle(bool mapSystemGreys)
{
    if (IsEmpty())
        return nullptr;
    DropFadedIcon();
    HICON icon = m_imageIcon.m_icon;
    if (IsBitmapBased() && !icon)
        icon = CExtPaintManager::IconFromBitmap(m_bitmapPart.m_bitmap, m_bitmapPart.m_transparent,
                                                nullptr, mapSystemGreys);
    m_imageIcon = {};
    ReleaseBitmap();
    return icon;
}

HICON CExtCmdIcon::GetFadedIcon()
{
    if (m_blendColor == kNoBlendColor)
        return nullptr;
    if (!m_fadedIcon.m_icon)
        GenerateFadedIcon();
    return m_fadedIcon.m_icon;
}

void CExtCmdIcon::OnSysColorChange()
{
    SetBlendColor(g_PaintManager->GetIconBlendColor());
    SetFadeFactor(g_PaintManager->GetIconFadeFactor());
    if (IsBitmapBased())
        ReleaseImageIcon();
}

void CExtCmdIcon::SyncSysColors()
{
    OnSysColorChange();
}

void CExtCmdIcon::OnSettingChange(UINT, LPCTSTR)
{
    OnSysColorChange();
}

void CExtCmdIcon::OnDisplayChange(int, int, int)
{
    OnSysColorChange();
}

void CExtCmdIcon::OnThemeChanged(WPARAM, LPARAM)
{
    OnSysColorChange();
}

bool CExtCmdIcon::DrawState(HDC dc, POINT position, int kind, HBRUSH brush)
{
    if (kind == kDrawFaded) {
        const bool win2000 = (g_PaintManager.OsFacts2() & CExtPaintManagerHolder::kNT5OrLater) != 0;
        HICON faded = win2000 && CExtPaintManager::GetDcBitsPerPixel(dc) > 8 ? GetFadedIcon()
                                                                             : nullptr;
        if (faded)
            return ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(faded), 0,
                                position.x, position.y, m_fadedIcon.m_width,
                                m_fadedIcon.m_height, DST_ICON | DSS_NORMAL) != FALSE;
        kind = kDrawMonochrome;
    }
    HICON icon = GetIcon(true);
    if (!icon)
        return false;
    const UINT state = kind == kDrawDisabled     ? DSS_DISABLED
                       : kind == kDrawMonochrome ? DSS_MONO
                                                 : DSS_NORMAL;
    return ::DrawStateA(dc, kind == kDrawMonochrome ? brush : nullptr, nullptr,
                        reinterpret_cast<LPARAM>(icon), 0, position.x, position.y,
                        m_imageIcon.m_width, m_imageIcon.m_height, DST_ICON | state) != FALSE;
}

int CExtCmdIcon::GetColorCounts(CExtPaintManager::ColorCounts& counts) const
{
    if (IsBitmapBased())
        return CExtPaintManager::CountBitmapColors(m_bitmapPart.m_bitmap, counts);
    counts.RemoveAll();
    IconInfo info(m_imageIcon.m_icon);
    return info.IsValid() ? CExtPaintManager::CountBitmapColors(info.Picture(), counts) : 0;
}

int CExtCmdIcon::GetBitsPerPixel() const
{
    const auto bitsOf = [](HBITMAP bitmap) {
        BITMAP description = {};
        if (!::GetObjectA(bitmap, sizeof description, &description))
            return 0;
        return description.bmBitsPixel * description.bmPlanes;
    };
    if (IsBitmapBased())
        return bitsOf(m_bitmapPart.m_bitmap);
    IconInfo info(m_imageIcon.m_icon);
    if (!info.IsValid())
        return 0;
    return info.Info().hbmColor ? bitsOf(info.Info().hbmColor) : 1;
}

bool CExtCmdIcon::ScaleFrom(const CExtCmdIcon& other, int width, int height)
{
    if (other.IsEmpty() || width <= 0 || height <= 0)
        return false;
    if (&other == this) {
        // Emptying this image first would lose the picture being scaled.
        const CExtCmdIcon source(other);
        return ScaleFrom(source, width, height);
    }
    Empty();
    const CSize size = other.GetSize();
    if (size.cx == width && size.cy == height) {
        AssignFrom(other);
        return !IsEmpty();
    }
    HBITMAP editable = nullptr;
    COLORREF transparent = 0;
    if (!other.ExtractEditableBitmap(editable, transparent))
        return false;
    HDC sourceDc = ::CreateCompatibleDC(nullptr);
    HDC targetDc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = ::SelectObject(sourceDc, editable);
    HBITMAP stretched = ::CreateCompatibleBitmap(sourceDc, width, height);
    if (stretched) {
        HGDIOBJ oldTarget = ::SelectObject(targetDc, stretched);
        const RECT all = {0, 0, width, height};
        HBRUSH brush = ::CreateSolidBrush(transparent);
        ::FillRect(targetDc, &all, brush);
        ::DeleteObject(brush);
        const CSize from = BitmapSize(editable);
        CExtPaintManager::TransparentBlit(targetDc, 0, 0, width, height, sourceDc, 0, 0, from.cx,
                                          from.cy, transparent);
        ::SelectObject(targetDc, oldTarget);
    }
    ::SelectObject(sourceDc, oldSource);
    ::DeleteDC(sourceDc);
    ::DeleteDC(targetDc);
    ::DeleteObject(editable);
    if (!stretched)
        return false;
    if (other.IsBitmapBased()) {
        AssignBitmap(stretched, transparent, nullptr, false);
    } else {
        CExtCmdIcon temporary(stretched, transparent);
        if (temporary.IsEmpty())
            return false;
        AssignIcon(temporary.TakeIconHandle(true), false);
    }
    return !IsEmpty();
}

COLORREF CExtCmdIcon::GetBlendColor() const
{
    return m_blendColor;
}

COLORREF CExtCmdIcon::SetBlendColor(COLORREF color)
{
    return ChangeBlendSetting(m_blendColor, color);
}

double CExtCmdIcon::GetFadeFactor() const
{
    return m_fadeFactor;
}

double CExtCmdIcon::SetFadeFactor(double factor)
{
    return ChangeBlendSetting(m_fadeFactor, factor);
}

namespace {

COLORREF MarkColor(COLORREF mark)
{
    return mark == CExtCmdIcon::kNoBlendColor ? g_PaintManager->ColorAt(1010) : mark;
}

COLORREF MarkBackground(COLORREF mark, COLORREF background)
{
    if (background != CExtCmdIcon::kNoBlendColor)
        return background;
    return mark == RGB(255, 0, 255) ? RGB(128, 255, 128) : RGB(255, 0, 255);
}

} // namespace

bool CExtCmdIcon::MakeMarkImage(MarkDrawer draw, COLORREF mark, COLORREF background, int width,
                                int height, COLORREF** pixels)
{
    if (width <= 0 || height <= 0)
        return false;
    Empty();
    mark = MarkColor(mark);
    background = MarkBackground(mark, background);
    HBITMAP dib = MakeFilledDib(background, width, height, pixels, [&](HDC dc) {
        draw(dc, width / 2 - 3, height / 2 - 3, mark);
    });
    AssignBitmap(dib, background, nullptr, false);
    return !IsEmpty();
}

bool CExtCmdIcon::MakeCheckMarkImage(COLORREF mark, COLORREF background, int width, int height,
                                     COLORREF** pixels)
{
    return MakeMarkImage(CExtPaintManager::DrawCheckMark, mark, background, width, height, pixels);
}

bool CExtCmdIcon::MakeRadioDotImage(COLORREF mark, COLORREF background, int width, int height,
                                    COLORREF** pixels)
{
    return MakeMarkImage(CExtPaintManager::DrawRadioDot, mark, background, width, height, pixels);
}

bool CExtCmdIcon::MakeSolidImage(COLORREF color, int width, int height, COLORREF** pixels)
{
    if (width <= 0 || height <= 0)
        return false;
    Empty();
    if (color == kNoBlendColor)
        color = RGB(255, 0, 255);
    HBITMAP dib = MakeFilledDib(color, width, height, pixels, [](HDC) {});
    AssignBitmap(dib, color, nullptr, false);
    return !IsEmpty();
}
