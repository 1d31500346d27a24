// Window objects and their handles: adoption at creation, subclassing of existing windows, the
// handle maps, destruction, the end of the main window and the pre-translation walk.
#include "platform/Wnd.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/WinApp.h"
#include "tests/platform/WindowTestSupport.h"

namespace {

// Records the messages it sees and the calls of its creation and destruction steps.
class CRecordingWnd : public CWnd
{
public:
    std::vector<UINT> m_messages;
    int m_creates = 0;
    int m_postNcDestroys = 0;
    int m_setTexts = 0;
    bool m_refuseCreate = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    void PostNcDestroy() override { ++m_postNcDestroys; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        ++m_creates;
        return m_refuseCreate ? -1 : CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        ++m_setTexts;
        return Default();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

// Creates a child of its own while it is created.
class CParentWnd : public CWnd
{
public:
    CRecordingWnd m_child;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CWnd::OnCreate(lpCreateStruct) == -1 || !CreateChild(m_child, *this, 5))
            return -1;
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

bool Contains(const std::vector<UINT>& messages, UINT message)
{
    for (UINT m : messages) {
        if (m == message)
            return true;
    }
    return false;
}

TEST(WndTest, CreateAdoptsTheWindowFromItsFirstMessage)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    const LPCSTR classes[] = {nullptr, "EDIT", "STATIC"};
    UINT id = 1;
    for (LPCSTR className : classes) {
        const std::string name = className ? className : "default class";
        CRecordingWnd wnd;
        ASSERT_TRUE(CreateChild(wnd, parent, id++, className)) << name;
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd)) << name;
        ASSERT_FALSE(wnd.m_messages.empty()) << name;
        EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), wnd.m_messages.front()) << name;
        EXPECT_EQ(1, wnd.m_creates) << name;
        // Default processing still reaches the class's own procedure.
        ::SetWindowTextA(wnd.m_hWnd, "表示");
        CString text;
        wnd.GetWindowText(text);
        EXPECT_EQ(CString("表示"), text) << name;
        EXPECT_EQ(1, wnd.m_setTexts) << name;
    }
}

TEST(WndTest, AWindowWhoseCreationIsRefusedLeavesNothingBehind)
{
    CRecordingWnd wnd;
    wnd.m_refuseCreate = true;
    EXPECT_FALSE(CreateTopLevel(wnd));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_creates);
    EXPECT_EQ(1, wnd.m_postNcDestroys);
    EXPECT_TRUE(Contains(wnd.m_messages, WM_NCDESTROY));
}

TEST(WndTest, ACreationThatCannotStartEndsWithPostNcDestroy)
{
    CRecordingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, "NoSuchWindowClass", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_postNcDestroys);
}

TEST(WndTest, DestroyWindowForgetsTheHandleAndCallsPostNcDestroyOnce)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    const HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(1, wnd.m_postNcDestroys);
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), wnd.m_messages.back());
}

TEST(WndTest, ChildrenCreatedDuringCreationGetTheirOwnObjects)
{
    CParentWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    EXPECT_EQ(&parent, CWnd::FromHandlePermanent(parent.m_hWnd));
    EXPECT_EQ(&parent.m_child, CWnd::FromHandlePermanent(parent.m_child.m_hWnd));
    EXPECT_EQ(parent.m_hWnd, ::GetParent(parent.m_child.m_hWnd));
    EXPECT_EQ(1, parent.m_child.m_creates);
}

TEST(WndTest, SubclassWindowRoutesAnExistingWindowUntilUnsubclassed)
{
    const HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    const LONG_PTR originalProc = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(edit));
    EXPECT_EQ(&wnd, CWnd::FromHandle(edit));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(edit));

    ::SetWindowTextA(edit, "abc");
    EXPECT_EQ(1, wnd.m_setTexts);
    char text[16] = {};
    ::GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("abc", text);

    EXPECT_EQ(edit, wnd.UnsubclassWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(originalProc, ::GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
    ::SetWindowTextA(edit, "def");
    EXPECT_EQ(1, wnd.m_setTexts);
    ::DestroyWindow(edit);
}

TEST(WndTest, ForeignWindowsGetTemporaryObjectsThatOnlyBorrowThem)
{
    const HWND foreign = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                           nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, foreign);
    CWnd* temporary = CWnd::FromHandle(foreign);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(foreign, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(foreign));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(foreign));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(foreign));
    ::DestroyWindow(foreign);
}

