#include "editors/TextCodes.h"

#include <algorithm>
#include <cstring>

namespace {

const BYTE kEsc = 0x1B;
const BYTE kSingleShift2 = 0x8E;
const int kMaxConvertedBytes = 32;
// Input-method bytes are collected in a zeroed buffer of this size; they end at its first zero.
const size_t kImeBufferSize = 16;

// The full-width forms of the half-width katakana 0xA1..0xDF, in order, as Shift_JIS pairs.
const char kFullWidthKana[] =
    "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(sizeof kFullWidthKana == 63 * 2 + 1, "one Shift_JIS pair per half-width katakana");

bool IsPrintable(BYTE byte)
{
    return byte >= 0x20 && byte <= 0x7E;
}

bool IsHalfKana(BYTE byte)
{
    return byte >= 0xA1 && byte <= 0xDF;
}

char AsciiOf(BYTE byte)
{
    return IsPrintable(byte) ? static_cast<char>(byte) : '.';
}

std::string Pair(const BYTE pair[2])
{
    return std::string(reinterpret_cast<const char*>(pair), 2);
}

// The pair at bytes[o], o + 1 turned by convert into Shift_JIS.
std::string ShiftJisPairOf(const BYTE* bytes, int o, void (*convert)(BYTE*))
{
    BYTE pair[2] = {bytes[o], bytes[o + 1]};
    convert(pair);
    return Pair(pair);
}

// Whether the three bytes at o are ESC, second and 'B', all inside the data.
bool IsEscapeAt(const BYTE* bytes, int size, int o, BYTE second)
{
    return o >= 0 && o + 2 < size && bytes[o] == kEsc && bytes[o + 1] == second &&
           bytes[o + 2] == 'B';
}

const char kKanjiIn[] = "\x1B$B";
const char kKanjiOut[] = "\x1B(B";

} // namespace

int ShiftJisClassOf(BYTE byte)
{
    if (IsPrintable(byte))
        return 0;
    if (IsHalfKana(byte))
        return 1;
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF))
        return 2;
    return -1;
}

int EucClassOf(BYTE byte)
{
    if (byte == kSingleShift2)
        return 1;
    if (byte >= 0xA1 && byte <= 0xFE)
        return 2;
    return IsPrintable(byte) ? 0 : -1;
}

int Utf8ClassOf(BYTE byte)
{
    if (byte < 0x80)
        return IsPrintable(byte) ? 0 : -1;
    int ones = 0;
    for (BYTE bit = 0x80; bit != 0 && (byte & bit); bit >>= 1)
        ++ones;
    return ones;
}

void ShiftJisToJis(BYTE pair[2])
{
    const int lead = pair[0] >= 0xE0 ? pair[0] - 0x40 : pair[0];
    const int row = (lead - 0x81) * 2 + 0x21;
    const int trail = pair[1];
    if (trail >= 0x9F) {
        pair[0] = static_cast<BYTE>(row + 1);
        pair[1] = static_cast<BYTE>(trail - 0x7E);
    } else {
        pair[0] = static_cast<BYTE>(row);
        pair[1] = static_cast<BYTE>(trail - (trail >= 0x80 ? 0x20 : 0x1F));
    }
}

void JisToShiftJis(BYTE pair[2])
{
    const int row = pair[0];
    int lead = ((row - 0x21) >> 1) + 0x81;
    if (lead > 0x9F)
        lead += 0x40;
    int trail = pair[1];
    if (row & 1) {
        trail += 0x1F;
        if (trail >= 0x7F)
            ++trail;
    } else {
        trail += 0x7E;
    }
    pair[0] = static_cast<BYTE>(lead);
    pair[1] = static_cast<BYTE>(trail);
}

void ShiftJisToEuc(BYTE pair[2])
{
    ShiftJisToJis(pair);
    pair[0] = static_cast<BYTE>(pair[0] + 0x80);
    pair[1] = static_cast<BYTE>(pair[1] + 0x80);
}

