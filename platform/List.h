// CList: a doubly linked list over std::list. A POSITION is the address of a node, which stays
// valid while other nodes are added or removed; each node keeps its own iterator so a POSITION
// leads back to it in constant time.
#pragma once

#include <iterator>
#include <list>
#include <utility>

#include "platform/Exceptions.h"
#include "platform/Types.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList
{
public:
    CList() = default;
    // Copies values only: the nodes' own iterators must point into this list.
    CList(const CList& other) { AppendValues(other); }
    CList(CList&&) = default;
    CList& operator=(const CList& other)
    {
        CList copy(other);
        m_nodes.swap(copy.m_nodes);
        return *this;
    }
    CList& operator=(CList&&) = default;

    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_nodes.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return m_nodes.empty(); }

    // Head and tail access on an empty list throws CInvalidArgException*.
    TYPE& GetHead() { return NonEmpty().front().value; }
    const TYPE& GetHead() const { return NonEmpty().front().value; }
    TYPE& GetTail() { return NonEmpty().back().value; }
    const TYPE& GetTail() const { return NonEmpty().back().value; }

    TYPE RemoveHead()
    {
        TYPE value = std::move(NonEmpty().front().value);
        m_nodes.pop_front();
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = std::move(NonEmpty().back().value);
        m_nodes.pop_back();
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return Insert(m_nodes.begin(), TYPE(newElement)); }
    POSITION AddTail(ARG_TYPE newElement) { return Insert(m_nodes.end(), TYPE(newElement)); }
    // Both keep pNewList's order; pNewList may be this list.
    void AddHead(const CList* pNewList)
    {
        auto source = pNewList->m_nodes.end();
        for (INT_PTR i = pNewList->GetCount(); i > 0; --i)
            Insert(m_nodes.begin(), (--source)->value);
    }
    void AddTail(const CList* pNewList) { AppendValues(*pNewList); }
    void RemoveAll() { m_nodes.clear(); }

    POSITION GetHeadPosition() const { return PositionOf(m_nodes.begin()); }
    POSITION GetTailPosition() const
    {
        return m_nodes.empty() ? nullptr : PositionOf(std::prev(m_nodes.end()));
    }

    // Return the element at rPosition and move rPosition to its neighbour (null past the end).
    TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, true).value; }
    const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, true).value; }
    TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, false).value; }
    const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, false).value; }

    TYPE& GetAt(POSITION position) { return NodeAt(position).value; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position).value; }
    void SetAt(POSITION position, ARG_TYPE newElement) { NodeAt(position).value = newElement; }
    void RemoveAt(POSITION position) { m_nodes.erase(NodeAt(position).self); }

    // A null position inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        return Insert(position ? NodeAt(position).self : m_nodes.begin(), TYPE(newElement));
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        return Insert(
            position ? std::next(NodeAt(position).self) : m_nodes.end(), TYPE(newElement));
    }

    // Searches from the head, or from the node after startAfter.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        ConstIterator it =
            startAfter ? std::next(ConstIterator(NodeAt(startAfter).self)) : m_nodes.begin();
        while (it != m_nodes.end() && !(it->value == searchValue))
            ++it;
        return PositionOf(it);
    }

    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetCount())
            return nullptr;
        return PositionOf(std::next(m_nodes.begin(), nIndex));
    }

private:
    struct Node;
    using Nodes = std::list<Node>;
    using Iterator = typename Nodes::iterator;
    using ConstIterator = typename Nodes::const_iterator;
    struct Node
    {
        TYPE value;
        Iterator self;
    };

    POSITION Insert(Iterator where, TYPE value)
    {
        const Iterator inserted = m_nodes.insert(where, Node{std::move(value), Iterator()});
        inserted->self = inserted;
        return PositionOf(inserted);
    }

    void AppendValues(const CList& source)
    {
        auto it = source.m_nodes.begin();
        for (INT_PTR i = source.GetCount(); i > 0; --i)
            Insert(m_nodes.end(), (it++)->value);
    }

    POSITION PositionOf(ConstIterator it) const
    {
        return it == m_nodes.end() ? nullptr : reinterpret_cast<POSITION>(const_cast<Node*>(&*it));
    }

    static Node& NodeAt(POSITION position)
    {
        if (position == nullptr)
            AfxThrowInvalidArgException();
        return *reinterpret_cast<Node*>(position);
    }

    Node& Step(POSITION& rPosition, bool forward) const
    {
        Node& node = NodeAt(rPosition);
        if (forward) {
            rPosition = PositionOf(std::next(node.self));
        } else {
            rPosition = node.self == m_nodes.begin() ? nullptr : PositionOf(std::prev(node.self));
        }
        return node;
    }

    Nodes& NonEmpty()
    {
        if (m_nodes.empty())
            AfxThrowInvalidArgException();
        return m_nodes;
    }
    const Nodes& NonEmpty() const
    {
        if (m_nodes.empty())
            AfxThrowInvalidArgException();
        return m_nodes;
    }

    Nodes m_nodes;
};
