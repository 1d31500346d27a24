#include "mainwnd/ColorStatusBar.h"

#include "platform/FrameWnd.h"
#include "platform/StringResource.h"
#include "platform/WinApp.h"

IMPLEMENT_DYNAMIC(CColorStatusBar, CStatusBar)

BEGIN_MESSAGE_MAP(CColorStatusBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CColorStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatusBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Always-tip: the panes have tips also while the frame is inactive.
    m_hToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                   AfxGetInstanceHandle(), nullptr);
    if (!m_hToolTip)
        return -1;
    ::SendMessageA(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
    return 0;
}

void CColorStatusBar::OnDestroy()
{
    CStatusBar::OnDestroy();
    if (m_hToolTip)
        ::DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
}

void CColorStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CStatusBar::OnSize(nType, cx, cy);
    MoveToolRects();
}

BOOL CColorStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount, const UINT* lpTipIDs,
                                    const HICON* lpIcons)
{
    for (int i = 0; i < GetCount(); ++i) {
        TOOLINFOA tool = ToolOf(i);
        ::SendMessageA(m_hToolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    const BOOL allFound = CStatusBar::SetIndicators(lpIDArray, nIDCount);
    for (int i = 0; i < nIDCount; ++i) {
        if (lpTipIDs[i] == 0)
            continue;
        CString tip;
        LoadResourceString(lpTipIDs[i], tip);
        TOOLINFOA tool = ToolOf(i);
        tool.uFlags = 0;
        tool.hinst = nullptr;
        GetItemRect(i, &tool.rect);
        tool.lpszText = const_cast<LPSTR>(tip.GetString());
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    for (int i = 0; i < nIDCount; ++i) {
        if (lpIcons[i])
            SetPaneIcon(i, lpIcons[i]);
    }
    return allFound;
}

void CColorStatusBar::SetPaneTextFitted(int nIndex, LPCTSTR lpszText)
{
    SetPaneText(nIndex, lpszText);
    FitPane(nIndex);
}

void CColorStatusBar::SetPaneTipText(int nIndex, LPCTSTR lpszText)
{
    TOOLINFOA tool = ToolOf(nIndex);
    tool.lpszText = const_cast<LPSTR>(lpszText);
    ::SendMessageA(m_hToolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CColorStatusBar::SetPaneWidth(int nIndex, int cxWidth)
{
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    GetPaneInfo(nIndex, id, style, width);
    // Idle updates set the same width again and again; resetting the parts would flicker.
    if (width == cxWidth)
        return;
    SetPaneInfo(nIndex, id, style, cxWidth);
    MoveToolRects();
}

void CColorStatusBar::SetPaneIcon(int nIndex, HICON hIcon)
{
    if (reinterpret_cast<HICON>(SendMessage(SB_GETICON, nIndex)) == hIcon)
        return;
    SendMessage(SB_SETICON, nIndex, reinterpret_cast<LPARAM>(hIcon));
    FitPane(nIndex);
}

BOOL CColorStatusBar::PreTranslateMessage(MSG* pMsg)
{
    // The tip shows on hover and hides on a click; double clicks belong to the panes.
    const bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MBUTTONDBLCLK;
    if (mouse && pMsg->message != WM_LBUTTONDBLCLK && pMsg->message != WM_RBUTTONDBLCLK)
        ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return CStatusBar::PreTranslateMessage(pMsg);
}

BOOL CColorStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_DBLCLK) {
        // The status control names the pane that was clicked by its index.
        const DWORD_PTR index = reinterpret_cast<NMMOUSE*>(lParam)->dwItemSpec;
        if (index < static_cast<DWORD_PTR>(GetCount()))
            ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, PaneId(static_cast<int>(index)), 0);
    }
    return CStatusBar::OnChildNotify(message, wParam, lParam, pResult);
}

void CColorStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CColorStatusCmdUI state(*this);
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = PaneId(static_cast<int>(state.m_nIndex));
        if (OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

UINT CColorStatusBar::PaneId(int nIndex) const
{
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    GetPaneInfo(nIndex, id, style, width);
    return id;
}

TOOLINFOA CColorStatusBar::ToolOf(int nIndex) const
{
    TOOLINFOA tool = {};
    // The version 5 controls take no longer record.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = PaneId(nIndex);
    return tool;
}

void CColorStatusBar::FitPane(int nIndex)
{
    int width = TextWidth(GetPaneText(nIndex));
    if (SendMessage(SB_GETICON, nIndex))
        width += IconWidth();
    SetPaneWidth(nIndex, width);
}

int CColorStatusBar::IconWidth()
{
    // The control leaves a gap between a pane's icon and its text; without it the last letters
    // of the text are cut off.
    return ::GetSystemMetrics(SM_CXSMICON) + kIconTextGap;
}

void CColorStatusBar::MoveToolRects()
{
    for (int i = 0; i < GetCount(); ++i) {
        TOOLINFOA tool = ToolOf(i);
        GetItemRect(i, &tool.rect);
        ::SendMessageA(m_hToolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

CColorStatusCmdUI::CColorStatusCmdUI(CColorStatusBar& bar)
    : m_bar(bar)
{
    m_hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kMark));
    m_pOther = &bar;
}

CColorStatusCmdUI* CColorStatusCmdUI::FromCmdUI(CCmdUI* pCmdUI)
{
    const bool mine = pCmdUI->m_hMenu == reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kMark));
    return mine ? static_cast<CColorStatusCmdUI*>(pCmdUI) : nullptr;
}

void CColorStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    SetStyleBit(SBPS_DISABLED, !bOn);
}

void CColorStatusCmdUI::SetCheck(int nCheck)
{
    SetStyleBit(SBPS_POPOUT, nCheck != 0);
}

void CColorStatusCmdUI::SetText(LPCTSTR lpszText)
{
    m_bar.SetPaneTextFitted(static_cast<int>(m_nIndex), lpszText);
}

void CColorStatusCmdUI::SetTipText(LPCTSTR lpszText)
{
    m_bar.SetPaneTipText(static_cast<int>(m_nIndex), lpszText);
}

void CColorStatusCmdUI::SetWidth(int cxWidth)
{
    m_bar.SetPaneWidth(static_cast<int>(m_nIndex), cxWidth);
}

void CColorStatusCmdUI::SetIcon(HICON hIcon)
{
    m_bar.SetPaneIcon(static_cast<int>(m_nIndex), hIcon);
}

void CColorStatusCmdUI::SetStyleBit(UINT bit, bool on)
{
    const int index = static_cast<int>(m_nIndex);
    const UINT style = m_bar.GetPaneStyle(index);
    m_bar.SetPaneStyle(index, on ? style | bit : style & ~bit);
}
