// CExtHookSink: an object that sees the messages of a window it does not own. Any number of
// sinks may attach to one window; the window is subclassed once by a shared procedure that
// offers every message to its sinks in chain order before the window's own procedure gets it.
// Sinks live on the window thread; the chains take no locks.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Array.h"
#include "platform/List.h"
#include "platform/Types.h"

class CExtHookSink
{
public:
    typedef CArray<CExtHookSink*, CExtHookSink*> HookSinkArray_t;
    struct HookChains_t;

    explicit CExtHookSink(bool enabled = true) : m_flags(enabled ? 1 : 0) { }
    // Virtual, so that a sink the chain deletes is destroyed as what it is.
    virtual ~CExtHookSink() = default;
    CExtHookSink(const CExtHookSink&) = delete;
    CExtHookSink& operator=(const CExtHookSink&) = delete;

    // Deleted when detached or when its window is destroyed.
    virtual bool IsAutoDelete() const { return false; }
    // The saved procedure of the window being dispatched, with its message; only from inside a
    // handler of this dispatch.
    virtual LRESULT CallOriginalProc(WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallOriginalProcEx(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallOriginalProcDefault();
    // True consumes the message with result. A disabled sink consumes nothing.
    virtual bool FilterMessage(LRESULT& result, HWND window, UINT message, WPARAM& wParam,
                               LPARAM& lParam);
    virtual bool OnHookCommand(LRESULT& result, HWND window, UINT code, UINT id, HWND control);
    virtual bool OnHookNotify(LRESULT& result, HWND window, UINT_PTR id, NMHDR* header);
    virtual bool OnHookPaint(LRESULT& result, HWND window, HDC dc);
    virtual bool OnHookEraseBackground(LRESULT& result, HWND window, HDC dc);
    virtual bool OnHookPrint(LRESULT& result, HWND window, HDC dc);
    virtual bool OnHookNcPaint(LRESULT& result, HWND window, HRGN region);
    virtual void OnHookNcDestroy() { }
    virtual void OnHookAttached(HWND) { }
    virtual void OnHookDetached(HWND) { }
    // Attaches (at the head with first) or, with detach, detaches. Detaching answers true for
    // every non-null window.
    virtual bool AttachToWindow(HWND window, bool detach = false, bool first = false);
    virtual void DetachFromAllWindows();

    bool IsAttachedTo(HWND window) const;
    void GetAttachedWindows(CList<HWND, HWND>& windows) const;
    bool IsEnabled() const { return m_flags & 1; }
    void SetEnabled(bool enabled) { m_flags = static_cast<BYTE>(enabled ? m_flags | 1 : m_flags & ~1); }
    // Bit 1: the window's own procedure does not get WM_NCDESTROY.
    void SetSwallowNcDestroy(bool swallow)
    {
        m_flags = static_cast<BYTE>(swallow ? m_flags | 2 : m_flags & ~2);
    }
    bool SwallowsNcDestroy() const { return m_flags & 2; }

    // How many windows have a chain (for tests of the teardown).
    static int HookedWindowCount();

private:
    BYTE m_flags;
};

LRESULT CALLBACK HookChainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
