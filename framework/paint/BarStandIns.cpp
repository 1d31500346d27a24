#include "framework/paint/BarStandIns.h"

IMPLEMENT_DYNAMIC(CExtStatusControlBar, CControlBar)
IMPLEMENT_DYNAMIC(CExtDockOuterBar, CControlBar)
IMPLEMENT_DYNAMIC(CExtMiniDockFrameWnd, CMiniFrameWnd)
IMPLEMENT_DYNAMIC(CExtTabMdiWnd, CWnd)
