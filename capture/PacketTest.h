// What a colour-filter entry and a trigger test of a datagram alike: addresses, ports and byte
// conditions. Addresses and ports are kept as stored in network byte order; 0 means any. The
// datagram is read in place; one too short for a field that is tested does not match.
#pragma once
#include <span>
#include <vector>

#include "capture/Datagram.h"
#include "platform/Types.h"

struct ByteCondition
{
    DWORD offset = 0;  // into the datagram, 0 = the first byte of the IP header
    DWORD value = 0;   // only the low 8 bits are compared

    bool operator==(const ByteCondition&) const = default;
};

struct AddressPortTest
{
    DWORD sourceAddress = 0;
    DWORD destAddress = 0;
    WORD sourcePort = 0;
    WORD destPort = 0;
};

bool MatchesAddresses(const CDatagram& datagram, const AddressPortTest& test);
// With a port set, only TCP (any fragment offset) or UDP with fragment offset 0 can match.
bool MatchesPorts(const CDatagram& datagram, const AddressPortTest& test);
// d[9] equals the protocol number (a datagram without byte 9 matches nothing).
bool MatchesProtocol(const CDatagram& datagram, BYTE protocol);
bool MatchesConditions(const CDatagram& datagram, const std::vector<ByteCondition>& conditions);

// A port in host order as an entry keeps it (network byte order), and back.
WORD StoredPort(unsigned hostPort);
unsigned HostPort(WORD storedPort);
