// The pieces that the byte forms of colour-filter and trigger entries share, and their files:
// a four-byte magic, a u32 count and count records, each a u32 size and that many bytes of one
// entry's form. Integers little-endian; addresses and ports as stored (network byte order).
#pragma once
#include <span>
#include <vector>

#include "capture/PacketTest.h"
#include "core/ByteReader.h"
#include "core/ByteStream.h"
#include "platform/String.h"

void AppendUInt32(CByteStream& form, DWORD value);
// The stored value's bytes in memory order: network byte order for a port.
void AppendStoredPort(CByteStream& form, WORD storedPort);
WORD ReadStoredPort(CByteReader& reader);
// The count, then offset and value of each condition.
void AppendConditions(CByteStream& form, const std::vector<ByteCondition>& conditions);
// False (the reader failed) when the count announces more conditions than the bytes hold.
bool ReadConditions(CByteReader& reader, std::vector<ByteCondition>& conditions);
// A u32 length, then the bytes; the text ends at the first zero byte among them, if any.
CString ReadCountedText(CByteReader& reader);

using EntryFileMagic = BYTE[4];

// 1 when the file now holds the magic, the count and every entry's form in list order; 0 when it
// cannot be written (a former file then stays as it was).
template <typename Entry>
int SaveEntryFile(const char* path, const EntryFileMagic& magic, const std::vector<Entry>& entries);

// 1 when the magic, the count and every record were read and parsed; only then are the entries
// replaced. 0 leaves them as they were.
template <typename Entry>
int LoadEntryFile(const char* path, const EntryFileMagic& magic, std::vector<Entry>& entries);

template <typename Entry>
int SaveEntryFile(const char* path, const EntryFileMagic& magic, const std::vector<Entry>& entries)
{
    CByteStream file;
    file.AppendBytes(magic, sizeof magic);
    AppendUInt32(file, static_cast<DWORD>(entries.size()));
    for (const Entry& entry : entries) {
        const CByteStream form = entry.ToBytes();
        AppendUInt32(file, form.GetSize());
        file.AppendBytes(form.GetData(), form.GetSize());
    }
    return file.WriteFile(path);
}

template <typename Entry>
int LoadEntryFile(const char* path, const EntryFileMagic& magic, std::vector<Entry>& entries)
{
    CByteStream file;
    if (!file.ReadFile(path))
        return 0;
    CByteReader reader(file.GetData(), file.GetSize());
    const std::span<const BYTE> start = reader.ReadSpan(sizeof magic);
    if (reader.Failed() || !std::equal(start.begin(), start.end(), magic))
        return 0;
    const DWORD count = reader.ReadUInt32();
    std::vector<Entry> read;
    for (DWORD i = 0; i < count && !reader.Failed(); ++i) {
        const std::span<const BYTE> form = reader.ReadCounted();
        Entry entry;
        if (reader.Failed() || !entry.FromBytes(form))
            return 0;
        read.push_back(std::move(entry));
    }
    if (reader.Failed())
        return 0;
    entries = std::move(read);
    return 1;
}
