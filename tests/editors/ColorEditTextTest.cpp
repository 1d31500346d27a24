// The script editor's text without a window: whole text in and out, tab expansion, keys and
// characters with the lines, caret and anchor they leave, pastes, and undo steps.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editors/ColorEditText.h"

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const ColorEditText& text)
{
    Lines lines;
    for (int i = 0; i < text.GetLineCount(); ++i)
        lines.push_back(text.GetLine(i));
    return lines;
}

// A text of the given lines (the last included, no empty one added), caret and anchor set.
ColorEditText Make(const Lines& lines, ColorEditPos caret, ColorEditPos anchor)
{
    ColorEditText text(4);
    for (size_t i = 0; i < lines.size(); ++i)
        text.InsertLine(lines[i], static_cast<int>(i), true, false);
    text.DeleteLine(static_cast<int>(lines.size()), false);
    text.caret = caret;
    text.anchor = anchor;
    return text;
}

std::string Show(ColorEditPos pos)
{
    return "(" + std::to_string(pos.column) + "," + std::to_string(pos.line) + ")";
}

TEST(ColorEditTextTest, SetTextSplitsLinesExpandsTabsAndGetTextJoinsThem)
{
    struct Case
    {
        const char* in;
        Lines lines;
        const char* out;
    };
    const Case cases[] = {
        {"", {"", ""}, "\r\n\r\n"},
        {"x", {"x", ""}, "x\r\n\r\n"},
        {"a\nb", {"a", "b", ""}, "a\r\nb\r\n\r\n"},
        {"a\r\nb\r\n", {"a", "b", ""}, "a\r\nb\r\n\r\n"},
        {"a\r\n\r\nb", {"a", "", "b", ""}, "a\r\n\r\nb\r\n\r\n"},
        {"ab\tc", {"ab  c", ""}, "ab  c\r\n\r\n"},
        {"abcd\te\t", {"abcd    e   ", ""}, "abcd    e   \r\n\r\n"},
        {"\tx\n  \ty", {"    x", "    y", ""}, "    x\r\n    y\r\n\r\n"},
    };
    for (const Case& c : cases) {
        ColorEditText text(4);
        text.SetText(c.in);
        EXPECT_EQ(c.lines, LinesOf(text)) << c.in;
        EXPECT_EQ(c.out, text.GetText()) << c.in;
        EXPECT_EQ(1u, text.GetUndoStack().size()) << c.in;
        EXPECT_EQ(ColorEditPos(), text.caret);
    }
}

TEST(ColorEditTextTest, TheDocumentTextSurvivesSetTextUnchanged)
{
    struct Case
    {
        Lines lines;
        const char* document;
    };
    const Case cases[] = {
        {{""}, ""},
        {{"", ""}, "\r\n"},
        {{"x"}, "x\r\n"},
        {{"x", ""}, "x\r\n"},
        {{"a", "b"}, "a\r\nb\r\n"},
        {{"a", "", "b", ""}, "a\r\n\r\nb\r\n"},
    };
    for (const Case& c : cases) {
        const ColorEditText text = Make(c.lines, {}, {});
        const std::string saved = text.GetDocumentText();
        EXPECT_EQ(c.document, saved);
        ColorEditText loaded(4);
        loaded.SetText(saved);
        if (!saved.empty()) {
            EXPECT_EQ(saved, loaded.GetDocumentText()) << saved;
        }
    }
}

struct KeyCase
{
    const char* name;
    Lines lines;
    ColorEditPos caret;
    ColorEditPos anchor;
    UINT key;
    bool ctrl;
    bool shift;
    Lines linesAfter;
    ColorEditPos caretAfter;
    ColorEditPos anchorAfter;
};

