#include "framework/menus/PopupMenuItem.h"

#include <algorithm>

#include "framework/commands/CmdManager.h"
#include "framework/commands/ResourceManager.h"
#include "framework/menus/MenuCommandIds.h"
#include "framework/paint/PaintManagerHolder.h"

namespace {

// Single-line extent of the text in the menu font on a screen device context.
SIZE MeasureMenuText(const CString& text)
{
    SIZE size = {0, 0};
    HDC dc = ::GetDC(nullptr);
    if (!dc)
        return size;
    HGDIOBJ oldFont = ::SelectObject(
        dc, g_PaintManager->Font(CExtPaintManager::kFontNormal).m_hObject);
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(nullptr, dc);
    return size;
}

LPCTSTR ProfileOf(HWND target)
{
    return g_CmdManager->ProfileFromWindow(target);
}

}  // namespace

CExtPopupMenuItem::CExtPopupMenuItem()
    : m_bSelected(false), m_bDisplayed(false), m_bAlwaysDisplayed(false), m_bChildJoined(false),
      m_bButtonStyle(false), m_bAlwaysEnabled(false), m_bPainterFlag(false), m_bChecked(false),
      m_bRadio(false), m_bEnabled(true), m_bIndeterminate(false), m_bToggleChecked(false),
      m_bOwnData(false), m_bEditable(true), m_bEditTextPending(false)
{
}

CExtPopupMenuItem::CExtPopupMenuItem(const CExtPopupMenuItem& other) : CExtPopupMenuItem()
{
    *this = other;
}

CExtPopupMenuItem& CExtPopupMenuItem::operator=(const CExtPopupMenuItem& other)
{
    if (this == &other)
        return *this;
    m_pPopup = other.m_pPopup;
    m_nPosition = other.m_nPosition;
    m_nCmdID = other.m_nCmdID;
    m_sText = other.m_sText;
    m_sAccelText = other.m_sAccelText;
    m_iconOwn = other.m_iconOwn;
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_nIconAreaWidth = other.m_nIconAreaWidth;
    m_bSelected = other.m_bSelected;
    m_bDisplayed = other.m_bDisplayed;
    m_bAlwaysDisplayed = other.m_bAlwaysDisplayed;
    m_bChildJoined = other.m_bChildJoined;
    m_bButtonStyle = other.m_bButtonStyle;
    m_bAlwaysEnabled = other.m_bAlwaysEnabled;
    m_bPainterFlag = other.m_bPainterFlag;
    m_bChecked = other.m_bChecked;
    m_bRadio = other.m_bRadio;
    m_bEnabled = other.m_bEnabled;
    m_bIndeterminate = other.m_bIndeterminate;
    m_bToggleChecked = other.m_bToggleChecked;
    m_bOwnData = other.m_bOwnData;
    m_pCommandHandler = other.m_pCommandHandler;
    m_pToggleHandler = other.m_pToggleHandler;
    m_cMnemonic = other.m_cMnemonic;
    m_hCmdTarget = other.m_hCmdTarget;
    m_pInplaceEdit = other.m_pInplaceEdit;
    m_pEditedValue = other.m_pEditedValue;
    m_editCallbacks = other.m_editCallbacks;
    m_dwEditCookie = other.m_dwEditCookie;
    m_nEditWidth = other.m_nEditWidth;
    m_bEditable = other.m_bEditable;
    m_bEditTextPending = other.m_bEditTextPending;
    m_sEditBuffer = other.m_sEditBuffer;
    return *this;
}

int CExtPopupMenuItem::GetCmdID() const
{
    return IsSeparator() || IsPopup() || IsInplaceEdit() ? -1 : m_nCmdID;
}

bool CExtPopupMenuItem::IsExecutableCmd() const
{
    return m_nCmdID != kSeparatorId && m_nCmdID != kSubmenuId && !IsInplaceEdit();
}

bool CExtPopupMenuItem::IsSelectable() const
{
    if (IsPopup())
        return true;
    return !IsSeparator() && (m_bAlwaysEnabled || m_bEnabled);
}

void CExtPopupMenuItem::SetTextWithAccel(LPCTSTR text)
{
    SetText(text);
    const int tab = m_sText.Find('\t');
    if (tab < 0)
        return;
    m_sAccelText = m_sText.Mid(tab + 1);
    m_sText = m_sText.Left(tab);
}

void CExtPopupMenuItem::UpdateMnemonic()
{
    m_cMnemonic = 0;
    const int amp = m_sText.Find('&');
    if (amp < 0 || amp + 1 >= m_sText.GetLength())
        return;
    const auto upper = reinterpret_cast<UINT_PTR>(
        ::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(
            static_cast<BYTE>(m_sText[amp + 1])))));
    m_cMnemonic = static_cast<char>(upper & 0xFF);
}

