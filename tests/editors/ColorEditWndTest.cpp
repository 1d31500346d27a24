// The script editor's window: what it paints (keyword colours, the selection's black cells),
// its accelerators and characters through the message loop, the clipboard commands, the wheel
// and its notifications. A picture of the painted editor goes to screenshots/ beside the test.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editors/ColorEditWnd.h"
#include "platform/CmdUI.h"
#include "platform/StandardIds.h"
#include "tests/support/Screenshot.h"

namespace {

class CTestColorEditWnd : public ColorEditWnd
{
public:
    using ColorEditWnd::ColorEditWnd;
    using ColorEditWnd::m_charWidth;
    using ColorEditWnd::m_lineHeight;
    using ColorEditWnd::m_text;
    using ColorEditWnd::m_topLine;
};

// The parent counts the editor's notifications.
class CNotifiedParent : public CWnd
{
public:
    std::map<UINT, int> m_codes;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        ++m_codes[HIWORD(wParam)];
        return TRUE;
    }
};

// Everything the editor draws, as 0x00RRGGBB pixels.
std::vector<DWORD> Render(CWnd& editor, int& width, int& height)
{
    return RenderClientPixels(editor.m_hWnd, width, height);
}

DWORD Rgb(COLORREF color)
{
    return GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
}

std::string ScreenshotFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\') + 1) + "screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

class ColorEditWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "script", WS_POPUP | WS_VISIBLE, 0, 0, 420,
                                      220, nullptr, nullptr));
        m_editor = std::make_unique<CTestColorEditWnd>(&m_parent, CRect(0, 0, 400, 200), 101, 4,
                                                       TRUE);
        ASSERT_NE(nullptr, m_editor->m_hWnd);
        m_editor->AddCharSpacing(2);
        m_syntax.m_keywords[0] = {"end", "function", "return"};
        m_syntax.m_keywords[1] = {"Logput"};
        m_editor->SetSyntax(&m_syntax);
        m_editor->SetFocus();
    }
    void TearDown() override
    {
        m_editor.reset();
        m_parent.DestroyWindow();
        BYTE keys[256] = {};
        ::SetKeyboardState(keys);
    }

    CString Text() const
    {
        CString text;
        m_editor->GetText(text);
        return text;
    }

    // Posts a key with the modifiers held and runs the thread's messages as the program's
    // loop does: pre-translation (the accelerators), then translation into characters.
    void PressThroughLoop(UINT key, bool shift)
    {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        if (shift)
            keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
        ::SetKeyboardState(keys);
        m_editor->PostMessage(WM_KEYDOWN, key, 1);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(m_parent.m_hWnd, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        BYTE none[256] = {};
        ::SetKeyboardState(none);
    }

    CNotifiedParent m_parent;
    ColorEditLuaSyntax m_syntax;
    std::unique_ptr<CTestColorEditWnd> m_editor;
};

