// The log view's files on a real list control and real files: loading damaged and long logs
// with the messages the user sees, saving and reloading, write failures, and auto-saving.
#include "mainwnd/Logview.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/LittleEndian.h"
#include "core/log/LogFile.h"
#include "core/log/LogRowText.h"
#include "platform/MessageBox.h"
#include "tests/log/LogSamples.h"
#include "tests/platform/WindowTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TempFolder.h"

namespace {

const char kReadError[] = "ログファイル読み込みエラー";
const char kWriteError[] = "ログファイル書き込みエラー\n書き込みできません。";
const char kLimitPrompt[] = "表示可能件数を超過してﾛｸﾞを読み込もうとしています。\r\n"
                            "先に読み込んだﾛｸﾞは流れてしまいます。\r\n読み込みを継続しますか？";

struct AskedBox
{
    std::string text;
    UINT type;

    bool operator==(const AskedBox&) const = default;
};

std::ostream& operator<<(std::ostream& out, const AskedBox& box)
{
    return out << box.text << " (" << box.type << ")";
}

class LogviewFilesTest : public ::testing::Test
{
protected:
    LogviewFilesTest()
    {
        ShowEveryKind(m_settings, LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT);
        m_common.m_maxLog = 1000;
        m_common.m_autoSave = 0;
    }

    void SetUp() override
    {
        m_previousPresenter = AfxSetMessageBoxPresenter([this](HWND, LPCTSTR text, LPCTSTR, UINT type) {
            m_boxes.push_back({text, type});
            return m_answer;
        });
        ASSERT_TRUE(CreateTopLevel(m_parent, 800, 300));
        m_view = new CLogview;
        m_view->SetLog(&m_log);
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 780, 280),
                                   &m_parent, AFX_IDW_PANE_FIRST));
    }

    void TearDown() override
    {
        m_parent.DestroyWindow();
        PumpPendingMessages();
        AfxSetMessageBoxPresenter(m_previousPresenter);
    }

    void Add(CLogRecord record, bool autoSave = false) { m_view->AddRecord(record, autoSave); }

    void AddSamples()
    {
        for (const CLogRecord& record : {SampleMessage(), SampleSent(), SampleReceived()})
            Add(record);
    }

    // The rows' texts, all columns.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        CListCtrl& list = m_view->GetListCtrl();
        for (int row = 0; row < list.GetItemCount(); ++row) {
            std::string text;
            for (int column = 0; column < LOG_COLUMN_COUNT; ++column)
                text += std::string(list.GetItemText(row, column).GetString()) + "|";
            rows.push_back(text);
        }
        return rows;
    }

    CCommSettings m_settings;
    CCommonSettings m_common{"1.0.0.0"};
    CCommLog m_log{m_settings, m_common};
    CWnd m_parent;
    CLogview* m_view = nullptr;
    TempFolder m_folder;
    std::vector<AskedBox> m_boxes;
    int m_answer = IDYES;
    MessageBoxPresenter m_previousPresenter;
};

// The sample file with its third length set to length.
Bytes WithThirdLength(DWORD length, size_t cutTo = kSampleFileSize)
{
    Bytes bytes = SampleLogFile();
    PutUInt32LE(bytes.data() + kSampleThirdRecord, length);
    bytes.resize(cutTo);
    return bytes;
}

