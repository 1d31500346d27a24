#include "core/log/LogFile.h"

#include "core/ByteReader.h"
#include "core/LittleEndian.h"
#include "core/log/BufferedFileWriter.h"

namespace {

const DWORD kLengthSize = 4;

} // namespace

void AppendLogFileHeader(std::vector<BYTE>& bytes)
{
    const size_t start = bytes.size();
    bytes.resize(start + kLogFileHeaderSize, 0);
    PutUInt32LE(bytes.data() + start, kLogFileVersion);
}

void AppendLogFileRecord(std::vector<BYTE>& bytes, const CLogRecord& record)
{
    COleSafeArray serialised;
    record.ToBytes(serialised);
    const DWORD length = serialised.GetSize();
    const size_t start = bytes.size();
    bytes.resize(start + kLengthSize);
    PutUInt32LE(bytes.data() + start, length);
    bytes.insert(bytes.end(), serialised.GetData(), serialised.GetData() + length);
}

bool IsLogFileHeader(const BYTE* bytes, DWORD count)
{
    CByteReader reader(bytes, count);
    const DWORD version = reader.ReadUInt32();
    reader.Skip(kLogFileHeaderSize - 4);
    return !reader.Failed() && version == kLogFileVersion;
}

void WriteLogFile(CFile& file, const CLogStore& store)
{
    CBufferedFileWriter writer(file);
    std::vector<BYTE> bytes;
    AppendLogFileHeader(bytes);
    writer.Write(bytes.data(), bytes.size());
    for (int i = 0; i < store.GetRecordCount(); ++i) {
        bytes.clear();
        AppendLogFileRecord(bytes, *store.GetRecord(i));
        writer.Write(bytes.data(), bytes.size());
    }
    writer.Flush();
}

CLogFileReader::CLogFileReader(CFile& file)
    : m_file(file), m_left(file.GetLength() - file.GetPosition())
{
}

bool CLogFileReader::ReadHeader()
{
    BYTE header[kLogFileHeaderSize];
    return m_left >= kLogFileHeaderSize && ReadExactly(header, kLogFileHeaderSize) &&
           IsLogFileHeader(header, kLogFileHeaderSize);
}

LogFileReadResult CLogFileReader::ReadRecord(CLogRecord& record)
{
    if (m_left == 0)
        return LOG_FILE_END;
    BYTE lengthBytes[kLengthSize];
    if (m_left < kLengthSize || !ReadExactly(lengthBytes, kLengthSize))
        return LOG_FILE_DAMAGED;
    const DWORD length = CByteReader(lengthBytes, kLengthSize).ReadUInt32();
    // Checked before the buffer grows: a damaged length cannot ask for more than the file has,
    // nor, in a file of several gigabytes, for more than one buffer of this process can hold.
    if (length == 0 || length > m_left || length > m_recordBytes.max_size())
        return LOG_FILE_DAMAGED;
    m_recordBytes.resize(length);
    if (!ReadExactly(m_recordBytes.data(), length))
        return LOG_FILE_DAMAGED;
    return record.FromBytes(length, m_recordBytes.data()) ? LOG_FILE_RECORD : LOG_FILE_DAMAGED;
}

bool CLogFileReader::ReadExactly(void* data, DWORD count)
{
    // The file may have shrunk since its length was taken.
    if (m_file.Read(data, count) != count)
        return false;
    m_left -= count;
    return true;
}
