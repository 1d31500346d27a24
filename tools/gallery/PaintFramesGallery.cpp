// The frames sheet of the gallery: for one theme, the tab strips on all four sides with their
// tabs and buttons in every state, the edit, combo and status-bar frames, the sunken borders,
// the toolbar dividers and the navigation-pane look.
#include "tools/gallery/PaintFramesGallery.h"

#include "framework/commands/CmdIcon.h"
#include "tools/gallery/GalleryCanvas.h"

namespace {

using M = CExtPaintManager;
const int kWidth = 960, kHeight = 750;

void Label(CDC& dc, M& manager, int x, int y, const char* text)
{
    Text(dc, x, y, text, manager.ColorAt(COLOR_BTNTEXT));
}

// The system's small information icon.
CExtCmdIcon SmallIcon()
{
    HICON icon = static_cast<HICON>(
        ::LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 16, 16, LR_SHARED));
    return CExtCmdIcon(icon, true);
}

HFONT ThemeFont(M& manager, M::FontIndex index)
{
    return static_cast<HFONT>(manager.Font(index).GetSafeHandle());
}

// A tab window on one side of a content area: the strip with its band, then the tabs, then the
// buttons; the content is framed with the client border.
void TabStrip(CDC& dc, M& manager, const RECT& area, int side, bool alternate, CExtCmdIcon* icon)
{
    const bool horizontal = side == M::kTabSideTop || side == M::kTabSideBottom;
    const bool nearSide = side == M::kTabSideTop || side == M::kTabSideLeft;
    const int depth = 24, bandDepth = 3;
    RECT strip = area, band = area, content = area;
    if (horizontal && nearSide) {
        strip.bottom = area.top + depth;
        band = {area.left, strip.bottom, area.right, strip.bottom + bandDepth};
        content.top = band.bottom;
    } else if (horizontal) {
        strip.top = area.bottom - depth;
        band = {area.left, strip.top - bandDepth, area.right, strip.top};
        content.bottom = band.top;
    } else if (nearSide) {
        strip.right = area.left + depth;
        band = {strip.right, area.top, strip.right + bandDepth, area.bottom};
        content.left = band.right;
    } else {
        strip.left = area.right - depth;
        band = {strip.left - bandDepth, area.top, strip.left, area.bottom};
        content.right = band.left;
    }
    RECT tabWindow;
    ::UnionRect(&tabWindow, &strip, &band);
    manager.DrawTabAreaBorder(dc, tabWindow, strip, band, side, alternate, nullptr);
    dc.FillSolidRect(&content, manager.ColorAt(COLOR_WINDOW));
    manager.DrawTabClientBorder(dc, content, nullptr);
    const char* texts[] = {"Log", "Send data", "Status", "Script"};
    HFONT font = ThemeFont(manager, horizontal ? M::kFontNormal : M::kFontNormal2700);
    int along = horizontal ? strip.left + 4 : strip.top + 4;
    for (int i = 0; i < 4; ++i) {
        SIZE extent = {};
        HGDIOBJ old = dc.SelectObject(ThemeFont(manager, M::kFontNormal));
        ::GetTextExtentPoint32A(dc, texts[i], lstrlenA(texts[i]), &extent);
        dc.SelectObject(old);
        const int length = extent.cx + (i == 2 && icon ? 40 : 20);
        // Tabs keep a gap of 3 from the window edge and touch the band.
        RECT item = horizontal ? RECT{along, strip.top, along + length, strip.bottom}
                               : RECT{strip.left, along, strip.right, along + length};
        if (horizontal && nearSide)
            item.top += 3;
        else if (horizontal)
            item.bottom -= 3;
        else if (nearSide)
            item.left += 3;
        else
            item.right -= 3;
        manager.DrawTabItem(dc, strip, nearSide, horizontal, i == 1, false, alternate, true, false,
                            item, extent.cx, extent.cy, font, texts[i], i == 2 ? icon : nullptr,
                            nullptr);
        ::SelectClipRgn(dc, nullptr);
        along += length + 1;
    }
    const int kinds[] = {M::kTabButtonPrevious, M::kTabButtonNext, M::kTabButtonList,
                         M::kTabButtonHelp, M::kTabButtonClose};
    for (int i = 0; i < 5; ++i) {
        const int at = (horizontal ? strip.right : strip.bottom) - 16 * (5 - i) - 2;
        const RECT button = horizontal ? RECT{at, strip.top + 5, at + 15, strip.bottom - 4}
                                       : RECT{strip.left + 5, at, strip.right - 4, at + 15};
        // Previous disabled, next hot, list pressed, help and close idle.
        manager.DrawTabScrollButton(dc, button, kinds[i], nearSide, horizontal, i != 0, i == 1,
                                    i == 2, alternate, nullptr);
    }
}

void Tabs(CDC& dc, M& manager, int top, CExtCmdIcon* icon)
{
    Label(dc, manager, 10, top, "tabs: top, bottom, left, right, alternate look; buttons: "
                                "previous disabled, next hot, list pressed, help, close");
    top += 18;
    TabStrip(dc, manager, RECT{10, top, 420, top + 60}, M::kTabSideTop, false, icon);
    TabStrip(dc, manager, RECT{440, top, 850, top + 60}, M::kTabSideBottom, false, icon);
    top += 70;
    TabStrip(dc, manager, RECT{10, top, 90, top + 330}, M::kTabSideLeft, false, icon);
    TabStrip(dc, manager, RECT{110, top, 190, top + 330}, M::kTabSideRight, false, icon);
    TabStrip(dc, manager, RECT{210, top, 620, top + 40}, M::kTabSideTop, true, icon);
    manager.DrawTabClientBorder(dc, RECT{640, top, 700, top + 40}, nullptr);
    manager.DrawSunkenBorder(dc, RECT{710, top, 770, top + 40}, nullptr);
    Label(dc, manager, 640, top + 44, "client / sunken");
}

