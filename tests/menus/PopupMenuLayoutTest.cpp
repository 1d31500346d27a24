#include <windows.h>

#include <gtest/gtest.h>

#include "MenuItemsFixture.h"

namespace {

class PopupMenuLayoutTest : public MenuItemsFixture
{
protected:
    static bool NoChild(CExtPopupMenuWnd*) { return false; }

    // 'C' often used command, 'r' rarely used command, '-' separator.
    PopupMenuItems Build(const char* shape)
    {
        PopupMenuItems items;
        for (int i = 0; shape[i]; ++i) {
            if (shape[i] == '-') {
                items.push_back(Separator());
                continue;
            }
            const UINT id = 100 + i;
            Register(id, "Command", shape[i] == 'C');
            items.push_back(Command(static_cast<int>(id), "Command"));
        }
        return items;
    }

    static std::string Shown(const PopupMenuItems& items)
    {
        std::string shown;
        for (const CExtPopupMenuItem& item : items)
            shown += item.IsShown() ? '1' : '0';
        return shown;
    }
};

TEST_F(PopupMenuLayoutTest, SeparatorsCollapseAroundHiddenItems)
{
    struct Case
    {
        const char* shape;
        bool showAll;
        const char* shown;
        bool hasHidden;
    } cases[] = {
        {"C-C", false, "111", false},
        // A hidden separator counts as a hidden item too.
        {"-C", false, "01", true},
        {"C-", false, "10", false},
        {"C-", true, "11", false},
        {"C-r-C", false, "11001", true},
        {"C-r-C", true, "11111", false},
        {"r-C", false, "001", true},
        {"C--C", false, "1101", true},
        {"rrr", false, "000", true},
    };
    for (const Case& c : cases) {
        PopupMenuItems items = Build(c.shape);
        const ItemsLayout_t layout = RecalcItemsLayout(items, c.showAll, NoChild);
        EXPECT_EQ(c.shown, Shown(items)) << c.shape;
        EXPECT_EQ(c.hasHidden, layout.m_hasHidden) << c.shape;
        int height = 1;
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            EXPECT_EQ(i, items[i].m_nPosition);
            height += items[i].IsShown() ? items[i].m_nHeight : 0;
        }
        EXPECT_EQ(height, layout.m_cy) << c.shape;
        g_CmdManager->RemoveAllCommands(nullptr);
    }
}

TEST_F(PopupMenuLayoutTest, AlwaysDisplayedItemsShowAmongRarelyUsedOnes)
{
    PopupMenuItems items = Build("rr");
    items[1].m_bAlwaysDisplayed = true;
    const ItemsLayout_t layout = RecalcItemsLayout(items, false, NoChild);
    EXPECT_EQ("01", Shown(items));
    EXPECT_TRUE(layout.m_hasHidden);
    EXPECT_FALSE(IsAllItemsHidden(items));
    items[1].m_bAlwaysDisplayed = false;
    RecalcItemsLayout(items, false, NoChild);
    EXPECT_TRUE(IsAllItemsHidden(items));
}

TEST_F(PopupMenuLayoutTest, IconColumnAndContentWidthHaveTheirMinimum)
{
    PopupMenuItems empty;
    const ItemsLayout_t none = RecalcItemsLayout(empty, false, NoChild);
    EXPECT_EQ(kMinMenuContentWidth, none.m_cx);
    EXPECT_EQ(1, none.m_cy);

    PopupMenuItems items = Build("C-C");
    items[0].m_nIconAreaWidth = 10;
    items[0].m_nWidth = 200;
    items[2].m_nIconAreaWidth = 30;
    const int otherWidth = items[2].m_nWidth;
    const ItemsLayout_t layout = RecalcItemsLayout(items, false, NoChild);
    EXPECT_EQ(30, items[0].m_nIconAreaWidth);
    EXPECT_EQ(220, items[0].m_nWidth);
    EXPECT_EQ(30, items[1].m_nIconAreaWidth);
    EXPECT_EQ(0, items[1].m_nWidth);
    EXPECT_EQ(otherWidth, items[2].m_nWidth);
    EXPECT_EQ(220, layout.m_cx);
}

