#include "capture/CaptureImport.h"

#include "capture/Datagram.h"
#include "capture/LocalTime.h"

namespace {

const DWORD kEthernetHeaderSize = 14;
const WORD kEtherTypeIpv4 = 0x0800;

const DWORD kPcapGlobalHeaderRest = 20;  // after the magic
const DWORD kPcapRecordHeaderSize = 16;

const DWORD kBlockHeaderSize = 8;       // type and total length
const DWORD kBlockTrailerSize = 4;      // the total length again
const DWORD kSmallestBlock = kBlockHeaderSize + kBlockTrailerSize;
const DWORD kSectionHeaderRest = 16;    // byte-order magic, version, section length
const DWORD kByteOrderMagic = 0x1A2B3C4D;
const DWORD kInterfaceFixedSize = 8;    // link type, reserved, snapshot length
const DWORD kPacketFixedSize = 20;      // interface, time high, time low, captured, original
const DWORD kOptionHeaderSize = 4;
const WORD kOptionEnd = 0;
const WORD kOptionTimeResolution = 9;

const DWORD kBlockInterface = 1;
const DWORD kBlockObsoletePacket = 2;
const DWORD kBlockEnhancedPacket = 6;

const BYTE kMicroseconds = 6;

// Units per second of an if_tsresol value; 0 when they do not fit 64 bits.
ULONGLONG UnitsPerSecond(BYTE resolution)
{
    const unsigned exponent = resolution & 0x7Fu;
    const bool binary = (resolution & 0x80) != 0;
    if (binary)
        return exponent <= 63 ? 1ULL << exponent : 0;
    if (exponent > 19)
        return 0;
    ULONGLONG units = 1;
    for (unsigned i = 0; i < exponent; ++i)
        units *= 10;
    return units;
}

// floor(remainder * 1000 / units) for remainder < units <= 2^63, without overflow.
unsigned MillisecondsOf(ULONGLONG remainder, ULONGLONG units)
{
    unsigned milliseconds = 0;
    for (int digit = 0; digit < 3; ++digit) {
        ULONGLONG scaled = 0;
        unsigned value = 0;
        for (int i = 0; i < 10; ++i) {
            scaled += remainder;  // below 2 x units, which fits
            if (scaled >= units) {
                scaled -= units;
                ++value;
            }
        }
        remainder = scaled;
        milliseconds = milliseconds * 10 + value;
    }
    return milliseconds;
}

void KeepFrame(std::span<const BYTE> frame, ULONGLONG seconds, unsigned milliseconds,
               std::vector<CPacketRecord>& records)
{
    CPacketRecord record;
    if (MakeRecordFromFrame(frame, seconds, milliseconds, record))
        records.push_back(std::move(record));
}

// The time-stamp resolutions of a section's interfaces, by interface id.
struct SectionInterfaces
{
    std::vector<BYTE> resolutions;
    BYTE last = kMicroseconds;  // for a packet that names no described interface

    BYTE ResolutionOf(DWORD interfaceId) const
    {
        return interfaceId < resolutions.size() ? resolutions[interfaceId] : last;
    }
};

// An Interface Description Block after its header: its if_tsresol (microseconds without one).
// The options are read only within the block, so a list without an end-of-options option cannot
// take the reader out of step with the blocks.
bool ReadInterfaceBlock(CCaptureFileReader& reader, DWORD totalLength,
                        SectionInterfaces& interfaces)
{
    BYTE resolution = kMicroseconds;
    if (totalLength < kSmallestBlock + kInterfaceFixedSize)
        return false;
    CByteReader block(nullptr, 0);
    if (reader.Read(totalLength - kBlockHeaderSize, block) != PieceResult::Whole)
        return false;
    block.Skip(kInterfaceFixedSize);
    CByteReader options(block.ReadSpan(block.Remaining() - kBlockTrailerSize));
    while (options.Remaining() >= kOptionHeaderSize) {
        const WORD code = options.ReadUInt16();
        const WORD length = options.ReadUInt16();
        if (code == kOptionEnd || length == 0)
            break;
        const DWORD padded = (static_cast<DWORD>(length) + 3u) & ~3u;
        const std::span<const BYTE> value = options.ReadSpan(std::min(padded, options.Remaining()));
        if (code == kOptionTimeResolution && !value.empty())
            resolution = value[0];
    }
    interfaces.resolutions.push_back(resolution);
    interfaces.last = resolution;
    return !block.Failed();
}

bool ReadPacketBlock(CCaptureFileReader& reader, DWORD type, DWORD totalLength,
                     const SectionInterfaces& interfaces, std::vector<CPacketRecord>& records)
{
    if (totalLength < kSmallestBlock + kPacketFixedSize)
        return false;
    CByteReader block(nullptr, 0);
    if (reader.Read(totalLength - kBlockHeaderSize, block) != PieceResult::Whole)
        return false;
    // The obsolete block has a 16-bit interface id and a drops count.
    DWORD interfaceId = 0;
    if (type == kBlockObsoletePacket) {
        interfaceId = block.ReadUInt16();
        block.Skip(2);
    } else {
        interfaceId = block.ReadUInt32();
    }
    const ULONGLONG high = block.ReadUInt32();
    const ULONGLONG low = block.ReadUInt32();
    const DWORD captured = block.ReadUInt32();
    block.Skip(4);  // original length
    // The packet, its padding, options and trailing length must lie within the block.
    if (captured > block.Remaining() - kBlockTrailerSize)
        return false;
    const std::span<const BYTE> frame = block.ReadSpan(captured);
    const ULONGLONG units = UnitsPerSecond(interfaces.ResolutionOf(interfaceId));
    if (units == 0 || block.Failed())
        return false;
    const ULONGLONG stamp = (high << 32) | low;
    KeepFrame(frame, stamp / units, MillisecondsOf(stamp % units, units), records);
    return true;
}

} // namespace

