// CPacketFilterEntry: one rule of the colour-filter list, which is also the display filter: a
// test on a datagram and the colours of a matching packet's row. The colour-filter file (.qvc)
// holds the list: the magic "qvc" and a zero byte, a u32 count and the entries' forms.
#pragma once
#include <span>
#include <vector>

#include "capture/PacketTest.h"
#include "core/ByteStream.h"
#include "platform/SafeArray.h"
#include "platform/String.h"

enum FilterProtocol
{
    FILTER_PROTOCOL_ANY = 0,
    FILTER_PROTOCOL_TCP = 1,
    FILTER_PROTOCOL_UDP = 2,
    FILTER_PROTOCOL_ICMP = 3,
    FILTER_PROTOCOL_IGMP = 4,
};

class CPacketFilterEntry
{
public:
    // Empty name, every number 0 (both colours black), no conditions.
    void Clear();
    // Whether every test holds; checked and the colours are not looked at.
    int Match(const COleSafeArray& datagram) const;
    int Match(std::span<const BYTE> datagram) const;
    // 41 + 8n + L bytes: the fields, the conditions, the name's length and bytes and a zero.
    CByteStream ToBytes() const;
    // False, and the entry unchanged, when the form ends before its fields, conditions or name.
    bool FromBytes(std::span<const BYTE> form);

    bool operator==(const CPacketFilterEntry&) const = default;

    CString name;
    int checked = 0;
    DWORD sourceAddress = 0;  // network byte order; 0 any
    DWORD destAddress = 0;
    int protocol = FILTER_PROTOCOL_ANY;
    WORD sourcePort = 0;      // network byte order; 0 any
    WORD destPort = 0;
    COLORREF textColor = 0;
    COLORREF backColor = 0;
    int reserved = 0;
    std::vector<ByteCondition> conditions;
};

int SaveFilterFile(const char* path, const std::vector<CPacketFilterEntry>& entries);
int LoadFilterFile(const char* path, std::vector<CPacketFilterEntry>& entries);