TEST_F(ColorEditWndTest, KeywordsPaintBlueAndSelectedCellsBlack)
{
    m_editor->SetText("function f()\n  Logput(1,'x') -- note\n  return 1\nend\n");
    // Select "return" on the third line.
    m_editor->m_text.anchor = {2, 2};
    m_editor->m_text.caret = {8, 2};
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = Render(*m_editor, width, height);
    const int w = m_editor->m_charWidth;
    const int h = m_editor->m_lineHeight;
    // How often each colour shows in the cells from column first to last of a line.
    const auto colours = [&](int line, int first, int last) {
        std::map<DWORD, int> counts;
        for (int y = line * h; y < (line + 1) * h; ++y) {
            for (int x = 8 + first * w; x < 8 + last * w; ++x)
                ++counts[pixels[static_cast<size_t>(y) * width + x]];
        }
        return counts;
    };
    const auto function = colours(0, 0, 8);
    EXPECT_GT(function.count(Rgb(RGB(0, 0, 200))), 0u);
    EXPECT_EQ(0u, function.count(0x000000));
    EXPECT_GT(colours(1, 2, 8).count(Rgb(RGB(128, 0, 0))), 0u);
    EXPECT_GT(colours(1, 16, 23).count(Rgb(RGB(0, 150, 0))), 0u);
    // The selection: black cells with white text, nothing else.
    const auto selected = colours(2, 2, 8);
    EXPECT_GT(selected.at(0x000000), selected.count(0xFFFFFF) ? selected.at(0xFFFFFF) : 0);
    EXPECT_GT(selected.count(0xFFFFFF), 0u);
    EXPECT_EQ(2u, selected.size());
    // Left of it, on the same line, the white background.
    EXPECT_EQ(1u, colours(2, 0, 2).size());
    EXPECT_EQ(1u, colours(2, 0, 2).count(0xFFFFFF));

    ::RedrawWindow(m_editor->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(SaveWindowScreenshot(m_editor->m_hWnd, ScreenshotFolder() + "\\script-editor.png"));
}

TEST_F(ColorEditWndTest, CtrlShiftZRedoesAndCtrlYIsACharacter)
{
    m_editor->SetText("ab");
    m_editor->ClearUndo();
    m_editor->SendMessage(WM_CHAR, 'x');
    PressThroughLoop('Z', false);
    EXPECT_STREQ("ab\r\n\r\n", Text());
    PressThroughLoop('Z', true);
    EXPECT_STREQ("xab\r\n\r\n", Text());
    PressThroughLoop('Y', false);
    EXPECT_STREQ("x\x19" "ab\r\n\r\n", Text());
}

TEST_F(ColorEditWndTest, CopyCutAndPasteGoThroughTheClipboard)
{
    m_editor->SetText("one\ntwo\nthree");
    m_editor->ClearUndo();
    // Two whole lines, up to column 0 of the third.
    m_editor->m_text.anchor = {0, 0};
    m_editor->m_text.caret = {0, 2};

    // While another window holds the clipboard, Cut keeps the text.
    ASSERT_TRUE(::OpenClipboard(m_parent.m_hWnd));
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    ::CloseClipboard();
    EXPECT_STREQ("one\r\ntwo\r\nthree\r\n\r\n", Text());

    m_editor->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_STREQ("three\r\n\r\n", Text());
    ASSERT_TRUE(::OpenClipboard(m_parent.m_hWnd));
    const HANDLE block = ::GetClipboardData(CF_TEXT);
    const auto* clipped = block ? static_cast<const char*>(::GlobalLock(block)) : nullptr;
    EXPECT_STREQ("one\r\ntwo\r\n", clipped ? clipped : "");
    if (clipped)
        ::GlobalUnlock(block);
    ::CloseClipboard();

    // The paste is one undo step; undo puts back the cut lines and the caret.
    m_editor->m_text.caret = m_editor->m_text.anchor = {5, 0};
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_STREQ("threeone\r\ntwo\r\n\r\n\r\n", Text());
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_STREQ("three\r\n\r\n", Text());
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_STREQ("one\r\ntwo\r\nthree\r\n\r\n", Text());
    EXPECT_EQ(2, m_editor->m_text.caret.line);

    // Read-only: paste and cut do nothing, copy still works.
    m_editor->m_readOnly = 1;
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_STREQ("one\r\ntwo\r\nthree\r\n\r\n", Text());
}

TEST_F(ColorEditWndTest, CommandsAreEnabledByUndoRedoAndTheSelection)
{
    const auto enabled = [&](UINT id) {
        CTestCmdUI state;
        state.m_nID = id;
        state.DoUpdate(m_editor.get(), FALSE);
        return state.m_bEnabled != FALSE;
    };
    m_editor->SetText("ab");
    m_editor->ClearUndo();
    EXPECT_FALSE(enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_EDIT_CUT));
    m_editor->SendMessage(WM_CHAR, 'x');
    EXPECT_TRUE(enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(enabled(ID_EDIT_REDO));
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_TRUE(enabled(ID_EDIT_REDO));
    m_editor->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_CUT));
}

TEST_F(ColorEditWndTest, TheWheelScrollsFiveLinesWhateverItsDelta)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\n";
    m_editor->SetText(text.c_str());
    struct Case
    {
        short delta;
        UINT keys;
        int top;
    };
    const Case cases[] = {
        {-120, 0, 15}, {-240, 0, 20}, {120, 0, 15}, {240, 0, 10}, {30, 0, 10},
        {-120, MK_CONTROL, 10}, {-120, MK_SHIFT, 10},
    };
    m_editor->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    m_editor->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    for (const Case& c : cases) {
        m_editor->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(c.keys, static_cast<WORD>(c.delta)), 0);
        EXPECT_EQ(c.top, m_editor->m_topLine) << c.delta << " " << c.keys;
    }
}

TEST_F(ColorEditWndTest, EditsTellTheParent)
{
    m_parent.m_codes.clear();
    m_editor->SetText("ab");
    m_editor->SendMessage(WM_CHAR, 'x');
    m_editor->SendMessage(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(2, m_parent.m_codes[EN_CHANGE]);
    m_editor->m_readOnly = 1;
    m_editor->SendMessage(WM_CHAR, 'y');
    EXPECT_EQ(2, m_parent.m_codes[EN_CHANGE]);
    EXPECT_STREQ("xab\r\n\r\n", Text());
}

} // namespace
