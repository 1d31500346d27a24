#include "framework/menus/PopupMenuLayout.h"

#include <algorithm>

#include "framework/commands/CmdItem.h"

namespace {

constexpr int kMinIconColumn = 22;

bool IsRarelyUsedCommand(const CExtPopupMenuItem& item)
{
    if (item.m_pToggleHandler)
        return false;
    const CExtCmdItem* command = item.GetCmdItem();
    return command && command->IsRarelyUsed();
}

bool CanChoose(const CExtPopupMenuItem& item)
{
    return item.IsSelectable() && item.IsShown();
}

int Count(const PopupMenuItems& items)
{
    return static_cast<int>(items.size());
}

bool Holds(const RECT& rect, POINT point)
{
    return ::PtInRect(&rect, point) != FALSE;
}

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

}  // namespace

ItemsLayout_t RecalcItemsLayout(PopupMenuItems& items, bool showAll, ChildLayoutFn recalcChild)
{
    int iconColumn = kMinIconColumn;
    for (const CExtPopupMenuItem& item : items)
        iconColumn = std::max(iconColumn, item.m_nIconAreaWidth);
    for (CExtPopupMenuItem& item : items) {
        if (item.m_bButtonStyle || item.m_nIconAreaWidth >= iconColumn)
            continue;
        if (!item.IsSeparator())
            item.m_nWidth += iconColumn - item.m_nIconAreaWidth;
        item.m_nIconAreaWidth = iconColumn;
    }

    ItemsLayout_t layout;
    bool anyShownBefore = false;
    CExtPopupMenuItem* pendingSeparator = nullptr;
    for (int i = 0; i < Count(items); ++i) {
        CExtPopupMenuItem& item = items[i];
        item.m_nPosition = i;
        if (item.IsPopup() && item.m_pPopup) {
            const bool childHidden = recalcChild(item.m_pPopup);
            item.m_bDisplayed = showAll || item.m_bOwnData || !childHidden;
        } else if (item.IsSeparator()) {
            // Only one separator between two displayed groups, never a leading one.
            item.m_bDisplayed = showAll || (anyShownBefore && !pendingSeparator);
            if (item.m_bDisplayed && !showAll)
                pendingSeparator = &item;
        } else {
            item.m_bDisplayed = showAll || !IsRarelyUsedCommand(item);
        }
        if (item.IsShown()) {
            layout.m_cy += item.m_nHeight;
            layout.m_cx = std::max(layout.m_cx, item.m_nWidth);
            if (!item.IsSeparator()) {
                anyShownBefore = true;
                pendingSeparator = nullptr;
            }
        } else {
            layout.m_hasHidden = true;
        }
    }
    if (pendingSeparator && !pendingSeparator->m_bAlwaysDisplayed) {
        pendingSeparator->m_bDisplayed = false;
        layout.m_cy -= pendingSeparator->m_nHeight;
    }
    layout.m_cx = std::max(layout.m_cx, kMinMenuContentWidth);
    return layout;
}

bool IsAllItemsHidden(const PopupMenuItems& items)
{
    return std::none_of(items.begin(), items.end(), [](const CExtPopupMenuItem& item) {
        return item.IsShown() || (!item.IsSeparator() && !item.IsPopup() && item.m_pToggleHandler);
    });
}

int FindItemByMnemonic(const PopupMenuItems& items, char character, int start)
{
    if (character == '0')
        return -1;
    const auto upper = static_cast<char>(reinterpret_cast<UINT_PTR>(::CharUpperA(
        reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(character))))));
    if (upper == 0)
        return -1;
    auto matches = [&](int i) {
        const CExtPopupMenuItem& item = items[i];
        return i != start && item.m_cMnemonic != 0 && item.IsSelectable() &&
               item.m_cMnemonic == upper;
    };
    for (int i = std::max(start + 1, 0); i < Count(items); ++i) {
        if (matches(i))
            return i;
    }
    for (int i = 0; start > 0 && i < std::min(start, Count(items)); ++i) {
        if (matches(i))
            return i;
    }
    return -1;
}

int FindItemByText(const PopupMenuItems& items, LPCTSTR text, int start)
{
    if (!text || !*text)
        return -1;
    const int count = Count(items);
    const int first = std::max(start + 1, 0);
    for (int step = 0; step < count; ++step) {
        const int i = (first + step) % count;
        if (i != start && items[i].m_sText == text)
            return i;
    }
    return -1;
}

int FindItemToSelect(const PopupMenuItems& items, int kind, int current, bool collapsed)
{
    if (collapsed && IsAllItemsHidden(items))
        return kHitExpand;
    const int count = Count(items);
    if (kind == 0 || count == 0)
        return collapsed ? kHitExpand : kHitNone;
    const bool hasCurrent = current >= 0 && current < count;
    auto firstFrom = [&](int from, int to, int step) {
        for (int i = from; i != to; i += step) {
            if (CanChoose(items[i]))
                return i;
        }
        return static_cast<int>(kHitNone);
    };
    if (!hasCurrent)
        return kind >= 1 && kind <= 5 ? firstFrom(0, count, 1) : kHitNone;
    if (kind == 1)
        return current;
    if (count < 2)
        return kHitNone;
    if (kind == 2) {
        const int next = firstFrom(current + 1, count, 1);
        if (next >= 0)
            return next;
        return collapsed ? kHitExpand : firstFrom(0, current, 1);
    }
    if (kind == 3) {
        const int previous = firstFrom(current - 1, -1, -1);
        return previous >= 0 ? previous : firstFrom(count - 1, current, -1);
    }
    return kHitNone;
}

