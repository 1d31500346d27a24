// The paint managers: one process-wide theme object (held by g_PaintManager) through which every
// framework window paints. CExtPaintManager is the classic 3-D look; CExtPaintManagerXP the flat
// look; CExtPaintManagerOffice2003 adds gradients and colours that follow the OS visual style;
// CExtPaintManagerStudio2005 (the start-up theme) varies those. The colours, brushes and fonts are
// built when a manager is installed and again after every relayed system change.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/paint/ColorTable.h"
#include "framework/paint/ControlFrameArgs.h"
#include "platform/Array.h"
#include "platform/Dc.h"
#include "platform/Geometry.h"
#include "platform/Map.h"
#include "platform/Object.h"
#include "platform/String.h"

class CArchive;
class CExtCmdIcon;
class CWnd;

class CExtPaintManager : public CObject
{
    DECLARE_DYNCREATE(CExtPaintManager)
public:
    // A tiny table of colour indices painted pixel by pixel: 0 is transparent, v > 0 takes entry
    // v of the caller's colour table. Rows top first, each left to right.
    struct PixelGlyph_t
    {
        enum Turn
        {
            kClockwise,
            kCounterClockwise,
            kHalf
        };
        PixelGlyph_t(int width, int height, int colorCount, const int* pixels);
        // A copy of source turned as asked; it owns its pixels.
        PixelGlyph_t(const PixelGlyph_t& source, Turn turn);
        PixelGlyph_t(const PixelGlyph_t& other);
        PixelGlyph_t& operator=(const PixelGlyph_t&) = delete;
        ~PixelGlyph_t();

        int At(int column, int row) const { return m_pixels[row * m_width + column]; }

        int m_width;
        int m_height;
        int m_colorCount;
        const int* m_pixels;
        bool m_ownsPixels;
    };

    enum GlyphKind
    {
        kGlyphEmpty, kGlyphClose, kGlyphArrowUp, kGlyphArrowDown, kGlyphArrowLeft,
        kGlyphArrowRight, kGlyphMinimize, kGlyphRestore, kGlyphMaximize, kGlyphContextHelp,
        kGlyphPinUpright, kGlyphPinSideways, kGlyphBlockArrowUp, kGlyphBlockArrowDown,
        kGlyphBlockArrowLeft, kGlyphBlockArrowRight, kGlyphCloseThin, kGlyphHollowArrowUp,
        kGlyphHollowArrowDown, kGlyphHollowArrowLeft, kGlyphHollowArrowRight, kGlyphCloseSmall,
        kGlyphPlus, kGlyphMinus, kGlyphBoxedPlus, kGlyphBoxedMinus, kGlyphCircledPlus,
        kGlyphCircledMinus, kGlyphLargeArrowUp, kGlyphLargeArrowDown, kGlyphLargeArrowLeft,
        kGlyphLargeArrowRight, kGlyphPointerUpLeft, kGlyphPointerUpRight, kGlyphPointerDownRight,
        kGlyphPointerDownLeft, kGlyphSmallArrowUp, kGlyphSmallArrowDown, kGlyphSmallArrowLeft,
        kGlyphSmallArrowRight, kGlyphEllipsis, kGlyphArrow3dUp, kGlyphArrow3dDown,
        kGlyphArrow3dLeft, kGlyphArrow3dRight, kGlyphMenuArrow, kGlyphChevronArrow,
        kGlyphKindCount
    };
    static const PixelGlyph_t* const GlyphTable[kGlyphKindCount];
    static const PixelGlyph_t GlyphDropArrowH;
    static const PixelGlyph_t GlyphDropArrowV;
    static const PixelGlyph_t GlyphExpandArrowV;
    static const PixelGlyph_t GlyphChevronH;
    static const PixelGlyph_t GlyphChevronV;
    static const PixelGlyph_t GlyphOfficeArrowH;
    static const PixelGlyph_t GlyphOfficeArrowV;
    static const PixelGlyph_t GlyphOfficeChevronH;
    static const PixelGlyph_t GlyphOfficeChevronV;
    static const PixelGlyph_t GlyphSubmenuArrow;
    static const PixelGlyph_t GlyphSubmenuArrowBar;

    // The fonts, in member order: normal, turned 2700 and 900, bold, bold turned 2700 and 900,
    // the same six capped at a character height of 11 pixels, and the Marlett glyph font.
    enum FontIndex
    {
        kFontNormal, kFontNormal2700, kFontNormal900, kFontBold, kFontBold2700, kFontBold900,
        kFontCapped, kFontCapped2700, kFontCapped900, kFontCappedBold, kFontCappedBold2700,
        kFontCappedBold900, kFontMarlett, kFontCount
    };
    static constexpr int kHelperBrushCount = 12;

