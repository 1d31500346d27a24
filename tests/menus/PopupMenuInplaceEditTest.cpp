// In-place edit items inside a tracked popup menu: the edit made by the owner or by the menu,
// typed text committed through the callbacks or into the value, Escape back to the menu, the
// keys and the mouse while the edit has the focus, and the window messages that go with it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TrackedMenuOwner.h"

namespace {

const UINT ID_FIRST = 101;
const UINT ID_VALUE = 102;
const UINT ID_LAST = 103;

std::vector<std::string> g_committed;

void RecordCommit(CExtPopupInPlaceEdit*, LONG cookie, LPCTSTR text)
{
    EXPECT_EQ(7, cookie);
    g_committed.emplace_back(text);
}

class PopupMenuInplaceEditTest : public TrackedMenuOwnerFixture
{
protected:
    void SetUp() override
    {
        TrackedMenuOwnerFixture::SetUp();
        g_committed.clear();
        m_value = "12";
    }

    // First, an in-place edit item for m_value, Last.
    CExtPopupMenuWnd* NewEditMenu(bool commitCallback, bool itemHasTarget = true)
    {
        CExtPopupMenuWnd* menu =
            NewMenu({{ID_FIRST, "&First"}, {ID_VALUE, "&Value"}, {ID_LAST, "&Last"}});
        CExtPopupMenuItem* item = menu->GetItemAt(1);
        item->m_pEditedValue = &m_value;
        item->m_nEditWidth = 60;
        item->m_dwEditCookie = 7;
        item->m_editCallbacks.m_commit = commitCallback ? &RecordCommit : nullptr;
        if (!itemHasTarget)
            item->m_hCmdTarget = nullptr;
        item->Measure();
        menu->RecalcItemsLayout();
        return menu;
    }

    HWND EditOf(CExtPopupMenuWnd& menu) { return menu.GetItemAt(1)->GetInplaceEditHwnd(); }

    // Tracks the menu and focuses the edit item's edit through Down, Down, Enter.
    CExtPopupMenuWnd* TrackAndFocusEdit(bool commitCallback = true, bool itemHasTarget = true)
    {
        CExtPopupMenuWnd* menu = NewEditMenu(commitCallback, itemHasTarget);
        EXPECT_TRUE(menu->TrackMenu(0, 100, 100));
        EXPECT_TRUE(WaitUntilStatic(*menu));
        Key(*menu, VK_DOWN);
        Key(*menu, VK_DOWN);
        EXPECT_EQ(1, menu->GetCurIndex());
        EXPECT_TRUE(Key(*menu, VK_RETURN));
        return menu;
    }

    static void Type(HWND edit, const char* text)
    {
        for (const char* c = text; *c; ++c)
            ::SendMessageA(edit, WM_CHAR, static_cast<BYTE>(*c), 0);
    }

    static std::string TextOf(HWND window)
    {
        char text[64] = {};
        ::GetWindowTextA(window, text, sizeof text);
        return text;
    }

    CString m_value;
};

TEST_F(PopupMenuInplaceEditTest, EnterInTheEditCommitsTheTypedTextAndClosesTheMenus)
{
    struct Case
    {
        const char* name;
        bool ownerMakesEdit;
        bool itemHasTarget;
        bool commitCallback;
        std::vector<std::string> committed;
        const char* valueAfter;
    };
    const Case cases[] = {
        {"the menu makes the edit", false, true, true, {"ab"}, "12"},
        {"the owner makes the edit", true, true, true, {"ab"}, "12"},
        {"an item without target gets the menu's edit", true, false, true, {"ab"}, "12"},
        {"without a commit callback the value takes the text", false, true, false, {}, "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnerLog() = TrackedMenuOwnerLog();
        OwnerLog().makesEdits = c.ownerMakesEdit;
        g_committed.clear();
        m_value = "12";
        CExtPopupMenuWnd* menu = TrackAndFocusEdit(c.commitCallback, c.itemHasTarget);
        ASSERT_TRUE(menu->HasWindow());

        // The item's owner was offered the item's edit area and value.
        const TrackedMenuOwnerLog& log = OwnerLog();
        const std::vector<std::string> created =
            c.itemHasTarget ? std::vector<std::string>{"create"} : std::vector<std::string>{};
        EXPECT_EQ(created, log.messages);
        const RECT expected = menu->GetItemAt(1)->GetInplaceEditRect(menu->GetItemRect(1));
        if (c.itemHasTarget) {
            EXPECT_TRUE(::EqualRect(&expected, &log.editData.m_rect));
            EXPECT_EQ(&m_value, log.editData.m_pValue);
            EXPECT_EQ(menu, log.editData.m_pMenu);
        }

        const HWND edit = EditOf(*menu);
        ASSERT_NE(nullptr, edit);
        if (c.ownerMakesEdit && c.itemHasTarget) {
            ASSERT_FALSE(log.edits.empty());
            EXPECT_EQ(log.edits.front()->m_hWnd, edit);
        }
        EXPECT_EQ(menu->m_hWnd, ::GetParent(edit));
        EXPECT_TRUE(::IsWindowVisible(edit));
        EXPECT_EQ(edit, ::GetFocus());
        EXPECT_EQ("12", TextOf(edit));

        // The value was selected whole: typing replaces it.
        Type(edit, "ab");
        EXPECT_EQ("ab", TextOf(edit));
        // Enter on the item goes on to the edit, which confirms.
        bool passOn = false;
        EXPECT_FALSE(Key(*menu, VK_RETURN, &passOn));
        EXPECT_TRUE(passOn);
        ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(c.committed, g_committed);
        EXPECT_EQ(c.valueAfter, std::string(m_value));

        ASSERT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuOpen(); }));
        PumpFor(50);
        EXPECT_FALSE(::IsWindow(edit));
        // The menus closed without a command.
        std::vector<std::string> messages = created;
        messages.push_back("closed");
        EXPECT_EQ(messages, log.messages);
    }
}