void EucToShiftJis(BYTE pair[2])
{
    pair[0] = static_cast<BYTE>(pair[0] - 0x80);
    pair[1] = static_cast<BYTE>(pair[1] - 0x80);
    JisToShiftJis(pair);
}

void HalfKanaToJis(BYTE pair[2], BYTE byte)
{
    if (!IsHalfKana(byte)) {
        pair[0] = pair[1] = '.';
        return;
    }
    const char* full = kFullWidthKana + 2 * (byte - 0xA1);
    pair[0] = static_cast<BYTE>(full[0]);
    pair[1] = static_cast<BYTE>(full[1]);
    ShiftJisToJis(pair);
}

std::string AnsiToUtf8(const char* ansi, int length)
{
    WCHAR wide[4];
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, ansi, length, wide, 4);
    char utf8[kMaxConvertedBytes];
    const int utf8Length =
        wideLength > 0 ? ::WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8,
                                               kMaxConvertedBytes, nullptr, nullptr)
                       : 0;
    return std::string(utf8, static_cast<size_t>(std::max(0, utf8Length)));
}

// Whether the bytes may be one UTF-8 character: a lead byte of up to four bytes followed by
// continuation bytes. The system's conversion decides the rest; this spares it the bytes that
// plainly are none, which binary data is full of.
bool MayBeUtf8Character(const BYTE* bytes, int length)
{
    if (length < 1 || length > 4 || (length > 1 && Utf8ClassOf(bytes[0]) != length))
        return false;
    return std::all_of(bytes + 1, bytes + length, [](BYTE byte) { return Utf8ClassOf(byte) == 1; });
}

std::string Utf8ToAnsi(const BYTE* bytes, int length)
{
    // The copy ends at its first zero, like the zero-terminated string it stands for.
    const int copied = std::min(length, kMaxConvertedBytes);
    const int used = static_cast<int>(std::find(bytes, bytes + copied, 0) - bytes);
    if (!MayBeUtf8Character(bytes, used))
        return {};
    WCHAR wide[kMaxConvertedBytes];
    const int wideLength =
        used > 0 ? ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS,
                                         reinterpret_cast<const char*>(bytes), used, wide,
                                         kMaxConvertedBytes)
                 : 0;
    char ansi[2 * kMaxConvertedBytes];
    const int ansiLength = wideLength > 0 ? ::WideCharToMultiByte(CP_ACP, 0, wide, wideLength, ansi,
                                                                  sizeof ansi, nullptr, nullptr)
                                          : 0;
    return std::string(ansi, static_cast<size_t>(std::max(0, ansiLength)));
}

