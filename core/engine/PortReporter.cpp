#include "core/engine/PortReporter.h"

#include "core/SendEditorAccess.h"

CPortReporter::CPortReporter(HWND notifyWindow, int port, int connection)
    : m_window(notifyWindow), m_record(port, connection)
{
}

void CPortReporter::ReportState(int state)
{
    PortStatusRecord record = {m_record.m_port, state};
    Notify(PORT_NOTIFY_STATE, &record);
}

void CPortReporter::LogMessage(int code, int error)
{
    m_record.m_data.Clear();
    SendMessageRecord(code, error);
}

void CPortReporter::LogMessageText(int code, const CString& text)
{
    m_record.m_data.CreateOneDim(VT_UI1, static_cast<DWORD>(text.GetLength() + 1),
                                 reinterpret_cast<const BYTE*>(static_cast<const char*>(text)));
    SendMessageRecord(code, 0);
    m_record.m_data.Clear();
}

void CPortReporter::SendMessageRecord(int code, int error)
{
    m_record.m_kind = LOG_KIND_MESSAGE;
    m_record.m_messageCode = code;
    m_record.m_errorCode = error;
    ::GetLocalTime(&m_record.m_time);
    Notify(PORT_NOTIFY_LOG, &m_record);
}

namespace {

void FillData(CLogRecord& record, int kind, const BYTE* data, DWORD size, DWORD peerAddress,
              int peerPort)
{
    record.m_kind = kind;
    record.m_messageCode = 0;
    record.m_errorCode = 0;
    record.m_data.CreateOneDim(VT_UI1, size, data);
    record.m_peerAddress = peerAddress;
    record.m_peerPort = peerPort;
    ::GetLocalTime(&record.m_time);
}

} // namespace

void CPortReporter::LogData(int kind, const BYTE* data, DWORD size, DWORD peerAddress,
                            int peerPort)
{
    FillData(m_record, kind, data, size, peerAddress, peerPort);
    Notify(PORT_NOTIFY_LOG, &m_record);
    // No other record carries the sender.
    m_record.m_peerAddress = 0;
    m_record.m_peerPort = -1;
    m_record.m_data.Clear();
}

void CPortReporter::HoldReceived(const BYTE* data, DWORD size, DWORD peerAddress, int peerPort)
{
    if (m_heldCount == static_cast<int>(m_held.size()))
        m_held.emplace_back(m_record.m_port, m_record.m_connection);
    FillData(m_held[m_heldCount++], LOG_KIND_RECEIVED, data, size, peerAddress, peerPort);
}

void CPortReporter::HandOverReceived()
{
    if (m_heldCount == 0)
        return;
    LogRecordBurst burst = {m_held.data(), m_heldCount};
    // Cleared first: a report sent while the window handles the burst must not hand it over again.
    m_heldCount = 0;
    Send(PORT_NOTIFY_LOG_BURST, &burst);
}

void CPortReporter::Notify(PortNotifyCode code, const void* record)
{
    HandOverReceived();
    Send(code, record);
}

void CPortReporter::Send(PortNotifyCode code, const void* record) const
{
    ::SendMessageA(m_window, WM_PORT_NOTIFY, code, reinterpret_cast<LPARAM>(record));
}

LRESULT CPortReporter::NotifySerial(SerialNotifyOperation operation, LPARAM lParam) const
{
    const WPARAM wParam = static_cast<WPARAM>(operation) << 16 | static_cast<WPARAM>(m_record.m_port);
    return ::SendMessageA(m_window, WM_SERIAL_NOTIFY, wParam, lParam);
}

COleSafeArray CPortReporter::ReadSendEditorData() const
{
    COleSafeArray bytes;
    return ::ReadSendEditorData(m_window, bytes);
}

BOOL CPortReporter::WriteSendEditorData(const COleSafeArray& bytes) const
{
    return ::WriteSendEditorData(m_window, bytes);
}
