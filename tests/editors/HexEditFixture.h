// A hex editor in a hidden window of its own, with its layout and caret state open to the test.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "editors/HexEdit.h"
#include "tests/support/ByteArrays.h"

// Opens the protected layout and caret state of the control to the tests.
class CTestHexEdit : public CHexEdit
{
public:
    using CHexEdit::HexColumnOf;
    using CHexEdit::m_caretShown;
    using CHexEdit::m_charWidth;
    using CHexEdit::m_clipboardWriter;
    using CHexEdit::m_data;
    using CHexEdit::m_hexStart;
    using CHexEdit::m_hScroll;
    using CHexEdit::m_lineHeight;
    using CHexEdit::m_redo;
    using CHexEdit::m_textShown;
    using CHexEdit::m_textStart;
    using CHexEdit::m_tipBuffer;
    using CHexEdit::m_top;
    using CHexEdit::m_undo;
    using CHexEdit::m_undoByteBudget;
    using CHexEdit::m_totalColumns;
    using CHexEdit::m_totalLines;
    using CHexEdit::m_visibleColumns;
    using CHexEdit::m_visibleLines;

    void SetInsertMode(bool insert) { SetFlag(INSERT_MODE, insert); }
    void SetCaretOnHex(bool onHex) { SetFlag(CARET_ON_HEX, onHex); }
    bool HasScrollBar(DWORD style) const { return (GetStyle() & style) != 0; }
    Bytes Data() const
    {
        COleSafeArray data;
        return ToBytes(GetData(data));
    }

private:
    void SetFlag(DWORD flag, bool on) { m_caretFlags = on ? m_caretFlags | flag : m_caretFlags & ~flag; }
};

class HexEditFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "hex", WS_POPUP, 0, 0, 1200, 900, nullptr,
                                      nullptr));
        ASSERT_TRUE(m_editor.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 1000, 800),
                                    &m_parent, 1000));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // Gives the editor a client area of the given size in character cells, without scroll bars.
    void SizeInCells(int columns, int lines)
    {
        CRect window;
        CRect client;
        m_editor.GetWindowRect(&window);
        m_editor.GetClientRect(&client);
        const DWORD style = m_editor.GetStyle();
        const int frameWidth = window.Width() - client.Width() -
                               (style & WS_VSCROLL ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
        const int frameHeight = window.Height() - client.Height() -
                                (style & WS_HSCROLL ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
        m_editor.MoveWindow(0, 0, frameWidth + columns * m_editor.m_charWidth + m_editor.m_charWidth / 2,
                            frameHeight + lines * m_editor.m_lineHeight);
    }

    CWnd m_parent;
    CTestHexEdit m_editor;
};
