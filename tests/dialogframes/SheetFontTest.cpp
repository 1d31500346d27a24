// The property-sheet font: which dialog and page templates take it, and reading it from the
// common controls.
#include "framework/dialogs/SheetFont.h"

#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include <gtest/gtest.h>

#include "tests/support/DialogTemplateBuilder.h"

namespace {

const char kSheetFace[] = "Tahoma";
const WORD kSheetSize = 8;

struct FontCase
{
    const wchar_t* face; // null: no font
    WORD size;
    const char* expectedFace; // null: still no font
    WORD expectedSize;
};

CDialogTemplate Build(const FontCase& c)
{
    TemplateBuilder builder(true, c.face, c.size);
    builder.Control(1, L"x");
    CDialogTemplate dialogTemplate;
    dialogTemplate.Load(builder.Bytes().data(), static_cast<DWORD>(builder.Bytes().size()));
    return dialogTemplate;
}

void ExpectFont(const CDialogTemplate& dialogTemplate, const FontCase& c)
{
    CString face;
    WORD size = 0;
    ASSERT_EQ(c.expectedFace != nullptr, dialogTemplate.GetFont(face, size));
    if (c.expectedFace) {
        EXPECT_STREQ(c.expectedFace, face.GetString());
        EXPECT_EQ(c.expectedSize, size);
    }
}

TEST(SheetFontTest, DialogsTakeItOnlyForAGenericFaceAtItsSize)
{
    const FontCase cases[] = {
        {L"MS Shell Dlg", 8, kSheetFace, 8},  {L"MS Sans Serif", 8, kSheetFace, 8},
        {L"MS Shell Dlg", 9, "MS Shell Dlg", 9}, {L"Arial", 8, "Arial", 8},
        {L"Helv", 8, "Helv", 8},              {nullptr, 0, nullptr, 0},
    };
    for (const FontCase& c : cases) {
        CDialogTemplate dialogTemplate = Build(c);
        AdjustDialogTemplateFontTo(dialogTemplate, kSheetFace, kSheetSize);
        ExpectFont(dialogTemplate, c);
    }
}

TEST(SheetFontTest, PagesTakeItWheneverTheirFontDiffers)
{
    const FontCase cases[] = {
        {L"MS Shell Dlg", 9, kSheetFace, 8}, {L"Tahoma", 9, kSheetFace, 8},
        {L"Arial", 8, kSheetFace, 8},        {nullptr, 0, kSheetFace, 8},
        {L"Tahoma", 8, kSheetFace, 8},
    };
    for (const FontCase& c : cases) {
        CDialogTemplate page = Build(c);
        const bool same = c.face && std::wcscmp(c.face, L"Tahoma") == 0 && c.size == kSheetSize;
        EXPECT_EQ(!same, ChangePageTemplateFontTo(page, kSheetFace, kSheetSize));
        ExpectFont(page, c);
    }
}

TEST(SheetFontTest, ReadFromTheCommonControlsOnce)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&controls));
    CString face;
    WORD size = 0;
    ASSERT_TRUE(GetPropSheetFont(face, size, false));
    EXPECT_FALSE(face.IsEmpty());
    EXPECT_GT(size, 0);
    CString wizardFace;
    WORD wizardSize = 0;
    ASSERT_TRUE(GetPropSheetFont(wizardFace, wizardSize, true));
    EXPECT_EQ(face, wizardFace);
    EXPECT_EQ(size, wizardSize);

    // A page in the generic face at the sheet's size ends in the sheet font, whatever it is.
    TemplateBuilder builder(false, L"MS Shell Dlg", size);
    CDialogTemplate dialogTemplate;
    ASSERT_TRUE(dialogTemplate.Load(builder.Bytes().data(),
                                    static_cast<DWORD>(builder.Bytes().size())));
    AdjustDialogTemplateFont(dialogTemplate);
    CString adjusted;
    WORD adjustedSize = 0;
    ASSERT_TRUE(dialogTemplate.GetFont(adjusted, adjustedSize));
    EXPECT_EQ(face, adjusted);
    EXPECT_EQ(size, adjustedSize);
}

} // namespace
