// An owner window for tracked popup menus that writes down what it receives ("create", "closed",
// "command <id>"), can make an item's in-place edit itself, and paints items red when the menu
// offers them; and the waits a tracked menu needs before it takes input.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MenuItemsFixture.h"
#include "framework/menus/PopupMenuWnd.h"
#include "tests/support/MessagePump.h"

struct TrackedMenuOwnerLog
{
    std::vector<std::string> messages;
    // What the owner was given to make an edit with.
    CExtPopupMenuWnd::InplaceEditData editData;
    // The owner makes the edits itself when set; it keeps them here.
    bool makesEdits = false;
    std::vector<std::unique_ptr<CExtPopupInPlaceEdit>> edits;
    // The flags of the last item the owner was asked to paint.
    BYTE drawFlags = 0;
    int drawRequests = 0;
};

inline TrackedMenuOwnerLog& OwnerLog()
{
    static TrackedMenuOwnerLog log;
    return log;
}

inline LRESULT CALLBACK TrackedMenuOwnerProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    TrackedMenuOwnerLog& log = OwnerLog();
    if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed) {
        log.messages.push_back("closed");
    } else if (message == WM_COMMAND) {
        log.messages.push_back("command " + std::to_string(LOWORD(wParam)));
    } else if (message == CExtPopupMenuWnd::g_nMsgCreateInplaceEdit) {
        log.messages.push_back("create");
        auto* data = reinterpret_cast<CExtPopupMenuWnd::InplaceEditData*>(wParam);
        log.editData = *data;
        if (log.makesEdits) {
            auto edit = std::make_unique<CExtPopupInPlaceEdit>(
                data->m_pValue, data->m_verify, data->m_commit, data->m_filter,
                static_cast<LONG>(data->m_cookie));
            if (edit->CreateInPlaceEdit(data->m_rect, data->m_pMenu, 900)) {
                *data->m_ppEdit = edit.get();
                log.edits.push_back(std::move(edit));
            }
        }
    } else if (message == CExtPopupMenuWnd::g_nMsgPopupDrawItem) {
        const auto* data = reinterpret_cast<const CExtPopupMenuWnd::DrawItemData*>(lParam);
        data->m_pDC->FillSolidRect(&data->m_rect, RGB(255, 0, 0));
        log.drawFlags = data->m_flags;
        ++log.drawRequests;
        return 1;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

class TrackedMenuOwnerFixture : public MenuItemsFixture
{
protected:
    void SetUp() override
    {
        OwnerLog() = TrackedMenuOwnerLog();
        ::SetCursorPos(5, 700);
        static const ATOM atom = [] {
            WNDCLASSA cls = {};
            cls.lpfnWndProc = TrackedMenuOwnerProc;
            cls.hInstance = ::GetModuleHandleA(nullptr);
            cls.lpszClassName = "QvTrackedMenuOwner";
            cls.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
            return ::RegisterClassA(&cls);
        }();
        (void)atom;
        m_owner = ::CreateWindowExA(0, "QvTrackedMenuOwner", "owner",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_owner);
        ASSERT_TRUE(BringToFront(m_owner));
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CloseAllMenus();
        ::DestroyWindow(m_owner);
        OwnerLog() = TrackedMenuOwnerLog();
        MenuItemsFixture::TearDown();
    }

    // A root menu built from the entries (a null text is a separator; a submenu is made from
    // the entries of sub).
    struct Entry
    {
        UINT id;
        LPCTSTR text;
    };
    CExtPopupMenuWnd* NewMenu(std::initializer_list<Entry> entries,
                              std::initializer_list<Entry> sub = {})
    {
        HMENU bar = ::CreateMenu();
        HMENU popup = ::CreatePopupMenu();
        for (const Entry& entry : entries) {
            if (!entry.text) {
                ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
            } else if (entry.id == 0) {
                HMENU child = ::CreatePopupMenu();
                for (const Entry& inner : sub)
                    ::AppendMenuA(child, MF_STRING, inner.id, inner.text);
                ::AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(child), entry.text);
            } else {
                ::AppendMenuA(popup, MF_STRING, entry.id, entry.text);
            }
        }
        ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "menu");
        auto* menu = new CExtPopupMenuWnd;
        EXPECT_TRUE(menu->BuildFromMenu(m_owner, bar, true, true));
        ::DestroyMenu(bar);
        return menu;
    }

    // Until the menu shows no animation any more and takes input.
    static bool WaitUntilStatic(const CExtPopupMenuWnd& menu)
    {
        return PumpUntil(
            [&menu] {
                return menu.HasWindow() && menu.IsStatic() &&
                       !CExtPopupMenuWnd::GetTrackingState().GetAnimatingMenu();
            },
            10000);
    }

    // A key as the tracking hook hands it to the menu: whether it was consumed.
    static bool Key(CExtPopupMenuWnd& menu, UINT key, bool* passOn = nullptr)
    {
        bool pass = false;
        const bool consumed = menu.OnKeyDown(key, 1, 0, pass);
        if (passOn)
            *passOn = pass;
        return consumed;
    }

    HWND m_owner = nullptr;
    TrackedMenuOptions m_options;
};
