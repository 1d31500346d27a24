#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/menus/inplace/InPlaceEdit.h"

namespace {

// The popup that hosts the edit: records Escape's hand-back.
class HostPopup : public CWnd, public CExtInPlaceEditHost
{
public:
    void ReturnFromInPlaceEdit() override { ++returns; }
    int returns = 0;
};

struct Calls
{
    std::vector<std::pair<std::string, std::string>> verified;
    std::vector<std::string> committed;
    bool rejectAll = false;
};

Calls* g_calls = nullptr;

// Accepts texts without an 'x'.
bool Verify(CExtPopupInPlaceEdit*, LONG cookie, LPCTSTR previous, LPCTSTR next)
{
    EXPECT_EQ(77, cookie);
    g_calls->verified.emplace_back(previous, next);
    return !g_calls->rejectAll && std::string(next).find('x') == std::string::npos;
}

void Commit(CExtPopupInPlaceEdit*, LONG, LPCTSTR text)
{
    g_calls->committed.emplace_back(text);
}

class InPlaceEditTest : public ::testing::Test
{
protected:
    InPlaceEditTest() { g_calls = &calls; }
    ~InPlaceEditTest() override
    {
        delete edit;
        host.DestroyWindow();
        g_calls = nullptr;
    }
    void Create(CExtPopupInPlaceEdit::VerifyCallback verify,
                CExtPopupInPlaceEdit::CommitCallback commit,
                CExtPopupInPlaceEdit::FilterCallback filter = nullptr)
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 60, nullptr,
                                  nullptr));
        edit = new CExtPopupInPlaceEdit(&value, verify, commit, filter, 77);
        ASSERT_TRUE(edit->CreateInPlaceEdit(RECT{10, 10, 190, 30}, &host, 5));
        edit->ShowWindow(SW_SHOW);
        edit->SetFocus();
    }
    std::string Text() const
    {
        CString text;
        edit->GetWindowText(text);
        return static_cast<LPCTSTR>(text);
    }
    std::pair<DWORD, DWORD> Selection() const
    {
        DWORD start = 0, end = 0;
        ::SendMessageA(edit->m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void Select(DWORD start, DWORD end)
    {
        ::SendMessageA(edit->m_hWnd, EM_SETSEL, start, end);
    }
    void Key(UINT message, WPARAM key) { ::SendMessageA(edit->m_hWnd, message, key, 0); }
    void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Only the edit posts: the system's own WM_CANCELMODE is sent, never queued.
            if (msg.message == WM_CANCELMODE && msg.hwnd == host.m_hWnd)
                ++postedCancels;
            ::DispatchMessageA(&msg);
        }
    }

    CString value = "abc";
    int postedCancels = 0;
    Calls calls;
    HostPopup host;
    CExtPopupInPlaceEdit* edit = nullptr;
};

TEST_F(InPlaceEditTest, ShowsTheValueAllSelected)
{
    Create(nullptr, nullptr);
    EXPECT_EQ("abc", Text());
    EXPECT_EQ(std::make_pair(DWORD{0}, DWORD{3}), Selection());
    EXPECT_EQ(&host, edit->GetParentMenu());
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB),
              ::SendMessageA(edit->m_hWnd, WM_GETDLGCODE, 0, 0));
}

// A rejected key leaves the text and the selection exactly as they were.
TEST_F(InPlaceEditTest, RejectedChangeIsUndone)
{
    Create(Verify, Commit);
    Select(1, 2);
    Key(WM_CHAR, 'x');
    EXPECT_EQ("abc", Text());
    EXPECT_EQ(std::make_pair(DWORD{1}, DWORD{2}), Selection());
    ASSERT_EQ(1u, calls.verified.size());
    EXPECT_EQ("abc", calls.verified[0].first);
    EXPECT_EQ("axc", calls.verified[0].second);

    Key(WM_CHAR, 'y');
    EXPECT_EQ("ayc", Text());
    EXPECT_EQ(0, value.Compare("abc")) << "typing alone leaves the value";
}

