// CCriticalSection: a lock for the threads of one process, re-entrant for the thread that holds
// it. CSingleLock holds one for a scope.
#pragma once

#include "platform/Types.h"

class CCriticalSection
{
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_section); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock()
    {
        ::EnterCriticalSection(&m_section);
        return TRUE;
    }
    BOOL Unlock()
    {
        ::LeaveCriticalSection(&m_section);
        return TRUE;
    }

private:
    CRITICAL_SECTION m_section;
};

class CSingleLock
{
public:
    explicit CSingleLock(CCriticalSection* section, BOOL initialLock = FALSE)
        : m_section(section)
    {
        if (initialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    void Lock()
    {
        if (!m_locked)
            m_locked = m_section->Lock() != FALSE;
    }
    void Unlock()
    {
        if (m_locked) {
            m_section->Unlock();
            m_locked = false;
        }
    }

private:
    CCriticalSection* m_section;
    bool m_locked = false;
};