    struct MonitorRects_t
    {
        RECT m_monitor;
        RECT m_workArea;
        BYTE m_flags;  // bit 0: primary monitor
    };

    CExtPaintManager();
    ~CExtPaintManager() override;

    virtual int GetThemeId() const { return kThemeClassic; }
    virtual int GetMenuSeparatorHeight() const { return 6; }
    // Frees the two cached off-screen DCs; called by windows after they painted.
    virtual void ReleasePaintCache(CObject* pObject, LPARAM lParam);
    virtual HBRUSH BrushAt(int index) const;
    virtual COLORREF ColorAt(int number) const;
    virtual COLORREF GetMenuBackColor() const { return ColorAt(1000); }
    virtual void InitColorTable();
    virtual void InitHelperBrushes();
    virtual void DrawGlyph(CDC& dc, int x, int y, const PixelGlyph_t& glyph,
                           const COLORREF* colors);
    virtual void DrawGlyphCentered(CDC& dc, const RECT& rect, const PixelGlyph_t& glyph,
                                   const COLORREF* colors);
    virtual int GetTextHeight(bool horizontal) const;
    virtual void HandleSysColorChange();
    virtual void HandleSettingChange(UINT flags, LPCTSTR section);
    virtual void HandleDisplayChange(UINT bitsPerPixel, int width, int height);
    virtual void HandleThemeChange(WPARAM wParam, LPARAM lParam);
    virtual CSize GetToolBarButtonShift(bool horizontal) const;

