// Window creation and destruction for CWnd, and the window classes the layer registers.
//
// A window created through CreateEx is adopted by its object from its very first message on:
// a creation hook (WH_CBT) subclasses the new window before it receives WM_NCCREATE, whatever
// its class, so system controls and dialogs get the same dispatch as the layer's own classes.
#include "platform/Wnd.h"

#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "platform/WinApp.h"

namespace {

// The object waiting for its window, and the hook of the outermost creation under way.
struct PendingCreation
{
    CWnd* wnd = nullptr;
    LPCSTR className = nullptr;
    HHOOK hook = nullptr;
};

thread_local PendingCreation t_pending;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = reinterpret_cast<HWND>(wParam);
    // The class check skips windows the system makes on the side, such as the IME window.
    if (code == HCBT_CREATEWND && t_pending.wnd && AfxIsWindowOfClass(hWnd, t_pending.className)) {
        CWnd* wnd = t_pending.wnd;
        t_pending.wnd = nullptr;
        wnd->SubclassWindow(hWnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The expectation of HookWindowCreate: no scope spans it, so it has a hook of its own that
// goes as soon as the window is adopted.
thread_local PendingCreation t_deferred;

LRESULT CALLBACK DeferredCreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallNextHookEx(nullptr, code, wParam, lParam);
    const HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && t_deferred.wnd && AfxIsWindowOfClass(hWnd, t_deferred.className)) {
        CWnd* wnd = std::exchange(t_deferred.wnd, nullptr);
        ::UnhookWindowsHookEx(std::exchange(t_deferred.hook, nullptr));
        wnd->SubclassWindow(hWnd);
    }
    return result;
}

// Expects the next window of className that this thread creates to belong to wnd. Creations
// nest (a window creates its children while it is created), so each scope restores the outer
// one; the outermost installs and removes the hook.
class CreationScope
{
public:
    CreationScope(CWnd* wnd, LPCSTR className)
        : m_outer(t_pending)
    {
        t_pending.wnd = wnd;
        t_pending.className = className;
        if (!t_pending.hook) {
            t_pending.hook =
                ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
            m_ownsHook = true;
        }
    }
    ~CreationScope()
    {
        if (m_ownsHook)
            ::UnhookWindowsHookEx(t_pending.hook);
        t_pending = m_outer;
    }
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

    bool Adopted() const { return t_pending.wnd == nullptr; }

private:
    PendingCreation m_outer;
    bool m_ownsHook = false;
};

} // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // Registered names stay valid for the life of the process.
    static std::set<std::string> registered;
    const HINSTANCE instance = AfxGetInstanceHandle();
    char name[80];
    std::snprintf(name, sizeof name, "Qv:%p:%x:%p:%p:%p", static_cast<void*>(instance),
                  nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));
    const auto [position, inserted] = registered.insert(name);
    if (inserted) {
        WNDCLASSA windowClass = {};
        windowClass.style = nClassStyle;
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.hIcon = hIcon;
        windowClass.hCursor = hCursor;
        windowClass.hbrBackground = hbrBackground;
        windowClass.lpszClassName = position->c_str();
        ::RegisterClassA(&windowClass);
    }
    return position->c_str();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth,
                        y, x, static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName,
                        dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    return CreateAndAdopt(cs.lpszClass, [&cs] {
        return ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                 static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    });
}

BOOL CWnd::CreateAndAdopt(LPCSTR lpszClassName, const std::function<HWND()>& create)
{
    CreationScope scope(this, lpszClassName);
    const HWND hWnd = create();
    if (!scope.Adopted()) {
        // Never ours: a window of another class must not outlive the failed creation.
        if (hWnd)
            ::DestroyWindow(hWnd);
        PostNcDestroy();
        return FALSE;
    }
    // A window that was adopted and then failed has been through WM_NCDESTROY, whose
    // PostNcDestroy may have deleted this object: touch nothing then.
    return hWnd != nullptr;
}

BOOL CWnd::HookWindowCreate(LPCSTR lpszClassName)
{
    if (!t_deferred.hook)
        t_deferred.hook = ::SetWindowsHookExA(WH_CBT, &DeferredCreationHook, nullptr,
                                              ::GetCurrentThreadId());
    if (!t_deferred.hook)
        return FALSE;
    t_deferred.wnd = this;
    t_deferred.className = lpszClassName;
    return TRUE;
}

void CWnd::CancelWindowCreateHook(const CWnd* wnd)
{
    if (!wnd || t_deferred.wnd != wnd)
        return;
    t_deferred.wnd = nullptr;
    ::UnhookWindowsHookEx(std::exchange(t_deferred.hook, nullptr));
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    if (FromHandlePermanent(m_hWnd) == this)
        return ::DestroyWindow(m_hWnd);
    // A temporary or borrowed object: the window goes, the object stays.
    return ::DestroyWindow(std::exchange(m_hWnd, nullptr));
}

bool AfxIsWindowOfClass(HWND hWnd, LPCSTR className)
{
    if (IS_INTRESOURCE(className))
        return ::GetClassWord(hWnd, GCW_ATOM) == LOWORD(reinterpret_cast<UINT_PTR>(className));
    char name[256];
    return ::GetClassNameA(hWnd, name, sizeof name) > 0 && ::lstrcmpiA(name, className) == 0;
}