TEST_F(PopupMenuLayoutTest, MnemonicSearchWrapsAndSkipsTheStartAndDisabledItems)
{
    PopupMenuItems items;
    for (const char* text : {"&Alpha", "&Beta", "&alpha 2", "&Gamma", "&Delta"})
        items.push_back(Command(static_cast<int>(items.size()) + 40, text));
    items[4].m_bEnabled = false;
    struct Case
    {
        char key;
        int start;
        int found;
    } cases[] = {
        {'a', -1, 0}, {'a', 0, 2}, {'A', 2, 0}, {'g', 3, -1}, {'b', 3, 1},
        {'d', -1, -1}, {'0', -1, -1}, {'z', -1, -1}, {'a', 1, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, FindItemByMnemonic(items, c.key, c.start)) << c.key << c.start;
}

TEST_F(PopupMenuLayoutTest, TextSearchWrapsAndNeedsAText)
{
    PopupMenuItems items;
    for (const char* text : {"One", "Two", "One"})
        items.push_back(Command(static_cast<int>(items.size()) + 40, text));
    EXPECT_EQ(0, FindItemByText(items, "One", -1));
    EXPECT_EQ(2, FindItemByText(items, "One", 0));
    EXPECT_EQ(0, FindItemByText(items, "One", 2));
    EXPECT_EQ(-1, FindItemByText(items, "Two", 1));
    EXPECT_EQ(-1, FindItemByText(items, "", -1));
    EXPECT_EQ(-1, FindItemByText(items, nullptr, -1));
}

TEST_F(PopupMenuLayoutTest, KeysMoveBetweenSelectableDisplayedItems)
{
    // 0 command, 1 separator, 2 disabled, 3 command, 4 command.
    PopupMenuItems items = Build("C-CCC");
    items[2].m_bEnabled = false;
    RecalcItemsLayout(items, false, NoChild);
    struct Case
    {
        int kind;
        int current;
        bool collapsed;
        int found;
    } cases[] = {
        {1, -1, false, 0}, {5, -1, false, 0}, {1, 3, false, 3},  {2, 0, false, 3},
        {2, 4, false, 0},  {2, 4, true, kHitExpand},             {3, 3, false, 0},
        {3, 0, false, 4},  {3, 0, true, 4},   {4, 3, false, -1}, {5, 3, false, -1},
        {0, 3, false, -1}, {0, 3, true, kHitExpand},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.found, FindItemToSelect(items, c.kind, c.current, c.collapsed))
            << c.kind << " from " << c.current;
    }
    PopupMenuItems none;
    EXPECT_EQ(-1, FindItemToSelect(none, 1, -1, false));

    PopupMenuItems hidden = Build("rr");
    RecalcItemsLayout(hidden, false, NoChild);
    EXPECT_EQ(kHitExpand, FindItemToSelect(hidden, 1, -1, true));
}

class PopupMenuGeometryTest : public PopupMenuLayoutTest
{
protected:
    // Ten often used items in a menu area at (10, 20) with border 2, button height 18, shadow 4.
    void SetUp() override
    {
        m_items = Build("CCCCCCCCCC");
        const ItemsLayout_t layout = RecalcItemsLayout(m_items, false, NoChild);
        m_frame.m_menuArea = {10, 20, 10 + layout.m_cx + 4, 20 + 100};
        m_frame.m_border = 2;
        m_frame.m_buttonHeight = 18;
        m_frame.m_shadow = 4;
        m_frame.m_contentWidth = layout.m_cx;
        m_frame.m_contentHeight = layout.m_cy;
        m_frame.m_scrolling = true;
        CalcServiceRects(m_frame);
    }

    PopupMenuItems m_items;
    PopupMenuFrame_t m_frame;
};

TEST_F(PopupMenuGeometryTest, ItemsStackBelowTheBorderAndFollowTheScrollPosition)
{
    const int h = m_items[0].m_nHeight;
    const RECT first = GetItemRect(m_frame, m_items, 0);
    EXPECT_EQ(CRect(13, 23, 10 + 2 + m_frame.m_contentWidth - 1, 23 + h), CRect(first));
    EXPECT_EQ(23 + 3 * h, GetItemRect(m_frame, m_items, 3).top);
    m_frame.m_scrollPos = -h;
    EXPECT_EQ(23 + 2 * h, GetItemRect(m_frame, m_items, 3).top);

    m_frame.m_leftArea = 24;
    EXPECT_EQ(13 + 24, GetItemRect(m_frame, m_items, 0).left);
    EXPECT_TRUE(::IsRectEmpty(&static_cast<const RECT&>(GetItemRect(m_frame, m_items, 10))));
    m_items[5].m_bDisplayed = false;
    EXPECT_TRUE(::IsRectEmpty(&static_cast<const RECT&>(GetItemRect(m_frame, m_items, 5))));
    // Scrolled by one item, with five displayed items above it.
    EXPECT_EQ(23 - h + 5 * h, GetItemRect(m_frame, m_items, 6).top);
}

TEST_F(PopupMenuGeometryTest, ServiceRectanglesAndTheScrollLimit)
{
    EXPECT_EQ(CRect(13, 22, 10 + m_frame.m_contentWidth + 4 - 3, 40), CRect(m_frame.m_scrollUp));
    EXPECT_EQ(CRect(13, 99, 10 + m_frame.m_contentWidth + 4 - 3, 117),
              CRect(m_frame.m_scrollDown));
    EXPECT_TRUE(::IsRectEmpty(&m_frame.m_expand));
    EXPECT_EQ(-(4 + m_frame.m_contentHeight + 4 - 100), GetScrollLimit(m_frame));

    m_frame.m_hasHidden = true;
    CalcServiceRects(m_frame);
    EXPECT_EQ(CRect(13, 99, 10 + m_frame.m_contentWidth + 4 - 3, 117), CRect(m_frame.m_expand));
    EXPECT_EQ(81, m_frame.m_scrollDown.top);
    EXPECT_EQ(-(4 + m_frame.m_contentHeight + 4 - 100) - 18, GetScrollLimit(m_frame));
}

