// Dialogs whose templates and initial strings come through the resource manager.
#include "framework/dialogs/ResDlg.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/dialogs/SheetFont.h"
#include "tests/dialogframes/DialogFramesTestResource.h"
#include "tests/dialogframes/DialogFramesTestSupport.h"

namespace {

std::vector<std::string> ListStrings(HWND list)
{
    return ControlStrings(list, LB_GETCOUNT, LB_GETTEXT);
}

// Notes what the list holds when its own initialisation runs; a modal one cancels itself.
class CTestPane : public CExtResDlg
{
public:
    using CExtResDlg::CExtResDlg;
    std::vector<std::string> m_stringsAtInit;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CExtResDlg::OnInitDialog();
        m_stringsAtInit = ListStrings(::GetDlgItem(m_hWnd, IDC_TEST_LIST));
        if (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_POPUP)
            PostMessage(WM_COMMAND, IDCANCEL);
        return result;
    }
};

using ResDlgTest = PopupHostTest;

TEST_F(ResDlgTest, APaneHasItsInitialStringsOnceBeforeItsOwnInitialisation)
{
    CTestPane pane;
    ASSERT_TRUE(pane.Create(IDD_TEST_PANE, CWnd::FromHandle(m_host)));
    const std::vector<std::string> expected{"one", "\x83\x5C\x95\x5C"};
    EXPECT_EQ(expected, pane.m_stringsAtInit);
    EXPECT_EQ(expected, ListStrings(::GetDlgItem(pane.m_hWnd, IDC_TEST_LIST)));
    EXPECT_EQ(m_host, ::GetParent(pane.m_hWnd));
}

TEST_F(ResDlgTest, AMissingTemplateFailsToCreate)
{
    CTestPane pane;
    EXPECT_FALSE(pane.Create(999, CWnd::FromHandle(m_host)));
    EXPECT_EQ(nullptr, pane.m_hWnd);
    CTestPane modal(999, CWnd::FromHandle(m_host));
    EXPECT_EQ(-1, modal.DoModal());
}

TEST_F(ResDlgTest, ModalRunLeavesADisabledOwnerDisabled)
{
    for (bool ownerEnabled : {true, false}) {
        ::EnableWindow(m_host, ownerEnabled);
        CTestPane dialog(IDD_GENERIC_FONT, CWnd::FromHandle(m_host));
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(ownerEnabled, ::IsWindowEnabled(m_host) != FALSE);
    }
}

TEST_F(ResDlgTest, AGenericFontBecomesTheSystemOrSheetFont)
{
    CTestPane dialog;
    ASSERT_TRUE(dialog.Create(IDD_GENERIC_FONT, CWnd::FromHandle(m_host)));
    LOGFONTA used = {};
    ASSERT_TRUE(::GetObjectA(reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT)),
                             sizeof(used), &used));
    CString expected = "MS Sans Serif";
    CString sheetFace;
    WORD sheetSize = 0;
    if (::GetSystemMetrics(SM_DBCSENABLED)) {
        LOGFONTA system = {};
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(system), &system);
        expected = system.lfFaceName;
    } else if (GetPropSheetFont(sheetFace, sheetSize, false) && sheetSize == 8) {
        expected = sheetFace;
    }
    EXPECT_STREQ(expected.GetString(), used.lfFaceName);
}

} // namespace
