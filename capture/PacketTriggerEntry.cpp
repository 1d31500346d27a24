#include "capture/PacketTriggerEntry.h"

#include "capture/EntryForm.h"

namespace {

const EntryFileMagic kTriggerFileMagic = {'q', 'v', 't', 0};

struct ProtocolRequirement
{
    BYTE protocol;
    BYTE tcpFlag;  // 0: the flags do not matter
};

// Protocol number 0 for a kind outside 1 to 7.
ProtocolRequirement RequirementOf(int protocolKind)
{
    switch (protocolKind) {
    case TRIGGER_PROTOCOL_TCP:
        return {IP_PROTOCOL_TCP, 0};
    case TRIGGER_PROTOCOL_TCP_SYN:
        return {IP_PROTOCOL_TCP, 0x02};
    case TRIGGER_PROTOCOL_TCP_FIN:
        return {IP_PROTOCOL_TCP, 0x01};
    case TRIGGER_PROTOCOL_TCP_RST:
        return {IP_PROTOCOL_TCP, 0x04};
    case TRIGGER_PROTOCOL_UDP:
        return {IP_PROTOCOL_UDP, 0};
    case TRIGGER_PROTOCOL_ICMP:
        return {IP_PROTOCOL_ICMP, 0};
    case TRIGGER_PROTOCOL_IGMP:
        return {IP_PROTOCOL_IGMP, 0};
    default:
        return {0, 0};
    }
}

bool MatchesProtocolKind(const CDatagram& d, int protocolKind)
{
    if (protocolKind == TRIGGER_PROTOCOL_ANY)
        return true;
    const ProtocolRequirement requirement = RequirementOf(protocolKind);
    if (!MatchesProtocol(d, requirement.protocol))
        return false;
    const DWORD flagsOffset = d.HeaderLength() + 13;
    return requirement.tcpFlag == 0 ||
           (d.Holds(flagsOffset, 1) && (d.Byte(flagsOffset) & requirement.tcpFlag));
}

} // namespace

void CPacketTriggerEntry::Clear()
{
    *this = CPacketTriggerEntry();
}

int CPacketTriggerEntry::Match(const COleSafeArray& datagram) const
{
    return Match(std::span<const BYTE>(datagram.GetData(), datagram.GetSize()));
}

int CPacketTriggerEntry::Match(std::span<const BYTE> bytes) const
{
    const CDatagram d(bytes);
    const AddressPortTest test{sourceAddress, destAddress, sourcePort, destPort};
    return MatchesAddresses(d, test) && MatchesProtocolKind(d, protocolKind) &&
                   MatchesPorts(d, test) && MatchesConditions(d, conditions)
               ? 1
               : 0;
}

CByteStream CPacketTriggerEntry::ToBytes() const
{
    CByteStream form;
    for (int field : {enabled, firstTimeOnly, kind, runProgram, saveLatestLog})
        AppendUInt32(form, static_cast<DWORD>(field));
    AppendUInt32(form, sourceAddress);
    AppendUInt32(form, destAddress);
    AppendUInt32(form, static_cast<DWORD>(protocolKind));
    AppendStoredPort(form, sourcePort);
    AppendStoredPort(form, destPort);
    const BYTE reservedBytes[kReservedSize] = {};
    form.AppendBytes(reservedBytes, kReservedSize);
    AppendConditions(form, conditions);
    form.AppendString(name);
    AppendUInt32(form, static_cast<DWORD>(seconds));
    form.AppendString(program);
    form.AppendString(arguments);
    form.AppendString(directory);
    const BYTE end = 0;
    form.AppendBytes(&end, 1);
    return form;
}

bool CPacketTriggerEntry::FromBytes(std::span<const BYTE> bytes)
{
    CByteReader reader(bytes);
    CPacketTriggerEntry read;
    for (int* field : {&read.enabled, &read.firstTimeOnly, &read.kind, &read.runProgram,
                       &read.saveLatestLog})
        *field = reader.ReadInt32();
    read.sourceAddress = reader.ReadUInt32();
    read.destAddress = reader.ReadUInt32();
    read.protocolKind = reader.ReadInt32();
    read.sourcePort = ReadStoredPort(reader);
    read.destPort = ReadStoredPort(reader);
    reader.Skip(kReservedSize);
    if (!ReadConditions(reader, read.conditions))
        return false;
    read.name = ReadCountedText(reader);
    read.seconds = reader.ReadInt32();
    read.program = ReadCountedText(reader);
    read.arguments = ReadCountedText(reader);
    read.directory = ReadCountedText(reader);
    if (reader.Failed())
        return false;
    *this = std::move(read);
    return true;
}

int SaveTriggerFile(const char* path, const std::vector<CPacketTriggerEntry>& entries)
{
    return SaveEntryFile(path, kTriggerFileMagic, entries);
}

int LoadTriggerFile(const char* path, std::vector<CPacketTriggerEntry>& entries)
{
    return LoadEntryFile(path, kTriggerFileMagic, entries);
}
