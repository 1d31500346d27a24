// The script API: the global functions through which a port's script logs, sends, reads and
// replaces the send editor's bytes, reads and writes files, runs its two timers and starts or
// stops ports. None raises a Lua error: a wrong call answers an error code, nothing, or a warning
// record in the log, and the script goes on.
#pragma once
#include <vector>

#include "platform/Types.h"

extern "C" {
#include <lua.h>
}

// Sets Logput, SetTimer, KillTimer, Disconnect, GetEditorData, SetEditorData, FileRead,
// FileWrite, BitOr, BitAnd, BitOff, StringToTable, TableCat, StartConnection, EndConnection and
// SendData as globals. The editor functions reach the send editor through mainWindow. Returns 0.
int RegisterScriptApi(lua_State* state, HWND mainWindow);

// A Lua number truncated toward zero, held within int (NaN gives 0).
int TruncateToInt(lua_Number value);
// Its low 8 bits, as a C cast to int would keep them for a number within int.
BYTE LowByte(lua_Number value);
// The byte table at index: t[1], t[2], ... up to the first entry that is not a number.
std::vector<BYTE> ReadByteTable(lua_State* state, int index);
// Pushes a new table holding the bytes as 1..n.
void PushByteTable(lua_State* state, const BYTE* data, size_t size);