TextColumnState TextStateAt(int code, const BYTE* bytes, int size, int top)
{
    TextColumnState state;
    if (top <= 0 || top > size)
        return state;
    switch (code) {
    case TEXTCODE_SHIFTJIS:
    case TEXTCODE_EUC: {
        const bool euc = code == TEXTCODE_EUC;
        const auto isLead = [&](BYTE byte) {
            return euc ? EucClassOf(byte) >= 1 : ShiftJisClassOf(byte) == 2;
        };
        // A run of lead bytes pairs up from its start: odd length leaves its last byte's pair
        // open across the top. A run from offset 0 has the top's (even) length.
        int i = top - 1;
        while (i >= 0 && isLead(bytes[i]))
            --i;
        const int run = top - 1 - i;
        if (i < 0 || run % 2 == 0 || top >= size)
            break;
        state.pending = true;
        if (!euc)
            state.pendingText = std::string(reinterpret_cast<const char*>(bytes + top - 1), 2);
        else if (bytes[top - 1] == kSingleShift2)
            state.pendingText = std::string(1, static_cast<char>(bytes[top])) + ' ';
        else
            state.pendingText = ShiftJisPairOf(bytes, top - 1, EucToShiftJis);
        break;
    }
    case TEXTCODE_JIS:
        for (int i = top - 1; i >= 0; --i) {
            if (IsEscapeAt(bytes, size, i, '('))
                break;
            if (IsEscapeAt(bytes, size, i, '$')) {
                // An escape that reaches the top ends there, in ASCII mode.
                if (top - i <= 2)
                    break;
                state.kanji = true;
                // Pairs start at i + 3: one starts just before the top when top - i is even.
                if ((top - i) % 2 == 0 && top < size) {
                    state.pending = true;
                    state.pendingText = ShiftJisPairOf(bytes, top - 1, JisToShiftJis);
                }
                break;
            }
        }
        break;
    case TEXTCODE_UTF8:
        for (int o = 0; o < top;) {
            const int length = Utf8ClassOf(bytes[o]);
            if (length < 2 || o + length > size) {
                ++o;
                continue;
            }
            if (o + length <= top) {
                o += length;
                continue;
            }
            // The sequence reaches over the top: its right half or an empty cell is due there.
            const int before = top - o;
            if (before == 1) {
                state.pending = true;
                state.pendingText = Utf8ToAnsi(bytes + o, length);
                state.skip = length - 1;
            } else {
                state.skip = length - before;
            }
            break;
        }
        break;
    default:
        break;
    }
    return state;
}

TextCell CTextColumnReader::TakePending()
{
    m_state.pending = false;
    return {TextCell::RIGHT_HALF, std::move(m_state.pendingText)};
}

TextCell CTextColumnReader::LeftHalf(std::string glyph)
{
    m_state.pending = true;
    m_state.pendingText = glyph;
    return {TextCell::LEFT_HALF, std::move(glyph)};
}

TextCell CTextColumnReader::Next(int o)
{
    const BYTE byte = m_bytes[o];
    const bool hasNext = o + 1 < m_size;
    switch (m_code) {
    case TEXTCODE_SHIFTJIS: {
        if (m_state.pending)
            return TakePending();
        const int byteClass = ShiftJisClassOf(byte);
        if (byteClass == 0 || byteClass == 1)
            return {TextCell::WHOLE, std::string(1, static_cast<char>(byte))};
        if (byteClass == 2 && hasNext)
            return LeftHalf(std::string(reinterpret_cast<const char*>(m_bytes + o), 2));
        break;
    }
    case TEXTCODE_JIS:
        return NextJis(o);
    case TEXTCODE_EUC: {
        if (m_state.pending)
            return TakePending();
        const int byteClass = EucClassOf(byte);
        if (byteClass == 0)
            return {TextCell::WHOLE, std::string(1, static_cast<char>(byte))};
        // The katakana after the single shift shows whole in this cell; the next stays empty.
        if (byteClass == 1 && hasNext)
            return LeftHalf(std::string(1, static_cast<char>(m_bytes[o + 1])) + ' ');
        if (byteClass == 2 && hasNext)
            return LeftHalf(ShiftJisPairOf(m_bytes, o, EucToShiftJis));
        break;
    }
    case TEXTCODE_UTF8:
        return NextUtf8(o);
    default:
        break;
    }
    return {TextCell::WHOLE, std::string(1, AsciiOf(byte))};
}

TextCell CTextColumnReader::NextJis(int o)
{
    const BYTE byte = m_bytes[o];
    if (m_state.kanji) {
        if (m_state.pending)
            return TakePending();
        if (IsEscapeAt(m_bytes, m_size, o, '(')) {
            m_state.kanji = false;
            return {TextCell::WHOLE, std::string(1, AsciiOf(byte))};
        }
        if (o + 1 < m_size)
            return LeftHalf(ShiftJisPairOf(m_bytes, o, JisToShiftJis));
        return {TextCell::WHOLE, "."};
    }
    if (byte == 'B' && o >= 2 && m_bytes[o - 2] == kEsc && m_bytes[o - 1] == '$')
        m_state.kanji = true;
    return {TextCell::WHOLE, std::string(1, AsciiOf(byte))};
}

