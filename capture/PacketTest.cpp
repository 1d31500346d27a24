#include "capture/PacketTest.h"

#include "core/ByteSwap.h"

bool MatchesAddresses(const CDatagram& d, const AddressPortTest& test)
{
    if (test.sourceAddress != 0 && (!d.Holds(12, 4) || d.StoredDword(12) != test.sourceAddress))
        return false;
    return test.destAddress == 0 || (d.Holds(16, 4) && d.StoredDword(16) == test.destAddress);
}

bool MatchesPorts(const CDatagram& d, const AddressPortTest& test)
{
    if (test.sourcePort == 0 && test.destPort == 0)
        return true;
    const bool tcp = d.Holds(9, 1) && d.Protocol() == IP_PROTOCOL_TCP;
    const bool udp = d.Holds(9, 1) && d.Protocol() == IP_PROTOCOL_UDP && d.Holds(6, 2) &&
                     d.FragmentOffset() == 0;
    const DWORD h = d.HeaderLength();
    if (!(tcp || udp) || !d.Holds(h, 4))
        return false;
    if (test.sourcePort != 0 && d.StoredWord(h) != test.sourcePort)
        return false;
    return test.destPort == 0 || d.StoredWord(h + 2) == test.destPort;
}

bool MatchesProtocol(const CDatagram& d, BYTE protocol)
{
    return d.Holds(9, 1) && d.Protocol() == protocol;
}

bool MatchesConditions(const CDatagram& d, const std::vector<ByteCondition>& conditions)
{
    for (const ByteCondition& condition : conditions) {
        if (!d.Holds(condition.offset, 1) || d.Byte(condition.offset) != (condition.value & 0xFF))
            return false;
    }
    return true;
}

WORD StoredPort(unsigned hostPort)
{
    return SwapBytes16(static_cast<WORD>(hostPort));
}

unsigned HostPort(WORD storedPort)
{
    return SwapBytes16(storedPort);
}
