#include "framework/paint/BarStandIns.h"

IMPLEMENT_DYNAMIC(CExtStatusControlBar, CControlBar)
IMPLEMENT_DYNAMIC(CExtDockOuterBar, CControlBar)
IMPLEMENT_DYNAMIC(CExtMiniDockFrameWnd, CMiniFrameWnd)
IMPLEMENT_DYNAMIC(CExtTabMdiWnd, CWnd)
IMPLEMENT_DYNAMIC(CExtMenuControlBar, CControlBar)
IMPLEMENT_DYNAMIC(CExtPanelControlBar, CControlBar)
IMPLEMENT_DYNAMIC(CExtDynTabWnd, CWnd)
IMPLEMENT_DYNAMIC(CExtBarColorButton, CObject)
IMPLEMENT_DYNAMIC(CExtBarContentExpandButton, CObject)
IMPLEMENT_DYNAMIC(CExtDynAutoHideArea, CWnd)
