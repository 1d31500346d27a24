// The collection templates and the named collections the program uses, which are plain
// instantiations of them.
#pragma once

#include "platform/Array.h"
#include "platform/List.h"
#include "platform/Map.h"
#include "platform/String.h"
#include "platform/Types.h"

using CStringArray = CArray<CString, const CString&>;
using CPtrArray = CArray<void*, void*>;
using CByteArray = CArray<BYTE, BYTE>;
using CWordArray = CArray<WORD, WORD>;
using CDWordArray = CArray<DWORD, DWORD>;
using CUIntArray = CArray<UINT, UINT>;

using CStringList = CList<CString, const CString&>;
using CPtrList = CList<void*, void*>;

using CMapStringToPtr = CMap<CString, LPCTSTR, void*, void*>;
using CMapPtrToPtr = CMap<void*, void*, void*, void*>;
using CMapWordToPtr = CMap<WORD, WORD, void*, void*>;

// A pointer array that hands out TYPE instead of void*. The references cast void*& to TYPE&:
// all data pointers share one representation and GCC and Clang let them alias.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex)
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex));
    }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
};