void CalcServiceRects(PopupMenuFrame_t& frame)
{
    const RECT& a = frame.m_menuArea;
    const int b = frame.m_border;
    const int h = frame.m_buttonHeight;
    frame.m_expand = {0, 0, 0, 0};
    frame.m_scrollUp = {0, 0, 0, 0};
    frame.m_scrollDown = {0, 0, 0, 0};
    if (frame.m_hasHidden) {
        frame.m_expand = {a.left + b + 1, a.bottom - b - h - 1, a.right - b - 1, a.bottom - b - 1};
    }
    if (!frame.m_scrolling)
        return;
    frame.m_scrollUp = {a.left + b + 1 + frame.m_leftArea, a.top + b, a.right - b - 1,
                        a.top + b + h};
    const int lift = (frame.m_hasHidden ? h : 0) + 1;
    frame.m_scrollDown = {a.left + b + 1 + frame.m_leftArea, a.bottom - b - h - lift,
                          a.right - b - 1, a.bottom - b - lift};
}

int GetScrollLimit(const PopupMenuFrame_t& frame)
{
    const RECT& a = frame.m_menuArea;
    const int limit =
        -(frame.m_shadow + frame.m_contentHeight + 2 * frame.m_border + a.top - a.bottom);
    return frame.m_hasHidden ? limit - frame.m_buttonHeight : limit;
}

RECT GetItemRect(const PopupMenuFrame_t& frame, const PopupMenuItems& items, int index)
{
    const RECT empty = {0, 0, 0, 0};
    if (frame.m_scrolling && index == kHitScrollUp)
        return frame.m_scrollUp;
    if (frame.m_scrolling && index == kHitScrollDown)
        return frame.m_scrollDown;
    if (frame.m_hasHidden && index == kHitExpand)
        return frame.m_expand;
    if (index < 0 || index >= Count(items) || !items[index].IsShown())
        return empty;
    const int b = frame.m_border;
    int top = b + frame.m_scrollPos + 1;
    for (int i = 0; i < index; ++i) {
        if (items[i].IsShown())
            top += items[i].m_nHeight;
    }
    const CExtPopupMenuItem& item = items[index];
    RECT rect = item.m_bButtonStyle ? RECT{b + 3, top, item.m_nWidth, top + item.m_nHeight}
                                    : RECT{b + 1, top, frame.m_contentWidth + b - 1,
                                           top + item.m_nHeight};
    ::OffsetRect(&rect, frame.m_menuArea.left + frame.m_leftArea, frame.m_menuArea.top);
    return rect;
}

int HitTestItem(const PopupMenuFrame_t& frame, const PopupMenuItems& items, POINT point,
                bool* inEditArea, bool* onEditButton)
{
    if (inEditArea)
        *inEditArea = false;
    if (onEditButton)
        *onEditButton = false;
    if (!Holds(frame.m_menuArea, point))
        return kHitNone;
    if (frame.m_scrolling) {
        if (frame.m_scrollPos != 0 && Holds(frame.m_scrollUp, point))
            return kHitScrollUp;
        if (frame.m_scrollPos != GetScrollLimit(frame) && Holds(frame.m_scrollDown, point))
            return kHitScrollDown;
    }
    if (frame.m_hasHidden && Holds(frame.m_expand, point))
        return kHitExpand;
    for (int i = 0; i < Count(items); ++i) {
        const CExtPopupMenuItem& item = items[i];
        if (!item.IsShown())
            continue;
        const RECT rect = GetItemRect(frame, items, i);
        if (!Holds(rect, point))
            continue;
        if (item.IsInplaceEdit()) {
            const RECT edit = item.GetInplaceEditRect(rect);
            if (inEditArea)
                *inEditArea = Holds(edit, point);
            const RECT button = {edit.right, edit.top,
                                 edit.right + ::GetSystemMetrics(SM_CXHTHUMB), edit.bottom};
            if (onEditButton && item.IsPopup())
                *onEditButton = Holds(button, point);
        }
        return i;
    }
    return kHitNone;
}

int ScrollPositionShowing(const PopupMenuFrame_t& frame, RECT itemRect)
{
    const RECT& a = frame.m_menuArea;
    const int b = frame.m_border;
    const int limit = GetScrollLimit(frame);
    int position = frame.m_scrollPos;
    int lower = a.bottom;
    if (position != limit)
        lower -= Height(frame.m_scrollDown) + (frame.m_hasHidden ? Height(frame.m_expand) : 0);
    if (itemRect.bottom >= lower) {
        const int delta = lower - 2 * b - itemRect.bottom;
        position += delta;
        ::OffsetRect(&itemRect, 0, delta);
    }
    const int upper = a.top + (position != 0 ? Height(frame.m_scrollUp) : 0);
    if (upper >= itemRect.top)
        position += 2 * b + upper - itemRect.top;
    if (position > 0)
        return 0;
    return position < limit ? limit : position;
}

void MarkRarelyUsedNeighbours(VisibleItems& entries, bool internal)
{
    const int count = static_cast<int>(entries.size());
    for (int i = 0; i < count; ++i) {
        VisibleItemDefinition_t& entry = entries[static_cast<size_t>(i)];
        VisibleItemDefinition_t* previous = i > 0 ? &entries[static_cast<size_t>(i - 1)] : nullptr;
        VisibleItemDefinition_t* next =
            i + 1 < count ? &entries[static_cast<size_t>(i + 1)] : nullptr;
        entry.m_rarelyUsedPrev = previous && previous->m_rarelyUsed;
        entry.m_rarelyUsedNext = next && next->m_rarelyUsed;
        if (entry.m_separator && !internal && entry.m_rarelyUsedPrev && entry.m_rarelyUsedNext) {
            entry.m_rarelyUsed = true;
            previous->m_rarelyUsedNext = true;
            next->m_rarelyUsedPrev = true;
        }
    }
}
