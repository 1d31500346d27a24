// CExtPopupMenuWnd: the framework's themed popup menu. This part holds its item list: building it
// from platform menus, editing it item by item, exporting it back, the command-UI update that sets
// each item's state before the menu shows, and the layout that decides which items are displayed.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/menus/PopupBaseWnd.h"
#include "framework/menus/PopupMenuLayout.h"
#include "platform/CmdUI.h"

class CExtPopupMenuWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNCREATE(CExtPopupMenuWnd)
public:
    using MENUITEMDATA = CExtPopupMenuItem;

    // Track flags.
    static constexpr UINT kTrackSideMask = 0x000F;
    static constexpr UINT kTrackShowAll = 0x0100;
    static constexpr UINT kTrackNoDispatch = 0x0200;
    static constexpr UINT kTrackNoCmdUI = 0x0400;
    static constexpr UINT kTrackInternal = 0x4000;

    enum MenuFlags : BYTE
    {
        kMenuRoot = 0x01,
        kMenuScrolling = 0x02,
        kMenuHasHidden = 0x04,
        kMenuExpanded = 0x08
    };
    enum CheckKind
    {
        kCheckNone,
        kCheckChecked,
        kCheckIndeterminate,
        kCheckRadio
    };

    // The command-UI object handed to the update handlers of an item.
    class CExtPopupMenuCmdUI : public CCmdUI
    {
    public:
        CExtPopupMenuCmdUI(CExtPopupMenuWnd* menu, MENUITEMDATA& item)
            : m_pMenu(menu), m_item(item)
        {
        }
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetRadio(BOOL bOn = TRUE) override;
        void SetText(LPCTSTR lpszText) override;

        HWND m_hCmdTarget = nullptr;
        CExtPopupMenuWnd* m_pMenu;
        MENUITEMDATA& m_item;
    };

    CExtPopupMenuWnd();
    ~CExtPopupMenuWnd() override;

    virtual HWND GetCmdTargetHwnd() const { return m_hCmdTarget; }
    virtual bool LoadMenuResource(HWND target, UINT resourceId, bool root);
    // A new platform popup menu mirroring the items (submenus too when deep), or null.
    virtual HMENU ExportToMenu(bool deep = true) const;
    virtual bool BuildFromMenu(HWND target, HMENU menu, bool takeFirstSubmenu, bool root);
    virtual void SetItemsCmdTarget(HWND target, bool skipSubmenus);
    virtual int ItemGetCount() const { return static_cast<int>(m_items.size()); }
    virtual int ItemGetCmdID(int index) const;
    virtual HICON ItemGetIcon(int index);
    virtual CString ItemGetText(int index) const;
    virtual CString ItemGetAccelText(int index) const;
    virtual int ItemFindByCmdID(int id, int start = -1) const;
    virtual bool ItemSetIcon(int index, HICON icon);
    virtual bool ItemSetText(int index, LPCTSTR text);
    virtual bool ItemSetAccelText(int index, LPCTSTR text);
    virtual CExtPopupMenuWnd* ItemGetPopup(int index) const;
    virtual bool ItemIsDisplayed(int index) const;
    virtual void ItemSetDisplayed(int index, bool displayed);
    // -1 removes every item.
    virtual bool ItemRemove(int index);
    // id 0 a separator, -1 a submenu (text and icon used); index -1 appends.
    virtual bool ItemInsert(int id, int index = -1, LPCTSTR text = nullptr, HICON icon = nullptr,
                            HWND target = nullptr);
    virtual bool ItemInsertCustom(int id, int index, LPCTSTR text, LPCTSTR accelText,
                                  const CExtCmdIcon& icon, int checkKind = kCheckNone,
                                  HWND target = nullptr);
    virtual bool ItemInsertPopup(CExtPopupMenuWnd* child = nullptr, int index = -1,
                                 LPCTSTR text = nullptr, HICON icon = nullptr);
    virtual int FindItemByMnemonic(char character, int start) const;
    virtual int FindItemByText(LPCTSTR text, int start) const;
    virtual bool IsAllItemsHidden() const;
    virtual bool CreateEmptyMenu(HWND target);
    // A null menu only clears the list.
    virtual bool FillItemsFromMenu(HMENU menu, bool root);
    virtual void UpdateItemsCmdUI();
    virtual void RecalcItemsLayout();
    // Sets the enabled state of the system-command items from their command-target window.
    virtual void UpdateSystemCommandStates();
    virtual void InsertItemAt(int index, const MENUITEMDATA& item);
    // Closes the menu and its submenus; the window part belongs to tracking.
    virtual void CloseMenu(bool keepWindow);

    // An index out of range gives null (callers that pass valid indexes get the item).
    MENUITEMDATA* GetItemAt(int index);
    bool IsRoot() const { return (m_menuFlags & kMenuRoot) != 0; }
    bool HasHiddenItems() const { return (m_menuFlags & kMenuHasHidden) != 0; }
    bool IsExpanded() const { return (m_menuFlags & kMenuExpanded) != 0; }
    CExtPopupMenuWnd* GetParentMenu() const { return m_pParent; }
    bool HasWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

    int m_nCurIndex = -1;
    int m_nPendingIndex = -1;
    int m_nHoverIndex = -1;
    BYTE m_menuFlags = 0;
    UINT m_trackFlags = 0;
    HWND m_hCmdTarget = nullptr;
    CExtPopupMenuWnd* m_pParent = nullptr;

protected:
    // Recalculates the menu that lays out this one: itself when root, else its parent.
    void RecalcAfterChange();
    // Removes every item, closing and deleting the submenus.
    void ClearItems();
    bool IsInsertIndex(int index) const { return index >= -1 && index <= ItemGetCount(); }

    PopupMenuItems m_items;
};
