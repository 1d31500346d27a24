#include "platform/MessageBox.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/WinApp.h"
#include "tests/platform/PlatformTestResource.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

struct ShownBox
{
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Answers every box with m_answer instead of showing it, and keeps what was asked.
class MessageBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = AfxSetMessageBoxPresenter(
            [this](HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
                m_boxes.push_back({owner, text, caption, type});
                return m_answer;
            });
    }
    void TearDown() override { AfxSetMessageBoxPresenter(m_previous); }

    CWinApp m_app;
    std::vector<ShownBox> m_boxes;
    int m_answer = IDNO;
    MessageBoxPresenter m_previous;
};

TEST_F(MessageBoxTest, BoxesGoToThePresenterWithTheApplicationsNameAndMainWindow)
{
    CWnd mainWnd;
    ASSERT_TRUE(CreateTopLevel(mainWnd));
    m_app.m_pMainWnd = &mainWnd;
    EXPECT_EQ(IDNO, AfxMessageBox("削除しますか？", MB_YESNO | MB_ICONQUESTION));
    m_answer = IDOK;
    EXPECT_EQ(IDOK, AfxMessageBox(IDS_TEST_PROMPT));
    m_app.m_pMainWnd = nullptr;
    EXPECT_EQ(IDOK, AfxMessageBox("所有者なし", MB_OK));

    ASSERT_EQ(3u, m_boxes.size());
    EXPECT_EQ(mainWnd.m_hWnd, m_boxes[0].owner);
    EXPECT_EQ("削除しますか？", m_boxes[0].text);
    EXPECT_EQ("platform_tests", m_boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), m_boxes[0].type);
    EXPECT_EQ("設定を保存しますか？", m_boxes[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), m_boxes[1].type);
    EXPECT_EQ(nullptr, m_boxes[2].owner);
}

} // namespace
