#include "framework/menus/placement/MenuPlacement.h"

#include <algorithm>

namespace menu_placement {

namespace {

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

void Move(RECT& r, int dx, int dy)
{
    ::OffsetRect(&r, dx, dy);
}

int SideOf(DWORD flags)
{
    return static_cast<int>(flags & kSideMask);
}

DWORD WithSide(DWORD flags, int side)
{
    return (flags & ~kSideMask) | static_cast<DWORD>(side);
}

bool Overlaps(const RECT& a, const RECT& b)
{
    RECT common;
    return ::IntersectRect(&common, &a, &b) != 0;
}

// Moves a menu that does not fit into the work rectangle; a submenu first flips to the other
// side of its item, a menu without an exclude rectangle opens the other way from the point.
void FitVertically(RECT& r, const PlacementInput& in, bool excludeGiven, bool joined, int shift)
{
    const RECT& work = in.work;
    if (r.bottom > work.bottom) {
        if (excludeGiven)
            Move(r, 0, -(Height(r) - Height(in.exclude) - shift - (joined ? in.shadow : 0)));
        if (r.bottom > work.bottom)
            Move(r, 0, excludeGiven ? work.bottom - r.bottom : -Height(r));
    }
    if (r.top < work.top)
        Move(r, 0, work.top - r.top);
}

void FitHorizontally(RECT& r, const PlacementInput& in, bool excludeGiven)
{
    const RECT& work = in.work;
    const bool flips = in.submenu && excludeGiven;
    if (r.right > work.right) {
        if (flips)
            Move(r, -(Width(r) + Width(in.exclude)), 0);
        if (r.right > work.right)
            Move(r, excludeGiven ? work.right - r.right : -Width(r), 0);
    }
    if (r.left < work.left) {
        if (flips)
            Move(r, Width(r) + Width(in.exclude), 0);
        if (r.left < work.left)
            Move(r, work.left - r.left, 0);
    }
}

} // namespace

SIZE CalcMenuSize(const SizeInput& in)
{
    const int s = in.shadow, b = in.border;
    const int width = std::max<int>(in.content.cx + s + 2 * b + in.leftAreaWidth, 2 * s + 10);
    const int height = std::max<int>(s + 2 * b + in.content.cy + in.expandItemHeight, 2 * s + 10);
    return SIZE{width, height + (in.expandItemHeight > 0 ? 2 : 1)};
}

Placement CalcWindowRect(const PlacementInput& in, const SwitchToAbove& switchToAbove)
{
    Placement out;
    out.flags = in.flags;
    out.excludeGiven = in.excludeGiven;
    out.joined = in.joined;
    const RECT& work = in.work;
    const RECT& exclude = in.exclude;
    const int s = in.shadow;
    // A few passes at most: the switch to above, and a join that found no side.
    for (int pass = 0; pass < 4; ++pass) {
        out.joinSide = kNotJoined;
        out.scrolling = false;
        out.hasRegion = false;
        const int shift = out.joined ? 0 : s + in.border;
        if (in.submenu && SideOf(out.flags) == kAtPoint && !out.joined) {
            if (SideOf(in.parentFlags) != kAtPoint)
                out.flags |= in.parentFlags & ~kSideMask;
            else if (in.hasGrandparent)
                out.flags = WithSide(out.flags,
                                     in.parentCentreX < in.grandparentCentreX ? kLeft : kRight);
        }
        const int side = SideOf(out.flags);
        RECT r = {in.point.x, in.point.y, in.point.x + in.size.cx, in.point.y + in.size.cy};
        int e = 0;
        if (out.joined) {
            if (side == kBelow || side == kRight) {
                Move(r, side == kRight ? -1 : 0, side == kBelow ? -1 : 0);
                e = 1;
            } else if (side == kAbove || side == kLeft) {
                Move(r, side == kLeft ? s + 1 : 0, side == kAbove ? s + 1 : 0);
                e = -(s + 1);
            }
        }
        FitVertically(r, in, out.excludeGiven, out.joined, shift);
        FitHorizontally(r, in, out.excludeGiven);

        if ((out.excludeGiven || out.joined) && (Overlaps(r, exclude) || out.joined)) {
            const int spaceLeft = std::max<int>(0, exclude.left - work.left);
            const int spaceAbove = std::max<int>(0, exclude.top - work.top);
            const int spaceRight = std::max<int>(0, work.right - exclude.right);
            const int spaceBelow = std::max<int>(0, work.bottom - exclude.bottom);
            if (side == kRight && Width(r) < spaceRight) {
                Move(r, exclude.right - e - r.left, 0);
            } else if (side == kLeft && Width(r) < spaceLeft) {
                Move(r, exclude.left - e - r.right, 0);
            } else if (side == kAbove && Height(r) < spaceAbove) {
                Move(r, 0, exclude.top - e - r.bottom);
            } else if (side == kBelow) {
                if (Height(r) < spaceBelow) {
                    Move(r, 0, exclude.bottom - e - r.top);
                } else {
                    // Not enough room below the button: open above it.
                    out.flags = WithSide(out.flags, kAbove);
                    out.switchedAbove = true;
                    if (switchToAbove && !switchToAbove()) {
                        out.window = RECT{};
                        return out;
                    }
                    continue;
                }
            }
        }

        // A root menu pushed back into the monitor no longer lies against its button.
        auto clamped = [&] {
            if (!in.submenu)
                out.excludeGiven = out.joined = false;
        };
        if (r.right > work.right) {
            Move(r, work.right - r.right, 0);
            clamped();
        }
        if (r.left < work.left) {
            Move(r, work.left - r.left, 0);
            clamped();
        }
        if (r.bottom > work.bottom) {
            Move(r, 0, work.bottom - r.bottom);
            clamped();
        }
        if (r.top < work.top) {
            Move(r, 0, work.top - r.top);
            clamped();
        }
        if (Height(r) > Height(work)) {
            r.bottom = work.bottom;
            out.scrolling = true;
        }

        if (!out.joined) {
            out.window = r;
            out.menuArea = RECT{0, 0, Width(r) - s, Height(r) - s};
            return out;
        }
        if (r.bottom == exclude.top - e)
            out.joinSide = kJoinedAbove;
        if (r.top == exclude.bottom - e)
            out.joinSide = kJoinedBelow;
        if (r.left == exclude.right - e)
            out.joinSide = kJoinedRight;
        if (r.right == exclude.left - e)
            out.joinSide = kJoinedLeft;
        if (out.joinSide == kNotJoined) {
            out.joined = false;
            continue;
        }
        RECT button = exclude;
        const bool vertical = out.joinSide == kJoinedBelow || out.joinSide == kJoinedAbove;
        if (!in.submenu || !vertical)
            button.right += s;
        if (!in.submenu || vertical)
            button.bottom += s;
        RECT w;
        ::UnionRect(&w, &r, &button);
        out.hasRegion = true;
        out.regionParts[0] = r;
        out.regionParts[1] = button;
        for (RECT& part : out.regionParts)
            Move(part, -w.left, -w.top);
        out.menuArea = RECT{r.left - w.left, r.top - w.top, r.right - w.left - s,
                            r.bottom - w.top - s};
        if (in.submenu && out.joinSide == kJoinedLeft)
            Move(w, s + 1, 0);
        else if (in.submenu && out.joinSide == kJoinedRight)
            Move(w, -2, 0);
        out.window = w;
        return out;
    }
    out.window = RECT{};
    return out;
}

} // namespace menu_placement
