// The popup menu's painting: its items through the paint manager or the owner, the service
// buttons, the owner's left band, the edge it shares with its button, and the drop shadows.
#include "framework/menus/PopupMenuWnd.h"

#include "framework/commands/CmdItem.h"
#include "framework/menus/MenuCommandIds.h"
#include "framework/paint/MemoryDC.h"
#include "framework/paint/PaintButtonArgs.h"
#include "framework/paint/PaintManagerHolder.h"

namespace {

constexpr int kShadowEdgePercent = 75;
constexpr int kShadowOuterPercent = 100;

RECT ClientToScreenRect(HWND window, RECT rect)
{
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WidenedTo(const RECT& rect, const RECT& client)
{
    return RECT{client.left, rect.top, client.right, rect.bottom};
}

} // namespace

RECT CExtPopupMenuWnd::ScreenToClientRect(RECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CExtPopupMenuWnd::GetVisibleItems(CDC* dc, VisibleItems& entries)
{
    entries.clear();
    const bool internal = IsInternalPopup();
    for (int i = 0; i < ItemGetCount(); ++i) {
        const MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
        if (!item.IsShown())
            continue;
        const RECT rect = GetItemRect(i);
        if (::IsRectEmpty(&rect) || (dc && !::RectVisible(dc->GetSafeHdc(), &rect)))
            continue;
        VisibleItemDefinition_t entry;
        entry.m_index = i;
        entry.m_cmdID = item.GetCmdID();
        entry.m_rect = rect;
        entry.m_separator = item.IsSeparator();
        if (item.IsPopup()) {
            entry.m_submenu = true;
            entry.m_rarelyUsed = !internal && !item.m_bOwnData && item.m_pPopup &&
                                 item.m_pPopup->IsAllItemsHidden() && !item.m_bAlwaysDisplayed;
        } else if (!item.IsSeparator() && !item.m_pToggleHandler && !internal) {
            const CExtCmdItem* command = item.GetCmdItem();
            entry.m_rarelyUsed = command && command->IsRarelyUsed();
        }
        entries.push_back(entry);
    }
    MarkRarelyUsedNeighbours(entries, internal);
}

void CExtPopupMenuWnd::DrawItemData::PaintDefault(bool noIcon, bool noText, bool noCheck,
                                                  bool forceEnabled, bool noSelection) const
{
    MENUITEMDATA& item = *m_pItem;
    const bool submenu = item.IsPopup();
    const bool childVisible = submenu && item.m_pPopup && item.m_pPopup->HasWindow() &&
                              item.m_pPopup->IsWindowVisible();
    const bool enabled =
        forceEnabled || submenu ||
        (item.IsSeparator() ? item.m_bAlwaysEnabled : (item.m_bAlwaysEnabled || item.m_bEnabled));
    const bool selected = item.m_bSelected && !noSelection;
    CExtCmdIcon* icon = noIcon ? nullptr : item.GetIcon();
    if (icon && icon->IsEmpty())
        icon = nullptr;
    const LPCTSTR text = noText ? "" : static_cast<LPCTSTR>(item.m_sText);
    if (item.m_bButtonStyle) {
        CExtPaintManager::PushButtonArgs_t args(
            m_pMenu, true, m_rect, text, icon, true, selected && !childVisible, childVisible,
            false, enabled, false, false, false, 5,
            static_cast<HFONT>(g_PaintManager->Font(CExtPaintManager::kFontNormal).GetSafeHandle()),
            submenu, 0, false);
        g_PaintManager->DrawPushButton(*m_pDC, args);
        return;
    }
    const bool command = !submenu && !item.IsSeparator();
    const auto id = static_cast<UINT>(item.GetCmdID());
    CExtPaintManager::MenuItemArgs_t args(
        m_pMenu, m_rect, item.m_nIconAreaWidth, text, noText ? "" : item.m_sAccelText.GetString(),
        icon, submenu, selected && command, !noCheck && command && item.m_bChecked,
        !noCheck && command && item.m_bRadio, item.m_bIndeterminate, enabled,
        (m_flags & kRarelyUsed) != 0, (m_flags & kRarelyUsedPrev) != 0,
        (m_flags & kRarelyUsedNext) != 0, IsSystemCommandId(id) ? id : 0);
    if (command && item.m_pToggleHandler) {
        args.m_checkBox = true;
        args.m_boxChecked = item.m_bToggleChecked;
    }
    if (item.IsInplaceEdit()) {
        args.m_inlineRect = item.GetInplaceEditRect(m_rect);
        args.m_inlineText = item.GetInplaceEditText();
        args.m_inlineSubmenuVisible = childVisible;
    }
    g_PaintManager->DrawMenuItem(*m_pDC, args);
}

void CExtPopupMenuWnd::PaintItem(CDC& dc, const RECT& rect, MENUITEMDATA& item, BYTE flags)
{
    const CExtPopupMenuWnd* root = this;
    while (root->m_pParent)
        root = root->m_pParent;
    const bool ownerDraw = (root->m_trackFlags & kTrackOwnerDraw) != 0;
    DrawItemData data;
    data.m_pDC = &dc;
    data.m_rect = rect;
    data.m_pItem = &item;
    data.m_pMenu = this;
    data.m_flags = static_cast<BYTE>(flags | (ownerDraw ? DrawItemData::kOwnerDraw : 0));
    const bool painted = ownerDraw && ::IsWindow(m_hCmdTarget) &&
                         ::SendMessageA(m_hCmdTarget, g_nMsgPopupDrawItem, 0,
                                        reinterpret_cast<LPARAM>(&data)) != 0;
    if (!painted)
        data.PaintDefault();
}

void CExtPopupMenuWnd::PaintJoinedParentItem(LPARAM cookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                             const RECT& excludeArea, int)
{
    const auto* submenu = dynamic_cast<const CExtPopupMenuWnd*>(&popup);
    CExtPopupMenuWnd* parent = submenu ? submenu->m_pParent : nullptr;
    if (::IsRectEmpty(&excludeArea) || !parent || !parent->HasWindow() || !submenu->HasWindow())
        return;
    MENUITEMDATA* item = parent->GetItemAt(static_cast<int>(cookie));
    if (!item)
        return;
    // The item where it lies on the screen, which the exclude area stands for.
    RECT rect = parent->GetItemRect(static_cast<int>(cookie));
    ::MapWindowPoints(parent->m_hWnd, submenu->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    const RECT& area = submenu->m_frame.m_menuArea;
    ::ExcludeClipRect(dc.GetSafeHdc(), area.left, area.top, area.right, area.bottom);
    parent->PaintItem(dc, rect, *item, item->IsPopup() ? DrawItemData::kSubmenu : 0);
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);
}

void CExtPopupMenuWnd::PaintContent(CDC& target, bool final)
{
    CExtPaintManager::ExcludeChildAreas(target.GetSafeHdc(), m_hWnd);
    const RECT area = m_frame.m_menuArea;
    CExtMemoryDC memory;
    if (final)
        memory.InitForTarget(&target, &area,
                             CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
    CDC& dc = final ? static_cast<CDC&>(memory) : target;
    const HGDIOBJ oldFont = ::SelectObject(
        dc.GetSafeHdc(), g_PaintManager->Font(CExtPaintManager::kFontNormal).GetSafeHandle());
    dc.FillSolidRect(&area, g_PaintManager->GetMenuBackColor());
    g_PaintManager->DrawMenuBorder(dc, area, this, 0);

    RECT client = {};
    GetClientRect(&client);
    const int border = GetBorderSize();
    const int limit = GetScrollLimit();
    const bool upActive = m_frame.m_scrolling && m_frame.m_scrollPos != 0;
    const bool downActive = m_frame.m_scrolling && m_frame.m_scrollPos != limit;
    const auto exclude = [&dc](const RECT& rect) {
        ::ExcludeClipRect(dc.GetSafeHdc(), rect.left, rect.top, rect.right, rect.bottom);
    };
    if (!::IsRectEmpty(&m_frame.m_expand))
        exclude(WidenedTo(m_frame.m_expand, client));
    if (upActive)
        exclude(WidenedTo(m_frame.m_scrollUp, client));
    if (downActive)
        exclude(WidenedTo(m_frame.m_scrollDown, client));
    exclude(RECT{client.left, client.top, client.right, area.top + border});
    exclude(RECT{client.left, area.bottom - border, client.right, client.bottom});

    VisibleItems entries;
    GetVisibleItems(&dc, entries);
    const bool mark = g_PopupOptions.m_markRarelyUsed != 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const VisibleItemDefinition_t& entry = entries[i];
        MENUITEMDATA& item = m_items[static_cast<size_t>(entry.m_index)];
        if (entry.m_separator) {
            const bool afterButton =
                i > 0 && m_items[static_cast<size_t>(entries[i - 1].m_index)].m_bButtonStyle;
            if (afterButton) {
                const int middle = (entry.m_rect.top + entry.m_rect.bottom) / 2;
                g_PaintManager->DrawSeparator(
                    dc, RECT{entry.m_rect.left, middle - 1, entry.m_rect.right, middle + 1}, true,
                    true, this, 0);
            } else {
                g_PaintManager->DrawMenuSeparator(dc, entry.m_rect, item.m_nIconAreaWidth,
                                                  mark && entry.m_rarelyUsed, this, 0);
            }
            continue;
        }
        PaintItem(dc, entry.m_rect, item,
                  static_cast<BYTE>(
                      (entry.m_submenu ? DrawItemData::kSubmenu : 0) |
                      (mark && entry.m_rarelyUsed ? DrawItemData::kRarelyUsed : 0) |
                      (mark && entry.m_rarelyUsedPrev ? DrawItemData::kRarelyUsedPrev : 0) |
                      (mark && entry.m_rarelyUsedNext ? DrawItemData::kRarelyUsedNext : 0)));
    }
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);

    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    if (!::IsRectEmpty(&m_frame.m_expand)) {
        const bool hot = ::PtInRect(&m_frame.m_expand, cursor) != FALSE;
        g_PaintManager->DrawMenuExpandItem(dc, m_frame.m_expand, hot, hot, this, 0);
    }
    const struct
    {
        bool active;
        const RECT& rect;
        LPCTSTR glyph;
        int direction;
    } buttons[] = {{upActive, m_frame.m_scrollUp, "t", 5},
                   {downActive, m_frame.m_scrollDown, "u", -5}};
    for (const auto& button : buttons) {
        if (!button.active)
            continue;
        const bool pushed =
            ::PtInRect(&button.rect, cursor) != FALSE || m_nScrollDir == button.direction;
        CExtPaintManager::PushButtonArgs_t args(
            this, true, button.rect, button.glyph, nullptr, true, false, pushed, false, true,
            false, false, false, 5,
            static_cast<HFONT>(
                g_PaintManager->Font(CExtPaintManager::kFontMarlett).GetSafeHandle()),
            false, 0, false);
        g_PaintManager->DrawPushButton(dc, args);
    }
    if (m_nLeftAreaWidth > 0 && ::IsWindow(m_hCmdTarget)) {
        DrawLeftAreaData data;
        data.m_pDC = &dc;
        data.m_rect = RECT{area.left + border, area.top + border,
                           area.left + m_nLeftAreaWidth + border, area.bottom - border};
        data.m_pMenu = this;
        ::SendMessageA(m_hCmdTarget, g_nMsgPopupDrawLeftArea, 0, reinterpret_cast<LPARAM>(&data));
    }
    const bool joined = (m_popupFlags & kPopupJoined) != 0 && m_nJoinSide != 0;
    if (joined) {
        g_PaintManager->DrawMenuJoinEdge(dc, ScreenToClientRect(m_excludeArea), area,
                                         m_nJoinSide, this, 0);
        if (m_joinPainter)
            m_joinPainter(m_joinPainterCookie, dc, *this, m_excludeArea, m_nJoinSide);
    }
    ::SelectObject(dc.GetSafeHdc(), oldFont);
    if (final)
        memory.Release(true);

    const int shadow = GetShadowSize();
    if (!IsShadowEnabled() || !IsStatic() || shadow <= 0)
        return;
    ::SelectClipRgn(target.GetSafeHdc(), nullptr);
    const RECT none = {0, 0, 0, 0};
    const RECT areaOnScreen = ClientToScreenRect(m_hWnd, area);
    if (joined) {
        if (IsRoot()) {
            m_joinedShadow.Paint(target, ScreenToClientRect(m_excludeArea), m_excludeArea,
                                 areaOnScreen, static_cast<UINT>(shadow), kShadowEdgePercent,
                                 kShadowOuterPercent, true, true, false);
        }
        const RECT button = ScreenToClientRect(m_excludeArea);
        ::ExcludeClipRect(target.GetSafeHdc(), button.left, button.top, button.right,
                          button.bottom);
    }
    m_shadow.Paint(target, area, joined ? areaOnScreen : none, joined ? m_excludeArea : none,
                   static_cast<UINT>(shadow), kShadowEdgePercent, kShadowOuterPercent, true, true,
                   false);
}