    // Bars: borders, captions and grippers, backgrounds, separators, the size grip and the
    // toolbar's expand button. Owners answer the queries of PaintedBar.h.
    struct BarBordersArgs_t
    {
        BarBordersArgs_t(const CObject* owner, const RECT& window, const RECT& client,
                         bool floating, bool resizable, bool resizableDocked);
        const CObject* m_owner;
        DWORD m_cookie = 0;
        RECT m_window;
        RECT m_client;
        BYTE m_floating : 1;
        BYTE m_resizable : 1;
        BYTE m_resizableDocked : 1;
    };
    struct BarCaptionArgs_t
    {
        BarCaptionArgs_t(const CObject* owner, const RECT& caption, const RECT& text, bool active,
                         bool floating, bool vertical, bool captionStyle, LPCTSTR captionText);
        const CObject* m_owner;
        DWORD m_cookie = 0;
        RECT m_caption;
        RECT m_text;
        BYTE m_active : 1;
        BYTE m_floating : 1;
        BYTE m_vertical : 1;
        BYTE m_captionStyle : 1;
        LPCTSTR m_captionText;
        // Bits 0 and 1: set by the Office theme before the XP painting, which then skips its
        // fill and frame.
        BYTE m_handOver : 2;
    };
    virtual void DrawBarBorders(CDC& dc, const BarBordersArgs_t& args);
    virtual void DrawBarCaption(CDC& dc, BarCaptionArgs_t& args);
    virtual void AdjustFixedBarClientRect(const CObject* bar, RECT& rect);
    static void Draw3dRectCutCorners(CDC& dc, const RECT& rect, COLORREF topLeft,
                                     COLORREF bottomRight);
    virtual int GetToolBarLeadingSpace(const CObject* bar) const;
    virtual bool HasToolBarGradient(const CObject* bar) const;
    virtual void DrawBarGradient(CDC& dc, const CObject* bar, int row, const RECT& rect);
    virtual void DrawBarClientGradient(CDC& dc, const CObject* button, LPARAM lParam);
    virtual bool CanDrawChildBackground(const CWnd* window, LPARAM lParam) const;
    virtual bool DrawChildBackground(CDC& dc, CWnd* window, LPARAM lParam);
    virtual void DrawControlBarBackground(CDC& dc, const RECT& rect, CWnd* bar, LPARAM lParam);
    virtual void DrawDockBarBackground(CDC& dc, const RECT& rect, CWnd* dockBar, LPARAM lParam);
    // Colour 1 at the top (left) to colour 2 at two fifths, then to colour 3 at the bottom
    // (right).
    static void PaintThreeColorGradient(CDC& dc, const RECT& rect, COLORREF first,
                                        COLORREF second, COLORREF third, bool vertical,
                                        UINT steps = 256);
    // A separator in a horizontal container is a vertical line.
    virtual void DrawSeparator(CDC& dc, const RECT& rect, bool horizontalContainer,
                               bool noBackground, const CObject* owner, LPARAM lParam);
    virtual void DrawResizingGripper(CDC& dc, const RECT& rect, CWnd* owner, LPARAM lParam);
    // The button at a toolbar's end: a down arrow, and a chevron when buttons are hidden.
    virtual void DrawToolBarExpandButton(CDC& dc, const RECT& rect, bool horizontal,
                                         bool allVisible, bool enabled, bool pushed, bool hot,
                                         const CObject* button, LPARAM lParam, bool transparent);
    // Buttons and button content: push buttons, caption buttons and the small button and frame
    // painters (their records are in PaintButtonArgs.h).
    struct PushButtonArgs_t;
    struct CaptionButtonArgs_t;
    struct TextFieldArgs_t;
    struct IconLabelItemArgs_t;
    virtual void GetPushedContentOffset(CSize& offset) const;
    // Paints the icon of a button and sets textRect to the room left for the text.
    virtual void DrawButtonIconAndPlaceText(CDC& dc, bool horizontal, const CString& text,
                                            CExtCmdIcon* icon, const RECT& buttonRect,
                                            RECT& textRect, bool pushed, bool enabled, bool hot,
                                            UINT alignment);
    virtual void DrawCaptionButton(CDC& dc, CaptionButtonArgs_t& args);
    // SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE and SC_CONTEXTHELP; others paint nothing.
    virtual void DrawSysCommandGlyph(CDC& dc, UINT command, const RECT& rect, bool hot,
                                     bool pushed, bool enabled);
    virtual void DrawPushButton(CDC& dc, PushButtonArgs_t& args);
    virtual void FillGapArea(CDC& dc, const RECT& rect, CObject* owner, LPARAM lParam);
    // The arrow points left (horizontal) or up when firstDirection is set, else right or down.
    virtual void DrawArrowButton(CDC& dc, bool horizontal, const RECT& rect, bool firstDirection,
                                 bool hot, bool pushed, CObject* owner, LPARAM lParam);
    virtual void DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& item);
    virtual void DrawTextField(CDC& dc, TextFieldArgs_t& args);
    virtual COLORREF GetIconBlendColor() const;
    virtual double GetIconFadeFactor() const;
    // Also the ellipse of a toolbar's rounded corners; (0, 0) for square ones.
    virtual void GetToolBarExtraSize(CSize& size) const;
    virtual void DrawTextPushButton(CDC& dc, const RECT& rect, bool unused, LPCTSTR text,
                                    bool flat, bool frameWhenHot, bool pushed, bool hot,
                                    CObject* owner, LPARAM lParam);
    virtual void FillShadowArea(CDC& dc, const RECT& rect, CObject* owner, LPARAM lParam);
    // The bar face (or the child background the theme paints) around a window-coloured inner
    // rect.
    virtual void FillControlArea(CDC& dc, const RECT& outerRect, const RECT& innerRect,
                                 CWnd* window, LPARAM lParam);
    virtual void DrawClientEdge(CDC& dc, const RECT& rect, CObject* owner, LPARAM lParam);
    virtual void DrawPanelFrame(CDC& dc, const RECT& frameRect, const RECT& fillRect,
                                CObject* owner, LPARAM lParam);
    // The extent of one line of text, as a rectangle at the origin.
    static RECT MeasureTextRect(CDC& dc, HFONT font, const CString& text);
    static int MeasureTextWidth(CDC& dc, HFONT font, const CString& text);
    // 16 x 16 icons for colour-picking buttons; the caller destroys them.
    static HICON CreateSolidColorIcon(COLORREF color);
    static HICON CreateFramedColorIcon(COLORREF color);
    static HICON CreateLetterColorIcon(COLORREF color, HFONT font, char letter);

    // Popup menus: items, separators, the expand item, the border, the edge a menu shares with
    // its button, and the drop shadow (the record is in MenuItemArgs.h; owners answer the
    // queries of PaintedPopup.h).
    struct MenuItemArgs_t;
    // -1: popups darken what lies below them.
    virtual COLORREF GetShadowColor() const { return static_cast<COLORREF>(-1); }
    virtual void DrawMenuExpandItem(CDC& dc, const RECT& rect, bool selected, bool unused,
                                    CObject* owner, LPARAM lParam);
    virtual int GetMenuCheckAreaWidth() const;
    virtual void DrawMenuItem(CDC& dc, MenuItemArgs_t& args);
    virtual void DrawMenuSeparator(CDC& dc, const RECT& rect, int columnWidth, bool rarelyUsed,
                                   CObject* owner, LPARAM lParam);
    virtual int GetMenuShadowSize() const { return 4; }
    virtual int GetMenuBorderSize() const { return 2; }
    virtual void DrawMenuBorder(CDC& dc, const RECT& rect, CObject* owner, LPARAM lParam);
    virtual bool IsMenuJoinedToButton() const { return false; }
    // The button (the menu's exclude rectangle) framed open toward the menu. Side: the button's
    // edge that touches the menu, 1 bottom (the menu lies below), 2 top, 3 left, 4 right.
    virtual void DrawMenuJoinEdge(CDC& dc, const RECT& buttonRect, const RECT& menuArea,
                                  int side, CObject* owner, LPARAM lParam);
    // A 7-pixel-wide check mark and a 6 x 6 dot, each with a shadow in the complement colour.
    static void DrawCheckMark(HDC dc, int x, int y, COLORREF color);
    static void DrawRadioDot(HDC dc, int x, int y, COLORREF color);

    // Tabs, the frames of edits, combo boxes and the status bar, the toolbar divider and the
    // navigation-pane look.
    typedef ExtEditFrameArgs EditFrameArgs_t;
    typedef ExtComboFrameArgs ComboFrameArgs_t;
    typedef ExtStatusPaneArgs StatusPaneArgs_t;
    enum TabSide
    {
        kTabSideTop, kTabSideBottom, kTabSideLeft, kTabSideRight
    };
    enum TabButtonKind
    {
        kTabButtonPrevious = -4, kTabButtonNext = -5, kTabButtonHelp = -6, kTabButtonClose = -7,
        kTabButtonList = -8
    };
    // The caller sets all three to 0 first.
    virtual void GetTabMetrics(CWnd* tabWnd, int* leading, int* trailing, int* offset);
    virtual void DrawTabAreaBorder(CDC& dc, const RECT& client, const RECT& strip, const RECT& band,
                                   int side, bool alternateLook, CWnd* tabWnd,
                                   LPARAM reserved = 0);
    virtual void DrawTabItem(CDC& dc, const RECT& strip, bool nearSide, bool horizontal,
                             bool selected, bool centredText, bool alternateLook, bool expanded,
                             bool textDirection, const RECT& item, int textWidth, int textHeight,
                             HFONT font, LPCTSTR text, CExtCmdIcon* icon, CWnd* tabWnd,
                             LPARAM reserved = 0);
    virtual void DrawTabScrollButton(CDC& dc, const RECT& rect, int kind, bool nearSide,
                                     bool horizontal, bool enabled, bool hot, bool pressed,
                                     bool alternateLook, CWnd* tabWnd, LPARAM reserved = 0);
    virtual void DrawTabClientBorder(CDC& dc, const RECT& rect, CWnd* owner, LPARAM reserved = 0);
    virtual void DrawSunkenBorder(CDC& dc, const RECT& rect, CWnd* owner, LPARAM reserved = 0);
    virtual void DrawEditFrame(CDC& dc, const EditFrameArgs_t& args);
    virtual void DrawComboFrame(CDC& dc, const ComboFrameArgs_t& args);
    virtual void DrawStatusBarFrame(CDC& dc, const StatusPaneArgs_t& args);
    virtual void GetDividerMargins(CSize& margins);
    virtual void DrawToolBarDivider(CDC& dc, const RECT& rect, bool nearEdge, bool vertical);
    virtual void DrawDoubleFrame(CDC& dc, const RECT& rect);
    virtual void FillWindowArea(CDC& dc, const RECT& rect, LPARAM reserved = 0);
    virtual void DrawPaneFrame(CDC& dc, const RECT& rect);
    virtual void DrawPaneButton(CDC& dc, const RECT& rect, LPCTSTR text, CExtCmdIcon* icon,
                                bool selected, bool pushed, bool hot);
    virtual void DrawPaneTitleText(CDC& dc, const RECT& rect, LPCTSTR text);
    virtual void DrawPaneTitle(CDC& dc, const RECT& rect, LPCTSTR text);
    virtual void DrawPaneButtonContent(CDC& dc, const RECT& rect, LPCTSTR text, CExtCmdIcon* icon,
                                       bool withText, bool pushed, bool hot);
    virtual void DrawPaneHeaderText(CDC& dc, const RECT& rect, LPCTSTR text);
    virtual void DrawPaneHeader(CDC& dc, const RECT& rect, LPCTSTR text);
    virtual void DrawPaneChevron(CDC& dc, const RECT& rect, LPARAM reserved1 = 0,
                                 LPARAM reserved2 = 0);
    virtual void DrawPaneSplitter(CDC& dc, const RECT& rect, bool withDots);
    virtual void DrawPaneGripDots(CDC& dc, const RECT& rect, int verticalOffset);

    // The tab painters of the base and XP themes; the colours come from the theme.
    static void PaintTabAreaBorder(CDC& dc, const RECT& client, const RECT& band, int side,
                                   bool alternateLook, COLORREF background, COLORREF bandColor,
                                   COLORREF edge);
    static void PaintTabItem(CDC& dc, const RECT& strip, bool nearSide, bool horizontal,
                             bool selected, bool centredText, bool alternateLook, bool expanded,
                             bool textDirection, const RECT& item, int textWidth, int textHeight,
                             HFONT font, LPCTSTR text, CExtCmdIcon* icon, COLORREF textColor,
                             COLORREF fill, COLORREF light, COLORREF dark, COLORREF separator);
    static void PaintTabButton(CDC& dc, const RECT& rect, int kind, bool horizontal, bool enabled,
                               bool hot, bool pressed, COLORREF glyph, COLORREF light,
                               COLORREF dark);

    // Fonts and the system colours and brushes, rebuilt before the colour table.
    void LoadFontsAndSystemColors();
    // (height of the chosen font + 2, height of the normal font + 2).
    CSize GetTextHeights(const CFont& font) const;
    const CFont& Font(FontIndex index) const { return m_fonts[index]; }
    CBrush& HelperBrush(int index) { return m_helperBrushes[index]; }
    CPalette& HalftonePalette() { return m_halftonePalette; }
    DWORD DisabledTextStyle() const { return m_disabledTextStyle; }
    INT_PTR ColorTableSize() const { return m_colors.GetSize(); }

    // Colour arithmetic.
    static COLORREF InvertColor(COLORREF color);
    static void RgbToHls(COLORREF color, double& hue, double& saturation, double& lightness);
    static COLORREF HlsToRgb(double hue, double lightness, double saturation);
    static COLORREF HlsDegreesToRgb(double hue, double lightness, double saturation);
    static COLORREF HlsAdjustColor(COLORREF color, double hueFactor, double lightnessFactor,
                                   double saturationFactor);

    // Painting helpers.
    static void PaintGradientRect(CDC& dc, const RECT& rect, COLORREF first, COLORREF second,
                                  bool vertical, UINT steps = 256);
    static void TransparentBlit(HDC target, int x, int y, int width, int height, HDC source,
                                int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                COLORREF transparent);
    static HBITMAP CreatePatternBitmap(COLORREF a, COLORREF b, int columnMask, int rowMask,
                                       int gapColumnMask, int gapRowMask, COLORREF gap);
    typedef bool (*ChildFilter)(HDC dc, HWND parent, HWND child, LPVOID data);
    static void ExcludeChildAreas(HDC dc, HWND parent, ChildFilter filter = nullptr,
                                  LPVOID data = nullptr);
    static bool TransparentChildFilter(HDC dc, HWND parent, HWND child, LPVOID data);
    static bool IsTransparentChildClass(HWND child);
    // False when a quit message was met; it is posted again for the message loop.
    static bool FlushPendingPaintMessages(bool ncPaint = true, bool eraseBackground = true,
                                          bool paint = true);
    static int GetScreenBitsPerPixel();
    // The bits per pixel the DC draws with: its bitmap's for a memory DC, else the device's.
    static int GetDcBitsPerPixel(HDC dc);

    // Bitmaps.
    static HBITMAP CopyBitmapArea(HBITMAP bitmap, const RECT* part = nullptr,
                                  COLORREF** bits = nullptr);
    static HGLOBAL BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette = nullptr);
    typedef CMap<COLORREF, COLORREF, DWORD, DWORD> ColorCounts;
    static int CountBitmapColors(HBITMAP bitmap, ColorCounts& counts);
    static int ListBitmapColors(HBITMAP bitmap, CArray<COLORREF, COLORREF>& colors,
                                bool withoutDuplicates);
    static bool SerializeBitmap(CArchive& ar, HBITMAP& bitmap, DWORD knownSize = 0);
    static HBITMAP LoadBitmapResource(HINSTANCE module, HRSRC resource);
    static HBITMAP LoadBitmapFromBuffer(const void* data, UINT size);
    static HICON IconFromBitmap(HBITMAP bitmap, COLORREF transparent, const RECT* part = nullptr,
                                bool mapSystemGreys = false);

    // Monitors.
    static void GetMonitorRectsFromPoint(MonitorRects_t& rects, POINT point);
    static void GetMonitorRectsFromRect(MonitorRects_t& rects, const RECT& rect);
    static void GetMonitorRectsFromHwnd(MonitorRects_t& rects, HWND window);
    static void GetMonitorRectsFromWindow(MonitorRects_t& rects, CWnd* window);
    static RECT FitRectToMonitor(RECT rect, bool useWorkArea = true, bool keepInside = true);

