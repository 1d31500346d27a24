// The buttons sheet of the gallery: every button painter of a theme in its states.
#pragma once
#include <string>

#include "framework/paint/PaintManager.h"

// Writes FOLDER\paint-buttons-<theme id>.png; false when the file cannot be written.
bool PaintButtonsSheet(CExtPaintManager& manager, const std::string& folder);
