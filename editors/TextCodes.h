// The character codes of the hex editor's text column, without windows: how bytes of "ASCII",
// Shift_JIS, JIS (ISO-2022-JP), EUC-JP and UTF-8 show cell by cell, what an input-method
// character becomes in each, and the whole-data conversions between the bytes and text in the
// ANSI code page (code page 932). Tested by tables.
#pragma once
#include <windows.h>

#include <string>

enum TextCodeId
{
    TEXTCODE_ASCII = 0,
    TEXTCODE_SHIFTJIS = 1,
    TEXTCODE_JIS = 2,
    TEXTCODE_EUC = 3,
    TEXTCODE_UTF8 = 4,
};

// Byte classes. Printable means 0x20..0x7E, whatever the C runtime's locale.
// Shift_JIS: 0 printable, 1 half-width katakana, 2 lead byte, -1 other.
int ShiftJisClassOf(BYTE byte);
// EUC: 1 single shift 2 (0x8E), 2 first byte of a pair (0xA1..0xFE), 0 printable, -1 other.
int EucClassOf(BYTE byte);
// UTF-8: 0 printable ASCII, -1 other ASCII, 1 continuation, 2..8 the length a lead byte starts.
int Utf8ClassOf(BYTE byte);

// Pair conversions, in place; they check no ranges.
void ShiftJisToJis(BYTE pair[2]);
void JisToShiftJis(BYTE pair[2]);
void ShiftJisToEuc(BYTE pair[2]);
void EucToShiftJis(BYTE pair[2]);
// The JIS pair of the full-width form of a half-width katakana byte (0xA1..0xDF); two '.' for
// any other byte.
void HalfKanaToJis(BYTE pair[2], BYTE byte);

// One or two ANSI bytes as UTF-8 (at most 32 bytes); empty when they do not convert.
std::string AnsiToUtf8(const char* ansi, int length);
// A UTF-8 sequence (at most its first 32 bytes) in the ANSI code page; a character without an
// ANSI form becomes the code page's default character, a sequence that is not valid UTF-8 an
// empty string.
std::string Utf8ToAnsi(const BYTE* bytes, int length);

// What one byte's text cell shows: text in the ANSI code page, drawn at the cell whole, or
// clipped to the cell as the left half of a double-width glyph, or as its right half (drawn one
// cell further left). Empty text draws nothing.
struct TextCell
{
    enum Clip
    {
        WHOLE,
        LEFT_HALF,
        RIGHT_HALF,
    };
    Clip clip = WHOLE;
    std::string text;
};

// What a byte's cell depends on besides the byte: a right half pending from the byte before,
// JIS's kanji mode and the cells UTF-8 still leaves empty.
struct TextColumnState
{
    bool pending = false;
    std::string pendingText;  // the whole glyph whose right half is pending
    bool kanji = false;
    int skip = 0;
};

// The state at byte top (a line's first byte), found from the bytes before it as the code's
// rule says: Shift_JIS and EUC walk back over their lead bytes, JIS back to the nearest escape,
// UTF-8 forward from offset 0 (so its cost grows with top: callers cache it per offset).
TextColumnState TextStateAt(int code, const BYTE* bytes, int size, int top);

// Reads the text column's cells in byte order from a state.
class CTextColumnReader
{
public:
    CTextColumnReader(int code, const BYTE* bytes, int size, TextColumnState state = {})
        : m_code(code), m_bytes(bytes), m_size(size), m_state(std::move(state))
    {
    }
    // The cell of byte o; bytes are read in order, each once.
    TextCell Next(int o);

private:
    TextCell NextJis(int o);
    TextCell NextUtf8(int o);
    // The cell of the pending right half, which it clears.
    TextCell TakePending();
    // A double-width glyph from o: its left half now, its right half pending for o + 1.
    TextCell LeftHalf(std::string glyph);

    int m_code;
    const BYTE* m_bytes;
    int m_size;
    TextColumnState m_state;
};

// The bytes one input-method character (lead byte in bits 8..15, zero for a single-byte
// character, the other byte in bits 0..7) becomes in the code; empty for nothing.
std::string ImeCharToBytes(int code, UINT character);

// The whole data as ANSI text with CR LF line breaks. True on success; false at the first byte
// the code cannot show, whose offset goes to errorOffset, with the text up to there.
bool BytesToText(int code, const BYTE* bytes, int size, std::string& text, int& errorOffset);
// The ANSI text as bytes of the code, each CR LF turned into lineEnding.
std::string TextToBytes(int code, const std::string& text, const std::string& lineEnding);
