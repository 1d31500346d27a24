// CExtAnchorMap: the children of a window that follow its client size. Each child hangs its
// left-top and right-bottom corners at points given in percent of the parent's client size,
// keeping the pixel offsets it had from them when it was anchored.
#pragma once
#include "platform/WindowLayer.h"

#include <map>

#include "platform/Geometry.h"

class CExtAnchorMap
{
public:
    // No anchor given.
    static const CSize kNone;
    static const CSize kLeftTop;
    static const CSize kRightTop;
    static const CSize kLeftBottom;
    static const CSize kRightBottom;

    // One anchored child.
    struct RDI_t
    {
        CSize leftTopAnchor;
        CSize leftTopOffset;
        CSize rightBottomAnchor;
        CSize rightBottomOffset;
    };

    // Records child of parent where it now lies; a right-bottom anchor of kNone takes the
    // left-top one (the child keeps its size). False, recording nothing, for a left-top anchor
    // of kNone, a dead window or a child that is not parent's descendant.
    bool AnchorChild(HWND parent, HWND child, CSize leftTop, CSize rightBottom);
    // Lays the children out for a client size cx x cy (negative: parent's current one) and
    // drops the children that are gone.
    void Arrange(HWND parent, int cx, int cy);

    void RemoveAll() { m_children.clear(); }
    size_t GetCount() const { return m_children.size(); }
    const RDI_t* Lookup(HWND child) const;
    // The first anchored child, in the map's order, that passes test; null when none does.
    template <class Test>
    HWND FindChild(Test test) const
    {
        for (const auto& [child, record] : m_children)
            if (test(child))
                return child;
        return nullptr;
    }

private:
    std::map<HWND, RDI_t> m_children;
};
