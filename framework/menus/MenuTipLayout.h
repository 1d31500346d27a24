// The shape of the menu tip's balloon, window-free: a balloon W x H with a tail toward the
// anchor, mirrored (tail on the left) when the balloon would leave the limits on the left, hung
// below the anchor (tail on top) when it would leave them at the top.
#pragma once
#include "platform/Types.h"

struct TipLayout_t
{
    enum Placement : BYTE
    {
        kMirrored = 0x01,
        kBelow = 0x02
    };
    int m_width;
    int m_height;
    // The tail's corners in the balloon's coordinates, before the move down by 25 pixels of a
    // balloon hung below; the first two are the tail's tip side.
    POINT m_tail[3];
    BYTE m_placement;
};

// balloon: the text's extent grown by the margins and the icon; anchor: where the tail points.
TipLayout_t ComputeTipLayout(SIZE balloon, POINT anchor, const RECT& limits);

// Where the window goes for an item rectangle (screen coordinates): its top-left corner. The
// window is W x (H + 25).
POINT TipWindowOrigin(const TipLayout_t& layout, const RECT& item);
