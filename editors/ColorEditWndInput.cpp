// ColorEditWnd's keys, characters and mouse, its commands (undo, redo, clipboard, select all)
// with their enabling, its accelerators and its context menu.
#include "editors/ColorEditWnd.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/CmdUI.h"
#include "platform/WaitCursor.h"
#include "platform/WinApp.h"
#include "res/resource.h"

namespace {

bool IsKeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

// Rounds toward minus infinity.
int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

BOOL ColorEditWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && m_accelerators &&
        ::TranslateAcceleratorA(m_hWnd, m_accelerators, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT ColorEditWnd::OnKeyDown(WPARAM wParam, LPARAM)
{
    try {
        const ColorEditKeyResult result =
            m_text.KeyDown(static_cast<UINT>(wParam), IsKeyDown(VK_CONTROL), IsKeyDown(VK_SHIFT),
                           VisibleLines(false), m_readOnly != 0);
        if (result == COLOREDIT_KEY_IGNORED)
            return Default();
        if (result == COLOREDIT_KEY_BREAK_LINE)
            PostMessage(WM_CHAR, '\r');
        UpdateCaret(false);
        if (result == COLOREDIT_KEY_PAGED)
            ScrollToLine(m_text.caret.line);
        Refresh();
        if (result == COLOREDIT_KEY_EDITED)
            NotifyParent(EN_CHANGE);
    } catch (const std::bad_alloc&) {
        // Out of memory: the key is dropped.
    }
    return 0;
}

void ColorEditWnd::OnChar(UINT nChar, UINT, UINT)
{
    if (m_readOnly || nChar == '\b')
        return;
    try {
        UpdateCaret(false);
        if (m_text.Char(nChar, false)) {
            Refresh();
            NotifyParent(EN_CHANGE);
        }
        UpdateCaret(true);
    } catch (const std::bad_alloc&) {
        // Out of memory: the character is dropped.
    }
    Default();
}

LRESULT ColorEditWnd::OnLButtonDown(WPARAM, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    m_dragStartX = x - kLeftMargin;
    m_dragging = true;
    SetFocus();
    ::SetCapture(m_hWnd);
    UpdateCaret(false);
    m_text.PlaceCaret(ColumnNearest(x), LineAt(y), IsKeyDown(VK_SHIFT));
    Invalidate(FALSE);
    UpdateCaret(true);
    return 0;
}

LRESULT ColorEditWnd::OnMouseMove(WPARAM, LPARAM lParam)
{
    if (!m_dragging)
        return 0;
    const int x = static_cast<short>(LOWORD(lParam)) - kLeftMargin;
    const int y = static_cast<short>(HIWORD(lParam));
    // The cell under the pointer, moving right or left of where the drag started.
    const int cell = x > m_dragStartX ? FloorDiv(x, m_charWidth)
                                      : -FloorDiv(-x, m_charWidth) - 1;
    const ColorEditPos before = m_text.caret;
    m_text.PlaceCaret(std::max(0, cell + m_firstColumn), LineAt(y), true);
    if (m_text.caret != before) {
        UpdateCaret(false);
        Invalidate(FALSE);
        UpdateCaret(true);
    }
    return 0;
}

LRESULT ColorEditWnd::OnLButtonUp(WPARAM, LPARAM)
{
    m_dragging = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return 0;
}

LRESULT ColorEditWnd::OnLButtonDblClk(WPARAM, LPARAM lParam)
{
    m_dragging = false;
    SetFocus();
    UpdateCaret(false);
    m_text.SelectWord(ColumnNearest(static_cast<short>(LOWORD(lParam))),
                      LineAt(static_cast<short>(HIWORD(lParam))));
    Invalidate(FALSE);
    UpdateCaret(true);
    return 0;
}

void ColorEditWnd::Undo()
{
    UpdateCaret(false);
    m_text.Undo();
    Refresh();
    NotifyParent(EN_CHANGE);
}

void ColorEditWnd::Redo()
{
    UpdateCaret(false);
    m_text.Redo();
    Refresh();
    NotifyParent(EN_CHANGE);
}

bool ColorEditWnd::CopySelection()
{
    if (!m_text.HasSelection() || !::OpenClipboard(m_hWnd))
        return false;
    bool copied = false;
    try {
        const std::string text = m_text.GetSelectedText();
        if (const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1)) {
            if (void* bytes = ::GlobalLock(block)) {
                std::memcpy(bytes, text.c_str(), text.size() + 1);
                ::GlobalUnlock(block);
                copied = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, block);
            }
            if (!copied)
                ::GlobalFree(block);
        }
    } catch (const std::bad_alloc&) {
        copied = false;
    }
    ::CloseClipboard();
    return copied;
}

void ColorEditWnd::Copy()
{
    CopySelection();
}

void ColorEditWnd::Cut()
{
    if (m_readOnly)
        return;
    // The text goes only once the clipboard holds it.
    if (!CopySelection())
        return;
    UpdateCaret(false);
    m_text.BeginEdit();
    m_text.DeleteSelection();
    m_text.EndEdit();
    Refresh();
    NotifyParent(EN_CHANGE);
}

void ColorEditWnd::Paste()
{
    if (m_readOnly)
        return;
    CWaitCursor wait;
    UpdateCaret(false);
    if (!::OpenClipboard(m_hWnd))
        return;
    const HANDLE block = ::GetClipboardData(CF_TEXT);
    const char* bytes = block ? static_cast<const char*>(::GlobalLock(block)) : nullptr;
    if (bytes) {
        try {
            // Up to the terminating NUL, never past the block.
            const size_t size = ::GlobalSize(block);
            const std::string text(bytes, strnlen(bytes, size));
            m_text.BeginEdit();
            m_text.InsertText(text);
            m_text.EndEdit();
        } catch (const std::bad_alloc&) {
            m_text.EndEdit();
        }
        ::GlobalUnlock(block);
    }
    ::CloseClipboard();
    if (!bytes) {
        UpdateCaret(true);
        return;
    }
    Refresh();
    NotifyParent(EN_CHANGE);
}

void ColorEditWnd::SelectAll()
{
    UpdateCaret(false);
    m_text.SelectAll();
    EnsureCaretVisible();
    Invalidate(FALSE);
    UpdateCaret(true);
}

void ColorEditWnd::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_text.CanUndo());
}

void ColorEditWnd::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_text.CanRedo());
}

void ColorEditWnd::OnUpdateNeedsSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_text.HasSelection());
}

void ColorEditWnd::OnUpdatePaste(CCmdUI* pCmdUI)
{
    bool canPaste = false;
    if (::OpenClipboard(m_hWnd)) {
        canPaste = ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
        ::CloseClipboard();
    }
    pCmdUI->Enable(canPaste);
}

void ColorEditWnd::OnContextMenu(CWnd*, CPoint pos)
{
    SetFocus();
    const HMENU menu =
        ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_COLOREDIT_MENU));
    if (!menu)
        return;
    const HMENU popup = ::GetSubMenu(menu, 0);
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        CCmdUI item;
        item.m_nID = ::GetMenuItemID(popup, i);
        item.m_nIndex = static_cast<UINT>(i);
        item.m_nIndexMax = static_cast<UINT>(count);
        item.m_hMenu = popup;
        item.DoUpdate(this, FALSE);
    }
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, pos.x, pos.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}
