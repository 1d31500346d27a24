#include "core/engine/PluginController.h"

#include "core/MessageCodes.h"
#include "core/engine/ConnectionWorker.h"
#include "core/engine/PortEngine.h"

CPluginController::CPluginController(CPortEngine& engine, int port, CPluginDll& dll)
    : m_engine(engine), m_port(port), m_dll(dll)
{
}

void CPluginController::NextRequest(DWORD event)
{
    m_request = m_answer;
    m_request.word[PLUGIN_CODE] = event;
}

void CPluginController::SetRequestData(const BYTE* data, DWORD size)
{
    m_request.word[PLUGIN_LENGTH] = size;
    m_request.word[PLUGIN_DATA] = size > 0 ? PluginPointerWord(data) : 0;
}

int CPluginController::Call(CConnectionWorker& worker)
{
    if (m_dll.Invoke(m_answer, m_request, worker.Reporter()) == kPluginCallFailed)
        return worker.End(MSG_DLL_CALL_FAILED);
    return kGoOn;
}

int CPluginController::CallAndExecute(CConnectionWorker& worker)
{
    const int result = Call(worker);
    return result == kGoOn ? Execute(worker) : result;
}

int CPluginController::OnOpen(CConnectionWorker& worker)
{
    m_request = {};
    m_request.word[PLUGIN_CODE] = PLUGIN_EVENT_OPENED;
    int result = Call(worker);
    if (result != kGoOn || m_answer.word[PLUGIN_VALUE] != kPluginWantsData)
        return result;
    const COleSafeArray& data = m_engine.Settings().m_dllData[m_port];
    m_request.word[PLUGIN_CODE] = PLUGIN_EVENT_DLL_DATA;
    SetRequestData(data.GetData(), data.GetSize());
    return Call(worker);
}

int CPluginController::OnStart(CConnectionWorker& worker)
{
    NextRequest(PLUGIN_EVENT_START);
    return CallAndExecute(worker);
}

int CPluginController::OnSendRequest(CConnectionWorker& worker, const COleSafeArray& block,
                                     bool& send)
{
    NextRequest(PLUGIN_EVENT_SEND_REQUEST);
    SetRequestData(block.GetData(), block.GetSize());
    const int result = Call(worker);
    send = result == kGoOn && m_answer.word[PLUGIN_VALUE] == 0;
    m_answerPending = result == kGoOn;
    return result;
}

int CPluginController::AfterSendRequest(CConnectionWorker& worker)
{
    if (!m_answerPending)
        return kGoOn;
    m_answerPending = false;
    return Execute(worker);
}

int CPluginController::OnReceived(CConnectionWorker& worker, const BYTE* data, DWORD size)
{
    NextRequest(PLUGIN_EVENT_RECEIVED);
    SetRequestData(data, size);
    return CallAndExecute(worker);
}

int CPluginController::OnTimer(CConnectionWorker& worker, int timer)
{
    NextRequest(PLUGIN_EVENT_TIMER);
    m_request.word[PLUGIN_VALUE] = static_cast<DWORD>(timer);
    if (m_oneShot[timer]) {
        m_oneShot[timer] = false;
        worker.Timer(timer).Stop();
    }
    return CallAndExecute(worker);
}

void CPluginController::OnEnd(CConnectionWorker& worker)
{
    NextRequest(PLUGIN_EVENT_CLOSING);
    if (m_dll.Invoke(m_answer, m_request, worker.Reporter()) == kPluginCallFailed)
        worker.LogMessage(MSG_DLL_CALL_FAILED);
}

int CPluginController::Execute(CConnectionWorker& worker)
{
    for (;;) {
        const DWORD command = m_answer.word[PLUGIN_CODE];
        if (command == 0)
            return kGoOn;
        // One command per answer, the first set in this order; an answer that names none asks
        // to be called again.
        bool again = (command & PLUGIN_CALL_AGAIN) != 0;
        int result = kGoOn;
        if (command & PLUGIN_SEND_BYTES) {
            result = Forward(worker);
        } else if (command & PLUGIN_DISCONNECT) {
            return kResultClosedByAction;
        } else if (command & PLUGIN_START_TIMER) {
            StartTimer(worker);
        } else if (command & PLUGIN_STOP_TIMER) {
            StopTimer(worker);
        } else if (command & PLUGIN_READ_EDITOR) {
            // Its own answer is the next one to execute, whatever bit 31 said.
            result = ReadEditor(worker);
            if (result != kGoOn)
                return result;
            continue;
        } else if (command & PLUGIN_REPLACE_EDITOR) {
            result = ReplaceEditor(worker);
        } else {
            again = true;
        }
        if (result != kGoOn || !again)
            return result;
        // A DLL that keeps asking to be called again would otherwise hold the connection
        // beyond the user's Stop.
        result = worker.EndIfStopped();
        if (result != kGoOn)
            return result;
        m_request = m_answer;
        result = Call(worker);
        if (result != kGoOn)
            return result;
    }
}

int CPluginController::AnswerBytes(CConnectionWorker& worker, COleSafeArray& bytes)
{
    return CopyPluginData(m_answer, bytes) ? kGoOn : worker.End(MSG_DLL_CALL_FAILED);
}

int CPluginController::Forward(CConnectionWorker& worker)
{
    CLogRecord record(m_port, worker.Connection());
    const int result = AnswerBytes(worker, record.m_data);
    if (result != kGoOn)
        return result;
    record.m_forwardTarget = static_cast<int>(m_answer.word[PLUGIN_VALUE]);
    worker.Reporter().Notify(PORT_NOTIFY_FORWARD, &record);
    return kGoOn;
}

void CPluginController::StartTimer(CConnectionWorker& worker)
{
    const DWORD value = m_answer.word[PLUGIN_VALUE];
    const int timer = (value & ~kPluginOneShot) == 0 ? 0 : 1;
    if (worker.Timer(timer).IsRunning())
        return;
    m_oneShot[timer] = (value & kPluginOneShot) != 0;
    worker.Timer(timer).Start(worker.TimerEventName(timer),
                              static_cast<int>(m_answer.word[PLUGIN_INTERVAL]));
}

void CPluginController::StopTimer(CConnectionWorker& worker)
{
    const int timer = m_answer.word[PLUGIN_VALUE] == 0 ? 0 : 1;
    m_oneShot[timer] = false;
    worker.Timer(timer).Stop();
}

int CPluginController::ReadEditor(CConnectionWorker& worker)
{
    const int stopped = worker.EndIfStopped();
    if (stopped != kGoOn)
        return stopped;
    const COleSafeArray editor = worker.Reporter().ReadSendEditorData();
    SetRequestData(editor.GetData(), editor.GetSize());
    if (m_dll.Call(m_answer, m_request) == kPluginCallFailed)
        return worker.End(MSG_DLL_CALL_FAILED);
    return kGoOn;
}

int CPluginController::ReplaceEditor(CConnectionWorker& worker)
{
    COleSafeArray bytes;
    const int result = AnswerBytes(worker, bytes);
    if (result == kGoOn)
        worker.Reporter().WriteSendEditorData(bytes);
    return result;
}
