#include "framework/menus/MenuTrackingState.h"

#include "framework/menus/PopupBaseWnd.h"
#include "framework/menus/ToolBarStandIn.h"
#include "platform/WinThread.h"

namespace {

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* hook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (MenuTrackingState::Instance().HandleMouse(static_cast<UINT>(wParam), hook->pt,
                                                       lParam))
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION &&
        MenuTrackingState::Instance().HandleKey(static_cast<UINT>(wParam), lParam,
                                                ::GetTickCount()))
        return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool IsButtonMessage(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP:
        return true;
    default:
        return false;
    }
}

bool IsWindowUnder(HWND window, POINT screenPoint)
{
    RECT rect;
    return window && ::IsWindow(window) && ::IsWindowVisible(window) &&
           ::GetWindowRect(window, &rect) && ::PtInRect(&rect, screenPoint);
}

CPoint ToClient(HWND window, POINT screenPoint)
{
    ::ScreenToClient(window, &screenPoint);
    return CPoint(screenPoint);
}

} // namespace

bool IsAnyModifierKeyDown(LPARAM keyData)
{
    if (keyData & (1L << 29))
        return true;
    static const int kKeys[] = {VK_MENU,    VK_RMENU,  VK_LMENU,  VK_CONTROL, VK_RCONTROL,
                                VK_LCONTROL, VK_SHIFT, VK_RSHIFT, VK_LSHIFT};
    for (int key : kKeys) {
        if (::GetKeyState(key) & 0x8000)
            return true;
    }
    return false;
}

void RunMenuMessagePump(bool idle)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(0);
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    CWinThread* thread = idle ? AfxGetThread() : nullptr;
    for (LONG count = 0; thread && thread->OnIdle(count); ++count) {
    }
}

MenuTrackingState& MenuTrackingState::Instance()
{
    static MenuTrackingState state;
    return state;
}

MenuTrackingState::~MenuTrackingState()
{
    CloseAllMenus();
}

void MenuTrackingState::SetCurrentMenu(ITrackedMenu* menu)
{
    if (menu == m_current)
        return;
    if (m_current)
        EndTracking();
    if (!menu)
        return;
    m_current = menu;
    InstallHooks(true);
}

void MenuTrackingState::CloseAllMenus()
{
    if (m_current && !IsEnding())
        EndTracking();
}

void MenuTrackingState::EndTracking()
{
    // Destroying the root's window ends the tracking again from inside this call: the outer end
    // alone deletes the menu.
    if (IsEnding())
        return;
    m_flags |= kEnding;
    m_focused = nullptr;
    m_animating = nullptr;
    m_result = nullptr;
    if (ITrackedMenu* menu = m_current) {
        menu->RemoveAllItems();
        if (::IsWindow(menu->GetTrackedHwnd())) {
            menu->ShowIdlePrompt();
            menu->DestroyTrackedWindow();
            RunMenuMessagePump(false);
        }
        if (m_current == menu)
            m_current = nullptr;
        delete menu;
    }
    InstallHooks(false);
    m_flags &= ~kEnding;
}

void MenuTrackingState::ReleaseCurrentMenu()
{
    if (ITrackedMenu* menu = m_current) {
        m_current = nullptr;
        m_focused = nullptr;
        m_animating = nullptr;
        m_result = nullptr;
        if (::IsWindow(menu->GetTrackedHwnd()))
            menu->DestroyTrackedWindow();
    }
    InstallHooks(false);
}

void MenuTrackingState::InstallHooks(bool install)
{
    if (install) {
        const DWORD thread = ::GetCurrentThreadId();
        if (!m_mouseHook)
            m_mouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, nullptr, thread);
        if (!m_keyboardHook)
            m_keyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, nullptr, thread);
        return;
    }
    if (m_mouseHook)
        ::UnhookWindowsHookEx(m_mouseHook);
    if (m_keyboardHook)
        ::UnhookWindowsHookEx(m_keyboardHook);
    m_mouseHook = nullptr;
    m_keyboardHook = nullptr;
}

bool MenuTrackingState::IsFocusedMenuLive() const
{
    return m_focused && ::IsWindow(m_focused->GetTrackedHwnd());
}

bool MenuTrackingState::IsOverChain(POINT screenPoint) const
{
    for (const ITrackedMenu* menu = m_focused; menu; menu = menu->GetParentTrackedMenu()) {
        if (IsWindowUnder(menu->GetTrackedHwnd(), screenPoint) ||
            IsWindowUnder(menu->GetTipHwnd(), screenPoint))
            return true;
    }
    return false;
}

bool MenuTrackingState::HandleMouse(UINT message, POINT screenPoint, LPARAM hookData)
{
    if (!m_current || IsEnding())
        return false;
    if (!IsFocusedMenuLive())
        return true;
    ITrackedMenu* const focused = m_focused;
    const HWND focusedWindow = focused->GetTrackedHwnd();
    bool passOn = false;
    if (IsButtonMessage(message)) {
        const bool consumed =
            focused->OnMouseClick(message, ToClient(focusedWindow, screenPoint), passOn);
        if (consumed || !::IsWindow(focusedWindow))
            return true;
        if (passOn)
            return false;
        // The handler may have closed part of the chain: look again from what is focused now.
        if (!m_current || IsEnding())
            return true;
        if (IsFocusedMenuLive() && IsOverChain(screenPoint))
            return true;
        m_current->CloseMenuChain();
        return !(message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                 message == WM_MBUTTONDOWN);
    }
    if (message == WM_MOUSEMOVE)
        return focused->OnMouseMove(message, ToClient(focusedWindow, screenPoint), passOn);
    if (message == WM_MOUSEWHEEL)
        return focused->OnMouseWheel(message, hookData, passOn) || !passOn;
    return false;
}

bool MenuTrackingState::HandleKey(UINT virtualKey, LPARAM keyData, DWORD now)
{
    if (m_current && !IsEnding() && IsFocusedMenuLive()) {
        if (keyData & (1UL << 31))
            return true;
        const bool throttled =
            m_anyKeyHandled &&
            now - m_lastKeyTime < static_cast<DWORD>(g_PopupOptions.m_keyThrottleMs);
        if (!throttled) {
            m_lastKeyTime = now;
            m_anyKeyHandled = true;
            bool passOn = false;
            const bool consumed = m_focused->OnKeyDown(virtualKey, LOWORD(keyData),
                                                       HIWORD(keyData), passOn);
            return consumed || !passOn;
        }
    }
    const bool released = (keyData & (1UL << 31)) != 0;
    if (!CExtToolControlBar::g_bMenuTracking && released && IsAnyModifierKeyDown(keyData))
        CloseAllMenus();
    return false;
}
