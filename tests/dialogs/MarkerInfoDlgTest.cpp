// The marker information dialog on a real hex view: its rows and buttons, editing, deleting and
// moving on its copy, the .mrk files it saves and loads, and what OK and Cancel do to the view.
#include "dialogs/MarkerInfoDlg.h"

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "res/resource.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileDialogFake.h"
#include "tests/support/ModalDialogAnswer.h"
#include "tests/support/PaintCounter.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempFolder.h"

namespace {

using Texts = std::vector<std::string>;

const char kFilter[] = "Quorvex Marker file(*.mrk)|*.mrk|All Files(*.*)|*.*||";
const CHexEditMarker kA = {0, 4, 0x000001, 0x000002, "a"};
const CHexEditMarker kB = {-1, -1, 0x000003, 0x000004, ""};
const CHexEditMarker kC = {6, 2, 0x000005, 0x000006, "abc"};

struct AskedBox
{
    std::string text;
    UINT type;
};

class MarkerInfoDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousPresenter = AfxSetMessageBoxPresenter([this](HWND, LPCTSTR text, LPCTSTR, UINT type) {
            m_boxes.push_back({text, type});
            if (m_answers.empty())
                return IDOK;
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "view", WS_POPUP | WS_VISIBLE, 0, 0, 600, 300, nullptr,
                                      nullptr));
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 580, 280), &m_parent,
                                  1000));
        for (const CHexEditMarker& marker : {kA, kB, kC})
            AddToView(marker);
        m_view.NextMarkerTextColor = 0x777777;
        m_view.NextMarkerBackColor = 0x888888;
    }
    void TearDown() override
    {
        Close();
        m_parent.DestroyWindow();
        AfxSetMessageBoxPresenter(m_previousPresenter);
    }

    void AddToView(const CHexEditMarker& m)
    {
        m_view.AddMarker(m.start, m.length, m.textColor, m.backColor, m.comment);
    }
    // A new dialog opens modeless and hidden: its commands are pressed one by one.
    void Open()
    {
        Close();
        m_dialog = std::make_unique<CMarkerInfoDlg>();
        m_dialog->SetView(&m_view);
        ASSERT_TRUE(m_dialog->Create(IDD_MARKER_INFO));
    }
    void Close()
    {
        if (m_dialog && m_dialog->m_hWnd)
            m_dialog->DestroyWindow();
    }
    HWND Item(int id) { return ::GetDlgItem(m_dialog->m_hWnd, id); }
    // As a button click does, also for a button that is disabled.
    void Press(int id)
    {
        m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    void SelectRow(int row)
    {
        ListView_SetItemState(Item(IDC_MARKER_LIST), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    // Each row as "start|length|comment".
    Texts Rows()
    {
        const HWND list = Item(IDC_MARKER_LIST);
        Texts rows;
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            std::string text;
            for (int column = 0; column < 3; ++column) {
                char cell[256] = {};
                ListView_GetItemText(list, row, column, cell, sizeof cell);
                text += (column ? "|" : "") + std::string(cell);
            }
            rows.push_back(text);
        }
        return rows;
    }
    // 'y' or 'n' for Edit, Delete, Up, Down, Delete all, Load and Save.
    std::string Buttons()
    {
        std::string states;
        for (int id : {IDC_MARKER_EDIT, IDC_MARKER_DELETE, IDC_MARKER_UP, IDC_MARKER_DOWN, IDC_MARKER_DELETE_ALL,
                       IDC_MARKER_LOAD, IDC_MARKER_SAVE})
            states += ::IsWindowEnabled(Item(id)) ? 'y' : 'n';
        return states;
    }

    CWnd m_parent;
    CHexEdit m_view;
    std::unique_ptr<CMarkerInfoDlg> m_dialog;
    std::vector<AskedBox> m_boxes;
    std::deque<int> m_answers;
    MessageBoxPresenter m_previousPresenter;
    TempFolder m_folder;
};

TEST_F(MarkerInfoDlgTest, TheRowsShowTheViewsMarkersAndTheButtonsFollowTheSelection)
{
    Open();
    EXPECT_EQ(Texts({"0|4|a", "-1|-1|", "6|2|abc"}), Rows());
    const HWND list = Item(IDC_MARKER_LIST);
    EXPECT_EQ(0x800Du, ::GetWindowLongA(list, GWL_STYLE) & 0x800Du);
    EXPECT_EQ(0x21u, ListView_GetExtendedListViewStyle(list) & 0x21u);
    EXPECT_EQ("nnnnyyy", Buttons());
    const char* const bySelection[] = {"yynyyyy", "yyyyyyy", "yyynyyy"};
    for (int row = 0; row < 3; ++row) {
        SelectRow(row);
        EXPECT_EQ(bySelection[row], Buttons()) << row;
    }

    // Without markers only Load is left.
    m_view.ClearMarkers();
    Open();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ("nnnnnyn", Buttons());
}

TEST_F(MarkerInfoDlgTest, EditsWorkOnTheCopyAndOkWritesItBackWithOneRedraw)
{
    Open();
    SelectRow(0);
    Press(IDC_MARKER_UP);  // already the first
    Press(IDC_MARKER_DOWN);
    EXPECT_EQ(Texts({"-1|-1|", "0|4|a", "6|2|abc"}), Rows());
    EXPECT_EQ("yyyyyyy", Buttons());  // the moved row stays selected

    {
        std::string offered;
        ModalDialogAnswer answer({IDOK}, [&](HWND settings) {
            char text[64] = {};
            ::GetDlgItemTextA(settings, IDC_MARKER_COMMENT, text, sizeof text);
            offered = text;
            ::SetDlgItemTextA(settings, IDC_MARKER_COMMENT, "renamed");
        });
        Press(IDC_MARKER_EDIT);
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ("a", offered);
    }
    EXPECT_EQ("0|4|renamed", Rows()[1]);

    m_answers = {IDCANCEL, IDOK, IDOK};
    Press(IDC_MARKER_DELETE);
    EXPECT_EQ(3u, Rows().size());
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("renamed\r\n\r\nを削除します。\r\nよろしいですか？", m_boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), m_boxes[0].type);
    Press(IDC_MARKER_DELETE);
    // The row that took the deleted one's place is selected: now the last.
    EXPECT_EQ(Texts({"-1|-1|", "6|2|abc"}), Rows());
    EXPECT_EQ("yyynyyy", Buttons());
    Press(IDC_MARKER_DELETE);
    EXPECT_EQ(Texts({"-1|-1|"}), Rows());
    EXPECT_EQ("yynnyyy", Buttons());

    // The view has not changed yet.
    EXPECT_EQ(CMarkerList({kA, kB, kC}), m_view.GetMarkers());
    PaintCounter paints(m_view.m_hWnd);
    Press(IDOK);
    EXPECT_EQ(CMarkerList({kB}), m_view.GetMarkers());
    EXPECT_EQ(1, paints.Paints());
    EXPECT_EQ(kB.textColor, m_view.NextMarkerTextColor);
    EXPECT_EQ(kB.backColor, m_view.NextMarkerBackColor);
}

