// CPacketTriggerEntry: one packet trigger: a test on a datagram (like a filter entry's, with the
// TCP SYN, FIN and RST flags), a kind with its time in seconds, and the actions when it fires.
// The trigger file (.qvt) holds the list: the magic "qvt" and a zero byte, a u32 count and the
// entries' forms.
#pragma once
#include <span>
#include <vector>

#include "capture/PacketTest.h"
#include "core/ByteStream.h"
#include "platform/SafeArray.h"
#include "platform/String.h"

enum TriggerKind
{
    TRIGGER_PACKET_DETECTED = 0,
    TRIGGER_NO_PACKET = 1,
    TRIGGER_COMMUNICATION_START = 2,
    TRIGGER_COMMUNICATION_BREAK = 3,
};

enum TriggerProtocol
{
    TRIGGER_PROTOCOL_ANY = 0,
    TRIGGER_PROTOCOL_TCP = 1,
    TRIGGER_PROTOCOL_TCP_SYN = 2,
    TRIGGER_PROTOCOL_TCP_FIN = 3,
    TRIGGER_PROTOCOL_TCP_RST = 4,
    TRIGGER_PROTOCOL_UDP = 5,
    TRIGGER_PROTOCOL_ICMP = 6,
    TRIGGER_PROTOCOL_IGMP = 7,
};

class CPacketTriggerEntry
{
public:
    static const DWORD kReservedSize = 12;

    // Empty strings, every number 0, no conditions.
    void Clear();
    // Whether every test holds; enabled, the kind, the time and the actions are not looked at.
    int Match(const COleSafeArray& datagram) const;
    int Match(std::span<const BYTE> datagram) const;
    // 73 + 8n + the four strings' lengths: no string has a terminator, one zero byte ends it.
    CByteStream ToBytes() const;
    // False, and the entry unchanged, when the form ends before any of its parts.
    bool FromBytes(std::span<const BYTE> form);

    bool operator==(const CPacketTriggerEntry&) const = default;

    CString name;
    int enabled = 0;
    int firstTimeOnly = 0;
    int kind = TRIGGER_PACKET_DETECTED;
    int runProgram = 0;
    int saveLatestLog = 0;
    DWORD sourceAddress = 0;  // network byte order; 0 any
    DWORD destAddress = 0;
    int protocolKind = TRIGGER_PROTOCOL_ANY;
    WORD sourcePort = 0;      // network byte order; 0 any
    WORD destPort = 0;
    std::vector<ByteCondition> conditions;
    int seconds = 0;
    CString program;
    CString arguments;
    CString directory;        // without a trailing backslash
};

int SaveTriggerFile(const char* path, const std::vector<CPacketTriggerEntry>& entries);
int LoadTriggerFile(const char* path, std::vector<CPacketTriggerEntry>& entries);
