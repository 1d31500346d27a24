#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "tests/paint/PaintTestSupport.h"

namespace {

using PM = CExtPaintManager;

std::vector<BYTE> Store(HBITMAP bitmap)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(PM::SerializeBitmap(ar, bitmap));
        ar.Close();
    }
    return file.Detach();
}

HBITMAP Load(const std::vector<BYTE>& bytes)
{
    return PM::LoadBitmapFromBuffer(bytes.data(), static_cast<UINT>(bytes.size()));
}

void Put32(std::vector<BYTE>& bytes, size_t at, DWORD value)
{
    std::memcpy(&bytes[at], &value, 4);
}

TEST(SerializeBitmap, RoundTripKeepsSizeDepthAndPixels)
{
    DibSurface surface(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ::SetPixel(surface.Dc(), x, y, RGB(x * 30, y * 40, 90));
    DibSurface::Lent lent(surface);
    const std::vector<BYTE> bytes = Store(lent.Bitmap());
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    DWORD fileSize = 0, offset = 0;
    std::memcpy(&fileSize, &bytes[2], 4);
    std::memcpy(&offset, &bytes[10], 4);
    EXPECT_EQ(fileSize, bytes.size());
    EXPECT_EQ(offset, 54u);

    HBITMAP loaded = Load(bytes);
    ASSERT_NE(loaded, nullptr);
    BITMAP description = {};
    ::GetObjectA(loaded, sizeof description, &description);
    EXPECT_EQ(description.bmWidth, 7);
    EXPECT_EQ(description.bmHeight, 5);
    EXPECT_EQ(description.bmBitsPixel, 32);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, loaded);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(::GetPixel(dc, x, y), RGB(x * 30, y * 40, 90)) << x << "," << y;
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(loaded);
}

TEST(SerializeBitmap, MalformedBlocksAreRefused)
{
    DibSurface surface(4, 4);
    const std::vector<BYTE> good = Store(surface.Bitmap());
    const struct
    {
        const char* what;
        size_t keep;       // bytes kept of the good file (0: all)
        size_t at;         // where a 32-bit value is replaced (0: nowhere)
        DWORD value;
    } cases[] = {
        {"file size below a header", 0, 2, 53},
        {"file size of the header alone", 0, 2, 14},
        {"file size past the data", 0, 2, 100000000},
        {"cut short", 60, 0, 0},
        {"header size too small", 0, 14, 12},
        {"header size past the block", 0, 14, 5000},
        {"pixel offset before the header's end", 0, 10, 20},
        {"pixel offset past the block", 0, 10, 100000},
        {"no file header", 10, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<BYTE> bytes = good;
        if (c.keep)
            bytes.resize(c.keep);
        if (c.at)
            Put32(bytes, c.at, c.value);
        EXPECT_EQ(Load(bytes), nullptr) << c.what;
    }
}

TEST(SerializeBitmap, PixelsBeyondTheSectionAreNotCopied)
{
    DibSurface surface(4, 4);
    std::vector<BYTE> bytes = Store(surface.Bitmap());
    // A file that says it holds more pixel data than a 4 x 4 section takes.
    bytes.resize(bytes.size() + 4096, 0xAB);
    Put32(bytes, 2, static_cast<DWORD>(bytes.size()));
    HBITMAP loaded = Load(bytes);
    ASSERT_NE(loaded, nullptr);
    ::DeleteObject(loaded);
}

TEST(SerializeBitmap, KnownSizeReadsNoFileHeader)
{
    DibSurface surface(3, 3);
    ::SetPixel(surface.Dc(), 1, 1, RGB(1, 2, 3));
    const std::vector<BYTE> file = Store(surface.Bitmap());
    CMemFile memory(file.data() + 14, static_cast<UINT>(file.size() - 14));
    CArchive ar(&memory, CArchive::load);
    HBITMAP loaded = nullptr;
    ASSERT_TRUE(PM::SerializeBitmap(ar, loaded, static_cast<DWORD>(file.size() - 14)));
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, loaded);
    EXPECT_EQ(::GetPixel(dc, 1, 1), RGB(1, 2, 3));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(loaded);
}

TEST(BitmapColors, CountsListsAndIcons)
{
    InjectedEnvironment environment;
    DibSurface surface(4, 2);
    surface.Fill(RGB(192, 192, 192));
    ::SetPixel(surface.Dc(), 0, 0, RGB(255, 0, 255));
    ::SetPixel(surface.Dc(), 1, 0, RGB(10, 20, 30));
    DibSurface::Lent lent(surface);
    PM::ColorCounts counts;
    EXPECT_EQ(PM::CountBitmapColors(lent.Bitmap(), counts), 32);
    DWORD count = 0;
    EXPECT_TRUE(counts.Lookup(RGB(192, 192, 192), count));
    EXPECT_EQ(count, 6u);
    EXPECT_TRUE(counts.Lookup(RGB(10, 20, 30), count));
    EXPECT_EQ(count, 1u);
    CArray<COLORREF, COLORREF> colors;
    EXPECT_EQ(PM::ListBitmapColors(lent.Bitmap(), colors, true), 32);
    EXPECT_EQ(colors.GetSize(), 3);

    HICON icon = PM::IconFromBitmap(lent.Bitmap(), RGB(255, 0, 255), nullptr, true);
    ASSERT_NE(icon, nullptr);
    DibSurface drawn(4, 2);
    drawn.Fill(RGB(0, 0, 0));
    ::DrawIconEx(drawn.Dc(), 0, 0, icon, 4, 2, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(drawn.At(0, 0), RGB(0, 0, 0)) << "transparent";
    EXPECT_EQ(drawn.At(1, 0), RGB(10, 20, 30));
    EXPECT_EQ(drawn.At(2, 1), ::GetSysColor(COLOR_BTNFACE)) << "grey 192 in the face colour";
    ::DestroyIcon(icon);
}

} // namespace
