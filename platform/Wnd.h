// CWnd: a window object. Windows created through Create/CreateEx or adopted with SubclassWindow
// are "permanent": the thread's handle map finds the object from the handle and the layer's
// window procedure sends every message through the object's message map, falling back to the
// window's previous procedure (Default). Notifications a control sends to its parent are first
// offered back to the control's own map (reflection).
#pragma once
#include "platform/WindowLayer.h"

#include <functional>

#include "platform/CmdTarget.h"
#include "platform/Dc.h"
#include "platform/Geometry.h"
#include "platform/String.h"

#include <shellapi.h>  // HDROP, after windows.h

class CException;
class CFrameWnd;
struct CCreateContext;

// What WM_SIZEPARENT carries during a layout pass: the part of the parent's client area that
// is still free (each bar takes its share from it), the deferred moves (null when only asked
// for sizes), the total size the bars took and whether bars stretch over the free width.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// Moves hWnd to lpRect (in its parent's client coordinates) as part of a layout pass.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// True when the window's class is className (compared case-blind) or, given as an atom, that atom.
bool AfxIsWindowOfClass(HWND hWnd, LPCSTR className);

// The name of a window class with these attributes, registered on first use.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// The layer's window procedure.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    // Destroys the window when this object still owns it.
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The permanent object of hWnd; otherwise a temporary one that lives until the thread's
    // next idle time. Null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();

    // Attach and Detach only enter and remove the handle in the map; SubclassWindow also
    // routes the window's messages through this object until UnsubclassWindow or destruction.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // A null class name means the layer's default class. Create makes a child window.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // For a window that the system creates later on this object's behalf (a property sheet's
    // page): the next window of lpszClassName this thread creates is adopted by this object.
    // One such expectation at a time; it ends when the window is made or is cancelled.
    BOOL HookWindowCreate(LPCSTR lpszClassName);
    // Drops the expectation when it is still wnd's; wnd is only compared, never used.
    static void CancelWindowCreateHook(const CWnd* wnd);

    // Called before the window is created, when it is adopted, and after its last message
    // (objects that delete themselves do it here).
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    // A chance to handle a queued message before it is translated and dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to PreTranslateMessage of its window's object and of each parent's, up to
    // hWndStop; true as soon as one handled it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches through the message map; false when no entry handled the message.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The previous window procedure, or the system's default one.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc with the message being handled.
    LRESULT Default();

    // WM_COMMAND: a menu or accelerator command runs unless its update handlers disable it
    // (id 0 is ignored); a control's notification is reflected first, then routed.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called on a control for a notification it sent to its parent; true keeps the parent
    // from handling it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Lays out the client area: each child bar with an id from nIDFirst to nIDLast takes its
    // share (WM_SIZEPARENT), in z-order, and the child nIDLeftOver gets what is left.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver);
    // With bOnlyPerm, only windows that have a permanent object get the message.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    // The nearest parent that is a frame window, or null.
    CFrameWnd* GetParentFrame() const;

    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
    {
        ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
    }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const
    {
        return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    void GetWindowText(CString& rString) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE)
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
    }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        lpScrollInfo->fMask = nMask;
        return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
    }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
        return TRUE;
    }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE)
    {
        return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
    }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }

protected:
    // The default handling of the messages that ON_WM_xxx entries route to these names;
    // derived handlers call them for the default behaviour.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // pScrollBar is the scroll-bar control, or null for the window's own bars.
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();

    // A CException* that a handler let through: reported in a stop-icon message box and
    // deleted. WM_CREATE then answers -1; a WM_PAINT validates the window so that it is not
    // asked to paint again at once; other messages answer 0.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

    // Runs the reflected-notification entries (ON_NOTIFY_REFLECT, ON_CONTROL_REFLECT).
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Runs create, which makes one window of class lpszClassName, and adopts that window from
    // its first message on. On failure PostNcDestroy has run, so the object may be gone.
    BOOL CreateAndAdopt(LPCSTR lpszClassName, const std::function<HWND()>& create);

    // The procedure the window had before it was subclassed.
    WNDPROC m_pfnSuper = nullptr;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);

    // Offers a notification to the sending control's object.
    static BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult);
    // After WM_NCDESTROY: gives the window its procedure back, forgets it and calls
    // PostNcDestroy (which may delete this object).
    void FinishNcDestroy();
};