TEST_F(PopupMenuInplaceEditTest, EscapeReturnsToTheMenuOnTheSameItemAndDropsTheTypedText)
{
    struct Case
    {
        const char* name;
        bool throughTheHook;
    };
    for (const Case& c : {Case{"escape handed to the menu", true},
                          Case{"escape reaching the edit", false}}) {
        SCOPED_TRACE(c.name);
        OwnerLog() = TrackedMenuOwnerLog();
        CExtPopupMenuWnd* menu = TrackAndFocusEdit();
        const HWND edit = EditOf(*menu);
        ASSERT_EQ(edit, ::GetFocus());
        Type(edit, "x");
        if (c.throughTheHook)
            EXPECT_TRUE(Key(*menu, VK_ESCAPE));
        else
            ::SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
        EXPECT_FALSE(::IsWindowVisible(edit));
        EXPECT_EQ(menu->m_hWnd, ::GetFocus());
        EXPECT_EQ(1, menu->GetCurIndex());
        EXPECT_EQ(menu, CExtPopupMenuWnd::GetTrackingState().GetFocusedMenu());
        EXPECT_EQ("12", std::string(m_value));
        EXPECT_EQ("12", TextOf(edit));
        EXPECT_TRUE(g_committed.empty());

        // The menu has the keys again: the next Escape ends it with command 0.
        EXPECT_TRUE(Key(*menu, VK_ESCAPE));
        ASSERT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuOpen(); }));
        PumpFor(50);
        const std::vector<std::string> messages = {"create", "closed", "command 0"};
        EXPECT_EQ(messages, OwnerLog().messages);
    }
}

TEST_F(PopupMenuInplaceEditTest, AltWhileEditingClosesTheMenusWithoutCommand)
{
    CExtPopupMenuWnd* menu = TrackAndFocusEdit();
    ASSERT_EQ(EditOf(*menu), ::GetFocus());
    EXPECT_TRUE(Key(*menu, VK_MENU));
    ASSERT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuOpen(); }));
    PumpFor(50);
    const std::vector<std::string> messages = {"create", "closed"};
    EXPECT_EQ(messages, OwnerLog().messages);
    EXPECT_EQ("12", std::string(m_value));
}

// Rejects every change and ends the menus meanwhile, which destroys the edit under it.
bool RejectAndCloseMenus(CExtPopupInPlaceEdit*, LONG, LPCTSTR, LPCTSTR)
{
    CExtPopupMenuWnd::CloseAllMenus();
    return false;
}

TEST_F(PopupMenuInplaceEditTest, AVerifyCallbackThatEndsTheMenusLeavesNothingBehind)
{
    CExtPopupMenuWnd* menu = NewEditMenu(true);
    menu->GetItemAt(1)->m_editCallbacks.m_verify = &RejectAndCloseMenus;
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    Key(*menu, VK_DOWN);
    Key(*menu, VK_DOWN);
    Key(*menu, VK_RETURN);
    const HWND edit = EditOf(*menu);
    ASSERT_EQ(edit, ::GetFocus());
    Type(edit, "z");
    EXPECT_FALSE(::IsWindow(edit));
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());
    EXPECT_EQ("12", std::string(m_value));
    PumpFor(50);
    EXPECT_EQ((std::vector<std::string>{"create", "closed"}), OwnerLog().messages);
}