TextCell CTextColumnReader::NextUtf8(int o)
{
    if (m_state.pending) {
        if (m_state.skip > 0)
            --m_state.skip;
        return TakePending();
    }
    if (m_state.skip >= 1) {
        --m_state.skip;
        return {};
    }
    const BYTE byte = m_bytes[o];
    const int byteClass = Utf8ClassOf(byte);
    if (byteClass == 0)
        return {TextCell::WHOLE, std::string(1, static_cast<char>(byte))};
    if (byteClass >= 2 && o + byteClass <= m_size) {
        std::string glyph = Utf8ToAnsi(m_bytes + o, byteClass);
        m_state.skip = byteClass - 1;
        if (glyph.size() > 1)
            return LeftHalf(std::move(glyph));
        m_state.pending = true;
        m_state.pendingText = glyph;
        return {TextCell::WHOLE, std::move(glyph)};
    }
    return {TextCell::WHOLE, "."};
}

std::string ImeCharToBytes(int code, UINT character)
{
    const BYTE lead = static_cast<BYTE>(character >> 8);
    const BYTE low = static_cast<BYTE>(character);
    BYTE pair[2] = {lead, low};
    std::string bytes;
    if (lead != 0) {
        switch (code) {
        case TEXTCODE_JIS:
            ShiftJisToJis(pair);
            break;
        case TEXTCODE_EUC:
            ShiftJisToEuc(pair);
            break;
        case TEXTCODE_UTF8:
            bytes = AnsiToUtf8(reinterpret_cast<const char*>(pair), 2);
            break;
        default:
            break;
        }
        if (code != TEXTCODE_UTF8)
            bytes = Pair(pair);
    } else if (code == TEXTCODE_JIS) {
        return {};  // a single-byte character has no JIS form without escapes
    } else if (IsHalfKana(low) && code == TEXTCODE_EUC) {
        bytes = {static_cast<char>(kSingleShift2), static_cast<char>(low)};
    } else if (IsHalfKana(low) && code == TEXTCODE_UTF8) {
        bytes = AnsiToUtf8(reinterpret_cast<const char*>(&low), 1);
    } else {
        bytes = std::string(1, static_cast<char>(low));
    }
    // The bytes up to the first zero of the buffer they were collected in.
    bytes.resize(std::min(bytes.size(), kImeBufferSize - 1));
    return bytes.substr(0, bytes.find('\0'));
}

