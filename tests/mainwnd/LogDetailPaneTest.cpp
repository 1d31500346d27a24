// The detailed-log pane in the main frame: the record the log view selects, as a dump or as text.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "core/WindowMessages.h"
#include "mainwnd/MainFrame.h"
#include "res/resource.h"
#include "tests/support/ByteArrays.h"
#include "tests/mainwnd/MainFrameFixture.h"
#include "tests/support/Screenshot.h"

namespace {

class LogDetailPaneTest : public MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        m_pane = &m_frame->GetLogDetailPane();
        m_frame->MoveWindow(0, 0, 900, 600);
        m_frame->ShowWindow(SW_SHOW);
    }

    void Show(const CLogRecord& record)
    {
        m_pane->SendMessage(WM_SHOW_RECORD, 0, reinterpret_cast<LPARAM>(&record));
    }
    std::string Text()
    {
        CString text;
        m_pane->GetDlgItem(IDC_LOG_DETAIL_TEXT)->GetWindowText(text);
        return text.GetString();
    }
    bool TextShown() { return ::IsWindowVisible(m_pane->GetDlgItem(IDC_LOG_DETAIL_TEXT)->m_hWnd) != FALSE; }
    bool DumpShown() { return ::IsWindowVisible(m_pane->GetHexView().m_hWnd) != FALSE; }
    void Screenshot(const char* name)
    {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        folder = folder.substr(0, folder.find_last_of('\\') + 1) + "screenshots";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
        EXPECT_TRUE(SaveWindowScreenshot(m_hWnd, folder + "\\" + name));
    }

    CLogDetailDlg* m_pane = nullptr;
};

TEST_F(LogDetailPaneTest, AReceivedRecordShowsItsBytesAndAMessageItsText)
{
    EXPECT_TRUE(TextShown());
    EXPECT_FALSE(DumpShown());

    CLogRecord received;
    received.m_kind = LOG_KIND_RECEIVED;
    Bytes bytes;
    for (int i = 0; i < 40; ++i)
        bytes.push_back(static_cast<BYTE>(0x30 + i));
    received.m_data = ToArray(bytes);
    Show(received);
    received.m_data = COleSafeArray();  // the pane holds a copy
    EXPECT_TRUE(DumpShown());
    EXPECT_FALSE(TextShown());
    EXPECT_EQ(1, m_pane->GetDataMode());
    COleSafeArray shown;
    EXPECT_EQ(bytes, ToBytes(m_pane->GetHexView().GetData(shown)));
    Screenshot("log-detail-dump.png");

    CLogRecord refused;
    refused.m_messageCode = 10006;
    refused.m_errorCode = 10061;
    Show(refused);
    EXPECT_TRUE(TextShown());
    EXPECT_FALSE(DumpShown());
    EXPECT_EQ(0, m_pane->GetDataMode());
    const std::string text = Text();
    for (const char* line : {"WSAECONNREFUSED (10061)\r\n", "Connection refused\r\n", "接続が拒否された。"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
    Screenshot("log-detail-message.png");

    m_pane->SendMessage(WM_SHOW_RECORD, 1, 0);
    EXPECT_EQ("", Text());
    EXPECT_TRUE(TextShown());
    // The dump keeps its bytes while hidden.
    EXPECT_EQ(bytes, ToBytes(m_pane->GetHexView().GetData(shown)));
}

TEST_F(LogDetailPaneTest, TheDumpsMarkerCommandDoesNothingWithoutASelection)
{
    CLogRecord sent;
    sent.m_kind = LOG_KIND_SENT;
    sent.m_data = ToArray({1, 2, 3});
    Show(sent);
    // No dialog may open: a modal one would never return here.
    m_pane->GetHexView().SendMessage(WM_COMMAND, ID_HEX_MARKER);
    EXPECT_TRUE(m_pane->GetHexView().GetMarkers().empty());
}

}  // namespace
