// The .qvg file: a 512-byte header, five 256-byte blocks of integers (both ports' settings, both
// ports' actions, the log display), the counted strings and byte arrays a version carries, and
// two 80-byte FL-net records that nothing reads back. A whole-file XOR guards against damage.
#include "core/CommSettings.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "core/ByteReader.h"
#include "core/ByteStream.h"
#include "core/LittleEndian.h"
#include "platform/Mbcs.h"

namespace {

const BYTE kMagic[4] = {'q', 'v', 'g', 0};
const DWORD kHeaderSize = 0x200;
const DWORD kBlockSize = 0x100;
const DWORD kFixedPartSize = kHeaderSize + 5 * kBlockSize;

const DWORD kVersionOffset = 0x10;
const DWORD kHeaderSizeOffset = 0x14;
const DWORD kFileSizeOffset = 0x18;
const DWORD kChecksumOffset = 0x1C;
const DWORD kStartOnLoadOffset = 0x20;
const DWORD kPortBlockOffset = 0x200;    // Port 2's follows one block later
const DWORD kActionBlockOffset = 0x400;  // likewise
const DWORD kDisplayBlockOffset = 0x600;
const DWORD kTimeFormatOffset = kDisplayBlockOffset + 0x20;
const DWORD kLogFilterOffset = kDisplayBlockOffset + 0x24;

const DWORD kFlnetRecordSize = 80;
const DWORD kFlnetNameOffset = 6;
const int kFlnetNameMax = 17;  // and its terminator
const DWORD kFlnetValuesOffset = 0x18;

using FixedPart = BYTE[kFixedPartSize];

// The word at a file offset of the fixed part.
DWORD FixedWord(const FixedPart& fixed, DWORD offset)
{
    CByteReader reader(fixed, sizeof fixed);
    reader.Skip(offset);
    return reader.ReadUInt32();
}

// The file offset of a block's word; the word tables hold no negative index.
DWORD WordOffset(DWORD block, int index)
{
    return block + 4 * static_cast<DWORD>(index);
}

// Calls visit(file offset, member) for every value the header and the five blocks hold; members
// are 32-bit words in the file whatever their own type (the fill byte is zero-extended).
template <typename Document, typename Visit>
void ForEachFixedValue(Document& document, Visit visit)
{
    visit(kStartOnLoadOffset, document.m_startOnLoad);
    visit(kTimeFormatOffset, document.m_timeFormat);
    for (DWORD port = 0; port < CCommSettings::kPortCount; ++port) {
        const DWORD portBlock = kPortBlockOffset + kBlockSize * port;
        for (const CommSettingsWord& word : kCommPortWords)
            visit(WordOffset(portBlock, word.index), (document.*word.field)[port]);
        const DWORD actionBlock = kActionBlockOffset + kBlockSize * port;
        for (const CommSettingsWord& word : kCommActionWords)
            visit(WordOffset(actionBlock, word.index), (document.*word.field)[port]);
        visit(WordOffset(actionBlock, kCommFillByteWord), document.m_fillByte[port]);

        // Per port: the background colour, then the text colour of each record kind.
        const DWORD colours = kDisplayBlockOffset + 0x10 * port;
        visit(colours, document.m_rowBackColor[port]);
        for (DWORD kind = 0; kind < CCommSettings::kLogKindCount; ++kind) {
            visit(colours + 4 + 4 * kind, document.m_rowTextColor[port][kind]);
            visit(kLogFilterOffset + 4 * (CCommSettings::kLogKindCount * port + kind),
                  document.m_logFilter[port][kind]);
        }
    }
}

// Calls visit(item) for each counted item a file of the version carries, in file order, and
// stops at the first visit that fails.
template <typename Document, typename Visit>
bool ForEachItem(Document& document, DWORD version, Visit visit)
{
    return visit(document.m_name) && visit(document.m_comment) &&
           visit(document.m_randomAreas[0]) && visit(document.m_randomAreas[1]) &&
           visit(document.m_dllPath[0]) && visit(document.m_dllPath[1]) &&
           visit(document.m_dllData[0]) && visit(document.m_dllData[1]) &&
           visit(document.m_sendEditorData) &&
           (version < 101 ||
            (visit(document.m_serialDelimiters[0]) && visit(document.m_serialDelimiters[1]))) &&
           (version < 102 ||
            (visit(document.m_sendEditorMarkers) && visit(document.m_detailDumpMarkers) &&
             visit(document.m_socketOptions[0]) && visit(document.m_socketOptions[1]))) &&
           (version < 103 || (visit(document.m_scriptText[0]) && visit(document.m_scriptText[1])));
}

using SocketOptions = BYTE[CCommSettings::kSocketOptionsSize];

void AppendItem(CByteStream& stream, const CString& text)
{
    stream.AppendString(text);
}

void AppendItem(CByteStream& stream, const COleSafeArray& bytes)
{
    stream.AppendArray(bytes);
}

void AppendItem(CByteStream& stream, const SocketOptions& table)
{
    BYTE count[4];
    PutUInt32LE(count, sizeof table);
    stream.AppendBytes(count, sizeof count);
    stream.AppendBytes(table, sizeof table);
}

bool ReadItem(CByteStream& stream, CString& text)
{
    return stream.ReadString(text);
}

bool ReadItem(CByteStream& stream, COleSafeArray& bytes)
{
    return stream.ReadArray(bytes);
}

// Any length is accepted; the table takes at most its own size and the rest stays zero.
bool ReadItem(CByteStream& stream, SocketOptions& table)
{
    COleSafeArray bytes;
    if (!stream.ReadArray(bytes))
        return false;
    std::memset(table, 0, sizeof table);
    if (bytes.GetSize() > 0)
        std::memcpy(table, bytes.GetData(), std::min<DWORD>(bytes.GetSize(), sizeof table));
    return true;
}

void AppendFlnetRecord(CByteStream& stream, const CCommSettings& document, int port)
{
    BYTE record[kFlnetRecordSize] = {};
    PutUInt32LE(record, document.m_flnetAddress[port]);
    PutUInt16LE(record + 4, document.m_flnetNode[port]);
    // Cut to the field without splitting a double-byte character.
    const CString& name = document.m_flnetName[port];
    int length = 0;
    for (int next; length < name.GetLength(); length = next) {
        next = length + MbcsCharLength(name, name.GetLength(), length);
        if (next > kFlnetNameMax)
            break;
    }
    std::memcpy(record + kFlnetNameOffset, static_cast<const char*>(name),
                static_cast<size_t>(length));
    for (int i = 0; i < CCommSettings::kFlnetValueCount; ++i)
        PutUInt32LE(record + kFlnetValuesOffset + 4 * i,
                    static_cast<DWORD>(document.m_flnetValues[port][i]));
    stream.AppendBytes(record, sizeof record);
}

// 0, or the code of the first check the file fails. fixed holds the file's first bytes, padded
// with zeros when the file is shorter than the header and blocks.
int CheckFile(const FixedPart& fixed, DWORD fileSize, DWORD fileXor)
{
    if (fileSize < sizeof kMagic || std::memcmp(fixed, kMagic, sizeof kMagic) != 0)
        return -2;
    const DWORD version = FixedWord(fixed, kVersionOffset);
    if (version < CCommSettings::kOldestFileVersion || version > CCommSettings::kCurrentFileVersion)
        return -3;
    if (FixedWord(fixed, kFileSizeOffset) != fileSize || fileSize < kFixedPartSize)
        return -4;
    // The whole-file XOR includes the stored checksum word once; taking it out again gives the
    // XOR computed with that field zero.
    const DWORD stored = FixedWord(fixed, kChecksumOffset);
    return (fileXor ^ stored) == stored ? 0 : -5;
}

} // namespace

