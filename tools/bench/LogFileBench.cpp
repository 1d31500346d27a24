// The log's files under load; each mode prints one line.
// The records number 9999 unless given, a full log without trimming.
//   logfile_bench save [records]      saves a full log as a .qvl file
//   logfile_bench load [records]      loads such a file into a shown log view
//   logfile_bench autosave [records]  a burst of new records into a shown log view with the
//                                     hourly auto-save on, messages pumped after each record as
//                                     the main window's loop would
//   logfile_bench append [records]    the same burst appended to the auto-save file alone
//   logfile_bench reopen [records]    the burst appended alone by reopening the file twice per
//                                     record (header check, then append), for comparison
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/log/AutoSaveFile.h"
#include "core/log/LogFile.h"
#include "platform/File.h"
#include "tools/bench/BenchSupport.h"

namespace {

// A fresh folder under the temporary directory, removed with its files afterwards.
class CBenchFolder
{
public:
    CBenchFolder()
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "quorvex-bench-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~CBenchFolder()
    {
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((m_path + "\\*.qvl").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                ::DeleteFileA((m_path + "\\" + found.cFileName).c_str());
            while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

void FillLog(CLogview& view, int count)
{
    CLogRecord record = BenchRecord();
    for (int i = 0; i < count; ++i) {
        ::GetLocalTime(&record.m_time);
        view.AddRecord(record, false);
    }
    PumpMessages();
}

ULONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// What appending one record cost when the file was opened for the header check and again for
// the write, per record.
void AppendReopening(const char* path, const CLogRecord& record)
{
    CFile check;
    if (check.Open(path, CFile::modeRead)) {
        BYTE header[kLogFileHeaderSize];
        if (check.Read(header, kLogFileHeaderSize) != kLogFileHeaderSize ||
            !IsLogFileHeader(header, kLogFileHeaderSize))
            return;
        check.Close();
    } else {
        std::vector<BYTE> header;
        AppendLogFileHeader(header);
        CFile create(path, CFile::modeCreate | CFile::modeWrite);
        create.Write(header.data(), kLogFileHeaderSize);
    }
    std::vector<BYTE> bytes;
    AppendLogFileRecord(bytes, record);
    CFile file(path, CFile::modeWrite | CFile::modeCreate | CFile::modeNoTruncate);
    file.SeekToEnd();
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool burst = mode == "autosave" || mode == "append" || mode == "reopen";
    const int count = argc > 2 ? std::atoi(argv[2]) : CLogStore::kNumberCount;
    if (mode != "save" && mode != "load" && !burst) {
        std::fprintf(stderr, "usage: logfile_bench save|load|autosave|append|reopen [records]\n");
        return 2;
    }

    CCommSettings settings;
    CCommonSettings common("1.0.0.0");
    ShowEverything(settings, common);
    // Made before the view and removed after it, which holds the auto-save file to the end.
    const CBenchFolder folder;
    common.m_savePath = folder.Path().c_str();
    common.m_filePrefix = "BENCH";
    const std::string path = folder.Path() + "\\bench.qvl";

    CBenchLogview bench(settings, common);
    if (!bench.IsReady()) {
        std::fprintf(stderr, "logfile_bench: no window (is there a display?)\n");
        return 1;
    }
    CLogview& view = bench.View();

    if (mode == "save" || mode == "load") {
        FillLog(view, count);
        LONGLONG start = Now();
        view.SaveLogFile(path.c_str());
        double seconds = SecondsSince(start);
        const double megabytes = static_cast<double>(FileSize(path)) / (1024.0 * 1024.0);
        if (mode == "save") {
            std::printf("logfile_bench save: %d records, %.2f MiB in %.1f ms = %.0f MiB/s\n",
                        view.GetRecordCount(), megabytes, seconds * 1000, megabytes / seconds);
        } else {
            view.Clear();
            PumpMessages();
            start = Now();
            view.LoadLogFile(path.c_str());
            ::UpdateWindow(view.m_hWnd);
            seconds = SecondsSince(start);
            std::printf("logfile_bench load: %d records, %.2f MiB in %.1f ms = %.0f records/s\n",
                        view.GetRecordCount(), megabytes, seconds * 1000,
                        view.GetRecordCount() / seconds);
        }
    } else {
        common.m_autoSave = 1;
        CLogRecord record = BenchRecord();
        CAutoSaveFile file;
        const LONGLONG start = Now();
        for (int i = 0; i < count; ++i) {
            ::GetLocalTime(&record.m_time);
            if (mode == "autosave") {
                view.AddRecord(record, true);
                PumpMessages();
            } else if (mode == "append") {
                file.Append(MakeAutoSavePath(common, record.m_time), record);
            } else {
                AppendReopening(MakeAutoSavePath(common, record.m_time), record);
            }
        }
        const double seconds = SecondsSince(start);
        std::printf("logfile_bench %s: %d records in %.2f s = %.0f records/s\n", mode.c_str(),
                    count, seconds, count / seconds);
    }
    return 0;
}
