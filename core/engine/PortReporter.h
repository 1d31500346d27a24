// CPortReporter: how a connection thread or worker talks to the main window. Every report is a
// synchronous WM_PORT_NOTIFY, so the records live here, on the sender's side, and are reused: the
// window copies what it keeps before it answers. Received records may be held back and handed
// over together (one message and one thread switch for many records); any other report hands
// them over first, so the window sees everything in the order it happened.
#pragma once
#include <vector>

#include "core/LogRecord.h"
#include "core/PortNotify.h"
#include "platform/SafeArray.h"
#include "platform/String.h"
#include "platform/Types.h"

class CPortReporter
{
public:
    CPortReporter(HWND notifyWindow, int port, int connection);

    void ReportState(int state);
    // A message record with the local time now; error is the Winsock or system error, or 0.
    void LogMessage(int code, int error = 0);
    // A message record whose data is the text with its terminating zero.
    void LogMessageText(int code, const CString& text);
    // A record of sent or received bytes; a received one may name its sender (UDP).
    void LogData(int kind, const BYTE* data, DWORD size, DWORD peerAddress = 0, int peerPort = -1);
    // A record of received bytes, time-stamped now and held until HandOverReceived or any other
    // report; a received one may name its sender (UDP).
    void HoldReceived(const BYTE* data, DWORD size, DWORD peerAddress = 0, int peerPort = -1);
    int HeldCount() const { return m_heldCount; }
    // The held records in one synchronous message, oldest first.
    void HandOverReceived();
    void Notify(PortNotifyCode code, const void* record);
    // WM_SERIAL_NOTIFY to the port's COM control pane; its answer.
    LRESULT NotifySerial(SerialNotifyOperation operation, LPARAM lParam = 0) const;
    // The send editor's bytes, copied on the window thread.
    COleSafeArray ReadSendEditorData() const;
    // Replaces them on the window thread; FALSE once the window is gone.
    BOOL WriteSendEditorData(const COleSafeArray& bytes) const;

private:
    void SendMessageRecord(int code, int error);
    void Send(PortNotifyCode code, const void* record) const;

    HWND m_window;
    CLogRecord m_record;
    // Reused from burst to burst; the first m_heldCount are held.
    std::vector<CLogRecord> m_held;
    int m_heldCount = 0;
};
