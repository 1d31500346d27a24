// The keys, typing, input-method characters and the mouse, sent to the editor as the system
// would: modifiers through SetKeyboardState, then WM_KEYDOWN, WM_CHAR, WM_IME_CHAR and the
// button and move messages at the client points of the cells.
#include <string>

#include <gtest/gtest.h>

#include "tests/editors/HexEditFixture.h"

namespace {

enum Modifier
{
    NONE = 0,
    SHIFT = 1,
    CTRL = 2,
};

class HexEditInputTest : public HexEditFixture
{
protected:
    void TearDown() override
    {
        SetModifiers(NONE);
        HexEditFixture::TearDown();
    }

    static void SetModifiers(int modifiers)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = modifiers & SHIFT ? 0x80 : 0;
        keys[VK_CONTROL] = modifiers & CTRL ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    void Press(UINT key, int modifiers = NONE, int times = 1)
    {
        SetModifiers(modifiers);
        for (int i = 0; i < times; ++i)
            m_editor.SendMessage(WM_KEYDOWN, key, 1);
        SetModifiers(NONE);
    }
    void Type(const char* text)
    {
        for (const char* at = text; *at; ++at)
            m_editor.SendMessage(WM_CHAR, static_cast<BYTE>(*at), 1);
    }
    void Load(const Bytes& bytes)
    {
        m_editor.SetData(ToArray(bytes));
        m_editor.ClearUndo();
    }
    Bytes Numbered(int count) const
    {
        Bytes bytes(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<BYTE>(i);
        return bytes;
    }

    // The client point in the middle of byte o's hex digit (nibble 0 or 1) or text cell.
    CPoint HexPoint(int o, int nibble = 0) const
    {
        return CellPoint(m_editor.HexColumnOf(o % 16) + nibble, o);
    }
    CPoint TextPoint(int o) const { return CellPoint(m_editor.m_textStart + o % 16, o); }
    CPoint CellPoint(int column, int o) const
    {
        const int w = m_editor.m_charWidth;
        const int h = m_editor.m_lineHeight;
        return CPoint(w * (column - m_editor.m_hScroll) + w / 2 + w / 2,
                      h * ((o - m_editor.m_top) / 16 + 1) + h / 2);
    }
    void Mouse(UINT message, const CPoint& point, WPARAM flags = 0)
    {
        m_editor.SendMessage(message, flags, MAKELPARAM(point.x, point.y));
    }
    bool ClipboardHasBinaryData() const
    {
        return ::IsClipboardFormatAvailable(CHexEdit::GetBinaryDataFormat()) != FALSE;
    }
    void EmptyClipboard()
    {
        ASSERT_TRUE(::OpenClipboard(m_parent.m_hWnd));
        ::EmptyClipboard();
        ::CloseClipboard();
    }
};

TEST_F(HexEditInputTest, ShiftArrowsGrowAndShrinkTheSelectionAcrossItsStart)
{
    Load(Numbered(32));
    m_editor.Caret = 4;
    Press(VK_RIGHT, SHIFT, 3);
    EXPECT_EQ(4, m_editor.SelectionStart);
    EXPECT_EQ(6, m_editor.SelectionEnd);
    EXPECT_EQ(7, m_editor.Caret);
    Press(VK_LEFT, SHIFT, 4);
    EXPECT_EQ(3, m_editor.SelectionStart);
    EXPECT_EQ(3, m_editor.SelectionEnd);
    EXPECT_EQ(3, m_editor.Caret);
    // Backwards past the end, then forwards across it again.
    Press(VK_RIGHT, SHIFT, 3);
    EXPECT_EQ(4, m_editor.SelectionStart);
    EXPECT_EQ(5, m_editor.SelectionEnd);
    // Shift+End takes the line's last byte in; a plain key ends the selection.
    Press(VK_END, SHIFT);
    EXPECT_EQ(15, m_editor.SelectionEnd);
    EXPECT_EQ(16, m_editor.Caret);
    Press(VK_RIGHT);
    EXPECT_TRUE(m_editor.IsSelectionEmpty());
    EXPECT_EQ(17, m_editor.Caret);
}

TEST_F(HexEditInputTest, CtrlHomeKeepsTheSelectionAndTheCaretHidden)
{
    Load(Numbered(32));
    m_editor.SetFocus();
    m_editor.Caret = 8;
    Press(VK_RIGHT, SHIFT, 2);
    Press(VK_HOME, CTRL);
    EXPECT_EQ(0, m_editor.Caret);
    EXPECT_EQ(8, m_editor.SelectionStart);
    EXPECT_EQ(9, m_editor.SelectionEnd);
    EXPECT_FALSE(m_editor.m_caretShown);
}

TEST_F(HexEditInputTest, TypingAtTheEndAppendsInInsertModeAndIsRefusedInOverwriteMode)
{
    Load(Bytes{0x10, 0x20});
    Press(VK_END, CTRL);
    Type("41");
    EXPECT_EQ((Bytes{0x10, 0x20, 0x41}), m_editor.Data());
    EXPECT_EQ(3, m_editor.Caret);
    EXPECT_EQ(2u, m_editor.m_undo.size());

    Press(VK_INSERT);  // overwrite mode
    Type("5");
    m_editor.SetCaretOnHex(false);
    Type("x");
    EXPECT_EQ((Bytes{0x10, 0x20, 0x41}), m_editor.Data());
    EXPECT_EQ(2u, m_editor.m_undo.size());

    // Back changes nothing in overwrite mode; Delete in insert mode removes the byte at the caret.
    Press(VK_BACK);
    EXPECT_EQ(3, m_editor.GetDataSize());
    Press(VK_INSERT);
    Press(VK_HOME);
    Press(VK_DELETE);
    EXPECT_EQ((Bytes{0x20, 0x41}), m_editor.Data());
    Press(VK_END);
    Press(VK_RIGHT);
    Press(VK_BACK);
    EXPECT_EQ((Bytes{0x20}), m_editor.Data());
}

TEST_F(HexEditInputTest, DeleteZeroesTheSelectionInOverwriteModeAndUndoKeysRestoreIt)
{
    Load(Bytes{1, 2, 3, 4});
    Press(VK_INSERT);
    m_editor.Caret = 1;
    Press(VK_RIGHT, SHIFT, 2);
    Press(VK_DELETE);
    EXPECT_EQ((Bytes{1, 0, 0, 4}), m_editor.Data());
    EXPECT_TRUE(m_editor.IsSelectionEmpty());
    EXPECT_EQ(1, m_editor.Caret);
    Press('Z', CTRL);
    EXPECT_EQ((Bytes{1, 2, 3, 4}), m_editor.Data());
    Press('Y', CTRL);
    EXPECT_EQ((Bytes{1, 0, 0, 4}), m_editor.Data());
    // Not editable: the keys that edit do nothing.
    m_editor.SetEditable(FALSE);
    Press('Z', CTRL);
    Press(VK_DELETE);
    m_editor.Caret = 2;
    Press(VK_BACK);
    EXPECT_EQ((Bytes{1, 0, 0, 4}), m_editor.Data());
}

TEST_F(HexEditInputTest, CtrlCCopiesFromAReadOnlyEditorAndCtrlInsertDoesNot)
{
    Load(Bytes{1, 2, 3});
    m_editor.SetEditable(FALSE);
    Press('A', CTRL);
    ASSERT_EQ(2, m_editor.SelectionEnd);
    EmptyClipboard();
    Press(VK_INSERT, CTRL);
    EXPECT_FALSE(ClipboardHasBinaryData());
    Press('C', CTRL);
    EXPECT_TRUE(ClipboardHasBinaryData());

    // Editable: Shift+Delete cuts and Shift+Insert pastes it back at the caret.
    m_editor.SetEditable(TRUE);
    Press(VK_DELETE, SHIFT);
    EXPECT_EQ(0, m_editor.GetDataSize());
    Press(VK_INSERT, SHIFT);
    Press(VK_INSERT, SHIFT);
    EXPECT_EQ((Bytes{1, 2, 3, 1, 2, 3}), m_editor.Data());
}

TEST_F(HexEditInputTest, AnInputMethodCharacterBecomesBytesOfTheTextCode)
{
    const Bytes expected[] = {{0x82, 0xA0}, {0x82, 0xA0}, {0x24, 0x22}, {0xA4, 0xA2},
                              {0xE3, 0x81, 0x82}};
    for (int code = 0; code < 5; ++code) {
        Load(Bytes{0x41});
        m_editor.TextCode = code;
        m_editor.SendMessage(WM_IME_CHAR, 0x82A0, 1);
        Bytes bytes = expected[code];
        bytes.push_back(0x41);
        EXPECT_EQ(bytes, m_editor.Data()) << code;
        EXPECT_EQ(static_cast<int>(expected[code].size()), m_editor.Caret) << code;
    }
    // A single-byte character has no JIS form of its own: nothing is written.
    Load(Bytes{});
    m_editor.TextCode = TEXTCODE_JIS;
    m_editor.SendMessage(WM_IME_CHAR, 'A', 1);
    EXPECT_EQ(0, m_editor.GetDataSize());
}

TEST_F(HexEditInputTest, AClickPlacesTheCaretOnTheDigitOrCellItHits)
{
    Load(Numbered(40));
    for (const short group : {2, 4, 8}) {
        m_editor.GroupDigits = group;
        m_editor.RecalcLayout();
        for (const int o : {0, 3, 7, 17}) {
            for (const int nibble : {0, 1}) {
                Mouse(WM_LBUTTONDOWN, HexPoint(o, nibble));
                EXPECT_EQ(o, m_editor.Caret) << group << " " << o;
                EXPECT_EQ(nibble, m_editor.Nibble) << group << " " << o;
                Mouse(WM_LBUTTONUP, HexPoint(o, nibble));
            }
        }
    }
    Mouse(WM_LBUTTONDOWN, TextPoint(21));
    Mouse(WM_LBUTTONUP, TextPoint(21));
    EXPECT_EQ(21, m_editor.Caret);
    m_editor.SetCaretOnHex(false);
    Type("Z");
    EXPECT_EQ('Z', m_editor.Data()[21]);
}

TEST_F(HexEditInputTest, ADragThatStartsInTheTextColumnStaysOnTheTextSide)
{
    Load(Numbered(64));
    Mouse(WM_LBUTTONDOWN, TextPoint(21));
    // Over the hex area of the same line: by text columns that is the line's first cell.
    Mouse(WM_MOUSEMOVE, HexPoint(25), MK_LBUTTON);
    EXPECT_EQ(16, m_editor.SelectionStart);
    EXPECT_EQ(21, m_editor.SelectionEnd);
    Mouse(WM_MOUSEMOVE, TextPoint(35), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, TextPoint(35));
    EXPECT_EQ(21, m_editor.SelectionStart);
    EXPECT_EQ(35, m_editor.SelectionEnd);
    EXPECT_EQ(36, m_editor.Caret);
    Type("4");  // the caret is on the text side, where a digit is a character
    EXPECT_EQ('4', m_editor.Data()[21]);

    // From the hex side the same drag selects by digits.
    Load(Numbered(64));
    Mouse(WM_LBUTTONDOWN, HexPoint(21));
    Mouse(WM_MOUSEMOVE, HexPoint(25), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, HexPoint(25));
    EXPECT_EQ(21, m_editor.SelectionStart);
    EXPECT_EQ(25, m_editor.SelectionEnd);

    // Data that shrinks under a drag keeps the selection inside the bytes.
    Mouse(WM_LBUTTONDOWN, HexPoint(40));
    m_editor.SetData(ToArray(Numbered(10)));
    Mouse(WM_MOUSEMOVE, HexPoint(3), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, HexPoint(3));
    EXPECT_EQ(3, m_editor.SelectionStart);
    EXPECT_EQ(9, m_editor.SelectionEnd);
    Press(VK_DELETE);
    EXPECT_EQ((Bytes{0, 1, 2}), m_editor.Data());
}

TEST_F(HexEditInputTest, HeldBelowTheWindowTheDragScrollsOnEachTick)
{
    Load(Numbered(400));
    SizeInCells(m_editor.m_totalColumns + 6, 6);
    ASSERT_EQ(0, m_editor.m_top);
    const int visibleLines = m_editor.m_visibleLines;
    Mouse(WM_LBUTTONDOWN, HexPoint(2));
    CPoint below = HexPoint(2);
    below.y = m_editor.m_lineHeight * (visibleLines + 3);
    Mouse(WM_MOUSEMOVE, below, MK_LBUTTON);
    const int firstTop = m_editor.m_top;
    m_editor.SendMessage(WM_TIMER, 1);
    EXPECT_GT(m_editor.m_top, firstTop);
    const int secondTop = m_editor.m_top;
    m_editor.SendMessage(WM_TIMER, 1);
    EXPECT_GT(m_editor.m_top, secondTop);
    EXPECT_EQ(2, m_editor.SelectionStart);
    EXPECT_EQ(m_editor.m_top + 16 * (visibleLines - 1) + 2, m_editor.SelectionEnd);

    // The system's timer is running meanwhile: pumping messages scrolls as well.
    const int pumpedTop = m_editor.m_top;
    const DWORD start = ::GetTickCount();
    MSG message;
    while (::GetTickCount() - start < 700) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        ::Sleep(10);
    }
    EXPECT_GT(m_editor.m_top, pumpedTop);
    Mouse(WM_LBUTTONUP, below);
    const int releasedTop = m_editor.m_top;
    m_editor.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(releasedTop, m_editor.m_top);
}

TEST_F(HexEditInputTest, ADoubleClickSelectsOneByteButNotTheEndPosition)
{
    Load(Numbered(20));
    Mouse(WM_LBUTTONDOWN, HexPoint(5));
    Mouse(WM_LBUTTONUP, HexPoint(5));
    Mouse(WM_LBUTTONDBLCLK, HexPoint(5));
    Mouse(WM_LBUTTONUP, HexPoint(5));
    EXPECT_EQ(5, m_editor.SelectionStart);
    EXPECT_EQ(5, m_editor.SelectionEnd);
    EXPECT_EQ(6, m_editor.Caret);

    Mouse(WM_LBUTTONDOWN, HexPoint(20));
    Mouse(WM_LBUTTONUP, HexPoint(20));
    Mouse(WM_LBUTTONDBLCLK, HexPoint(20));
    Mouse(WM_LBUTTONUP, HexPoint(20));
    EXPECT_TRUE(m_editor.IsSelectionEmpty());
    EXPECT_EQ(20, m_editor.Caret);
}

WPARAM g_nextControlAsked = 99;

LRESULT CALLBACK RecordNextControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NEXTDLGCTL) {
        g_nextControlAsked = wParam;
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(HexEditInputTest, TabAndShiftTabAskTheHoldingWindowForTheNextAndThePreviousControl)
{
    const LONG_PTR previous = ::SetWindowLongPtrA(m_parent.m_hWnd, GWLP_WNDPROC,
                                                  reinterpret_cast<LONG_PTR>(RecordNextControl));
    Press(VK_TAB);
    EXPECT_EQ(0u, g_nextControlAsked);
    Press(VK_TAB, SHIFT);
    EXPECT_EQ(1u, g_nextControlAsked);
    g_nextControlAsked = 99;
    Press(VK_TAB, CTRL);
    EXPECT_EQ(99u, g_nextControlAsked);
    ::SetWindowLongPtrA(m_parent.m_hWnd, GWLP_WNDPROC, previous);
}

} // namespace
