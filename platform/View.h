// CView: the window that fills a frame's client area and gets the frame's commands first.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Wnd.h"

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    // A border becomes a sunken client edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    // Views live on the heap and end with their window.
    void PostNcDestroy() override;
    // The frame stops routing commands to a destroyed view.
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
