#include "platform/FrameWnd.h"

#include "platform/CmdUI.h"
#include "platform/StringResource.h"
#include "platform/View.h"
#include "platform/WinApp.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

namespace {

// Menu items of the system's own commands (SC_xxx) are never disabled for want of a handler.
const UINT kFirstSystemCommand = 0xF000;

} // namespace

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    const HINSTANCE instance = AfxGetInstanceHandle();
    const LPCSTR resource = MAKEINTRESOURCEA(nIDResource);
    CString fullTitle;
    LoadResourceString(nIDResource, fullTitle);
    const int newline = fullTitle.Find('\n');
    m_strTitle = newline < 0 ? fullTitle : fullTitle.Left(newline);

    const LPCTSTR className =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                            ::LoadIconA(instance, resource));
    const HMENU menu = ::LoadMenuA(instance, resource);
    if (!CreateEx(0, className, m_strTitle, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr, menu,
                  pContext)) {
        // The object is gone; a window that existed took its menu with it.
        if (menu && ::IsMenu(menu))
            ::DestroyMenu(menu);
        return FALSE;
    }
    m_hAccelTable = ::LoadAcceleratorsA(instance, resource);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CWnd::PreCreateWindow(cs);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!OnCreateClient(lpCreateStruct,
                        static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams)))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    return !pContext || !pContext->m_pNewViewClass || CreateView(pContext);
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete object;
        return nullptr;
    }
    CWnd* view = static_cast<CWnd*>(object);
    // A view that fails to be created deletes itself.
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(), this, nID,
                      pContext))
        return nullptr;
    if (!m_pViewActive && view->IsKindOf(RUNTIME_CLASS(CView)))
        m_pViewActive = static_cast<CView*>(view);
    return view;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    // Moving the bars may send WM_SIZE back to the frame.
    if (m_inRecalcLayout)
        return;
    m_inRecalcLayout = true;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_inRecalcLayout = false;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hAccelTable)
        return FALSE;
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    Default();
    if (HIWORD(lParam))  // the window menu
        return 0;
    CCmdUI state;
    state.m_hMenu = reinterpret_cast<HMENU>(wParam);
    state.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(state.m_hMenu));
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = ::GetMenuItemID(state.m_hMenu, static_cast<int>(state.m_nIndex));
        state.DoUpdate(this, state.m_nID < kFirstSystemCommand);
    }
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int key = VK_KANA;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS:
        key = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        key = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        key = VK_SCROLL;
        break;
    }
    pCmdUI->Enable(::GetKeyState(key) & 1);
}