TEST_F(LogviewFilesTest, ALoadReplacesTheLogAndADamagedFileKeepsTheRecordsBeforeTheDamage)
{
    const Bytes whole = SampleLogFile();
    Bytes version101 = whole;
    version101[0] = 101;
    const std::vector<AskedBox> readError = {{kReadError, MB_ICONSTOP}};
    struct Case
    {
        const char* what;
        Bytes file;
        int records;
        bool error;
    };
    const Case cases[] = {
        {"whole file", whole, 3, false},
        {"header only", Bytes(whole.begin(), whole.begin() + kSampleFirstRecord), 0, false},
        {"short header", Bytes(31, 0), 0, true},
        {"version 101", version101, 0, true},
        {"cut inside the third length", WithThirdLength(59, kSampleThirdRecord + 2), 2, true},
        {"cut inside the third record", WithThirdLength(59, kSampleThirdRecord + 20), 2, true},
        {"length 0", WithThirdLength(0), 2, true},
        {"length 55", WithThirdLength(55, kSampleThirdRecord + 4 + 55), 2, true},
        {"length past the end of the file", WithThirdLength(60), 2, true},
        {"huge length", WithThirdLength(0xFFFFFFF0), 2, true},
    };
    const std::string path = m_folder.File("log.qvl");
    for (const Case& c : cases) {
        WriteFileBytes(path, c.file);
        Add(SampleSent());
        m_boxes.clear();
        m_view->LoadLogFile(path.c_str());
        EXPECT_EQ(c.records, m_view->GetRecordCount()) << c.what;
        EXPECT_EQ(c.error ? readError : std::vector<AskedBox>(), m_boxes) << c.what;
    }
    m_boxes.clear();
    m_view->LoadLogFile(m_folder.File("missing.qvl").c_str());
    EXPECT_EQ(0, m_view->GetRecordCount());
    EXPECT_EQ(readError, m_boxes);
}

TEST_F(LogviewFilesTest, ALengthTooLongForTheProgramInAFileLongEnoughIsADamagedFile)
{
    // 2.25 GiB fit in the file but not in one buffer of a 32-bit process.
    const DWORD length = 0x90000000;
    const std::string path = m_folder.File("huge.qvl");
    WriteFileBytes(path, WithThirdLength(length, kSampleThirdRecord + 4));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER size;
    size.QuadPart = kSampleThirdRecord + 4 + static_cast<LONGLONG>(length);
    // Sparse: nothing of it is written.
    const bool extended = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(extended);

    m_view->LoadLogFile(path.c_str());
    EXPECT_EQ(2, m_view->GetRecordCount());
    const std::vector<AskedBox> readError = {{kReadError, MB_ICONSTOP}};
    EXPECT_EQ(readError, m_boxes);
}

TEST_F(LogviewFilesTest, ALoadAsksOnceEveryMaxlogRecordsWhetherToGoOn)
{
    // 1500 records that carry their place in the file as their error code.
    Bytes file;
    AppendLogFileHeader(file);
    for (int i = 0; i < 1500; ++i) {
        CLogRecord record = SampleSent();
        record.m_errorCode = i;
        AppendLogFileRecord(file, record);
    }
    const std::string path = m_folder.File("long.qvl");
    WriteFileBytes(path, file);
    const std::vector<AskedBox> askedOnce = {{kLimitPrompt, MB_YESNO | MB_ICONQUESTION}};

    m_answer = IDYES;
    m_view->LoadLogFile(path.c_str());
    EXPECT_EQ(askedOnce, m_boxes);
    ASSERT_EQ(1000, m_view->GetRecordCount());
    EXPECT_EQ("0501", m_view->GetListCtrl().GetItemText(0, LOG_COLUMN_NUMBER));

    m_boxes.clear();
    m_answer = IDNO;
    m_view->LoadLogFile(path.c_str());
    EXPECT_EQ(askedOnce, m_boxes);
    ASSERT_EQ(1000, m_view->GetRecordCount());
    EXPECT_EQ("0001", m_view->GetListCtrl().GetItemText(0, LOG_COLUMN_NUMBER));
    EXPECT_EQ("1000", m_view->GetListCtrl().GetItemText(999, LOG_COLUMN_NUMBER));
}

TEST_F(LogviewFilesTest, ASavedLogIsTheSampleFileAndLoadsBackToTheSameRows)
{
    AddSamples();
    const std::vector<std::string> rows = Rows();
    const std::string path = m_folder.File("saved.qvl");
    m_view->SaveLogFile(path.c_str());
    EXPECT_EQ(SampleLogFile(), ReadFileBytes(path));

    m_view->Clear();
    Add(SampleMessage());
    m_view->LoadLogFile(path.c_str());
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(std::vector<AskedBox>{}, m_boxes);
}

