// CCommSettings: the communication-settings document, everything that configures the two ports,
// the actions on their traffic and how the log shows them; a .qvg file stores it. Connection
// threads read the members in place, indexed by port (0 = Port 1, 1 = Port 2), so the class is a
// plain aggregate of values. Copying (operator= or Copy) is member-wise and deep.
#pragma once
#include <span>
#include <vector>

#include "platform/SafeArray.h"
#include "platform/String.h"
#include "platform/Types.h"

class CCommSettings
{
public:
    static const int kPortCount = 2;
    static const int kLogKindCount = 3;  // message, sent, received
    static const DWORD kSocketOptionsSize = 1024;
    static const int kFlnetValueCount = 6;
    // The .qvg versions read; the program writes only the current one.
    static const DWORD kOldestFileVersion = 100;
    static const DWORD kCurrentFileVersion = 103;

    CCommSettings();

    // Every field except the send-editor data and both marker arrays goes back to its default;
    // the four paths too when resetPaths is non-zero (current directory + "\default" + extension).
    void SetDefaults(int resetPaths);
    CCommSettings& Copy(const CCommSettings& other) { return *this = other; }
    // 0 when everything the log list shows (time format, colours, log filter) is equal.
    int CompareLogDisplay(const CCommSettings& other) const;

    // The .qvg file at m_settingsPath. Save: 0, or -1 when the file could not be written.
    // Load: 0; -1 the file could not be read (the document is unchanged); otherwise the document
    // holds its defaults with paths, send-editor data and markers kept, and -2 bad magic, -3
    // unknown version, -4 size mismatch or items cut short, -5 checksum mismatch.
    int Save() const;
    int Load();
    // The byte form of Save and Load. ToFileBytes writes the items the version carries (older
    // versions serve tests); FromFileBytes answers as Load does, -1 aside.
    std::vector<BYTE> ToFileBytes(DWORD version) const;
    int FromFileBytes(std::span<const BYTE> bytes);

    friend bool operator==(const CCommSettings&, const CCommSettings&) = default;

    CString m_settingsPath;
    CString m_logPath;
    CString m_csvPath;
    CString m_textPath;
    COleSafeArray m_sendEditorData;
    COleSafeArray m_sendEditorMarkers;
    COleSafeArray m_detailDumpMarkers;
    CString m_name;
    CString m_comment;
    int m_startOnLoad;

    // Per port, in the order of the words of the file's per-port block.
    int m_usePort[kPortCount];
    int m_connectionType[kPortCount];  // 0 TCP client, 1 TCP server, 2 UDP, 3 serial, 4 FL-net
    int m_receiveBufferSize[kPortCount];
    int m_clientRemoteAddress[kPortCount];  // IPv4 addresses are held in network byte order
    int m_clientLocalPort[kPortCount];
    int m_clientRemotePort[kPortCount];
    int m_clientConnectTimeoutOn[kPortCount];
    int m_clientReconnect[kPortCount];
    int m_clientConnectTimeout[kPortCount];
    int m_clientReconnectWait[kPortCount];
    int m_serverListenPort[kPortCount];
    int m_serverBacklog[kPortCount];
    int m_udpCastMode[kPortCount];  // 0 unicast, 1 broadcast, 2 multicast
    int m_udpDestinationAddress[kPortCount];
    int m_udpDestinationPort[kPortCount];
    int m_udpBindMode[kPortCount];  // 0 any address, 1 no bind, 2 m_udpBindAddress
    int m_udpBindAddress[kPortCount];
    int m_udpBindPort[kPortCount];
    int m_udpIgnoreResetErrors[kPortCount];
    int m_udpRestart[kPortCount];
    int m_udpRestartWait[kPortCount];
    int m_udpReceiveBuffer[kPortCount];  // 0 leaves the system's
    int m_comPort[kPortCount];           // 0 = COM1
    int m_baudRate[kPortCount];
    int m_dataBits[kPortCount];  // index: 8, 7, 6, 5, 4
    int m_parity[kPortCount];    // index: none, odd, even, mark, space
    int m_stopBits[kPortCount];  // index: 1, 1.5, 2
    int m_flowControl[kPortCount];  // 1 applies the device-control values below
    int m_serialRetryPeriod[kPortCount];
    int m_serialFraming[kPortCount];  // 0 raw, 1 fixed size, 2 up to a delimiter
    int m_framingSize[kPortCount];
    int m_serialInputQueue[kPortCount];
    int m_serialOutputQueue[kPortCount];
    int m_ctsOutputFlow[kPortCount];
    int m_dsrOutputFlow[kPortCount];
    int m_dtrControl[kPortCount];
    int m_rtsControl[kPortCount];
    int m_dsrSensitivity[kPortCount];
    int m_xonXoffInput[kPortCount];
    int m_xonXoffOutput[kPortCount];
    int m_txContinueOnXoff[kPortCount];
    int m_xonLimit[kPortCount];
    int m_xoffLimit[kPortCount];
    int m_xonChar[kPortCount];
    int m_xoffChar[kPortCount];
    COleSafeArray m_serialDelimiters[kPortCount];

    // Per port, in the order of the words of the file's action block.
    int m_receiveTimeoutOn[kPortCount];
    int m_receiveTimeout[kPortCount];
    int m_periodicSendOn[kPortCount];
    int m_periodicSendPeriod[kPortCount];
    int m_randomDataOn[kPortCount];
    int m_regenerateEverySend[kPortCount];
    int m_regenerateInterval[kPortCount];  // seconds
    int m_closeAfterSend[kPortCount];
    int m_closeAfterReceive[kPortCount];
    int m_autoReplyOn[kPortCount];
    int m_replyTarget[kPortCount];  // 0 the receiving connection, 1 all of Port 1, 2 all of Port 2
    int m_replyData[kPortCount];    // 0 send-editor data, 1 the received bytes, 2 fill bytes
    BYTE m_fillByte[kPortCount];
    int m_dllMode[kPortCount];
    int m_scriptMode[kPortCount];

    // Log display.
    COLORREF m_rowBackColor[kPortCount];
    COLORREF m_rowTextColor[kPortCount][kLogKindCount];
    int m_timeFormat;  // 0 date and time, 1 time of day only
    int m_logFilter[kPortCount][kLogKindCount];  // bits: row, byte count, hex digest, text digest

    // Per-port blobs.
    COleSafeArray m_randomAreas[kPortCount];  // concatenated 56-byte RandomArea records
    CString m_dllPath[kPortCount];
    COleSafeArray m_dllData[kPortCount];
    BYTE m_socketOptions[kPortCount][kSocketOptionsSize];  // 64 entries of 16 bytes
    COleSafeArray m_scriptText[kPortCount];

    // FL-net: kept only to be written to the file.
    DWORD m_flnetAddress[kPortCount];
    WORD m_flnetNode[kPortCount];
    CString m_flnetName[kPortCount];
    int m_flnetValues[kPortCount][kFlnetValueCount];
};

// One per-port integer pair with the index of its word in the file's per-port or action block and
// its defaults for Port 1 and Port 2. The file reader and writer and SetDefaults share the tables.
struct CommSettingsWord
{
    int index;
    int (CCommSettings::*field)[CCommSettings::kPortCount];
    int defaults[CCommSettings::kPortCount];
};

extern const CommSettingsWord kCommPortWords[45];
// Every action word but the fill byte (word 12), which is a byte of its own.
extern const CommSettingsWord kCommActionWords[14];
const int kCommFillByteWord = 12;
