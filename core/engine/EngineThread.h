// Threads of the engine: kept by whoever started them, so that they can wait for the thread's
// end.
#pragma once
#include <memory>

#include "platform/Thread.h"

using EngineThread = std::unique_ptr<CThread>;

// Starts proc(param) at the priority given; empty when the thread could not be started (param is
// then still the caller's).
EngineThread StartEngineThread(AFX_THREADPROC proc, LPVOID param, int priority);

// Waits until the thread has ended and lets it go; an empty one is ignored.
void JoinEngineThread(EngineThread& thread);

// Whether the thread has ended.
bool HasEnded(const EngineThread& thread);
