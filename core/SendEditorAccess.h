// The send editor's bytes for any thread. Only the window thread touches the pane: a call from
// another thread is carried to it with a sent (synchronous) message to the main frame, so a
// connection thread reads or replaces the bytes as a whole and never while they are painted
// or edited. A caller must hold no lock that the window thread may wait for.
#pragma once

#include "core/WindowMessages.h"
#include "platform/SafeArray.h"
#include "platform/Types.h"

enum SendEditorAccess
{
    SEND_EDITOR_READ = 0,
    SEND_EDITOR_WRITE = 1,
};

// The bytes of the send editor of main frame hWndMain; empty once the window is gone.
COleSafeArray& ReadSendEditorData(HWND hWndMain, COleSafeArray& data);
// Replaces them; FALSE when the window is gone.
BOOL WriteSendEditorData(HWND hWndMain, const COleSafeArray& data);
