// A tracked menu for the tracking state's tests: a plain visible popup window at a given place,
// answers scripted per handler, and a record of what it was asked that outlives the menu (the
// tracking state deletes it).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/menus/MenuTrackingState.h"

struct TrackedMenuLog
{
    std::vector<std::string> calls;
    std::vector<POINT> points;
    int deletes = 0;
};

class FakeTrackedMenu : public ITrackedMenu
{
public:
    FakeTrackedMenu(TrackedMenuLog& log, const RECT& rect, FakeTrackedMenu* parent = nullptr)
        : m_log(log), m_parent(parent)
    {
        m_window = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "",
                                     WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, nullptr,
                                     nullptr, nullptr, nullptr);
    }
    ~FakeTrackedMenu() override
    {
        ++m_log.deletes;
        if (::IsWindow(m_window))
            ::DestroyWindow(m_window);
    }

    HWND GetTrackedHwnd() const override { return m_window; }
    ITrackedMenu* GetParentTrackedMenu() const override { return m_parent; }
    HWND GetTipHwnd() const override { return m_tip; }

    bool OnMouseClick(UINT message, CPoint point, bool& passOn) override
    {
        return Answer("click " + std::to_string(message), point, passOn);
    }
    bool OnMouseMove(UINT, CPoint point, bool& passOn) override
    {
        return Answer("move", point, passOn);
    }
    bool OnMouseWheel(UINT, LPARAM, bool& passOn) override
    {
        return Answer("wheel", CPoint(), passOn);
    }
    bool OnKeyDown(UINT virtualKey, UINT, UINT, bool& passOn) override
    {
        return Answer("key " + std::to_string(virtualKey), CPoint(), passOn);
    }
    void CloseMenuChain() override { m_log.calls.push_back("close chain"); }
    void RemoveAllItems() override { m_log.calls.push_back("remove items"); }
    void ShowIdlePrompt() override { m_log.calls.push_back("idle prompt"); }
    void DestroyTrackedWindow() override
    {
        m_log.calls.push_back("destroy window");
        ::DestroyWindow(m_window);
        if (m_onDestroy)
            m_onDestroy();
    }

    // What every handler answers.
    bool m_consume = false;
    bool m_passOn = false;
    HWND m_tip = nullptr;
    std::function<void()> m_onDestroy;

private:
    bool Answer(const std::string& call, CPoint point, bool& passOn)
    {
        m_log.calls.push_back(call);
        m_log.points.push_back(point);
        passOn = m_passOn;
        return m_consume;
    }

    TrackedMenuLog& m_log;
    FakeTrackedMenu* m_parent;
    HWND m_window;
};
