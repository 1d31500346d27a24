// The records through which the themed edit, the themed combo box (and the popup menu's combo-like
// items) and the status bar ask the paint manager for their frames. Built on the caller's stack;
// CExtPaintManager names them EditFrameArgs_t, ComboFrameArgs_t and StatusPaneArgs_t.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Object.h"
#include "platform/Types.h"

struct ExtEditFrameArgs
{
    ExtEditFrameArgs(CObject* owner, const RECT& rect, bool always, bool hot, bool enabled,
                     bool focused)
        : m_owner(owner), m_rect(rect), m_always(always), m_hot(hot), m_enabled(enabled),
          m_focused(focused)
    { }

    CObject* m_owner;
    DWORD m_cookie = 0;
    // The edit's inner rectangle; the rings are drawn outward from it.
    RECT m_rect;
    BYTE m_always : 1;  // set by every caller
    BYTE m_hot : 1;
    BYTE m_enabled : 1;
    BYTE m_focused : 1;
    BYTE m_spare : 4 = 0;
};

struct ExtComboFrameArgs
{
    static constexpr COLORREF kThemeColor = static_cast<COLORREF>(-1);

    ExtComboFrameArgs(CObject* owner, const RECT& rect, bool hot, bool dropped, bool enabled)
        : m_owner(owner), m_rect(rect), m_hot(hot), m_dropped(dropped), m_enabled(enabled)
    { }

    CObject* m_owner;
    DWORD m_cookie = 0;
    RECT m_rect;  // the whole control
    BYTE m_hot : 1;
    BYTE m_dropped : 1;
    BYTE m_enabled : 1;
    BYTE m_spare : 5 = 0;
    // Each replaces the theme's colours while the control is neither hot nor dropped.
    COLORREF m_frameColor = kThemeColor;
    COLORREF m_backgroundColor = kThemeColor;
    COLORREF m_hotBorderColor = kThemeColor;  // the XP outer ring while hot or dropped
    BYTE m_noOuterRing : 1 = 0;              // set by the popup menu after construction
    BYTE m_moreSpare : 7 = 0;
};

struct ExtStatusPaneArgs
{
    enum Kind : int
    {
        kBarBorders = 1,
        kPaneFrame = 2
    };
    // Border style bits of the status bar.
    enum : DWORD
    {
        kBorderDouble = 0x0080,
        kBorderLeft = 0x0100,
        kBorderTop = 0x0200,
        kBorderRight = 0x0400,
        kBorderBottom = 0x0800
    };

    ExtStatusPaneArgs(CObject* owner, int kind, DWORD borderStyle, const RECT& rect)
        : m_owner(owner), m_kind(kind), m_borderStyle(borderStyle), m_rect(rect)
    { }

    CObject* m_owner;
    DWORD m_cookie = 0;
    int m_kind;
    DWORD m_borderStyle;
    RECT m_rect;
};
