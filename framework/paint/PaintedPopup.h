// What the menu painters ask of the popup that owns what they paint: the popup menu windows
// answer these queries, and a painter finds them from the owner object it was handed
// (PaintedPopupOf, PaintedPopupMenuOf). An owner that answers none is painted as no popup.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Object.h"

// One item of a popup menu.
class CExtPaintedMenuItem
{
public:
    // The check and icon column at the item's left.
    virtual int GetIconAreaWidth() const = 0;
    // The item shows no icon column.
    virtual bool IsNoIconColumn() const = 0;

protected:
    virtual ~CExtPaintedMenuItem() = default;
};

class CExtPaintedPopup
{
public:
    // The toolbar whose button opened the popup, or null.
    virtual const CObject* GetPopupOwnerData() const = 0;
    // The popup paints the edge it shares with its button through the framework's join painter.
    virtual bool PaintsFrameworkJoin() const = 0;

protected:
    virtual ~CExtPaintedPopup() = default;
};

class CExtPaintedPopupMenu : public CExtPaintedPopup
{
public:
    virtual int GetPaintedItemCount() const = 0;
    // Null outside the items.
    virtual const CExtPaintedMenuItem* GetPaintedItemAt(int index) const = 0;
};

inline const CExtPaintedPopup* PaintedPopupOf(const CObject* owner)
{
    return dynamic_cast<const CExtPaintedPopup*>(owner);
}

inline const CExtPaintedPopupMenu* PaintedPopupMenuOf(const CObject* owner)
{
    return dynamic_cast<const CExtPaintedPopupMenu*>(owner);
}
