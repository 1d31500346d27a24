// The managers' common object: the halftone palette, the colour and brush lookups, the fonts,
// the helper brushes and the rebuild after system changes.
#include "framework/paint/PaintManager.h"

#include <cstring>

#include "framework/paint/ColorMath.h"
#include "framework/paint/PaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManager, CObject)

namespace {

constexpr int kSystemColors = CExtColorTable::kSystemColorCount;

// 252 entries: red takes 7 steps, green and blue 6 each, red outermost.
void CreateHalftonePalette(CPalette& palette)
{
    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[251];
    } block = {};
    block.header.palVersion = 0x300;
    block.header.palNumEntries = 252;
    PALETTEENTRY* entry = block.header.palPalEntry;
    for (int r = 0; r <= 1530; r += 255) {
        for (int g = 0; g <= 1275; g += 255) {
            for (int b = 0; b <= 1275; b += 255) {
                *entry++ = {static_cast<BYTE>(r / 6), static_cast<BYTE>(g / 5),
                            static_cast<BYTE>(b / 5), 0};
            }
        }
    }
    palette.CreatePalette(&block.header);
}

int CALLBACK CompareWithTahoma(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM)
{
    return std::strcmp(font->lfFaceName, "Tahoma");
}

void Rebuild(CFont& font, const LOGFONTA& description)
{
    font.DeleteObject();
    font.CreateFontIndirect(&description);
}

// The menu font of the system, with Tahoma where the system has it; the stock GUI font (or
// the system font) when that fails.
// The character set of the ANSI code page. Asked without a DC, GetTextCharset answers
// DEFAULT_CHARSET, with which Tahoma is realised in its Western set and Shift_JIS texts come out
// as Western letters; with the code page's own set the font mapper links a face that has them.
BYTE AnsiCodePageCharset()
{
    CHARSETINFO info = {};
    const auto codePage = static_cast<UINT_PTR>(::GetACP());
    if (::TranslateCharsetInfo(reinterpret_cast<DWORD*>(codePage), &info, TCI_SRCCODEPAGE))
        return static_cast<BYTE>(info.ciCharset);
    return static_cast<BYTE>(::GetTextCharset(nullptr));
}

LOGFONTA BaseFontDescription(bool preferTahoma)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = 340;
    LOGFONTA font = {};
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        font = metrics.lfMenuFont;
        font.lfCharSet = AnsiCodePageCharset();
        if (preferTahoma && ::EnumFontFamiliesA(nullptr, nullptr, CompareWithTahoma, 0) == 0)
            std::strcpy(font.lfFaceName, "Tahoma");
        HFONT probe = ::CreateFontIndirectA(&font);
        if (probe) {
            ::DeleteObject(probe);
            return font;
        }
    }
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!stock)
        stock = ::GetStockObject(SYSTEM_FONT);
    ::GetObjectA(stock, sizeof font, &font);
    return font;
}

} // namespace

CExtPaintManager::CExtPaintManager()
{
    CreateHalftonePalette(m_halftonePalette);
    if (g_PaintManager.OsFacts2() & CExtPaintManagerHolder::kNT5OrLater)
        m_flags |= 1;
}

CExtPaintManager::~CExtPaintManager()
{
    m_colors.RemoveAll();
    m_brushes.RemoveAll();
    ReleasePaintCache(nullptr, 0);
}

void CExtPaintManager::ReleasePaintCache(CObject*, LPARAM)
{
    for (CachedDc& cached : m_cachedDcs) {
        if (!cached.dc.GetSafeHdc())
            continue;
        cached.dc.SelectObject(cached.oldBitmap);
        cached.oldBitmap = nullptr;
        cached.dc.DeleteDC();
    }
}

HBRUSH CExtPaintManager::BrushAt(int index) const
{
    // The platform leaves some system entries without a brush: those answer the face brush too.
    if (index >= 0 && index < m_brushes.GetSize() && m_brushes[index])
        return m_brushes[index];
    return m_brushes.GetSize() > CExtColorTable::kFaceIndex ? m_brushes[CExtColorTable::kFaceIndex]
                                                             : ::GetSysColorBrush(COLOR_BTNFACE);
}

COLORREF CExtPaintManager::ColorAt(int number) const
{
    return m_colors.ColorAt(number);
}

void CExtPaintManager::InitColorTable()
{
    BuildClassicColors(m_colors);
}

ColorTableInputs CExtPaintManager::MakeColorInputs() const
{
    static COLORREF system[kSystemColors];
    for (int i = 0; i < kSystemColors; ++i)
        system[i] = g_PaintManager.SystemColor(i);
    ColorTableInputs inputs;
    inputs.system = system;
    inputs.bitsPerPixel = GetScreenBitsPerPixel();
    inputs.themeId = GetThemeId();
    inputs.facts = g_PaintManager.VisualStyle();
    return inputs;
}

