// The buttons sheet: push buttons (plain, toolbar, drop-down, split, focused, window commands,
// vertical) in their states, caption buttons on the caption colours they meet, the glyphs of
// the window commands, and the small painters: arrow buttons, text buttons, icon-and-label
// items, fills, edges, panel frames, the colour icons, the control area and text fields.
#include "tools/gallery/PaintButtonsGallery.h"

#include "framework/commands/CmdIcon.h"
#include "tools/gallery/GalleryCanvas.h"

namespace {

const int kWidth = 900, kHeight = 900;
const COLORREF kKey = RGB(255, 0, 255);

// A 16 x 16 picture: a framed blue page with a yellow sun, on the transparent key colour.
CExtCmdIcon MakeIcon()
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const BITMAPINFO info = TopDownBitmapInfo(16, 16);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = dc.SelectObject(bitmap);
    dc.FillSolidRect(0, 0, 16, 16, kKey);
    dc.FillSolidRect(2, 1, 12, 14, RGB(40, 90, 200));
    dc.Draw3dRect(2, 1, 12, 14, RGB(10, 30, 90), RGB(10, 30, 90));
    dc.FillSolidRect(7, 4, 4, 4, RGB(250, 210, 40));
    dc.SelectObject(old);
    return CExtCmdIcon(bitmap, kKey);
}

struct State
{
    const char* name;
    bool hot, pushed, enabled, menuOpen;
};

const State kStates[] = {{"normal", false, false, true, false},
                         {"hot", true, false, true, false},
                         {"pushed", false, true, true, false},
                         {"hot pushed", true, true, true, false},
                         {"disabled", false, false, false, false},
                         {"menu open", true, false, true, true}};
const int kColumn = 130, kLeft = 110;

struct Kind
{
    const char* name;
    int width, height;
    const char* text;
    bool flat, icon, dropDown, split, focus;
    UINT alignment;
};

void PushButtons(CExtPaintManager& manager, CDC& dc, CExtCmdIcon& icon, int top)
{
    const Kind kinds[] = {{"button", 84, 24, "&Apply", false, false, false, false, false, 5},
                          {"toolbar", 70, 24, "&Send", true, true, false, false, false, 4},
                          {"icon", 24, 22, "", true, true, false, false, false, 5},
                          {"drop-down", 36, 22, "", true, true, true, false, false, 5},
                          {"split", 84, 24, "&Open", true, true, true, true, false, 4},
                          {"focused", 84, 24, "OK", false, false, false, false, true, 5}};
    for (int s = 0; s < 6; ++s)
        Text(dc, kLeft + s * kColumn, top, kStates[s].name, manager.ColorAt(1010));
    top += 20;
    for (const Kind& kind : kinds) {
        Text(dc, 10, top + 4, kind.name, manager.ColorAt(1010));
        for (int s = 0; s < 6; ++s) {
            const State& st = kStates[s];
            const int x = kLeft + s * kColumn;
            CExtPaintManager::PushButtonArgs_t a(
                nullptr, true, RECT{x, top, x + kind.width, top + kind.height}, kind.text,
                kind.icon ? &icon : nullptr, kind.flat, st.hot, st.pushed, false, st.enabled,
                true, kind.focus, false, kind.alignment, nullptr, kind.dropDown, 0, false);
            a.m_splitDropDown = kind.split;
            a.m_menuOpen = st.menuOpen;
            manager.DrawPushButton(dc, a);
        }
        top += kind.height + 10;
    }
    Text(dc, 10, top + 2, "window", manager.ColorAt(1010));
    const UINT commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE, SC_MAXIMIZE, SC_CONTEXTHELP};
    for (int s = 0; s < 6; ++s) {
        const State& st = kStates[s];
        for (int c = 0; c < 5; ++c) {
            const int x = kLeft + s * kColumn + c * 20;
            CExtPaintManager::PushButtonArgs_t a(
                nullptr, true, RECT{x, top, x + 18, top + 16}, "", nullptr, true, st.hot,
                st.pushed, false, st.enabled, true, false, false, 5, nullptr, false, commands[c],
                false);
            manager.DrawPushButton(dc, a);
        }
    }
    top += 28;
    Text(dc, 10, top + 30, "vertical", manager.ColorAt(1010));
    for (int s = 0; s < 6; ++s) {
        const State& st = kStates[s];
        const int x = kLeft + s * kColumn;
        CExtPaintManager::PushButtonArgs_t a(
            nullptr, false, RECT{x, top, x + 26, top + 90}, "&Vertical", &icon, true, st.hot,
            st.pushed, false, st.enabled, true, false, false, 1 | 4, nullptr, true, 0, false);
        a.m_menuOpen = st.menuOpen;
        manager.DrawPushButton(dc, a);
        CExtPaintManager::PushButtonArgs_t b(
            nullptr, false, RECT{x + 40, top, x + 66, top + 90}, "Bold", nullptr, false, st.hot,
            st.pushed, false, st.enabled, true, false, true, 1 | 4, nullptr, false, 0, false);
        manager.DrawPushButton(dc, b);
    }
}

