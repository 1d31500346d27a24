// The log view on a real list control: what its rows say, how it follows the store when records
// are trimmed, hidden or rebuilt, what it tells the detailed-log pane, its colours and drops.
#include "mainwnd/Logview.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/TextHelpers.h"
#include "core/log/LogRowText.h"
#include "framework/menus/PopupMenuWnd.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "tests/log/LogSamples.h"
#include "tests/platform/WindowTestSupport.h"
#include "tests/support/DroppedFiles.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

using Texts = std::vector<std::string>;

// What the detailed-log pane was told: wParam and the number of the record (-1 for none).
struct ShownRecord
{
    WPARAM wParam;
    int number;

    bool operator==(const ShownRecord&) const = default;
};

class CDetailRecorder : public CWnd
{
public:
    std::vector<ShownRecord> m_shown;

protected:
    afx_msg LRESULT OnShowRecord(WPARAM wParam, LPARAM lParam)
    {
        const CLogRecord* record = reinterpret_cast<const CLogRecord*>(lParam);
        m_shown.push_back({wParam, record ? record->m_sequence : -1});
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDetailRecorder, CWnd)
    ON_MESSAGE(WM_SHOW_RECORD, OnShowRecord)
END_MESSAGE_MAP()

const ShownRecord kCleared = {1, -1};

ShownRecord Shown(int number)
{
    return {0, number};
}

Texts Numbers(int first, int last, int step = 1)
{
    Texts texts;
    for (int n = first; n <= last; n += step) {
        char text[8];
        std::snprintf(text, sizeof text, "%04d", n);
        texts.push_back(text);
    }
    return texts;
}

class LogviewTest : public ::testing::Test
{
protected:
    LogviewTest()
    {
        ShowEveryKind(m_settings, LOG_SHOW_ROW);
        m_settings.m_timeFormat = 1;
        m_common.m_maxLog = 100;
        m_common.m_autoScroll = 0;
    }

    void SetUp() override
    {
        ASSERT_TRUE(CreateTopLevel(m_parent, 800, 300));
        ASSERT_TRUE(CreateTopLevel(m_detail));
        CObject* object = RUNTIME_CLASS(CLogview)->CreateObject();
        ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CListView)));
        m_view = static_cast<CLogview*>(object);
        m_view->SetLog(&m_log);
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                   CRect(0, 0, 780, 280), &m_parent, AFX_IDW_PANE_FIRST));
        m_view->SetDetailWindow(m_detail);
    }

    void TearDown() override
    {
        // The view ends with its window, before the settings it reads.
        m_parent.DestroyWindow();
        PumpPendingMessages();
    }

    CListCtrl& List() const { return m_view->GetListCtrl(); }

    // The number the log gave the record.
    int Add(int port = 0, int kind = LOG_KIND_RECEIVED)
    {
        CLogRecord record(port, 0);
        record.m_kind = kind;
        m_view->AddRecord(record, false);
        return record.m_sequence;
    }

    void AddMany(int count)
    {
        for (int i = 0; i < count; ++i)
            Add();
    }

    Texts Column(int column) const
    {
        Texts texts;
        for (int row = 0; row < List().GetItemCount(); ++row)
            texts.push_back(List().GetItemText(row, column).GetString());
        return texts;
    }

    // Runs the message loop until the view's timer has gone off, then handles what that queued:
    // the list draws the rows added so far on that timer, not per record, and the view has no
    // other timer here. Whether it went off in time.
    bool WaitForRedraw()
    {
        bool redrawn = false;
        const DWORD start = ::GetTickCount();
        while (!redrawn && ::GetTickCount() - start < 10000) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (!redrawn && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
                redrawn = msg.message == WM_TIMER && msg.hwnd == m_view->m_hWnd;
            }
        }
        PumpPendingMessages();
        return redrawn;
    }

    // What the pane has been told since the last call, posted messages included.
    std::vector<ShownRecord> TakeShown()
    {
        PumpPendingMessages();
        return std::exchange(m_detail.m_shown, {});
    }

    void Select(int row, UINT state)
    {
        List().SetItemState(row, state, LVIS_SELECTED | LVIS_FOCUSED);
    }

    CCommSettings m_settings;
    CCommonSettings m_common{"1.0.0.0"};
    CCommLog m_log{m_settings, m_common};
    CWnd m_parent;
    CDetailRecorder m_detail;
    CLogview* m_view = nullptr;
};