void Frames(CDC& dc, M& manager, int left, int top)
{
    Label(dc, manager, left, top, "edit: idle, hot, focused, hot+focused, disabled");
    top += 18;
    const struct
    {
        bool hot, focused, enabled;
    } edits[] = {{false, false, true}, {true, false, true}, {false, true, true},
                 {true, true, true}, {true, true, false}};
    for (int i = 0; i < 5; ++i) {
        const RECT inner = {left + 5 + i * 140, top + 5, left + 125 + i * 140, top + 25};
        dc.FillSolidRect(&inner, manager.ColorAt(COLOR_WINDOW));
        M::EditFrameArgs_t args(nullptr, inner, true, edits[i].hot, edits[i].enabled,
                                edits[i].focused);
        manager.DrawEditFrame(dc, args);
    }
    top += 36;
    Label(dc, manager, left, top,
          "combo: idle, hot, dropped, disabled, own background, no outer ring");
    top += 18;
    for (int i = 0; i < 6; ++i) {
        const RECT rect = {left + i * 115, top, left + 105 + i * 115, top + 22};
        M::ComboFrameArgs_t args(nullptr, rect, i == 1, i == 2, i != 3);
        if (i == 4)
            args.m_backgroundColor = RGB(255, 255, 200);
        if (i == 5)
            args.m_noOuterRing = 1;
        dc.FillSolidRect(&rect, manager.ColorAt(COLOR_WINDOW));
        manager.DrawComboFrame(dc, args);
    }
    top += 32;
    Label(dc, manager, left, top, "status bar: border lines (double) and three panes");
    top += 18;
    const RECT bar = {left, top, left + 560, top + 24};
    dc.FillSolidRect(&bar, manager.ColorAt(1000));
    using A = M::StatusPaneArgs_t;
    manager.DrawStatusBarFrame(dc, A(nullptr, A::kBarBorders,
                                     A::kBorderTop | A::kBorderBottom | A::kBorderLeft |
                                         A::kBorderRight | A::kBorderDouble,
                                     bar));
    for (int i = 0; i < 3; ++i)
        manager.DrawStatusBarFrame(dc, A(nullptr, A::kPaneFrame, 0,
                                         RECT{bar.left + 6 + i * 180, bar.top + 4,
                                              bar.left + 180 + i * 180, bar.bottom - 4}));
}

void Dividers(CDC& dc, M& manager, int left, int top)
{
    Label(dc, manager, left, top, "dividers: vertical near/far, horizontal");
    Label(dc, manager, left, top + 14, "near/far; double frame");
    top += 14;
    top += 24;
    manager.DrawToolBarDivider(dc, RECT{left + 10, top, left + 30, top + 40}, true, true);
    manager.DrawToolBarDivider(dc, RECT{left + 40, top, left + 60, top + 40}, false, true);
    manager.DrawToolBarDivider(dc, RECT{left + 80, top, left + 160, top + 16}, true, false);
    manager.DrawToolBarDivider(dc, RECT{left + 80, top + 20, left + 160, top + 36}, false, false);
    manager.DrawDoubleFrame(dc, RECT{left + 180, top, left + 240, top + 40});
}

void NavigationPane(CDC& dc, M& manager, int left, int top, CExtCmdIcon* icon)
{
    Label(dc, manager, left, top, "navigation pane: title, header, splitter,");
    Label(dc, manager, left, top + 14, "buttons idle/hot/pushed/selected, chevron");
    top += 14;
    top += 18;
    const RECT pane = {left, top, left + 300, top + 330};
    manager.FillWindowArea(dc, pane);
    manager.DrawPaneFrame(dc, pane);
    manager.DrawPaneTitle(dc, RECT{left + 1, top + 1, left + 299, top + 31}, "Mail");
    manager.DrawPaneHeader(dc, RECT{left + 1, top + 31, left + 299, top + 51}, "Folders");
    manager.DrawPaneSplitter(dc, RECT{left + 1, top + 150, left + 299, top + 158}, true);
    const char* names[] = {"Idle", "Hot", "Pushed", "Selected"};
    for (int i = 0; i < 4; ++i) {
        const RECT button = {left + 1, top + 158 + i * 32, left + 299, top + 190 + i * 32};
        manager.DrawPaneButton(dc, button, names[i], icon, i == 3, i == 2, i == 1 || i == 2);
    }
    manager.DrawPaneButton(dc, RECT{left + 1, top + 290, left + 40, top + 322}, "", icon, false,
                           false, false);
    manager.DrawPaneChevron(dc, RECT{left + 260, top + 290, left + 299, top + 322});
}

} // namespace

bool PaintFramesSheet(CExtPaintManager& manager, const std::string& folder)
{
    CExtCmdIcon icon = SmallIcon();
    return WriteThemeSheet(manager, folder, "frames", kWidth, kHeight, [&](CDC& dc) {
        Tabs(dc, manager, 6, &icon);
        Frames(dc, manager, 10, 590);
        Dividers(dc, manager, 640, 150);
        NavigationPane(dc, manager, 640, 230, &icon);
    });
}
