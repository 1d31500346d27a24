// The hex editor's clipboard blocks as bytes, without the clipboard: "BinaryData" is a 32-bit
// little-endian count, then the bytes; the text block is the bytes and one zero byte. A block on
// the clipboard may come from another program and claim anything.
#pragma once
#include <span>
#include <vector>

#include "platform/Types.h"

// The bytes a "BinaryData" block holds: its count of them, but never more than follow the count;
// nothing when the block is shorter than the count.
std::span<const BYTE> BinaryDataContent(std::span<const BYTE> block);
// The bytes a text block holds: all but the last.
std::span<const BYTE> TextBlockContent(std::span<const BYTE> block);

// The count that starts a "BinaryData" block of these bytes.
void PutBinaryDataCount(BYTE (&count)[4], DWORD byteCount);
