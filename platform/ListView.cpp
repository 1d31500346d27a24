#include "platform/ListView.h"

IMPLEMENT_DYNCREATE(CListView, CView)

CListView::~CListView()
{
    // The window is the view's, not the borrowing control object's.
    m_listCtrl.m_hWnd = nullptr;
}

CListCtrl& CListView::GetListCtrl() const
{
    m_listCtrl.m_hWnd = m_hWnd;
    return m_listCtrl;
}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs)
{
    AfxEnsureListViewClass();
    cs.lpszClass = WC_LISTVIEWA;
    return CView::PreCreateWindow(cs);
}
