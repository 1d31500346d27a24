// CPropertySheet: the common controls' property sheet around CPropertyPage objects, created
// modeless (a popup with its caption, or a child window). The sheet's object adopts the sheet
// window from its first message on, and each page's object its page when the sheet creates it.
#pragma once
#include "platform/WindowLayer.h"

#include <vector>

#include "platform/PropertyPage.h"
#include "platform/String.h"
#include "platform/Wnd.h"

#include <commctrl.h>  // after windows.h

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr,
                            UINT iSelectPage = 0);
    // The window goes while the page descriptions it was made from still exist.
    ~CPropertySheet() override;

    // The header the sheet is created from; pages and flags are filled by Create.
    PROPSHEETHEADERA m_psh;

    // Pages are added before Create; the sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // Null for an index out of range.
    CPropertyPage* GetPage(int nPage) const;
    // -1 when the page is not in the sheet.
    int GetPageIndex(const CPropertyPage* pPage) const;
    // The tab selected in the sheet (the start page before it exists).
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    BOOL SetActivePage(int nPage);
    // The sheet's tab control; null without a window.
    CWnd* GetTabControl() const;

    // dwStyle -1 keeps the common controls' popup sheet; a style with WS_CHILD makes a child
    // of pParentWnd.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1),
                        DWORD dwExStyle = 0);

    // The common controls set up the sheet and create its first page here.
    virtual BOOL OnInitDialog();
    // Keys get the sheet's keyboard interface (the pages' controls, Ctrl+Tab).
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Fills m_psh with one description per page, each prepared by its page.
    virtual void BuildPropPageArray();
    BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Gives the sheet's template the style Create was asked for.
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    std::vector<CPropertyPage*> m_pages;
    // The descriptions the common controls read while the sheet lives.
    std::vector<BYTE> m_descriptions;
    CString m_strCaption;
    DWORD m_dwStyle = static_cast<DWORD>(-1);
    DWORD m_dwExStyle = 0;
};