// Entries for the window messages that the layer's classes handle.
#define ON_WM_CREATE()                                                                             \
    AFX_MAP_ENTRY(WM_CREATE, 0, 0, 0, nullptr,                                                     \
                  call.result = self.OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)))
#define ON_WM_DESTROY() AFX_MAP_ENTRY(WM_DESTROY, 0, 0, 0, nullptr, self.OnDestroy())
#define ON_WM_SIZE()                                                                               \
    AFX_MAP_ENTRY(WM_SIZE, 0, 0, 0, nullptr,                                                       \
                  self.OnSize(static_cast<UINT>(call.wParam), LOWORD(call.lParam),                 \
                              HIWORD(call.lParam)))
#define ON_WM_CLOSE() AFX_MAP_ENTRY(WM_CLOSE, 0, 0, 0, nullptr, self.OnClose())
#define ON_WM_PAINT() AFX_MAP_ENTRY(WM_PAINT, 0, 0, 0, nullptr, self.OnPaint())
#define ON_WM_TIMER()                                                                              \
    AFX_MAP_ENTRY(WM_TIMER, 0, 0, 0, nullptr, self.OnTimer(static_cast<UINT_PTR>(call.wParam)))
#define ON_WM_CONTEXTMENU()                                                                        \
    AFX_MAP_ENTRY(WM_CONTEXTMENU, 0, 0, 0, nullptr,                                                \
                  self.OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)),        \
                                     CPoint(static_cast<short>(LOWORD(call.lParam)),               \
                                            static_cast<short>(HIWORD(call.lParam)))))
#define ON_WM_DROPFILES()                                                                          \
    AFX_MAP_ENTRY(WM_DROPFILES, 0, 0, 0, nullptr,                                                  \
                  self.OnDropFiles(reinterpret_cast<HDROP>(call.wParam)))
#define ON_WM_ERASEBKGND()                                                                         \
    AFX_MAP_ENTRY(WM_ERASEBKGND, 0, 0, 0, nullptr, CDC dc(reinterpret_cast<HDC>(call.wParam));     \
                  call.result = self.OnEraseBkgnd(&dc))
#define ON_WM_HSCROLL()                                                                            \
    AFX_MAP_ENTRY(WM_HSCROLL, 0, 0, 0, nullptr,                                                    \
                  self.OnHScroll(LOWORD(call.wParam), HIWORD(call.wParam),                         \
                                 CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))))
#define ON_WM_VSCROLL()                                                                            \
    AFX_MAP_ENTRY(WM_VSCROLL, 0, 0, 0, nullptr,                                                    \
                  self.OnVScroll(LOWORD(call.wParam), HIWORD(call.wParam),                         \
                                 CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))))
#define ON_WM_MOUSEWHEEL()                                                                         \
    AFX_MAP_ENTRY(WM_MOUSEWHEEL, 0, 0, 0, nullptr,                                                 \
                  call.result = self.OnMouseWheel(                                                 \
                      LOWORD(call.wParam), static_cast<short>(HIWORD(call.wParam)),                \
                      CPoint(static_cast<short>(LOWORD(call.lParam)),                              \
                             static_cast<short>(HIWORD(call.lParam)))))
#define ON_WM_SETFOCUS()                                                                           \
    AFX_MAP_ENTRY(WM_SETFOCUS, 0, 0, 0, nullptr,                                                   \
                  self.OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))))
#define ON_WM_KILLFOCUS()                                                                          \
    AFX_MAP_ENTRY(WM_KILLFOCUS, 0, 0, 0, nullptr,                                                  \
                  self.OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))))
#define ON_WM_CHAR()                                                                               \
    AFX_MAP_ENTRY(WM_CHAR, 0, 0, 0, nullptr,                                                       \
                  self.OnChar(static_cast<UINT>(call.wParam), LOWORD(call.lParam),                 \
                              HIWORD(call.lParam)))
#define ON_WM_GETDLGCODE()                                                                         \
    AFX_MAP_ENTRY(WM_GETDLGCODE, 0, 0, 0, nullptr, call.result = self.OnGetDlgCode())