bool BytesToText(int code, const BYTE* bytes, int size, std::string& text, int& errorOffset)
{
    text.clear();
    errorOffset = 0;
    bool kanji = false;
    // What every code passes: printable bytes and tab as they are, LF as CR LF, CR LF; the
    // bytes taken, 0 for anything else.
    const auto plainBytes = [&](int o) {
        const BYTE byte = bytes[o];
        if (IsPrintable(byte) || byte == '\t') {
            text += static_cast<char>(byte);
            return 1;
        }
        if (byte == '\n') {
            text += "\r\n";
            return 1;
        }
        if (byte == '\r' && o + 1 < size && bytes[o + 1] == '\n') {
            text += "\r\n";
            return 2;
        }
        return 0;
    };
    // A converted character of count bytes.
    const auto character = [&](const std::string& converted, int count) {
        text += converted;
        return count;
    };
    for (int o = 0; o < size;) {
        const BYTE byte = bytes[o];
        const bool hasNext = o + 1 < size;
        int taken = 0;
        switch (code) {
        case TEXTCODE_SHIFTJIS: {
            const int byteClass = ShiftJisClassOf(byte);
            if (byteClass == 1)
                taken = character(std::string(1, static_cast<char>(byte)), 1);
            else if (byteClass == 2 && hasNext)
                taken = character(std::string(reinterpret_cast<const char*>(bytes + o), 2), 2);
            else if (byteClass != 2)
                taken = plainBytes(o);
            break;
        }
        case TEXTCODE_JIS:
            if (!kanji && IsEscapeAt(bytes, size, o, '$')) {
                kanji = true;
                taken = 3;
            } else if (kanji && IsEscapeAt(bytes, size, o, '(')) {
                kanji = false;
                taken = 3;
            } else if (kanji) {
                if (hasNext)
                    taken = character(ShiftJisPairOf(bytes, o, JisToShiftJis), 2);
            } else {
                taken = plainBytes(o);
            }
            break;
        case TEXTCODE_EUC: {
            const int byteClass = EucClassOf(byte);
            if (byteClass == 1 && hasNext)
                taken = character(std::string(1, static_cast<char>(bytes[o + 1])), 2);
            else if (byteClass == 2 && hasNext)
                taken = character(ShiftJisPairOf(bytes, o, EucToShiftJis), 2);
            else if (byteClass <= 0)
                taken = plainBytes(o);
            break;
        }
        case TEXTCODE_UTF8: {
            const int byteClass = Utf8ClassOf(byte);
            if (byteClass >= 2 && o + byteClass <= size) {
                // A sequence that is not UTF-8 cannot be shown.
                const std::string glyph = Utf8ToAnsi(bytes + o, byteClass);
                if (!glyph.empty())
                    taken = character(glyph, byteClass);
            } else if (byteClass <= 0) {
                taken = plainBytes(o);
            }
            break;
        }
        default:
            taken = plainBytes(o);
            break;
        }
        if (taken == 0) {
            errorOffset = o;
            return false;
        }
        o += taken;
    }
    return true;
}

std::string TextToBytes(int code, const std::string& text, const std::string& lineEnding)
{
    std::string bytes;
    bool kanji = false;
    const auto setKanji = [&](bool on) {
        if (kanji != on)
            bytes += on ? kKanjiIn : kKanjiOut;
        kanji = on;
    };
    const size_t length = text.size();
    for (size_t i = 0; i < length;) {
        const BYTE byte = static_cast<BYTE>(text[i]);
        if (byte == '\r' && i + 1 < length && text[i + 1] == '\n') {
            if (code == TEXTCODE_JIS)
                setKanji(false);
            bytes += lineEnding;
            i += 2;
            continue;
        }
        const int byteClass = ShiftJisClassOf(byte);
        const bool isPair = byteClass == 2 && i + 1 < length;
        BYTE pair[2] = {byte, isPair ? static_cast<BYTE>(text[i + 1]) : BYTE{0}};
        const bool isKana = byteClass == 1;
        switch (code) {
        case TEXTCODE_SHIFTJIS:
            bytes.append(text, i, isPair ? 2 : 1);
            break;
        case TEXTCODE_JIS:
            if (isPair || isKana) {
                setKanji(true);
                if (isPair)
                    ShiftJisToJis(pair);
                else
                    HalfKanaToJis(pair, byte);
                bytes += Pair(pair);
            } else {
                setKanji(false);
                bytes += static_cast<char>(byte);
            }
            break;
        case TEXTCODE_EUC:
            if (isPair) {
                ShiftJisToEuc(pair);
                bytes += Pair(pair);
            } else if (isKana) {
                bytes += static_cast<char>(kSingleShift2);
                bytes += static_cast<char>(byte);
            } else {
                bytes += static_cast<char>(byte);
            }
            break;
        case TEXTCODE_UTF8:
            if (isPair || isKana)
                bytes += AnsiToUtf8(text.data() + i, isPair ? 2 : 1);
            else
                bytes += static_cast<char>(byte);
            break;
        default:
            bytes += static_cast<char>(byte);
            break;
        }
        i += isPair && code != TEXTCODE_ASCII ? 2 : 1;
    }
    if (code == TEXTCODE_JIS)
        setKanji(false);
    return bytes;
}
