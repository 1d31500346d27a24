#include "core/CommSettings.h"

#include <cstring>

#include "core/PathHelpers.h"

namespace {

// 127.0.0.1 in network byte order (bytes 7F 00 00 01) as a little-endian word.
const int kLoopbackAddress = 0x0100007F;

using C = CCommSettings;

const COLORREF kRowBackColors[C::kPortCount] = {RGB(255, 255, 221), RGB(221, 255, 221)};
const COLORREF kRowTextColors[C::kLogKindCount] = {RGB(0, 0, 0), RGB(0, 0, 160), RGB(160, 0, 0)};
const int kLogFilters[C::kLogKindCount] = {1, 15, 15};

} // namespace

const CommSettingsWord kCommPortWords[45] = {
    {0, &C::m_usePort, {1, 0}},
    {1, &C::m_connectionType, {0, 0}},
    {2, &C::m_receiveBufferSize, {4096, 4096}},
    {3, &C::m_clientRemoteAddress, {kLoopbackAddress, kLoopbackAddress}},
    {4, &C::m_clientLocalPort, {0, 0}},
    {5, &C::m_clientRemotePort, {1024, 1024}},
    {6, &C::m_clientConnectTimeoutOn, {0, 0}},
    {7, &C::m_clientReconnect, {0, 0}},
    {8, &C::m_clientConnectTimeout, {2000, 2000}},
    {9, &C::m_clientReconnectWait, {1000, 1000}},
    {10, &C::m_serverListenPort, {1024, 1024}},
    {11, &C::m_serverBacklog, {5, 5}},
    {12, &C::m_udpCastMode, {0, 0}},
    {13, &C::m_udpDestinationAddress, {kLoopbackAddress, kLoopbackAddress}},
    {14, &C::m_udpDestinationPort, {1024, 1024}},
    {15, &C::m_udpBindMode, {0, 0}},
    {16, &C::m_udpBindAddress, {kLoopbackAddress, kLoopbackAddress}},
    {17, &C::m_udpBindPort, {1024, 1024}},
    {18, &C::m_udpIgnoreResetErrors, {1, 1}},
    {19, &C::m_udpRestart, {0, 0}},
    {20, &C::m_udpRestartWait, {3000, 3000}},
    {21, &C::m_udpReceiveBuffer, {0, 0}},
    {22, &C::m_comPort, {0, 0}},
    {23, &C::m_baudRate, {9600, 9600}},
    {24, &C::m_dataBits, {0, 0}},
    {25, &C::m_parity, {0, 0}},
    {26, &C::m_stopBits, {0, 0}},
    {27, &C::m_flowControl, {0, 0}},
    {28, &C::m_serialRetryPeriod, {0, 0}},
    {29, &C::m_serialFraming, {0, 0}},
    {30, &C::m_framingSize, {32, 32}},
    {31, &C::m_serialInputQueue, {2048, 2048}},
    {32, &C::m_serialOutputQueue, {2048, 2048}},
    {33, &C::m_ctsOutputFlow, {0, 0}},
    {34, &C::m_dsrOutputFlow, {0, 0}},
    {35, &C::m_dtrControl, {0, 0}},
    {36, &C::m_rtsControl, {0, 0}},
    {37, &C::m_dsrSensitivity, {0, 0}},
    {38, &C::m_xonXoffInput, {0, 0}},
    {39, &C::m_xonXoffOutput, {0, 0}},
    {40, &C::m_txContinueOnXoff, {0, 0}},
    {41, &C::m_xonLimit, {2048, 2048}},
    {42, &C::m_xoffLimit, {2048, 2048}},
    {43, &C::m_xonChar, {0x11, 0x11}},
    {44, &C::m_xoffChar, {0x13, 0x13}},
};

const CommSettingsWord kCommActionWords[14] = {
    {0, &C::m_receiveTimeoutOn, {0, 0}},
    {1, &C::m_receiveTimeout, {5000, 5000}},
    {2, &C::m_periodicSendOn, {0, 0}},
    {3, &C::m_periodicSendPeriod, {3000, 3000}},
    {4, &C::m_randomDataOn, {0, 0}},
    {5, &C::m_regenerateEverySend, {0, 0}},
    {6, &C::m_regenerateInterval, {10, 10}},
    {7, &C::m_closeAfterSend, {0, 0}},
    {8, &C::m_closeAfterReceive, {0, 0}},
    {9, &C::m_autoReplyOn, {0, 0}},
    {10, &C::m_replyTarget, {0, 0}},
    {11, &C::m_replyData, {0, 0}},
    {13, &C::m_dllMode, {0, 0}},
    {14, &C::m_scriptMode, {0, 0}},
};

CCommSettings::CCommSettings()
{
    // The send-editor data and the marker arrays start empty and SetDefaults never touches them.
    SetDefaults(1);
}

void CCommSettings::SetDefaults(int resetPaths)
{
    if (resetPaths) {
        char folder[MAX_PATH] = {};
        GetCurrentDir(sizeof folder, folder);
        const CString base = CString(folder) + "\\default";
        m_settingsPath = base + ".qvg";
        m_logPath = base + ".qvl";
        m_csvPath = base + ".csv";
        m_textPath = base + ".txt";
    }
    m_name = "Default";
    m_comment = "Please Config Comment...";
    m_startOnLoad = 0;
    m_timeFormat = 1;
    for (const CommSettingsWord& word : kCommPortWords)
        std::memcpy(this->*word.field, word.defaults, sizeof word.defaults);
    for (const CommSettingsWord& word : kCommActionWords)
        std::memcpy(this->*word.field, word.defaults, sizeof word.defaults);

    for (int port = 0; port < kPortCount; ++port) {
        m_fillByte[port] = 0;
        m_rowBackColor[port] = kRowBackColors[port];
        std::memcpy(m_rowTextColor[port], kRowTextColors, sizeof kRowTextColors);
        std::memcpy(m_logFilter[port], kLogFilters, sizeof kLogFilters);
        m_serialDelimiters[port].Clear();
        m_randomAreas[port].Clear();
        m_dllPath[port].Empty();
        m_dllData[port].Clear();
        std::memset(m_socketOptions[port], 0, sizeof m_socketOptions[port]);
        m_scriptText[port].Clear();

        m_flnetAddress[port] = kLoopbackAddress;
        m_flnetNode[port] = static_cast<WORD>(port + 1);
        m_flnetName[port].Empty();
        const int flnetValues[kFlnetValueCount] = {8 * port, 8, 128 * port, 128, 200, 50};
        std::memcpy(m_flnetValues[port], flnetValues, sizeof flnetValues);
    }
}

int CCommSettings::CompareLogDisplay(const CCommSettings& other) const
{
    const bool same = m_timeFormat == other.m_timeFormat &&
                      std::memcmp(m_rowBackColor, other.m_rowBackColor, sizeof m_rowBackColor) == 0 &&
                      std::memcmp(m_rowTextColor, other.m_rowTextColor, sizeof m_rowTextColor) == 0 &&
                      std::memcmp(m_logFilter, other.m_logFilter, sizeof m_logFilter) == 0;
    return same ? 0 : 1;
}