TEST_F(InPlaceEditTest, EnterCommitsAndClosesTheMenus)
{
    struct Case
    {
        const char* name;
        CExtPopupInPlaceEdit::VerifyCallback verify;
        CExtPopupInPlaceEdit::CommitCallback commit;
        bool rejectAll;
        const char* value;
        size_t commits;
    } const cases[] = {
        {"verified, committed", Verify, Commit, false, "abc", 1},
        {"rejected", Verify, Commit, true, "abc", 0},
        {"stored without a commit callback", Verify, nullptr, false, "abcd", 0},
        {"rejected without a commit callback", Verify, nullptr, true, "abc", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        value = "abc";
        calls = Calls();
        Create(c.verify, c.commit);
        Select(3, 3);
        Key(WM_CHAR, 'd');
        calls.rejectAll = c.rejectAll;
        const std::string typed = Text();
        Key(WM_KEYDOWN, VK_RETURN);
        Pump();
        EXPECT_TRUE(edit->IsConfirmed());
        EXPECT_EQ(1, postedCancels);
        EXPECT_EQ(0, value.Compare(c.value));
        EXPECT_EQ(c.commits, calls.committed.size());
        if (c.commits) {
            EXPECT_EQ(typed, calls.committed[0]);
        }
        delete edit;
        edit = nullptr;
        host.DestroyWindow();
        postedCancels = 0;
    }
}

TEST_F(InPlaceEditTest, EscapeReturnsToTheMenuKeepingTheValue)
{
    Create(Verify, Commit);
    Key(WM_CHAR, 'q');
    Key(WM_KEYDOWN, VK_ESCAPE);
    Pump();
    EXPECT_EQ(1, host.returns);
    EXPECT_EQ(0, postedCancels);
    EXPECT_EQ(0, value.Compare("abc"));
    EXPECT_TRUE(calls.committed.empty());
}

// Losing the focus hides the edit and drops what was typed.
TEST_F(InPlaceEditTest, LosingTheFocusDropsTheTypedText)
{
    Create(Verify, Commit);
    Key(WM_CHAR, 'q');
    EXPECT_EQ("q", Text());
    host.SetFocus();
    EXPECT_FALSE(::IsWindowVisible(edit->m_hWnd));
    EXPECT_EQ("abc", Text());
}

TEST_F(InPlaceEditTest, DeleteSelectionMessage)
{
    struct Case
    {
        const char* value;
        DWORD start, end;
        const char* expected;
    } const cases[] = {
        {"abc", 3, 3, "abc"},  // the caret at the end deletes nothing
        {"abc", 1, 1, "ac"},
        {"abcd", 1, 3, "ad"},
        {"a\x83\x5C" "b", 1, 1, "ab"},  // a double-byte character goes whole
    };
    for (const Case& c : cases) {
        value = c.value;
        Create(Verify, Commit);
        Select(c.start, c.end);
        EXPECT_EQ(0, ::SendMessageA(edit->m_hWnd, CExtPopupInPlaceEdit::g_nMsgDeleteSelection, 0, 0));
        EXPECT_EQ(c.expected, Text()) << c.value;
        EXPECT_TRUE(calls.verified.empty()) << "the message bypasses the verify callback";
        Select(1, 1);
        ::SendMessageA(edit->m_hWnd, CExtPopupInPlaceEdit::g_nMsgSelectAll, 0, 0);
        EXPECT_EQ(std::make_pair(DWORD{0}, static_cast<DWORD>(Text().size())), Selection());
        delete edit;
        edit = nullptr;
        host.DestroyWindow();
    }
}

bool SwallowChars(LRESULT& result, UINT message, WPARAM, LPARAM, CExtPopupInPlaceEdit*, LONG)
{
    result = 5;
    return message == WM_CHAR;
}

TEST_F(InPlaceEditTest, FilterAnswersFirst)
{
    Create(Verify, Commit, SwallowChars);
    EXPECT_EQ(5, ::SendMessageA(edit->m_hWnd, WM_CHAR, 'z', 0));
    EXPECT_EQ("abc", Text());
    EXPECT_TRUE(calls.verified.empty());
}

// The edit has no context menu.
TEST_F(InPlaceEditTest, RightButtonIsSwallowed)
{
    Create(nullptr, nullptr);
    for (UINT message : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU})
        EXPECT_EQ(0, ::SendMessageA(edit->m_hWnd, message, 0, 0));
}

} // namespace
