// COleSafeArray: the program's byte-array value, a one-dimensional array of unsigned bytes that
// knows its length and is copied deeply. It keeps the interface of an OLE safe array of VT_UI1
// but is a plain byte vector: no VARIANT, no locking.
#pragma once

#include <vector>

#include "platform/Types.h"

class COleSafeArray
{
public:
    COleSafeArray() = default;

    // vtSrc must be VT_UI1 (CInvalidArgException* otherwise); the bytes are zero without pvSrcData.
    void CreateOneDim(VARTYPE vtSrc, DWORD dwElements, const void* pvSrcData = nullptr);
    DWORD GetOneDimSize() const { return GetSize(); }
    // Keeps the common prefix; added bytes are zero.
    void ResizeOneDim(DWORD dwElements) { m_bytes.resize(dwElements); }
    void Clear() { m_bytes.clear(); }

    // The pointer stays valid until the array is resized, cleared or recreated; there is no lock,
    // so UnaccessData has nothing to release.
    void AccessData(void** ppvData) { *ppvData = GetData(); }
    void UnaccessData() { }

    // rgIndices points at the single index; an index outside the array throws
    // CInvalidArgException*.
    void GetElement(long* rgIndices, void* pvData) const;
    void PutElement(long* rgIndices, const void* pvData);

    BYTE* GetData() { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    const BYTE* GetData() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    DWORD GetSize() const { return static_cast<DWORD>(m_bytes.size()); }

    friend bool operator==(const COleSafeArray&, const COleSafeArray&) = default;

private:
    size_t CheckedIndex(const long* rgIndices) const;

    std::vector<BYTE> m_bytes;
};
