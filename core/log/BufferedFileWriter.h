// CBufferedFileWriter: collects the many small pieces that the log writers produce (a length, a
// record, a field) and hands them to the file in blocks, so that a file call is not paid per
// piece. Flush before the file is closed: what is still collected then is not written.
#pragma once
#include <vector>

#include "platform/File.h"
#include "platform/String.h"
#include "platform/Types.h"

class CBufferedFileWriter
{
public:
    static const size_t kBlockSize = 64 * 1024;

    explicit CBufferedFileWriter(CFile& file);

    // Each may write a block to the file; file errors throw CFileException*.
    void Write(const void* data, size_t count);
    void Write(const CString& text)
    {
        Write(text.GetString(), static_cast<size_t>(text.GetLength()));
    }
    void Flush();

private:
    CFile& m_file;
    std::vector<BYTE> m_buffer;
};