TEST(ColorEditTextTest, KeysMoveEditAndSelect)
{
    // "\x82\xa0" and "\x81\x81" are double-byte characters; the second's trail byte looks like
    // a lead byte.
    const KeyCase cases[] = {
        {"left", {"abc"}, {1, 0}, {1, 0}, VK_LEFT, false, false, {"abc"}, {0, 0}, {0, 0}},
        {"left at start", {"abc"}, {0, 0}, {0, 0}, VK_LEFT, false, false, {"abc"}, {0, 0}, {0, 0}},
        {"left to previous line", {"ab", "c"}, {0, 1}, {0, 1}, VK_LEFT, false, false, {"ab", "c"}, {2, 0}, {2, 0}},
        {"left over double byte", {"a\x82\xa0"}, {3, 0}, {3, 0}, VK_LEFT, false, false, {"a\x82\xa0"}, {1, 0}, {1, 0}},
        {"left after lead-like trail", {"\x81\x81" "b"}, {3, 0}, {3, 0}, VK_LEFT, false, false, {"\x81\x81" "b"}, {2, 0}, {2, 0}},
        {"shift left extends", {"abc"}, {2, 0}, {3, 0}, VK_LEFT, false, true, {"abc"}, {1, 0}, {3, 0}},
        {"right over double byte", {"\x82\xa0" "b"}, {0, 0}, {0, 0}, VK_RIGHT, false, false, {"\x82\xa0" "b"}, {2, 0}, {2, 0}},
        {"right to next line", {"ab", "c"}, {2, 0}, {2, 0}, VK_RIGHT, false, false, {"ab", "c"}, {0, 1}, {0, 1}},
        {"right at end stays", {"ab"}, {2, 0}, {2, 0}, VK_RIGHT, false, false, {"ab"}, {2, 0}, {2, 0}},
        {"word left", {"foo bar"}, {7, 0}, {7, 0}, VK_LEFT, true, false, {"foo bar"}, {4, 0}, {4, 0}},
        {"word left over blanks", {"foo  bar"}, {5, 0}, {5, 0}, VK_LEFT, true, false, {"foo  bar"}, {0, 0}, {0, 0}},
        {"word left over punctuation", {"a.b"}, {2, 0}, {2, 0}, VK_LEFT, true, false, {"a.b"}, {1, 0}, {1, 0}},
        {"word left at column 0", {"ab", "c"}, {0, 1}, {0, 1}, VK_LEFT, true, false, {"ab", "c"}, {2, 0}, {2, 0}},
        {"word right", {"foo bar"}, {0, 0}, {0, 0}, VK_RIGHT, true, false, {"foo bar"}, {3, 0}, {3, 0}},
        {"word right from blank", {"foo bar"}, {3, 0}, {3, 0}, VK_RIGHT, true, false, {"foo bar"}, {7, 0}, {7, 0}},
        {"word right at end", {"ab", "c"}, {2, 0}, {2, 0}, VK_RIGHT, true, false, {"ab", "c"}, {0, 1}, {0, 1}},
        {"up clamps and avoids trail", {"a\x82\xa0", "abcdef"}, {2, 1}, {2, 1}, VK_UP, false, false, {"a\x82\xa0", "abcdef"}, {1, 0}, {1, 0}},
        {"down clamps", {"abcdef", "ab"}, {5, 0}, {5, 0}, VK_DOWN, false, false, {"abcdef", "ab"}, {2, 1}, {2, 1}},
        {"down on last line", {"ab"}, {1, 0}, {1, 0}, VK_DOWN, false, false, {"ab"}, {1, 0}, {1, 0}},
        {"home", {"abc"}, {2, 0}, {2, 0}, VK_HOME, false, false, {"abc"}, {0, 0}, {0, 0}},
        {"ctrl end", {"a", "bcd"}, {0, 0}, {0, 0}, VK_END, true, false, {"a", "bcd"}, {3, 1}, {3, 1}},
        {"shift end", {"abc"}, {1, 0}, {1, 0}, VK_END, false, true, {"abc"}, {3, 0}, {1, 0}},
        {"page down", {"a", "b", "c", "d", "e"}, {0, 0}, {0, 0}, VK_NEXT, false, false, {"a", "b", "c", "d", "e"}, {0, 2}, {0, 2}},
        {"page down near end", {"a", "b", "c"}, {0, 1}, {0, 1}, VK_NEXT, false, false, {"a", "b", "c"}, {0, 2}, {0, 2}},
        {"page up", {"abc", "b", "c", "d"}, {1, 3}, {1, 3}, VK_PRIOR, false, false, {"abc", "b", "c", "d"}, {1, 1}, {1, 1}},
        {"page up near start", {"abc", "b"}, {1, 1}, {1, 1}, VK_PRIOR, false, false, {"abc", "b"}, {1, 0}, {1, 0}},
        {"backspace", {"abc"}, {2, 0}, {2, 0}, VK_BACK, false, false, {"ac"}, {1, 0}, {1, 0}},
        {"backspace double byte", {"a\x82\xa0"}, {3, 0}, {3, 0}, VK_BACK, false, false, {"a"}, {1, 0}, {1, 0}},
        {"backspace after lead-like trail", {"\x81\x81" "b"}, {3, 0}, {3, 0}, VK_BACK, false, false, {"\x81\x81"}, {2, 0}, {2, 0}},
        {"backspace joins", {"ab", "cd"}, {0, 1}, {0, 1}, VK_BACK, false, false, {"abcd"}, {2, 0}, {2, 0}},
        {"backspace at start", {"ab"}, {0, 0}, {0, 0}, VK_BACK, false, false, {"ab"}, {0, 0}, {0, 0}},
        {"backspace selection", {"abc", "def"}, {1, 0}, {2, 1}, VK_BACK, false, false, {"af"}, {1, 0}, {1, 0}},
        {"delete", {"abc"}, {1, 0}, {1, 0}, VK_DELETE, false, false, {"ac"}, {1, 0}, {1, 0}},
        {"delete double byte", {"\x82\xa0" "b"}, {0, 0}, {0, 0}, VK_DELETE, false, false, {"b"}, {0, 0}, {0, 0}},
        {"delete lone lead byte", {"a\x82"}, {1, 0}, {1, 0}, VK_DELETE, false, false, {"a"}, {1, 0}, {1, 0}},
        {"delete joins", {"ab", "cd"}, {2, 0}, {2, 0}, VK_DELETE, false, false, {"abcd"}, {2, 0}, {2, 0}},
        {"delete at end", {"ab"}, {2, 0}, {2, 0}, VK_DELETE, false, false, {"ab"}, {2, 0}, {2, 0}},
        {"delete over three lines", {"abc", "def", "ghi"}, {2, 2}, {1, 0}, VK_DELETE, false, false, {"ai"}, {1, 0}, {1, 0}},
    };
    for (const KeyCase& c : cases) {
        ColorEditText text = Make(c.lines, c.caret, c.anchor);
        const ColorEditKeyResult result = text.KeyDown(c.key, c.ctrl, c.shift, 2, false);
        EXPECT_NE(COLOREDIT_KEY_IGNORED, result) << c.name;
        EXPECT_EQ(c.linesAfter, LinesOf(text)) << c.name;
        EXPECT_EQ(Show(c.caretAfter), Show(text.caret)) << c.name;
        EXPECT_EQ(Show(c.anchorAfter), Show(text.anchor)) << c.name;
    }
}

