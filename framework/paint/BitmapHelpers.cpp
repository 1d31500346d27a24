// Bitmap copies, packed DIBs, colour statistics, BMP persistence and icons made from bitmaps.
#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/paint/Dib32.h"
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"
#include "platform/Archive.h"
#include "platform/Exceptions.h"
#include "platform/MemFile.h"

#include <commctrl.h>  // after windows.h

namespace {

constexpr DWORD kFileHeaderSize = 14;
constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);

DWORD ColorTableEntries(int bitCount)
{
    return bitCount <= 8 ? 1u << bitCount : 0;
}

// The entries of a loaded header's colour table: what it says it uses, at most 2^bits.
DWORD LoadedColorTableEntries(const BITMAPINFOHEADER& header)
{
    if (header.biCompression == BI_BITFIELDS)
        return 3;
    const DWORD all = header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
    return header.biClrUsed && header.biClrUsed < all ? header.biClrUsed : all;
}

// Reads up to size bytes in pieces, so that a size the file lies about allocates no more than
// the archive really holds. False when the archive ends first.
bool ReadBlock(CArchive& ar, std::vector<BYTE>& block, DWORD size)
{
    const DWORD kPiece = 64 * 1024;
    block.clear();
    while (block.size() < size) {
        const DWORD want = std::min<DWORD>(kPiece, size - static_cast<DWORD>(block.size()));
        const size_t at = block.size();
        block.resize(at + want);
        if (ar.Read(block.data() + at, want) != want)
            return false;
    }
    return true;
}

bool LoadBitmap(CArchive& ar, HBITMAP& bitmap, DWORD knownSize)
{
    DWORD dibSize = knownSize;
    DWORD pixelOffset = 0;  // from the start of the DIB; 0 when the header decides
    if (knownSize == 0) {
        BYTE fileHeader[kFileHeaderSize];
        if (ar.Read(fileHeader, kFileHeaderSize) != kFileHeaderSize)
            return false;
        DWORD fileSize = 0, fileOffset = 0;
        std::memcpy(&fileSize, fileHeader + 2, 4);
        std::memcpy(&fileOffset, fileHeader + 10, 4);
        if (fileSize < kFileHeaderSize + kInfoHeaderSize || fileOffset < kFileHeaderSize)
            return false;
        dibSize = fileSize - kFileHeaderSize;
        pixelOffset = fileOffset - kFileHeaderSize;
    }
    if (dibSize < kInfoHeaderSize)
        return false;
    std::vector<BYTE> dib;
    if (!ReadBlock(ar, dib, dibSize))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    if (header.biSize < kInfoHeaderSize || header.biSize > dibSize)
        return false;
    const DWORD tableBytes = LoadedColorTableEntries(header) * 4;
    if (tableBytes > dibSize - header.biSize)
        return false;
    if (pixelOffset == 0)
        pixelOffset = header.biSize + tableBytes;
    if (pixelOffset < header.biSize + tableBytes || pixelOffset > dibSize)
        return false;

    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(dib.data()),
                                         DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section)
            ::DeleteObject(section);
        return false;
    }
    DIBSECTION description = {};
    ::GetObjectA(section, sizeof description, &description);
    const DWORD stride = static_cast<DWORD>(description.dsBm.bmWidthBytes);
    const DWORD held = stride * static_cast<DWORD>(description.dsBm.bmHeight);
    const DWORD count = std::min(dibSize - pixelOffset, held);
    std::memcpy(bits, dib.data() + pixelOffset, count);
    bitmap = section;
    return true;
}

bool StoreBitmap(CArchive& ar, HBITMAP bitmap)
{
    HGLOBAL block = CExtPaintManager::BitmapToPackedDib(bitmap);
    if (!block)
        return false;
    const DWORD dibSize = static_cast<DWORD>(::GlobalSize(block));
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(block));
    const DWORD offset = header->biSize + ColorTableEntries(header->biBitCount) * 4 + kFileHeaderSize;
    ar << static_cast<WORD>(0x4D42) << static_cast<DWORD>(dibSize + kFileHeaderSize)
       << static_cast<WORD>(0) << static_cast<WORD>(0) << offset;
    ar.Write(header, dibSize);
    ::GlobalUnlock(block);
    ::GlobalFree(block);
    return true;
}

// The bitmap's pixels as 0x00RRGGBB values, top-down, through a 32-bit copy.
bool ReadPixels(HBITMAP bitmap, const RECT* part, std::vector<COLORREF>& pixels, SIZE& size)
{
    COLORREF* bits = nullptr;
    HBITMAP copy = CExtPaintManager::CopyBitmapArea(bitmap, part, &bits);
    if (!copy)
        return false;
    BITMAP description = {};
    ::GetObjectA(copy, sizeof description, &description);
    size = {description.bmWidth, description.bmHeight};
    pixels.resize(static_cast<size_t>(size.cx) * size.cy);
    // The copy is bottom-up.
    for (int y = 0; y < size.cy; ++y)
        std::memcpy(&pixels[static_cast<size_t>(y) * size.cx],
                    bits + static_cast<size_t>(size.cy - 1 - y) * size.cx, size.cx * 4u);
    ::DeleteObject(copy);
    return true;
}

