// What the painters ask of the bars, toolbars and toolbar buttons they paint. The docking
// framework's bars and buttons answer these questions; a painter finds them from the owner object
// it was handed (PaintedBarOf and friends), and paints an owner that answers none as a plain
// window. The docking rules (floating, docked vertically or on a frame side) are computed here
// from the bar's dock-bar id, so that every bar follows the same rules.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/paint/BarStandIns.h"
#include "platform/ControlBar.h"
#include "platform/Object.h"

class CExtCmdIcon;
class CExtPaintedToolBar;

// The frame's four side dock bars, and the dock bar of a floating frame.
enum DockBarId : UINT
{
    kDockBarTop = 59419,
    kDockBarLeft = 59420,
    kDockBarRight = 59421,
    kDockBarBottom = 59422,
    kDockBarFloat = 59423
};

class CExtPaintedBar
{
public:
    // The frame whose dock bars the bar docks into (kept while it floats); none in a dialog.
    virtual bool HasDockSite() const = 0;
    // The id of the dock bar holding the bar, 0 when none does.
    virtual UINT GetDockBarId() const = 0;
    virtual bool HasParentFrame() const = 0;
    // The CBRS_xxx style bits.
    virtual DWORD GetBarStyle() const = 0;
    // Set for toolbars placed in dialogs.
    virtual bool IsFrameless() const = 0;
    virtual bool HasKeyboardFocus() const = 0;
    // Window coordinates: the window rectangle starts at (0, 0).
    virtual RECT GetBarWindowRect() const = 0;
    virtual RECT GetBarClientRect() const = 0;
    virtual RECT GetBarCaptionRect() const = 0;
    virtual bool IsFixedSizeBar() const { return false; }

    bool IsFloating() const { return HasParentFrame() && !IsSideDockBarId(GetDockBarId()); }
    bool IsDockedVertically() const;
    bool IsDockedHorizontally() const;
    bool IsDockedOnFrameSide() const { return !HasDockSite() || IsSideDockBarId(GetDockBarId()); }
    // The window rectangle in client coordinates.
    RECT GetWindowRectInClient() const;

    static bool IsSideDockBarId(UINT id) { return id >= kDockBarTop && id <= kDockBarBottom; }

protected:
    virtual ~CExtPaintedBar() = default;
};

class CExtPaintedBarButton
{
public:
    virtual CExtPaintedToolBar* GetBar() const = 0;
    virtual RECT GetDrawRect() const = 0;
    // The drop-down arrow is a part of its own at the button's far end.
    virtual bool IsSeparateDropDown() const = 0;
    // The command's image, or null.
    virtual CExtCmdIcon* GetButtonIcon() const = 0;

protected:
    virtual ~CExtPaintedBarButton() = default;
};

class CExtPaintedToolBar : public CExtPaintedBar
{
public:
    bool IsFixedSizeBar() const override { return true; }
    // Set only by the panel bar, which makes no expand button.
    virtual bool IsPanelBar() const = 0;
    virtual CExtPaintedBarButton* GetExpandButton() const = 0;
    // The button whose menu is open, -1 for none.
    virtual int GetMenuTrackingButton() const = 0;
    // Null outside the buttons.
    virtual CExtPaintedBarButton* GetButtonAtIndex(int index) const = 0;
};

inline const CExtPaintedBar* PaintedBarOf(const CObject* owner)
{
    return dynamic_cast<const CExtPaintedBar*>(owner);
}

inline const CExtPaintedToolBar* PaintedToolBarOf(const CObject* owner)
{
    return dynamic_cast<const CExtPaintedToolBar*>(owner);
}

inline const CExtPaintedBarButton* PaintedButtonOf(const CObject* owner)
{
    return dynamic_cast<const CExtPaintedBarButton*>(owner);
}

// The kinds painters tell apart by class.
inline bool IsMenuBar(const CObject* owner)
{
    return owner && owner->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar));
}

// By class, or by the flag of a toolbar that a panel bar made.
inline bool IsPanelBar(const CObject* owner)
{
    if (owner && owner->IsKindOf(RUNTIME_CLASS(CExtPanelControlBar)))
        return true;
    const CExtPaintedToolBar* toolBar = PaintedToolBarOf(owner);
    return toolBar && toolBar->IsPanelBar();
}

inline bool CExtPaintedBar::IsDockedVertically() const
{
    if (!HasDockSite())
        return (GetBarStyle() & CBRS_ORIENT_VERT) != 0;
    const UINT id = GetDockBarId();
    return id == kDockBarLeft || id == kDockBarRight;
}

inline bool CExtPaintedBar::IsDockedHorizontally() const
{
    if (!HasDockSite())
        return (GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
    const UINT id = GetDockBarId();
    return id == kDockBarTop || id == kDockBarBottom;
}

inline RECT CExtPaintedBar::GetWindowRectInClient() const
{
    RECT window = GetBarWindowRect();
    const RECT client = GetBarClientRect();
    ::OffsetRect(&window, -client.left, -client.top);
    return window;
}
