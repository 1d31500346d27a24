#include "framework/dialogs/SheetFont.h"

#include "framework/commands/ResourceManager.h"

namespace {

// The common controls' own property-sheet and wizard templates.
const WORD kPropertySheetTemplate = 1006;
const WORD kWizardTemplate = 1020;

struct SheetFontCache
{
    CString face;
    WORD size = 0; // 0: not read yet
    bool readable = false;
};

SheetFontCache& Cache()
{
    static SheetFontCache cache;
    return cache;
}

void ReadSheetFont(SheetFontCache& cache, bool wizard)
{
    // Only a library the process already uses is asked; loading it here would be a side effect.
    const HMODULE commonControls = ::GetModuleHandleA("COMCTL32.DLL");
    CExtResourceBuffer buffer;
    CDialogTemplate sheetTemplate;
    if (!commonControls ||
        !buffer.FindAndLoad(commonControls, RT_DIALOG,
                            MAKEINTRESOURCEA(wizard ? kWizardTemplate : kPropertySheetTemplate),
                            CExtResourceManager::kDefaultLanguage) ||
        !sheetTemplate.Load(buffer.GetData(), buffer.GetSize()))
        return;
    WORD size = 0;
    if (sheetTemplate.GetFont(cache.face, size) && size != 0 && size != 0xFFFF) {
        cache.size = size;
        cache.readable = true;
    }
}

bool FontDiffers(const CDialogTemplate& dialogTemplate, const CString& face, WORD size,
                 CString& ownFace, WORD& ownSize)
{
    return !dialogTemplate.GetFont(ownFace, ownSize) || ownFace != face || ownSize != size;
}

} // namespace

bool GetPropSheetFont(CString& face, WORD& pointSize, bool wizard)
{
    SheetFontCache& cache = Cache();
    if (!cache.readable)
        ReadSheetFont(cache, wizard);
    if (!cache.readable)
        return false;
    face = cache.face;
    pointSize = cache.size;
    return true;
}

void AdjustDialogTemplateFontTo(CDialogTemplate& dialogTemplate, const CString& sheetFace,
                                WORD sheetSize)
{
    CString face;
    WORD size = 0;
    if (FontDiffers(dialogTemplate, sheetFace, sheetSize, face, size) && size == sheetSize &&
        (face == "MS Sans Serif" || face == "MS Shell Dlg"))
        dialogTemplate.SetFont(sheetFace, sheetSize);
}

void AdjustDialogTemplateFont(CDialogTemplate& dialogTemplate)
{
    CString sheetFace;
    WORD sheetSize = 0;
    if (GetPropSheetFont(sheetFace, sheetSize, false))
        AdjustDialogTemplateFontTo(dialogTemplate, sheetFace, sheetSize);
}

bool ChangePageTemplateFontTo(CDialogTemplate& pageTemplate, const CString& sheetFace,
                              WORD sheetSize)
{
    CString face;
    WORD size = 0;
    return FontDiffers(pageTemplate, sheetFace, sheetSize, face, size) &&
           pageTemplate.SetFont(sheetFace, sheetSize);
}

bool ChangePageTemplateFont(CDialogTemplate& pageTemplate, bool wizard)
{
    CString sheetFace;
    WORD sheetSize = 0;
    return GetPropSheetFont(sheetFace, sheetSize, wizard) &&
           ChangePageTemplateFontTo(pageTemplate, sheetFace, sheetSize);
}
