// The list control in report style, its notifications reflected to itself, and the list view.
#include "platform/ListCtrl.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/FrameWnd.h"
#include "platform/ListView.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

const UINT ID_LIST = 10;

// Counts the item changes it hears of itself.
class CReflectingList : public CListCtrl
{
public:
    int m_changes = 0;

protected:
    afx_msg void OnItemChanged(NMHDR*, LRESULT*) { ++m_changes; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

// Counts the item changes its lists tell it of.
class CListParent : public CWnd
{
public:
    int m_changes = 0;

protected:
    afx_msg void OnItemChanged(NMHDR*, LRESULT*) { ++m_changes; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListParent, CWnd)
    ON_NOTIFY(LVN_ITEMCHANGED, ID_LIST, OnItemChanged)
END_MESSAGE_MAP()

class ListCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateTopLevel(m_parent)); }

    bool CreateList(CListCtrl& list)
    {
        return list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 280, 150), &m_parent,
                           ID_LIST) &&
               list.InsertColumn(0, "番号", LVCFMT_LEFT, 60) == 0 &&
               list.InsertColumn(1, "内容", LVCFMT_LEFT, 200) == 1;
    }

    static std::string Row(const CListCtrl& list, int item)
    {
        return std::string(list.GetItemText(item, 0)) + "|" + list.GetItemText(item, 1).GetString();
    }

    CListParent m_parent;
};

TEST_F(ListCtrlTest, ReportRowsKeepTheirTexts)
{
    CListCtrl list;
    ASSERT_TRUE(CreateList(list));
    EXPECT_EQ(0, list.InsertItem(0, "一"));
    EXPECT_EQ(1, list.InsertItem(1, "三"));
    EXPECT_EQ(1, list.InsertItem(1, "二"));
    // ソ and 表 end in the byte of '\'; the long text is longer than any first buffer.
    const std::string longText(700, 'x');
    EXPECT_TRUE(list.SetItemText(0, 1, "ソ表"));
    EXPECT_TRUE(list.SetItemText(2, 1, longText.c_str()));
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ("一|ソ表", Row(list, 0));
    EXPECT_EQ("二|", Row(list, 1));
    EXPECT_EQ("三|" + longText, Row(list, 2));

    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_EQ("三|" + longText, Row(list, 1));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(ListCtrlTest, StatesVisibilityAndExtendedStyles)
{
    CListCtrl list;
    ASSERT_TRUE(CreateList(list));
    for (int i = 0; i < 200; ++i)
        list.InsertItem(i, std::to_string(i).c_str());
    EXPECT_TRUE(list.SetItemState(5, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(static_cast<LRESULT>(LVIS_SELECTED),
              list.SendMessage(LVM_GETITEMSTATE, 5, LVIS_SELECTED));
    EXPECT_TRUE(list.SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED));
    EXPECT_EQ(5, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(-1, list.GetNextItem(5, LVNI_SELECTED));
    EXPECT_EQ(3, list.GetNextItem(-1, LVNI_FOCUSED));

    EXPECT_EQ(0, list.SendMessage(LVM_GETTOPINDEX));
    EXPECT_TRUE(list.EnsureVisible(199, FALSE));
    EXPECT_GT(list.SendMessage(LVM_GETTOPINDEX), 150);

    const DWORD before = list.GetExtendedStyle();
    EXPECT_EQ(before, list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
              list.GetExtendedStyle());
}

TEST_F(ListCtrlTest, AListHearsItsOwnNotificationsInsteadOfItsParent)
{
    CReflectingList reflecting;
    ASSERT_TRUE(CreateList(reflecting));
    reflecting.InsertItem(0, "a");
    m_parent.m_changes = 0;
    reflecting.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_GT(reflecting.m_changes, 0);
    EXPECT_EQ(0, m_parent.m_changes);
    reflecting.DestroyWindow();

    CListCtrl plain;
    ASSERT_TRUE(CreateList(plain));
    plain.InsertItem(0, "a");
    m_parent.m_changes = 0;
    plain.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_GT(m_parent.m_changes, 0);
}

TEST(ListViewTest, AListViewIsACreatableViewOverAListControl)
{
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(0, WS_OVERLAPPEDWINDOW));
    CObject* object = RUNTIME_CLASS(CListView)->CreateObject();
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CView)));
    auto* view = static_cast<CListView*>(object);
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(), frame,
                             AFX_IDW_PANE_FIRST));
    char className[32] = {};
    ::GetClassNameA(view->m_hWnd, className, sizeof className);
    EXPECT_STREQ(WC_LISTVIEWA, className);
    EXPECT_EQ(view, CWnd::FromHandlePermanent(view->m_hWnd));

    CListCtrl& list = view->GetListCtrl();
    EXPECT_EQ(view->m_hWnd, list.m_hWnd);
    EXPECT_EQ(0, list.InsertColumn(0, "列"));
    EXPECT_EQ(0, list.InsertItem(0, "行"));
    EXPECT_EQ(CString("行"), list.GetItemText(0, 0));
    frame->DestroyWindow();
}

} // namespace
