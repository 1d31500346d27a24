// In-place edit items inside a tracked popup menu: their edits are made with the window (by the
// owner through g_nMsgCreateInplaceEdit, or by the menu), shown over the item's edit area when the
// item is activated, fed the editing keys while they have the focus, and given back to the menu's
// keyboard by Escape.
#include "framework/menus/PopupMenuWnd.h"

namespace {

bool KeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

} // namespace

void CExtPopupMenuWnd::CreateInplaceEdits()
{
    for (int i = 0; i < ItemGetCount() && HasWindow(); ++i) {
        MENUITEMDATA& item = m_items[static_cast<size_t>(i)];
        if (!item.IsInplaceEdit())
            continue;
        RECT rect = {0, 0, 0, 0};
        if (item.IsShown())
            rect = item.GetInplaceEditRect(GetItemRect(i));
        item.m_pInplaceEdit = nullptr;
        if (::IsWindow(item.m_hCmdTarget)) {
            InplaceEditData data;
            data.m_ppEdit = &item.m_pInplaceEdit;
            data.m_pMenu = this;
            data.m_pItem = &item;
            data.m_pValue = item.m_pEditedValue;
            data.m_verify = item.m_editCallbacks.m_verify;
            data.m_commit = item.m_editCallbacks.m_commit;
            data.m_filter = item.m_editCallbacks.m_filter;
            data.m_cookie = item.m_dwEditCookie;
            data.m_rect = rect;
            ::SendMessageA(item.m_hCmdTarget, g_nMsgCreateInplaceEdit,
                           reinterpret_cast<WPARAM>(&data), 0);
        }
        if (item.m_pInplaceEdit)
            continue;
        auto edit = std::make_unique<CExtPopupInPlaceEdit>(
            item.m_pEditedValue, item.m_editCallbacks.m_verify, item.m_editCallbacks.m_commit,
            item.m_editCallbacks.m_filter, static_cast<LONG>(item.m_dwEditCookie));
        if (!edit->CreateInPlaceEdit(rect, this, static_cast<UINT>(item.GetCmdID())))
            continue;
        item.m_pInplaceEdit = edit.get();
        m_madeEdits.push_back(std::move(edit));
    }
}

void CExtPopupMenuWnd::ReleaseInplaceEdits()
{
    for (MENUITEMDATA& item : m_items)
        item.m_pInplaceEdit = nullptr;
    m_madeEdits.clear();
}

void CExtPopupMenuWnd::FocusInplaceEdit(int index)
{
    MENUITEMDATA* item = GetItemAt(index);
    if (!item || !item->IsInplaceEdit() || !item->m_pInplaceEdit)
        return;
    const HWND edit = item->GetInplaceEditHwnd();
    if (!edit)
        return;
    if (!::IsWindowVisible(edit)) {
        if (!item->m_bEditable)
            return;
        const RECT rect = item->GetInplaceEditRect(GetItemRect(index));
        ::SetWindowPos(edit, nullptr, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::SetFocus(edit);
}

void CExtPopupMenuWnd::ReleaseInplaceEdit(MENUITEMDATA& item)
{
    item.m_bEditTextPending = false;
    item.m_sEditBuffer.Empty();
    if (item.IsInplaceEditShown())
        ::ShowWindow(item.GetInplaceEditHwnd(), SW_HIDE);
}

int CExtPopupMenuWnd::ItemOfEditAt(POINT point) const
{
    if (!HasWindow())
        return -1;
    const HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!child || child == m_hWnd)
        return -1;
    for (int i = 0; i < ItemGetCount(); ++i) {
        if (m_items[static_cast<size_t>(i)].GetInplaceEditHwnd() == child)
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::SelectItemOfEditAt(POINT point)
{
    const int index = ItemOfEditAt(point);
    if (index >= 0 && index != m_nCurIndex)
        SelectItem(index, false, true, false);
    return index >= 0;
}

bool CExtPopupMenuWnd::IsFocusInEdit() const
{
    const HWND focus = ::GetFocus();
    return HasWindow() && focus && ::IsChild(m_hWnd, focus);
}

void CExtPopupMenuWnd::ReturnFromInPlaceEdit()
{
    if (!HasWindow())
        return;
    // The edit loses the focus (and with it what was typed); the keys come back to this menu.
    ::SetFocus(m_hWnd);
    if (!IsInternalPopup())
        FocusMenu();
    if (m_nCurIndex >= 0)
        SelectItem(m_nCurIndex, false, true, false);
}

bool CExtPopupMenuWnd::OnEditKeyDown(UINT key, UINT keyFlags, bool& passOn)
{
    const HWND edit = ::GetFocus();
    if (key == VK_MENU || KeyDown(VK_MENU) || (keyFlags & KF_ALTDOWN)) {
        PostMessage(WM_CANCELMODE);
        return true;
    }
    if (key == VK_ESCAPE) {
        ReturnFromInPlaceEdit();
        return true;
    }
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool shift = KeyDown(VK_SHIFT);
    UINT message = 0;
    if ((ctrl && key == VK_INSERT) || (ctrl && key == 'C'))
        message = WM_COPY;
    else if ((shift && key == VK_INSERT) || (ctrl && key == 'V'))
        message = WM_PASTE;
    else if ((shift && key == VK_DELETE) || (ctrl && key == 'X'))
        message = WM_CUT;
    else if (key == VK_DELETE)
        message = CExtPopupInPlaceEdit::g_nMsgDeleteSelection;
    else if (ctrl && key == 'A')
        message = CExtPopupInPlaceEdit::g_nMsgSelectAll;
    if (message == 0) {
        passOn = true;
        return false;
    }
    ::SendMessageA(edit, message, 0, 0);
    return true;
}

LRESULT CExtPopupMenuWnd::OnSetCursorMessage(WPARAM wParam, LPARAM lParam)
{
    if (!IsContextHelpMode() && HasWindow()) {
        POINT point = {};
        ::GetCursorPos(&point);
        ::ScreenToClient(m_hWnd, &point);
        bool inEdit = false;
        const MENUITEMDATA* item = GetItemAt(HitTestItem(point, &inEdit, nullptr));
        if (item && inEdit && item->IsInplaceEdit() && item->m_bEditable) {
            ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
            return TRUE;
        }
    }
    return OnSetCursor(wParam, lParam);
}
