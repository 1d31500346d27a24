// The data-analysis and marker settings dialogs as the user sees them.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "dialogs/DataAnalysisDlg.h"
#include "dialogs/MarkerSettingDlg.h"
#include "res/resource.h"
#include "tests/support/ByteArrays.h"
#include "tests/support/ModalDialogAnswer.h"
#include "tests/support/Screenshot.h"

namespace {

std::string ItemText(HWND dialog, int id)
{
    char text[2048] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

TEST(HexDialogsTest, DataAnalysisShowsTheBytesAtTheCaret)
{
    CDataAnalysisDlg dialog;
    dialog.m_caretPosition = 1;
    dialog.m_data = ToArray({0xFF, 1, 2, 3, 4, 5, 6, 7, 8});
    std::string shown;
    ModalDialogAnswer answer({IDOK}, [&](HWND window) {
        shown = ItemText(window, IDC_DATA_ANALYSIS_TEXT);
        EXPECT_TRUE(SaveWindowScreenshot(window, ScreenshotBesideTest("data-analysis.png")));
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_NE(std::string::npos, shown.find("L:short             :513\r\n"));
    EXPECT_NE(std::string::npos, shown.find("B:long              :16909060\r\n"));
}

TEST(HexDialogsTest, MarkerSettingsGiveTheCommentOnOkOnly)
{
    CMarkerSettingDlg dialog;
    dialog.m_textColor = 0x0000FF;
    dialog.m_backColor = 0xCCCCEE;
    {
        ModalDialogAnswer answer({IDOK}, [&](HWND window) {
            EXPECT_EQ("Please Input Comment", ItemText(window, IDC_MARKER_COMMENT));
            ::SetDlgItemTextA(window, IDC_MARKER_COMMENT, "length field");
            EXPECT_TRUE(SaveWindowScreenshot(window, ScreenshotBesideTest("marker-setting.png")));
        });
        EXPECT_EQ(IDOK, dialog.DoModal());
    }
    EXPECT_STREQ("length field", dialog.m_comment);
    EXPECT_EQ(0xCCCCEEu, dialog.m_backColor);
    {
        ModalDialogAnswer answer({IDCANCEL}, [&](HWND window) {
            ::SetDlgItemTextA(window, IDC_MARKER_COMMENT, "dropped");
        });
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
    }
    EXPECT_STREQ("length field", dialog.m_comment);
}

}  // namespace
