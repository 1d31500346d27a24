// CScriptHost: one script-mode connection's Lua interpreter. It fetches the port's script, makes
// a private state with the standard libraries, the script API and the extension modules'
// functions, runs the script and calls its events (OnConnected, OnReceive, OnSendPush, OnTimer,
// OnDisConnected) for the worker, all on the connection's thread. A script error is logged as
// 10041 with the failing step's text and 10042 with Lua's message, and ends the connection.
//
// A script that never returns cannot hold the port: a count hook looks at the port's stop event
// and ends the running call once the port is stopped.
#pragma once
#include <memory>

#include "core/engine/ConnectionWorker.h"
#include "core/engine/ScriptContext.h"

class CLuaModuleList;

class CScriptHost final : public IConnectionController
{
public:
    // modules: whose functions every interpreter gets, after the API; may be null.
    explicit CScriptHost(const CLuaModuleList* modules) : m_modules(modules) {}
    ~CScriptHost();
    CScriptHost(const CScriptHost&) = delete;
    CScriptHost& operator=(const CScriptHost&) = delete;

    // The script is loaded once the endpoint is open.
    int OnOpen(CConnectionWorker&) override { return kGoOn; }
    // Loads and runs the script and calls OnConnected.
    int OnStart(CConnectionWorker& worker) override;
    // Only forwarded bytes reach the queue in script mode: they go out as they are.
    int OnSendRequest(CConnectionWorker&, const COleSafeArray&, bool& send) override
    {
        send = true;
        return kGoOn;
    }
    int AfterSendRequest(CConnectionWorker&) override { return kGoOn; }
    int OnReceived(CConnectionWorker& worker, const BYTE* data, DWORD size) override;
    int OnTimer(CConnectionWorker& worker, int timer) override;
    // OnDisConnected, whatever ended the connection.
    void OnEnd(CConnectionWorker& worker) override;
    bool TakesSendCommand() const override { return true; }
    // OnSendPush.
    int OnSendCommand(CConnectionWorker& worker) override;

    // Lua instructions between two looks at the stop event.
    static const int kStopCheckInstructions = 100000;

private:
    enum Step
    {
        STEP_LOAD,
        STEP_RUN,
        STEP_ON_CONNECTED,
        STEP_ON_SEND_PUSH,
        STEP_ON_TIMER,
        STEP_ON_RECEIVE,
        STEP_ON_DISCONNECTED,
    };

    static void* Allocate(void* host, void* block, size_t oldSize, size_t newSize);
    static void StopHook(lua_State* state, lua_Debug* debug);
    // Makes the state with everything registered; false after logging.
    bool CreateState();
    void RegisterModules();
    // A protected call of what is on the stack, under the stop hook: true on success.
    bool ProtectedCall(int arguments, int results);
    // Calls the event with the arguments pushed by push; kGoOn, or the connection's result.
    template <typename Push>
    int CallEvent(const char* name, Step step, Push push);
    // 10041 with the step's text and 10042 with Lua's message; the failure result.
    int ReportError(Step step);

    const CLuaModuleList* m_modules;
    CConnectionWorker* m_worker = nullptr;
    lua_State* m_state = nullptr;
    std::unique_ptr<CScriptContext> m_context;
    bool m_loaded = false;        // the chunk was loaded: OnDisConnected is due at the end
    bool m_stopRaised = false;    // the hook ended a call because the port was stopped
};

// Runs the connection's worker under the controller when one is given (extension-DLL mode),
// else in the port's mode: under the port's script, or built-in.
int RunConnectionWorker(const WorkerPlace& place, IWorkerEndpoint& endpoint,
                        const WorkerMessages& messages, IConnectionController* controller);
