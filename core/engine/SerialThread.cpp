#include "core/engine/SerialThread.h"

#include <iterator>

#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "core/engine/ConnectionFrame.h"
#include "core/engine/PluginConnection.h"
#include "core/engine/SerialDevice.h"
#include "core/engine/SerialWorker.h"

namespace {

const FrameMessages kSerialFrameMessages = {MSG_SERIAL_STARTED, MSG_SERIAL_ENDED,
                                            MSG_SERIAL_STOPPED, MSG_SERIAL_START_WAIT_FAILED};

// By the data-bits index.
const BYTE kByteSizes[] = {8, 7, 6, 5, 4};

const int kCustomFlowControl = 1;

// Every line event the worker serves; EV_RXFLAG and EV_TXEMPTY are not used.
const DWORD kLineEvents = EV_RXCHAR | EV_CTS | EV_DSR | EV_RLSD | EV_BREAK | EV_ERR | EV_RING;
const DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

DWORD LineControl(int setting, DWORD enable, DWORD handshake, DWORD disable)
{
    return setting == 1 ? enable : setting == 2 ? handshake : disable;
}

void ApplyFlowControl(DCB& dcb, const CCommSettings& s, int port)
{
    dcb.fOutxCtsFlow = s.m_ctsOutputFlow[port] != 0;
    dcb.fOutxDsrFlow = s.m_dsrOutputFlow[port] != 0;
    dcb.fDtrControl = LineControl(s.m_dtrControl[port], DTR_CONTROL_ENABLE,
                                  DTR_CONTROL_HANDSHAKE, DTR_CONTROL_DISABLE);
    dcb.fRtsControl = LineControl(s.m_rtsControl[port], RTS_CONTROL_ENABLE,
                                  RTS_CONTROL_HANDSHAKE, RTS_CONTROL_DISABLE);
    dcb.fDsrSensitivity = s.m_dsrSensitivity[port] != 0;
    dcb.fInX = s.m_xonXoffInput[port] != 0;
    dcb.fOutX = s.m_xonXoffOutput[port] != 0;
    // Only ever switched on here: off, the driver's value stays.
    if (s.m_txContinueOnXoff[port])
        dcb.fTXContinueOnXoff = TRUE;
    dcb.XonLim = static_cast<WORD>(s.m_xonLimit[port]);
    dcb.XoffLim = static_cast<WORD>(s.m_xoffLimit[port]);
    dcb.XonChar = static_cast<char>(s.m_xonChar[port]);
    dcb.XoffChar = static_cast<char>(s.m_xoffChar[port]);
}

class CSerialOpener
{
public:
    explicit CSerialOpener(CConnectionFrame& frame)
        : m_frame(frame), m_settings(frame.Settings()), m_port(frame.Port()),
          m_comIndex(m_settings.m_comPort[m_port])
    {
    }

    int Run()
    {
        const CString path = SerialDevicePath(m_comIndex);
        m_frame.ReportState(PORT_STATE_STARTING);
        int result = m_frame.BeginAfterDelay(m_settings.m_serialRetryPeriod[m_port]);
        if (result == kGoOn) {
            m_frame.ReportState(PORT_STATE_CONNECTED);
            m_frame.Reporter().NotifySerial(SERIAL_NOTIFY_OPENED);
            result = Open(path);
        }
        if (result == kGoOn && m_settings.m_dllMode[m_port])
            result = RunSerialPluginConnection(m_frame.Engine(), m_comIndex, std::move(m_device),
                                               m_port);
        else if (result == kGoOn)
            result = RunSerialWorker(m_frame.Engine(), m_comIndex, std::move(m_device), m_port);
        // Closed before the pane hears of it.
        m_device.reset();
        m_frame.Reporter().NotifySerial(SERIAL_NOTIFY_CLOSED);
        return m_frame.Finish(result);
    }

private:
    int Open(const CString& path)
    {
        m_device = m_frame.Engine().SerialDevices().Open(path);
        if (!m_device)
            return Fail(MSG_COM_OPEN_FAILED);
        DCB dcb = {};
        dcb.DCBlength = sizeof dcb;
        if (!m_device->GetCommState(dcb))
            return Fail(MSG_GET_COMM_STATE_FAILED);
        ApplyLineSettings(dcb, m_settings, m_port);
        if (!m_device->SetCommState(dcb))
            return Fail(MSG_SET_COMM_STATE_FAILED);
        // The port starts with DTR and RTS off and no break, whatever the settings say; under
        // handshake flow control the driver keeps the lines and refuses, which is fine.
        for (DWORD function : {CLRDTR, CLRRTS, CLRBREAK})
            m_device->EscapeCommFunction(function);
        if (!m_device->SetupComm(static_cast<DWORD>(m_settings.m_serialInputQueue[m_port]),
                                 static_cast<DWORD>(m_settings.m_serialOutputQueue[m_port])))
            return Fail(MSG_SETUP_COMM_FAILED);
        const COMMTIMEOUTS noTimeouts = {};
        if (!m_device->SetCommTimeouts(noTimeouts))
            return Fail(MSG_SET_COMM_TIMEOUTS_FAILED);
        if (!m_device->SetCommMask(kLineEvents))
            return Fail(MSG_SET_COMM_MASK_FAILED);
        if (!m_device->PurgeComm(kPurgeAll))
            return Fail(MSG_PURGE_COMM_FAILED);
        return kGoOn;
    }

    // Logs the step's failure with the system's error; the device is closed.
    int Fail(int code)
    {
        const int error = static_cast<int>(::GetLastError());
        m_device.reset();
        return m_frame.Fail(code, error);
    }

    CConnectionFrame& m_frame;
    const CCommSettings& m_settings;
    const int m_port;
    const int m_comIndex;
    std::unique_ptr<ISerialDevice> m_device;
};

} // namespace

CString SerialDevicePath(int comIndex)
{
    CString path;
    path.Format("\\\\.\\COM%d", comIndex + 1);
    return path;
}

void ApplyLineSettings(DCB& dcb, const CCommSettings& settings, int port)
{
    dcb.BaudRate = static_cast<DWORD>(settings.m_baudRate[port]);
    const int dataBits = settings.m_dataBits[port];
    if (dataBits >= 0 && dataBits < static_cast<int>(std::size(kByteSizes)))
        dcb.ByteSize = kByteSizes[dataBits];
    const int parity = settings.m_parity[port];
    dcb.fParity = parity >= ODDPARITY && parity <= SPACEPARITY;
    dcb.Parity = static_cast<BYTE>(parity);
    dcb.StopBits = static_cast<BYTE>(settings.m_stopBits[port]);
    if (settings.m_flowControl[port] == kCustomFlowControl)
        ApplyFlowControl(dcb, settings, port);
}

UINT SerialThreadProc(LPVOID param)
{
    CConnectionFrame frame(static_cast<ConnectionThreadStart*>(param), kSerialFrameMessages);
    CSerialOpener opener(frame);
    return static_cast<UINT>(opener.Run());
}
