// CControlBar: a bar along one side of a frame (or any window that lays out its children with
// RepositionBars). During a layout pass it takes its share of the free client area; at idle
// time it updates its items through the frame's update handlers.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Wnd.h"

// Bar styles, kept in the bar's own style (they overlap the window style's control bits).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ALL 0x0040FFFFL

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    // The size the bar needs; with bStretch it spans the whole free width (or height).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) = 0;
    // Offers each item to the update handlers of pTarget.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    // The CBRS_xxx styles.
    DWORD m_dwStyle = 0;
};
