// CExtPopupMenuWnd: the framework's themed popup menu. Its item list: building it from platform
// menus, editing it item by item, exporting it back, the command-UI update that sets each item's
// state before the menu shows, and the layout that decides which items are displayed. Its
// tracking: the window placed beside its button or at a point, the chain of submenus, and the end
// that hands the chosen command to the command-target window.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/menus/MenuTipWnd.h"
#include "framework/menus/MenuTrackingState.h"
#include "framework/menus/PopupBaseWnd.h"
#include "framework/menus/PopupMenuLayout.h"
#include "framework/menus/inplace/InPlaceEdit.h"
#include "framework/paint/PaintedPopup.h"
#include "platform/CmdUI.h"

#include <memory>
#include <vector>

class CExtPopupMenuWnd : public CExtPopupBaseWnd,
                         public ITrackedMenu,
                         public CExtPaintedPopupMenu,
                         public CExtInPlaceEditHost
{
    DECLARE_DYNCREATE(CExtPopupMenuWnd)
public:
    using MENUITEMDATA = CExtPopupMenuItem;

    // Track flags.
    static constexpr UINT kTrackSideMask = 0x000F;
    static constexpr UINT kTrackJoinMask = 0x0030;
    static constexpr UINT kTrackJoinAlways = 0x0010;
    static constexpr UINT kTrackJoinByTheme = 0x0020;
    static constexpr UINT kTrackSelectFirst = 0x0040;
    static constexpr UINT kTrackModalLoop = 0x0080;
    static constexpr UINT kTrackShowAll = 0x0100;
    static constexpr UINT kTrackNoDispatch = 0x0200;
    static constexpr UINT kTrackNoCmdUI = 0x0400;
    static constexpr UINT kTrackOwnerDraw = 0x0800;
    static constexpr UINT kTrackNoShadow = 0x1000;
    static constexpr UINT kTrackHelpMode = 0x2000;
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

    enum
    {
        kTimerSubmenu = 667,
        kTimerScroll = 668,
        kTimerExpand = 670
    };

    // The registered messages sent or posted to the command-target window.
    static const UINT g_nMsgPrepareMenu;
    static const UINT g_nMsgPopupNext;
    static const UINT g_nMsgPopupPrev;
    static const UINT g_nMsgNotifyMenuExpanded;
    static const UINT g_nMsgNotifyMenuClosed;
    static const UINT g_nMsgPopupDrawItem;
    static const UINT g_nMsgPopupDrawLeftArea;
    static const UINT g_nMsgCreateInplaceEdit;

    // wParam of g_nMsgPrepareMenu; the receiver sets the bits.
    struct PrepareMenuData
    {
        enum : DWORD
        {
            kUpdateAgain = 0x01,
            kCancel = 0x02
        };
        DWORD m_flags = 0;
        CExtPopupMenuWnd* m_pMenu = nullptr;
    };

    // lParam of g_nMsgPopupDrawItem: the owner paints the item and answers nonzero, or leaves
    // it to PaintDefault.
    struct DrawItemData
    {
        enum : BYTE
        {
            kOwnerDraw = 0x01,
            kSubmenu = 0x02,
            kRarelyUsed = 0x04,
            kRarelyUsedPrev = 0x08,
            kRarelyUsedNext = 0x10
        };
        CDC* m_pDC = nullptr;
        RECT m_rect = {0, 0, 0, 0};
        MENUITEMDATA* m_pItem = nullptr;
        CExtPopupMenuWnd* m_pMenu = nullptr;
        BYTE m_flags = 0;

        void PaintDefault(bool noIcon = false, bool noText = false, bool noCheck = false,
                          bool forceEnabled = false, bool noSelection = false) const;
    };
    // wParam of g_nMsgCreateInplaceEdit: an owner that makes the item's edit itself (a child of
    // the menu, at the rectangle) stores it at m_ppEdit; otherwise the menu makes its own.
    struct InplaceEditData
    {
        CWnd** m_ppEdit = nullptr;
        CExtPopupMenuWnd* m_pMenu = nullptr;
        MENUITEMDATA* m_pItem = nullptr;
        CString* m_pValue = nullptr;
        CExtPopupInPlaceEdit::VerifyCallback m_verify = nullptr;
        CExtPopupInPlaceEdit::CommitCallback m_commit = nullptr;
        CExtPopupInPlaceEdit::FilterCallback m_filter = nullptr;
        DWORD m_cookie = 0;
        RECT m_rect = {0, 0, 0, 0};
    };
    // lParam of g_nMsgPopupDrawLeftArea.
    struct DrawLeftAreaData
    {
        CDC* m_pDC = nullptr;
        RECT m_rect = {0, 0, 0, 0};
        CExtPopupMenuWnd* m_pMenu = nullptr;
    };

    CExtPopupMenuWnd();
    ~CExtPopupMenuWnd() override;

    void SetLeftAreaWidth(int width) { m_nLeftAreaWidth = width; }
    // The displayed items with their rectangles; with a DC only those in its clip area.
    virtual void GetVisibleItems(CDC* dc, VisibleItems& entries);
    void PaintContent(CDC& dc, bool final) override;
    void PaintAnimated(CDC& dc) override { PaintAnimationFrame(dc, m_nJoinSide); }

    // Shows the menu: x and y in screen coordinates (negative: the cursor), exclude the button in
    // screen coordinates or null. False leaves the object to the caller; true hands it to the
    // tracking, which deletes it when the menu closes.
    virtual bool TrackMenu(UINT flags, int x, int y, const RECT* exclude = nullptr,
                           LPARAM cookie = 0, JoinPainter painter = nullptr,
                           UINT* result = nullptr, bool painterEnabled = false);
    // Shows the menu without the tracking's bookkeeping; submenus are shown through it.
    virtual bool TrackMenuImpl(UINT flags, int x, int y, const RECT* exclude, LPARAM cookie,
                               JoinPainter painter, bool painterEnabled);
    virtual bool CreateMenuWindow(HWND parent);
    virtual void ResetTrackingState();
    virtual SIZE CalcMenuSize();
    // The window's screen rectangle and the menu's state after placement; empty when the window
    // died while the placement hid it.
    virtual RECT CalcWindowRect();
    virtual int GetBorderSize() const;
    virtual void CalcServiceRects();
    // Ends the tracking with the command (0: cancelled); target null means the command target.
    virtual void EndWithCommand(int id, HWND target = nullptr);
    virtual void ReleaseEffects();
    virtual void FocusMenu();
    virtual void UnfocusMenu();
    virtual bool IsTipShown() const;
    virtual void HideTip();
    // Selects the item (-1 none): the status prompt, the scroll that shows it and, with open, its
    // submenu.
    virtual void SelectItem(int index, bool open = false, bool repaint = true,
                            bool selectFirst = false);
    virtual void ReleaseCurrentItem(bool repaint);
    // Opens the item's submenu when timer 667 fires; -1 cancels.
    virtual void ScheduleSubmenu(int index);
    // -2 scrolls up, -3 down while the cursor stays on the button (timer 668).
    virtual bool StartScrolling(int button);
    virtual void ExpandRarelyUsed();
    virtual RECT GetItemRect(int index) const;
    // The outs tell whether the point lies in an in-place edit item's edit area or on the
    // submenu button beside it.
    virtual int HitTestItem(POINT point, bool* inEditArea = nullptr,
                            bool* onEditButton = nullptr) const;
    virtual int GetScrollLimit() const;
    virtual int GetCurIndex() const { return m_nCurIndex; }
    // kind as FindItemToSelect of the item list.
    virtual int FindItemToSelect(int kind) const;
    static MenuTrackingState& GetTrackingState() { return MenuTrackingState::Instance(); }
    static bool AnyMenuOpen() { return GetTrackingState().AnyMenuOpen(); }
    static void CloseAllMenus() { GetTrackingState().CloseAllMenus(); }
    // Whether b or one of its ancestors is a visible or popup ancestor of a (owners count as
    // ancestors): focus in a popup related to a bar keeps the bar's look.
    static bool IsRelatedActiveWindow(HWND a, HWND b, bool requireEnabled, bool requireVisible,
                                      bool falseWhileMenuOpen);
    // The joined-area painter a menu gives the submenu it opens: paints the parent's item
    // (cookie: its index) at its place beside the submenu.
    static void PaintJoinedParentItem(LPARAM cookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                      const RECT& excludeArea, int joinSide);

    bool IsInternalPopup() const override;
    bool IsContextHelpMode() const override;
    bool IsShadowEnabled() const override;
    void StartAnimation() override;
    // The end of the show animation: the menu takes the input.
    void ReleaseAnimationBitmaps() override;
    void GetContentRect(RECT& rect) const override;
    bool IsDefaultJoinPainter() const override { return m_joinPainter == &PaintJoinedParentItem; }
    BOOL DestroyWindow() override;

    // CExtInPlaceEditHost: Escape in an item's edit gives the menu the keyboard on that item.
    void ReturnFromInPlaceEdit() override;

    // ITrackedMenu
    HWND GetTrackedHwnd() const override { return m_hWnd; }
    ITrackedMenu* GetParentTrackedMenu() const override { return m_pParent; }
    HWND GetTipHwnd() const override { return m_tip.m_hWnd; }
    bool OnMouseClick(UINT message, CPoint point, bool& passOn) override;
    bool OnMouseMove(UINT message, CPoint point, bool& passOn) override;
    bool OnMouseWheel(UINT message, LPARAM data, bool& passOn) override;
    bool OnKeyDown(UINT virtualKey, UINT repeatCount, UINT keyFlags, bool& passOn) override;
    void CloseMenuChain() override { CloseMenu(false); }
    void RemoveAllItems() override { ClearItems(); }
    void ShowIdlePrompt() override;
    void DestroyTrackedWindow() override { DestroyWindow(); }

    // CExtPaintedPopupMenu
    const CObject* GetPopupOwnerData() const override { return nullptr; }
    bool PaintsFrameworkJoin() const override { return IsDefaultJoinPainter(); }
    int GetPaintedItemCount() const override { return ItemGetCount(); }
    const CExtPaintedMenuItem* GetPaintedItemAt(int index) const override;

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
    CExtPopupMenuTipWnd m_tip;
    int m_nJoinSide = 0;
    int m_nLeftAreaWidth = 0;
    int m_nScrollDir = 0;
    UINT m_nExpandHoverCount = 0;
    // Geometry of the menu inside its window: menu area, scroll position, service rectangles.
    PopupMenuFrame_t m_frame;
    CRgn m_windowRegion;
    // The window was created by CreateMenuWindow and has not been destroyed since.
    bool m_windowMade = false;

protected:
    void PostNcDestroy() override;
    void OnSubmenuTimer();
    void OnScrollTimer();
    void OnExpandTimer();
    // Runs the item as a click or Enter does: its handler, or the end with its command.
    void ActivateItem(MENUITEMDATA& item);
    // A key that is no command key chooses the item whose mnemonic it types.
    void OnMnemonicKey(UINT key);
    bool IsCursorOn(const RECT& rect) const;
    // A point of this menu's client area in its parent's.
    CPoint ToParent(CPoint point) const;
    RECT ScreenToClientRect(RECT rect) const;
    // A left release outside a root menu (screen point): whether it is consumed.
    bool OnLeftUpOutsideRoot(UINT message, POINT screen);
    // Gives the window the joined shape that the placement computed, when there is one.
    void ApplyWindowRegion();
    // Paints one item through the owner (root tracked with 0x800) or PaintDefault.
    void PaintItem(CDC& dc, const RECT& rect, MENUITEMDATA& item, BYTE flags);

    // The in-place edits of the items: made when the window is, by the owner or the menu.
    void CreateInplaceEdits();
    // The edits the menu made go with the window's children; the items forget theirs.
    void ReleaseInplaceEdits();
    // Shows the item's edit over its edit area (when hidden and editable) and focuses it.
    void FocusInplaceEdit(int index);
    // Hides the item's edit and drops what was typed but not committed.
    void ReleaseInplaceEdit(MENUITEMDATA& item);
    // The item whose edit window lies under the client point, or -1.
    int ItemOfEditAt(POINT point) const;
    // Over an item's shown edit the mouse belongs to the edit: its item becomes current.
    bool SelectItemOfEditAt(POINT point);
    bool IsFocusInEdit() const;
    // Keys while an item's edit has the focus: the editing shortcuts go to the edit.
    bool OnEditKeyDown(UINT key, UINT keyFlags, bool& passOn);
    afx_msg LRESULT OnSetCursorMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowWindowMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelModeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateAppMessage(WPARAM wParam, LPARAM lParam);
    // Input reaches the menu through the tracking hooks only.
    afx_msg LRESULT OnIgnoredInput(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    // Recalculates the menu that lays out this one: itself when root, else its parent.
    void RecalcAfterChange();
    // Removes every item, closing and deleting the submenus.
    void ClearItems();
    bool IsInsertIndex(int index) const { return index >= -1 && index <= ItemGetCount(); }

    PopupMenuItems m_items;
    // The edits the menu made for its items (not those an owner made); they live until the
    // window's children are gone.
    std::vector<std::unique_ptr<CExtPopupInPlaceEdit>> m_madeEdits;
};