protected:
    // The system-change handlers all do this.
    void RebuildAll();
    ColorTableInputs MakeColorInputs() const;

    CExtColorTable m_colors;
    CArray<HBRUSH, HBRUSH> m_brushes;
    struct CachedDc
    {
        CDC dc;
        HGDIOBJ oldBitmap = nullptr;
    };
    CachedDc m_cachedDcs[2];
    CPalette m_halftonePalette;
    CBrush m_helperBrushes[kHelperBrushCount];
    CFont m_fonts[kFontCount];
    DWORD m_disabledTextStyle = DSS_DISABLED;
    // Bit 0: NT 5 or later at construction; the base font then prefers Tahoma.
    BYTE m_flags = 0;
};

class CExtPaintManagerXP : public CExtPaintManager
{
    DECLARE_DYNCREATE(CExtPaintManagerXP)
public:
    CExtPaintManagerXP();

    int GetThemeId() const override { return kThemeXp; }
    int GetMenuSeparatorHeight() const override { return 3; }
    void ReleasePaintCache(CObject* pObject, LPARAM lParam) override;
    COLORREF GetMenuBackColor() const override { return ColorAt(2001); }
    void InitColorTable() override;
    virtual bool IsOsColorSchemeActive() const;

    // Bars.
    void DrawBarBorders(CDC& dc, const BarBordersArgs_t& args) override;
    void DrawBarCaption(CDC& dc, BarCaptionArgs_t& args) override;
    void DrawSeparator(CDC& dc, const RECT& rect, bool horizontalContainer, bool noBackground,
                       const CObject* owner, LPARAM lParam) override;
    void DrawToolBarExpandButton(CDC& dc, const RECT& rect, bool horizontal, bool allVisible,
                                 bool enabled, bool pushed, bool hot, const CObject* button,
                                 LPARAM lParam, bool transparent) override;
    // The flat buttons.
    void GetPushedContentOffset(CSize& offset) const override;
    void DrawButtonIconAndPlaceText(CDC& dc, bool horizontal, const CString& text,
                                    CExtCmdIcon* icon, const RECT& buttonRect, RECT& textRect,
                                    bool pushed, bool enabled, bool hot, UINT alignment) override;
    void DrawCaptionButton(CDC& dc, CaptionButtonArgs_t& args) override;
    void DrawSysCommandGlyph(CDC& dc, UINT command, const RECT& rect, bool hot, bool pushed,
                             bool enabled) override;
    void DrawPushButton(CDC& dc, PushButtonArgs_t& args) override;
    void FillGapArea(CDC& dc, const RECT& rect, CObject* owner, LPARAM lParam) override;
    void DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& item) override;
    void DrawTextField(CDC& dc, TextFieldArgs_t& args) override;
    // Tabs, control frames and the navigation pane.
    void DrawTabAreaBorder(CDC& dc, const RECT& client, const RECT& strip, const RECT& band,
                           int side, bool alternateLook, CWnd* tabWnd,
                           LPARAM reserved = 0) override;
    void DrawTabItem(CDC& dc, const RECT& strip, bool nearSide, bool horizontal, bool selected,
                     bool centredText, bool alternateLook, bool expanded, bool textDirection,
                     const RECT& item, int textWidth, int textHeight, HFONT font, LPCTSTR text,
                     CExtCmdIcon* icon, CWnd* tabWnd, LPARAM reserved = 0) override;
    void DrawTabScrollButton(CDC& dc, const RECT& rect, int kind, bool nearSide, bool horizontal,
                             bool enabled, bool hot, bool pressed, bool alternateLook,
                             CWnd* tabWnd, LPARAM reserved = 0) override;
    void DrawTabClientBorder(CDC& dc, const RECT& rect, CWnd* owner, LPARAM reserved = 0) override;
    void DrawSunkenBorder(CDC& dc, const RECT& rect, CWnd* owner, LPARAM reserved = 0) override;
    void DrawEditFrame(CDC& dc, const EditFrameArgs_t& args) override;
    void DrawComboFrame(CDC& dc, const ComboFrameArgs_t& args) override;
    void DrawStatusBarFrame(CDC& dc, const StatusPaneArgs_t& args) override;
    void DrawPaneFrame(CDC& dc, const RECT& rect) override;
    void DrawPaneButton(CDC& dc, const RECT& rect, LPCTSTR text, CExtCmdIcon* icon, bool selected,
                        bool pushed, bool hot) override;
    // Popup menus.
    void DrawMenuExpandItem(CDC& dc, const RECT& rect, bool selected, bool unused, CObject* owner,
                            LPARAM lParam) override;
    void DrawMenuItem(CDC& dc, MenuItemArgs_t& args) override;
    void DrawMenuSeparator(CDC& dc, const RECT& rect, int columnWidth, bool rarelyUsed,
                           CObject* owner, LPARAM lParam) override;
    int GetMenuBorderSize() const override { return 1; }
    void DrawMenuBorder(CDC& dc, const RECT& rect, CObject* owner, LPARAM lParam) override;
    bool IsMenuJoinedToButton() const override { return true; }
    void DrawMenuJoinEdge(CDC& dc, const RECT& buttonRect, const RECT& menuArea, int side,
                          CObject* owner, LPARAM lParam) override;
    // The icon column of an item or separator: the column colour, or its gradient pair.
    void PaintMenuIconColumn(CDC& dc, const RECT& column, bool rarelyUsed);

    // Bit 0 raised icons; bits 1 and 2 select XP or Office details of borders and the expand
    // button.
    BYTE m_xpFlags = 0;
    // Horizontal arrow, horizontal chevron, vertical arrow, vertical chevron.
    const PixelGlyph_t* m_expandGlyphs[4];
    // The menu icon column: the normal pair, then the rarely-used pair.
    int m_menuIconColumnColors[4] = {-1, -1, -1, -1};
    // Push-button gradients: hot, pushed, hot and pushed pairs.
    int m_pushButtonColors[6] = {-1, -1, -1, -1, -1, -1};
};

