// CScriptContext: what a script connection's API functions need of their connection. The script
// host owns it for the connection's lifetime and stores its address in the interpreter's registry
// (kScriptContextKey) once the script's top level has run; before that the functions that need
// it find none and do nothing.
#pragma once
#include "core/engine/ConnectionWorker.h"

extern "C" {
#include <lua.h>
}

inline const char* const kScriptContextKey = "QuorvexDataReg";

struct CScriptContext
{
    CScriptContext(CConnectionWorker& worker) : worker(worker) {}

    CConnectionWorker& worker;
    bool oneShot[2] = {};
    // Set by Disconnect: the connection ends once the running event returns.
    bool disconnect = false;
    // A send from the script that ended the connection (already logged): returned once the
    // running event returns.
    int sendResult = kGoOn;
};

// The connection's context, or null while the script's top level runs.
CScriptContext* FetchScriptContext(lua_State* state);