TEST_F(MarkerInfoDlgTest, OkWithoutAChangeAndCancelLeaveTheViewAlone)
{
    {
        Open();
        PaintCounter paints(m_view.m_hWnd);
        Press(IDOK);
        EXPECT_EQ(0, paints.Paints());
    }
    EXPECT_EQ(0x777777u, m_view.NextMarkerTextColor);

    Open();
    m_answers = {IDCANCEL, IDOK};
    Press(IDC_MARKER_DELETE_ALL);
    EXPECT_EQ(3u, Rows().size());
    Press(IDC_MARKER_DELETE_ALL);
    EXPECT_TRUE(Rows().empty());
    ASSERT_EQ(2u, m_boxes.size());
    EXPECT_EQ("登録されているデータを削除します。\r\nよろしいですか？", m_boxes[0].text);
    EXPECT_EQ("nnnnnyn", Buttons());
    Press(IDCANCEL);
    EXPECT_EQ(CMarkerList({kA, kB, kC}), m_view.GetMarkers());
}

TEST_F(MarkerInfoDlgTest, SaveAndLoadGoThroughMarkerFiles)
{
    // Shared by every marker dialog of the process: this test comes first to use it.
    EXPECT_STREQ("default.mrk", CMarkerInfoDlg::s_markerFilePath);
    m_view.ClearMarkers();
    m_view.AddMarker(0, 1, 0, 0xFFFFFF, "a");
    m_view.AddMarker(2, 3, 0, 0xFFFFFF, "");
    Open();
    FileDialogFake dialogs;
    const std::string path = m_folder.File("fields.mrk");
    dialogs.Answer(path);
    Press(IDC_MARKER_SAVE);
    const Bytes saved = ReadFileBytes(path);
    ASSERT_EQ(47u, saved.size());
    EXPECT_EQ("KRAM", std::string(saved.begin(), saved.begin() + 4));

    m_answers = {IDOK};
    Press(IDC_MARKER_DELETE_ALL);
    dialogs.Answer(path);
    Press(IDC_MARKER_LOAD);
    EXPECT_EQ(Texts({"0|1|a", "2|3|"}), Rows());
    EXPECT_EQ("nnnnyyy", Buttons());
    ASSERT_EQ(2u, dialogs.Asked().size());
    const AskedFileDialog& save = dialogs.Asked()[0];
    const AskedFileDialog& load = dialogs.Asked()[1];
    EXPECT_FALSE(save.open);
    EXPECT_TRUE(load.open);
    EXPECT_EQ("default.mrk", save.initialName);
    EXPECT_EQ(path, load.initialName);
    for (const AskedFileDialog& asked : dialogs.Asked()) {
        EXPECT_EQ("mrk", asked.defaultExtension);
        EXPECT_EQ(kFilter, asked.filter);
    }
    EXPECT_EQ(0x201006u, save.flags);
    EXPECT_EQ(0x201004u, load.flags);

    // A file of the magic alone is an empty list, which OK gives the view.
    WriteFileBytes(path, {'K', 'R', 'A', 'M'});
    dialogs.Answer(path);
    Press(IDC_MARKER_LOAD);
    EXPECT_TRUE(Rows().empty());
    Press(IDOK);
    EXPECT_TRUE(m_view.GetMarkers().empty());
    EXPECT_EQ(1u, m_boxes.size());  // only the Delete all question
}

