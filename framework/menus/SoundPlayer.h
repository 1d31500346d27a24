// CExtSoundPlayer: the menu sounds. Each sound is played by a short-lived worker thread of
// below-normal priority, so the window thread never waits for the sound system; a sound asked for
// while a worker still plays is skipped. One instance for the whole process (g_SoundPlayer).
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Object.h"

// The system's sound header names its PlaySoundA this way; here the name is the player's.
#include <mmsystem.h>
#undef PlaySound

// What the player asks of the system: playing a sound and starting a suspended thread. The real
// one calls PlaySound and CreateThread; tests put a fake in its place.
class ISoundSystem
{
public:
    virtual ~ISoundSystem() = default;
    virtual BOOL PlaySoundAlias(LPCSTR name, HMODULE module, DWORD flags) = 0;
    // A thread created suspended, or null.
    virtual HANDLE CreateSuspendedThread(LPTHREAD_START_ROUTINE proc, LPVOID param,
                                         DWORD* threadId) = 0;
};

class CExtSoundPlayer : public CObject
{
    DECLARE_DYNCREATE(CExtSoundPlayer)
public:
    enum SoundId
    {
        kSoundNone = 0,
        kSoundMenuPopup = 1,
        kSoundMenuExpand = 2,
        kSoundMenuCommand = 3
    };

    // Plays the sound of id on a worker: 1 and 2 "MenuPopup" asynchronously, 3 "MenuCommand"
    // synchronously (the player stays busy until it has finished); other ids do nothing.
    virtual void PlaySound(int soundId);

    // Null puts the system back.
    static void SetSoundSystem(ISoundSystem* system);
    // True when no worker is playing.
    static bool IsFree();

    // The request's hand-over: the worker signals it once it has copied the parameters.
    class InternalSoundEventInitDone_t
    {
    public:
        InternalSoundEventInitDone_t();
        ~InternalSoundEventInitDone_t();
        InternalSoundEventInitDone_t(const InternalSoundEventInitDone_t&) = delete;
        InternalSoundEventInitDone_t& operator=(const InternalSoundEventInitDone_t&) = delete;
        void Signal() { ::SetEvent(m_event); }
        void Wait() { ::WaitForSingleObject(m_event, INFINITE); }

    private:
        HANDLE m_event;
    };
};

extern CExtSoundPlayer* g_SoundPlayer;
