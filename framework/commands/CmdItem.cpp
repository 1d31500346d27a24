#include "framework/commands/CmdItem.h"

#include <algorithm>

#include "framework/commands/CmdProfile.h"
#include "framework/commands/CommandTexts.h"
#include "platform/CmdTarget.h"
#include "platform/Wnd.h"

namespace {

bool InRange(UINT id, UINT first, UINT last)
{
    return id >= first && id <= last;
}

// The class library disables a command that no one handles.
const bool kDisableCommandsWithoutHandler = true;

} // namespace

bool IsSystemCommandId(UINT id)
{
    return InRange(id, 0xF000, 0xF1EF);
}

bool IsFrameworkReservedId(UINT id)
{
    return InRange(id, 0xFF00, 0xFF09) || InRange(id, 0xE110, 0xE11F) ||
           InRange(id, 0xE210, 0xE21F) || IsSystemCommandId(id);
}

CExtCmdItem::CExtCmdItem(UINT id)
    : m_nCmdID(id)
{
}

CExtCmdItem::CExtCmdItem(const CExtCmdItem& other)
    : m_nCmdID(other.m_nCmdID)
{
    AssignFrom(other);
}

void CExtCmdItem::AssignFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    m_pProfile = other.m_pProfile;
    m_nCmdID = other.m_nCmdID;
    m_nIconIdx = other.m_nIconIdx;
    m_dwFlags = other.m_dwFlags;
    m_sMenuText = other.m_sMenuText;
    m_sToolbarText = other.m_sToolbarText;
    m_sTipTool = other.m_sTipTool;
    m_sTipStatus = other.m_sTipStatus;
    m_sAccelText = other.m_sAccelText;
    std::copy(std::begin(other.m_params), std::end(other.m_params), m_params);
    m_nUsageCount = other.m_nUsageCount;
}

void CExtCmdItem::UpdateFrom(const CExtCmdItem& other)
{
    if (other.m_nIconIdx >= 0)
        m_nIconIdx = other.m_nIconIdx;
    for (auto text : {&CExtCmdItem::m_sMenuText, &CExtCmdItem::m_sToolbarText,
                      &CExtCmdItem::m_sTipTool, &CExtCmdItem::m_sTipStatus,
                      &CExtCmdItem::m_sAccelText}) {
        if (!(other.*text).IsEmpty())
            this->*text = other.*text;
    }
}

void CExtCmdItem::FillFrom(const CExtCmdItem& other)
{
    if (m_nIconIdx < 0)
        m_nIconIdx = other.m_nIconIdx;
    for (auto text : {&CExtCmdItem::m_sMenuText, &CExtCmdItem::m_sTipTool,
                      &CExtCmdItem::m_sTipStatus, &CExtCmdItem::m_sAccelText}) {
        if ((this->*text).IsEmpty())
            this->*text = other.*text;
    }
}

void CExtCmdItem::ClearResourceTexts()
{
    m_sTipTool.Empty();
    m_sTipStatus.Empty();
}

bool CExtCmdItem::LoadTextsFromResource()
{
    ClearResourceTexts();
    if (!IsValidCommandId(m_nCmdID))
        return false;
    CString text;
    if (!LoadCommandString(m_nCmdID, text))
        return false;
    return SplitCommandPrompt(text, m_sTipStatus, m_sTipTool);
}

bool CExtCmdItem::IsPinned() const
{
    return IsFrameworkReservedId(m_nCmdID) || (m_dwFlags & kPinned) != 0;
}

bool CExtCmdItem::IsExcludedFromUsage() const
{
    return !IsFrameworkReservedId(m_nCmdID) && (m_dwFlags & kExcludedFromUsage) != 0;
}

bool CExtCmdItem::IsRarelyUsed() const
{
    return !IsPinned() && static_cast<int>(GetUsagePercent()) < GetRarelyUsedThreshold();
}

void CExtCmdItem::SetMark(DWORD mark, bool on)
{
    m_dwFlags &= ~kMarks;
    if (on)
        m_dwFlags |= mark;
}

void CExtCmdItem::SetTwoLevel(DWORD level)
{
    m_dwFlags = (m_dwFlags & ~kStateBits10And12) | level;
}

void CExtCmdItem::SetStateBit(int bit, bool on)
{
    if (bit == 10)
        SetStateBit10(on);
    else if (bit >= 7 && bit <= 21)
        SetFlags(1u << bit, on);
}

bool CExtCmdItem::IsStateBit(int bit) const
{
    return bit >= 7 && bit <= 21 && (m_dwFlags & (1u << bit)) != 0;
}

UINT CExtCmdItem::GetUsagePercent() const
{
    // In 64 bits: a count above 42,949,672 times 100 would wrap in 32 and give a wrong share.
    const UINT total = GetProfileUsageTotal();
    return total == 0 ? 0 : static_cast<UINT>(ULONGLONG(m_nUsageCount) * 100u / total);
}

void CExtCmdItem::IncrementUsage()
{
    if (IsPinned() || IsExcludedFromUsage())
        return;
    ++m_nUsageCount;
    if (m_pProfile)
        ++m_pProfile->m_nTotalTickCount;
    NormalizeUsage();
}