TEST_F(MarkerInfoDlgTest, AFailedLoadKeepsTheListAndChangesNothing)
{
    const std::string path = m_folder.File("damaged.mrk");
    const Bytes cases[] = {{'K', 'R', 'A'}, {'M', 'A', 'R', 'K', 22, 0, 0, 0}};
    for (const Bytes& content : cases) {
        WriteFileBytes(path, content);
        Open();
        FileDialogFake dialogs;
        dialogs.Answer(path);
        m_boxes.clear();
        Press(IDC_MARKER_LOAD);
        ASSERT_EQ(1u, m_boxes.size());
        EXPECT_EQ("ファイルの読み込みに失敗しました。", m_boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), m_boxes[0].type & MB_ICONMASK);
        EXPECT_EQ(3u, Rows().size());
        // Nothing counts as changed: OK leaves the view as it was.
        PaintCounter paints(m_view.m_hWnd);
        Press(IDOK);
        EXPECT_EQ(0, paints.Paints());
        EXPECT_EQ(CMarkerList({kA, kB, kC}), m_view.GetMarkers());
        EXPECT_EQ(0x777777u, m_view.NextMarkerTextColor);
    }
}

TEST_F(MarkerInfoDlgTest, ASelectionDoesNotOutliveTheRowsItSelected)
{
    const std::string path = m_folder.File("one.mrk");
    ASSERT_TRUE(WriteMarkerFile(path.c_str(), {kC}));
    Open();
    SelectRow(2);
    FileDialogFake dialogs;
    dialogs.Answer(path);
    Press(IDC_MARKER_LOAD);
    EXPECT_EQ(Texts({"6|2|abc"}), Rows());
    EXPECT_EQ("nnnnyyy", Buttons());
    // The commands that need a selection find none, even when reached with their buttons off.
    ModalDialogAnswer noSettings({IDCANCEL});
    for (int id : {IDC_MARKER_EDIT, IDC_MARKER_DELETE, IDC_MARKER_UP, IDC_MARKER_DOWN})
        Press(id);
    NMITEMACTIVATE doubleClick = {};
    doubleClick.hdr = {Item(IDC_MARKER_LIST), IDC_MARKER_LIST, static_cast<UINT>(NM_DBLCLK)};
    doubleClick.iItem = 0;
    m_dialog->SendMessage(WM_NOTIFY, IDC_MARKER_LIST, reinterpret_cast<LPARAM>(&doubleClick));
    EXPECT_FALSE(noSettings.Answered());
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(Texts({"6|2|abc"}), Rows());

    m_answers = {IDOK};
    Press(IDC_MARKER_DELETE_ALL);
    Press(IDC_MARKER_DELETE);
    EXPECT_EQ(1u, m_boxes.size());
}

TEST_F(MarkerInfoDlgTest, RowsShowInTheirMarkersColours)
{
    m_view.ClearMarkers();
    const CHexEditMarker shown[] = {{0, 4, 0x0000FF, 0xCCCCFF, "header"},
                                    {4, 2, 0x000000, 0x99FFFF, "length"},
                                    {6, 10, 0xFFFFFF, 0x804000, "body: 表示"},
                                    {16, 2, 0x008000, 0xE0FFE0, "checksum"}};
    for (const CHexEditMarker& marker : shown)
        AddToView(marker);
    CMarkerInfoDlg dialog;
    dialog.SetView(&m_view);
    COLORREF rowBack = 0;
    ModalDialogAnswer answer({IDCANCEL}, [&](HWND window) {
        const HWND list = ::GetDlgItem(window, IDC_MARKER_LIST);
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
        RECT row = {};
        ListView_GetItemRect(list, 3, &row, LVIR_BOUNDS);
        const HDC dc = ::GetDC(list);
        // Right of the short start value, left of the first column's grid line.
        rowBack = ::GetPixel(dc, row.left + 40, (row.top + row.bottom) / 2);
        ::ReleaseDC(list, dc);
        EXPECT_TRUE(SaveWindowScreenshot(window, ScreenshotBesideTest("marker-info.png")));
    });
    dialog.DoModal();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(0xE0FFE0u, rowBack);
}

}  // namespace
