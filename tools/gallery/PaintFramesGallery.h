// The frames sheet of the gallery: tabs, control frames, dividers and the navigation-pane look.
#pragma once
#include <string>

#include "framework/paint/PaintManager.h"

// Writes FOLDER\paint-frames-<theme id>.png; false when the file cannot be written.
bool PaintFramesSheet(CExtPaintManager& manager, const std::string& folder);
