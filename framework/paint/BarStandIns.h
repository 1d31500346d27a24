// The bar, button and frame classes that painting and the relay-window rule recognise by class.
// They belong to the docking framework and the themed controls; until those exist these empty
// classes stand in for them, so that the rules can be built and tested.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/ControlBar.h"
#include "platform/FrameWnd.h"

// A bar that lays out nothing.
class CBarStandIn : public CControlBar
{
public:
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { }
};

class CExtStatusControlBar : public CBarStandIn
{
    DECLARE_DYNAMIC(CExtStatusControlBar)
};

class CExtDockOuterBar : public CBarStandIn
{
    DECLARE_DYNAMIC(CExtDockOuterBar)
};

class CExtMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNAMIC(CExtMiniDockFrameWnd)
};

class CExtTabMdiWnd : public CWnd
{
    DECLARE_DYNAMIC(CExtTabMdiWnd)
};

// The painters tell these apart by class too; bars and buttons of these kinds also answer the
// queries of PaintedBar.h.
class CExtMenuControlBar : public CBarStandIn
{
    DECLARE_DYNAMIC(CExtMenuControlBar)
};

class CExtPanelControlBar : public CBarStandIn
{
    DECLARE_DYNAMIC(CExtPanelControlBar)
};

class CExtDynTabWnd : public CWnd
{
    DECLARE_DYNAMIC(CExtDynTabWnd)
};

class CExtBarColorButton : public CObject
{
    DECLARE_DYNAMIC(CExtBarColorButton)
};

class CExtBarContentExpandButton : public CObject
{
    DECLARE_DYNAMIC(CExtBarContentExpandButton)
};

// The auto-hide area of the themed controls; its tab strip shows the frame's gradient.
class CExtDynAutoHideArea : public CWnd
{
    DECLARE_DYNAMIC(CExtDynAutoHideArea)
};
