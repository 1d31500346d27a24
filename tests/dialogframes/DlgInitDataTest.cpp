// Initial strings of list, combo and extended combo boxes, and data that is cut short or refused.
#include "framework/dialogs/DlgInitData.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/dialogframes/DialogFramesTestSupport.h"

namespace {

const WORD kList = 10;
const WORD kCombo = 11;
const WORD kComboEx = 12;
const WORD kRefusing = 13;
const WORD kListAdd = 0x0401;
const WORD kComboAdd = 0x0403;
const WORD kComboExInsert = 0x1234;

// Counts WM_INITIALUPDATE (two such windows: a child and a grandchild) and refuses every string, as a full list box would.
int g_initialUpdates = 0;
LRESULT CALLBACK RefusingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITIALUPDATE)
        ++g_initialUpdates;
    if (message == LB_ADDSTRING)
        return LB_ERR;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

struct Entry
{
    WORD id;
    WORD message;
    std::string bytes;
};

std::vector<BYTE> DataOf(const std::vector<Entry>& entries, bool terminated = true)
{
    std::vector<BYTE> data;
    auto append = [&data](const void* bytes, size_t size) {
        data.insert(data.end(), static_cast<const BYTE*>(bytes),
                    static_cast<const BYTE*>(bytes) + size);
    };
    for (const Entry& entry : entries) {
        const DWORD length = static_cast<DWORD>(entry.bytes.size());
        append(&entry.id, 2);
        append(&entry.message, 2);
        append(&length, 4);
        append(entry.bytes.data(), entry.bytes.size());
    }
    if (terminated)
        data.insert(data.end(), {0, 0});
    return data;
}

class DlgInitDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_USEREX_CLASSES};
        ::InitCommonControlsEx(&controls);
        WNDCLASSA refusing = {};
        refusing.lpfnWndProc = &RefusingProc;
        refusing.hInstance = ::GetModuleHandleA(nullptr);
        refusing.lpszClassName = "RefusingList";
        ::RegisterClassA(&refusing);
        m_dialog = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(nullptr, m_dialog);
        Child("LISTBOX", kList, LBS_HASSTRINGS, m_dialog);
        Child("COMBOBOX", kCombo, CBS_DROPDOWNLIST | CBS_HASSTRINGS, m_dialog);
        Child(WC_COMBOBOXEXA, kComboEx, CBS_DROPDOWNLIST, m_dialog);
        Child("RefusingList", kRefusing, 0, m_dialog);
        // A grandchild: the update reaches every descendant, not only the children.
        const HWND group = Child("STATIC", 20, 0, m_dialog);
        Child("RefusingList", 21, 0, group);
        g_initialUpdates = 0;
    }
    void TearDown() override { ::DestroyWindow(m_dialog); }

    HWND Child(LPCSTR className, WORD id, DWORD style, HWND parent)
    {
        return ::CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 100, 100, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                                 nullptr);
    }

    // The strings of a list or combo box, in order.
    std::vector<std::string> Strings(WORD id, UINT countMessage, UINT textMessage)
    {
        return ControlStrings(::GetDlgItem(m_dialog, id), countMessage, textMessage);
    }
    std::vector<std::string> ListStrings() { return Strings(kList, LB_GETCOUNT, LB_GETTEXT); }
    std::vector<std::string> ComboStrings(WORD id)
    {
        return Strings(id, CB_GETCOUNT, CB_GETLBTEXT);
    }

    HWND m_dialog = nullptr;
};

TEST_F(DlgInitDataTest, StringsGoToEachKindOfControlOnce)
{
    // The resource compiler stores the terminator; an entry without one must not run on.
    const std::vector<BYTE> data = DataOf({{kList, kListAdd, std::string("first", 6)},
                                           {kCombo, kComboAdd, std::string("\x83\x5C", 3)},
                                           {kList, kListAdd, "unterminated"},
                                           {kList, 0x9999, std::string("skipped", 8)},
                                           {kComboEx, kComboExInsert, std::string("ex", 3)},
                                           {kList, kListAdd, std::string("", 1)}});
    EXPECT_TRUE(ExecuteDlgInitData(m_dialog, data.data(), static_cast<DWORD>(data.size())));
    EXPECT_EQ((std::vector<std::string>{"first", "unterminated", ""}), ListStrings());
    EXPECT_EQ((std::vector<std::string>{"\x83\x5C"}), ComboStrings(kCombo));
    EXPECT_EQ((std::vector<std::string>{"ex"}), ComboStrings(kComboEx));
    EXPECT_EQ(2, g_initialUpdates);
}

TEST_F(DlgInitDataTest, NoDataStillSendsTheInitialUpdate)
{
    EXPECT_TRUE(ExecuteDlgInitData(m_dialog, nullptr, 0));
    EXPECT_EQ(2, g_initialUpdates);
}

TEST_F(DlgInitDataTest, DataWithoutTheEndMarkEndsAtItsSize)
{
    const std::vector<BYTE> data = DataOf({{kList, kListAdd, std::string("a", 2)}}, false);
    EXPECT_TRUE(ExecuteDlgInitData(m_dialog, data.data(), static_cast<DWORD>(data.size())));
    EXPECT_EQ((std::vector<std::string>{"a"}), ListStrings());
}

struct FailureCase
{
    const char* name;
    std::vector<BYTE> data;
};

TEST_F(DlgInitDataTest, CutOrRefusedDataFailsWithoutTheUpdate)
{
    std::vector<BYTE> overlong = DataOf({{kList, kListAdd, std::string("a", 2)},
                                         {kList, kListAdd, std::string("bb", 3)}});
    overlong[10 + 4] = 0xFF; // the second length now runs far past the data
    std::vector<BYTE> cutHeader = DataOf({{kList, kListAdd, std::string("a", 2)}}, false);
    cutHeader.insert(cutHeader.end(), {kList, 0, 0x01, 0x04});
    const FailureCase cases[] = {
        {"length past the end", overlong},
        {"header cut short", cutHeader},
        {"string refused", DataOf({{kList, kListAdd, std::string("a", 2)},
                                   {kRefusing, kListAdd, std::string("no", 3)},
                                   {kList, kListAdd, std::string("after", 6)}})},
    };
    for (const FailureCase& c : cases) {
        ::SendMessageA(::GetDlgItem(m_dialog, kList), LB_RESETCONTENT, 0, 0);
        g_initialUpdates = 0;
        EXPECT_FALSE(ExecuteDlgInitData(m_dialog, c.data.data(), static_cast<DWORD>(c.data.size())))
            << c.name;
        EXPECT_EQ((std::vector<std::string>{"a"}), ListStrings()) << c.name;
        EXPECT_EQ(0, g_initialUpdates) << c.name;
    }
}

} // namespace
