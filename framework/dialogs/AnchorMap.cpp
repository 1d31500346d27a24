#include "framework/dialogs/AnchorMap.h"

#include <vector>

#include "framework/paint/PaintManager.h"

const CSize CExtAnchorMap::kNone(-1, -1);
const CSize CExtAnchorMap::kLeftTop(0, 0);
const CSize CExtAnchorMap::kRightTop(100, 0);
const CSize CExtAnchorMap::kLeftBottom(0, 100);
const CSize CExtAnchorMap::kRightBottom(100, 100);

namespace {

// Invalidate, erase and validate again at once, children included, without the frame.
const UINT kTransparentRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_ALLCHILDREN |
                                RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;

} // namespace

bool CExtAnchorMap::AnchorChild(HWND parent, HWND child, CSize leftTop, CSize rightBottom)
{
    if (leftTop == kNone || !::IsWindow(parent) || !::IsWindow(child) ||
        !::IsChild(parent, child))
        return false;
    RECT client;
    ::GetClientRect(parent, &client);
    RECT bounds;
    ::GetWindowRect(child, &bounds);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    if (rightBottom == kNone)
        rightBottom = leftTop;
    const int width = client.right;
    const int height = client.bottom;
    RDI_t& record = m_children[child];
    record.leftTopAnchor = leftTop;
    record.leftTopOffset = CSize(bounds.left - leftTop.cx * width / 100,
                                 bounds.top - leftTop.cy * height / 100);
    record.rightBottomAnchor = rightBottom;
    record.rightBottomOffset = CSize(bounds.right - width * rightBottom.cx / 100,
                                     bounds.bottom - height * rightBottom.cy / 100);
    return true;
}

void CExtAnchorMap::Arrange(HWND parent, int cx, int cy)
{
    if (cx < 0 || cy < 0) {
        RECT client = {};
        ::GetClientRect(parent, &client);
        cx = client.right;
        cy = client.bottom;
    }
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_children.size()));
    std::vector<HWND> gone;
    for (const auto& [child, record] : m_children) {
        if (!::IsWindow(child)) {
            gone.push_back(child);
            continue;
        }
        const int x = ::MulDiv(cx, record.leftTopAnchor.cx, 100) + record.leftTopOffset.cx;
        const int y = ::MulDiv(cy, record.leftTopAnchor.cy, 100) + record.leftTopOffset.cy;
        const int width =
            ::MulDiv(cx, record.rightBottomAnchor.cx, 100) + record.rightBottomOffset.cx - x;
        const int height =
            ::MulDiv(cy, record.rightBottomAnchor.cy, 100) + record.rightBottomOffset.cy - y;
        // The theme paints through transparent children: they must show the new background now.
        if (CExtPaintManager::IsTransparentChildClass(child)) {
            ::MoveWindow(child, x, y, width, height, TRUE);
            const RECT area = {0, 0, width, height};
            ::RedrawWindow(child, &area, nullptr, kTransparentRedraw);
        } else if (batch) {
            batch = ::DeferWindowPos(batch, child, nullptr, x, y, width, height,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch)
        ::EndDeferWindowPos(batch);
    for (HWND child : gone)
        m_children.erase(child);
}

const CExtAnchorMap::RDI_t* CExtAnchorMap::Lookup(HWND child) const
{
    const auto found = m_children.find(child);
    return found == m_children.end() ? nullptr : &found->second;
}
