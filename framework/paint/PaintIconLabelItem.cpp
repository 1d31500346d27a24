// An icon with a label, as shortcut bars show them: the icon on a hot or pushed square, the
// label beside or below it, turned for vertical bars; or only a marker where the label goes.
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintSteps.h"

using namespace paint_steps;
using Item = CExtPaintManager::IconLabelItemArgs_t;

namespace {

// The looks of the two families: the square behind the icon, its frame and the label colour.
struct ItemLook
{
    int hotFill, pushedFill;
    int hotFrame[2], pushedFrame[2];
    int labelColor;
};

const ItemLook kClassicLook = {COLOR_BTNSHADOW, COLOR_BTNSHADOW,
                               {COLOR_BTNFACE, COLOR_3DDKSHADOW},
                               {COLOR_3DDKSHADOW, COLOR_BTNFACE}, COLOR_BTNHIGHLIGHT};
const ItemLook kFlatLook = {1001, 2003, {2004, 2004}, {2004, 2004}, COLOR_BTNTEXT};

HICON PickIcon(Item& item)
{
    const RECT& r = item.m_iconRect;
    Item::Image* first = item.m_useHotImage ? item.m_hotImage : item.m_normalImage;
    Item::Image* second = item.m_useHotImage ? item.m_normalImage : item.m_hotImage;
    HICON icon = first ? first->IconOfSize(r.right - r.left, r.bottom - r.top) : nullptr;
    if (!icon && second)
        icon = second->IconOfSize(r.right - r.left, r.bottom - r.top);
    return icon;
}

void DrawLabel(CDC& dc, const Item& item, COLORREF color)
{
    SavedColors saved(dc);
    dc.SetTextColor(color);
    dc.SetBkMode(TRANSPARENT);
    Selected font(dc, item.m_font);
    const RECT& label = item.m_labelRect;
    if (item.m_verticalLabel) {
        const int width = label.right - label.left;
        RECT rect = Inflated(label, 3, 0);
        ::OffsetRect(&rect, item.m_labelAtTop ? -(width / 2 + 2) : width / 2, 0);
        const UINT oldAlign = ::SetTextAlign(dc.GetSafeHdc(), TA_BASELINE);
        const int x = rect.left + (rect.right - rect.left) / 2;
        const int y = item.m_labelAtTop ? rect.top + 4 : rect.top + (label.bottom - label.top) - 4;
        ::ExtTextOutA(dc.GetSafeHdc(), x, y, ETO_CLIPPED, &rect, item.m_label,
                      item.m_label.GetLength(), nullptr);
        ::SetTextAlign(dc.GetSafeHdc(), oldAlign);
        return;
    }
    RECT shown = {};
    const RECT clip = Inflated(item.m_clipRect, -1, 0);
    if (!::IntersectRect(&shown, &label, &clip))
        return;
    ::DrawTextA(dc.GetSafeHdc(), item.m_label, item.m_label.GetLength(), &shown,
                DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}

void DrawItem(CExtPaintManager& manager, CDC& dc, Item& item, const ItemLook& look)
{
    if (!HasVisiblePart(dc, item.m_itemRect))
        return;
    if (item.m_markerOnly) {
        if (item.m_infoColors && HasVisiblePart(dc, item.m_labelRect)) {
            const RECT marker = Inflated(item.m_labelRect, 2, 2);
            Fill(dc, marker, manager.ColorAt(COLOR_INFOBK));
            Frame(dc, marker, manager.ColorAt(COLOR_3DDKSHADOW));
        }
        return;
    }
    if (HasVisiblePart(dc, item.m_iconRect)) {
        const RECT square = Inflated(item.m_iconRect, 2, 2);
        const bool lit = item.m_hot || item.m_pushed;
        if (lit)
            Fill(dc, square, manager.ColorAt(item.m_pushed ? look.pushedFill : look.hotFill));
        if (HICON icon = PickIcon(item)) {
            const RECT& r = item.m_iconRect;
            ::DrawIconEx(dc.GetSafeHdc(), r.left, r.top, icon, r.right - r.left, r.bottom - r.top,
                         0, nullptr, DI_NORMAL);
        }
        if (lit) {
            const int* frame = item.m_pushed ? look.pushedFrame : look.hotFrame;
            Frame(dc, square, manager.ColorAt(frame[0]), manager.ColorAt(frame[1]));
        }
    }
    if (item.m_label.IsEmpty() || !dc.RectVisible(&item.m_labelRect))
        return;
    DrawLabel(dc, item, manager.ColorAt(item.m_infoColors ? COLOR_INFOTEXT : look.labelColor));
}

} // namespace

void CExtPaintManager::DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& item)
{
    DrawItem(*this, dc, item, kClassicLook);
}

void CExtPaintManagerXP::DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& item)
{
    DrawItem(*this, dc, item, kFlatLook);
}
