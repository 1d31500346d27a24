// The idle update a dialog or page passes on to the control bars it holds (a pane's toolbar):
// after each message that counts as activity, the bars update their command states, one relay
// at a time.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/dialogs/ControlBarStandIns.h"
#include "platform/WinThread.h"

class CExtIdleUpdateRelay
{
public:
    // Active from when the window is adopted until WM_DESTROY.
    void SetActive(bool active) { m_active = active; }

    // Runs handle (the window's handling of the thread's current message), then the relay
    // when that message counts as activity and the window still lives.
    template <class Handle>
    LRESULT Around(CWnd& window, Handle handle)
    {
        CWinThread* thread = AfxGetThread();
        const bool due = m_active && thread && thread->IsIdleMessage(thread->GetCurrentMessage());
        const HWND hWnd = window.m_hWnd;
        const LRESULT result = handle();
        if (due && ::IsWindow(hWnd) && !m_running) {
            m_running = true;
            CExtControlBar::RelayDialogIdleUpdate(&window, TRUE);
            m_running = false;
        }
        return result;
    }

private:
    bool m_active = false;
    // Guards against a relay started by a message sent while one runs.
    bool m_running = false;
};
