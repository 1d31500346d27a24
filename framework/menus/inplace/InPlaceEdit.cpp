#include "framework/menus/inplace/InPlaceEdit.h"

#include "framework/paint/PaintManagerHolder.h"

const UINT CExtPopupInPlaceEdit::g_nMsgDeleteSelection =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection");
const UINT CExtPopupInPlaceEdit::g_nMsgSelectAll =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll");

namespace {

// Suspends redrawing for its life; the edit is repainted at once afterwards.
class RedrawSuspended
{
public:
    explicit RedrawSuspended(HWND window) : m_window(window)
    {
        ::SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspended()
    {
        if (!::IsWindow(m_window))
            return;
        ::SendMessageA(m_window, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_window, nullptr, TRUE);
        ::UpdateWindow(m_window);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    HWND m_window;
};

bool AltHeld()
{
    return ::GetKeyState(VK_MENU) < 0;
}

} // namespace

CExtPopupInPlaceEdit::CExtPopupInPlaceEdit(CString* value, VerifyCallback verify,
                                           CommitCallback commit, FilterCallback filter,
                                           LONG cookie)
    : m_verify(verify), m_commit(commit), m_filter(filter), m_cookie(cookie), m_value(value)
{ }

bool CExtPopupInPlaceEdit::CreateInPlaceEdit(const RECT& rect, CWnd* parentPopup, UINT id)
{
    m_editFlags &= ~0x01;
    if (!CreateEx(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, rect, parentPopup, id))
        return false;
    SetFont(static_cast<HFONT>(
        g_PaintManager.GetHeldObject()->Font(CExtPaintManager::kFontNormal).GetSafeHandle()));
    SetWindowText(m_value ? static_cast<LPCTSTR>(*m_value) : "");
    ::SendMessageA(m_hWnd, EM_SETSEL, 0, -1);
    ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    return true;
}

CWnd* CExtPopupInPlaceEdit::GetParentMenu() const
{
    return CWnd::FromHandle(::GetParent(m_hWnd));
}

CString CExtPopupInPlaceEdit::Text() const
{
    CString text;
    GetWindowText(text);
    return text;
}

void CExtPopupInPlaceEdit::CloseMenus()
{
    if (::IsWindow(m_hWnd))
        ::PostMessageA(::GetParent(m_hWnd), WM_CANCELMODE, 0, 0);
}

LRESULT CExtPopupInPlaceEdit::OnEnter()
{
    m_editFlags |= 0x01;
    const HWND self = m_hWnd;
    const CString text = Text();
    const bool accepted = !m_verify || m_verify(this, m_cookie, text, text);
    // A callback may have destroyed the edit with its menu.
    if (accepted && ::IsWindow(self)) {
        if (m_commit)
            m_commit(this, m_cookie, text);
        else if (m_value)
            *m_value = text;
    }
    if (::IsWindow(self))
        CloseMenus();
    return 0;
}

LRESULT CExtPopupInPlaceEdit::VerifiedDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND self = m_hWnd;
    const CString before = Text();
    DWORD start = 0, end = 0;
    ::SendMessageA(self, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    RedrawSuspended suspended(self);
    const LRESULT result = DefWindowProc(message, wParam, lParam);
    if (!m_verify || !::IsWindow(self))
        return result;
    const CString after = Text();
    // A callback that ends the menus destroys this edit with them: only the handle is looked
    // at afterwards.
    if (after != before && !m_verify(this, m_cookie, before, after) && ::IsWindow(self)) {
        ::SendMessageA(self, EM_SETSEL, 0, -1);
        ::SendMessageA(self, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(
                                                       static_cast<LPCTSTR>(before)));
        ::SendMessageA(self, EM_SETSEL, start, end);
        ::SendMessageA(self, EM_SCROLLCARET, 0, 0);
    }
    return result;
}

void CExtPopupInPlaceEdit::DeleteSelection()
{
    DWORD start = 0, end = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    if (start != end) {
        ::SendMessageA(m_hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
        return;
    }
    // Positions count bytes on some systems and characters on others; a double-byte character
    // goes as a whole either way, never half of it.
    const CString text = Text();
    const int positions = static_cast<int>(::SendMessageA(m_hWnd, EM_LINELENGTH, 0, 0));
    if (static_cast<int>(start) >= positions)
        return;
    const bool bytePositions = positions == text.GetLength();
    const DWORD length = bytePositions &&
                                 ::IsDBCSLeadByte(static_cast<BYTE>(text[static_cast<int>(start)])) &&
                                 static_cast<int>(start) + 1 < positions
                             ? 2
                             : 1;
    RedrawSuspended suspended(m_hWnd);
    ::SendMessageA(m_hWnd, EM_SETSEL, start, start + length);
    ::SendMessageA(m_hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    ::SendMessageA(m_hWnd, EM_SETSEL, start, start);
}

void CExtPopupInPlaceEdit::PaintBorder()
{
    RECT window = {}, client = {};
    ::GetWindowRect(m_hWnd, &window);
    ::GetClientRect(m_hWnd, &client);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (::EqualRect(&window, &client))
        return;
    ::OffsetRect(&client, -window.left, -window.top);
    ::OffsetRect(&window, -window.left, -window.top);
    HDC dc = ::GetWindowDC(m_hWnd);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    HBRUSH brush = ::CreateSolidBrush(g_PaintManager.GetHeldObject()->ColorAt(COLOR_WINDOW));
    ::FillRect(dc, &window, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(m_hWnd, dc);
}

LRESULT CExtPopupInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT filtered = 0;
    if (m_filter && m_filter(filtered, message, wParam, lParam, this, m_cookie))
        return filtered;
    if (message == g_nMsgDeleteSelection) {
        DeleteSelection();
        return 0;
    }
    if (message == g_nMsgSelectAll) {
        ::SendMessageA(m_hWnd, EM_SETSEL, 0, -1);
        return 0;
    }
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* client = reinterpret_cast<RECT*>(lParam);
        client->left += 2;
        client->top += 2;
        client->bottom -= 2;
        return 0;
    }
    case WM_NCPAINT:
        PaintBorder();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            CWnd* parent = GetParentMenu();
            if (auto* host = dynamic_cast<CExtInPlaceEditHost*>(parent))
                host->ReturnFromInPlaceEdit();
            else if (parent)
                parent->SetFocus();
            return 0;
        }
        if (wParam == VK_RETURN)
            return OnEnter();
        if (wParam == VK_MENU || AltHeld()) {
            CloseMenus();
            return 0;
        }
        return VerifiedDefault(message, wParam, lParam);
    case WM_CHAR:
        return VerifiedDefault(message, wParam, lParam);
    case WM_CONTEXTMENU:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return 0;
    case WM_KILLFOCUS:
        ShowWindow(SW_HIDE);
        if (!IsConfirmed())
            SetWindowText(m_value ? static_cast<LPCTSTR>(*m_value) : "");
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
