// CWinThread: a thread as the layer sees it. The application object is the window thread's;
// AfxBeginThread starts worker threads that run one function. Run is the window thread's
// message loop: each queued message is first offered to PreTranslateMessage of its window and
// of each parent, and when the queue runs empty OnIdle updates the user interface of the main
// window and its descendants (WM_IDLEUPDATECMDUI).
#pragma once
#include "platform/WindowLayer.h"

#include "platform/CmdTarget.h"
#include "platform/Thread.h"

class CWnd;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    // The calling thread's object (the application's).
    CWinThread();
    // A worker that will run pfnThreadProc(pParam) once CreateThread starts it.
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the worker; with CREATE_SUSPENDED it waits for ResumeThread.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }

    // Runs the message loop until WM_QUIT and returns ExitInstance().
    virtual int Run();
    // The exit code: the wParam of the WM_QUIT that ended the loop.
    virtual int ExitInstance();
    // Idle work; lCount counts the calls since the last message. True asks for another call.
    virtual BOOL OnIdle(LONG lCount);
    // Offers the message to the windows from its target up to the main window, then to the main
    // window for messages of windows outside it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Takes one message from the queue (waiting for it) and handles it; false on WM_QUIT.
    virtual BOOL PumpMessage();
    // Whether the message counts as activity that restarts idle processing.
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The message the loop took from the queue last.
    MSG* GetCurrentMessage() { return &m_msgCur; }

    CWnd* m_pMainWnd = nullptr;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // A worker's object deletes itself when its function returns.
    BOOL m_bAutoDelete = TRUE;

protected:
    MSG m_msgCur = {};

private:
    static unsigned __stdcall ThreadEntry(void* pThread);

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    // For IsIdleMessage: a mouse move to where the mouse already was is no activity.
    POINT m_ptCursorLast = {-1, -1};
    UINT m_nMsgLast = 0;
};

// Starts pfnThreadProc(pParam) on a new thread with the given priority. The returned object
// deletes itself when the function returns (unless its m_bAutoDelete is cleared while it is
// still suspended). Null when the thread could not be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// The calling thread's object: a worker's own, otherwise the application.
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
