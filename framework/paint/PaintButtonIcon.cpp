// Where a button's icon goes and how it is painted: normal or embossed in the classic theme;
// raised when hot, monochrome or faded when disabled in the XP family.
#include "framework/commands/CmdIcon.h"
#include "framework/paint/PaintManager.h"

using Args = CExtPaintManager::PushButtonArgs_t;

namespace {

// The icon's top-left corner (moved for a pressed button), with textRect shrunk by the room the
// icon takes. False without an icon.
bool PlaceIcon(const CExtPaintManager& manager, bool horizontal, bool withText,
               CExtCmdIcon* icon, const RECT& button, RECT& textRect, bool pushed,
               UINT alignment, POINT& position)
{
    textRect = button;
    if (!icon || icon->IsEmpty())
        return false;
    const CSize size = icon->GetSize();
    const int centredX = button.left + (button.right - button.left - size.cx) / 2;
    const int centredY = button.top + (button.bottom - button.top - size.cy) / 2;
    position = {button.left, button.top};
    const bool first = alignment & Args::kAlignCenter;
    const bool last = (alignment & Args::kAlignRight) && !first;
    if (horizontal) {
        if (!withText) {
            position.x = centredX;
        } else if (!last) {
            position.x = button.left + 3;
            textRect.left += size.cx + 3;
        } else {
            position.x = textRect.right - size.cx - 3;
            position.y = centredY;
            textRect.right -= size.cx + 3;
        }
        if (alignment & Args::kAlignCenterVertically)
            position.y = centredY;
    } else {
        if ((first || last) && !withText) {
            position.y = centredY;
        } else if (first) {
            position.y = button.top + 3;
            textRect.top += size.cy + 3;
        } else if (last) {
            position.y = textRect.bottom - size.cy - 3;
            position.x = centredX;
            textRect.bottom -= size.cy + 3;
        }
        if (alignment & Args::kAlignCenterVertically)
            position.x = centredX;
    }
    if (pushed) {
        CSize offset;
        manager.GetPushedContentOffset(offset);
        position.x += offset.cx;
        position.y += offset.cy;
    }
    return true;
}

} // namespace

void CExtPaintManager::DrawButtonIconAndPlaceText(CDC& dc, bool horizontal, const CString& text,
                                                  CExtCmdIcon* icon, const RECT& buttonRect,
                                                  RECT& textRect, bool pushed, bool enabled, bool,
                                                  UINT alignment)
{
    POINT position;
    if (!PlaceIcon(*this, horizontal, !text.IsEmpty(), icon, buttonRect, textRect, pushed,
                   alignment, position))
        return;
    icon->DrawState(dc.GetSafeHdc(), position,
                    enabled ? CExtCmdIcon::kDrawNormal : CExtCmdIcon::kDrawDisabled);
}

void CExtPaintManagerXP::DrawButtonIconAndPlaceText(CDC& dc, bool horizontal,
                                                    const CString& text, CExtCmdIcon* icon,
                                                    const RECT& buttonRect, RECT& textRect,
                                                    bool pushed, bool enabled, bool hot,
                                                    UINT alignment)
{
    POINT position;
    if (!PlaceIcon(*this, horizontal, !text.IsEmpty(), icon, buttonRect, textRect, pushed,
                   alignment, position))
        return;
    const HDC target = dc.GetSafeHdc();
    const bool raised = m_xpFlags & 1;
    if (raised) {
        position.x += 1;
        position.y += 1;
    }
    if (enabled) {
        if (raised && hot && !pushed) {
            CBrush shadow;
            shadow.CreateSolidBrush(ColorAt(COLOR_BTNSHADOW));
            icon->DrawState(target, position, CExtCmdIcon::kDrawMonochrome, shadow);
            position.x -= 2;
            position.y -= 2;
        }
        icon->DrawState(target, position, CExtCmdIcon::kDrawNormal);
        return;
    }
    CBrush disabled;
    disabled.CreateSolidBrush(ColorAt(2002));
    const COLORREF blend = GetIconBlendColor();
    if (blend == static_cast<COLORREF>(-1)) {
        icon->DrawState(target, position, CExtCmdIcon::kDrawMonochrome, disabled);
        return;
    }
    if (icon->GetBlendColor() != blend)
        icon->SetBlendColor(blend);
    const double fade = GetIconFadeFactor();
    if (icon->GetFadeFactor() != fade)
        icon->SetFadeFactor(fade);
    icon->DrawState(target, position, CExtCmdIcon::kDrawFaded, disabled);
}
