// MenuTrackingState: the one process-wide record of the popup-menu chain being tracked. While a
// menu is tracked it keeps a mouse and a keyboard hook on the window thread, which hand all mouse
// and keyboard input of the thread to the chain's focused menu and decide what reaches other
// windows. Window thread only.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Geometry.h"

// What the tracking state and its hooks ask of a tracked popup menu; the popup menu window
// implements it. Points are in the menu's client coordinates.
class ITrackedMenu
{
public:
    // The tracking state deletes the root menu when the tracking ends.
    virtual ~ITrackedMenu() = default;

    virtual HWND GetTrackedHwnd() const = 0;
    virtual ITrackedMenu* GetParentTrackedMenu() const = 0;
    // The menu's tip window, or null.
    virtual HWND GetTipHwnd() const = 0;

    // Each answers true when it consumed the message, and may ask that it go on to its window.
    virtual bool OnMouseClick(UINT message, CPoint point, bool& passOn) = 0;
    virtual bool OnMouseMove(UINT message, CPoint point, bool& passOn) = 0;
    virtual bool OnMouseWheel(UINT message, LPARAM data, bool& passOn) = 0;
    virtual bool OnKeyDown(UINT virtualKey, UINT repeatCount, UINT keyFlags, bool& passOn) = 0;

    // A click outside every menu of the chain: the root closes the chain.
    virtual void CloseMenuChain() = 0;
    // What the end of the tracking does to the root before it is deleted: its items go, the
    // owner's status bar gets its idle text back, the window is destroyed.
    virtual void RemoveAllItems() = 0;
    virtual void ShowIdlePrompt() = 0;
    virtual void DestroyTrackedWindow() = 0;
};

// Bit 29 of the key data (Alt) or any Alt, Ctrl or Shift key down.
bool IsAnyModifierKeyDown(LPARAM keyData);

// Handles the messages already queued for this thread, one at a time; a quit message is posted
// again and ends the pump. With idle, the thread's idle processing runs afterwards.
void RunMenuMessagePump(bool idle);

class MenuTrackingState
{
public:
    enum StateFlags : BYTE
    {
        kEnding = 0x01  // set for the whole of EndTracking
    };

    static MenuTrackingState& Instance();

    // Ends a different current menu first; a non-null menu becomes current and the hooks are
    // installed.
    void SetCurrentMenu(ITrackedMenu* menu);
    bool IsCurrentMenu(const ITrackedMenu* menu) const { return menu == m_current; }
    ITrackedMenu* GetCurrentMenu() const { return m_current; }
    ITrackedMenu* GetFocusedMenu() const { return m_focused; }
    void SetFocusedMenu(ITrackedMenu* menu) { m_focused = menu; }
    ITrackedMenu* GetAnimatingMenu() const { return m_animating; }
    void SetAnimatingMenu(ITrackedMenu* menu) { m_animating = menu; }
    UINT* GetResultLocation() const { return m_result; }
    void SetResultLocation(UINT* result) { m_result = result; }
    bool IsEnding() const { return (m_flags & kEnding) != 0; }

    bool AnyMenuOpen() const { return m_current != nullptr; }
    // Ends the tracking unless none runs or it is already ending.
    void CloseAllMenus();
    // Removes and deletes the root menu (destroying its window) and the hooks.
    void EndTracking();
    // Lets go of the current menu without deleting it: its window is destroyed and the hooks
    // removed (a tracking that failed to start; the caller deletes the menu).
    void ReleaseCurrentMenu();
    void InstallHooks(bool install);
    bool HooksInstalled() const { return m_mouseHook && m_keyboardHook; }

    // What the hooks decide: true swallows the message. The key's clock value is given so that
    // the throttle can be checked.
    bool HandleMouse(UINT message, POINT screenPoint, LPARAM hookData);
    bool HandleKey(UINT virtualKey, LPARAM keyData, DWORD now);

private:
    MenuTrackingState() = default;
    ~MenuTrackingState();
    bool IsFocusedMenuLive() const;
    bool IsOverChain(POINT screenPoint) const;

    BYTE m_flags = 0;
    ITrackedMenu* m_current = nullptr;
    ITrackedMenu* m_focused = nullptr;
    ITrackedMenu* m_animating = nullptr;
    HHOOK m_mouseHook = nullptr;
    HHOOK m_keyboardHook = nullptr;
    UINT* m_result = nullptr;
    DWORD m_lastKeyTime = 0;
    bool m_anyKeyHandled = false;
};
