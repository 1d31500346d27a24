#include "core/RandomArea.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <ctime>
#include <utility>

#include "core/ByteReader.h"
#include "core/LittleEndian.h"
#include "core/RandomGenerator.h"

namespace {

// Floats travel through integers copied byte for byte: a float returned by value passes the x87
// stack on this target, which would turn a signalling NaN read from a file into a quiet one.
void PutFloatLE(BYTE* at, const float& value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutUInt32LE(at, bits);
}

void ReadFloatLE(CByteReader& reader, float& value)
{
    const DWORD bits = reader.ReadUInt32();
    std::memcpy(&value, &bits, sizeof bits);
}

void PutDoubleLE(BYTE* at, const double& value)
{
    ULONGLONG bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutUInt32LE(at, static_cast<DWORD>(bits));
    PutUInt32LE(at + 4, static_cast<DWORD>(bits >> 32));
}

void ReadDoubleLE(CByteReader& reader, double& value)
{
    const ULONGLONG low = reader.ReadUInt32();
    const ULONGLONG bits = low | (static_cast<ULONGLONG>(reader.ReadUInt32()) << 32);
    std::memcpy(&value, &bits, sizeof bits);
}

struct ValueType;
// Returns the value's bits, least significant byte first.
typedef ULONGLONG (*ValueProducer)(const RandomArea& area, const ValueType& type);

struct ValueType
{
    DWORD width;  // bytes per value
    bool isSigned;
    bool bigEndian;
    ValueProducer produce;
};

// min + (product of one draw per byte of the value) mod (max - min + 1), all modulo 2^32; the
// caller keeps the low bytes. The range size is taken unsigned, so a reversed range from a file
// wraps to some size instead of dividing by a negative number.
ULONGLONG IntegerValue(const RandomArea& area, const ValueType& type)
{
    DWORD product = 1;
    for (DWORD i = 0; i < type.width; ++i)
        product *= static_cast<DWORD>(DrawRandom());
    const DWORD min = type.isSigned ? static_cast<DWORD>(area.m_signedMin) : area.m_unsignedMin;
    const DWORD max = type.isSigned ? static_cast<DWORD>(area.m_signedMax) : area.m_unsignedMax;
    const DWORD size = max - min + 1;
    // The whole 32-bit range has 2^32 values, a size that wraps to 0: every product is in range.
    return size == 0 ? min + product : min + product % size;
}

// A draw placed between min and max. A range too wide for its own precision (the full float or
// double range) overflows the difference; it is then weighted from both ends instead, so the
// value stays inside the range rather than becoming infinite.
double Between(double min, double max, double difference)
{
    const double t = DrawRandom() * (1.0 / 32767.0);
    return std::isfinite(difference) ? t * difference + min : (1.0 - t) * min + t * max;
}

// The difference is rounded to single precision before the arithmetic in double precision.
ULONGLONG FloatValue(const RandomArea& area, const ValueType&)
{
    const float difference = area.m_floatMax - area.m_floatMin;
    const float value = static_cast<float>(Between(area.m_floatMin, area.m_floatMax, difference));
    return std::bit_cast<DWORD>(value);
}

ULONGLONG DoubleValue(const RandomArea& area, const ValueType&)
{
    const double value =
        Between(area.m_doubleMin, area.m_doubleMax, area.m_doubleMax - area.m_doubleMin);
    return std::bit_cast<ULONGLONG>(value);
}

// Indexed by RandomValueType.
const ValueType kValueTypes[RANDOM_TYPE_COUNT] = {
    {1, true, false, IntegerValue},   // char
    {1, false, false, IntegerValue},  // BYTE
    {2, true, false, IntegerValue},   // short(LE)
    {2, true, true, IntegerValue},    // short(BE)
    {2, false, false, IntegerValue},  // WORD(LE)
    {2, false, true, IntegerValue},   // WORD(BE)
    {4, true, false, IntegerValue},   // long(LE)
    {4, true, true, IntegerValue},    // long(BE)
    {4, false, false, IntegerValue},  // ULONG(LE)
    {4, false, true, IntegerValue},   // ULONG(BE)
    {4, true, false, FloatValue},     // float(LE)
    {4, true, true, FloatValue},      // float(BE)
    {8, true, false, DoubleValue},    // double(LE)
    {8, true, true, DoubleValue},     // double(BE)
};

// Appends the area's next values until there are at least `wanted` bytes. Values are made whole,
// so a later, longer block of the same period continues them seamlessly; only the value that
// crosses the end of the area is cut, keeping its first bytes in written order.
void MakeValues(std::vector<BYTE>& bytes, const RandomArea& area, DWORD wanted)
{
    if (bytes.size() >= wanted)
        return;
    if (area.m_type < 0 || area.m_type >= RANDOM_TYPE_COUNT) {
        bytes.resize(wanted, 0xFF);
        return;
    }
    const ValueType& type = kValueTypes[area.m_type];
    const ULONGLONG areaLength = static_cast<ULONGLONG>(area.m_end) - area.m_start + 1;
    while (bytes.size() < wanted) {
        const ULONGLONG value = type.produce(area, type);
        for (DWORD i = 0; i < type.width && bytes.size() < areaLength; ++i) {
            const DWORD byteIndex = type.bigEndian ? type.width - 1 - i : i;
            bytes.push_back(static_cast<BYTE>(value >> (8 * byteIndex)));
        }
    }
}

long long CurrentTimeSeconds()
{
    return static_cast<long long>(std::time(nullptr));
}

} // namespace

