// What the command model asks of a command's image, in one place: making, copying and deleting
// images and passing system changes on to them.
#pragma once
#include "platform/WindowLayer.h"

#include <memory>

#include "platform/Types.h"

class CExtCmdIcon;

struct CmdIconDeleter
{
    void operator()(CExtCmdIcon* icon) const;
};
using CmdIconPtr = std::unique_ptr<CExtCmdIcon, CmdIconDeleter>;

// Null when the copy cannot be made.
CmdIconPtr CopyCommandIcon(const CExtCmdIcon& icon);
bool IsCommandIconEmpty(const CExtCmdIcon& icon);
// A copy of one area of a bitmap, pixels of the transparent colour left out.
CmdIconPtr CommandIconFromBitmapArea(HBITMAP bitmap, COLORREF transparent, const RECT& area);
// Duplicates the handle with copy, takes it over otherwise.
CmdIconPtr CommandIconFromHandle(HICON icon, bool copy);
SIZE CommandIconSize(const CExtCmdIcon& icon);
COLORREF CommandIconTransparentColor(const CExtCmdIcon& icon);

void RelaySysColorChange(CExtCmdIcon& icon);
void RelaySettingChange(CExtCmdIcon& icon, UINT flags, LPCTSTR section);
void RelayDisplayChange(CExtCmdIcon& icon, int bitsPerPixel, int width, int height);
void RelayThemeChanged(CExtCmdIcon& icon, WPARAM wParam, LPARAM lParam);
