// CCaptureFileReader: reads a packet log or capture file front to back in exact pieces. Every
// count, whether the file states it or not, is checked against the bytes the file has left
// before anything is allocated for it, so a length near 4 GiB is refused instead of read.
#pragma once
#include <span>
#include <vector>

#include "core/ByteReader.h"
#include "platform/File.h"
#include "platform/Types.h"

enum class PieceResult
{
    Whole,  // the piece was read
    End,    // the file had nothing left
    Cut,    // the file ends inside the piece
};

class CCaptureFileReader
{
public:
    // From the file's current position; file errors throw CFileException*.
    explicit CCaptureFileReader(CFile& file);

    // The next count bytes, valid until the next read.
    PieceResult Read(DWORD count, std::span<const BYTE>& piece);
    // Read() through a CByteReader over the piece.
    PieceResult Read(DWORD count, CByteReader& reader);
    // False when the file has fewer bytes left.
    bool Skip(ULONGLONG count);
    ULONGLONG Left() const { return m_left; }

private:
    CFile& m_file;
    ULONGLONG m_left;
    std::vector<BYTE> m_buffer;
};
