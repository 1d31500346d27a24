// CMap: a dictionary over std::map, so iteration runs in key order and is the same on every run.
// A POSITION is the address of an entry; GetNextAssoc finds the entry's successor by its key,
// so removing the entry just returned (or any other) while iterating is safe.
#pragma once

#include <iterator>
#include <map>

#include "platform/Exceptions.h"
#include "platform/Types.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap
{
public:
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_entries.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return m_entries.empty(); }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const auto it = m_entries.find(key);
        if (it == m_entries.end())
            return FALSE;
        rValue = it->second;
        return TRUE;
    }
    // A missing key is added with a value-initialised (zero) value.
    VALUE& operator[](ARG_KEY key) { return m_entries[key]; }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { m_entries[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key) { return m_entries.erase(key) != 0; }
    void RemoveAll() { m_entries.clear(); }
    // An ordered map has no buckets to size.
    void InitHashTable(UINT /*hashSize*/, BOOL /*bAllocNow*/ = TRUE) { }

    POSITION GetStartPosition() const { return PositionOf(m_entries.begin()); }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        if (rNextPosition == nullptr)
            AfxThrowInvalidArgException();
        const Entry& entry = *reinterpret_cast<const Entry*>(rNextPosition);
        rNextPosition = PositionOf(std::next(m_entries.find(entry.first)));
        rKey = entry.first;
        rValue = entry.second;
    }

private:
    using Entries = std::map<KEY, VALUE>;
    using Entry = typename Entries::value_type;

    POSITION PositionOf(typename Entries::const_iterator it) const
    {
        return it == m_entries.end() ? nullptr
                                     : reinterpret_cast<POSITION>(const_cast<Entry*>(&*it));
    }

    Entries m_entries;
};
