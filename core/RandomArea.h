// RandomArea: one random-data area of a port, kept in the port's settings as a 56-byte
// little-endian record. CRandomAreaList: the port's areas while it runs; it writes their random
// values into copies of the outgoing data and makes new values once per period.
#pragma once
#include <functional>
#include <mutex>
#include <vector>

#include "platform/SafeArray.h"
#include "platform/Types.h"

// The value types in the order the random-data dialog lists them; BE types are written most
// significant byte first. Any other number fills its area with 0xFF bytes.
enum RandomValueType
{
    RANDOM_CHAR = 0,
    RANDOM_BYTE = 1,
    RANDOM_SHORT_LE = 2,
    RANDOM_SHORT_BE = 3,
    RANDOM_WORD_LE = 4,
    RANDOM_WORD_BE = 5,
    RANDOM_LONG_LE = 6,
    RANDOM_LONG_BE = 7,
    RANDOM_ULONG_LE = 8,
    RANDOM_ULONG_BE = 9,
    RANDOM_FLOAT_LE = 10,
    RANDOM_FLOAT_BE = 11,
    RANDOM_DOUBLE_LE = 12,
    RANDOM_DOUBLE_BE = 13,
    RANDOM_TYPE_COUNT = 14,
};

struct RandomArea
{
    static constexpr DWORD kRecordSize = 56;

    // Writes kRecordSize bytes; the reserved bytes 36 to 39 are written as zero.
    void ToBytes(BYTE* out) const;
    // Reads kRecordSize bytes; the reserved bytes are ignored.
    void FromBytes(const BYTE* in);

    DWORD m_start = 0;  // index of the first byte of the area in the outgoing data
    DWORD m_end = 0;    // index of the last byte, inclusive
    int m_type = RANDOM_CHAR;
    // Only the pair of the area's type is used: signed for char, short and long, unsigned for
    // BYTE, WORD and ULONG.
    int m_signedMin = 0;
    int m_signedMax = 0;
    DWORD m_unsignedMin = 0;
    DWORD m_unsignedMax = 0;
    float m_floatMin = 0;
    float m_floatMax = 0;
    double m_doubleMin = 0;
    double m_doubleMax = 0;
};

class CRandomAreaList
{
public:
    // Seconds since 1970. Tests pass their own to step through periods without waiting.
    using Clock = std::function<long long()>;

    CRandomAreaList();
    explicit CRandomAreaList(Clock clock);

    // One area per whole record of the blob, in order; a trailing partial record is ignored.
    // Period 0 makes new values at every Apply, otherwise once the period has passed.
    void Load(const COleSafeArray& records, int periodSeconds);
    // A copy of the data with each area's current values written over it, cut at the end of the
    // data. Any thread may call it; each call sees one consistent set of values.
    COleSafeArray Apply(const COleSafeArray& data);

private:
    std::mutex m_lock;
    Clock m_clock;
    long long m_lastGeneration = 0;
    int m_period = 0;
    // Per area, the values made so far in this period. They are made only as far as the data
    // reaches, so an area whose end lies far beyond any real data costs nothing.
    std::vector<std::vector<BYTE>> m_generated;
    std::vector<RandomArea> m_areas;
};
