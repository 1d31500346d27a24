// CFrameWnd: a top-level window with a menu, accelerators, control bars and a view. Its layout
// gives each bar its share of the client area (WM_SIZEPARENT) and the rest to the view (child
// id AFX_IDW_PANE_FIRST). Commands go to the active view first, then to the frame, then to the
// application.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Wnd.h"

class CView;

// What a frame's creation passes to the views it creates.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
};

// Frame style bit kept for callers that pass the usual default style.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CFrameWnd)
public:
    // Creates the frame from resource nIDResource: its menu, accelerators and icon when they
    // exist, and as title the string nIDResource up to its first '\n'. With a context that names
    // a view class the view is created too. On failure the frame object is deleted.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    // Lays the bars and the view out in the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew) { m_pViewActive = pViewNew; }
    // Creates a view of pContext's class as child nID (visible, with a border); the first view
    // created becomes the active one. Null on failure.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Translates the frame's accelerators.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CString m_strTitle;
    HACCEL m_hAccelTable = nullptr;

protected:
    // Frames live on the heap and end with their window.
    void PostNcDestroy() override;
    // Creates the view a creation context asks for.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Closing goes through the (virtual) DestroyWindow.
    afx_msg void OnClose();
    // Updates the items of a menu about to open; items without a command handler are disabled.
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    // CAPS, NUM, SCRL and KANA panes are enabled while their key is toggled on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    CView* m_pViewActive = nullptr;
    bool m_inRecalcLayout = false;
};

// A frame with a small caption, as floating tool windows use.
class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(CMiniFrameWnd)
};
