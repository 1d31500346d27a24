#include "framework/dialogs/SkinSupport.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "framework/menus/PopupMenuWnd.h"

namespace {

// The next number of text at position, skipping one comma before all but the first.
bool ReadNumber(const char*& position, bool first, int& value)
{
    if (!first) {
        if (*position != ',')
            return false;
        ++position;
    }
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(position, &end, 10);
    if (end == position || errno == ERANGE || number < INT_MIN || number > INT_MAX)
        return false;
    position = end;
    value = static_cast<int>(number);
    return true;
}

} // namespace

CString FormatPlacementText(const WINDOWPLACEMENT& placement)
{
    CString text;
    const RECT& normal = placement.rcNormalPosition;
    text.Format("%d,%d,%d,%d,%d,%d", static_cast<int>(normal.left), static_cast<int>(normal.top),
                static_cast<int>(normal.right), static_cast<int>(normal.bottom),
                static_cast<int>(placement.showCmd), static_cast<int>(placement.flags));
    return text;
}

bool ParsePlacementText(LPCTSTR text, WINDOWPLACEMENT& placement)
{
    if (!text)
        return false;
    int values[6] = {};
    const char* position = text;
    for (int i = 0; i < 6; ++i) {
        if (!ReadNumber(position, i == 0, values[i]))
            return false;
    }
    placement.rcNormalPosition = {values[0], values[1], values[2], values[3]};
    placement.showCmd = static_cast<UINT>(values[4]);
    placement.flags = static_cast<UINT>(values[5]);
    return true;
}

CExtSolidBrushCache::~CExtSolidBrushCache()
{
    if (m_brush)
        ::DeleteObject(m_brush);
}

HBRUSH CExtSolidBrushCache::Get(COLORREF color)
{
    if (m_brush && color == m_color)
        return m_brush;
    if (m_brush)
        ::DeleteObject(m_brush);
    m_brush = ::CreateSolidBrush(color);
    m_color = color;
    return m_brush;
}

bool TrackSystemPopupMenu(HWND window, HMENU systemMenu, POINT at, bool fromKeyboard)
{
    auto* menu = new CExtPopupMenuWnd;
    // The system menu itself holds the items; its commands come back as WM_SYSCOMMAND.
    if (!menu->BuildFromMenu(window, systemMenu, false, true)) {
        delete menu;
        return false;
    }
    const UINT kSystemMenuSide = 6;
    const UINT flags =
        kSystemMenuSide | (fromKeyboard ? CExtPopupMenuWnd::kTrackSelectFirst : 0);
    if (!menu->TrackMenu(flags, at.x, at.y)) {
        delete menu;
        return false;
    }
    return true;
}

bool IsAnyPopupMenuOpen()
{
    return CExtPopupMenuWnd::AnyMenuOpen();
}

void CloseAllPopupMenus()
{
    CExtPopupMenuWnd::CloseAllMenus();
}
