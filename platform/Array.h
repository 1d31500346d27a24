// CArray: a growable array over std::vector. Index errors throw CInvalidArgException* instead
// of running off the end.
#pragma once

#include <utility>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/Types.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }

    // New elements are value-initialised (zero for plain types); std::vector picks the growth.
    void SetSize(INT_PTR nNewSize, INT_PTR /*nGrowBy*/ = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        m_items.resize(nNewSize);
    }
    void RemoveAll() { m_items.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    TYPE& operator[](INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_items[Checked(nIndex)] = newElement; }
    const TYPE* GetData() const { return m_items.data(); }
    TYPE* GetData() { return m_items.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        TYPE value(newElement);  // newElement may live in this array, which is about to move
        if (nIndex >= GetSize())
            m_items.resize(nIndex + 1);
        m_items[nIndex] = std::move(value);
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        m_items.push_back(newElement);
        return GetUpperBound();
    }

    // Returns the index of the first appended element; src may be this array.
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR first = GetSize();
        const INT_PTR count = src.GetSize();
        m_items.reserve(first + count);
        for (INT_PTR i = 0; i < count; ++i)
            m_items.push_back(src.m_items[i]);
        return first;
    }

    void Copy(const CArray& src) { m_items = src.m_items; }

    // Inserting past the end first grows the array to nIndex, as callers rely on.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nCount < 0)
            AfxThrowInvalidArgException();
        TYPE value(newElement);  // newElement may live in this array
        m_items.insert(GrowTo(nIndex), nCount, value);
    }

    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        const std::vector<TYPE> added = pNewArray->m_items;  // pNewArray may be this array
        m_items.insert(GrowTo(nStartIndex), added.begin(), added.end());
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount);
    }

private:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    typename std::vector<TYPE>::iterator GrowTo(INT_PTR nIndex)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex > GetSize())
            m_items.resize(nIndex);
        return m_items.begin() + nIndex;
    }

    std::vector<TYPE> m_items;
};
