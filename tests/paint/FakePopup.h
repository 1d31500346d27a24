// A popup menu that answers the menu painters' queries from plain fields.
#pragma once
#include <vector>

#include "framework/paint/PaintedPopup.h"

class FakeMenuItem : public CExtPaintedMenuItem
{
public:
    FakeMenuItem(int width, bool noColumn) : iconAreaWidth(width), noIconColumn(noColumn) { }
    int GetIconAreaWidth() const override { return iconAreaWidth; }
    bool IsNoIconColumn() const override { return noIconColumn; }

    int iconAreaWidth;
    bool noIconColumn;
};

class FakePopupMenu : public CObject, public CExtPaintedPopupMenu
{
public:
    const CObject* GetPopupOwnerData() const override { return ownerData; }
    bool PaintsFrameworkJoin() const override { return frameworkJoin; }
    int GetPaintedItemCount() const override { return static_cast<int>(items.size()); }
    const CExtPaintedMenuItem* GetPaintedItemAt(int index) const override
    {
        return index >= 0 && index < GetPaintedItemCount() ? &items[index] : nullptr;
    }

    const CObject* ownerData = nullptr;
    bool frameworkJoin = true;
    std::vector<FakeMenuItem> items;
};
