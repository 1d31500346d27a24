// The menus sheet: a menu of plain, selected, disabled, checked, radio, check-box, submenu,
// split and inline-field items with icons and accelerators; a run of rarely used items with
// separators and the expand item; the expand item selected; a menu joined to its button.
#include "tools/gallery/PaintMenusGallery.h"

#include <vector>

#include "framework/commands/CmdIcon.h"
#include "tests/paint/FakePopup.h"
#include "tools/gallery/GalleryCanvas.h"

namespace {

const int kWidth = 760, kHeight = 420, kItemHeight = 22, kSeparator = -1, kExpand = -2;

struct Row
{
    const char* text;
    const char* accelerator;
    bool icon, selected, checked, radio, enabled, submenu, rarelyUsed;
    int extra;  // kSeparator, kExpand, or bits: 1 check box, 2 box checked, 4 split, 8 inline
};

class MenuPainter
{
public:
    MenuPainter(CExtPaintManager& manager, CDC& dc) : m_manager(manager), m_dc(dc)
    {
        MakeIcon();
        m_popup.items.assign(1, FakeMenuItem(m_column, false));
    }

    // Paints the rows inside a border at (x, y) and answers the menu's rectangle.
    RECT Paint(int x, int y, int width, const std::vector<Row>& rows)
    {
        const int border = m_manager.GetMenuBorderSize();
        int height = 2 * border;
        for (const Row& row : rows)
            height += RowHeight(row);
        const RECT menu = {x, y, x + width, y + height};
        m_dc.FillSolidRect(&menu, m_manager.GetMenuBackColor());
        m_manager.DrawMenuBorder(m_dc, menu, &m_popup, 0);
        int top = y + border;
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            const RECT rect = {x + border, top, x + width - border, top + RowHeight(row)};
            top = rect.bottom;
            if (row.extra == kSeparator) {
                m_manager.DrawMenuSeparator(m_dc, rect, m_column, row.rarelyUsed, &m_popup, 0);
                continue;
            }
            if (row.extra == kExpand) {
                m_manager.DrawMenuExpandItem(m_dc, rect, row.selected, false, &m_popup, 0);
                continue;
            }
            const bool above = i > 0 && rows[i - 1].rarelyUsed;
            const bool below = i + 1 < rows.size() && rows[i + 1].rarelyUsed;
            CExtPaintManager::MenuItemArgs_t args(
                &m_popup, rect, m_column, row.text, row.accelerator, row.icon ? &m_icon : nullptr,
                row.submenu, row.selected, row.checked, row.radio, false, row.enabled,
                row.rarelyUsed, above, below, 0);
            args.m_rarelyUsedBelow = below;
            args.m_checkBox = (row.extra & 1) != 0;
            args.m_boxChecked = (row.extra & 2) != 0;
            args.m_splitSubmenu = (row.extra & 4) != 0;
            if (row.extra & 8) {
                args.m_inlineRect = RECT{rect.left + 90, rect.top + 3, rect.right - 60,
                                         rect.bottom - 3};
                args.m_inlineText = "12345";
            }
            m_manager.DrawMenuItem(m_dc, args);
        }
        return menu;
    }

private:
    // A framed blue square on a transparent magenta ground.
    void MakeIcon()
    {
        HDC screen = ::GetDC(nullptr);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
        ::ReleaseDC(nullptr, screen);
        CDC picture;
        picture.CreateCompatibleDC(nullptr);
        HGDIOBJ old = picture.SelectObject(bitmap);
        picture.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
        picture.FillSolidRect(2, 2, 12, 12, RGB(30, 60, 140));
        picture.FillSolidRect(4, 4, 8, 8, RGB(80, 160, 230));
        picture.SelectObject(old);
        // The image takes the bitmap.
        m_icon.AssignBitmap(bitmap, RGB(255, 0, 255));
    }

    int RowHeight(const Row& row) const
    {
        if (row.extra == kSeparator)
            return m_manager.GetMenuSeparatorHeight();
        if (row.extra == kExpand)
            return m_manager.GetMenuCheckAreaWidth();
        return kItemHeight;
    }

    CExtPaintManager& m_manager;
    CDC& m_dc;
    CExtCmdIcon m_icon;
    FakePopupMenu m_popup;
    const int m_column = 24;
};

// text, accelerator, icon, selected, checked, radio, enabled, submenu, rarely used, extra
const std::vector<Row> kKinds = {
    {"&Open...", "Ctrl+O", true, false, false, false, true, false, false, 0},
    {"&Save", "Ctrl+S", true, true, false, false, true, false, false, 0},
    {"Disabled with icon", "", true, false, false, false, false, false, false, 0},
    {"Disabled", "Del", false, false, false, false, false, false, false, 0},
    {"", "", false, false, false, false, true, false, false, kSeparator},
    {"&Checked", "", false, false, true, false, true, false, false, 0},
    {"Checked, selected", "", false, true, true, false, true, false, false, 0},
    {"&Radio", "", false, false, false, true, true, false, false, 0},
    {"Checked with icon", "", true, false, true, false, true, false, false, 0},
    {"Check box", "", false, false, false, false, true, false, false, 1 | 2},
    {"", "", false, false, false, false, true, false, false, kSeparator},
    {"Sub&menu", "", false, false, false, false, true, true, false, 0},
    {"Submenu, selected", "", false, true, false, false, true, true, false, 0},
    {"Split submenu", "", false, true, false, false, true, true, false, 4},
    {"Value", "", false, false, false, false, true, false, false, 8},
    {"Value", "", false, true, false, false, true, true, false, 8},
};

const std::vector<Row> kRarelyUsed = {
    {"Used often", "", true, false, false, false, true, false, false, 0},
    {"Rarely used", "F5", false, false, false, false, true, false, true, 0},
    {"", "", false, false, false, false, true, false, true, kSeparator},
    {"Rarely, selected", "", true, true, false, false, true, false, true, 0},
    {"Rarely used too", "", false, false, false, false, true, false, true, 0},
    {"Used often", "", false, false, false, false, true, false, false, 0},
    {"", "", false, false, false, false, true, false, false, kExpand},
};

const std::vector<Row> kExpandSelected = {
    {"Item", "", false, false, false, false, true, false, false, 0},
    {"", "", false, true, false, false, true, false, false, kExpand},
};

} // namespace

bool PaintMenusSheet(CExtPaintManager& manager, const std::string& folder)
{
    return WriteThemeSheet(manager, folder, "menus", kWidth, kHeight, [&](CDC& dc) {
        const COLORREF text = manager.ColorAt(1010);
        Text(dc, 10, 4, "item kinds", text);
        MenuPainter painter(manager, dc);
        painter.Paint(10, 22, 260, kKinds);
        Text(dc, 290, 4, "rarely used, expand item", text);
        painter.Paint(290, 22, 200, kRarelyUsed);
        Text(dc, 290, 220, "expand item selected", text);
        painter.Paint(290, 238, 200, kExpandSelected);

        // A menu below the button that opened it, the button framed open toward the menu.
        Text(dc, 520, 4, "joined below its button", text);
        const RECT button = {530, 24, 590, 46};
        RECT menu = painter.Paint(530, 45, 200, kExpandSelected);
        menu.top += 1;
        manager.DrawMenuJoinEdge(dc, button, menu, 1, nullptr, 0);
        Text(dc, 540, 28, "File", text);
    });
}
