#include "framework/dialogs/ResizablePropertySheet.h"

#include "framework/paint/PaintManager.h"
#include "platform/WinThread.h"

IMPLEMENT_DYNCREATE(CExtResizablePropertySheet, CExtResPS)

BEGIN_MESSAGE_MAP(CExtResizablePropertySheet, CExtResPS)
    ON_WM_SIZE()
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
END_MESSAGE_MAP()

namespace {

void AddStyle(HWND window, DWORD style)
{
    ::SetWindowLongA(window, GWL_STYLE,
                     static_cast<LONG>(static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)) |
                                       style));
}

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveOnto(HWND window, const RECT& rect)
{
    ::MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 TRUE);
}

bool IsPageWindow(HWND window)
{
    const CWnd* object = CWnd::FromHandlePermanent(window);
    return ::IsWindow(window) && object && object->IsKindOf(RUNTIME_CLASS(CPropertyPage));
}

// The frame's buttons keep clear of the size gripper.
const int kButtonShift = 10;

} // namespace

void CExtResizablePropertySheet::CButtonInSheetHook::PostNcDestroy()
{
    delete this;
}

bool CExtResizablePropertySheet::IsChildSheet() const
{
    return (GetStyle() & WS_CHILD) != 0;
}

void CExtResizablePropertySheet::OnSheetLayoutInitialized()
{
    if (IsChildSheet()) {
        OnChildSheetLayout();
        return;
    }
    AddStyle(m_hWnd, WS_CLIPCHILDREN);
    if (IsPlacementPersisted())
        LoadPlacement(false);
}

void CExtResizablePropertySheet::OnChildSheetLayout()
{
}

void CExtResizablePropertySheet::AnchorActivePage(CPropertyPage* pPage)
{
    if (!pPage || !pPage->m_hWnd)
        pPage = GetActivePage();
    if (pPage && ::IsWindow(pPage->m_hWnd) && !GetAnchors().Lookup(pPage->m_hWnd)) {
        // A page shown for the first time lies where the pages lay before the sheet was sized.
        const HWND shownPage = GetAnchors().FindChild(&IsPageWindow);
        if (shownPage)
            MoveOnto(pPage->m_hWnd, RectInParent(shownPage));
        AnchorChild(pPage->m_hWnd, CExtAnchorMap::kLeftTop, CExtAnchorMap::kRightBottom);
    }
    ArrangeAnchoredChildren();
}

void CExtResizablePropertySheet::AnchorFrameChildren()
{
    const CWnd* tab = GetTabControl();
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (tab && child == tab->m_hWnd) {
            AddStyle(child, WS_CLIPSIBLINGS);
            AnchorChild(child, CExtAnchorMap::kLeftTop, CExtAnchorMap::kRightBottom);
        } else if (AfxIsWindowOfClass(child, "static")) {
            AddStyle(child, WS_CLIPSIBLINGS);
            AnchorChild(child, CExtAnchorMap::kLeftBottom, CExtAnchorMap::kRightBottom);
        } else if (AfxIsWindowOfClass(child, "button")) {
            RECT rect = RectInParent(child);
            ::OffsetRect(&rect, -kButtonShift, 0);
            MoveOnto(child, rect);
            AddStyle(child, WS_CLIPSIBLINGS);
            AnchorChild(child, CExtAnchorMap::kRightBottom, CExtAnchorMap::kNone);
            if (!CWnd::FromHandlePermanent(child)) {
                auto* hook = new CButtonInSheetHook;
                if (!hook->SubclassWindow(child))
                    delete hook;
            }
        }
    }
}

void CExtResizablePropertySheet::SetUpLayout()
{
    m_sheetFlags |= kLayoutSetUp;
    SetMinTrackingToCurrentSize();
    // The sizing border added on WM_CREATE takes effect.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    AnchorFrameChildren();
    AnchorActivePage();

    CExtPaintManager::MonitorRects_t monitor = {};
    CExtPaintManager::GetMonitorRectsFromWindow(monitor, this);
    LimitTrackingToArea(monitor.m_workArea);

    RECT window;
    GetWindowRect(&window);
    SendMessage(WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(window.right - window.left, window.bottom - window.top));
    if (IsWindowVisible())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    OnSheetLayoutInitialized();
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                       SWP_NOOWNERZORDER);
    ArrangeAnchoredChildren();
}

