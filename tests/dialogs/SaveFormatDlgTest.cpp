// The save-format dialog from the program's own template, answered from inside its modal loop.
#include "dialogs/SaveFormatDlg.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/WinApp.h"
#include "res/resource.h"
#include "tests/support/ModalDialogAnswer.h"

namespace {

std::string Text(HWND window)
{
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(SaveFormatDlgTest, OpensOnCsvWithTheTemplatesTextsAndSize)
{
    CWinApp app;
    std::string caption;
    RECT client = {};
    RECT expected = {0, 0, 139, 63};
    bool csvChecked = false;
    bool textChecked = true;
    std::string csvText;
    std::string textText;
    std::string cancelText;
    LONG textStyle = 0;
    const ModalDialogAnswer answer({IDCANCEL}, [&](HWND dialog) {
        caption = Text(dialog);
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &expected);
        csvChecked = IsDlgButtonChecked(dialog, IDC_SAVE_FORMAT_CSV) == BST_CHECKED;
        textChecked = IsDlgButtonChecked(dialog, IDC_SAVE_FORMAT_TEXT) == BST_CHECKED;
        csvText = Text(GetDlgItem(dialog, IDC_SAVE_FORMAT_CSV));
        textText = Text(GetDlgItem(dialog, IDC_SAVE_FORMAT_TEXT));
        cancelText = Text(GetDlgItem(dialog, IDCANCEL));
        textStyle = GetWindowLongA(GetDlgItem(dialog, IDC_SAVE_FORMAT_TEXT), GWL_STYLE);
    });
    CSaveFormatDlg dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ("保存形式", caption);
    EXPECT_EQ(expected.right, client.right);
    EXPECT_EQ(expected.bottom, client.bottom);
    EXPECT_TRUE(csvChecked);
    EXPECT_FALSE(textChecked);
    EXPECT_EQ("CSV(ﾀﾞｲｼﾞｪｽﾄ)", csvText);
    EXPECT_EQ("ﾃｷｽﾄ", textText);
    EXPECT_EQ("ｷｬﾝｾﾙ", cancelText);
    EXPECT_EQ(BS_AUTORADIOBUTTON, textStyle & BS_TYPEMASK);
}

TEST(SaveFormatDlgTest, TheResultIsTextOnlyWhenOkIsChosenWithTextSelected)
{
    CWinApp app;
    struct Case
    {
        std::vector<int> clicks;
        INT_PTR result;
        int format;
    };
    const Case cases[] = {
        {{IDOK}, IDOK, SAVE_FORMAT_CSV},
        {{IDC_SAVE_FORMAT_TEXT, IDOK}, IDOK, SAVE_FORMAT_TEXT},
        {{IDC_SAVE_FORMAT_TEXT, IDC_SAVE_FORMAT_CSV, IDOK}, IDOK, SAVE_FORMAT_CSV},
        {{IDC_SAVE_FORMAT_TEXT, IDCANCEL}, IDCANCEL, SAVE_FORMAT_CSV},
    };
    for (const Case& c : cases) {
        const ModalDialogAnswer answer(c.clicks);
        CSaveFormatDlg dialog;
        EXPECT_EQ(c.result, dialog.DoModal()) << c.clicks.size();
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ(c.format, dialog.m_saveFormat) << c.clicks.size();
    }
}

} // namespace
