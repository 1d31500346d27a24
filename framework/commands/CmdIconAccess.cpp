#include "framework/commands/CmdIconAccess.h"

#include "framework/paint/PaintManager.h"

// Until the command images land: a bitmap with its transparent colour, or an icon.
class CExtCmdIcon
{
public:
    CExtCmdIcon() = default;
    CExtCmdIcon(const CExtCmdIcon&) = delete;
    CExtCmdIcon& operator=(const CExtCmdIcon&) = delete;
    ~CExtCmdIcon()
    {
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
        if (m_icon)
            ::DestroyIcon(m_icon);
    }

    HBITMAP m_bitmap = nullptr;
    COLORREF m_transparent = 0;
    HICON m_icon = nullptr;
};

void CmdIconDeleter::operator()(CExtCmdIcon* icon) const
{
    delete icon;
}

CmdIconPtr CopyCommandIcon(const CExtCmdIcon& icon)
{
    CmdIconPtr copy(new CExtCmdIcon);
    copy->m_transparent = icon.m_transparent;
    if (icon.m_bitmap)
        copy->m_bitmap = CExtPaintManager::CopyBitmapArea(icon.m_bitmap);
    if (icon.m_icon)
        copy->m_icon = ::CopyIcon(icon.m_icon);
    return copy;
}

bool IsCommandIconEmpty(const CExtCmdIcon& icon)
{
    return !icon.m_bitmap && !icon.m_icon;
}

CmdIconPtr CommandIconFromBitmapArea(HBITMAP bitmap, COLORREF transparent, const RECT& area)
{
    CmdIconPtr image(new CExtCmdIcon);
    image->m_bitmap = CExtPaintManager::CopyBitmapArea(bitmap, &area);
    image->m_transparent = transparent;
    return image;
}

CmdIconPtr CommandIconFromHandle(HICON icon, bool copy)
{
    CmdIconPtr image(new CExtCmdIcon);
    image->m_icon = copy ? ::CopyIcon(icon) : icon;
    return image;
}

SIZE CommandIconSize(const CExtCmdIcon& icon)
{
    BITMAP bitmap = {};
    if (icon.m_bitmap)
        ::GetObjectA(icon.m_bitmap, sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

COLORREF CommandIconTransparentColor(const CExtCmdIcon& icon)
{
    return icon.m_transparent;
}

void RelaySysColorChange(CExtCmdIcon&) { }
void RelaySettingChange(CExtCmdIcon&, UINT, LPCTSTR) { }
void RelayDisplayChange(CExtCmdIcon&, int, int, int) { }
void RelayThemeChanged(CExtCmdIcon&, WPARAM, LPARAM) { }
