// Editing, undo and redo: random edit sequences undone and redone as a whole, the 999-entry
// limit and the byte budget, the two steps of a replacement and of an insert over a selection,
// the buffer of all the data moved rather than copied, and typing.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "tests/editors/HexEditFixture.h"

namespace {

class HexEditUndoTest : public HexEditFixture
{
protected:
    void Type(const char* text)
    {
        for (const char* at = text; *at; ++at)
            m_editor.SendMessage(WM_CHAR, static_cast<BYTE>(*at), 1);
    }
    int UndoAll()
    {
        int steps = 0;
        for (; m_editor.CanUndo(); ++steps)
            m_editor.Undo();
        return steps;
    }
    int RedoAll()
    {
        int steps = 0;
        for (; m_editor.CanRedo(); ++steps)
            m_editor.Redo();
        return steps;
    }
    // The data after each undo (or redo) step until the history runs out.
    std::vector<Bytes> Trail(bool undo)
    {
        std::vector<Bytes> trail;
        while (undo ? m_editor.CanUndo() : m_editor.CanRedo()) {
            if (undo)
                m_editor.Undo();
            else
                m_editor.Redo();
            trail.push_back(m_editor.Data());
        }
        return trail;
    }
};

// One random change through the editor's own operations, each recorded for undo.
void ApplyRandomEdit(CTestHexEdit& editor, std::mt19937& random)
{
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto randomBytes = [&](int count) {
        Bytes bytes(static_cast<size_t>(count));
        for (BYTE& byte : bytes)
            byte = static_cast<BYTE>(pick(0, 255));
        return bytes;
    };
    const int size = editor.GetDataSize();
    editor.SelectionStart = editor.SelectionEnd = -1;
    editor.Caret = pick(0, size);
    editor.Nibble = 0;
    editor.SetInsertMode(pick(0, 1) == 1);
    switch (pick(0, 6)) {
    case 0: {
        const Bytes bytes = randomBytes(pick(1, 20));
        editor.InsertBytesAtCaret(bytes.data(), static_cast<UINT>(bytes.size()));
        break;
    }
    case 1:
        if (size > 0) {
            const int offset = pick(0, size - 1);
            editor.DeleteBytes(offset, pick(1, size - offset));
        }
        break;
    case 2:
    case 3:
        if (size > 0) {
            editor.SelectionStart = pick(0, size - 1);
            editor.SelectionEnd = pick(editor.SelectionStart, size - 1);
            if (pick(0, 1) == 1) {
                const Bytes bytes = randomBytes(pick(1, 20));
                editor.InsertBytesAtCaret(bytes.data(), static_cast<UINT>(bytes.size()));
            } else if (pick(0, 1) == 1) {
                editor.DeleteSelection();
            } else {
                editor.ClearSelection();
            }
        }
        break;
    case 4: {
        const char digits[] = {"0123456789abcdef"[pick(0, 15)], "0123456789ABCDEF"[pick(0, 15)]};
        for (const char digit : digits)
            editor.SendMessage(WM_CHAR, static_cast<BYTE>(digit), 1);
        break;
    }
    case 5:
        editor.SetData(ToArray(randomBytes(pick(0, 40))));
        break;
    case 6:
        if (pick(0, 1) == 1)
            editor.Undo();
        else
            editor.Redo();
        break;
    }
}

TEST_F(HexEditUndoTest, RandomEditsUndoneFullyAndRedoneFullyGiveBackBothEnds)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        const Bytes original = {0x10, 0x20, 0x30, 0x40, 0x50};
        m_editor.SetData(ToArray(original));
        m_editor.ClearUndo();
        for (int edit = 0; edit < 150; ++edit)
            ApplyRandomEdit(m_editor, random);
        // The sequence may end with undone steps; the history's far end is after them.
        RedoAll();
        const Bytes result = m_editor.Data();

        const int undone = UndoAll();
        EXPECT_EQ(original, m_editor.Data()) << "seed " << seed;
        EXPECT_EQ(undone, RedoAll()) << "seed " << seed;
        EXPECT_EQ(result, m_editor.Data()) << "seed " << seed;
        EXPECT_FALSE(m_editor.CanRedo());
    }
}

