// The parts of the edit and combo frames that every theme's painter uses.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/paint/PaintManager.h"

namespace control_frame {

// The owner's window when it is one with a handle, else null.
CWnd* WindowOf(CObject* owner);
// Edits and combo boxes are told apart by their window class, whoever wraps them.
bool IsWindowOfClass(CObject* owner, const char* className);
// The right SM_CXHTHUMB pixels of a rectangle.
RECT DropButtonOf(const RECT& rect);
// The 3-pixel strip between the field and the drop-down button.
RECT GapLeftOf(const RECT& button);
// The drop-down button: a flat push button showing Marlett's down arrow.
void PaintComboButton(CExtPaintManager& manager, CDC& dc, const ExtComboFrameArgs& args,
                      const RECT& button, bool hot, bool transparent);

// 2 when an enabled edit is hot and focused, 1 when it is one of them, else 0.
int EditHighlight(const ExtEditFrameArgs& args);

} // namespace control_frame
