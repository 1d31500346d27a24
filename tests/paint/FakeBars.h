// Bars and buttons that answer the painters' queries from plain fields, in the classes the
// painters recognise (any toolbar, the menu bar, the panel bar, the expand and colour buttons).
#pragma once
#include <windows.h>

#include <vector>

#include "framework/paint/PaintedBar.h"

template <class Base, class Queries>
class FakeBarOf : public Base, public Queries
{
public:
    bool HasDockSite() const override { return dockSite; }
    UINT GetDockBarId() const override { return dockBarId; }
    bool HasParentFrame() const override { return parentFrame; }
    DWORD GetBarStyle() const override { return style; }
    bool IsFrameless() const override { return frameless; }
    bool HasKeyboardFocus() const override { return focus; }
    RECT GetBarWindowRect() const override { return window; }
    RECT GetBarClientRect() const override { return client; }
    RECT GetBarCaptionRect() const override { return caption; }

    // Docked on the top side of a frame.
    bool dockSite = true;
    UINT dockBarId = kDockBarTop;
    bool parentFrame = true;
    DWORD style = CBRS_ALIGN_TOP;
    bool frameless = false;
    bool focus = false;
    RECT window = {0, 0, 100, 26};
    RECT client = {0, 0, 100, 26};
    RECT caption = {};

    void Float()
    {
        dockBarId = kDockBarFloat;
    }
    void DockLeft()
    {
        dockBarId = kDockBarLeft;
        style = CBRS_ALIGN_LEFT;
    }
};

template <class Base>
class FakeToolBarOf : public FakeBarOf<Base, CExtPaintedToolBar>
{
public:
    bool IsPanelBar() const override { return panelFlag; }
    CExtPaintedBarButton* GetExpandButton() const override { return expandButton; }
    int GetMenuTrackingButton() const override { return trackingButton; }
    CExtPaintedBarButton* GetButtonAtIndex(int index) const override
    {
        return index >= 0 && index < static_cast<int>(buttons.size()) ? buttons[index] : nullptr;
    }

    bool panelFlag = false;
    CExtPaintedBarButton* expandButton = nullptr;
    int trackingButton = -1;
    std::vector<CExtPaintedBarButton*> buttons;
};

using FakeControlBar = FakeBarOf<CBarStandIn, CExtPaintedBar>;
using FakeToolBar = FakeToolBarOf<CBarStandIn>;
using FakeMenuBar = FakeToolBarOf<CExtMenuControlBar>;
using FakePanelBar = FakeToolBarOf<CExtPanelControlBar>;

template <class Base>
class FakeButtonOf : public Base, public CExtPaintedBarButton
{
public:
    CExtPaintedToolBar* GetBar() const override { return bar; }
    RECT GetDrawRect() const override { return rect; }
    bool IsSeparateDropDown() const override { return separateDropDown; }
    CExtCmdIcon* GetButtonIcon() const override { return icon; }

    CExtPaintedToolBar* bar = nullptr;
    RECT rect = {};
    bool separateDropDown = false;
    CExtCmdIcon* icon = nullptr;
};

using FakeButton = FakeButtonOf<CObject>;
using FakeColorButton = FakeButtonOf<CExtBarColorButton>;
using FakeExpandButton = FakeButtonOf<CExtBarContentExpandButton>;
