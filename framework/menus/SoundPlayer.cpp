#include "framework/menus/SoundPlayer.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CExtSoundPlayer, CObject)

namespace {

class SystemSound : public ISoundSystem
{
public:
    BOOL PlaySoundAlias(LPCSTR name, HMODULE module, DWORD flags) override
    {
        return ::PlaySoundA(name, module, flags);
    }
    HANDLE CreateSuspendedThread(LPTHREAD_START_ROUTINE proc, LPVOID param,
                                 DWORD* threadId) override
    {
        return ::CreateThread(nullptr, 0, proc, param, CREATE_SUSPENDED, threadId);
    }
};

SystemSound g_systemSound;
ISoundSystem* g_soundSystem = &g_systemSound;

// Signalled while no worker plays. Lives from static initialisation to exit; a worker still
// playing at exit is not waited for.
struct PlayerShared
{
    PlayerShared()
        : freeEvent(::CreateEventA(nullptr, FALSE, TRUE,
                                   "CExtSoundPlayer__InternalSoundThredadParms_t"))
    {
        ::InitializeCriticalSection(&requestLock);
    }
    ~PlayerShared()
    {
        ::DeleteCriticalSection(&requestLock);
        if (freeEvent)
            ::CloseHandle(freeEvent);
    }
    HANDLE freeEvent;
    CRITICAL_SECTION requestLock;
};
PlayerShared g_shared;

constexpr size_t kNameSize = 1024;

// One request, on the requester's stack until the worker has copied it.
struct SoundParams
{
    CExtSoundPlayer::InternalSoundEventInitDone_t* handOver;
    char name[kNameSize];
    HMODULE module;
    DWORD flags;
    HANDLE thread;
    DWORD threadId;
};

DWORD WINAPI PlaySoundWorker(LPVOID param)
{
    const SoundParams& request = *static_cast<const SoundParams*>(param);
    char name[kNameSize];
    std::memcpy(name, request.name, kNameSize);
    const HMODULE module = request.module;
    const DWORD flags = request.flags;
    ISoundSystem* const system = g_soundSystem;
    request.handOver->Signal();
    if (flags & SND_ASYNC)
        system->PlaySoundAlias(nullptr, nullptr, SND_PURGE);
    system->PlaySoundAlias(name, module, flags);
    ::SetEvent(g_shared.freeEvent);
    return 0;
}

} // namespace

CExtSoundPlayer _soundPlayerInstance;
CExtSoundPlayer* g_SoundPlayer = &_soundPlayerInstance;

CExtSoundPlayer::InternalSoundEventInitDone_t::InternalSoundEventInitDone_t()
    : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

CExtSoundPlayer::InternalSoundEventInitDone_t::~InternalSoundEventInitDone_t()
{
    if (m_event)
        ::CloseHandle(m_event);
}

void CExtSoundPlayer::SetSoundSystem(ISoundSystem* system)
{
    g_soundSystem = system ? system : &g_systemSound;
}

bool CExtSoundPlayer::IsFree()
{
    if (::WaitForSingleObject(g_shared.freeEvent, 0) != WAIT_OBJECT_0)
        return false;
    ::SetEvent(g_shared.freeEvent);
    return true;
}

void CExtSoundPlayer::PlaySound(int soundId)
{
    SoundParams request = {};
    switch (soundId) {
    case kSoundMenuPopup:
    case kSoundMenuExpand:
        std::strcpy(request.name, "MenuPopup");
        request.flags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
        break;
    case kSoundMenuCommand:
        std::strcpy(request.name, "MenuCommand");
        request.flags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
        break;
    default:
        return;
    }
    ::EnterCriticalSection(&g_shared.requestLock);
    if (::WaitForSingleObject(g_shared.freeEvent, 0) == WAIT_OBJECT_0) {
        InternalSoundEventInitDone_t handOver;
        request.handOver = &handOver;
        request.thread =
            g_soundSystem->CreateSuspendedThread(PlaySoundWorker, &request, &request.threadId);
        if (request.thread) {
            ::SetThreadPriority(request.thread, THREAD_PRIORITY_BELOW_NORMAL);
            ::ResumeThread(request.thread);
            handOver.Wait();
            ::CloseHandle(request.thread);
        } else {
            ::SetEvent(g_shared.freeEvent);
        }
    }
    ::LeaveCriticalSection(&g_shared.requestLock);
}
