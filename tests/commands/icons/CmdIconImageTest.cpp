#include <gtest/gtest.h>

#include <vector>

#include "platform/Archive.h"
#include "platform/Exceptions.h"
#include "platform/MemFile.h"
#include "tests/commands/icons/IconTestSupport.h"

namespace {

HICON MakeIcon(bool isIcon, int width, int height, DWORD hotX, DWORD hotY)
{
    HBITMAP sized = ::CreateBitmap(width, height, 1, 32, nullptr);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    ICONINFO info = {isIcon, hotX, hotY, mask, sized};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(sized);
    ::DeleteObject(mask);
    return icon;
}

TEST(CmdIconSize, TwiceTheHotSpotElseTheBitmapsSize)
{
    struct
    {
        bool isIcon;
        int width, height;
        DWORD hotX, hotY;
        CSize expected;
    } const cases[] = {
        {true, 16, 16, 0, 0, CSize(16, 16)},      // an icon's hot spot is its centre
        {false, 24, 20, 128, 128, CSize(24, 20)},  // twice 128 is 0 in 8 bits
        {false, 24, 24, 3, 5, CSize(6, 10)},
        {false, 24, 20, 0, 5, CSize(24, 20)},
    };
    for (const auto& c : cases) {
        HICON icon = MakeIcon(c.isIcon, c.width, c.height, c.hotX, c.hotY);
        ASSERT_NE(icon, nullptr);
        CExtCmdIcon image(icon, false);
        EXPECT_EQ(image.GetSize(), c.expected) << c.width << 'x' << c.height << " hot " << c.hotX;
    }
}

std::vector<BYTE> Store(CExtCmdIcon& image)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    image.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void Load(CExtCmdIcon& image, const std::vector<BYTE>& bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    image.Serialize(ar);
}

TEST(CmdIconArchive, EmptyImageIsOneZeroByte)
{
    CExtCmdIcon empty;
    EXPECT_EQ(Store(empty), std::vector<BYTE>{0});
    CExtCmdIcon loaded(MakeBitmap(1, 1, {kRed}), kSilver);
    Load(loaded, {0});
    EXPECT_TRUE(loaded.IsEmpty());
}

TEST(CmdIconArchive, BitmapRoundTripKeepsPixelsAndTransparentColour)
{
    CExtCmdIcon image(MakeBitmap(3, 2, {kRed, kSilver, kBlue, kGreen, kMagenta, kRed}), kSilver);
    const std::vector<BYTE> bytes = Store(image);
    ASSERT_GT(bytes.size(), 1u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 'B');

    CExtCmdIcon loaded;
    Load(loaded, bytes);
    ASSERT_TRUE(loaded.IsBitmapBased());
    EXPECT_EQ(loaded.GetSize(), CSize(3, 2));
    EXPECT_EQ(loaded.GetBitmapTransparentColor(), kSilver);
    const COLORREF expected[6] = {kRed, kSilver, kBlue, kGreen, kMagenta, kRed};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(BitmapPixel(loaded.GetBitmap(), i % 3, i / 3), expected[i]) << i;
}

TEST(CmdIconArchive, IconRoundTripKeepsSizeAndPicture)
{
    CExtCmdIcon source(MakeBitmap(16, 16, {kRed, kMagenta, kBlue}), kMagenta);
    HICON icon = source.TakeIconHandle(false);
    CExtCmdIcon image(icon, false);
    ASSERT_EQ(image.GetSize(), CSize(16, 16));
    const std::vector<BYTE> bytes = Store(image);
    EXPECT_EQ(bytes[0], 2);

    CExtCmdIcon loaded;
    Load(loaded, bytes);
    ASSERT_FALSE(loaded.IsEmpty());
    EXPECT_FALSE(loaded.IsBitmapBased());
    EXPECT_EQ(loaded.GetSize(), CSize(16, 16));
    DibSurface surface(16, 16);
    DrawIconOnto(surface, loaded.GetIcon(false), kBackdrop);
    EXPECT_EQ(surface.At(0, 0), kRed);
    EXPECT_EQ(surface.At(1, 0), kBackdrop);
    EXPECT_EQ(surface.At(2, 0), kBlue);
}

// A stream cut anywhere, or a bitmap that lies about its size, is refused with an archive error
// and leaves the image empty; nothing is read past the stored bytes.
TEST(CmdIconArchive, DamagedStreamIsRefused)
{
    CExtCmdIcon image(MakeBitmap(4, 4, {kRed, kBlue}), kSilver);
    const std::vector<BYTE> whole = Store(image);
    std::vector<std::vector<BYTE>> damaged;
    for (size_t length : {size_t{1}, size_t{5}, size_t{20}, whole.size() - 5, whole.size() - 1})
        damaged.emplace_back(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(length));
    std::vector<BYTE> lying = whole;
    lying[3] = 0xFF;  // the file size of the bitmap header
    lying[4] = 0xFF;
    damaged.push_back(lying);
    for (const auto& bytes : damaged) {
        CExtCmdIcon loaded(MakeBitmap(1, 1, {kRed}), kSilver);
        bool refused = false;
        try {
            Load(loaded, bytes);
        } catch (CException* e) {
            refused = dynamic_cast<CArchiveException*>(e) != nullptr;
            e->Delete();
        }
        EXPECT_TRUE(refused) << bytes.size() << " bytes";
        EXPECT_TRUE(loaded.IsEmpty()) << bytes.size() << " bytes";
    }
}

TEST(CmdIconAssign, SameBitmapOnlyChangesTheTransparentColour)
{
    HBITMAP bitmap = MakeBitmap(2, 2, {kRed});
    CExtCmdIcon image(bitmap, kSilver);
    image.AssignBitmap(bitmap, kMagenta);
    EXPECT_EQ(image.GetBitmap(), bitmap);
    EXPECT_EQ(image.GetBitmapTransparentColor(), kMagenta);
    // Taken over again with an area, the held bitmap must stay alive.
    const RECT area = {0, 0, 1, 1};
    image.AssignBitmap(bitmap, kSilver, &area, false);
    BITMAP description = {};
    EXPECT_NE(::GetObjectA(image.GetBitmap(), sizeof description, &description), 0);
    EXPECT_EQ(image.GetSize(), CSize(2, 2));
}

TEST(CmdIconAssign, CopyIsIndependentAndKeepsBlendSettings)
{
    CExtCmdIcon image(MakeBitmap(2, 1, {kRed, kSilver}), kSilver);
    image.SetBlendColor(kBlue);
    image.SetFadeFactor(0.7);
    CExtCmdIcon copy(image);
    EXPECT_NE(copy.GetBitmap(), image.GetBitmap());
    EXPECT_EQ(copy.GetBlendColor(), kBlue);
    EXPECT_EQ(copy.GetFadeFactor(), 0.7);
    image.Empty();
    EXPECT_EQ(image.GetBlendColor(), CExtCmdIcon::kNoBlendColor);
    EXPECT_EQ(image.GetFadeFactor(), 1.4);
    EXPECT_EQ(BitmapPixel(copy.GetBitmap(), 0, 0), kRed);
}

TEST(CmdIconScale, SameSizeCopiesLargerStretchesKeepingTransparentOut)
{
    CExtCmdIcon source(MakeBitmap(2, 2, {kMagenta, kRed, kRed, kBlue}), kMagenta);
    CExtCmdIcon same;
    ASSERT_TRUE(same.ScaleFrom(source, 2, 2));
    EXPECT_NE(same.GetBitmap(), source.GetBitmap());
    EXPECT_EQ(BitmapPixel(same.GetBitmap(), 1, 1), kBlue);

    CExtCmdIcon twice;
    ASSERT_TRUE(twice.ScaleFrom(source, 4, 4));
    ASSERT_TRUE(twice.IsBitmapBased());
    EXPECT_EQ(twice.GetSize(), CSize(4, 4));
    const COLORREF transparent = twice.GetBitmapTransparentColor();
    EXPECT_EQ(BitmapPixel(twice.GetBitmap(), 0, 0), transparent);
    EXPECT_EQ(BitmapPixel(twice.GetBitmap(), 1, 1), transparent);
    EXPECT_EQ(BitmapPixel(twice.GetBitmap(), 3, 0), kRed);
    EXPECT_EQ(BitmapPixel(twice.GetBitmap(), 3, 3), kBlue);

    EXPECT_FALSE(twice.ScaleFrom(source, 0, 4));
    EXPECT_FALSE(twice.ScaleFrom(CExtCmdIcon(), 4, 4));
}

TEST(CmdIconScale, IconGivesIconAndScalingItselfKeepsThePicture)
{
    CExtCmdIcon source(MakeBitmap(2, 2, {kMagenta, kRed, kRed, kBlue}), kMagenta);
    CExtCmdIcon icon;
    HICON handle = source.GetIcon(false);
    icon.AssignIcon(handle, true);
    CExtCmdIcon scaled;
    ASSERT_TRUE(scaled.ScaleFrom(icon, 4, 4));
    EXPECT_FALSE(scaled.IsBitmapBased());
    EXPECT_EQ(scaled.GetSize(), CSize(4, 4));

    ASSERT_TRUE(source.ScaleFrom(source, 6, 6));
    EXPECT_EQ(source.GetSize(), CSize(6, 6));
    EXPECT_EQ(BitmapPixel(source.GetBitmap(), 5, 5), kBlue);
}

TEST(CmdIconGenerated, SolidImageDrawsNothing)
{
    CExtCmdIcon image;
    COLORREF* pixels = nullptr;
    ASSERT_TRUE(image.MakeSolidImage(CExtCmdIcon::kNoBlendColor, 16, 16, &pixels));
    EXPECT_TRUE(image.IsBitmapBased());
    EXPECT_EQ(image.GetSize(), CSize(16, 16));
    EXPECT_EQ(image.GetBitmapTransparentColor(), kMagenta);
    ASSERT_NE(pixels, nullptr);
    for (int i = 0; i < 16 * 16; ++i)
        ASSERT_EQ(pixels[i] & 0xFFFFFF, 0xFF00FFu) << i;
    DibSurface surface(16, 16);
    surface.Fill(kBackdrop);
    image.DrawState(surface.Dc(), POINT{0, 0}, CExtCmdIcon::kDrawNormal);
    EXPECT_TRUE(surface.EdgesAlongRow(8).empty());
    EXPECT_EQ(surface.At(8, 8), kBackdrop);
    EXPECT_FALSE(image.MakeSolidImage(kRed, 0, 16));
}

TEST(CmdIconGenerated, CheckMarkAndRadioDotOnTheDefaultBackground)
{
    CExtCmdIcon check;
    ASSERT_TRUE(check.MakeCheckMarkImage(kBlue, CExtCmdIcon::kNoBlendColor, 16, 16));
    EXPECT_EQ(check.GetBitmapTransparentColor(), kMagenta);
    // The mark starts at (16 / 2 - 3, 16 / 2 - 3); its first pixel is two rows below that.
    EXPECT_EQ(BitmapPixel(check.GetBitmap(), 5, 7), kBlue);
    EXPECT_EQ(BitmapPixel(check.GetBitmap(), 0, 0), kMagenta);

    CExtCmdIcon radio;
    ASSERT_TRUE(radio.MakeRadioDotImage(kMagenta, CExtCmdIcon::kNoBlendColor, 16, 16));
    EXPECT_EQ(radio.GetBitmapTransparentColor(), RGB(128, 255, 128));
    EXPECT_EQ(BitmapPixel(radio.GetBitmap(), 7, 7), kMagenta);
}

TEST(CmdIconDraw, KindsNormalDisabledAndMonochrome)
{
    CExtCmdIcon image(MakeBitmap(4, 4, {kRed, kSilver}), kSilver);
    HBRUSH brush = ::CreateSolidBrush(kBlue);
    DibSurface surface(4, 4);

    surface.Fill(kBackdrop);
    ASSERT_TRUE(image.DrawState(surface.Dc(), POINT{0, 0}, CExtCmdIcon::kDrawNormal));
    EXPECT_EQ(surface.At(0, 0), kRed);
    EXPECT_EQ(surface.At(1, 0), kBackdrop);

    surface.Fill(kBackdrop);
    ASSERT_TRUE(image.DrawState(surface.Dc(), POINT{0, 0}, CExtCmdIcon::kDrawMonochrome, brush));
    EXPECT_EQ(surface.At(0, 0), kBlue);
    EXPECT_EQ(surface.At(1, 0), kBackdrop);

    surface.Fill(kBackdrop);
    ASSERT_TRUE(image.DrawState(surface.Dc(), POINT{0, 0}, CExtCmdIcon::kDrawDisabled));
    EXPECT_NE(surface.At(0, 0), kRed);
    ::DeleteObject(brush);

    CExtCmdIcon empty;
    EXPECT_FALSE(empty.DrawState(surface.Dc(), POINT{0, 0}, CExtCmdIcon::kDrawNormal));
}

} // namespace