TEST_F(PopupMenuInplaceEditTest, DeleteWhileEditingGoesToTheEditAndOtherKeysPassOn)
{
    CExtPopupMenuWnd* menu = TrackAndFocusEdit();
    const HWND edit = EditOf(*menu);
    ASSERT_EQ(edit, ::GetFocus());
    ::SendMessageA(edit, EM_SETSEL, 0, 0);
    // Delete removes the character after the caret; the menu keeps its selection.
    EXPECT_TRUE(Key(*menu, VK_DELETE));
    EXPECT_EQ("2", TextOf(edit));
    bool passOn = false;
    EXPECT_FALSE(Key(*menu, VK_DOWN, &passOn));
    EXPECT_TRUE(passOn);
    EXPECT_EQ(1, menu->GetCurIndex());
}

TEST_F(PopupMenuInplaceEditTest, AClickOnTheItemFocusesItsEditAndTheMouseThenStaysWithIt)
{
    CExtPopupMenuWnd* menu = NewEditMenu(true);
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    const HWND edit = EditOf(*menu);
    ASSERT_NE(nullptr, edit);
    EXPECT_FALSE(::IsWindowVisible(edit));

    const RECT area = menu->GetItemAt(1)->GetInplaceEditRect(menu->GetItemRect(1));
    const CPoint inEdit((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    bool passOn = false;
    EXPECT_TRUE(menu->OnMouseClick(WM_LBUTTONUP, inEdit, passOn));
    EXPECT_EQ(1, menu->GetCurIndex());
    EXPECT_TRUE(::IsWindowVisible(edit));
    EXPECT_EQ(edit, ::GetFocus());

    // Over the shown edit the mouse goes on to it.
    passOn = false;
    EXPECT_FALSE(menu->OnMouseMove(WM_MOUSEMOVE, inEdit, passOn));
    EXPECT_TRUE(passOn);
    // Elsewhere it is swallowed while the edit has the focus: the selection stays.
    const RECT first = menu->GetItemRect(0);
    const CPoint onFirst((first.left + first.right) / 2, (first.top + first.bottom) / 2);
    EXPECT_TRUE(menu->OnMouseMove(WM_MOUSEMOVE, onFirst, passOn));
    EXPECT_EQ(1, menu->GetCurIndex());
    EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuOpen());
}

TEST_F(PopupMenuInplaceEditTest, TheCursorIsAnIBeamOverTheEditArea)
{
    CExtPopupMenuWnd* menu = NewEditMenu(true);
    ASSERT_TRUE(menu->TrackMenu(0, 100, 100));
    ASSERT_TRUE(WaitUntilStatic(*menu));
    const HCURSOR ibeam = ::LoadCursor(nullptr, IDC_IBEAM);
    const auto cursorOver = [menu](const RECT& rect) {
        POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(menu->m_hWnd, &point);
        ::SetCursorPos(point.x, point.y);
        ::SendMessageA(menu->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(menu->m_hWnd),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(ibeam, cursorOver(menu->GetItemAt(1)->GetInplaceEditRect(menu->GetItemRect(1))));
    EXPECT_NE(ibeam, cursorOver(menu->GetItemRect(0)));
    menu->GetItemAt(1)->m_bEditable = false;
    EXPECT_NE(ibeam, cursorOver(menu->GetItemAt(1)->GetInplaceEditRect(menu->GetItemRect(1))));
}

// Counts the menu's paints of its final image.
class CountingMenu : public CExtPopupMenuWnd
{
public:
    void PaintContent(CDC& dc, bool final) override
    {
        ++paints;
        CExtPopupMenuWnd::PaintContent(dc, final);
    }
    int paints = 0;
};

TEST_F(PopupMenuInplaceEditTest, AnInternalMenuPaintsAtOnceWhenShown)
{
    for (const bool internal : {true, false}) {
        SCOPED_TRACE(internal ? "internal" : "tracked");
        auto* menu = new CountingMenu;
        menu->ItemInsertCustom(ID_FIRST, -1, "First", "", CExtCmdIcon());
        const UINT flags = internal ? CExtPopupMenuWnd::kTrackInternal : 0;
        ASSERT_TRUE(menu->TrackMenu(flags, 100, 100));
        const int before = menu->paints;
        // No paint message is handled meanwhile: only the show itself may paint.
        ::SendMessageA(menu->m_hWnd, WM_SHOWWINDOW, TRUE, 0);
        EXPECT_EQ(internal ? before + 1 : before, menu->paints);
        if (internal) {
            menu->DestroyWindow();
            delete menu;
        } else {
            CExtPopupMenuWnd::CloseAllMenus();
        }
    }
}

} // namespace
