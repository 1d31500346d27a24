// Counts the WM_PAINT messages a window receives while the object lives, by subclassing the
// window in front of whatever procedure it has. One counter per window at a time.
#pragma once
#include <windows.h>

class PaintCounter
{
public:
    explicit PaintCounter(HWND window) : m_window(window)
    {
        ::SetPropA(window, kProperty, this);
        m_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Count)));
    }
    ~PaintCounter()
    {
        ::SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        ::RemovePropA(m_window, kProperty);
    }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    int Paints() const { return m_paints; }

private:
    static constexpr const char* kProperty = "PaintCounter";

    static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = static_cast<PaintCounter*>(::GetPropA(window, kProperty));
        if (message == WM_PAINT)
            ++self->m_paints;
        return ::CallWindowProcA(self->m_previous, window, message, wParam, lParam);
    }

    HWND m_window;
    WNDPROC m_previous = nullptr;
    int m_paints = 0;
};