std::vector<BYTE> CCommSettings::ToFileBytes(DWORD version) const
{
    BYTE fixed[kFixedPartSize] = {};
    std::memcpy(fixed, kMagic, sizeof kMagic);
    PutUInt32LE(fixed + kVersionOffset, version);
    PutUInt32LE(fixed + kHeaderSizeOffset, kHeaderSize);
    ForEachFixedValue(*this, [&fixed](DWORD offset, const auto& value) {
        PutUInt32LE(fixed + offset, static_cast<DWORD>(value));
    });

    CByteStream rest;
    ForEachItem(*this, version, [&rest](const auto& item) {
        AppendItem(rest, item);
        return true;
    });
    for (int port = 0; port < kPortCount; ++port)
        AppendFlnetRecord(rest, *this, port);

    // The fixed part is a whole number of words, so the XOR of the file is the XOR of its parts.
    PutUInt32LE(fixed + kFileSizeOffset, kFixedPartSize + rest.GetSize());
    const DWORD checksum = ComputeXorChecksum(fixed, sizeof fixed) ^
                           ComputeXorChecksum(rest.GetData(), rest.GetSize());
    PutUInt32LE(fixed + kChecksumOffset, checksum);

    std::vector<BYTE> file(sizeof fixed + rest.GetSize());
    std::memcpy(file.data(), fixed, sizeof fixed);
    std::memcpy(file.data() + sizeof fixed, rest.GetData(), rest.GetSize());
    return file;
}

int CCommSettings::FromFileBytes(std::span<const BYTE> bytes)
{
    SetDefaults(0);
    CByteStream stream;
    stream.AppendBytes(bytes.data(), static_cast<DWORD>(bytes.size()));
    const DWORD fileSize = stream.GetSize();
    const DWORD fileXor = ComputeXorChecksum(stream.GetData(), fileSize);
    FixedPart fixed = {};
    stream.ReadBytes(fixed, std::min(fileSize, kFixedPartSize));
    if (const int failure = CheckFile(fixed, fileSize, fileXor))
        return failure;

    // Read into a copy, so a file whose items end early leaves nothing half-read behind.
    CCommSettings read(*this);
    ForEachFixedValue(read, [&fixed](DWORD offset, auto& value) {
        value = static_cast<std::remove_reference_t<decltype(value)>>(FixedWord(fixed, offset));
    });
    const DWORD version = FixedWord(fixed, kVersionOffset);
    if (!ForEachItem(read, version, [&stream](auto& item) { return ReadItem(stream, item); }))
        return -4;
    *this = read;
    return 0;
}