TEST(ColorEditTextTest, ReadOnlyKeepsTheTextButMoves)
{
    ColorEditText text = Make({"abc"}, {2, 0}, {2, 0});
    EXPECT_EQ(COLOREDIT_KEY_MOVED, text.KeyDown(VK_BACK, false, false, 2, true));
    EXPECT_EQ(COLOREDIT_KEY_MOVED, text.KeyDown(VK_RETURN, true, false, 2, true));
    EXPECT_FALSE(text.Char('x', true));
    EXPECT_EQ(COLOREDIT_KEY_MOVED, text.KeyDown(VK_LEFT, false, false, 2, true));
    EXPECT_EQ(Lines{"abc"}, LinesOf(text));
    EXPECT_EQ(Show({1, 0}), Show(text.caret));
    EXPECT_EQ(COLOREDIT_KEY_BREAK_LINE, text.KeyDown(VK_RETURN, true, false, 2, false));
    EXPECT_EQ(COLOREDIT_KEY_IGNORED, text.KeyDown(VK_F5, false, false, 2, false));
}

TEST(ColorEditTextTest, CharactersInsertBreakAndReplaceTheSelection)
{
    struct Case
    {
        const char* name;
        Lines lines;
        ColorEditPos caret;
        ColorEditPos anchor;
        UINT code;
        bool edited;
        Lines linesAfter;
        ColorEditPos caretAfter;
    };
    const Case cases[] = {
        {"letter", {"ac"}, {1, 0}, {1, 0}, 'b', true, {"abc"}, {2, 0}},
        {"control code", {"a"}, {1, 0}, {1, 0}, 0x19, true, {"a\x19"}, {2, 0}},
        {"tab at 2", {"ab"}, {2, 0}, {2, 0}, '\t', true, {"ab  "}, {4, 0}},
        {"tab at 4", {"abcd"}, {4, 0}, {4, 0}, '\t', true, {"abcd    "}, {8, 0}},
        {"enter", {"abcd"}, {2, 0}, {2, 0}, '\r', true, {"ab", "cd"}, {0, 1}},
        {"enter at end", {"ab", "x"}, {2, 0}, {2, 0}, '\r', true, {"ab", "", "x"}, {0, 1}},
        {"over selection", {"abcd"}, {3, 0}, {1, 0}, 'x', true, {"axd"}, {2, 0}},
        {"line feed", {"ab"}, {1, 0}, {1, 0}, '\n', false, {"ab"}, {1, 0}},
        {"backspace code", {"ab"}, {1, 0}, {1, 0}, '\b', false, {"ab"}, {1, 0}},
    };
    for (const Case& c : cases) {
        ColorEditText text = Make(c.lines, c.caret, c.anchor);
        EXPECT_EQ(c.edited, text.Char(c.code, false)) << c.name;
        EXPECT_EQ(c.linesAfter, LinesOf(text)) << c.name;
        EXPECT_EQ(Show(c.caretAfter), Show(text.caret)) << c.name;
        EXPECT_EQ(Show(c.caretAfter), Show(text.anchor)) << c.name;
        EXPECT_EQ(c.edited ? 1u : 0u, text.GetUndoStack().size()) << c.name;
    }
}

