// The chains: one per hooked window in a process-wide map, and the shared window procedure.
// A chain stays alive while a dispatch runs through it, and the dispatch looks its place up again
// after every sink, so a sink that detaches itself or another, or a handler that destroys the
// window, never makes it read past the chain or touch freed memory.
#include "framework/paint/HookSink.h"

#include "platform/Map.h"

struct CExtHookSink::HookChains_t
{
    BYTE m_flags = 0;  // bit 0: swallow WM_NCDESTROY for the whole chain
    HookSinkArray_t m_sinks;
    HWND m_window = nullptr;
    WNDPROC m_savedProc = nullptr;
    // Dispatches running through this chain; a chain torn down meanwhile is freed by the last.
    int m_dispatching = 0;
    bool m_torn = false;

    INT_PTR IndexOf(const CExtHookSink* sink) const
    {
        for (INT_PTR i = 0; i < m_sinks.GetSize(); ++i) {
            if (m_sinks[i] == sink)
                return i;
        }
        return -1;
    }
};

namespace {

using Chain = CExtHookSink::HookChains_t;

CMap<HWND, HWND, Chain*, Chain*>& Chains()
{
    static CMap<HWND, HWND, Chain*, Chain*> chains;
    return chains;
}

Chain* ChainOf(HWND window)
{
    Chain* chain = nullptr;
    return Chains().Lookup(window, chain) ? chain : nullptr;
}

// The message being dispatched on this thread, for CallOriginalProc and its kin.
struct Dispatch
{
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
thread_local Dispatch t_dispatch;

class DispatchScope
{
public:
    DispatchScope(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        : m_outer(t_dispatch)
    {
        t_dispatch = {window, message, wParam, lParam};
    }
    ~DispatchScope() { t_dispatch = m_outer; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    Dispatch m_outer;
};

// The window's end: auto-delete sinks go, the procedure comes back (only when it is still
// ours: someone who subclassed after us keeps theirs) and the window leaves the map. The chain
// itself is freed by whoever holds it last.
void TearDown(Chain* chain)
{
    while (chain->m_sinks.GetSize() > 0) {
        CExtHookSink* sink = chain->m_sinks[chain->m_sinks.GetSize() - 1];
        chain->m_sinks.RemoveAt(chain->m_sinks.GetSize() - 1);
        if (sink->IsAutoDelete())
            delete sink;
    }
    if (::IsWindow(chain->m_window) &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(chain->m_window, GWLP_WNDPROC)) ==
            HookChainWindowProc)
        ::SetWindowLongPtrA(chain->m_window, GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(chain->m_savedProc));
    Chains().RemoveKey(chain->m_window);
    chain->m_torn = true;
}

} // namespace

LRESULT CALLBACK HookChainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DispatchScope scope(window, message, wParam, lParam);
    Chain* chain = ChainOf(window);
    if (!chain)
        return 0;
    const WNDPROC savedProc = chain->m_savedProc;
    ++chain->m_dispatching;
    bool consumed = false, swallow = false;
    LRESULT result = 0;
    for (INT_PTR i = 0; !consumed && i < chain->m_sinks.GetSize();) {
        CExtHookSink* sink = chain->m_sinks[i];
        if (message == WM_NCDESTROY) {
            swallow = swallow || (chain->m_flags & 1) || sink->SwallowsNcDestroy();
            sink->OnHookNcDestroy();
        } else {
            result = 0;
            consumed = sink->FilterMessage(result, window, message, wParam, lParam);
            t_dispatch.wParam = wParam;
            t_dispatch.lParam = lParam;
        }
        // The sink may have left (and been deleted) or others may have come or gone: go on after
        // its place now, or at the same index when it is gone.
        const INT_PTR at = chain->IndexOf(sink);
        i = at >= 0 ? at + 1 : i;
    }
    --chain->m_dispatching;
    if (!consumed) {
        if (message == WM_NCDESTROY) {
            if (!chain->m_torn)
                TearDown(chain);
            if (!swallow)
                result = ::CallWindowProcA(savedProc, window, message, wParam, lParam);
        } else if (!chain->m_torn) {
            result = ::CallWindowProcA(savedProc, window, message, wParam, lParam);
        }
    }
    if (chain->m_torn && chain->m_dispatching == 0)
        delete chain;
    return result;
}

bool CExtHookSink::AttachToWindow(HWND window, bool detach, bool first)
{
    if (!window)
        return false;
    if (detach) {
        Chain* chain = ChainOf(window);
        const INT_PTR at = chain ? chain->IndexOf(this) : -1;
        if (at >= 0) {
            OnHookDetached(window);
            chain->m_sinks.RemoveAt(chain->IndexOf(this));
            if (IsAutoDelete())
                delete this;
        }
        return true;
    }
    if (!::IsWindow(window))
        return false;
    Chain* chain = ChainOf(window);
    if (chain && chain->IndexOf(this) >= 0)
        return true;
    if (!chain) {
        chain = new Chain;
        chain->m_window = window;
        chain->m_savedProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookChainWindowProc)));
        Chains().SetAt(window, chain);
    }
    if (first)
        chain->m_sinks.InsertAt(0, this);
    else
        chain->m_sinks.Add(this);
    OnHookAttached(window);
    return true;
}

