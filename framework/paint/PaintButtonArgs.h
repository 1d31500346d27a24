// The records that callers of the button painters fill on their stack: push buttons, caption
// buttons, text fields and icon-and-label items. Included by PaintManager.h after the classes.
#pragma once

struct CExtPaintManager::PushButtonArgs_t
{
    enum TextColor
    {
        kTextDisabled,
        kTextNormal,
        kTextHot,
        kTextPushed
    };
    // Alignment bits.
    static constexpr UINT kAlignCenter = 1, kAlignRight = 2, kAlignCenterVertically = 4;

    PushButtonArgs_t(CObject* owner, bool horizontal, const RECT& rect, LPCTSTR text,
                     CExtCmdIcon* icon, bool flat, bool hot, bool pushed, bool spareState,
                     bool enabled, bool frameWhenHot, bool focus, bool bold, UINT alignment,
                     HFONT font, bool dropDown, UINT systemCommand, bool transparent);

    CObject* m_owner;
    DWORD m_cookie = 0;
    RECT m_rect;
    LPCTSTR m_text;  // never null; a '&' marks the mnemonic
    CExtCmdIcon* m_icon;
    UINT m_alignment;
    HFONT m_font;  // null: the theme's font
    UINT m_systemCommand;  // a window command whose glyph replaces the icon, or 0
    BYTE m_horizontal : 1;
    BYTE m_flat : 1;
    BYTE m_hot : 1;
    BYTE m_pushed : 1;
    BYTE m_spareState : 1;  // carried for callers; no painter reads it
    BYTE m_enabled : 1;
    BYTE m_frameWhenHot : 1;
    BYTE m_focus : 1;
    BYTE m_bold : 1;
    BYTE m_dropDown : 1;
    BYTE m_transparent : 1;
    BYTE m_splitDropDown : 1;  // the drop-down part is a button of its own
    BYTE m_menuOpen : 1;  // the whole button shows pressed under its open menu
    BYTE m_moreSpare : 3;
    COLORREF m_textColors[4];  // by TextColor; -1 takes the theme's colour
    UINT m_textFormat;
    BYTE m_useDrawText : 1;  // the classic theme draws horizontal text with DrawText
};

struct CExtPaintManager::CaptionButtonArgs_t
{
    CaptionButtonArgs_t(CObject* owner, const RECT& rect, int glyphKind, bool hot, bool pushed,
                        bool enabled, bool resizableBar, bool active, bool floating);

    CObject* m_owner;
    DWORD m_cookie = 0;
    RECT m_rect;
    int m_glyphKind;  // a GlyphKind
    BYTE m_hot : 1;
    BYTE m_pushed : 1;
    BYTE m_enabled : 1;
    BYTE m_resizableBar : 1;  // the caption is a resizable bar's, not a fixed-size toolbar's
    BYTE m_active : 1;  // the bar has the focus
    BYTE m_floating : 1;  // the caption is a floating frame's
    BYTE m_spare : 2;
};

struct CExtPaintManager::TextFieldArgs_t
{
    CWnd* m_owner = nullptr;
    DWORD m_cookie = 0;
    UINT m_textFormat = DT_SINGLELINE | DT_VCENTER;
    CString m_text;
    RECT m_outerRect = {};
    RECT m_fieldRect = {};
    BYTE m_comboLook : 1;
    BYTE m_hot : 1;
    BYTE m_focused : 1;
    BYTE m_enabled : 1;
    BYTE m_spare : 4;

    TextFieldArgs_t() : m_comboLook(0), m_hot(0), m_focused(0), m_enabled(1), m_spare(0) { }
};

// An icon with a label below or beside it, as shortcut bars show them.
struct CExtPaintManager::IconLabelItemArgs_t
{
    // Gives the item's picture at the size asked for; the item keeps the handle.
    class Image
    {
    public:
        virtual ~Image() = default;
        virtual HICON IconOfSize(int width, int height) = 0;
    };

    RECT m_itemRect = {};
    RECT m_iconRect = {};
    RECT m_labelRect = {};
    RECT m_clipRect = {};
    Image* m_hotImage = nullptr;
    Image* m_normalImage = nullptr;
    CString m_label;
    HFONT m_font = nullptr;
    BYTE m_hot : 1;
    BYTE m_pushed : 1;
    BYTE m_spare : 2;
    BYTE m_infoColors : 1;  // tool-tip colours for the marker and the label
    BYTE m_verticalLabel : 1;
    BYTE m_useHotImage : 1;
    BYTE m_markerOnly : 1;
    BYTE m_moreSpare : 4;
    BYTE m_labelAtTop : 1;  // where a vertical label starts
    BYTE m_moreSpare2 : 3;

    IconLabelItemArgs_t()
        : m_hot(0), m_pushed(0), m_spare(0), m_infoColors(0), m_verticalLabel(0),
          m_useHotImage(0), m_markerOnly(0), m_moreSpare(0), m_labelAtTop(0), m_moreSpare2(0)
    { }
};
