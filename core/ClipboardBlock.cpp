#include "core/ClipboardBlock.h"

#include <algorithm>

#include "core/ByteReader.h"
#include "core/LittleEndian.h"

std::span<const BYTE> BinaryDataContent(std::span<const BYTE> block)
{
    CByteReader reader(block);
    const DWORD claimed = reader.ReadUInt32();
    return reader.ReadSpan(std::min(claimed, reader.Remaining()));
}

std::span<const BYTE> TextBlockContent(std::span<const BYTE> block)
{
    return block.empty() ? block : block.first(block.size() - 1);
}

void PutBinaryDataCount(BYTE (&count)[4], DWORD byteCount)
{
    PutUInt32LE(count, byteCount);
}