TEST_F(LogviewTest, CreationMakesAReportListWithTheFourLogColumns)
{
    const DWORD style = m_view->GetStyle();
    EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), style & LVS_TYPEMASK);
    for (DWORD bit : {LVS_SINGLESEL, LVS_SHOWSELALWAYS, LVS_NOSORTHEADER})
        EXPECT_TRUE(style & bit) << bit;
    EXPECT_TRUE(::GetWindowLongA(m_view->m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              List().GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));

    const struct
    {
        const char* text;
        int width;
    } expected[] = {{"No.", 40}, {"ID", 50}, {"Time", 100}, {"Contents", 600}};
    for (int column = 0; column < 5; ++column) {
        char text[32] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        const BOOL exists = static_cast<BOOL>(
            List().SendMessage(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
        if (column == 4) {
            EXPECT_FALSE(exists);
            break;
        }
        ASSERT_TRUE(exists) << column;
        EXPECT_STREQ(expected[column].text, text);
        EXPECT_EQ(expected[column].width, info.cx);
        EXPECT_EQ(LVCFMT_LEFT, info.fmt & LVCFMT_JUSTIFYMASK);
    }
}

TEST_F(LogviewTest, TheFontIsAFixedPitchFontOfTheLogFontSize)
{
    for (int index : {0, 3, 1}) {
        m_common.m_logFont = index;
        m_view->ApplyFont(m_common);
        LOGFONTA font = {};
        ASSERT_TRUE(::GetObjectA(m_view->GetFont(), sizeof font, &font)) << index;
        EXPECT_EQ(GetFontSizeByIndex(index), font.lfHeight) << index;
        EXPECT_EQ(FW_NORMAL, font.lfWeight);
        EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
        EXPECT_EQ(FIXED_PITCH | FF_MODERN, font.lfPitchAndFamily);
        EXPECT_STREQ("", font.lfFaceName);
    }
}

TEST_F(LogviewTest, ARowShowsTheFourTextsOfItsRecord)
{
    m_settings.m_logFilter[1][LOG_KIND_RECEIVED] =
        LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT;
    Add();
    CLogRecord record(1, 3);
    record.m_kind = LOG_KIND_RECEIVED;
    record.m_time = {2024, 5, 0, 17, 9, 4, 3, 21};
    const BYTE bytes[] = {0x41, 0x42, 0x0A};
    record.m_data.CreateOneDim(VT_UI1, sizeof bytes, bytes);
    const BYTE address[] = {192, 168, 0, 10};
    std::memcpy(&record.m_peerAddress, address, sizeof address);
    record.m_peerPort = 5000;
    m_view->AddRecord(record, false);

    ASSERT_EQ(2, List().GetItemCount());
    EXPECT_EQ("0002", List().GetItemText(1, LOG_COLUMN_NUMBER));
    EXPECT_EQ("2:(3)", List().GetItemText(1, LOG_COLUMN_ID));
    EXPECT_EQ("09:04:03.021", List().GetItemText(1, LOG_COLUMN_TIME));
    EXPECT_EQ("Recv:0003:4142 0A" + std::string(33, ' ') + ":[AB." + std::string(13, ' ') +
                  "] IP:192.168.0.10 Port:5000",
              List().GetItemText(1, LOG_COLUMN_CONTENTS).GetString());
    EXPECT_EQ("1:(-)", List().GetItemText(0, LOG_COLUMN_ID));
}

TEST_F(LogviewTest, TheOldestRowsGoAtTheRecordLimit)
{
    m_common.m_maxLog = 10;
    AddMany(11);
    EXPECT_EQ(10, m_view->GetRecordCount());
    EXPECT_EQ(Numbers(2, 11), Column(LOG_COLUMN_NUMBER));
}

TEST_F(LogviewTest, HiddenRecordsAreKeptWithoutARowAndCountTowardsTheLimit)
{
    m_common.m_maxLog = 4;
    m_settings.m_logFilter[0][LOG_KIND_SENT] = 0;
    for (int kind : {LOG_KIND_SENT, LOG_KIND_RECEIVED, LOG_KIND_SENT, LOG_KIND_RECEIVED})
        Add(0, kind);
    EXPECT_EQ(4, m_view->GetRecordCount());
    EXPECT_EQ(Texts({"0002", "0004"}), Column(LOG_COLUMN_NUMBER));

    // The oldest record had no row; the next one takes a row with it.
    Add(0, LOG_KIND_SENT);
    EXPECT_EQ(Texts({"0002", "0004"}), Column(LOG_COLUMN_NUMBER));
    Add(0, LOG_KIND_SENT);
    EXPECT_EQ(Texts({"0004"}), Column(LOG_COLUMN_NUMBER));
}

TEST_F(LogviewTest, SelectingAndFocusingARowShowsItsRecordInTheDetailPane)
{
    AddMany(3);
    TakeShown();
    Select(1, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(std::vector<ShownRecord>{Shown(1)}, TakeShown());
    // A row that is only selected is not shown.
    Select(2, LVIS_SELECTED);
    EXPECT_EQ(std::vector<ShownRecord>{}, TakeShown());
}

TEST_F(LogviewTest, TrimmingTheShownRecordClearsTheDetailPane)
{
    m_common.m_maxLog = 10;
    AddMany(10);
    Select(1, LVIS_SELECTED | LVIS_FOCUSED);
    TakeShown();
    Add();  // trims record 0, not shown
    EXPECT_EQ(std::vector<ShownRecord>{}, TakeShown());
    Add();  // trims record 1, the shown one
    EXPECT_EQ(std::vector<ShownRecord>{kCleared}, TakeShown());
    EXPECT_EQ(Numbers(3, 12), Column(LOG_COLUMN_NUMBER));
}

// Under Wine a list scrolls to keep its focused row in sight whenever a row above it is deleted,
// a scroll of the shown window per trimmed record. The focus must instead follow its record once,
// when the list draws again.
TEST_F(LogviewTest, TrimmedRowsLeaveTheListUnscrolledAndTheFocusWithItsRecord)
{
    m_common.m_maxLog = 100;
    AddMany(100);
    ASSERT_TRUE(WaitForRedraw());
    Select(99, LVIS_SELECTED | LVIS_FOCUSED);
    TakeShown();
    auto topRow = [this] { return static_cast<int>(List().SendMessage(LVM_GETTOPINDEX)); };
    const int top = topRow();
    ASSERT_GT(top, 60) << "the focused row is in sight at the bottom";

    AddMany(50);  // records 0 to 49 go; record 99 moves up to row 49, above the top row
    EXPECT_EQ(top, topRow()) << "the list scrolled while rows were trimmed";
    ASSERT_TRUE(WaitForRedraw());
    EXPECT_EQ(49, List().GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(49, List().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(49, topRow()) << "the focused row came into sight once";
    EXPECT_EQ(std::vector<ShownRecord>{}, TakeShown()) << "the pane shows record 99 already";

    // Trimming the focused record takes the focus and the selection with it.
    AddMany(50);
    ASSERT_TRUE(WaitForRedraw());
    EXPECT_EQ(-1, List().GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(-1, List().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(std::vector<ShownRecord>{kCleared}, TakeShown());
}

TEST_F(LogviewTest, ARowFocusedWhileRecordsArriveKeepsTheFocus)
{
    m_common.m_maxLog = 100;
    AddMany(100);
    Select(99, LVIS_SELECTED | LVIS_FOCUSED);
    AddMany(5);
    Select(10, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(WaitForRedraw());
    EXPECT_EQ(10, List().GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(10, List().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ((std::vector<ShownRecord>{Shown(99), Shown(15)}), TakeShown());
}

TEST_F(LogviewTest, AutoScrollFollowsTheNewestRow)
{
    m_common.m_autoScroll = 1;
    AddMany(60);
    ASSERT_TRUE(WaitForRedraw());
    const int last = List().GetItemCount() - 1;
    EXPECT_EQ(static_cast<LRESULT>(LVIS_SELECTED | LVIS_FOCUSED),
              List().SendMessage(LVM_GETITEMSTATE, last, LVIS_SELECTED | LVIS_FOCUSED));
    const LRESULT top = List().SendMessage(LVM_GETTOPINDEX);
    EXPECT_GT(top, 0);
    EXPECT_LE(last, top + List().SendMessage(LVM_GETCOUNTPERPAGE));
    // A burst is followed once, when the list draws again, not record by record.
    EXPECT_EQ(std::vector<ShownRecord>{Shown(59)}, TakeShown());
}

TEST_F(LogviewTest, ClearEmptiesTheLogAndTheDetailPaneAndNumbersAfresh)
{
    AddMany(3);
    Select(2, LVIS_SELECTED | LVIS_FOCUSED);
    TakeShown();
    m_view->Clear();
    EXPECT_EQ(0, m_view->GetRecordCount());
    EXPECT_EQ(0, List().GetItemCount());
    EXPECT_EQ(std::vector<ShownRecord>{kCleared}, TakeShown());
    EXPECT_EQ(0, Add());
    EXPECT_EQ(Texts({"0001"}), Column(LOG_COLUMN_NUMBER));
}

TEST_F(LogviewTest, RebuildingFollowsTheCurrentSettingsAndLimit)
{
    for (int i = 0; i < 12; ++i)
        Add(i % 2);
    m_settings.m_logFilter[1][LOG_KIND_RECEIVED] = 0;
    m_settings.m_timeFormat = 0;
    m_common.m_maxLog = 10;
    TakeShown();
    m_view->RebuildList();
    EXPECT_EQ(10, m_view->GetRecordCount());
    EXPECT_EQ(Numbers(3, 11, 2), Column(LOG_COLUMN_NUMBER));
    EXPECT_EQ("0000/00/00 00:00:00.000", List().GetItemText(0, LOG_COLUMN_TIME));
    EXPECT_EQ(std::vector<ShownRecord>{kCleared}, TakeShown());
    // Numbering goes on after the kept records.
    EXPECT_EQ(12, Add());
}

TEST_F(LogviewTest, RowsAreColouredByPortAndKind)
{
    for (int port = 0; port < CCommSettings::kPortCount; ++port) {
        m_settings.m_rowBackColor[port] = RGB(200, 200, port);
        for (int kind = 0; kind < CCommSettings::kLogKindCount; ++kind)
            m_settings.m_rowTextColor[port][kind] = RGB(port, kind, 7);
    }
    const struct
    {
        int port;
        int kind;
    } rows[] = {{0, LOG_KIND_MESSAGE}, {1, LOG_KIND_SENT}, {0, LOG_KIND_RECEIVED}};
    for (const auto& row : rows)
        Add(row.port, row.kind);

    auto notify = [this](DWORD stage, int item, NMLVCUSTOMDRAW& draw) {
        draw = {};
        draw.nmcd.hdr = {m_view->m_hWnd, AFX_IDW_PANE_FIRST, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.nmcd.dwDrawStage = stage;
        draw.nmcd.dwItemSpec = item;
        draw.clrText = draw.clrTextBk = CLR_NONE;
        return m_parent.SendMessage(WM_NOTIFY, AFX_IDW_PANE_FIRST, reinterpret_cast<LPARAM>(&draw));
    };
    NMLVCUSTOMDRAW draw;
    EXPECT_EQ(CDRF_NOTIFYITEMDRAW, notify(CDDS_PREPAINT, 0, draw));
    for (int item = 0; item < 3; ++item) {
        EXPECT_EQ(CDRF_DODEFAULT, notify(CDDS_ITEMPREPAINT, item, draw));
        EXPECT_EQ(RGB(rows[item].port, rows[item].kind, 7), draw.clrText) << item;
        EXPECT_EQ(RGB(200, 200, rows[item].port), draw.clrTextBk) << item;
    }
    // No row: the list's own colours stay.
    EXPECT_EQ(CDRF_DODEFAULT, notify(CDDS_ITEMPREPAINT, 3, draw));
    EXPECT_EQ(CLR_NONE, draw.clrText);
    EXPECT_EQ(CDRF_DODEFAULT, notify(CDDS_POSTPAINT, 0, draw));
}

// The themed popup menu that the tracking holds now, or null.
CExtPopupMenuWnd* TrackedMenu()
{
    return dynamic_cast<CExtPopupMenuWnd*>(
        CExtPopupMenuWnd::GetTrackingState().GetCurrentMenu());
}

TEST_F(LogviewTest, TheContextMenuIsTheThemedPopupAtThePointOrFromTheKeyboardNearTheCorner)
{
    CPoint corner(0, 0);
    ::ClientToScreen(m_view->m_hWnd, &corner);
    const struct
    {
        CPoint asked;
        CPoint expected;
    } cases[] = {
        {CPoint(-1, -1), CPoint(corner.x + 5, corner.y + 5)},
        {CPoint(120, 90), CPoint(120, 90)},
    };
    for (const auto& c : cases) {
        m_view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_view->m_hWnd),
                            MAKELPARAM(c.asked.x, c.asked.y));
        // Tracking returns at once: the menu stays open after the message.
        ASSERT_TRUE(CExtPopupMenuWnd::AnyMenuOpen()) << c.asked.x;
        CExtPopupMenuWnd* menu = TrackedMenu();
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(nullptr, ::FindWindowA("#32768", nullptr));
        EXPECT_EQ(m_view->m_hWnd, menu->GetCmdTargetHwnd());
        EXPECT_TRUE(::IsWindowVisible(menu->m_hWnd));
        RECT window = {};
        ::GetWindowRect(menu->m_hWnd, &window);
        EXPECT_EQ(c.expected.x, window.left) << c.asked.x;
        EXPECT_EQ(c.expected.y, window.top) << c.asked.y;
        ASSERT_EQ(1, menu->ItemGetCount());
        EXPECT_EQ(ID_LOG_PROPERTIES, menu->ItemGetCmdID(0));
        EXPECT_EQ("ﾌﾟﾛﾊﾟﾃｨ...", std::string(menu->ItemGetText(0).GetString()));
        CExtPopupMenuWnd::CloseAllMenus();
        EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    }
}

TEST_F(LogviewTest, ADropOfSeveralFilesOffersOnlyTheFirstForLoading)
{
    TempFolder folder;
    // 表 ends in the byte of '\'.
    const Texts files = {folder.File("表示.qvl"), folder.File("b.qvl"), folder.File("c.qvl")};
    const Bytes samples = SampleLogFile();
    WriteFileBytes(files[0], samples);
    for (size_t i = 1; i < files.size(); ++i)
        WriteFileBytes(files[i], Bytes(samples.begin(), samples.begin() + kSampleFirstRecord));
    for (int answer : {IDCANCEL, IDOK}) {
        std::vector<std::string> asked;
        std::vector<UINT> types;
        const MessageBoxPresenter previous =
            AfxSetMessageBoxPresenter([&](HWND, LPCTSTR text, LPCTSTR, UINT type) {
                asked.push_back(text);
                types.push_back(type);
                return answer;
            });
        m_view->Clear();
        Add();

        EXPECT_EQ(0, m_view->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files))));
        AfxSetMessageBoxPresenter(previous);

        EXPECT_EQ(Texts({files[0] + "をログデータとして読み込みます。\nよろしいですか？"}), asked);
        EXPECT_EQ(std::vector<UINT>{MB_OKCANCEL | MB_ICONQUESTION}, types);
        EXPECT_EQ(answer == IDOK ? 3 : 1, m_view->GetRecordCount()) << answer;
    }
}

} // namespace
