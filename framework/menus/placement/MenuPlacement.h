// Where a popup menu opens: its window size, and its rectangle on the screen beside the exclude
// rectangle (the button or item it belongs to) or at the tracking point, kept within the monitor,
// flipped at the monitor's edges, switched from below to above a button, cut to scroll when too
// tall, and shaped as one with its button when joined. Pure functions over rectangles: the popup
// menu window gathers the input and applies the answer.
#pragma once
#include <windows.h>

#include <functional>

namespace menu_placement {

// Track-flag sides.
enum Side : int
{
    kAtPoint = 0,
    kRight = 1,
    kLeft = 3,
    kBelow = 4,
    kAbove = 6
};
constexpr DWORD kSideMask = 0x000F;

// Join sides: where the menu lies against its button.
enum JoinSide : int
{
    kNotJoined = 0,
    kJoinedBelow = 1,
    kJoinedAbove = 2,
    kJoinedLeft = 3,
    kJoinedRight = 4
};

struct SizeInput
{
    SIZE content = {};  // the items' extent
    int leftAreaWidth = 0;
    int shadow = 0;  // 0 without shadows
    int border = 0;
    int expandItemHeight = 0;  // 0 when the menu hides nothing
};

// The window size of the menu without placement.
SIZE CalcMenuSize(const SizeInput& input);

struct PlacementInput
{
    SIZE size = {};  // CalcMenuSize
    int shadow = 0;
    int border = 0;
    RECT work = {};  // the monitor's work area (or the monitor) of the exclude rect, parent or point
    POINT point = {};  // the tracking point, set from the side
    DWORD flags = 0;  // the track flags; the side in kSideMask
    bool excludeGiven = false;
    RECT exclude = {};
    bool joined = false;
    // A submenu: the parent's track flags, and whether the parent has a parent of its own with
    // the two windows' horizontal centres.
    bool submenu = false;
    DWORD parentFlags = 0;
    bool hasGrandparent = false;
    int parentCentreX = 0;
    int grandparentCentreX = 0;
};

struct Placement
{
    RECT window = {};  // screen coordinates; empty when the window died during the switch
    RECT menuArea = {};  // client coordinates, without the shadow
    int joinSide = kNotJoined;
    bool scrolling = false;
    // The region of a joined window: the menu and its button's area, relative to the window.
    bool hasRegion = false;
    RECT regionParts[2] = {};
    // What the placement changed of the menu's state.
    DWORD flags = 0;
    bool excludeGiven = false;
    bool joined = false;
    bool switchedAbove = false;
};

// Called before a menu that does not fit below its button is placed above it, so that the
// window can hide and let the screen repaint; false when the window died meanwhile.
using SwitchToAbove = std::function<bool()>;

Placement CalcWindowRect(const PlacementInput& input, const SwitchToAbove& switchToAbove = {});

} // namespace menu_placement
