#include "platform/WinThread.h"

#include <process.h>

#include "platform/StandardIds.h"
#include "platform/WinApp.h"
#include "platform/Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_workerThread = nullptr;

// A timer message the system uses for caret blinking.
const UINT kSystemTimerMessage = 0x0118;

} // namespace

CWinThread::CWinThread()
    : m_nThreadID(::GetCurrentThreadId())
{
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc)
    , m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned threadId = 0;
    // Through the C runtime, so that the worker may use all of it.
    m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(lpSecurityAttrs, nStackSize,
                                                        &ThreadEntry, this, dwCreateFlags,
                                                        &threadId));
    m_nThreadID = threadId;
    return m_hThread != nullptr;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThread)
{
    CWinThread* thread = static_cast<CWinThread*>(pThread);
    t_workerThread = thread;
    const UINT result = thread->m_pfnThreadProc(thread->m_pThreadParams);
    t_workerThread = nullptr;
    if (thread->m_bAutoDelete)
        delete thread;
    return result;
}

int CWinThread::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        if (m_pMainWnd && m_pMainWnd->m_hWnd && m_pMainWnd->IsWindowVisible()) {
            m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    CWnd::DeleteTempMap();
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* mainWnd = AfxGetMainWnd();
    const HWND hWndMain = mainWnd ? mainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // A window that neither is nor belongs to the main window (an unowned dialog, say) still
    // gets the main window's accelerators.
    if (hWndMain && pMsg->hwnd && ::GetAncestor(pMsg->hwnd, GA_ROOTOWNER) != hWndMain)
        return mainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        const bool same = m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x &&
                          m_ptCursorLast.y == pMsg->pt.y;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return !same;
    }
    return pMsg->message != WM_PAINT && pMsg->message != kSystemTimerMessage;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* thread = new CWinThread(pfnThreadProc, pParam);
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

CWinThread* AfxGetThread()
{
    return t_workerThread ? t_workerThread : AfxGetApp();
}

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->m_pMainWnd : nullptr;
}