TEST(ColorEditTextTest, PastedTextBreaksLinesAtTheCaret)
{
    struct Case
    {
        const char* name;
        Lines lines;
        ColorEditPos caret;
        ColorEditPos anchor;
        const char* pasted;
        Lines linesAfter;
        ColorEditPos caretAfter;
    };
    const Case cases[] = {
        {"x and a break at the end", {"abc", "def"}, {3, 0}, {3, 0}, "x\r\n", {"abcx", "", "def"}, {0, 1}},
        {"inside a line", {"abcd"}, {2, 0}, {2, 0}, "1\r\n2\n3", {"ab1", "2", "3cd"}, {1, 2}},
        {"no break", {"abcd"}, {2, 0}, {2, 0}, "xy", {"abxycd"}, {4, 0}},
        {"tabs from the caret", {"a"}, {1, 0}, {1, 0}, "\tb\n\tc", {"a   b", "    c"}, {5, 1}},
        {"over a selection", {"abc", "def"}, {1, 1}, {1, 0}, "X", {"aXef"}, {2, 0}},
        {"nothing", {"ab"}, {1, 0}, {1, 0}, "", {"ab"}, {1, 0}},
    };
    for (const Case& c : cases) {
        ColorEditText text = Make(c.lines, c.caret, c.anchor);
        text.BeginEdit();
        text.InsertText(c.pasted);
        text.EndEdit();
        EXPECT_EQ(c.linesAfter, LinesOf(text)) << c.name;
        EXPECT_EQ(Show(c.caretAfter), Show(text.caret)) << c.name;
        EXPECT_EQ(Show(c.caretAfter), Show(text.anchor)) << c.name;
        // Every line coloured, one colour a byte.
        for (int i = 0; i < text.GetLineCount(); ++i)
            EXPECT_EQ(text.GetLine(i).size(), text.Lines().GetColors(i).size()) << c.name;
    }
}

// The text, caret and anchor at one moment.
struct Snapshot
{
    Lines lines;
    std::string caret;
    std::string anchor;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const ColorEditText& text)
{
    return {LinesOf(text), Show(text.caret), Show(text.anchor)};
}

