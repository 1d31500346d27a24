// Dialog templates in both forms: their size, their font read and replaced, and templates that
// run past their end.
#include "platform/DialogTemplate.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/WinApp.h"
#include "tests/platform/PlatformTestResource.h"
#include "tests/support/DialogTemplateBuilder.h"

namespace {

INT_PTR CALLBACK IgnoringDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The window texts of the controls of a hidden dialog made from the template.
std::vector<std::string> ControlTexts(const CDialogTemplate& dialogTemplate)
{
    std::vector<std::string> texts;
    const HWND dialog = ::CreateDialogIndirectParamA(
        AfxGetInstanceHandle(), dialogTemplate.GetTemplate(), nullptr, &IgnoringDialogProc, 0);
    if (!dialog)
        return texts;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        char text[64] = {};
        ::GetWindowTextA(child, text, sizeof(text));
        texts.push_back(text);
    }
    ::DestroyWindow(dialog);
    return texts;
}

struct FontCase
{
    bool extended;
    const wchar_t* face; // null: the template has no font
    const char* newFace;
};

class DialogTemplateFontTest : public ::testing::TestWithParam<FontCase>
{
};

TEST_P(DialogTemplateFontTest, NewFontKeepsTheControlsIntact)
{
    const FontCase& c = GetParam();
    // Odd text lengths move the controls off their boundaries if the font block's new length
    // is not padded.
    TemplateBuilder builder(c.extended, c.face, 8);
    builder.Control(11, L"abc").Control(12, L"de").Control(13, L"");
    CDialogTemplate dialogTemplate;
    ASSERT_TRUE(dialogTemplate.Load(builder.Bytes().data(),
                                    static_cast<DWORD>(builder.Bytes().size())));
    EXPECT_EQ(c.extended, dialogTemplate.IsExtended());
    const std::vector<std::string> before = ControlTexts(dialogTemplate);
    ASSERT_EQ((std::vector<std::string>{"abc", "de", ""}), before);

    ASSERT_TRUE(dialogTemplate.SetFont(c.newFace, 11));
    CString face;
    WORD points = 0;
    ASSERT_TRUE(dialogTemplate.GetFont(face, points));
    EXPECT_STREQ(c.newFace, face.GetString());
    EXPECT_EQ(11, points);
    EXPECT_EQ(before, ControlTexts(dialogTemplate));
    EXPECT_EQ(dialogTemplate.GetSize(), CDialogTemplate::MeasureTemplate(
                                            dialogTemplate.GetTemplate(), dialogTemplate.GetSize()));
    if (c.extended && c.face) {
        // The weight, italic flag and character set stay after the size.
        const BYTE* bytes = reinterpret_cast<const BYTE*>(dialogTemplate.GetTemplate());
        const DWORD fontOffset = 26 + 2 + 2 + 4;
        EXPECT_EQ(FW_BOLD, bytes[fontOffset + 2] | bytes[fontOffset + 3] << 8);
        EXPECT_EQ(1, bytes[fontOffset + 4]);
        EXPECT_EQ(SHIFTJIS_CHARSET, bytes[fontOffset + 5]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DialogTemplateFontTest,
    ::testing::Values(FontCase{false, L"MS Shell Dlg", "Tahoma"},
                      FontCase{true, L"MS Shell Dlg", "Tahoma"},
                      FontCase{false, nullptr, "MS Shell Dlg"},
                      FontCase{true, nullptr, "MS Shell Dlg"},
                      FontCase{false, L"A much longer face name", "X"},
                      FontCase{true, L"X", "A much longer face name"}));

TEST(DialogTemplateTest, ReadsTheFontOfACompiledTemplate)
{
    const HINSTANCE instance = AfxGetInstanceHandle();
    const HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(IDD_TEST_DIALOG), RT_DIALOG);
    ASSERT_NE(nullptr, resource);
    const void* bytes = ::LockResource(::LoadResource(instance, resource));
    CDialogTemplate dialogTemplate;
    ASSERT_TRUE(dialogTemplate.Load(bytes, ::SizeofResource(instance, resource)));
    EXPECT_TRUE(dialogTemplate.IsExtended());
    CString face;
    WORD points = 0;
    ASSERT_TRUE(dialogTemplate.GetFont(face, points));
    EXPECT_STREQ("MS Shell Dlg", face.GetString());
    EXPECT_EQ(9, points);
    EXPECT_TRUE(CDialogTemplate::IsGenericDialogFace(face));

    const std::vector<std::string> before = ControlTexts(dialogTemplate);
    ASSERT_EQ(3u, before.size());
    ASSERT_TRUE(dialogTemplate.SetFont("A longer face", 8));
    EXPECT_EQ(before, ControlTexts(dialogTemplate));
}

TEST(DialogTemplateTest, TemplatesRunningPastTheirSizeAreRefused)
{
    for (bool extended : {false, true}) {
        TemplateBuilder builder(extended, L"MS Shell Dlg", 8);
        builder.Control(11, L"abc", 6).Control(12, L"de");
        const std::vector<BYTE>& bytes = builder.Bytes();
        const DWORD whole = static_cast<DWORD>(bytes.size());
        EXPECT_EQ(whole, CDialogTemplate::MeasureTemplate(bytes.data(), whole));
        // Every shorter size cuts into a field, a string or the creation data.
        for (DWORD size = 0; size < whole; ++size) {
            CDialogTemplate dialogTemplate;
            EXPECT_FALSE(dialogTemplate.Load(bytes.data(), size)) << extended << " " << size;
            EXPECT_TRUE(dialogTemplate.IsEmpty());
            EXPECT_FALSE(dialogTemplate.SetFont("Tahoma", 8));
        }
    }
}

TEST(DialogTemplateTest, GenericFacesAreExactNames)
{
    for (const char* face : {"MS Shell Dlg", "MS Sans Serif", "Helv"})
        EXPECT_TRUE(CDialogTemplate::IsGenericDialogFace(face)) << face;
    for (const char* face : {"Tahoma", "MS Shell Dlg 2", "ms shell dlg", ""})
        EXPECT_FALSE(CDialogTemplate::IsGenericDialogFace(face)) << face;
}

TEST(DialogTemplateTest, SystemFontAtTheDefaultSize)
{
    TemplateBuilder builder(false, L"MS Sans Serif", 8);
    CDialogTemplate dialogTemplate;
    ASSERT_TRUE(dialogTemplate.Load(builder.Bytes().data(),
                                    static_cast<DWORD>(builder.Bytes().size())));
    ASSERT_TRUE(dialogTemplate.SetSystemFont());
    LOGFONTA expected = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(expected), &expected);
    CString face;
    WORD points = 0;
    ASSERT_TRUE(dialogTemplate.GetFont(face, points));
    EXPECT_STREQ(expected.lfFaceName, face.GetString());
    EXPECT_GT(points, 0);
    const HGLOBAL copy = dialogTemplate.CopyToGlobal();
    ASSERT_NE(nullptr, copy);
    EXPECT_LE(dialogTemplate.GetSize(), ::GlobalSize(copy));
    ::GlobalFree(copy);
}

} // namespace
