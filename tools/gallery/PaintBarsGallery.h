// The bars sheet of the gallery: borders, captions, grippers, toolbar bodies, expand buttons,
// separators and size grips of a theme.
#pragma once
#include <string>

#include "framework/paint/PaintManager.h"

// Writes FOLDER\paint-bars-<theme id>.png; false when the file cannot be written.
bool PaintBarsSheet(CExtPaintManager& manager, const std::string& folder);
