// CReceiveFraming: cuts the bytes read from a serial line into received blocks, for every serial
// worker (built-in, script, extension DLL): raw (each read is one block), a fixed size, or up to
// and including the first of a set of delimiter bytes. Bytes that do not yet form a block wait as
// the pending bytes.
#pragma once
#include <functional>
#include <vector>

#include "platform/SafeArray.h"
#include "platform/Types.h"

// The serial receive-framing setting.
enum ReceiveFramingMode
{
    FRAMING_RAW = 0,
    FRAMING_FIXED_SIZE = 1,
    FRAMING_DELIMITER = 2,
};

class CReceiveFraming
{
public:
    // Takes one block; false ends the cutting (the connection ends), the rest stays pending.
    using BlockTaker = std::function<bool(const BYTE* data, DWORD size)>;

    // A size of 0 or less, an empty delimiter set or an unknown mode could never cut a block, and
    // the pending bytes would grow for as long as the line sends: those frame raw. The
    // delimiters are copied.
    CReceiveFraming(int mode, int size, const COleSafeArray& delimiters);

    // Whether blocks are cut at all (else every read is one block and nothing waits).
    bool CutsBlocks() const { return m_mode != FRAMING_RAW; }
    // Adds the bytes read and hands every complete block to take, in order. False when take
    // ended it.
    bool Add(const BYTE* data, DWORD size, const BlockTaker& take);

    const std::vector<BYTE>& Pending() const { return m_pending; }
    COleSafeArray PendingArray() const;
    // Lets the pending bytes go and gives them.
    std::vector<BYTE> TakePending();

private:
    // The length of the block at the start of the bytes, 0 when they hold none.
    size_t BlockLength(const BYTE* data, size_t size) const;

    int m_mode;
    size_t m_size = 0;
    bool m_isDelimiter[256] = {};
    std::vector<BYTE> m_pending;
};
