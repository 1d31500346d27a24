// The handle maps, the window procedure and message dispatch of CWnd.
#include "platform/Wnd.h"

#include <memory>
#include <new>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "platform/CmdUI.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/WinApp.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

// Windows belong to the thread that created them, and so do these maps.
struct WindowThreadState
{
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    // The message being handled, for Default().
    MSG current = {};
};

thread_local WindowThreadState t_windows;

// Makes msg the current message while it is handled, restoring the outer one afterwards.
class CurrentMessageScope
{
public:
    explicit CurrentMessageScope(const MSG& msg)
        : m_outer(std::exchange(t_windows.current, msg))
    { }
    ~CurrentMessageScope() { t_windows.current = m_outer; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    MSG m_outer;
};

} // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    const MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
    CurrentMessageScope scope(msg);
    LRESULT result = 0;
    // An exception must not unwind through the system's code that called this procedure.
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        result = wnd->ProcessWndProcException(e, &msg);
    } catch (const std::bad_alloc&) {
        // The standard library's containers say "no memory" their own way (a buffer past what
        // the process can hold is a length error).
        result = wnd->ProcessWndProcException(new CMemoryException(), &msg);
    } catch (const std::length_error&) {
        result = wnd->ProcessWndProcException(new CMemoryException(), &msg);
    }
    if (message == WM_NCDESTROY)
        wnd->FinishNcDestroy();
    return result;
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        CWnd::DestroyWindow();
    // A window of another thread cannot be destroyed from here; forget it at least.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd))
        return permanent;
    std::unique_ptr<CWnd>& temporary = t_windows.temporary[hWnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hWnd;
    }
    return temporary.get();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto found = t_windows.permanent.find(hWnd);
    return found == t_windows.permanent.end() ? nullptr : found->second;
}

void CWnd::DeleteTempMap()
{
    // The temporary objects only borrow their windows.
    for (auto& entry : t_windows.temporary)
        entry.second->m_hWnd = nullptr;
    t_windows.temporary.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    t_windows.permanent[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hWnd = std::exchange(m_hWnd, nullptr);
    if (hWnd)
        t_windows.permanent.erase(hWnd);
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (previous != &AfxWndProc)
        m_pfnSuper = previous;
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::FinishNcDestroy()
{
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    if (current == &AfxWndProc && m_pfnSuper)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    // The end of the application's main window ends its message loop.
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd == this) {
        if (thread == AfxGetApp())
            ::PostQuitMessage(0);
        thread->m_pMainWnd = nullptr;
    }
    PostNcDestroy();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
        result = handled;
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        handled = header->hwndFrom && OnNotify(wParam, lParam, &result);
    } else if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0)) {
        MessageMapCall call = {message, wParam, lParam, 0, nullptr, 0};
        entry->pfn(*this, call);
        result = call.result;
        handled = TRUE;
    }
    if (pResult)
        *pResult = result;
    return handled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& current = t_windows.current;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const HWND hWndControl = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (!hWndControl) {
        if (id == 0)
            return FALSE;
        // The command may have been disabled since its menu item or key was last updated.
        CTestCmdUI state;
        state.m_nID = id;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        code = CN_COMMAND;
    } else if (ReflectToChild(hWndControl, WM_COMMAND, wParam, lParam, nullptr)) {
        return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectToChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &notify,
                    nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
        return OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr,
                        nullptr);
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = {pResult, header};
        return OnCmdMsg(0, MAKELONG(header->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    return FALSE;
}

BOOL CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    return child && child->OnChildNotify(message, wParam, lParam, pResult);
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

void CWnd::OnDropFiles(HDROP)
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CWnd*)
{
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CWnd*)
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::OnKillFocus(CWnd*)
{
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

LRESULT CWnd::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    char text[256] = {};
    e->GetErrorMessage(text, sizeof text);
    e->Delete();
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);
    return 0;
}

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = rString.GetBuffer(length);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer();
}
