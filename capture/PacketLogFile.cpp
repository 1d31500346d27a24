#include "capture/PacketLogFile.h"

#include <algorithm>

#include "core/LittleEndian.h"
#include "platform/Exceptions.h"

const BYTE kPacketLogMagic[4] = {'Q', 'V', 'P', ' '};

namespace {

const DWORD kLengthSize = 4;

enum class LogFileState
{
    Ours,     // starts with our magic
    Foreign,  // there, but not ours (another magic, a shorter file, or unreadable)
    Missing,
};

LogFileState CheckLogFile(const CString& path)
{
    CFileStatus status;
    if (!CFile::GetStatus(path, status))
        return LogFileState::Missing;
    CFile file;
    BYTE magic[sizeof kPacketLogMagic];
    // A file that is there but cannot be read is kept: it is not ours to replace.
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone) ||
        file.Read(magic, sizeof magic) != sizeof magic ||
        !std::equal(magic, magic + sizeof magic, kPacketLogMagic))
        return LogFileState::Foreign;
    return LogFileState::Ours;
}

} // namespace

CString MakeRollingLogPath(const CCaptureSettings& settings, const SYSTEMTIME& time)
{
    CString path;
    switch (settings.autoSaveMode) {
    case CAPTURE_AUTO_SAVE_HOURLY:
        path.Format("%s\\%s%04d%02d%02d%02d.qvp", settings.autoSaveDirectory.GetString(),
                    settings.fileHead.GetString(), time.wYear, time.wMonth, time.wDay, time.wHour);
        break;
    case CAPTURE_AUTO_SAVE_TEN_MINUTES:
        path.Format("%s\\%s%04d%02d%02d%02d%d0.qvp", settings.autoSaveDirectory.GetString(),
                    settings.fileHead.GetString(), time.wYear, time.wMonth, time.wDay, time.wHour,
                    time.wMinute / 10);
        break;
    default:
        break;
    }
    return path;
}

RollingLogResult AppendToRollingLog(const CCaptureSettings& settings, const CPacketRecord& record)
{
    const CString path = MakeRollingLogPath(settings, record.time);
    if (path.IsEmpty())
        return RollingLogResult::NotLogged;
    try {
        const LogFileState state = CheckLogFile(path);
        if (state == LogFileState::Foreign)
            return RollingLogResult::NotLogged;
        if (state == LogFileState::Missing) {
            CFile created(path, CFile::modeCreate | CFile::modeWrite);
            created.Write(kPacketLogMagic, sizeof kPacketLogMagic);
            created.Close();
        }
        std::vector<BYTE> bytes;
        AppendPacketLogRecord(bytes, record);
        CFile file(path, CFile::modeWrite | CFile::modeNoTruncate);
        file.SeekToEnd();
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
        return state == LogFileState::Missing ? RollingLogResult::NewFile
                                              : RollingLogResult::Appended;
    } catch (CException* error) {
        error->Delete();
    } catch (const std::bad_alloc&) {
    }
    return RollingLogResult::NotLogged;
}

void AppendPacketLogRecord(std::vector<BYTE>& bytes, const CPacketRecord& record)
{
    const COleSafeArray form = record.ToBytes();
    const size_t start = bytes.size();
    bytes.resize(start + kLengthSize);
    PutUInt32LE(bytes.data() + start, form.GetSize());
    bytes.insert(bytes.end(), form.GetData(), form.GetData() + form.GetSize());
}

bool ReadPacketLogRecords(CCaptureFileReader& reader, std::vector<CPacketRecord>& records)
{
    for (;;) {
        CByteReader length(nullptr, 0);
        const PieceResult lengthRead = reader.Read(kLengthSize, length);
        if (lengthRead == PieceResult::End)
            return true;
        if (lengthRead == PieceResult::Cut)
            return false;
        std::span<const BYTE> form;
        if (reader.Read(length.ReadUInt32(), form) != PieceResult::Whole)
            return false;
        CPacketRecord record;
        record.FromBytes(form.data(), static_cast<DWORD>(form.size()));
        records.push_back(std::move(record));
    }
}
