// CCmdUI: one user-interface item of a command as update handlers see it. They call Enable,
// SetCheck and SetText; the object applies that to its item. This class updates menu items;
// bars derive their own kinds for their panes or buttons.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

class CCmdTarget;
class CWnd;

class CCmdUI
{
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    // A radio mark shows as a check unless the item kind knows radio marks.
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR lpszText);

    // Lets the update request go on to the next command target after this handler.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Offers the item to pTarget's update handlers. When none of them enabled or disabled it
    // and bDisableIfNoHndler is set, the item is disabled unless pTarget has a command handler
    // for it. Ids 0 and 0xFFFF (separators, submenus) are left alone.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    // The menu whose item m_nIndex (by position) this is, or null.
    HMENU m_hMenu = nullptr;
    // The bar whose pane or button m_nIndex this is, for the kinds that bars derive.
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// Asks the update handlers whether a command is enabled and checked; it has no item to change.
class CTestCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override { m_nCheck = nCheck; }

    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
};
