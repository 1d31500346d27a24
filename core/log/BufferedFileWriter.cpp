#include "core/log/BufferedFileWriter.h"

CBufferedFileWriter::CBufferedFileWriter(CFile& file) : m_file(file)
{
    m_buffer.reserve(kBlockSize);
}

void CBufferedFileWriter::Write(const void* data, size_t count)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + count);
    if (m_buffer.size() >= kBlockSize)
        Flush();
}

void CBufferedFileWriter::Flush()
{
    if (!m_buffer.empty())
        m_file.Write(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    m_buffer.clear();
}
