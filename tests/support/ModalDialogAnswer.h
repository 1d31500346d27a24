// Answers the next modal dialog that this thread shows, from inside its modal loop: a thread
// timer waits for the visible dialog, lets the test look at it, then clicks the given controls
// in order (the last one usually ends it). One answer at a time; installed for the object's
// lifetime.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class ModalDialogAnswer
{
public:
    using Inspect = std::function<void(HWND dialog)>;

    explicit ModalDialogAnswer(std::vector<int> clicks, Inspect inspect = {})
        : m_clicks(std::move(clicks)), m_inspect(std::move(inspect))
    {
        Current() = this;
        m_timer = SetTimer(nullptr, 0, 20, OnTimer);
    }
    ~ModalDialogAnswer()
    {
        KillTimer(nullptr, m_timer);
        Current() = nullptr;
    }
    ModalDialogAnswer(const ModalDialogAnswer&) = delete;
    ModalDialogAnswer& operator=(const ModalDialogAnswer&) = delete;

    // Whether a dialog was found and answered.
    bool Answered() const { return m_answered; }

private:
    static ModalDialogAnswer*& Current()
    {
        static ModalDialogAnswer* current = nullptr;
        return current;
    }

    static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
    {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) != "#32770" || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalDialogAnswer* self = Current();
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!self || self->m_answered || !dialog)
            return;
        self->m_answered = true;
        if (self->m_inspect)
            self->m_inspect(dialog);
        for (int id : self->m_clicks)
            SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    }

    std::vector<int> m_clicks;
    Inspect m_inspect;
    UINT_PTR m_timer = 0;
    bool m_answered = false;
};
