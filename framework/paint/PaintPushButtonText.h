// The text of a push button, shared by the classic and the flat push buttons.
#pragma once
#include "framework/paint/PaintManager.h"

namespace paint_buttons {

// Paints args' text into textRect (already moved for a pressed button) in the look of the
// classic theme or of the flat ones.
void DrawPushButtonText(CExtPaintManager& manager, CDC& dc,
                        const CExtPaintManager::PushButtonArgs_t& args, const RECT& textRect,
                        bool flatFamily);

} // namespace paint_buttons
