#include "core/RandomArea.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ByteArrays.h"

#include "core/RandomGenerator.h"

namespace {

Bytes Record(const RandomArea& area)
{
    Bytes bytes(RandomArea::kRecordSize);
    area.ToBytes(bytes.data());
    return bytes;
}

RandomArea Area(DWORD start, DWORD end, int type)
{
    RandomArea area;
    area.m_start = start;
    area.m_end = end;
    area.m_type = type;
    return area;
}

RandomArea SignedArea(DWORD start, DWORD end, int type, int min, int max)
{
    RandomArea area = Area(start, end, type);
    area.m_signedMin = min;
    area.m_signedMax = max;
    return area;
}

RandomArea UnsignedArea(DWORD start, DWORD end, int type, DWORD min, DWORD max)
{
    RandomArea area = Area(start, end, type);
    area.m_unsignedMin = min;
    area.m_unsignedMax = max;
    return area;
}

// A port's generator on a clock the test moves by hand.
struct Generator
{
    explicit Generator(const std::vector<RandomArea>& areas, int period = 10)
    {
        Bytes blob;
        for (const RandomArea& area : areas) {
            const Bytes record = Record(area);
            blob.insert(blob.end(), record.begin(), record.end());
        }
        list.Load(ToArray(blob), period);
    }

    Bytes Apply(const Bytes& data) { return ToBytes(list.Apply(ToArray(data))); }

    long long now = 1000;
    CRandomAreaList list{[this] { return now; }};
};

// The draws written out independently of the generator.
struct ReferenceDraws
{
    explicit ReferenceDraws(DWORD seed) : state(seed) { }

    ULONGLONG Next()
    {
        state = (state * 214013ull + 2531011ull) % 4294967296ull;
        return (state >> 16) % 32768;
    }

    // Product of `count` draws modulo 2^32.
    ULONGLONG Product(int count)
    {
        ULONGLONG product = 1;
        for (int i = 0; i < count; ++i)
            product = product * Next() % 4294967296ull;
        return product;
    }

