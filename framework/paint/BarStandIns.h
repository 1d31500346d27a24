// The bar and frame classes that the relay-window rule recognises by class. They belong to the
// docking framework and the themed controls; until those exist these empty classes stand in
// for them, so that the rule can be built and tested.
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