class CExtPaintManagerOffice2003 : public CExtPaintManagerXP
{
    DECLARE_DYNCREATE(CExtPaintManagerOffice2003)
public:
    CExtPaintManagerOffice2003();

    int GetThemeId() const override { return kThemeOffice2003; }
    void ReleasePaintCache(CObject* pObject, LPARAM lParam) override;
    void InitColorTable() override;
    CSize GetToolBarButtonShift(bool horizontal) const override;
    virtual bool GetOsSchemeColors(COLORREF* first, COLORREF* second) const;
    // Colour 3001 to colour 3000 over the first 700 pixels, colour 3000 beyond.
    virtual bool DrawGradientBand(CDC& dc, const RECT& rect, CWnd* window, LPARAM lParam);

    // Bars: the frame-wide band, rounded toolbar bodies and the backgrounds that follow them.
    void DrawBarBorders(CDC& dc, const BarBordersArgs_t& args) override;
    void DrawBarCaption(CDC& dc, BarCaptionArgs_t& args) override;
    void AdjustFixedBarClientRect(const CObject* bar, RECT& rect) override;
    int GetToolBarLeadingSpace(const CObject* bar) const override;
    bool HasToolBarGradient(const CObject* bar) const override;
    void DrawBarGradient(CDC& dc, const CObject* bar, int row, const RECT& rect) override;
    void DrawBarClientGradient(CDC& dc, const CObject* button, LPARAM lParam) override;
    bool CanDrawChildBackground(const CWnd* window, LPARAM lParam) const override;
    bool DrawChildBackground(CDC& dc, CWnd* window, LPARAM lParam) override;
    void DrawControlBarBackground(CDC& dc, const RECT& rect, CWnd* bar, LPARAM lParam) override;
    void DrawDockBarBackground(CDC& dc, const RECT& rect, CWnd* dockBar, LPARAM lParam) override;
    void DrawSeparator(CDC& dc, const RECT& rect, bool horizontalContainer, bool noBackground,
                       const CObject* owner, LPARAM lParam) override;
    void DrawToolBarExpandButton(CDC& dc, const RECT& rect, bool horizontal, bool allVisible,
                                 bool enabled, bool pushed, bool hot, const CObject* button,
                                 LPARAM lParam, bool transparent) override;
    void DrawResizingGripper(CDC& dc, const RECT& rect, CWnd* owner, LPARAM lParam) override;
    // A toolbar body's gradient (a child background's when forChild): the three scheme colours,
    // else 3016 to 3015.
    void PaintToolBarBody(CDC& dc, const RECT& rect, bool vertical, bool forChild);
    // The 1-pixel edge line 2 pixels inside the bottom (else the right) side of area.
    void DrawToolBarEdge(CDC& dc, const RECT& area, bool alongBottom);
    // The corner ellipse, larger on the Windows 95/98 family.
    CSize GetToolBarCornerSize(int largestGrown) const;
    // Buttons: faded disabled icons, larger toolbar buttons, single-line frames.
    COLORREF GetIconBlendColor() const override;
    double GetIconFadeFactor() const override;
    void GetToolBarExtraSize(CSize& size) const override;
    void DrawClientEdge(CDC& dc, const RECT& rect, CObject* owner, LPARAM lParam) override;
    void DrawPanelFrame(CDC& dc, const RECT& frameRect, const RECT& fillRect, CObject* owner,
                        LPARAM lParam) override;