void CExtPopupMenuItem::Measure()
{
    UpdateMnemonic();
    m_nIconAreaWidth = 16;
    if (IsSeparator()) {
        m_nWidth = 0;
        m_nHeight = g_PaintManager->GetMenuSeparatorHeight();
        return;
    }
    CString measured = IsInplaceEdit() ? m_sText : m_sText + m_sAccelText;
    measured.Remove('&');
    const SIZE text = MeasureMenuText(measured);
    m_nWidth = text.cx;
    m_nHeight = text.cy + 4;
    int iconHeight = 0;
    if (!m_bButtonStyle) {
        if (CExtCmdIcon* icon = GetIcon()) {
            const CSize size = icon->GetSize();
            int cx = std::max<int>(size.cx, 16);
            int cy = std::max<int>(size.cy, 16);
            if (cx <= 18 && cy < cx)
                cy = cx;
            m_nIconAreaWidth = std::max(16, cx);
            iconHeight = cy + 4;
        }
    }
    m_nHeight = std::max({m_nHeight, iconHeight, kMinItemHeight});
    if (m_bButtonStyle)
        m_nHeight -= 2;
    m_nIconAreaWidth = std::max(m_nIconAreaWidth, m_nHeight);
    if (m_pToggleHandler)
        m_nIconAreaWidth = 2 * m_nIconAreaWidth + 4;
    if (IsInplaceEdit())
        m_nWidth = m_nEditWidth + text.cx + 33;
    else if (m_bButtonStyle)
        m_nWidth = text.cx + 31;
    else
        m_nWidth = text.cx + m_nIconAreaWidth + 37;
}

CExtCmdIcon* CExtPopupMenuItem::GetIcon()
{
    if (IsSeparator())
        return nullptr;
    if (!m_iconOwn.IsEmpty() || m_bOwnData)
        return m_iconOwn.IsEmpty() ? nullptr : &m_iconOwn;
    if (IsPopup())
        return nullptr;
    CExtCmdIcon* icon = g_CmdManager->FindCommandIcon(ProfileOf(m_hCmdTarget), m_nCmdID);
    return icon && !icon->IsEmpty() ? icon : nullptr;
}

CExtCmdItem* CExtPopupMenuItem::GetCmdItem() const
{
    if (IsSeparator() || IsPopup() || m_bOwnData)
        return nullptr;
    return g_CmdManager->FindCommand(ProfileOf(m_hCmdTarget), m_nCmdID);
}

CString CExtPopupMenuItem::GetTipText() const
{
    const CExtCmdItem* command = GetCmdItem();
    if (!command)
        return CString();
    const UINT stringId = SystemCommandStringId(static_cast<UINT>(m_nCmdID));
    CString text;
    if (stringId != 0 && g_ResourceManager->LoadString(text, stringId)) {
        const int newline = text.ReverseFind('\n');
        return newline < 0 ? text : text.Left(newline);
    }
    return command->GetStatusText();
}

RECT CExtPopupMenuItem::GetInplaceEditRect(const RECT& itemRect) const
{
    RECT rect = {itemRect.left + 1, itemRect.top + 2, itemRect.right - 1, itemRect.bottom - 2};
    rect.left = rect.right - m_nEditWidth;
    if (IsPopup())
        rect.right -= ::GetSystemMetrics(SM_CXHTHUMB);
    return rect;
}

CString CExtPopupMenuItem::GetInplaceEditText() const
{
    if (m_bEditTextPending)
        return m_sEditBuffer;
    return m_pEditedValue ? *m_pEditedValue : CString();
}

HWND CExtPopupMenuItem::GetInplaceEditHwnd() const
{
    const HWND edit = m_pInplaceEdit ? m_pInplaceEdit->m_hWnd : nullptr;
    return ::IsWindow(edit) ? edit : nullptr;
}

bool CExtPopupMenuItem::IsInplaceEditShown() const
{
    const HWND edit = GetInplaceEditHwnd();
    return edit && ::IsWindowVisible(edit);
}

bool CExtPopupMenuItem::UpdateFromMenu(HWND target, HMENU menu, int position)
{
    m_nPosition = position;
    char buffer[1024] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    info.dwTypeData = buffer;
    info.cch = sizeof(buffer) - 1;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
        return false;
    if (info.fType & MFT_SEPARATOR) {
        buffer[0] = '\0';
        m_nCmdID = kSeparatorId;
    } else if (info.hSubMenu) {
        m_hCmdTarget = target;
        m_nCmdID = kSubmenuId;
    } else {
        if (static_cast<int>(info.wID) <= 0)
            return false;
        m_nCmdID = static_cast<int>(info.wID);
        const CExtCmdItem* command = g_CmdManager->FindCommand(ProfileOf(target), info.wID);
        if (!command)
            return false;
        if (buffer[0] == '\0')
            lstrcpynA(buffer,
                      command->m_sMenuText.IsEmpty() ? command->m_sToolbarText
                                                     : command->m_sMenuText,
                      sizeof(buffer));
    }
    SetTextWithAccel(buffer);
    Measure();
    return true;
}

bool CExtPopupMenuItem::UpdateFromCmdItem(const CExtCmdItem& command, int position)
{
    m_sText = "";
    m_sAccelText = "";
    m_nCmdID = static_cast<int>(command.m_nCmdID);
    if (m_nCmdID <= 0) {
        m_nCmdID = kSeparatorId;
        m_nPosition = kNotPlaced;
        return false;
    }
    if (position >= 0)
        m_nPosition = position;
    m_sText = command.m_sMenuText;
    m_sAccelText = command.m_sAccelText;
    UpdateMnemonic();
    Measure();
    return true;
}
