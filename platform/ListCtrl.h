// CListCtrl: the system's list-view control, as used in report style: columns, rows of texts,
// item states and extended styles.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Wnd.h"

#include <commctrl.h>  // after windows.h

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // These return the new column's or item's index, or -1.
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1, int nSubItem = -1);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(const LVITEMA* pItem);

    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    // The next item after nItem (-1: from the start) with the LVNI_ flags' state; -1 for none.
    int GetNextItem(int nItem, int nFlags) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);

    // Both return the extended style before the call.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
};

// The list-view controls need the common controls' classes.
void AfxEnsureListViewClass();