    // Tabs, control frames and the navigation pane.
    void DrawTabAreaBorder(CDC& dc, const RECT& client, const RECT& strip, const RECT& band,
                           int side, bool alternateLook, CWnd* tabWnd,
                           LPARAM reserved = 0) override;
    void DrawEditFrame(CDC& dc, const EditFrameArgs_t& args) override;
    void DrawComboFrame(CDC& dc, const ComboFrameArgs_t& args) override;
    void DrawStatusBarFrame(CDC& dc, const StatusPaneArgs_t& args) override;
    void DrawPaneButton(CDC& dc, const RECT& rect, LPCTSTR text, CExtCmdIcon* icon, bool selected,
                        bool pushed, bool hot) override;
    void DrawPaneTitle(CDC& dc, const RECT& rect, LPCTSTR text) override;
    void DrawPaneHeader(CDC& dc, const RECT& rect, LPCTSTR text) override;
    void DrawPaneSplitter(CDC& dc, const RECT& rect, bool withDots) override;
    // Popup menus: the shaded ball of the expand item, the shadow tint, the joined toolbar edge.
    COLORREF GetShadowColor() const override;
    void DrawMenuExpandItem(CDC& dc, const RECT& rect, bool selected, bool unused, CObject* owner,
                            LPARAM lParam) override;
    int GetMenuCheckAreaWidth() const override;
    void DrawMenuJoinEdge(CDC& dc, const RECT& buttonRect, const RECT& menuArea, int side,
                          CObject* owner, LPARAM lParam) override;
    // The expand item's 16 x 16 ball, column by column: 255 leaves a pixel, else it is
    // MenuBallColor(intensity, 3015, 3016).
    static const BYTE MenuBallIntensity[256];
    static COLORREF MenuBallColor(int intensity, COLORREF dark, COLORREF light);