LRESULT CExtResizablePropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool pageCommand = message == WM_COMMAND && (LOWORD(wParam) == kPreviousPageCommand ||
                                                       LOWORD(wParam) == kNextPageCommand);
    const bool closing = message == WM_CLOSE ||
                         (message == WM_COMMAND &&
                          (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) ||
                         (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
    if (closing && IsPlacementPersisted())
        SavePlacement();
    CPropertyPage* pageBefore = nullptr;
    switch (message) {
    case WM_DESTROY:
    case WM_NCDESTROY:
        m_sheetFlags &= static_cast<BYTE>(~kLayoutSetUp);
        break;
    case WM_SIZE:
        AnchorActivePage();
        break;
    default:
        if (pageCommand)
            pageBefore = GetActivePage();
        break;
    }

    const HWND window = m_hWnd;
    // Until the set-up, the sheet is the plain one: no anchoring, gripper or themed background.
    const LRESULT result = IsLayoutSetUp() ? CExtWA::WindowProc(message, wParam, lParam)
                                           : CExtResPS::WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY || !::IsWindow(window))
        return result;

    if (message == WM_CREATE) {
        AddStyle(window, WS_CLIPCHILDREN | WS_THICKFRAME);
        PostMessage(kSetUpLayoutMessage);
    } else if (pageCommand && IsLayoutSetUp()) {
        CPropertyPage* pageAfter = GetActivePage();
        if (pageBefore && pageAfter && pageAfter != pageBefore && ::IsWindow(pageBefore->m_hWnd) &&
            ::IsWindow(pageAfter->m_hWnd))
            MoveOnto(pageAfter->m_hWnd, RectInParent(pageBefore->m_hWnd));
        AnchorActivePage();
    } else if (message == kSetUpLayoutMessage && !IsLayoutSetUp()) {
        SetUpLayout();
    }
    return result;
}

void CExtResizablePropertySheet::LayOutChildSheet(int cx, int cy)
{
    if (CWnd* tab = GetTabControl())
        tab->MoveWindow(0, 0, cx, cy, FALSE);
    ArrangeAnchoredChildren();
    OnChildSheetLayout();
}

void CExtResizablePropertySheet::OnSize(UINT nType, int cx, int cy)
{
    CExtResPS::OnSize(nType, cx, cy);
    if (::IsWindow(m_hWnd) && IsChildSheet())
        LayOutChildSheet(cx, cy);
}

LRESULT CExtResizablePropertySheet::OnWindowPosChanged(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (::IsWindow(m_hWnd) && IsChildSheet() && IsWindowVisible()) {
        RECT client;
        GetClientRect(&client);
        LayOutChildSheet(client.right, client.bottom);
    }
    return result;
}

BOOL CExtResizablePropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra,
                                          AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (!::IsWindow(m_hWnd))
        return CExtWA::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (nID == kPreviousPageCommand || nID == kNextPageCommand) {
        const BOOL handled = CExtWA::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == CN_COMMAND)
            AnchorActivePage();
        return handled;
    }
    if (!IsChildSheet())
        return CExtWA::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    // A sheet inside another window has no frame to route to: the application's commands are
    // offered to the application itself.
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* thread = AfxGetThread();
    const bool applicationCommand = (nCode == CN_COMMAND || nCode == CN_UPDATE_COMMAND_UI) &&
                                    (nID & 0x8000) && nID < 0xF000;
    return applicationCommand && thread && thread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CExtResizablePropertySheet::PreTranslateMessage(MSG* pMsg)
{
    const HWND focus = ::GetFocus();
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && ::IsWindow(m_hWnd) && focus &&
        (focus == m_hWnd || ::IsChild(m_hWnd, focus))) {
        const bool shift = ::GetKeyState(VK_SHIFT) < 0;
        if (::GetKeyState(VK_CONTROL) >= 0) {
            SendMessage(WM_NEXTDLGCTL, shift ? 1 : 0);
        } else {
            // No wrap-around: past the first or last page the key does nothing.
            const int active = GetActiveIndex();
            if (shift && active != 0)
                SendMessage(WM_COMMAND, kPreviousPageCommand);
            else if (!shift && active != GetPageCount() - 1)
                SendMessage(WM_COMMAND, kNextPageCommand);
        }
        return TRUE;
    }
    return CExtWA::PreTranslateMessage(pMsg);
}
