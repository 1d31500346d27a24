// CPluginDll: one connection's hold on its extension DLL (each connection loads and frees its
// own reference) and the calls into it.
#pragma once
#include "core/engine/PluginRecord.h"
#include "platform/SafeArray.h"
#include "platform/Types.h"

class CPortReporter;

class CPluginDll
{
public:
    static const DWORD kMessageBufferSize = 260;

    CPluginDll() = default;
    CPluginDll(const CPluginDll&) = delete;
    CPluginDll& operator=(const CPluginDll&) = delete;
    ~CPluginDll() { Unload(); }

    // Loads the library as the path stands (a bare name through the system's DLL search order)
    // and finds CallBackQVG; 1 when both succeed, else 0 with nothing kept loaded.
    int Load(const char* path);
    // The result of FreeLibrary, or 0 when nothing was loaded.
    int Unload();

    // A call as it stands: no message buffer, nothing cleared, nothing handed back.
    int Call(PluginRecord& answer, PluginRecord& request) const;
    // A worker's call: the answer cleared, the message buffer offered, the DLL's own words
    // handed back into the request, and the DLL's log text (unless the call failed) logged by
    // level through the reporter.
    int Invoke(PluginRecord& answer, PluginRecord& request, CPortReporter& reporter);

private:
    HMODULE m_module = nullptr;
    PluginCallback m_callback = nullptr;
    char m_messageBuffer[kMessageBufferSize] = {};
};

// The worker-call result that counts as a failure; any other is a success.
const int kPluginCallFailed = 1;

// The bytes of record words 5 and 6 (none when the length is 0). False when the DLL gave a
// length without a pointer.
bool CopyPluginData(const PluginRecord& record, COleSafeArray& bytes);