    ULONGLONG state;
};

Bytes Encode(ULONGLONG value, DWORD width, bool bigEndian)
{
    Bytes bytes;
    for (DWORD i = 0; i < width; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    if (bigEndian)
        std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

ULONGLONG FloatBits(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

ULONGLONG DoubleBits(double value)
{
    ULONGLONG bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(RandomAreaTest, BigEndianLongIsCutAtTheEndOfTheData)
{
    Generator generator({SignedArea(2, 5, RANDOM_LONG_BE, 0x01020304, 0x01020304)});
    const struct
    {
        size_t length;
        Bytes expected;
    } cases[] = {
        {8, {0xAA, 0xAA, 0x01, 0x02, 0x03, 0x04, 0xAA, 0xAA}},
        {6, {0xAA, 0xAA, 0x01, 0x02, 0x03, 0x04}},
        {4, {0xAA, 0xAA, 0x01, 0x02}},
        {3, {0xAA, 0xAA, 0x01}},
        {2, {0xAA, 0xAA}},  // the area starts at the end of the data
        {1, {0xAA}},
        {0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, generator.Apply(Bytes(c.length, 0xAA))) << c.length << " bytes";
}

TEST(RandomAreaTest, EmptyDataStaysEmpty)
{
    Generator generator({Area(0, 3, 14), UnsignedArea(0, 0, RANDOM_BYTE, 0, 255)}, 0);
    EXPECT_EQ(Bytes(), generator.Apply(Bytes()));
}

TEST(RandomAreaTest, EqualBoundsGiveTheBoundInTheTypesWidthAndByteOrder)
{
    // Every record carries all four pairs, each with its own bytes, so taking the wrong pair or
    // width shows. Signed 0xF8765432, unsigned 0x89ABCDEF, 1.5f = 0x3FC00000, -2.5 =
    // 0xC004000000000000.
    const struct
    {
        int type;
        Bytes value;
    } cases[] = {
        {RANDOM_CHAR, {0x32}},
        {RANDOM_BYTE, {0xEF}},
        {RANDOM_SHORT_LE, {0x32, 0x54}},
        {RANDOM_SHORT_BE, {0x54, 0x32}},
        {RANDOM_WORD_LE, {0xEF, 0xCD}},
        {RANDOM_WORD_BE, {0xCD, 0xEF}},
        {RANDOM_LONG_LE, {0x32, 0x54, 0x76, 0xF8}},
        {RANDOM_LONG_BE, {0xF8, 0x76, 0x54, 0x32}},
        {RANDOM_ULONG_LE, {0xEF, 0xCD, 0xAB, 0x89}},
        {RANDOM_ULONG_BE, {0x89, 0xAB, 0xCD, 0xEF}},
        {RANDOM_FLOAT_LE, {0x00, 0x00, 0xC0, 0x3F}},
        {RANDOM_FLOAT_BE, {0x3F, 0xC0, 0x00, 0x00}},
        {RANDOM_DOUBLE_LE, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0}},
        {RANDOM_DOUBLE_BE, {0xC0, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        const DWORD width = static_cast<DWORD>(c.value.size());
        RandomArea area = Area(1, 2 * width, c.type);
        area.m_signedMin = area.m_signedMax = static_cast<int>(0xF8765432u);
        area.m_unsignedMin = area.m_unsignedMax = 0x89ABCDEF;
        area.m_floatMin = area.m_floatMax = 1.5f;
        area.m_doubleMin = area.m_doubleMax = -2.5;
        Generator generator({area});

        Bytes expected = {0x55};
        expected.insert(expected.end(), c.value.begin(), c.value.end());
        expected.insert(expected.end(), c.value.begin(), c.value.end());
        expected.push_back(0x55);
        EXPECT_EQ(expected, generator.Apply(Bytes(2 * width + 2, 0x55))) << "type " << c.type;
    }
}

TEST(RandomAreaTest, LastValueIsCutAtTheEndOfTheArea)
{
    RandomArea doubles = Area(0, 8, RANDOM_DOUBLE_BE);
    doubles.m_doubleMin = doubles.m_doubleMax = -2.5;
    const struct
    {
        RandomArea area;
        Bytes expected;
    } cases[] = {
        {SignedArea(0, 4, RANDOM_LONG_BE, 0x01020304, 0x01020304),
         {0x01, 0x02, 0x03, 0x04, 0x01, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}},
        {doubles, {0xC0, 0x04, 0, 0, 0, 0, 0, 0, 0xC0, 0xAA}},
    };
    for (const auto& c : cases) {
        Generator generator({c.area});
        EXPECT_EQ(c.expected, generator.Apply(Bytes(10, 0xAA))) << "type " << c.area.m_type;
    }
}

TEST(RandomAreaTest, TypesOutsideTheListFillWithFF)
{
    for (int type : {14, 255, -1, INT_MIN}) {
        Generator generator({Area(1, 3, type)});
        EXPECT_EQ(Bytes({0x00, 0xFF, 0xFF, 0xFF, 0x00}), generator.Apply(Bytes(5, 0x00)))
            << "type " << type;
    }
}

TEST(RandomAreaTest, AreaEndingBeforeItsStartIsSkipped)
{
    Generator generator({Area(3, 2, 14), Area(0xFFFFFFFF, 0, 14)});
    EXPECT_EQ(Bytes(6, 0x00), generator.Apply(Bytes(6, 0x00)));
}

TEST(RandomAreaTest, ValuesFollowTheDrawsOfTheOneGenerator)
{
    RandomArea floats = Area(0, 7, RANDOM_FLOAT_LE);
    floats.m_floatMin = -2.5f;
    floats.m_floatMax = 1000.3f;
    // The full float and double ranges: their difference overflows, yet every value must stay
    // inside the range (never infinity or NaN).
    RandomArea widestFloats = Area(0, 7, RANDOM_FLOAT_BE);
    widestFloats.m_floatMin = -FLT_MAX;
    widestFloats.m_floatMax = FLT_MAX;
    RandomArea widestDoubles = Area(0, 7, RANDOM_DOUBLE_LE);
    widestDoubles.m_doubleMin = -DBL_MAX;
    widestDoubles.m_doubleMax = DBL_MAX;
    RandomArea doubles = Area(0, 7, RANDOM_DOUBLE_BE);
    doubles.m_doubleMin = -1e300;
    doubles.m_doubleMax = 3e299;

    typedef std::function<ULONGLONG(ReferenceDraws&)> Expected;
    const struct
    {
        const char* name;
        RandomArea area;
        DWORD width;
        bool bigEndian;
        Expected value;
    } cases[] = {
        {"char", SignedArea(0, 7, RANDOM_CHAR, -10, 10), 1, false,
         [](ReferenceDraws& r) { return -10 + r.Next() % 21; }},
        {"BYTE", UnsignedArea(0, 7, RANDOM_BYTE, 200, 255), 1, false,
         [](ReferenceDraws& r) { return 200 + r.Next() % 56; }},
        {"short", SignedArea(0, 7, RANDOM_SHORT_LE, -1000, 1000), 2, false,
         [](ReferenceDraws& r) { return -1000 + r.Product(2) % 2001; }},
        {"WORD", UnsignedArea(0, 7, RANDOM_WORD_BE, 100, 60000), 2, true,
         [](ReferenceDraws& r) { return 100 + r.Product(2) % 59901; }},
        {"long", SignedArea(0, 7, RANDOM_LONG_LE, -2000000000, 2000000000), 4, false,
         [](ReferenceDraws& r) { return -2000000000 + r.Product(4) % 4000000001ull; }},
        {"ULONG", UnsignedArea(0, 7, RANDOM_ULONG_BE, 5, 0xFFFFFF00), 4, true,
         [](ReferenceDraws& r) { return 5 + r.Product(4) % 0xFFFFFEFCull; }},
        // Ranges of 2^32 values: min plus the product itself.
        {"whole ULONG", UnsignedArea(0, 7, RANDOM_ULONG_LE, 0, 0xFFFFFFFF), 4, false,
         [](ReferenceDraws& r) { return r.Product(4); }},
        {"whole long", SignedArea(0, 7, RANDOM_LONG_LE, INT_MIN, INT_MAX), 4, false,
         [](ReferenceDraws& r) { return 0x80000000ull + r.Product(4); }},
        // Reversed ranges from a file: the size wraps as an unsigned 32-bit difference.
        {"reversed long", SignedArea(0, 7, RANDOM_LONG_LE, 10, -10), 4, false,
         [](ReferenceDraws& r) { return 10 + r.Product(4) % 0xFFFFFFEDull; }},
        {"reversed WORD", UnsignedArea(0, 7, RANDOM_WORD_LE, 9, 3), 2, false,
         [](ReferenceDraws& r) { return 9 + r.Product(2) % 0xFFFFFFFBull; }},
        {"float", floats, 4, false,
         [](ReferenceDraws& r) {
             const double difference = static_cast<float>(static_cast<double>(1000.3f) + 2.5);
             return FloatBits(static_cast<float>(r.Next() * (1.0 / 32767.0) * difference - 2.5));
         }},
        {"widest float", widestFloats, 4, true,
         [](ReferenceDraws& r) {
             const double t = r.Next() * (1.0 / 32767.0);
             const float value = static_cast<float>((1.0 - t) * -FLT_MAX + t * FLT_MAX);
             EXPECT_TRUE(std::isfinite(value));
             return FloatBits(value);
         }},
        {"widest double", widestDoubles, 8, false,
         [](ReferenceDraws& r) {
             const double t = r.Next() * (1.0 / 32767.0);
             const double value = (1.0 - t) * -DBL_MAX + t * DBL_MAX;
             EXPECT_TRUE(std::isfinite(value));
             return DoubleBits(value);
         }},
        {"double", doubles, 8, true,
         [](ReferenceDraws& r) {
             return DoubleBits(r.Next() * (1.0 / 32767.0) * (3e299 + 1e300) - 1e300);
         }},
    };
    for (const auto& c : cases) {
        SeedRandomWith(12345);
        ReferenceDraws reference(12345);
        Bytes expected;
        while (expected.size() < 8) {
            const Bytes value = Encode(c.value(reference), c.width, c.bigEndian);
            expected.insert(expected.end(), value.begin(), value.end());
        }
        Generator generator({c.area});
        EXPECT_EQ(expected, generator.Apply(Bytes(8, 0x00))) << c.name;
        EXPECT_EQ(reference.Next(), static_cast<ULONGLONG>(DrawRandom()))
            << c.name << ": number of draws";
    }
}

TEST(RandomAreaTest, SameBytesWithinAPeriodNewOnesAfterIt)
{
    SeedRandomWith(99);
    Generator generator({UnsignedArea(0, 7, RANDOM_ULONG_LE, 0, 0xFFFFFFFF)}, 10);
    const Bytes data(8, 0x00);

    const Bytes first = generator.Apply(data);
    generator.now += 10;  // exactly one period later: not yet past it
    EXPECT_EQ(first, generator.Apply(data));

    generator.now += 1;
    const Bytes second = generator.Apply(data);
    EXPECT_NE(first, second);
    generator.now += 10;
    EXPECT_EQ(second, generator.Apply(data));
}

TEST(RandomAreaTest, PeriodZeroMakesNewBytesAtEveryCall)
{
    SeedRandomWith(99);
    Generator generator({UnsignedArea(0, 7, RANDOM_ULONG_LE, 0, 0xFFFFFFFF)}, 0);
    const Bytes data(8, 0x00);
    const Bytes first = generator.Apply(data);
    const Bytes second = generator.Apply(data);
    EXPECT_NE(first, second);
    EXPECT_NE(second, generator.Apply(data));
}

TEST(RandomAreaTest, FarEndMakesOnlyWhatTheDataTakes)
{
    SeedRandomWith(5);
    ReferenceDraws reference(5);
    Generator generator({UnsignedArea(0, 0xFFFFFFFF, RANDOM_ULONG_LE, 0, 0xFFFFFFFF),
                         Area(0, 0xFFFFFFF0, 14)});
    const Bytes result = generator.Apply(Bytes(16, 0x00));
    // The second area is applied last and covers everything.
    EXPECT_EQ(Bytes(16, 0xFF), result);
    // Four values of four draws each, no more.
    for (int i = 0; i < 16; ++i)
        reference.Next();
    EXPECT_EQ(reference.Next(), static_cast<ULONGLONG>(DrawRandom()));
}

TEST(RandomAreaTest, LongerBlockInThePeriodContinuesTheSameBytes)
{
    SeedRandomWith(5);
    Generator generator({UnsignedArea(2, 0xFFFFFFF0, RANDOM_ULONG_BE, 0, 0xFFFFFFFF)}, 10);
    const Bytes shortBlock = generator.Apply(Bytes(8, 0x00));  // one and a half values
    const Bytes longBlock = generator.Apply(Bytes(20, 0x00));
    EXPECT_TRUE(std::equal(shortBlock.begin(), shortBlock.end(), longBlock.begin()));
    EXPECT_EQ(Bytes(longBlock.begin(), longBlock.begin() + 5), generator.Apply(Bytes(5, 0x00)));

    // The continuation equals what one long block would have got at once.
    SeedRandomWith(5);
    Generator atOnce({UnsignedArea(2, 0xFFFFFFF0, RANDOM_ULONG_BE, 0, 0xFFFFFFFF)}, 10);
    EXPECT_EQ(longBlock, atOnce.Apply(Bytes(20, 0x00)));
}

TEST(RandomAreaTest, LoadIgnoresATrailingPartialRecord)
{
    const Bytes whole = Record(UnsignedArea(0, 0, RANDOM_BYTE, 0x11, 0x11));
    const Bytes partial = Record(Area(1, 3, 14));
    Bytes blob = whole;
    blob.insert(blob.end(), partial.begin(), partial.end() - 1);

    CRandomAreaList list;
    list.Load(ToArray(blob), 0);
    EXPECT_EQ(Bytes({0x11, 0x00, 0x00, 0x00}), ToBytes(list.Apply(ToArray(Bytes(4, 0x00)))));

    list.Load(ToArray(Bytes(partial.begin(), partial.end() - 1)), 0);
    EXPECT_EQ(Bytes(4, 0x00), ToBytes(list.Apply(ToArray(Bytes(4, 0x00)))));
}

TEST(RandomAreaTest, RecordLayoutIsLittleEndianAndRoundTrips)
{
    const Bytes record = {
        0x04, 0x03, 0x02, 0x01,                          // start
        0xF0, 0xFF, 0xFF, 0xFF,                          // end
        0x0B, 0x00, 0x00, 0x00,                          // type: float(BE)
        0xFE, 0xFF, 0xFF, 0xFF,                          // signed minimum -2
        0x00, 0x00, 0x00, 0x80,                          // signed maximum INT_MIN
        0xEF, 0xCD, 0xAB, 0x89,                          // unsigned minimum
        0xFF, 0xFF, 0xFF, 0xFF,                          // unsigned maximum
        0x00, 0x00, 0xC0, 0xBF,                          // float minimum -1.5
        0x01, 0x00, 0xA0, 0x7F,                          // float maximum: a signalling NaN
        0x00, 0x00, 0x00, 0x00,                          // reserved
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x40,  // double minimum 2.5
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x7F,  // double maximum: a signalling NaN
    };
    ASSERT_EQ(RandomArea::kRecordSize, record.size());

    RandomArea area;
    area.FromBytes(record.data());
    EXPECT_EQ(0x01020304u, area.m_start);
    EXPECT_EQ(0xFFFFFFF0u, area.m_end);
    EXPECT_EQ(RANDOM_FLOAT_BE, area.m_type);
    EXPECT_EQ(-2, area.m_signedMin);
    EXPECT_EQ(INT_MIN, area.m_signedMax);
    EXPECT_EQ(0x89ABCDEFu, area.m_unsignedMin);
    EXPECT_EQ(0xFFFFFFFFu, area.m_unsignedMax);
    EXPECT_EQ(-1.5f, area.m_floatMin);
    EXPECT_EQ(0x7FA00001u, FloatBits(area.m_floatMax));
    EXPECT_EQ(2.5, area.m_doubleMin);
    EXPECT_EQ(0x7FF0000000000001ull, DoubleBits(area.m_doubleMax));

    EXPECT_EQ(record, Record(area));
}

// Each call regenerates as one step: with period 0 every call draws exactly its own whole set of
// values, however the calls of two threads overlap.
TEST(RandomAreaTest, ConcurrentCallsEachMakeTheirOwnValues)
{
    const int calls = 2000;
    SeedRandomWith(3);
    Generator generator({UnsignedArea(0, 255, RANDOM_WORD_BE, 0, 65535)}, 0);
    auto work = [&generator] {
        for (int i = 0; i < calls; ++i)
            generator.Apply(Bytes(256, 0x00));
    };
    std::thread a(work);
    std::thread b(work);
    a.join();
    b.join();

    // 128 values of two draws per call.
    ReferenceDraws reference(3);
    for (int i = 0; i < 2 * calls * 128 * 2; ++i)
        reference.Next();
    EXPECT_EQ(reference.Next(), static_cast<ULONGLONG>(DrawRandom()));
}

} // namespace
