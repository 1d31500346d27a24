#include "core/ByteReader.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ByteArrays.h"

namespace {

enum ReadKind { kUInt8, kUInt16, kUInt32, kInt32, kSpan, kCounted, kSkip };

struct Read
{
    ReadKind kind;
    DWORD count = 0;  // of kSpan and kSkip
};

std::string Hex(const char* format, unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string SpanText(std::span<const BYTE> span)
{
    std::string text = "[";
    for (BYTE byte : span)
        text += Hex("%02X", byte);
    return text + "]";
}

// What each read returned, separated by spaces; a skip returns nothing.
std::string Trace(CByteReader& reader, const std::vector<Read>& reads)
{
    std::string trace;
    for (const Read& read : reads) {
        std::string value;
        switch (read.kind) {
        case kUInt8: value = Hex("%02X", reader.ReadUInt8()); break;
        case kUInt16: value = Hex("%04X", reader.ReadUInt16()); break;
        case kUInt32: value = Hex("%08X", static_cast<unsigned>(reader.ReadUInt32())); break;
        case kInt32: value = std::to_string(reader.ReadInt32()); break;
        case kSpan: value = SpanText(reader.ReadSpan(read.count)); break;
        case kCounted: value = SpanText(reader.ReadCounted()); break;
        case kSkip: reader.Skip(read.count); continue;
        }
        trace += (trace.empty() ? "" : " ") + value;
    }
    return trace;
}

TEST(ByteReaderTest, ReadsStopAtTheEndAndAFailureSticks)
{
    const struct
    {
        const char* what;
        Bytes input;
        std::vector<Read> reads;
        const char* trace;
        bool failed;
        DWORD remaining;
    } cases[] = {
        {"each kind in order, little-endian",
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b', 0x7F},
         {{kUInt8}, {kUInt16}, {kUInt32}, {kInt32}, {kSpan, 2}},
         "01 0302 07060504 -2 [6162]", false, 1},
        {"u8 at the exact end", {0xAB}, {{kUInt8}}, "AB", false, 0},
        {"u8 of nothing", {}, {{kUInt8}}, "00", true, 0},
        {"u16 one past the end", {0x34}, {{kUInt16}}, "0000", true, 0},
        {"u32 at the exact end", {1, 2, 3, 4}, {{kUInt32}}, "04030201", false, 0},
        {"u32 one past the end", {1, 2, 3}, {{kUInt32}}, "00000000", true, 0},
        {"i32 one past the end", {0xFF, 0xFF, 0xFF}, {{kInt32}}, "0", true, 0},
        {"span at the exact end", {1, 2, 3}, {{kSkip, 1}, {kSpan, 2}}, "[0203]", false, 0},
        {"span one past the end", {1, 2, 3}, {{kSkip, 1}, {kSpan, 3}}, "[]", true, 0},
        {"empty span of nothing", {}, {{kSpan, 0}}, "[]", false, 0},
        {"span of 0xFFFFFFFF bytes", {1}, {{kSpan, 0xFFFFFFFF}}, "[]", true, 0},
        {"skip to the exact end", {1, 2}, {{kSkip, 2}}, "", false, 0},
        {"skip one past the end", {1, 2}, {{kSkip, 3}}, "", true, 0},
        {"counted at the exact end", {2, 0, 0, 0, 'a', 'b'}, {{kCounted}}, "[6162]", false, 0},
        {"counted, empty", {0, 0, 0, 0, 9}, {{kCounted}}, "[]", false, 1},
        {"counted, longer than what remains", {3, 0, 0, 0, 'a', 'b'}, {{kCounted}}, "[]", true, 0},
        {"counted, its count cut short", {2, 0, 0}, {{kCounted}}, "[]", true, 0},
        {"counted, 0xFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF, 1}, {{kCounted}}, "[]", true, 0},
        {"counted, a count that wraps when the count's own 4 bytes are added",
         {0xFD, 0xFF, 0xFF, 0xFF, 1, 2, 3}, {{kCounted}}, "[]", true, 0},
        {"after a short read, reads that would fit fail too",
         {1, 2, 3}, {{kUInt32}, {kUInt8}, {kSpan, 0}, {kCounted}}, "00000000 00 [] []", true, 0},
        {"after a failed skip, nothing is read",
         {1, 2, 3, 4}, {{kSkip, 5}, {kUInt8}, {kUInt16}}, "00 0000", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CByteReader reader(c.input.data(), static_cast<DWORD>(c.input.size()));
        EXPECT_EQ(c.trace, Trace(reader, c.reads));
        EXPECT_EQ(c.failed, reader.Failed());
        EXPECT_EQ(c.remaining, reader.Remaining());
    }
}

// A reader taken over a span it read stops at that span's end, not at its parent's.
TEST(ByteReaderTest, AReaderOverASpanEndsWithTheSpan)
{
    const Bytes bytes = {1, 2, 3, 4, 5, 6};
    CByteReader reader(bytes.data(), static_cast<DWORD>(bytes.size()));
    CByteReader part(reader.ReadSpan(3));
    EXPECT_EQ(WORD{0x0201}, part.ReadUInt16());
    EXPECT_EQ(WORD{0}, part.ReadUInt16());
    EXPECT_TRUE(part.Failed());
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(WORD{0x0504}, reader.ReadUInt16());
}

} // namespace
