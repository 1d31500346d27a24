#include "core/engine/PluginDll.h"

#include <cstring>

#include "core/MessageCodes.h"
#include "core/engine/PortReporter.h"

int CPluginDll::Load(const char* path)
{
    Unload();
    m_module = ::LoadLibraryA(path);
    if (!m_module)
        return 0;
    m_callback = reinterpret_cast<PluginCallback>(
        reinterpret_cast<void*>(::GetProcAddress(m_module, "CallBackQVG")));
    if (!m_callback) {
        Unload();
        return 0;
    }
    return 1;
}

int CPluginDll::Unload()
{
    m_callback = nullptr;
    if (!m_module)
        return 0;
    const BOOL freed = ::FreeLibrary(m_module);
    m_module = nullptr;
    return freed;
}

int CPluginDll::Call(PluginRecord& answer, PluginRecord& request) const
{
    return m_callback(&answer, &request);
}

namespace {

int LogLevelCode(DWORD level)
{
    switch (level) {
    case 1:
        return MSG_DLL_INFORMATION;
    case 2:
        return MSG_DLL_CAUTION;
    default:
        return MSG_DLL_WARNING;
    }
}

} // namespace

int CPluginDll::Invoke(PluginRecord& answer, PluginRecord& request, CPortReporter& reporter)
{
    std::memset(m_messageBuffer, 0, sizeof m_messageBuffer);
    answer = {};
    request.word[PLUGIN_BUFFER_SIZE] = kMessageBufferSize;
    request.word[PLUGIN_LOG_LEVEL] = 0;
    request.word[PLUGIN_BUFFER] = PluginPointerWord(m_messageBuffer);
    const int result = Call(answer, request);
    request.word[PLUGIN_OWN_FIRST] = answer.word[PLUGIN_OWN_FIRST];
    request.word[PLUGIN_OWN_SECOND] = answer.word[PLUGIN_OWN_SECOND];
    if (result == kPluginCallFailed)
        return result;
    if (answer.word[PLUGIN_LOG_LEVEL] != 0) {
        // A DLL that filled the whole buffer left no end of its own.
        m_messageBuffer[kMessageBufferSize - 1] = '\0';
        reporter.LogMessageText(LogLevelCode(answer.word[PLUGIN_LOG_LEVEL]), m_messageBuffer);
    }
    return result;
}

bool CopyPluginData(const PluginRecord& record, COleSafeArray& bytes)
{
    const DWORD length = record.word[PLUGIN_LENGTH];
    const BYTE* data = PluginWordPointer(record.word[PLUGIN_DATA]);
    bytes.Clear();
    if (length == 0)
        return true;
    if (!data)
        return false;
    bytes.CreateOneDim(VT_UI1, length, data);
    return true;
}
