#include "platform/StatusBar.h"

#include <algorithm>
#include <cstring>

#include <commctrl.h>

#include "platform/CmdUI.h"
#include "platform/FrameWnd.h"
#include "platform/StringResource.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// Room around a pane's text, on each side.
const int kPaneMargin = 4;

// A context of the bar's window with the bar's font selected, for measuring text.
class BarFontDC
{
public:
    explicit BarFontDC(const CWnd& bar)
        : m_hWnd(bar.m_hWnd)
        , m_hDC(::GetDC(m_hWnd))
        , m_oldFont(::SelectObject(m_hDC, bar.GetFont()))
    { }
    ~BarFontDC()
    {
        ::SelectObject(m_hDC, m_oldFont);
        ::ReleaseDC(m_hWnd, m_hDC);
    }
    BarFontDC(const BarFontDC&) = delete;
    BarFontDC& operator=(const BarFontDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    HGDIOBJ m_oldFont;
};

// Updates one pane: enabling shows its text, checking pops it out.
class CStatusCmdUI : public CCmdUI
{
public:
    explicit CStatusCmdUI(CStatusBar& bar)
        : m_bar(bar)
    { }

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        SetStyleBit(SBPS_DISABLED, !bOn);
    }
    void SetCheck(int nCheck) override { SetStyleBit(SBPS_POPOUT, nCheck != 0); }
    void SetText(LPCTSTR lpszText) override
    {
        m_bar.SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }

private:
    void SetStyleBit(UINT bit, bool on)
    {
        const int index = static_cast<int>(m_nIndex);
        const UINT style = m_bar.GetPaneStyle(index);
        m_bar.SetPaneStyle(index, on ? style | bit : style & ~bit);
    }

    CStatusBar& m_bar;
};

} // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_dwStyle = dwStyle & CBRS_ALL;
    // The bar's layout places and sizes the control, not the control itself.
    const DWORD windowStyle =
        (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle, CRect(), pParentWnd, nID))
        return FALSE;
    SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    BOOL allFound = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane = {lpIDArray[i], SBPS_NORMAL, 0, CString()};
        if (pane.id != ID_SEPARATOR) {
            allFound &= LoadResourceString(pane.id, pane.text);
            pane.width = TextWidth(pane.text);
        } else if (i == 0) {
            pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
        } else {
            pane.width = ::GetSystemMetrics(SM_CXSCREEN) / 4;
        }
        m_panes.push_back(pane);
    }
    UpdateParts();
    for (int i = 0; i < GetCount(); ++i)
        ShowPane(i);
    return allFound;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[i].id == nIDFind)
            return i;
    }
    return -1;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    SendMessage(SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const Pane& pane = m_panes[nIndex];
    nID = pane.id;
    nStyle = pane.style;
    cxWidth = pane.width;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    Pane& pane = m_panes[nIndex];
    pane.id = nID;
    pane.style = nStyle;
    pane.width = cxWidth;
    UpdateParts();
    ShowPane(nIndex);
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    Pane& pane = m_panes[nIndex];
    if (pane.style == nStyle)
        return;
    const bool stretchChanged = ((pane.style ^ nStyle) & SBPS_STRETCH) != 0;
    pane.style = nStyle;
    if (stretchChanged)
        UpdateParts();
    ShowPane(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL)
{
    Pane& pane = m_panes[nIndex];
    if (pane.text == CString(lpszNewText))
        return TRUE;
    pane.text = lpszNewText;
    ShowPane(nIndex);
    return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(BarFontDC(*this).Get(), &metrics);

    int borders[3] = {};  // horizontal, vertical, between panes
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    // Room for a small icon too, since panes may show one.
    const int content = std::max<int>(metrics.tmHeight, ::GetSystemMetrics(SM_CYSMICON));
    const int height = content + 2 * borders[1] + 2 * ::GetSystemMetrics(SM_CYEDGE);
    int width = 32767;
    if (!bStretch) {
        width = 0;
        for (const Pane& pane : m_panes)
            width += pane.width + 2 * kPaneMargin;
    }
    return CSize(width, height);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state(*this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = m_panes[state.m_nIndex].id;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateParts();
}

void CStatusBar::UpdateParts()
{
    if (m_panes.empty())
        return;
    CRect client;
    GetClientRect(&client);
    int fixedWidth = 0;
    for (const Pane& pane : m_panes) {
        if (!(pane.style & SBPS_STRETCH))
            fixedWidth += pane.width + 2 * kPaneMargin;
    }
    const int stretchWidth = std::max(0, client.Width() - fixedWidth);
    std::vector<int> rightEdges;
    int right = 0;
    for (const Pane& pane : m_panes) {
        right += pane.style & SBPS_STRETCH ? stretchWidth : pane.width + 2 * kPaneMargin;
        rightEdges.push_back(right);
    }
    SendMessage(SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
}

void CStatusBar::ShowPane(int nIndex)
{
    const Pane& pane = m_panes[nIndex];
    const UINT borders = pane.style & (SBPS_NOBORDERS | SBPS_POPOUT);
    const LPCTSTR text = pane.style & SBPS_DISABLED ? "" : pane.text.GetString();
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | borders,
                reinterpret_cast<LPARAM>(text));
}

int CStatusBar::TextWidth(LPCTSTR text) const
{
    SIZE extent = {};
    ::GetTextExtentPoint32A(BarFontDC(*this).Get(), text, static_cast<int>(std::strlen(text)),
                            &extent);
    return extent.cx;
}
