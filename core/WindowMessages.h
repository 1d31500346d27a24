// The program's own window messages, all numbered here so that no two share a number. What each
// carries is said beside it; the records they point at live with their senders.
#pragma once
#include "platform/Types.h"

// From the log view to the detailed-log pane: wParam 0 shows the CLogRecord at lParam (sent),
// wParam 1 with lParam 0 clears the pane (posted).
const UINT WM_SHOW_RECORD = WM_APP + 2;
// To the send editor, sent when a file is dropped on its pane: lParam the zero-terminated path of
// a .bin file to load.
const UINT WM_EDITOR_LOADFILE = WM_APP + 5;
// To the main frame, posted: wParam a ViewNotify, lParam 0.
const UINT WM_VIEW_NOTIFY = WM_APP + 3;
// From the connection threads to the main frame, sent: wParam a PortNotifyCode, lParam the record
// it names (core/PortNotify.h).
const UINT WM_PORT_NOTIFY = WM_APP + 4;
// From the serial threads to the main frame, sent: wParam = operation << 16 | port index.
const UINT WM_SERIAL_NOTIFY = WM_APP + 8;
// To the main frame from any thread, sent: wParam SEND_EDITOR_READ copies the send editor's bytes
// into the COleSafeArray at lParam, SEND_EDITOR_WRITE replaces them with it (undoable) and answers
// SetData's result (core/SendEditorAccess.h).
const UINT WM_SEND_EDITOR_DATA = WM_APP + 0x40;
// To the main frame from any thread, sent: copies the script of the port in wParam (0 or 1) into
// the COleSafeArray at lParam (core/ScriptTextAccess.h).
const UINT WM_SCRIPT_TEXT = WM_APP + 0x41;

enum ViewNotify
{
    // 1 (the toolbar size changed) needs nothing: the size takes effect at the next start.
    VIEW_NOTIFY_REBUILD_LIST = 0,  // make the log list anew from the stored records
    VIEW_NOTIFY_TITLE = 3,         // refresh the title
};