void CExtHookSink::DetachFromAllWindows()
{
    CList<HWND, HWND> windows;
    GetAttachedWindows(windows);
    for (POSITION at = windows.GetHeadPosition(); at;)
        AttachToWindow(windows.GetNext(at), true, false);
}

bool CExtHookSink::IsAttachedTo(HWND window) const
{
    Chain* chain = ChainOf(window);
    return chain && chain->IndexOf(this) >= 0;
}

void CExtHookSink::GetAttachedWindows(CList<HWND, HWND>& windows) const
{
    windows.RemoveAll();
    HWND window;
    Chain* chain;
    for (POSITION at = Chains().GetStartPosition(); at;) {
        Chains().GetNextAssoc(at, window, chain);
        if (chain->IndexOf(this) >= 0)
            windows.AddTail(window);
    }
}

int CExtHookSink::HookedWindowCount()
{
    return static_cast<int>(Chains().GetCount());
}

LRESULT CExtHookSink::CallOriginalProc(WPARAM wParam, LPARAM lParam)
{
    return CallOriginalProcEx(t_dispatch.message, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalProcEx(UINT message, WPARAM wParam, LPARAM lParam)
{
    Chain* chain = ChainOf(t_dispatch.window);
    if (!chain)
        return 0;
    return ::CallWindowProcA(chain->m_savedProc, t_dispatch.window, message, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalProcDefault()
{
    return CallOriginalProcEx(t_dispatch.message, t_dispatch.wParam, t_dispatch.lParam);
}

bool CExtHookSink::FilterMessage(LRESULT& result, HWND window, UINT message, WPARAM& wParam,
                                 LPARAM& lParam)
{
    if (!IsEnabled())
        return false;
    switch (message) {
    case WM_COMMAND:
        return OnHookCommand(result, window, HIWORD(wParam), LOWORD(wParam),
                             reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return OnHookNotify(result, window, wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_PAINT:
        return OnHookPaint(result, window, reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND:
        return OnHookEraseBackground(result, window, reinterpret_cast<HDC>(wParam));
    case WM_PRINT:
        return OnHookPrint(result, window, reinterpret_cast<HDC>(wParam));
    case WM_NCPAINT:
        return OnHookNcPaint(result, window, reinterpret_cast<HRGN>(wParam));
    default:
        return false;
    }
}

bool CExtHookSink::OnHookCommand(LRESULT&, HWND, UINT, UINT, HWND) { return false; }
bool CExtHookSink::OnHookNotify(LRESULT&, HWND, UINT_PTR, NMHDR*) { return false; }
bool CExtHookSink::OnHookPaint(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::OnHookEraseBackground(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::OnHookPrint(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::OnHookNcPaint(LRESULT&, HWND, HRGN) { return false; }
