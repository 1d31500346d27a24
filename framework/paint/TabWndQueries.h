// What the tab painters ask of the tab window they paint: its style bits and its extra flags.
// The framework's tab windows implement this; an owner that does not is painted as a plain
// window (no alternate look, no frame gradient behind the strip).
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"
#include "platform/Wnd.h"

class CExtTabWndQueries
{
public:
    // Style bits.
    enum : DWORD
    {
        kStyleTextDirection = 0x0020,  // which end of a vertical tab its text starts from
        kStyleAlternateLook = 0x0080,
        kStyleCentredText = 0x1000
    };
    // Item flags.
    enum : DWORD
    {
        kItemHidden = 0x01,
        kItemSelected = 0x04,
        kItemExpanded = 0x08
    };
    // The second flag byte.
    enum : BYTE
    {
        kFlagsFrameGradient = 0x01  // the strip shows its part of the frame-wide gradient
    };

    virtual DWORD GetTabWndStyle() const = 0;
    virtual BYTE GetTabWndFlags2() const = 0;

protected:
    ~CExtTabWndQueries() = default;
};

// The owner's queries, or null for a window that is no tab window.
inline const CExtTabWndQueries* TabWndQueriesOf(const CWnd* window)
{
    return dynamic_cast<const CExtTabWndQueries*>(window);
}