TEST_F(HexEditUndoTest, After1000EditsOnlyTheNewest999CanBeUndone)
{
    const BYTE byte = 0x7E;
    for (int edit = 0; edit < 1000; ++edit)
        m_editor.InsertBytesAtCaret(&byte, 1);
    EXPECT_EQ(1000, m_editor.GetDataSize());
    EXPECT_EQ(999, UndoAll());
    EXPECT_EQ(Bytes{0x7E}, m_editor.Data());
    EXPECT_EQ(999, RedoAll());
    EXPECT_EQ(1000, m_editor.GetDataSize());
}

TEST_F(HexEditUndoTest, ReplacementsPastTheByteBudgetLoseTheirOldestSteps)
{
    struct Case
    {
        const char* what;
        size_t budget;
        std::vector<Bytes> loads;      // handed to SetData in turn
        std::vector<Bytes> undoTrail;  // the data after each undo
    };
    const Bytes first(40, 0xAA);
    const Bytes second(40, 0xBB);
    const Bytes third(40, 0xCC);
    const Bytes fourth(40, 0xDD);
    const Bytes large(150, 0xEE);
    const Bytes small(10, 0x11);
    const Case cases[] = {
        {"two removals of 40 fill 80", 80, {first, second, third}, {{}, second, {}, first, {}}},
        {"the third removal of 40 drops the first", 100, {first, second, third, fourth},
         {{}, third, {}, second, {}}},
        {"a removal larger than the budget stays, alone", 100, {first, large, small},
         {{}, large}},
    };
    for (const Case& c : cases) {
        m_editor.SetData(COleSafeArray());
        m_editor.ClearUndo();
        m_editor.m_undoByteBudget = c.budget;
        for (const Bytes& data : c.loads)
            m_editor.SetData(ToArray(data));
        EXPECT_EQ(c.undoTrail, Trail(true)) << c.what;
    }
}

TEST_F(HexEditUndoTest, UndoneReplacementsPastTheByteBudgetLoseTheirFarthestRedoSteps)
{
    m_editor.m_undoByteBudget = 100;
    const Bytes first(40, 0xAA);
    const Bytes second(40, 0xBB);
    const Bytes third(40, 0xCC);
    for (const Bytes& data : {first, second, third})
        m_editor.SetData(ToArray(data));
    // Each undone load puts its 40 bytes on the redo list: the third there drops the first
    // there, those of the newest load.
    EXPECT_EQ((std::vector<Bytes>{{}, second, {}, first, {}}), Trail(true));
    EXPECT_EQ((std::vector<Bytes>{first, {}, second, {}}), Trail(false));
}

TEST_F(HexEditUndoTest, AReplacementIsUndoneInTwoSteps)
{
    m_editor.SetData(ToArray(Bytes{1, 2, 3}));
    m_editor.SetData(ToArray(Bytes{9, 9}));
    m_editor.Undo();
    EXPECT_EQ(Bytes{}, m_editor.Data());
    m_editor.Undo();
    EXPECT_EQ((Bytes{1, 2, 3}), m_editor.Data());
    m_editor.Redo();
    m_editor.Redo();
    EXPECT_EQ((Bytes{9, 9}), m_editor.Data());
}

TEST_F(HexEditUndoTest, ClearingAllTheDataMovesItsBufferToTheHistoryAndBackWithoutACopy)
{
    // A copy would need a second buffer of the data's size: for a send buffer of hundreds of
    // megabytes more than a 32-bit process may find.
    const Bytes bytes(4096, 0x5A);
    m_editor.SetData(ToArray(bytes));
    const BYTE* const buffer = m_editor.m_data.GetData();
    m_editor.SetData(COleSafeArray());
    EXPECT_EQ(buffer, m_editor.m_undo.back().savedBytes.GetData()) << "cleared";
    m_editor.Undo();
    EXPECT_EQ(buffer, m_editor.m_data.GetData()) << "clear undone";
    m_editor.Undo();
    EXPECT_EQ(buffer, m_editor.m_redo.back().savedBytes.GetData()) << "load undone";
    m_editor.Redo();
    EXPECT_EQ(buffer, m_editor.m_data.GetData()) << "load redone";
    m_editor.Redo();
    EXPECT_EQ(buffer, m_editor.m_undo.back().savedBytes.GetData()) << "clear redone";
    m_editor.Undo();
    EXPECT_EQ(bytes, m_editor.Data());
}