void CExtPaintManager::InitHelperBrushes()
{
    using namespace paint_color;
    for (CBrush& brush : m_helperBrushes)
        brush.DeleteObject();
    const COLORREF c15 = ColorAt(15), c16 = ColorAt(16), c20 = ColorAt(20), c21 = ColorAt(21);
    const COLORREF face = g_PaintManager.SystemColor(COLOR_BTNFACE);
    const COLORREF hilight = g_PaintManager.SystemColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = g_PaintManager.SystemColor(COLOR_BTNSHADOW);
    const COLORREF dark = g_PaintManager.SystemColor(COLOR_3DDKSHADOW);
    if (GetScreenBitsPerPixel() > 8) {
        const COLORREF mixtures[kHelperBrushCount] = {
            MixHalf(c15, c20),       MixHalf(face, hilight),     MixHalf(c16, c15),
            MixHalf(shadow, face),   MixFifths(c15, c20, 3),     MixFifths(face, hilight, 3),
            MixFifths(c16, c15, 2),  MixFifths(shadow, face, 2), MixFifths(c15, c20, 4),
            MixFifths(face, hilight, 4), MixFifths(c16, c15, 1), MixFifths(shadow, face, 1)};
        for (int i = 0; i < kHelperBrushCount; ++i)
            m_helperBrushes[i].CreateSolidBrush(mixtures[i]);
        return;
    }
    struct Pattern
    {
        COLORREF a, b;
        int gap;
        COLORREF gapColor;
    };
    const Pattern patterns[kHelperBrushCount] = {
        {c15, c20, 0, c15},         {face, hilight, 0, face},   {c16, c15, 0, c16},
        {shadow, face, 0, shadow},  {c15, c20, 1, c20},         {face, hilight, 1, hilight},
        {c16, c15, 1, c16},         {shadow, face, 1, shadow},  {c15, c20, 2, c20},
        {face, hilight, 2, hilight}, {c21, c16, 0, c21},        {dark, shadow, 0, dark}};
    for (int i = 0; i < kHelperBrushCount; ++i) {
        const Pattern& p = patterns[i];
        CBitmap bitmap;
        bitmap.Attach(CreatePatternBitmap(p.a, p.b, 1, 1, p.gap, p.gap, p.gapColor));
        m_helperBrushes[i].CreatePatternBrush(&bitmap);
    }
}

void CExtPaintManager::LoadFontsAndSystemColors()
{
    g_PaintManager.BindVisualStyle();

    const LOGFONTA normal = BaseFontDescription(m_flags & 1);
    LOGFONTA bold = normal;
    bold.lfWeight = 900;
    LOGFONTA marlett = normal;
    marlett.lfCharSet = SYMBOL_CHARSET;
    marlett.lfWeight = 0;
    marlett.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    std::strcpy(marlett.lfFaceName, "Marlett");

    const bool arialTurns = g_PaintManager.OsFacts1() &
                            (CExtPaintManagerHolder::kWin9x | CExtPaintManagerHolder::kWinNT4);
    LOGFONTA descriptions[6] = {normal, normal, normal, bold, bold, bold};
    for (int i = 0; i < 6; ++i) {
        if (i % 3 == 0)
            continue;
        descriptions[i].lfEscapement = i % 3 == 1 ? 2700 : 900;
        if (arialTurns)
            std::strcpy(descriptions[i].lfFaceName, "Arial");
    }
    for (int i = 0; i < 6; ++i) {
        Rebuild(m_fonts[i], descriptions[i]);
        LOGFONTA capped = descriptions[i];
        if (capped.lfHeight < -11)
            capped.lfHeight = -11;
        Rebuild(m_fonts[kFontCapped + i], capped);
    }
    Rebuild(m_fonts[kFontMarlett], marlett);

    COLORREF system[kSystemColors];
    for (int i = 0; i < kSystemColors; ++i)
        system[i] = g_PaintManager.SystemColor(i);
    m_colors.LoadSystemColors(system);
    m_brushes.SetSize(kSystemColors);
    for (int i = 0; i < kSystemColors; ++i)
        m_brushes.SetAt(i, ::GetSysColorBrush(i));
}

CSize CExtPaintManager::GetTextHeights(const CFont& font) const
{
    HWND desktop = ::GetDesktopWindow();
    HDC dc = ::GetWindowDC(desktop);
    TEXTMETRICA metrics = {};
    HGDIOBJ old = ::SelectObject(dc, font.GetSafeHandle());
    ::GetTextMetricsA(dc, &metrics);
    const int chosen = metrics.tmHeight + 2;
    ::SelectObject(dc, m_fonts[kFontNormal].GetSafeHandle());
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(desktop, dc);
    return CSize(chosen, metrics.tmHeight + 2);
}

int CExtPaintManager::GetTextHeight(bool) const
{
    return GetTextHeights(m_fonts[kFontNormal]).cx;
}

void CExtPaintManager::RebuildAll()
{
    ReleasePaintCache(nullptr, 0);
    LoadFontsAndSystemColors();
    InitColorTable();
    InitHelperBrushes();
}

void CExtPaintManager::HandleSysColorChange()
{
    RebuildAll();
}

void CExtPaintManager::HandleSettingChange(UINT, LPCTSTR)
{
    RebuildAll();
}

void CExtPaintManager::HandleDisplayChange(UINT, int, int)
{
    RebuildAll();
}

void CExtPaintManager::HandleThemeChange(WPARAM, LPARAM)
{
    RebuildAll();
}

CSize CExtPaintManager::GetToolBarButtonShift(bool) const
{
    return CSize(0, 0);
}

COLORREF CExtPaintManager::InvertColor(COLORREF color)
{
    return paint_color::InvertColor(color);
}

void CExtPaintManager::RgbToHls(COLORREF color, double& hue, double& saturation, double& lightness)
{
    paint_color::RgbToHls(color, hue, saturation, lightness);
}

COLORREF CExtPaintManager::HlsToRgb(double hue, double lightness, double saturation)
{
    return paint_color::HlsToRgb(hue, lightness, saturation);
}

COLORREF CExtPaintManager::HlsDegreesToRgb(double hue, double lightness, double saturation)
{
    return paint_color::HlsDegreesToRgb(hue, lightness, saturation);
}

COLORREF CExtPaintManager::HlsAdjustColor(COLORREF color, double hueFactor,
                                          double lightnessFactor, double saturationFactor)
{
    return paint_color::HlsAdjustColor(color, hueFactor, lightnessFactor, saturationFactor);
}

int CExtPaintManager::GetScreenBitsPerPixel()
{
    return g_PaintManager.ScreenBitsPerPixel();
}
