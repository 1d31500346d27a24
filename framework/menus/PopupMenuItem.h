// One entry of a themed popup menu: a separator, a command bound to the command profile of its
// command-target window, an own-data command that carries its texts and image itself, a submenu
// (owning its child popup through the menu's list) or an in-place edit item.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/commands/CmdIcon.h"
#include "framework/menus/inplace/InPlaceEdit.h"
#include "framework/paint/PaintedPopup.h"
#include "platform/Geometry.h"
#include "platform/String.h"
#include "platform/Types.h"

class CExtCmdItem;
class CExtPopupMenuWnd;
class CWnd;

// The callbacks an in-place edit item hands unchanged to its edit window.
struct InplaceEditCallbacks
{
    CExtPopupInPlaceEdit::VerifyCallback m_verify = nullptr;
    CExtPopupInPlaceEdit::CommitCallback m_commit = nullptr;
    CExtPopupInPlaceEdit::FilterCallback m_filter = nullptr;
};

class CExtPopupMenuItem : public CExtPaintedMenuItem
{
public:
    static constexpr int kNotPlaced = -100;
    static constexpr int kSeparatorId = 0;
    static constexpr int kSubmenuId = -1;
    // Smallest item height and icon column of a measured item.
    static constexpr int kMinItemHeight = 22;

    using CommandHandler = bool (*)(CExtPopupMenuWnd* menu, CExtPopupMenuItem& item);
    using ToggleHandler = void (*)(CExtPopupMenuWnd* menu, CExtPopupMenuItem& item);

    CExtPopupMenuItem();
    CExtPopupMenuItem(const CExtPopupMenuItem& other);
    CExtPopupMenuItem& operator=(const CExtPopupMenuItem& other);
    ~CExtPopupMenuItem() override = default;

    int GetIconAreaWidth() const override { return m_nIconAreaWidth; }
    bool IsNoIconColumn() const override { return false; }

    bool IsSeparator() const { return m_nCmdID == kSeparatorId; }
    bool IsPopup() const { return m_nCmdID == kSubmenuId; }
    bool IsInplaceEdit() const { return m_pEditedValue != nullptr; }
    // Separators, submenus and in-place edit items answer -1.
    int GetCmdID() const;
    bool IsExecutableCmd() const;
    // A submenu, or a command that is enabled or always enabled.
    bool IsSelectable() const;
    bool IsShown() const { return m_bDisplayed || m_bAlwaysDisplayed; }

    void SetText(LPCTSTR text) { m_sText = text ? text : ""; }
    // The part after the first tab becomes the accelerator text.
    void SetTextWithAccel(LPCTSTR text);
    void SetAccelTextAlways(LPCTSTR text) { m_sAccelText = text ? text : ""; }
    void UpdateMnemonic();
    // Size and icon column in the current paint manager's menu font.
    void Measure();

    // The image shown: the own icon, or the command's image in the target's profile.
    CExtCmdIcon* GetIcon();
    CExtCmdItem* GetCmdItem() const;
    CString GetTipText() const;
    RECT GetInplaceEditRect(const RECT& itemRect) const;
    CString GetInplaceEditText() const;
    // The item's edit window, null while there is none.
    HWND GetInplaceEditHwnd() const;
    bool IsInplaceEditShown() const;

    // Reads entry position of the platform menu; check and disabled states are not taken over.
    // A submenu entry only becomes a submenu item: the menu that fills its list makes the child.
    bool UpdateFromMenu(HWND target, HMENU menu, int position);
    bool UpdateFromCmdItem(const CExtCmdItem& command, int position);

    CExtPopupMenuWnd* m_pPopup = nullptr;
    int m_nPosition = kNotPlaced;
    int m_nCmdID = kSeparatorId;
    CString m_sText;
    CString m_sAccelText;
    CExtCmdIcon m_iconOwn;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nIconAreaWidth = 0;

    bool m_bSelected : 1;
    bool m_bDisplayed : 1;
    bool m_bAlwaysDisplayed : 1;
    bool m_bChildJoined : 1;
    bool m_bButtonStyle : 1;
    bool m_bAlwaysEnabled : 1;
    bool m_bPainterFlag : 1;
    bool m_bChecked : 1;

    bool m_bRadio : 1;
    bool m_bEnabled : 1;
    bool m_bIndeterminate : 1;
    bool m_bToggleChecked : 1;
    bool m_bOwnData : 1;

    CommandHandler m_pCommandHandler = nullptr;
    ToggleHandler m_pToggleHandler = nullptr;
    char m_cMnemonic = 0;
    HWND m_hCmdTarget = nullptr;
    CWnd* m_pInplaceEdit = nullptr;
    CString* m_pEditedValue = nullptr;
    InplaceEditCallbacks m_editCallbacks;
    DWORD m_dwEditCookie = 0;
    int m_nEditWidth = 0;
    bool m_bEditable : 1;
    bool m_bEditTextPending : 1;
    CString m_sEditBuffer;
};
