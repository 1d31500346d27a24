#include "framework/menus/MenuTipLayout.h"

TipLayout_t ComputeTipLayout(SIZE balloon, POINT anchor, const RECT& limits)
{
    TipLayout_t layout;
    const int w = static_cast<int>(balloon.cx);
    const int h = static_cast<int>(balloon.cy);
    layout.m_width = w;
    layout.m_height = h;
    layout.m_placement = 0;
    layout.m_tail[0] = {w - 12, h - 10};
    layout.m_tail[1] = {w - 12, h + 15};
    layout.m_tail[2] = {w - 37, h - 10};
    if (anchor.x - w < limits.left) {
        layout.m_placement |= TipLayout_t::kMirrored;
        layout.m_tail[0].x = 12;
        layout.m_tail[1].x = 12;
        layout.m_tail[2].x = 37;
    }
    if (anchor.y - h - 20 < limits.top) {
        layout.m_placement |= TipLayout_t::kBelow;
        layout.m_tail[0].y = 10;
        layout.m_tail[1].y = -15;
        layout.m_tail[2].y -= 10;
    }
    return layout;
}

POINT TipWindowOrigin(const TipLayout_t& layout, const RECT& item)
{
    POINT anchor = {item.left + 6, item.top + 6};
    if (layout.m_placement & TipLayout_t::kMirrored)
        anchor.x += (item.right - item.left) + layout.m_width - 36;
    if (layout.m_placement & TipLayout_t::kBelow)
        anchor.y += (item.bottom - item.top) + layout.m_height + 25 - 36;
    return {anchor.x - layout.m_width + 12, anchor.y - (layout.m_height + 25) + 10};
}