void CaptionButtons(CExtPaintManager& manager, CDC& dc, int top)
{
    const struct
    {
        const char* name;
        bool resizable, active, floating;
        int band;
    } captions[] = {{"bar, inactive", true, false, false, COLOR_BTNFACE},
                    {"bar, active", true, true, false, COLOR_HIGHLIGHT},
                    {"floating bar", true, true, true, COLOR_ACTIVECAPTION},
                    {"floating toolbar", false, false, true, COLOR_BTNSHADOW}};
    const struct
    {
        const char* name;
        bool hot, pushed, enabled;
    } states[] = {{"normal", false, false, true},
                  {"hot", true, false, true},
                  {"pushed", true, true, true},
                  {"disabled", true, false, false}};
    Text(dc, 10, top, "caption buttons (close, pin, menu arrow)", manager.ColorAt(1010));
    top += 20;
    for (const auto& caption : captions) {
        Text(dc, 10, top + 3, caption.name, manager.ColorAt(1010));
        for (int s = 0; s < 4; ++s) {
            const int x = kLeft + s * 180;
            dc.FillSolidRect(x - 4, top - 3, 70, 22, manager.ColorAt(caption.band));
            const int kinds[] = {CExtPaintManager::kGlyphClose,
                                 CExtPaintManager::kGlyphPinUpright,
                                 CExtPaintManager::kGlyphArrowDown};
            for (int k = 0; k < 3; ++k) {
                const int left = x + k * 20;
                CExtPaintManager::CaptionButtonArgs_t a(
                    nullptr, RECT{left, top, left + 15, top + 15}, kinds[k], states[s].hot,
                    states[s].pushed, states[s].enabled, caption.resizable, caption.active,
                    caption.floating);
                manager.DrawCaptionButton(dc, a);
            }
            Text(dc, x + 70, top + 3, states[s].name, manager.ColorAt(1010));
        }
        top += 28;
    }
}

void CommandGlyphs(CExtPaintManager& manager, CDC& dc, int top)
{
    Text(dc, 10, top, "window-command glyphs: normal, hot, pushed, disabled", manager.ColorAt(1010));
    top += 20;
    const UINT commands[] = {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE, SC_CONTEXTHELP};
    for (int c = 0; c < 5; ++c) {
        for (int s = 0; s < 4; ++s) {
            const int x = kLeft + c * 130 + s * 26;
            manager.DrawSysCommandGlyph(dc, commands[c], RECT{x, top, x + 16, top + 16}, s == 1,
                                        s == 2, s != 3);
        }
    }
}

// Gives the sheet's picture as an icon of any size.
class SheetImage : public CExtPaintManager::IconLabelItemArgs_t::Image
{
public:
    explicit SheetImage(CExtCmdIcon& icon) : m_icon(icon) { }
    HICON IconOfSize(int, int) override { return m_icon.GetIcon(); }

private:
    CExtCmdIcon& m_icon;
};

