// The detailed-log pane in the main frame: the record the log view selects, as a dump or as text.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "core/TextHelpers.h"
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
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
        EXPECT_TRUE(SaveWindowScreenshot(m_hWnd, ScreenshotBesideTest(name)));
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

TEST_F(LogDetailPaneTest, GroupDColoursTheDumpAndTheTextBoxAndSizesTheirFonts)
{
    CWnd* box = m_pane->GetDlgItem(IDC_LOG_DETAIL_TEXT);
    const auto boxFont = [&] {
        LOGFONTA font = {};
        ::GetObjectA(box->GetFont(), sizeof font, &font);
        return font;
    };
    // Applied when the pane starts.
    EditorDisplaySetting& group = m_common.m_editors[EDITOR_DETAIL];
    EXPECT_EQ(GetFontSizeByIndex(group.m_fontSize), boxFont().lfHeight);

    group.m_backColor = 0x402010;
    group.m_textColor = 0x80FFFF;
    group.m_fontSize = 3;
    m_pane->ApplyViewSettings(m_common);
    CHexEditDump& dump = m_pane->GetHexView();
    EXPECT_EQ(0x402010u, dump.BackColor);
    EXPECT_EQ(0x80FFFFu, dump.TextColor);
    EXPECT_EQ(18, dump.FontHeight);
    const LOGFONTA font = boxFont();
    EXPECT_EQ(18, font.lfHeight);
    EXPECT_EQ(FW_NORMAL, font.lfWeight);
    EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
    EXPECT_EQ(FIXED_PITCH | FF_MODERN, font.lfPitchAndFamily);

    // The read-only box asks as a static control; other controls get the standard answer.
    const HDC dc = ::GetDC(box->m_hWnd);
    const auto brush = reinterpret_cast<HBRUSH>(
        m_pane->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box->m_hWnd)));
    LOGBRUSH fill = {};
    ASSERT_TRUE(::GetObjectA(brush, sizeof fill, &fill));
    EXPECT_EQ(0x402010u, fill.lbColor);
    EXPECT_EQ(0x402010u, ::GetBkColor(dc));
    EXPECT_EQ(0x80FFFFu, ::GetTextColor(dc));
    EXPECT_EQ(OPAQUE, ::GetBkMode(dc));
    EXPECT_NE(brush, reinterpret_cast<HBRUSH>(m_pane->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                                  reinterpret_cast<LPARAM>(dump.m_hWnd))));
    ::ReleaseDC(box->m_hWnd, dc);

    CLogRecord refused;
    refused.m_messageCode = 10006;
    refused.m_errorCode = 10061;
    Show(refused);
    Screenshot("log-detail-colours.png");
    CRect client;
    box->GetClientRect(&client);
    const HDC shown = ::GetDC(box->m_hWnd);
    EXPECT_EQ(0x402010u, ::GetPixel(shown, client.right - 30, client.bottom - 4));
    ::ReleaseDC(box->m_hWnd, shown);
}

}  // namespace
