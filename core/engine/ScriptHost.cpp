#include "core/engine/ScriptHost.h"

#include <cstdlib>
#include <cstring>
#include <optional>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/ScriptTextAccess.h"
#include "core/engine/LuaModuleList.h"
#include "core/engine/PortEngine.h"
#include "core/engine/ScriptApi.h"

extern "C" {
#include <lauxlib.h>
#include <lualib.h>
}

namespace {

const char* const kStoppedMessage = "the port was stopped";

} // namespace

CScriptHost::~CScriptHost()
{
    if (m_state)
        lua_close(m_state);
}

void* CScriptHost::Allocate(void*, void* block, size_t, size_t newSize)
{
    if (newSize == 0) {
        std::free(block);
        return nullptr;
    }
    return std::realloc(block, newSize);
}

void CScriptHost::StopHook(lua_State* state, lua_Debug*)
{
    void* host = nullptr;
    lua_getallocf(state, &host);
    auto* self = static_cast<CScriptHost*>(host);
    if (::WaitForSingleObject(self->m_worker->StopEvent(), 0) != WAIT_OBJECT_0)
        return;
    self->m_stopRaised = true;
    luaL_error(state, kStoppedMessage);
}

int CScriptHost::OnStart(CConnectionWorker& worker)
{
    m_worker = &worker;
    m_context = std::make_unique<CScriptContext>(worker);
    CPortReporter& reporter = worker.Reporter();
    const HWND window = worker.Engine().Context(worker.Port()).m_notifyWindow;
    COleSafeArray text;
    ReadScriptText(window, worker.Port(), text);
    // The chunk is the text up to its first NUL.
    const char* chunk = reinterpret_cast<const char*>(text.GetData());
    const size_t length = chunk ? ::strnlen(chunk, text.GetSize()) : 0;
    if (text.GetSize() == 0) {
        reporter.LogMessageText(MSG_SCRIPT_INFO, GetMessageText(MSG_SCRIPT_EMPTY));
        return kResultFailed;
    }
    if (!CreateState())
        return kResultFailed;
    if (luaL_loadbuffer(m_state, chunk, length, nullptr) != 0) {
        const int result = ReportError(STEP_LOAD);
        lua_close(m_state);
        m_state = nullptr;
        return result;
    }
    m_loaded = true;
    if (!ProtectedCall(0, 0))
        return m_stopRaised ? worker.End(worker.Messages().stopped, 0, kResultStopped)
                            : ReportError(STEP_RUN);
    lua_pushlightuserdata(m_state, m_context.get());
    lua_setfield(m_state, LUA_REGISTRYINDEX, kScriptContextKey);
    return CallEvent("OnConnected", STEP_ON_CONNECTED, [] { return 0; });
}

bool CScriptHost::CreateState()
{
    m_state = lua_newstate(&Allocate, this);
    if (!m_state) {
        m_worker->Reporter().LogMessageText(MSG_SCRIPT_WARNING, GetMessageText(MSG_SCRIPT_LOAD_ERROR));
        m_worker->Reporter().LogMessageText(MSG_SCRIPT_ERROR_DETAIL, "not enough memory");
        return false;
    }
    luaL_openlibs(m_state);
    RegisterScriptApi(m_state, m_worker->Engine().Context(m_worker->Port()).m_notifyWindow);
    RegisterModules();
    return true;
}

void CScriptHost::RegisterModules()
{
    if (!m_modules)
        return;
    // Last, so that a module's function replaces an API or library function of its name, and of
    // two modules the later one wins.
    for (const auto& module : m_modules->Modules()) {
        for (const LuaModuleEntry& entry : module->m_entries) {
            if (!entry.function)
                continue;
            lua_pushcclosure(m_state, entry.function, 0);
            lua_setfield(m_state, LUA_GLOBALSINDEX, entry.name);
        }
    }
}

bool CScriptHost::ProtectedCall(int arguments, int results)
{
    // Set anew for every call, so each call has the whole count before the first look.
    lua_sethook(m_state, &StopHook, LUA_MASKCOUNT, kStopCheckInstructions);
    return lua_pcall(m_state, arguments, results, 0) == 0;
}

template <typename Push>
int CScriptHost::CallEvent(const char* name, Step step, Push push)
{
    lua_getfield(m_state, LUA_GLOBALSINDEX, name);
    const int arguments = push();
    if (!ProtectedCall(arguments, 1)) {
        if (m_stopRaised) {
            lua_settop(m_state, 0);
            return m_worker->End(m_worker->Messages().stopped, 0, kResultStopped);
        }
        return ReportError(step);
    }
    lua_settop(m_state, 0);  // an event's result means nothing
    if (m_context->sendResult != kGoOn)
        return m_context->sendResult;
    if (m_context->disconnect)
        return m_worker->End(m_worker->Messages().stopped, 0, kResultClosedByAction);
    return kGoOn;
}

int CScriptHost::OnSendCommand(CConnectionWorker&)
{
    return CallEvent("OnSendPush", STEP_ON_SEND_PUSH, [] { return 0; });
}

int CScriptHost::OnTimer(CConnectionWorker& worker, int timer)
{
    // A one-shot timer stops at its first firing, so OnTimer may start it again.
    if (m_context->oneShot[timer]) {
        m_context->oneShot[timer] = false;
        worker.Timer(timer).Stop();
    }
    return CallEvent("OnTimer", STEP_ON_TIMER, [&] {
        lua_pushnumber(m_state, timer);
        return 1;
    });
}

int CScriptHost::OnReceived(CConnectionWorker&, const BYTE* data, DWORD size)
{
    return CallEvent("OnReceive", STEP_ON_RECEIVE, [&] {
        PushByteTable(m_state, data, size);
        return 1;
    });
}

void CScriptHost::OnEnd(CConnectionWorker&)
{
    if (!m_state || !m_loaded)
        return;
    // Called whatever ended the connection; only its own failure is reported, and a stop that
    // cuts it short ends it quietly.
    m_stopRaised = false;
    lua_getfield(m_state, LUA_GLOBALSINDEX, "OnDisConnected");
    if (!ProtectedCall(0, 1) && !m_stopRaised)
        ReportError(STEP_ON_DISCONNECTED);
    lua_settop(m_state, 0);
}

int CScriptHost::ReportError(Step step)
{
    CPortReporter& reporter = m_worker->Reporter();
    reporter.LogMessageText(MSG_SCRIPT_WARNING, GetMessageText(static_cast<UINT>(MSG_SCRIPT_LOAD_ERROR) + step));
    const char* message = lua_tolstring(m_state, -1, nullptr);
    reporter.LogMessageText(MSG_SCRIPT_ERROR_DETAIL, message ? message : "");
    lua_settop(m_state, 0);
    return kResultFailed;
}

int RunConnectionWorker(const WorkerPlace& place, IWorkerEndpoint& endpoint,
                        const WorkerMessages& messages, IConnectionController* controller)
{
    std::optional<CScriptHost> script;
    if (!controller && place.engine.Settings().m_scriptMode[place.port])
        controller = &script.emplace(place.engine.LuaModules());
    CConnectionWorker worker(place, endpoint, messages, controller);
    return worker.Run();
}
