#include "capture/CaptureFileReader.h"

CCaptureFileReader::CCaptureFileReader(CFile& file)
    : m_file(file), m_left(file.GetLength() - file.GetPosition())
{
}

PieceResult CCaptureFileReader::Read(DWORD count, std::span<const BYTE>& piece)
{
    piece = {};
    if (m_left == 0)
        return count == 0 ? PieceResult::Whole : PieceResult::End;
    if (count > m_left)
        return PieceResult::Cut;
    m_buffer.resize(count);
    // The file may have shrunk since its length was taken.
    if (count > 0 && m_file.Read(m_buffer.data(), count) != count)
        return PieceResult::Cut;
    m_left -= count;
    piece = std::span<const BYTE>(m_buffer.data(), count);
    return PieceResult::Whole;
}

PieceResult CCaptureFileReader::Read(DWORD count, CByteReader& reader)
{
    std::span<const BYTE> piece;
    const PieceResult result = Read(count, piece);
    reader = CByteReader(piece);
    return result;
}

bool CCaptureFileReader::Skip(ULONGLONG count)
{
    if (count > m_left)
        return false;
    m_file.Seek(static_cast<LONGLONG>(count), CFile::current);
    m_left -= count;
    return true;
}