TEST_F(HexEditUndoTest, AnInsertOverASelectionIsUndoneInTwoSteps)
{
    m_editor.SetData(ToArray(Bytes{1, 2, 3, 4}));
    m_editor.SelectionStart = 1;
    m_editor.SelectionEnd = 2;
    const Bytes pasted = {7, 8, 9};
    m_editor.InsertBytesAtCaret(pasted.data(), 3);
    EXPECT_EQ((Bytes{1, 7, 8, 9, 4}), m_editor.Data());
    m_editor.Undo();
    EXPECT_EQ((Bytes{1, 4}), m_editor.Data());
    m_editor.Undo();
    EXPECT_EQ((Bytes{1, 2, 3, 4}), m_editor.Data());
}

TEST_F(HexEditUndoTest, ANewEditEmptiesTheRedoListAnUndoKeepsTheRest)
{
    m_editor.SetData(ToArray(Bytes{1, 2, 3}));
    m_editor.DeleteBytes(0, 1);
    m_editor.DeleteBytes(0, 1);
    m_editor.Undo();
    m_editor.Undo();
    m_editor.Redo();
    EXPECT_TRUE(m_editor.CanRedo()) << "the second deletion is still there to redo";
    m_editor.Undo();
    EXPECT_TRUE(m_editor.CanRedo());
    m_editor.DeleteBytes(2, 1);
    EXPECT_FALSE(m_editor.CanRedo());
}

TEST_F(HexEditUndoTest, TypingWritesDigitsAndCharactersByTheMode)
{
    struct Case
    {
        Bytes data;
        bool insert;
        bool onHex;
        int caret;
        const char* typed;
        Bytes expected;
        int caretAfter;
    };
    const Case cases[] = {
        // At the end position: appended in insert mode, refused in overwrite mode.
        {{0x01}, true, true, 1, "41", {0x01, 0x41}, 2},
        {{0x01}, false, true, 1, "41", {0x01}, 1},
        // One digit inserts a byte with that high digit; the old byte moves right.
        {{0x01}, true, true, 0, "7", {0x70, 0x01}, 0},
        {{0x12, 0x34}, false, true, 0, "ab", {0xAB, 0x34}, 1},
        {{0x12}, true, true, 0, "xg-", {0x12}, 0},
        {{0x12}, true, false, 0, "Az", {0x41, 0x7A, 0x12}, 2},
        {{0x12}, false, false, 0, "\tA", {0x41}, 1},
    };
    for (const Case& c : cases) {
        m_editor.SetData(ToArray(c.data));
        m_editor.SetInsertMode(c.insert);
        m_editor.SetCaretOnHex(c.onHex);
        m_editor.Caret = c.caret;
        Type(c.typed);
        EXPECT_EQ(c.expected, m_editor.Data()) << c.typed;
        EXPECT_EQ(c.caretAfter, m_editor.Caret) << c.typed;
    }
}

TEST_F(HexEditUndoTest, TwoDigitsTypedInInsertModeLeaveAnInsertAndAnOverwrite)
{
    m_editor.SetData(ToArray(Bytes{0x01}));
    m_editor.ClearUndo();
    Type("41");
    EXPECT_EQ((Bytes{0x41, 0x01}), m_editor.Data());
    m_editor.Undo();
    EXPECT_EQ((Bytes{0x40, 0x01}), m_editor.Data());
    m_editor.Undo();
    EXPECT_EQ(Bytes{0x01}, m_editor.Data());
    EXPECT_FALSE(m_editor.CanUndo());
}

TEST_F(HexEditUndoTest, AReadOnlyEditorTakesNoTypingNorWrites)
{
    m_editor.SetData(ToArray(Bytes{0x01}));
    m_editor.SetEditable(FALSE);
    Type("AB");
    const BYTE byte = 0x55;
    m_editor.InsertBytesAtCaret(&byte, 1);
    EXPECT_EQ(Bytes{0x01}, m_editor.Data());
}

TEST_F(HexEditUndoTest, AnEmptyOrOversizedGapIsRefusedAndTheDataStays)
{
    m_editor.SetData(ToArray(Bytes{1, 2}));
    for (const int count : {0, -1, 0x7FFFFFFE}) {
        bool thrown = false;
        try {
            m_editor.InsertBytes(1, count);
        } catch (CMemoryException* e) {
            e->Delete();
            thrown = true;
        }
        EXPECT_TRUE(thrown) << count;
        EXPECT_EQ((Bytes{1, 2}), m_editor.Data()) << count;
    }
}

} // namespace