TEST(ColorEditTextTest, UndoAndRedoAlternateBetweenTheExactStates)
{
    ColorEditText text(4);
    text.SetText("function f()\r\n  return 1\r\nend\r\n");
    text.ClearUndo();
    // Each step places caret and anchor, then edits. Undo gives back the state before the
    // edit; redo gives back its text, with the caret and anchor as the undo found them.
    std::vector<Snapshot> before;
    std::vector<Snapshot> after;
    const auto step = [&](ColorEditPos caret, ColorEditPos anchor, auto edit) {
        text.caret = caret;
        text.anchor = anchor;
        before.push_back(Take(text));
        edit();
        after.push_back(Take(text));
    };
    step({2, 1}, {2, 1}, [&] { text.Char('x', false); });
    step({3, 2}, {4, 0}, [&] { text.KeyDown(VK_BACK, false, false, 2, false); });
    step({4, 0}, {4, 0}, [&] { text.Char('\r', false); });
    step({0, 0}, {0, 0}, [&] {
        text.BeginEdit();
        text.InsertText("a\r\nb\r\nc");
        text.EndEdit();
    });
    step({0, 3}, {0, 3}, [&] { text.KeyDown(VK_BACK, false, false, 2, false); });
    step({1, 0}, {3, 2}, [&] { text.Char('z', false); });
    ASSERT_EQ(after.size(), text.GetUndoStack().size());
    EXPECT_EQ((Lines{"aznc", ""}), LinesOf(text));

    for (int round = 0; round < 2; ++round) {
        for (size_t i = after.size(); i-- > 0;) {
            ASSERT_TRUE(text.Undo());
            EXPECT_EQ(before[i], Take(text)) << "undo of step " << i;
        }
        EXPECT_FALSE(text.Undo());
        for (size_t i = 0; i < after.size(); ++i) {
            ASSERT_TRUE(text.Redo());
            Snapshot expected = i + 1 < after.size() ? before[i + 1] : after[i];
            expected.lines = after[i].lines;
            EXPECT_EQ(expected, Take(text)) << "redo of step " << i;
        }
        EXPECT_FALSE(text.Redo());
    }
    text.Undo();
    text.Char('y', false);
    EXPECT_FALSE(text.CanRedo());
}

TEST(ColorEditTextTest, BackspaceAtColumn0OfLine3IsOneGroupOfThreeRecords)
{
    ColorEditText text = Make({"a", "bc", "de", "f"}, {0, 2}, {0, 2});
    text.KeyDown(VK_BACK, false, false, 2, false);
    EXPECT_EQ((Lines{"a", "bcde", "f"}), LinesOf(text));
    ASSERT_EQ(1u, text.GetUndoStack().size());
    const ColorEditUndoGroup& group = text.GetUndoStack().back();
    ASSERT_EQ(3u, group.size());
    EXPECT_EQ(COLOREDIT_LINE_REPLACED, group[0].kind);
    EXPECT_EQ(2, group[0].line);
    EXPECT_EQ("de", group[0].text);
    EXPECT_EQ(COLOREDIT_LINE_REPLACED, group[1].kind);
    EXPECT_EQ(1, group[1].line);
    EXPECT_EQ("bc", group[1].text);
    EXPECT_EQ(COLOREDIT_LINE_DELETED, group[2].kind);
    EXPECT_EQ(2, group[2].line);
    text.Undo();
    EXPECT_EQ((Lines{"a", "bc", "de", "f"}), LinesOf(text));
    EXPECT_EQ(Show({0, 2}), Show(text.caret));
}

TEST(ColorEditTextTest, SelectedTextAndWordSelection)
{
    ColorEditText text = Make({"abc", "def", "ghi"}, {1, 2}, {2, 0});
    EXPECT_EQ("c\r\ndef\r\ng", text.GetSelectedText());
    text.caret = {0, 2};
    EXPECT_EQ("c\r\ndef\r\n", text.GetSelectedText());

    struct Case
    {
        const char* line;
        int column;
        int start;
        int end;
    };
    const Case cases[] = {
        {"print(name)", 7, 6, 10},
        {"print(name)", 2, 0, 5},
        {"a b", 1, 2, 1},          // the blank alone: caret after it, anchor before
        {"say \"hi\"", 8, 8, 8},   // at the end, after a quote
        {"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        ColorEditText words = Make({c.line}, {}, {});
        words.SelectWord(c.column, 0);
        EXPECT_EQ(Show({c.start, 0}), Show(words.caret)) << c.line << " at " << c.column;
        EXPECT_EQ(Show({c.end, 0}), Show(words.anchor)) << c.line << " at " << c.column;
    }
}

TEST(ColorEditTextTest, ThePointerNeverPlacesTheCaretInsideADoubleByteCharacter)
{
    ColorEditText text = Make({"a\x82\xa0" "b", "x"}, {}, {});
    text.PlaceCaret(2, 0, false);
    EXPECT_EQ(Show({1, 0}), Show(text.caret));
    text.PlaceCaret(40, 7, true);
    EXPECT_EQ(Show({1, 1}), Show(text.caret));
    EXPECT_EQ(Show({1, 0}), Show(text.anchor));
    text.PlaceCaret(-3, -1, false);
    EXPECT_EQ(Show({0, 0}), Show(text.anchor));
}

} // namespace
