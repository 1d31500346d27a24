#include "capture/PacketFilterEntry.h"

#include "capture/EntryForm.h"

namespace {

const EntryFileMagic kFilterFileMagic = {'q', 'v', 'c', 0};

// The IP protocol number a choice requires; 0 for a choice outside 1 to 4.
BYTE RequiredProtocol(int choice)
{
    switch (choice) {
    case FILTER_PROTOCOL_TCP:
        return IP_PROTOCOL_TCP;
    case FILTER_PROTOCOL_UDP:
        return IP_PROTOCOL_UDP;
    case FILTER_PROTOCOL_ICMP:
        return IP_PROTOCOL_ICMP;
    case FILTER_PROTOCOL_IGMP:
        return IP_PROTOCOL_IGMP;
    default:
        return 0;
    }
}

} // namespace

void CPacketFilterEntry::Clear()
{
    *this = CPacketFilterEntry();
}

int CPacketFilterEntry::Match(const COleSafeArray& datagram) const
{
    return Match(std::span<const BYTE>(datagram.GetData(), datagram.GetSize()));
}

int CPacketFilterEntry::Match(std::span<const BYTE> bytes) const
{
    const CDatagram d(bytes);
    const AddressPortTest test{sourceAddress, destAddress, sourcePort, destPort};
    if (!MatchesAddresses(d, test))
        return 0;
    if (protocol != FILTER_PROTOCOL_ANY && !MatchesProtocol(d, RequiredProtocol(protocol)))
        return 0;
    return MatchesPorts(d, test) && MatchesConditions(d, conditions) ? 1 : 0;
}

CByteStream CPacketFilterEntry::ToBytes() const
{
    CByteStream form;
    AppendUInt32(form, static_cast<DWORD>(checked));
    AppendUInt32(form, sourceAddress);
    AppendUInt32(form, destAddress);
    AppendUInt32(form, static_cast<DWORD>(protocol));
    AppendStoredPort(form, sourcePort);
    AppendStoredPort(form, destPort);
    AppendUInt32(form, textColor);
    AppendUInt32(form, backColor);
    AppendUInt32(form, static_cast<DWORD>(reserved));
    AppendConditions(form, conditions);
    form.AppendString(name);
    const BYTE end = 0;
    form.AppendBytes(&end, 1);
    return form;
}

bool CPacketFilterEntry::FromBytes(std::span<const BYTE> bytes)
{
    CByteReader reader(bytes);
    CPacketFilterEntry read;
    read.checked = reader.ReadInt32();
    read.sourceAddress = reader.ReadUInt32();
    read.destAddress = reader.ReadUInt32();
    read.protocol = reader.ReadInt32();
    read.sourcePort = ReadStoredPort(reader);
    read.destPort = ReadStoredPort(reader);
    read.textColor = reader.ReadUInt32();
    read.backColor = reader.ReadUInt32();
    read.reserved = reader.ReadInt32();
    if (!ReadConditions(reader, read.conditions))
        return false;
    read.name = ReadCountedText(reader);
    if (reader.Failed())
        return false;
    *this = std::move(read);
    return true;
}

int SaveFilterFile(const char* path, const std::vector<CPacketFilterEntry>& entries)
{
    return SaveEntryFile(path, kFilterFileMagic, entries);
}

int LoadFilterFile(const char* path, std::vector<CPacketFilterEntry>& entries)
{
    return LoadEntryFile(path, kFilterFileMagic, entries);
}
