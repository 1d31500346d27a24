// A port's script text for any thread. Only the window thread touches the script panes: a call
// from a connection thread is carried to it with a sent (synchronous) message to the main frame,
// so the caller gets a consistent copy even while the user edits the script. A caller must hold
// no lock that the window thread may wait for.
#pragma once

#include "core/WindowMessages.h"
#include "platform/SafeArray.h"
#include "platform/Types.h"

// The script of port (0 or 1) from the pane of main frame hWndMain, lines ended with CR LF;
// empty once the window is gone.
COleSafeArray& ReadScriptText(HWND hWndMain, int port, COleSafeArray& text);
