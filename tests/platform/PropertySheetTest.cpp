// Property sheets around page objects: pages created by the sheet belong to their objects, the
// active page follows the tabs, and indexes outside the sheet find nothing.
#include "platform/PropertySheet.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/platform/PlatformTestResource.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

// Counts its initialisations and remembers the window it had then.
class CTestPage : public CPropertyPage
{
public:
    CTestPage()
        : CPropertyPage(IDD_TEST_PAGE)
    { }

    int m_initCount = 0;
    bool m_adoptedAtInit = false;

protected:
    BOOL OnInitDialog() override
    {
        ++m_initCount;
        m_adoptedAtInit = CWnd::FromHandlePermanent(m_hWnd) == this &&
                          ::GetDlgItem(m_hWnd, IDC_TEST_EDIT) != nullptr;
        return CPropertyPage::OnInitDialog();
    }
};

class PropertySheetTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateTopLevel(m_host)); }

    CWnd m_host;
    // Declared before the sheet, so that the sheet and its page windows go first.
    CTestPage m_first;
    CTestPage m_second;
};

TEST_F(PropertySheetTest, PagesAreCreatedIntoTheirObjectsAsTheyAreShown)
{
    CPropertySheet sheet("sheet");
    sheet.AddPage(&m_first);
    sheet.AddPage(&m_second);
    ASSERT_TRUE(sheet.Create(&m_host));
    EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(sheet.m_hWnd));
    EXPECT_EQ(1, m_first.m_initCount);
    EXPECT_TRUE(m_first.m_adoptedAtInit);
    EXPECT_EQ(sheet.m_hWnd, ::GetParent(m_first.m_hWnd));
    EXPECT_EQ(0, m_second.m_initCount);
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_EQ(&m_first, sheet.GetActivePage());
    ASSERT_NE(nullptr, sheet.GetTabControl());

    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(1, m_second.m_initCount);
    EXPECT_TRUE(m_second.m_adoptedAtInit);
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_EQ(&m_second, sheet.GetActivePage());
    // Back to a page that exists creates nothing new.
    ASSERT_TRUE(sheet.SetActivePage(0));
    EXPECT_EQ(1, m_first.m_initCount);
}

TEST_F(PropertySheetTest, IndexesOutsideTheSheetFindNothing)
{
    CPropertySheet sheet;
    sheet.AddPage(&m_first);
    sheet.AddPage(nullptr);
    EXPECT_EQ(1, sheet.GetPageCount());
    for (int index : {-1, 1, 100})
        EXPECT_EQ(nullptr, sheet.GetPage(index)) << index;
    EXPECT_EQ(-1, sheet.GetPageIndex(&m_second));
    EXPECT_EQ(0, sheet.GetPageIndex(&m_first));
    EXPECT_FALSE(sheet.SetActivePage(1));
    ASSERT_TRUE(sheet.Create(&m_host));
    EXPECT_FALSE(sheet.SetActivePage(-1));
    EXPECT_EQ(&m_first, sheet.GetActivePage());
}

TEST_F(PropertySheetTest, AChildSheetIsAControlOfItsParent)
{
    CPropertySheet sheet;
    sheet.AddPage(&m_first);
    ASSERT_TRUE(sheet.Create(&m_host, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    EXPECT_EQ(m_host.m_hWnd, ::GetParent(sheet.m_hWnd));
    const DWORD style = sheet.GetStyle();
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & (WS_POPUP | WS_CAPTION));
    EXPECT_TRUE(m_first.m_adoptedAtInit);
}

TEST_F(PropertySheetTest, ACancelledCreationHookAdoptsNothing)
{
    ASSERT_TRUE(m_first.HookWindowCreate("#32770"));
    CWnd::CancelWindowCreateHook(&m_first);
    CPropertySheet sheet;
    sheet.AddPage(&m_second);
    ASSERT_TRUE(sheet.Create(&m_host));
    EXPECT_EQ(nullptr, m_first.m_hWnd);
    EXPECT_TRUE(m_second.m_adoptedAtInit);
}

} // namespace