TEST_F(PopupMenuGeometryTest, HitTestShowsOnlyActiveScrollButtons)
{
    const POINT onUp = {40, 30};
    const POINT onDown = {40, 110};
    EXPECT_NE(kHitScrollUp, HitTestItem(m_frame, m_items, onUp, nullptr, nullptr));
    EXPECT_EQ(kHitScrollDown, HitTestItem(m_frame, m_items, onDown, nullptr, nullptr));
    m_frame.m_scrollPos = GetScrollLimit(m_frame);
    EXPECT_EQ(kHitScrollUp, HitTestItem(m_frame, m_items, onUp, nullptr, nullptr));
    EXPECT_NE(kHitScrollDown, HitTestItem(m_frame, m_items, onDown, nullptr, nullptr));

    m_frame.m_scrolling = false;
    m_frame.m_scrollPos = 0;
    const RECT third = GetItemRect(m_frame, m_items, 2);
    EXPECT_EQ(2, HitTestItem(m_frame, m_items, {third.left + 1, third.top}, nullptr, nullptr));
    EXPECT_EQ(kHitNone, HitTestItem(m_frame, m_items, {5, 30}, nullptr, nullptr));
    EXPECT_EQ(kHitNone, HitTestItem(m_frame, m_items, {11, 21}, nullptr, nullptr));
}

TEST_F(PopupMenuGeometryTest, HitTestTellsTheEditAreaAndTheEditButton)
{
    m_frame.m_scrolling = false;
    CString value;
    m_items[1].m_pEditedValue = &value;
    m_items[1].m_nEditWidth = 40;
    const RECT rect = GetItemRect(m_frame, m_items, 1);
    const RECT edit = m_items[1].GetInplaceEditRect(rect);
    bool inEdit = false;
    bool onButton = true;
    EXPECT_EQ(1, HitTestItem(m_frame, m_items, {edit.left + 2, edit.top + 2}, &inEdit, &onButton));
    EXPECT_TRUE(inEdit);
    EXPECT_FALSE(onButton);
    EXPECT_EQ(1, HitTestItem(m_frame, m_items, {rect.left + 2, edit.top + 2}, &inEdit, nullptr));
    EXPECT_FALSE(inEdit);

    m_items[1].m_nCmdID = CExtPopupMenuItem::kSubmenuId;
    const RECT submenuEdit = m_items[1].GetInplaceEditRect(rect);
    EXPECT_EQ(1, HitTestItem(m_frame, m_items, {submenuEdit.right + 1, submenuEdit.top + 2},
                             &inEdit, &onButton));
    EXPECT_TRUE(onButton);
}

TEST_F(PopupMenuGeometryTest, SelectingScrollsTheItemBetweenTheButtons)
{
    // The last item lies below the scroll-down button: the menu scrolls up to show it.
    const RECT last = GetItemRect(m_frame, m_items, 9);
    const int position = ScrollPositionShowing(m_frame, last);
    EXPECT_LT(position, 0);
    m_frame.m_scrollPos = position;
    const RECT shown = GetItemRect(m_frame, m_items, 9);
    EXPECT_TRUE(position == GetScrollLimit(m_frame) || shown.bottom <= m_frame.m_scrollDown.top);
    EXPECT_GE(position, GetScrollLimit(m_frame));

    // Back to the first item: the position returns to the top, never above it.
    EXPECT_EQ(0, ScrollPositionShowing(m_frame, GetItemRect(m_frame, m_items, 0)));
}

}  // namespace

namespace {

// 'r' rarely used command, 'C' other command, '-' separator; the answer lists per entry
// rarely used, previous rarely used and next rarely used as 0/1 triples.
std::string MarkedNeighbours(const char* shape, bool internal)
{
    VisibleItems entries;
    for (int i = 0; shape[i]; ++i) {
        VisibleItemDefinition_t entry;
        entry.m_index = i;
        entry.m_separator = shape[i] == '-';
        entry.m_rarelyUsed = shape[i] == 'r';
        entries.push_back(entry);
    }
    MarkRarelyUsedNeighbours(entries, internal);
    std::string marks;
    for (const VisibleItemDefinition_t& entry : entries) {
        marks += entry.m_rarelyUsed ? '1' : '0';
        marks += entry.m_rarelyUsedPrev ? '1' : '0';
        marks += entry.m_rarelyUsedNext ? '1' : '0';
        marks += ' ';
    }
    return marks;
}

TEST(VisibleItems, ASeparatorBetweenRarelyUsedItemsIsRarelyUsedItself)
{
    struct Case
    {
        const char* shape;
        bool internal;
        const char* marks;
    } cases[] = {
        {"r-r", false, "101 111 110 "},
        {"r-r", true, "100 011 100 "},
        {"r-C", false, "100 010 000 "},
        {"C-r", false, "000 001 100 "},
        {"r", false, "100 "},
        {"rr-rC", false, "101 111 111 110 010 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.marks, MarkedNeighbours(c.shape, c.internal)) << c.shape << c.internal;
}

}  // namespace