bool MakeRecordFromFrame(std::span<const BYTE> frame, ULONGLONG seconds, unsigned milliseconds,
                         CPacketRecord& record)
{
    const CDatagram ethernet(frame);
    if (!ethernet.Holds(0, kEthernetHeaderSize + kIpHeaderMinimum) ||
        ethernet.Word(12) != kEtherTypeIpv4)
        return false;
    record = CPacketRecord();
    if (LocalTimeOf(seconds, record.time))
        record.time.wMilliseconds = static_cast<WORD>(milliseconds);
    const std::span<const BYTE> datagram = frame.subspan(kEthernetHeaderSize);
    record.datagram.CreateOneDim(VT_UI1, static_cast<DWORD>(datagram.size()), datagram.data());
    return true;
}

bool ImportPcap(CCaptureFileReader& reader, std::vector<CPacketRecord>& records)
{
    std::span<const BYTE> piece;
    if (reader.Read(kPcapGlobalHeaderRest, piece) != PieceResult::Whole)
        return false;
    for (;;) {
        CByteReader header(nullptr, 0);
        const PieceResult headerRead = reader.Read(kPcapRecordHeaderSize, header);
        if (headerRead == PieceResult::End)
            return true;
        if (headerRead == PieceResult::Cut)
            return false;
        const DWORD seconds = header.ReadUInt32();
        const DWORD microseconds = header.ReadUInt32();
        const DWORD captured = header.ReadUInt32();
        std::span<const BYTE> frame;
        if (reader.Read(captured, frame) != PieceResult::Whole)
            return false;
        KeepFrame(frame, seconds, microseconds / 1000, records);
    }
}

bool ImportPcapng(CCaptureFileReader& reader, std::vector<CPacketRecord>& records)
{
    // The first section header after its type: total length, byte-order magic, version and
    // section length; a big-endian section is not ours to read.
    CByteReader section(nullptr, 0);
    if (reader.Read(4 + kSectionHeaderRest, section) != PieceResult::Whole)
        return false;
    const DWORD sectionLength = section.ReadUInt32();
    if (section.ReadUInt32() != kByteOrderMagic || sectionLength < kBlockHeaderSize + kSectionHeaderRest + kBlockTrailerSize ||
        !reader.Skip(sectionLength - kBlockHeaderSize - kSectionHeaderRest))
        return false;
    SectionInterfaces interfaces;
    for (;;) {
        CByteReader header(nullptr, 0);
        const PieceResult headerRead = reader.Read(kBlockHeaderSize, header);
        if (headerRead == PieceResult::End)
            return true;
        if (headerRead == PieceResult::Cut)
            return false;
        const DWORD type = header.ReadUInt32();
        const DWORD totalLength = header.ReadUInt32();
        if (totalLength < kSmallestBlock)
            return false;
        bool read = false;
        switch (type) {
        case kPcapngSectionType:
            // A new section describes its interfaces afresh.
            interfaces.resolutions.clear();
            read = reader.Skip(totalLength - kBlockHeaderSize);
            break;
        case kBlockInterface:
            read = ReadInterfaceBlock(reader, totalLength, interfaces);
            break;
        case kBlockEnhancedPacket:
        case kBlockObsoletePacket:
            read = ReadPacketBlock(reader, type, totalLength, interfaces, records);
            break;
        default:
            read = reader.Skip(totalLength - kBlockHeaderSize);
            break;
        }
        if (!read)
            return false;
    }
}