void SmallPainters(CExtPaintManager& manager, CDC& dc, CExtCmdIcon& icon, int top)
{
    const COLORREF label = manager.ColorAt(1010);
    Text(dc, 10, top, "arrow buttons: normal, hot, pushed", label);
    for (int s = 0; s < 3; ++s) {
        for (int d = 0; d < 4; ++d) {
            const int x = kLeft + 140 + s * 100 + d * 22;
            manager.DrawArrowButton(dc, d < 2, RECT{x, top, x + 18, top + 18}, d % 2 == 0, s == 1,
                                    s == 2, nullptr, 0);
        }
    }
    top += 28;
    Text(dc, 10, top, "text buttons: normal, hot, pushed, flat hot", label);
    for (int s = 0; s < 4; ++s) {
        const int x = kLeft + 200 + s * 90;
        manager.DrawTextPushButton(dc, RECT{x, top - 2, x + 80, top + 20}, true, "Text", s == 3,
                                   true, s == 2, s >= 1, nullptr, 0);
    }
    top += 30;
    Text(dc, 10, top, "icon and label: normal, hot, pushed, marker, vertical", label);
    SheetImage image(icon);
    for (int s = 0; s < 5; ++s) {
        const int x = kLeft + 250 + s * 90;
        CExtPaintManager::IconLabelItemArgs_t item;
        item.m_itemRect = {x, top, x + 80, top + 60};
        item.m_iconRect = {x + 32, top + 4, x + 48, top + 20};
        item.m_labelRect = {x + 4, top + 26, x + 76, top + 42};
        item.m_clipRect = item.m_itemRect;
        item.m_normalImage = &image;
        item.m_label = "Shortcut";
        item.m_font = static_cast<HFONT>(manager.Font(CExtPaintManager::kFontNormal).GetSafeHandle());
        item.m_hot = s == 1;
        item.m_pushed = s == 2;
        item.m_markerOnly = s == 3;
        item.m_infoColors = s == 3;
        if (s == 4) {
            // A label turned to run downwards starts at the top.
            item.m_verticalLabel = 1;
            item.m_labelAtTop = 1;
            item.m_iconRect = {x + 4, top + 4, x + 20, top + 20};
            item.m_labelRect = {x + 4, top + 24, x + 20, top + 60};
            item.m_font = static_cast<HFONT>(
                manager.Font(CExtPaintManager::kFontNormal2700).GetSafeHandle());
        }
        manager.DrawIconLabelItem(dc, item);
    }
    top += 70;
    Text(dc, 10, top, "fills, edges, panel, icons, control area", label);
    manager.FillGapArea(dc, RECT{kLeft + 250, top, kLeft + 290, top + 30}, nullptr, 0);
    manager.FillShadowArea(dc, RECT{kLeft + 300, top, kLeft + 340, top + 30}, nullptr, 0);
    manager.DrawClientEdge(dc, RECT{kLeft + 350, top, kLeft + 410, top + 30}, nullptr, 0);
    manager.DrawPanelFrame(dc, RECT{kLeft + 420, top, kLeft + 480, top + 30},
                           RECT{kLeft + 422, top + 2, kLeft + 478, top + 28}, nullptr, 0);
    HICON icons[3] = {CExtPaintManager::CreateSolidColorIcon(RGB(200, 40, 40)),
                      CExtPaintManager::CreateFramedColorIcon(RGB(40, 140, 40)),
                      CExtPaintManager::CreateLetterColorIcon(
                          RGB(40, 40, 200),
                          static_cast<HFONT>(manager.Font(CExtPaintManager::kFontBold).GetSafeHandle()),
                          'A')};
    for (int i = 0; i < 3; ++i) {
        ::DrawIconEx(dc, kLeft + 500 + i * 24, top + 7, icons[i], 16, 16, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icons[i]);
    }
    manager.FillControlArea(dc, RECT{kLeft + 580, top, kLeft + 660, top + 30},
                            RECT{kLeft + 585, top + 5, kLeft + 655, top + 25}, nullptr, 0);
    top += 44;
    Text(dc, 10, top, "text fields: normal, hot, focused, disabled; combo look", label);
    for (int i = 0; i < 8; ++i) {
        const int x = kLeft + 250 + (i % 4) * 110;
        const int y = top - 4 + (i / 4) * 34;
        CExtPaintManager::TextFieldArgs_t field;
        field.m_outerRect = {x, y, x + 100, y + 26};
        field.m_fieldRect = {x + 3, y + 3, i < 4 ? x + 97 : x + 80, y + 23};
        field.m_text = "Field";
        field.m_comboLook = i >= 4;
        field.m_hot = i % 4 == 1;
        field.m_focused = i % 4 == 2;
        field.m_enabled = i % 4 != 3;
        manager.DrawTextField(dc, field);
    }
}

} // namespace

bool PaintButtonsSheet(CExtPaintManager& manager, const std::string& folder)
{
    CExtCmdIcon icon = MakeIcon();
    return WriteThemeSheet(manager, folder, "buttons", kWidth, kHeight, [&](CDC& dc) {
        Text(dc, 10, 6,
             std::string("buttons, theme ") + manager.GetRuntimeClass()->m_lpszClassName,
             manager.ColorAt(1010));
        PushButtons(manager, dc, icon, 30);
        CaptionButtons(manager, dc, 420);
        CommandGlyphs(manager, dc, 570);
        SmallPainters(manager, dc, icon, 630);
    });
}
