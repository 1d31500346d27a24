// CPluginController: a connection's extension DLL in charge of its worker loop. Every event goes
// to the DLL as a request; each answer is executed once, right after the call that produced it,
// following the DLL's chain of calls (bit 31) until an answer asks for nothing more.
#pragma once
#include "core/engine/ConnectionController.h"
#include "core/engine/ConnectionFrame.h"
#include "core/engine/PluginDll.h"
#include "core/engine/PluginRecord.h"

class CPortEngine;

class CPluginController final : public IConnectionController
{
public:
    CPluginController(CPortEngine& engine, int port, CPluginDll& dll);

    int OnOpen(CConnectionWorker& worker) override;
    int OnStart(CConnectionWorker& worker) override;
    int OnSendRequest(CConnectionWorker& worker, const COleSafeArray& block, bool& send) override;
    int AfterSendRequest(CConnectionWorker& worker) override;
    int OnReceived(CConnectionWorker& worker, const BYTE* data, DWORD size) override;
    int OnTimer(CConnectionWorker& worker, int timer) override;
    void OnEnd(CConnectionWorker& worker) override;
    // The DLL hears of the Send command through the blocks it queues.
    bool TakesSendCommand() const override { return false; }
    int OnSendCommand(CConnectionWorker&) override { return kGoOn; }

private:
    // The request becomes a copy of the last answer with this event.
    void NextRequest(DWORD event);
    void SetRequestData(const BYTE* data, DWORD size);
    // kGoOn, or the failure's end after its message.
    int Call(CConnectionWorker& worker);
    // Calls and executes the answer.
    int CallAndExecute(CConnectionWorker& worker);
    int Execute(CConnectionWorker& worker);
    int Forward(CConnectionWorker& worker);
    void StartTimer(CConnectionWorker& worker);
    void StopTimer(CConnectionWorker& worker);
    int ReadEditor(CConnectionWorker& worker);
    int ReplaceEditor(CConnectionWorker& worker);
    // The answer's bytes; false (after ending the connection) when it gave a length without them.
    int AnswerBytes(CConnectionWorker& worker, COleSafeArray& bytes);

    CPortEngine& m_engine;
    const int m_port;
    CPluginDll& m_dll;
    PluginRecord m_request = {};
    PluginRecord m_answer = {};
    bool m_oneShot[2] = {false, false};
    // The answer to a send request waits until its block went to the endpoint.
    bool m_answerPending = false;
};
