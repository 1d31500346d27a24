#include "platform/SafeArray.h"

#include "platform/Exceptions.h"

void COleSafeArray::CreateOneDim(VARTYPE vtSrc, DWORD dwElements, const void* pvSrcData)
{
    if (vtSrc != VT_UI1)
        AfxThrowInvalidArgException();
    if (pvSrcData == nullptr) {
        m_bytes.assign(dwElements, 0);
    } else {
        const BYTE* source = static_cast<const BYTE*>(pvSrcData);
        std::vector<BYTE> bytes(
            source, source + dwElements);  // the source may be this array's own data
        m_bytes.swap(bytes);
    }
}

size_t COleSafeArray::CheckedIndex(const long* rgIndices) const
{
    if (rgIndices == nullptr || *rgIndices < 0 ||
        static_cast<unsigned long>(*rgIndices) >= m_bytes.size()) {
        AfxThrowInvalidArgException();
    }
    return static_cast<size_t>(*rgIndices);
}

void COleSafeArray::GetElement(long* rgIndices, void* pvData) const
{
    *static_cast<BYTE*>(pvData) = m_bytes[CheckedIndex(rgIndices)];
}

void COleSafeArray::PutElement(long* rgIndices, const void* pvData)
{
    m_bytes[CheckedIndex(rgIndices)] = *static_cast<const BYTE*>(pvData);
}
