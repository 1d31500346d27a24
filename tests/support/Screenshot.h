// Saves what a window shows on the screen as a PNG file, so that a person can look at a test's
// window afterwards, and gives its pixels to tests that check what it shows. The pixels are
// copied from the screen, which also works for a window of another process; the PNG is 24-bit
// RGB with stored (uncompressed) deflate blocks.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace screenshot_detail {

inline std::uint32_t Crc32(const std::uint8_t* data, size_t size, std::uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void PutChunk(std::vector<std::uint8_t>& out, const char* type,
                     const std::vector<std::uint8_t>& data)
{
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBigEndian(out, Crc32(typed.data(), typed.size()));
}

// A zlib stream of stored blocks.
inline std::vector<std::uint8_t> StoreInZlib(const std::vector<std::uint8_t>& raw)
{
    const size_t kMaxBlock = 65535;
    std::vector<std::uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t length = std::min(kMaxBlock, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace screenshot_detail

// What a window shows on the screen: top-down rows of 0x00RRGGBB pixels; empty when the
// pixels could not be read.
struct WindowPixels
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // How many pixels of the rectangle have exactly that colour.
    int Count(std::uint32_t rgb, const RECT& rect) const
    {
        int count = 0;
        for (int y = std::max(0L, rect.top); y < std::min<LONG>(rect.bottom, height); ++y) {
            for (int x = std::max(0L, rect.left); x < std::min<LONG>(rect.right, width); ++x)
                count += At(x, y) == rgb ? 1 : 0;
        }
        return count;
    }
};

// A 32-bit bitmap of top-down rows, as a DIB section is made from.
inline BITMAPINFO TopDownBitmapInfo(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// What a window paints into its client area through WM_PRINTCLIENT, as 0x00RRGGBB pixels of
// top-down rows.
inline std::vector<DWORD> RenderClientPixels(HWND window, int& width, int& height)
{
    RECT client;
    GetClientRect(window, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
    const BITMAPINFO info = TopDownBitmapInfo(width, height);
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessage(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> copy(pixels, pixels + static_cast<size_t>(width) * height);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return copy;
}

inline WindowPixels CaptureWindow(HWND window)
{
    WindowPixels captured;
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return captured;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return captured;

    const BITMAPINFO info = TopDownBitmapInfo(width, height);
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
            const auto* pixels = static_cast<const std::uint32_t*>(bits);
            captured.width = width;
            captured.height = height;
            captured.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
            for (std::uint32_t& pixel : captured.pixels)
                pixel &= 0xFFFFFF;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return captured;
}

// Writes top-down 0x00RRGGBB pixels as a PNG file; false when the file could not be written.
inline bool SavePixelsAsPng(const WindowPixels& captured, const std::string& path)
{
    using namespace screenshot_detail;
    if (captured.pixels.empty())
        return false;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<size_t>(captured.height) * (captured.width * 3 + 1));
    for (int y = 0; y < captured.height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < captured.width; ++x) {
            const std::uint32_t rgb = captured.At(x, y);
            raw.insert(raw.end(), {static_cast<std::uint8_t>(rgb >> 16),
                                   static_cast<std::uint8_t>(rgb >> 8),
                                   static_cast<std::uint8_t>(rgb)});
        }
    }

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(captured.width));
    PutBigEndian(header, static_cast<std::uint32_t>(captured.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoreInZlib(raw));
    PutChunk(png, "IEND", {});
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

// False when the window's pixels could not be read or the file not written.
inline bool SaveWindowScreenshot(HWND window, const std::string& path)
{
    return SavePixelsAsPng(CaptureWindow(window), path);
}

// The path of a picture named name in the folder "screenshots" beside the test program, which
// is made when missing.
inline std::string ScreenshotBesideTest(const std::string& name)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\') + 1) + "screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}