void CExtCmdItem::NormalizeUsage()
{
    // Halving everything keeps every share while the total stays clear of overflow.
    if (!m_pProfile || m_pProfile->m_nTotalTickCount < 0xFFFFFFFEu)
        return;
    m_pProfile->m_nTotalTickCount >>= 1;
    m_pProfile->ForEachCommand([](CExtCmdItem& command) { command.m_nUsageCount >>= 1; });
}

void CExtCmdItem::ResetUsage()
{
    if (!IsPinned() && !IsExcludedFromUsage())
        m_nUsageCount = 0;
}

UINT CExtCmdItem::GetProfileUsageTotal() const
{
    return m_pProfile ? m_pProfile->m_nTotalTickCount : 0;
}

int CExtCmdItem::GetRarelyUsedThreshold() const
{
    return m_pProfile ? m_pProfile->m_nRarelyUsedPercent : 10;
}

void CExtCmdItem::SetRarelyUsedThreshold(int percent)
{
    if (m_pProfile)
        m_pProfile->m_nRarelyUsedPercent = std::min(percent, 100);
}

void CExtCmdItem::OnSysColorChange()
{
    if (CExtCmdIcon* icon = m_pProfile ? m_pProfile->FindCommandIcon(m_nCmdID) : nullptr)
        icon->OnSysColorChange();
}

void CExtCmdItem::OnSettingChange(UINT flags, LPCTSTR section)
{
    if (CExtCmdIcon* icon = m_pProfile ? m_pProfile->FindCommandIcon(m_nCmdID) : nullptr)
        icon->OnSettingChange(flags, section);
}

void CExtCmdItem::OnDisplayChange(int bitsPerPixel, int width, int height)
{
    if (CExtCmdIcon* icon = m_pProfile ? m_pProfile->FindCommandIcon(m_nCmdID) : nullptr)
        icon->OnDisplayChange(bitsPerPixel, width, height);
}

void CExtCmdItem::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    if (CExtCmdIcon* icon = m_pProfile ? m_pProfile->FindCommandIcon(m_nCmdID) : nullptr)
        icon->OnThemeChanged(wParam, lParam);
}

CString CExtCmdItem::OnGetDisplayText() const
{
    for (const CString* text : {&m_sMenuText, &m_sTipTool, &m_sToolbarText}) {
        if (!text->IsEmpty())
            return *text;
    }
    return CString();
}

bool CExtCmdItem::IsStoredInState() const
{
    return !IsPinned() && !IsExcludedFromUsage() && !IsMenuBarCommand() &&
           !IsSystemCommandId(m_nCmdID) && m_nUsageCount != 0;
}

bool CExtCmdItem::Dispatch(HWND window, bool send)
{
    if (!window)
        return false;
    IncrementUsage();
    UINT message = WM_COMMAND;
    LPARAM lParam = 0;
    if (IsSystemCommandId(m_nCmdID)) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        message = WM_SYSCOMMAND;
        lParam = MAKELPARAM(cursor.x, cursor.y);
    }
    const WPARAM wParam = m_nCmdID;
    return send ? ::SendMessageA(window, message, wParam, lParam) != 0
                : ::PostMessageA(window, message, wParam, lParam) != FALSE;
}

bool CExtCmdItem::DeliverToWindow(CWnd* window, bool send)
{
    return Dispatch(window ? window->m_hWnd : nullptr, send);
}

bool CExtCmdItem::DeliverToOwner(CWnd* window, bool send)
{
    if (!window || !::IsWindow(window->m_hWnd))
        return false;
    HWND target = ::GetWindow(window->m_hWnd, GW_OWNER);
    if (!target)
        target = ::GetParent(window->m_hWnd);
    return target && Dispatch(target, send);
}

bool CExtCmdItem::UpdateFromTarget(CCmdTarget* target, UINT index)
{
    CExtCmdItemUI update(this, 0);
    update.m_nIndex = index;
    if (IsSystemCommandId(m_nCmdID) || InRange(m_nCmdID, 0xFF00, 0xFF09)) {
        update.Enable(TRUE);
        return true;
    }
    return target && update.DoUpdate(target, kDisableCommandsWithoutHandler) != FALSE;
}

CExtCmdItemUI::CExtCmdItemUI(CExtCmdItem* item, UINT indexMax)
    : m_item(item)
{
    m_nID = item->m_nCmdID;
    m_nIndexMax = indexMax;
    m_pOther = nullptr;
}

void CExtCmdItemUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    m_item->SetEnabled(bOn != FALSE);
}

void CExtCmdItemUI::SetCheck(int nCheck)
{
    if (nCheck == 0 || nCheck == 1)
        m_item->SetChecked(nCheck == 1);
    else
        m_item->SetIndeterminate(true);
}

void CExtCmdItemUI::SetRadio(BOOL bOn)
{
    m_item->SetRadio(bOn != FALSE);
}

void CExtCmdItemUI::SetText(LPCTSTR lpszText)
{
    m_item->m_sMenuText = lpszText;
}
