// A main frame of its own for each test, with its settings and ports, destroyed afterwards.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "mainwnd/MainFrame.h"
#include "res/resource.h"
#include "tests/support/ProfileFixture.h"

class MainFrameFixture : public ProfileFixture
{
protected:
    void SetUp() override
    {
        m_frame = new CMainFrame(m_settings, m_common, m_ports);
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        m_app.m_pMainWnd = m_frame;
        m_hWnd = m_frame->m_hWnd;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            m_frame->DestroyWindow();
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    CCommSettings m_settings;
    CCommonSettings m_common;
    CPortEngine m_ports{m_settings};
    CMainFrame* m_frame = nullptr;
    HWND m_hWnd = nullptr;
};
