// CListView: a view whose window is a list-view control. GetListCtrl gives the control's
// operations on the view's own window.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/ListCtrl.h"
#include "platform/View.h"

class CListView : public CView
{
    DECLARE_DYNCREATE(CListView)
public:
    ~CListView() override;

    CListCtrl& GetListCtrl() const;

    // The window class becomes the list-view control's.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

private:
    // Borrows the view's window; it is never entered in the handle map.
    mutable CListCtrl m_listCtrl;
};
