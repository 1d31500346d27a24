// The menus sheet of the gallery: popup menus with every kind of item, a rarely used run, the
// expand item, and a menu joined to the button that opened it.
#pragma once
#include <string>

#include "framework/paint/PaintManager.h"

// Writes FOLDER\paint-menus-<theme id>.png; false when the file cannot be written.
bool PaintMenusSheet(CExtPaintManager& manager, const std::string& folder);
