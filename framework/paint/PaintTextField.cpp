// A framed text field: a combo box's frame, or a ring that shows when the field is hot or
// focused; then the field in the window colour with its text.
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintSteps.h"
#include "platform/Wnd.h"

using namespace paint_steps;
using Field = CExtPaintManager::TextFieldArgs_t;

namespace {

// The combo look's frame, or, for a hot or focused field, a ring on ringRect.
void DrawFieldFrame(CExtPaintManager& manager, CDC& dc, const Field& f, const RECT& ringRect,
                    const COLORREF ring[2])
{
    if (f.m_comboLook) {
        CExtPaintManager::ComboFrameArgs_t combo(f.m_owner, f.m_outerRect, f.m_hot, f.m_focused,
                                                 f.m_enabled);
        combo.m_noOuterRing = 1;
        manager.DrawComboFrame(dc, combo);
        dc.SelectClipRgn(nullptr);
    } else if (f.m_enabled && (f.m_hot || f.m_focused)) {
        Frame(dc, ringRect, ring[0], ring[1]);
    }
}

void DrawFieldText(CExtPaintManager& manager, CDC& dc, const Field& f)
{
    Fill(dc, f.m_fieldRect, manager.ColorAt(f.m_enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (f.m_text.IsEmpty())
        return;
    SavedColors saved(dc);
    dc.SetTextColor(manager.ColorAt(COLOR_BTNTEXT));
    dc.SetBkMode(TRANSPARENT);
    Selected font(dc, manager.Font(CExtPaintManager::kFontNormal).GetSafeHandle());
    RECT textRect = f.m_fieldRect;
    textRect.left += 5;
    textRect.top += 2;
    ::DrawTextA(dc.GetSafeHdc(), f.m_text, f.m_text.GetLength(), &textRect, f.m_textFormat);
}

} // namespace

void CExtPaintManager::DrawTextField(CDC& dc, TextFieldArgs_t& f)
{
    const COLORREF ring[2] = {ColorAt(COLOR_BTNSHADOW), ColorAt(COLOR_BTNHIGHLIGHT)};
    DrawFieldFrame(*this, dc, f, f.m_outerRect, ring);
    DrawFieldText(*this, dc, f);
}

void CExtPaintManagerXP::DrawTextField(CDC& dc, TextFieldArgs_t& f)
{
    const COLORREF ring[2] = {ColorAt(2004), ColorAt(2004)};
    DrawFieldFrame(*this, dc, f, Inflated(f.m_fieldRect, 1, 1), ring);
    DrawFieldText(*this, dc, f);
}