    // Negative: no edge line.
    int m_toolbarEdgeColor = -1;

protected:
    // The seven colour numbers back to -1, and the visual style read again.
    void ResetSchemeColors();
    void ApplyNumbers(const ThemeColorNumbers& numbers);
};

class CExtPaintManagerStudio2005 : public CExtPaintManagerOffice2003
{
    DECLARE_DYNCREATE(CExtPaintManagerStudio2005)
public:
    int GetThemeId() const override { return kThemeStudio2005; }

    // Bars.
    void DrawBarBorders(CDC& dc, const BarBordersArgs_t& args) override;
    void DrawBarCaption(CDC& dc, BarCaptionArgs_t& args) override;
    void DrawBarClientGradient(CDC& dc, const CObject* button, LPARAM lParam) override;
    // A resizable bar's caption in a floating frame gets the classic caption button.
    void DrawCaptionButton(CDC& dc, CaptionButtonArgs_t& args) override;

    // The slanted tabs.
    void GetTabMetrics(CWnd* tabWnd, int* leading, int* trailing, int* offset) override;
    void DrawTabItem(CDC& dc, const RECT& strip, bool nearSide, bool horizontal, bool selected,
                     bool centredText, bool alternateLook, bool expanded, bool textDirection,
                     const RECT& item, int textWidth, int textHeight, HFONT font, LPCTSTR text,
                     CExtCmdIcon* icon, CWnd* tabWnd, LPARAM reserved = 0) override;
};

#include "framework/paint/MenuItemArgs.h"
#include "framework/paint/PaintButtonArgs.h"