int BitsPerPixel(HBITMAP bitmap)
{
    BITMAP description = {};
    if (!::GetObjectA(bitmap, sizeof description, &description))
        return 0;
    return description.bmBitsPixel * description.bmPlanes;
}

} // namespace

HBITMAP CExtPaintManager::CopyBitmapArea(HBITMAP bitmap, const RECT* part, COLORREF** bits)
{
    BITMAP description = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof description, &description))
        return nullptr;
    const RECT area = part ? *part : RECT{0, 0, description.bmWidth, description.bmHeight};
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC source = ::CreateCompatibleDC(screen);
    HDC target = ::CreateCompatibleDC(screen);
    HBITMAP copy = nullptr;
    if (bits) {
        const BITMAPINFO info = Dib32Info(width, height);
        void* pixels = nullptr;
        copy = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        *bits = static_cast<COLORREF*>(pixels);
    } else if (source) {
        HGDIOBJ old = ::SelectObject(source, bitmap);
        copy = ::CreateCompatibleBitmap(source, width, height);
        ::SelectObject(source, old);
    }
    bool copied = false;
    if (copy && source && target) {
        HGDIOBJ oldSource = ::SelectObject(source, bitmap);
        HGDIOBJ oldTarget = ::SelectObject(target, copy);
        copied = ::BitBlt(target, 0, 0, width, height, source, area.left, area.top, SRCCOPY) != 0;
        ::SelectObject(source, oldSource);
        ::SelectObject(target, oldTarget);
    }
    if (source)
        ::DeleteDC(source);
    if (target)
        ::DeleteDC(target);
    ::ReleaseDC(nullptr, screen);
    if (!copied && copy) {
        ::DeleteObject(copy);
        copy = nullptr;
    }
    if (!copy && bits)
        *bits = nullptr;
    return copy;
}

HGLOBAL CExtPaintManager::BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette)
{
    BITMAP description = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof description, &description))
        return nullptr;
    if (!palette)
        palette = static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    BITMAPINFOHEADER header = {};
    header.biSize = kInfoHeaderSize;
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(description.bmPlanes * description.bmBitsPixel);
    header.biCompression = BI_RGB;
    const DWORD tableBytes = ColorTableEntries(header.biBitCount) * 4;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (!memory)
        return nullptr;
    HPALETTE oldPalette = ::SelectPalette(memory, palette, FALSE);
    ::RealizePalette(memory);

    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, header.biSize + tableBytes);
    if (block) {
        auto* info = static_cast<BITMAPINFO*>(block);
        info->bmiHeader = header;
        ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(header.biHeight), nullptr, info,
                    DIB_RGB_COLORS);
        header = info->bmiHeader;
        if (header.biSizeImage == 0)
            header.biSizeImage = static_cast<DWORD>(
                ((header.biBitCount * header.biWidth + 31) / 32) * 4 * header.biHeight);
        HGLOBAL grown = ::GlobalReAlloc(block, header.biSize + tableBytes + header.biSizeImage, 0);
        if (!grown) {
            ::GlobalFree(block);
            block = nullptr;
        } else {
            block = grown;
            info = static_cast<BITMAPINFO*>(block);
            info->bmiHeader = header;
            if (!::GetDIBits(memory, bitmap, 0, static_cast<UINT>(header.biHeight),
                             reinterpret_cast<BYTE*>(info) + header.biSize + tableBytes, info,
                             DIB_RGB_COLORS)) {
                ::GlobalFree(block);
                block = nullptr;
            }
        }
    }
    ::SelectPalette(memory, oldPalette, FALSE);
    ::DeleteDC(memory);
    return block;
}

int CExtPaintManager::CountBitmapColors(HBITMAP bitmap, ColorCounts& counts)
{
    counts.RemoveAll();
    std::vector<COLORREF> pixels;
    SIZE size;
    if (!ReadPixels(bitmap, nullptr, pixels, size))
        return 0;
    for (COLORREF pixel : pixels) {
        const COLORREF key = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));
        counts[key] = counts[key] + 1;
    }
    return BitsPerPixel(bitmap);
}

