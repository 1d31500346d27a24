#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "tests/platform/ThrownException.h"
#include "tests/support/TempFolder.h"

namespace {

std::vector<BYTE> Stored(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
    return file.Detach();
}

// Loading from the bytes given; returns the cause of a CArchiveException, or -1 if none.
int LoadCause(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    const auto thrown = Thrown<CArchiveException>([&] { load(ar); });
    return thrown ? thrown->m_cause : -1;
}

TEST(CArchiveTest, ScalarsAreLittleEndianAtTheirOwnSize)
{
    const std::vector<BYTE> bytes = Stored([](CArchive& ar) {
        ar << BYTE(0xAB) << WORD(0x1234) << DWORD(0x89ABCDEF) << LONG(-2) << int(0x01020304)
           << short(-3) << 'c' << 1.5f << -2.0 << LONGLONG(-5) << ULONGLONG(0x0102030405060708ULL);
    });
    const std::vector<BYTE> expected = {
        0xAB,                                            // BYTE
        0x34, 0x12,                                      // WORD
        0xEF, 0xCD, 0xAB, 0x89,                          // DWORD
        0xFE, 0xFF, 0xFF, 0xFF,                          // LONG
        0x04, 0x03, 0x02, 0x01,                          // int
        0xFD, 0xFF,                                      // short
        'c',                                             // char
        0x00, 0x00, 0xC0, 0x3F,                          // float 1.5
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0,  // double -2
        0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // LONGLONG -5
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // ULONGLONG
    };
    EXPECT_EQ(bytes, expected);

    BYTE b;
    WORD w;
    DWORD dw;
    LONG l;
    int i;
    short s;
    char c;
    float f;
    double d;
    LONGLONG ll;
    ULONGLONG ull;
    EXPECT_EQ(
        LoadCause(bytes,
            [&](CArchive& ar) { ar >> b >> w >> dw >> l >> i >> s >> c >> f >> d >> ll >> ull; }),
        -1);
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(dw, 0x89ABCDEFu);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(i, 0x01020304);
    EXPECT_EQ(s, -3);
    EXPECT_EQ(c, 'c');
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -2.0);
    EXPECT_EQ(ll, -5);
    EXPECT_EQ(ull, 0x0102030405060708ULL);
}

TEST(CArchiveTest, ExtremeValuesRoundTrip)
{
    const std::vector<BYTE> bytes =
        Stored([](CArchive& ar) { ar << INT_MIN << DBL_MAX << -FLT_MIN << LLONG_MIN; });
    int i;
    double d;
    float f;
    long long ll;
    EXPECT_EQ(LoadCause(bytes, [&](CArchive& ar) { ar >> i >> d >> f >> ll; }), -1);
    EXPECT_EQ(i, INT_MIN);
    EXPECT_EQ(d, DBL_MAX);
    EXPECT_EQ(f, -FLT_MIN);
    EXPECT_EQ(ll, LLONG_MIN);
}

TEST(CArchiveTest, StringLengthPrefixGrowsWithTheLength)
{
    const struct
    {
        int length;
        std::vector<BYTE> prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {200000, {0xFF, 0xFF, 0xFF, 0x40, 0x0D, 0x03, 0x00}},
    };
    for (const auto& c : cases) {
        std::string text(c.length, '\0');
        for (int i = 0; i < c.length; ++i)
            text[i] = static_cast<char>(i * 7);  // zeros and high bytes too
        const CString original(text.data(), c.length);
        const std::vector<BYTE> bytes = Stored([&](CArchive& ar) { ar << original; });
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + c.prefix.size()), c.prefix)
            << c.length;

        CString loaded("stale");
        EXPECT_EQ(LoadCause(bytes, [&](CArchive& ar) { ar >> loaded; }), -1) << c.length;
        EXPECT_TRUE(loaded == original) << c.length;
    }
}

TEST(CArchiveTest, EveryTruncationThrowsEndOfFile)
{
    const std::vector<BYTE> whole =
        Stored([](CArchive& ar) { ar << 7 << CString('s', 300) << 2.5; });
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        int i;
        CString s;
        double d;
        const std::vector<BYTE> truncated(whole.begin(), whole.begin() + cut);
        EXPECT_EQ(LoadCause(truncated, [&](CArchive& ar) { ar >> i >> s >> d; }),
            CArchiveException::endOfFile)
            << cut;
    }
}

TEST(CArchiveTest, CorruptStringHeadersFailCleanly)
{
    const struct
    {
        std::vector<BYTE> bytes;
        int cause;
    } cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b'},
            CArchiveException::endOfFile},  // claims 4 GB
        {{0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a', 'b'},
            CArchiveException::endOfFile},  // claims 2 GB
        {{0x05, 'a', 'b'}, CArchiveException::endOfFile},
        {{0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00},
            CArchiveException::badSchema},  // wide-character string
    };
    for (const auto& c : cases) {
        CString s;
        EXPECT_EQ(LoadCause(c.bytes, [&](CArchive& ar) { ar >> s; }), c.cause);
    }
}

TEST(CArchiveTest, ModeDecidesTheDirection)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    EXPECT_TRUE(storing.IsStoring());
    EXPECT_FALSE(storing.IsLoading());
    int value = 0;
    auto thrown = Thrown<CArchiveException>([&] { storing >> value; });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->m_cause, CArchiveException::writeOnly);

    CArchive loading(&file, CArchive::load);
    EXPECT_TRUE(loading.IsLoading());
    thrown = Thrown<CArchiveException>([&] { loading << value; });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->m_cause, CArchiveException::readOnly);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(CArchiveTest, WorksOverADiskFileAndLetsGoOnClose)
{
    TempFolder scratch;
    const std::string path = scratch.File("archive.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(ar.GetFile(), &file);
    ar << CString("name") << DWORD(42);
    ar.Close();
    EXPECT_EQ(ar.GetFile(), nullptr);
    file.Write("!", 1);  // still open

    file.SeekToBegin();
    CArchive in(&file, CArchive::load);
    CString name;
    DWORD number = 0;
    char tail = 0;
    in >> name >> number;
    EXPECT_EQ(in.Read(&tail, 2), 1u);
    EXPECT_EQ(name, "name");
    EXPECT_EQ(number, 42u);
    EXPECT_EQ(tail, '!');
}

}  // namespace