TEST(WndTest, AttachOnlyMapsTheHandleAndOneObjectAtATime)
{
    const HWND foreign = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                           nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, foreign);
    CRecordingWnd first;
    CRecordingWnd second;
    ASSERT_TRUE(first.Attach(foreign));
    EXPECT_FALSE(second.Attach(foreign));
    EXPECT_EQ(&first, CWnd::FromHandlePermanent(foreign));
    ::SetWindowTextA(foreign, "x");
    EXPECT_TRUE(first.m_messages.empty());
    EXPECT_EQ(foreign, first.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(foreign));
    ::DestroyWindow(foreign);
}

TEST(WndTest, TheEndOfTheMainWindowEndsTheMessageLoop)
{
    CWinApp app;
    CWnd other;
    CWnd main;
    ASSERT_TRUE(CreateTopLevel(other));
    ASSERT_TRUE(CreateTopLevel(main));
    app.m_pMainWnd = &main;
    MSG msg;
    other.DestroyWindow();
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    main.DestroyWindow();
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(WndTest, PreTranslationWalksFromTheTargetUpToTheStopWindow)
{
    // Each level says whether it takes the message and notes that it was asked.
    class CFilterWnd : public CWnd
    {
    public:
        BOOL PreTranslateMessage(MSG*) override
        {
            m_asked = true;
            return m_takes;
        }
        bool m_asked = false;
        BOOL m_takes = FALSE;
    };
    CFilterWnd top;
    CFilterWnd middle;
    CFilterWnd bottom;
    ASSERT_TRUE(CreateTopLevel(top));
    ASSERT_TRUE(CreateChild(middle, top, 1));
    ASSERT_TRUE(CreateChild(bottom, middle, 2));
    struct Case
    {
        HWND stop;
        CFilterWnd* taker;
        BOOL handled;
        bool topAsked;
        bool middleAsked;
    };
    const Case cases[] = {
        {nullptr, nullptr, FALSE, true, true},   {middle.m_hWnd, nullptr, FALSE, false, true},
        {nullptr, &top, TRUE, true, true},       {nullptr, &middle, TRUE, false, true},
        {nullptr, &bottom, TRUE, false, false},
    };
    for (const Case& c : cases) {
        for (CFilterWnd* wnd : {&top, &middle, &bottom}) {
            wnd->m_asked = false;
            wnd->m_takes = wnd == c.taker;
        }
        MSG msg = {bottom.m_hWnd, WM_KEYDOWN, VK_F1, 0, 0, {0, 0}};
        EXPECT_EQ(c.handled, CWnd::WalkPreTranslateTree(c.stop, &msg));
        EXPECT_TRUE(bottom.m_asked);
        EXPECT_EQ(c.middleAsked, middle.m_asked);
        EXPECT_EQ(c.topAsked, top.m_asked);
    }
}

// Throws the layer's out-of-memory exception from the handlers of its creation and of a command.
class CThrowingWnd : public CWnd
{
public:
    bool m_throwOnCreate = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (m_throwOnCreate)
            AfxThrowMemoryException();
        return CWnd::OnCreate(lpCreateStruct);
    }
    // wParam: 0 the platform's exception, 1 and 2 the standard library's ways to run out.
    afx_msg LRESULT OnThrow(WPARAM kind, LPARAM)
    {
        if (kind == 1)
            throw std::bad_alloc();
        if (kind == 2)
            std::vector<char>().reserve(std::vector<char>().max_size() + 1);
        AfxThrowMemoryException();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP, OnThrow)
END_MESSAGE_MAP()

TEST(WndTest, AnExceptionFromAHandlerIsReportedAndTheWindowLivesOn)
{
    std::vector<std::string> shown;
    const MessageBoxPresenter previous =
        AfxSetMessageBoxPresenter([&](HWND, LPCTSTR text, LPCTSTR, UINT type) {
            EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), type & MB_ICONMASK);
            shown.push_back(text);
            return IDOK;
        });
    CThrowingWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    for (WPARAM kind : {0, 1, 2})
        EXPECT_EQ(0, wnd.SendMessage(WM_APP, kind, 0)) << kind;
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    wnd.DestroyWindow();

    CThrowingWnd refused;
    refused.m_throwOnCreate = true;
    EXPECT_FALSE(CreateTopLevel(refused));
    EXPECT_EQ(nullptr, refused.m_hWnd);
    AfxSetMessageBoxPresenter(previous);
    EXPECT_EQ(std::vector<std::string>(4, "Out of memory."), shown);
}

} // namespace
