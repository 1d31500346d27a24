// The window-free arithmetic of a popup menu's item list: which items are displayed and how much
// room they take, searching by mnemonic or text, choosing the item that a key moves to, and the
// geometry inside the menu area (service rectangles, item rectangles, hit test, scrolling).
#pragma once
#include "platform/WindowLayer.h"

#include <vector>

#include "framework/menus/PopupMenuItem.h"
#include "platform/Geometry.h"

using PopupMenuItems = std::vector<CExtPopupMenuItem>;

// Index answers besides item indexes.
enum PopupMenuHit
{
    kHitNone = -1,
    kHitScrollUp = -2,
    kHitScrollDown = -3,
    kHitExpand = -4
};

struct ItemsLayout_t
{
    int m_cx = 1;
    int m_cy = 1;
    bool m_hasHidden = false;
};

// Smallest content width of a laid-out menu.
constexpr int kMinMenuContentWidth = 80;

// Recalculates the child's items and answers whether all of them are hidden.
using ChildLayoutFn = bool (*)(CExtPopupMenuWnd* child);

ItemsLayout_t RecalcItemsLayout(PopupMenuItems& items, bool showAll, ChildLayoutFn recalcChild);
bool IsAllItemsHidden(const PopupMenuItems& items);
int FindItemByMnemonic(const PopupMenuItems& items, char character, int start);
int FindItemByText(const PopupMenuItems& items, LPCTSTR text, int start);

// kind 1 first, 2 next, 3 previous, 4 page up, 5 page down; collapsed = the menu has hidden items
// and is not expanded.
int FindItemToSelect(const PopupMenuItems& items, int kind, int current, bool collapsed);

// What the geometry reads of a menu; the service rectangles are filled by CalcServiceRects.
struct PopupMenuFrame_t
{
    RECT m_menuArea = {0, 0, 0, 0};
    int m_border = 0;        // b
    int m_buttonHeight = 0;  // h: the expand item and the scroll buttons
    int m_leftArea = 0;      // w
    int m_shadow = 0;        // s
    int m_scrollPos = 0;
    bool m_scrolling = false;
    bool m_hasHidden = false;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    RECT m_scrollUp = {0, 0, 0, 0};
    RECT m_scrollDown = {0, 0, 0, 0};
    RECT m_expand = {0, 0, 0, 0};
};

void CalcServiceRects(PopupMenuFrame_t& frame);
int GetScrollLimit(const PopupMenuFrame_t& frame);
RECT GetItemRect(const PopupMenuFrame_t& frame, const PopupMenuItems& items, int index);
int HitTestItem(const PopupMenuFrame_t& frame, const PopupMenuItems& items, POINT point,
                bool* inEditArea, bool* onEditButton);
// The scroll position after which the item's rectangle lies fully between the scroll buttons.
int ScrollPositionShowing(const PopupMenuFrame_t& frame, RECT itemRect);

// One displayed item as painting sees it.
struct VisibleItemDefinition_t
{
    int m_index = -1;
    bool m_rarelyUsed : 1 = false;
    bool m_rarelyUsedPrev : 1 = false;
    bool m_rarelyUsedNext : 1 = false;
    bool m_separator : 1 = false;
    bool m_submenu : 1 = false;
    int m_cmdID = 0;
    RECT m_rect = {0, 0, 0, 0};
};
using VisibleItems = std::vector<VisibleItemDefinition_t>;

// Gives each entry its neighbours' rarely-used state; a separator between two rarely used
// entries becomes rarely used itself (not in an internal menu).
void MarkRarelyUsedNeighbours(VisibleItems& entries, bool internal);
