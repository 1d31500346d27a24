// The record a popup menu fills on its stack for every item it asks the paint manager to paint.
// Included by PaintManager.h after the classes.
#pragma once

struct CExtPaintManager::MenuItemArgs_t
{
    // Null texts become "".
    MenuItemArgs_t(CObject* owner, const RECT& rect, int columnWidth, LPCTSTR text,
                   LPCTSTR acceleratorText, CExtCmdIcon* icon, bool submenu, bool selected,
                   bool checked, bool radio, bool spare, bool enabled, bool rarelyUsed,
                   bool rarelyUsedAbove, bool rarelyUsedBelow, UINT systemCommand);

    CObject* m_owner;  // the popup menu; the combo frame of an inline field gets it
    DWORD m_cookie = 0;
    RECT m_rect;
    int m_columnWidth;  // the check and icon column at the item's left
    LPCTSTR m_text;  // never null; a '&' marks the mnemonic
    LPCTSTR m_acceleratorText;  // never null
    CExtCmdIcon* m_icon;
    UINT m_systemCommand;  // shown as a glyph when the item has no icon; 0 for none
    BYTE m_submenu : 1;
    BYTE m_selected : 1;
    BYTE m_checked : 1;
    BYTE m_radio : 1;  // a dot unless m_checked
    BYTE m_spare : 1;  // carried for callers; no painter reads it
    BYTE m_enabled : 1;
    BYTE m_rarelyUsed : 1;
    BYTE m_rarelyUsedAbove : 1;
    // The popup menu sets these after construction.
    BYTE m_rarelyUsedBelow : 1;
    BYTE m_noIconColumn : 1;  // the XP family paints no column of its own
    BYTE m_pixelArrow : 1;  // the submenu arrow as a pixel glyph, not a font character
    BYTE m_splitSubmenu : 1;  // the submenu arrow is a part of its own
    BYTE m_checkBox : 1;
    BYTE m_boxChecked : 1;
    BYTE m_moreSpare : 2;
    RECT m_inlineRect;  // a text field inside the item, empty for none
    CString m_inlineText;
    BYTE m_inlineSubmenuVisible : 1;  // the field's button shows pressed
    BYTE m_inlineSpare : 7;
};
