// CColorStatusBar: the main window's status bar. Its panes may show an icon besides their text
// and have a tool tip each; a pane whose text or icon changes is sized to fit them. A double
// click on a pane sends the pane's indicator id to the parent as a command.
#pragma once

#include "platform/CmdUI.h"
#include "platform/StatusBar.h"

#include <commctrl.h>  // after windows.h

class CColorStatusBar : public CStatusBar
{
    DECLARE_DYNAMIC(CColorStatusBar)
public:
    // The layer's indicator set-up, then a tool tip for each pane whose entry in lpTipIDs (a
    // string id) is not 0 and the icon of each pane whose entry in lpIcons is not null. The
    // icons stay the caller's.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount, const UINT* lpTipIDs,
                       const HICON* lpIcons);

    // Sets the text and fits the pane to it.
    void SetPaneTextFitted(int nIndex, LPCTSTR lpszText);
    void SetPaneTipText(int nIndex, LPCTSTR lpszText);
    void SetPaneWidth(int nIndex, int cxWidth);
    // Sets the icon (null for none) and fits the pane to it.
    void SetPaneIcon(int nIndex, HICON hIcon);

    // What a pane's icon adds to its width: the small-icon width and the gap before the text.
    static int IconWidth();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Each pane's update goes through a CColorStatusCmdUI, first to the bar, then to pTarget.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    UINT PaneId(int nIndex) const;
    // The pane's tool tip entry, addressed by the pane's indicator id.
    TOOLINFOA ToolOf(int nIndex) const;
    // Width = text extent, plus IconWidth when the pane has an icon.
    void FitPane(int nIndex);
    void MoveToolRects();

    static const int kIconTextGap = 8;

    HWND m_hToolTip = nullptr;
};

// The update object the bar offers for each pane. Update handlers that serve other update
// objects too tell it apart with FromCmdUI.
class CColorStatusCmdUI : public CCmdUI
{
public:
    // Carried in m_hMenu, where menu update objects have their menu.
    static const UINT kMark = 9999;

    explicit CColorStatusCmdUI(CColorStatusBar& bar);
    // pCmdUI when it is a status bar's update object, otherwise null.
    static CColorStatusCmdUI* FromCmdUI(CCmdUI* pCmdUI);

    void Enable(BOOL bOn = TRUE) override;
    // Checked panes pop out.
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
    virtual void SetTipText(LPCTSTR lpszText);
    virtual void SetWidth(int cxWidth);
    virtual void SetIcon(HICON hIcon);

private:
    void SetStyleBit(UINT bit, bool on);

    CColorStatusBar& m_bar;
};
