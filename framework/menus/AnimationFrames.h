// The frames of a popup's show animation, composed on 32-bit pixel buffers of one size (rows as
// the bitmaps hold them) from the screen behind the popup and its final image, at a step in
// percent. Window-free, so that every kind's arithmetic is checked on buffers.
#pragma once
#include "platform/Types.h"

#include <functional>
#include <vector>

struct AnimationBuffers_t
{
    int m_width;
    int m_height;
    const COLORREF* m_background;
    const COLORREF* m_final;
    COLORREF* m_frame;
};

// Kind 4: per channel (step·final + (100 − step)·background) / 100.
void ComposeFadeFrame(const AnimationBuffers_t& buffers, int step);
// Kind 7: each pixel not yet switched takes the final pixel when random() % d > d / 2 + 1,
// d being the growth of the step; the others stay as they are (black at first).
void ComposeNoiseFrame(const AnimationBuffers_t& buffers, int step, int previousStep,
                       const std::function<int()>& random);
// Kind 8: whole rows and then columns of every 32-pixel cell fill in.
void ComposeGridFrame(const AnimationBuffers_t& buffers, int step);
// Kinds 9 and 10: discs of the final image grow from the centre of every 32 x 32 cell, or
// discs of the background shrink there.
void ComposeCirclesFrame(const AnimationBuffers_t& buffers, int step, bool holes);

// Kinds 2, 3, 5 and 6: where the final image of area is drawn at step (slid or stretched), for
// the menu's join side (3 and 2 change the direction).
RECT AnimatedImageRect(int kind, int step, int joinSide, const RECT& area);

// Kind -2: the destinations of the visible items, each source rectangle copied from its top;
// rarely used items open up to step percent of their height; the last destination reaches the
// bottom of area; growUp moves them all down by the height not yet shown.
struct ExpandItem_t
{
    RECT m_source;
    bool m_rarelyUsed;
};
std::vector<RECT> ExpandDestinations(const std::vector<ExpandItem_t>& items, int step,
                                     const RECT& area, bool growUp);
