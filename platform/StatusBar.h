// CStatusBar: a status bar (the system's status control) whose panes are named by indicator
// ids. Each pane has a style, a text width and a text; a stretching pane takes the width the
// others leave. At idle time each pane is offered to the frame's update handlers for its id.
#pragma once
#include "platform/WindowLayer.h"

#include <vector>

#include "platform/ControlBar.h"

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    // The bar styles (CBRS_xxx) in dwStyle become the bar's own style.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id. A pane's text and width come from the string of its id; ID_SEPARATOR
    // panes start empty, and the first of them stretches. False when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // The index of the pane with id nIDFind, or -1.
    int CommandToIndex(UINT nIDFind) const;
    // The pane's rectangle in the bar's client coordinates.
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const { return m_panes[nIndex].style; }
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const { return m_panes[nIndex].text; }
    // The control repaints a changed pane by itself; bUpdate is there for callers' sake.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // The bar's own update handlers come first, then pTarget's. Panes without a handler keep
    // their state.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);

    // Width of text in the bar's font.
    int TextWidth(LPCTSTR text) const;

    DECLARE_MESSAGE_MAP()

private:
    struct Pane
    {
        UINT id;
        UINT style;
        int width;
        CString text;
    };

    // Hands the panes' edges to the control.
    void UpdateParts();
    // Hands a pane's text and border style to the control (no text while it is disabled).
    void ShowPane(int nIndex);

    std::vector<Pane> m_panes;
};