int CExtPaintManager::ListBitmapColors(HBITMAP bitmap, CArray<COLORREF, COLORREF>& colors,
                                       bool withoutDuplicates)
{
    colors.RemoveAll();
    const int bits = BitsPerPixel(bitmap);
    if (bits == 0)
        return 0;
    if (bits > 8) {
        ColorCounts counts;
        CountBitmapColors(bitmap, counts);
        COLORREF key;
        DWORD count;
        for (POSITION at = counts.GetStartPosition(); at;) {
            counts.GetNextAssoc(at, key, count);
            colors.Add(key);
        }
        return bits;
    }
    HGLOBAL block = BitmapToPackedDib(bitmap);
    if (!block)
        return 0;
    const auto* info = static_cast<const BITMAPINFO*>(block);
    for (DWORD i = 0; i < ColorTableEntries(bits); ++i) {
        const RGBQUAD& entry = info->bmiColors[i];
        const COLORREF color = RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
        bool seen = false;
        for (INT_PTR j = 0; withoutDuplicates && j < colors.GetSize() && !seen; ++j)
            seen = colors[j] == color;
        if (!seen)
            colors.Add(color);
    }
    ::GlobalFree(block);
    return bits;
}

bool CExtPaintManager::SerializeBitmap(CArchive& ar, HBITMAP& bitmap, DWORD knownSize)
{
    if (ar.IsStoring())
        return StoreBitmap(ar, bitmap);
    bitmap = nullptr;
    return LoadBitmap(ar, bitmap, knownSize);
}

HBITMAP CExtPaintManager::LoadBitmapResource(HINSTANCE module, HRSRC resource)
{
    HGLOBAL loaded = ::LoadResource(module, resource);
    const DWORD size = ::SizeofResource(module, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data || size == 0)
        return nullptr;
    CMemFile file(static_cast<const BYTE*>(data), size);
    CArchive ar(&file, CArchive::load);
    HBITMAP bitmap = nullptr;
    SerializeBitmap(ar, bitmap, size);
    return bitmap;
}

HBITMAP CExtPaintManager::LoadBitmapFromBuffer(const void* data, UINT size)
{
    if (!data || size == 0)
        return nullptr;
    HBITMAP bitmap = nullptr;
    try {
        CMemFile file(static_cast<const BYTE*>(data), size);
        CArchive ar(&file, CArchive::load);
        SerializeBitmap(ar, bitmap, 0);
    } catch (CException* e) {
        e->Delete();
        bitmap = nullptr;
    }
    return bitmap;
}

HICON CExtPaintManager::IconFromBitmap(HBITMAP bitmap, COLORREF transparent, const RECT* part,
                                       bool mapSystemGreys)
{
    if (!bitmap)
        return nullptr;
    COLORREF* bits = nullptr;
    HBITMAP copy = CopyBitmapArea(bitmap, part, &bits);
    if (!copy)
        return nullptr;
    BITMAP description = {};
    ::GetObjectA(copy, sizeof description, &description);
    const int width = description.bmWidth, height = description.bmHeight;
    const size_t count = static_cast<size_t>(width) * height;
    // Pixels of the DIB are 0x00RRGGBB; COLORREF values are 0x00BBGGRR.
    const auto toPixel = [](COLORREF c) {
        return static_cast<COLORREF>(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16);
    };
    const COLORREF transparentPixel = toPixel(transparent);
    if (mapSystemGreys) {
        const struct
        {
            COLORREF grey;
            int system;
        } pairs[3] = {{RGB(128, 128, 128), COLOR_BTNSHADOW},
                      {RGB(192, 192, 192), COLOR_BTNFACE},
                      {RGB(223, 223, 223), COLOR_3DLIGHT}};
        for (const auto& pair : pairs) {
            const COLORREF system = g_PaintManager.SystemColor(pair.system);
            if (pair.grey == transparent || system == pair.grey)
                continue;
            for (size_t i = 0; i < count; ++i) {
                if (bits[i] != transparentPixel && bits[i] == toPixel(pair.grey))
                    bits[i] = toPixel(system);
            }
        }
    }
    HICON icon = nullptr;
    if (!(g_PaintManager.OsFacts2() & CExtPaintManagerHolder::kNT5OrLater)) {
        std::vector<BYTE> maskBits(static_cast<size_t>((width + 15) / 16 * 2) * height, 0xFF);
        HBITMAP mask = ::CreateBitmap(width, height, 1, 1, maskBits.data());
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(memory, mask);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                COLORREF& pixel = bits[static_cast<size_t>(height - 1 - y) * width + x];
                if (pixel == transparentPixel)
                    pixel = 0;
                else
                    ::SetPixel(memory, x, y, RGB(0, 0, 0));
            }
        }
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        ICONINFO info = {TRUE, 0, 0, mask, copy};
        icon = ::CreateIconIndirect(&info);
        ::DeleteObject(mask);
    }
    if (!icon) {
        HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 1);
        if (list) {
            if (::ImageList_AddMasked(list, copy, transparent) >= 0)
                icon = ::ImageList_GetIcon(list, 0, ILD_NORMAL);
            ::ImageList_Destroy(list);
        }
    }
    ::DeleteObject(copy);
    return icon;
}
