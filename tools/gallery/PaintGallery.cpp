// Paints what each theme is made of into one PNG per theme, so that a person can look at the
// themes: the system entries and framework colours as labelled swatches, every pixel glyph
// (enlarged) in the theme's text and shadow colours, and the gradients (a plain horizontal and
// vertical one, and the Office-style band).
//   paint_gallery.exe FOLDER   (writes FOLDER\paint-theme-<id>.png and the sheets of the
//   painters, such as FOLDER\paint-buttons-<id>.png)
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/paint/PaintManagerHolder.h"
#include "tools/gallery/GalleryCanvas.h"
#include "tools/gallery/PaintBarsGallery.h"
#include "tools/gallery/PaintButtonsGallery.h"
#include "tools/gallery/PaintFramesGallery.h"
#include "tools/gallery/PaintMenusGallery.h"

namespace {

const int kWidth = 980, kHeight = 900;

// A swatch per colour number, with its number and value below it.
int Swatches(CDC& dc, CExtPaintManager& manager, int top, int first, int last, const char* title)
{
    Text(dc, 10, top, title, manager.ColorAt(1010));
    top += 18;
    const int perRow = 12, cell = 80;
    for (int n = first; n <= last; ++n) {
        const int i = n - first;
        const int x = 10 + (i % perRow) * cell, y = top + (i / perRow) * 44;
        const COLORREF color = manager.ColorAt(n);
        dc.FillSolidRect(x, y, cell - 6, 22, color);
        dc.Draw3dRect(x, y, cell - 6, 22, manager.ColorAt(16), manager.ColorAt(16));
        char label[32];
        std::snprintf(label, sizeof label, "%d %02X%02X%02X", n, GetRValue(color), GetGValue(color),
                      GetBValue(color));
        Text(dc, x, y + 23, label, manager.ColorAt(1010));
    }
    return top + ((last - first) / perRow + 1) * 44 + 6;
}

void Glyphs(CDC& dc, CExtPaintManager& manager, int top)
{
    Text(dc, 10, top, "pixel glyphs (x2)", manager.ColorAt(1010));
    top += 18;
    const COLORREF colors[4] = {0, manager.ColorAt(18), manager.ColorAt(16), manager.ColorAt(20)};
    for (int kind = 0; kind < CExtPaintManager::kGlyphKindCount; ++kind) {
        const CExtPaintManager::PixelGlyph_t& glyph = *CExtPaintManager::GlyphTable[kind];
        const int x = 10 + (kind % 16) * 60, y = top + (kind / 16) * 40;
        // Drawn small on a scratch surface first, then doubled onto the sheet.
        Canvas scratch(16, 16);
        scratch.Dc().FillSolidRect(0, 0, 16, 16, manager.ColorAt(1000));
        manager.DrawGlyphCentered(scratch.Dc(), RECT{0, 0, 16, 16}, glyph, colors);
        dc.FillSolidRect(x, y, 36, 36, manager.ColorAt(1000));
        ::StretchBlt(dc, x + 2, y + 2, 32, 32, scratch.Dc(), 0, 0, 16, 16, SRCCOPY);
    }
}

void Gradients(CDC& dc, CExtPaintManager& manager, int top)
{
    Text(dc, 10, top, "gradients: 3001 -> 3000, 1000 -> 2003 vertical, band", manager.ColorAt(1010));
    top += 18;
    CExtPaintManager::PaintGradientRect(dc, RECT{10, top, 470, top + 40}, manager.ColorAt(3001),
                                        manager.ColorAt(3000), false, 64);
    CExtPaintManager::PaintGradientRect(dc, RECT{480, top, 540, top + 120}, manager.ColorAt(1000),
                                        manager.ColorAt(2003), true, 64);
    if (manager.GetThemeId() >= kThemeOffice2003)
        static_cast<CExtPaintManagerOffice2003&>(manager).DrawGradientBand(
            dc, RECT{10, top + 50, 470, top + 90}, nullptr, 0);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    CRuntimeClass* const themes[] = {
        RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
        RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)};
    int failures = 0;
    for (CRuntimeClass* theme : themes) {
        g_PaintManager.SetCurrentPaintManagerFromClass(theme);
        CExtPaintManager& manager = *g_PaintManager.GetHeldObject();
        Canvas canvas(kWidth, kHeight);
        CDC& dc = canvas.Dc();
        dc.FillSolidRect(0, 0, kWidth, kHeight, manager.ColorAt(1000));
        HGDIOBJ oldFont = dc.SelectObject(&manager.Font(CExtPaintManager::kFontNormal));
        Text(dc, 10, 6, std::string("theme ") + theme->m_lpszClassName, manager.ColorAt(1010));
        int top = Swatches(dc, manager, 28, 0, 30, "system colours 0-30");
        top = Swatches(dc, manager, top, 1000, 1011, "framework colours 1000-1011");
        top = Swatches(dc, manager, top, 2000, 2010, "2000-2010");
        top = Swatches(dc, manager, top, 3000, 3024, "3000-3024");
        Glyphs(dc, manager, top);
        Gradients(dc, manager, top + 150);
        dc.SelectObject(oldFont);
        const std::string path =
            folder + "\\paint-theme-" + std::to_string(manager.GetThemeId()) + ".png";
        if (!SavePixelsAsPng(canvas.Pixels(), path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
        failures += PaintButtonsSheet(manager, folder) ? 0 : 1;
        failures += PaintFramesSheet(manager, folder) ? 0 : 1;
        failures += PaintBarsSheet(manager, folder) ? 0 : 1;
        failures += PaintMenusSheet(manager, folder) ? 0 : 1;
    }
    return failures ? 1 : 0;
}
