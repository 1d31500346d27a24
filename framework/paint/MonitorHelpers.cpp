// The monitor nearest to a point, rectangle or window, and fitting a rectangle onto it.
#include "framework/paint/PaintManager.h"
#include "platform/Wnd.h"

namespace {

void FromMonitor(CExtPaintManager::MonitorRects_t& rects, HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (monitor && ::GetMonitorInfoA(monitor, &info)) {
        rects.m_monitor = info.rcMonitor;
        rects.m_workArea = info.rcWork;
        rects.m_flags = (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0;
        return;
    }
    ::GetWindowRect(::GetDesktopWindow(), &rects.m_monitor);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rects.m_workArea, 0);
    rects.m_flags = 1;
}

} // namespace

void CExtPaintManager::GetMonitorRectsFromPoint(MonitorRects_t& rects, POINT point)
{
    FromMonitor(rects, ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::GetMonitorRectsFromRect(MonitorRects_t& rects, const RECT& rect)
{
    FromMonitor(rects, ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

void CExtPaintManager::GetMonitorRectsFromHwnd(MonitorRects_t& rects, HWND window)
{
    RECT rect = {0, 0, 0, 0};
    ::GetWindowRect(window, &rect);
    GetMonitorRectsFromRect(rects, rect);
}

void CExtPaintManager::GetMonitorRectsFromWindow(MonitorRects_t& rects, CWnd* window)
{
    GetMonitorRectsFromHwnd(rects, window ? window->m_hWnd : nullptr);
}

RECT CExtPaintManager::FitRectToMonitor(RECT rect, bool useWorkArea, bool keepInside)
{
    MonitorRects_t rects;
    GetMonitorRectsFromRect(rects, rect);
    const RECT& bounds = useWorkArea ? rects.m_workArea : rects.m_monitor;
    const auto shift = [&rect](LONG dx, LONG dy) { ::OffsetRect(&rect, dx, dy); };
    if (rect.left >= bounds.right)
        shift(bounds.right - rect.right, 0);
    if (rect.top >= bounds.bottom)
        shift(0, bounds.bottom - rect.bottom);
    if (rect.right <= bounds.left)
        shift(bounds.left - rect.left, 0);
    if (rect.bottom <= bounds.top)
        shift(0, bounds.top - rect.top);
    if (keepInside) {
        if (rect.right > bounds.right)
            shift(bounds.right - rect.right, 0);
        if (rect.bottom > bounds.bottom)
            shift(0, bounds.bottom - rect.bottom);
        if (rect.left < bounds.left)
            shift(bounds.left - rect.left, 0);
        if (rect.top < bounds.top)
            shift(0, bounds.top - rect.top);
    }
    return rect;
}
