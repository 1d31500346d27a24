// What the dialog-frame tests share: a hidden popup that hosts the dialogs, and the strings of
// list and combo boxes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

// The strings of a list or combo box (LB_GETCOUNT/LB_GETTEXT or the CB_ pair), in order.
inline std::vector<std::string> ControlStrings(HWND control, UINT countMessage, UINT textMessage)
{
    std::vector<std::string> strings;
    const auto count = ::SendMessageA(control, countMessage, 0, 0);
    for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        char text[64] = {};
        ::SendMessageA(control, textMessage, i, reinterpret_cast<LPARAM>(text));
        strings.push_back(text);
    }
    return strings;
}

class PopupHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(nullptr, m_host);
    }
    void TearDown() override { ::DestroyWindow(m_host); }

    HWND m_host = nullptr;
};
