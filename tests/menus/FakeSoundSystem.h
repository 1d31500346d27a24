// A sound system that records what the player asks of it. "MenuCommand" can be held, as a
// synchronous sound keeps its worker busy, and thread creation can be made to fail.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "framework/menus/SoundPlayer.h"

class FakeSoundSystem : public ISoundSystem
{
public:
    struct Call
    {
        std::string name;  // empty for a purge
        DWORD flags;
    };

    FakeSoundSystem() : m_release(::CreateEventA(nullptr, TRUE, TRUE, nullptr))
    {
        CExtSoundPlayer::SetSoundSystem(this);
    }
    ~FakeSoundSystem() override
    {
        ::SetEvent(m_release);
        WaitUntilFree();
        CExtSoundPlayer::SetSoundSystem(nullptr);
        ::CloseHandle(m_release);
    }
    FakeSoundSystem(const FakeSoundSystem&) = delete;
    FakeSoundSystem& operator=(const FakeSoundSystem&) = delete;

    BOOL PlaySoundAlias(LPCSTR name, HMODULE, DWORD flags) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.push_back({name ? name : "", flags});
        }
        if (name && std::string(name) == "MenuCommand")
            ::WaitForSingleObject(m_release, INFINITE);
        return TRUE;
    }
    HANDLE CreateSuspendedThread(LPTHREAD_START_ROUTINE proc, LPVOID param,
                                 DWORD* threadId) override
    {
        if (m_failThreads)
            return nullptr;
        return ::CreateThread(nullptr, 0, proc, param, CREATE_SUSPENDED, threadId);
    }

    // A "MenuCommand" plays until released.
    void HoldCommandSound() { ::ResetEvent(m_release); }
    void ReleaseCommandSound() { ::SetEvent(m_release); }
    void FailThreads(bool fail) { m_failThreads = fail; }

    std::vector<Call> Calls()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    // The names played, purges left out.
    std::vector<std::string> Played()
    {
        std::vector<std::string> names;
        for (const Call& call : Calls()) {
            if (!call.name.empty())
                names.push_back(call.name);
        }
        return names;
    }
    bool WaitUntilFree(DWORD timeoutMs = 5000)
    {
        const DWORD start = ::GetTickCount();
        while (!CExtSoundPlayer::IsFree()) {
            if (::GetTickCount() - start > timeoutMs)
                return false;
            ::Sleep(1);
        }
        return true;
    }

private:
    HANDLE m_release;
    bool m_failThreads = false;
    std::mutex m_mutex;
    std::vector<Call> m_calls;
};
