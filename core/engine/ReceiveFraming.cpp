#include "core/engine/ReceiveFraming.h"

#include <algorithm>

CReceiveFraming::CReceiveFraming(int mode, int size, const COleSafeArray& delimiters)
    : m_mode(FRAMING_RAW)
{
    if (mode == FRAMING_FIXED_SIZE && size > 0) {
        m_mode = FRAMING_FIXED_SIZE;
        m_size = static_cast<size_t>(size);
    } else if (mode == FRAMING_DELIMITER && delimiters.GetSize() > 0) {
        m_mode = FRAMING_DELIMITER;
        for (DWORD i = 0; i < delimiters.GetSize(); ++i)
            m_isDelimiter[delimiters.GetData()[i]] = true;
    }
}

bool CReceiveFraming::Add(const BYTE* data, DWORD size, const BlockTaker& take)
{
    if (m_mode == FRAMING_RAW)
        return take(data, size);
    m_pending.insert(m_pending.end(), data, data + size);
    // Cut from the front with a cursor and drop what was taken once, so that a read of many
    // small blocks costs one pass.
    size_t taken = 0;
    bool goesOn = true;
    while (goesOn) {
        const size_t length = BlockLength(m_pending.data() + taken, m_pending.size() - taken);
        if (length == 0)
            break;
        goesOn = take(m_pending.data() + taken, static_cast<DWORD>(length));
        taken += length;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<ptrdiff_t>(taken));
    return goesOn;
}

size_t CReceiveFraming::BlockLength(const BYTE* data, size_t size) const
{
    if (m_mode == FRAMING_FIXED_SIZE)
        return size >= m_size ? m_size : 0;
    const BYTE* end = data + size;
    const BYTE* delimiter = std::find_if(data, end, [this](BYTE b) { return m_isDelimiter[b]; });
    return delimiter == end ? 0 : static_cast<size_t>(delimiter - data) + 1;
}

COleSafeArray CReceiveFraming::PendingArray() const
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(m_pending.size()), m_pending.data());
    return array;
}

std::vector<BYTE> CReceiveFraming::TakePending()
{
    std::vector<BYTE> pending;
    pending.swap(m_pending);
    return pending;
}