void RandomArea::ToBytes(BYTE* out) const
{
    PutUInt32LE(out, m_start);
    PutUInt32LE(out + 4, m_end);
    PutUInt32LE(out + 8, static_cast<DWORD>(m_type));
    PutUInt32LE(out + 12, static_cast<DWORD>(m_signedMin));
    PutUInt32LE(out + 16, static_cast<DWORD>(m_signedMax));
    PutUInt32LE(out + 20, m_unsignedMin);
    PutUInt32LE(out + 24, m_unsignedMax);
    PutFloatLE(out + 28, m_floatMin);
    PutFloatLE(out + 32, m_floatMax);
    PutUInt32LE(out + 36, 0);
    PutDoubleLE(out + 40, m_doubleMin);
    PutDoubleLE(out + 48, m_doubleMax);
}

void RandomArea::FromBytes(const BYTE* in)
{
    CByteReader reader(in, kRecordSize);
    m_start = reader.ReadUInt32();
    m_end = reader.ReadUInt32();
    m_type = reader.ReadInt32();
    m_signedMin = reader.ReadInt32();
    m_signedMax = reader.ReadInt32();
    m_unsignedMin = reader.ReadUInt32();
    m_unsignedMax = reader.ReadUInt32();
    ReadFloatLE(reader, m_floatMin);
    ReadFloatLE(reader, m_floatMax);
    reader.Skip(4);  // reserved
    ReadDoubleLE(reader, m_doubleMin);
    ReadDoubleLE(reader, m_doubleMax);
}

CRandomAreaList::CRandomAreaList() : CRandomAreaList(CurrentTimeSeconds)
{
}

CRandomAreaList::CRandomAreaList(Clock clock) : m_clock(std::move(clock))
{
}

void CRandomAreaList::Load(const COleSafeArray& records, int periodSeconds)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_lastGeneration = 0;
    m_period = periodSeconds;
    CByteReader reader(records.GetData(), records.GetSize());
    m_areas.clear();
    while (reader.Remaining() >= RandomArea::kRecordSize) {
        m_areas.emplace_back();
        m_areas.back().FromBytes(reader.ReadSpan(RandomArea::kRecordSize).data());
    }
    m_generated.assign(m_areas.size(), std::vector<BYTE>());
}

COleSafeArray CRandomAreaList::Apply(const COleSafeArray& data)
{
    std::lock_guard<std::mutex> hold(m_lock);
    // Only more than a whole period after the last generation; 64 bits so a huge period from a
    // file cannot overflow the sum.
    const long long now = m_clock();
    if (m_period == 0 || now > m_lastGeneration + m_period) {
        m_lastGeneration = now;
        for (std::vector<BYTE>& bytes : m_generated)
            bytes.clear();
    }

    COleSafeArray copy = data;
    const DWORD length = copy.GetSize();
    for (size_t i = 0; i < m_areas.size(); ++i) {
        const RandomArea& area = m_areas[i];
        if (area.m_start >= length || area.m_end < area.m_start)
            continue;
        const DWORD count = std::min(area.m_end, length - 1) - area.m_start + 1;
        std::vector<BYTE>& bytes = m_generated[i];
        MakeValues(bytes, area, count);
        std::memcpy(copy.GetData() + area.m_start, bytes.data(), count);
    }
    return copy;
}
