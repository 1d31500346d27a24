// The control bar and the auto-hide slider as the resizable dialog sees them: a pane hosted in
// either hands its keys to its host first, and a dialog offers its keys and its idle update to
// the control bars it holds (a pane's toolbar). The docking framework replaces these small
// stand-ins with the real bars.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/paint/BarStandIns.h"

class CExtControlBar : public CBarStandIn
{
    DECLARE_DYNAMIC(CExtControlBar)
public:
    // Offers pMsg to PreTranslateMessage of each control bar that is a direct child of dialog,
    // in z-order; true at the first that handles it.
    static bool RelayDialogPreTranslate(CWnd* dialog, MSG* pMsg);
    // Updates the commands of each control bar that is a direct child of dialog.
    static void RelayDialogIdleUpdate(CWnd* dialog, BOOL bDisableIfNoHndler);

    // Updates the bar's items against its frame (none for a bar without one); an update that
    // is already running on the bar is not started again.
    virtual void UpdateBarCmdUI(BOOL bDisableIfNoHndler);

private:
    bool m_updating = false;
};

// The window an auto-hidden bar slides out in.
class CExtDynAutoHideSlider : public CWnd
{
    DECLARE_DYNAMIC(CExtDynAutoHideSlider)
};