TEST_F(LogviewFilesTest, WritingAnEmptyLogOrToAPlaceThatCannotBeWrittenShows13006)
{
    using Write = void (CLogview::*)(LPCTSTR);
    const Write writes[] = {&CLogview::SaveLogFile, &CLogview::ExportCsv, &CLogview::ExportText};
    const std::vector<AskedBox> writeError = {{kWriteError, MB_ICONSTOP}};
    for (Write write : writes) {
        m_view->Clear();
        m_boxes.clear();
        const std::string empty = m_folder.File("empty.out");
        (m_view->*write)(empty.c_str());
        EXPECT_EQ(writeError, m_boxes);
        // The file it created stays, empty.
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(empty.c_str()));
        EXPECT_EQ(Bytes(), ReadFileBytes(empty));

        AddSamples();
        m_boxes.clear();
        (m_view->*write)(m_folder.File("no such folder\\log.out").c_str());
        EXPECT_EQ(writeError, m_boxes);
    }
}

TEST_F(LogviewFilesTest, NewRecordsGoToTheAutoSaveFileOfTheirOwnTime)
{
    m_common.m_autoSave = 2;
    m_common.m_savePath = m_folder.Path().c_str();
    m_common.m_filePrefix = "AUTOSAVE";
    // An existing file of another program is left alone.
    const Bytes foreign = {'n', 'o', 't', ' ', 'a', ' ', 'l', 'o', 'g'};
    WriteFileBytes(m_folder.File("AUTOSAVE202405061350.qvl"), foreign);

    CLogRecord before = SampleSent();
    before.m_time = {2024, 5, 1, 6, 13, 39, 59, 999};
    CLogRecord after = SampleSent();
    after.m_time = {2024, 5, 1, 6, 13, 40, 0, 0};
    CLogRecord foreignTime = SampleSent();
    foreignTime.m_time = {2024, 5, 1, 6, 13, 55, 0, 0};
    CLogRecord notNew = SampleSent();
    notNew.m_time = {2024, 5, 1, 6, 14, 0, 0, 0};
    Add(before, true);
    Add(after, true);
    Add(foreignTime, true);
    Add(notNew, false);

    // Each file holds its record as the log numbered it.
    auto fileOf = [](CLogRecord record, int number) {
        record.m_sequence = number;
        Bytes bytes;
        AppendLogFileHeader(bytes);
        AppendLogFileRecord(bytes, record);
        return bytes;
    };
    EXPECT_EQ(fileOf(before, 0), ReadFileBytes(m_folder.File("AUTOSAVE202405061330.qvl")));
    EXPECT_EQ(fileOf(after, 1), ReadFileBytes(m_folder.File("AUTOSAVE202405061340.qvl")));
    EXPECT_EQ(foreign, ReadFileBytes(m_folder.File("AUTOSAVE202405061350.qvl")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA(m_folder.File("AUTOSAVE202405061400.qvl").c_str()));
    EXPECT_EQ(4, m_view->GetRecordCount());
}

TEST_F(LogviewFilesTest, TheAutoSaveFileIsHeldWhileRecordsComeAndLetGoWhenTheyPause)
{
    m_common.m_autoSave = 1;
    m_common.m_savePath = m_folder.Path().c_str();
    m_common.m_filePrefix = "AUTOSAVE";
    const std::string path = m_folder.File("AUTOSAVE2024050613.qvl");
    for (int i = 0; i < 20; ++i)
        Add(SampleReceived(), true);
    EXPECT_FALSE(DeleteFileA(path.c_str()));

    // The view looks once a second and lets go when a whole second passed without a record.
    const DWORD start = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return DeleteFileA(path.c_str()) != FALSE; }, 5000));
    EXPECT_GE(GetTickCount() - start, 900u);
}

} // namespace
