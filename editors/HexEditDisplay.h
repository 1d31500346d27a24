// How one display group of the common settings shows in a hex editor: every pane that holds an
// editor, and the preview of the editor settings, apply their group through this one mapping.
#pragma once

#include "core/CommonSettings.h"
#include "editors/HexEdit.h"

// Writes the group's nine values into the editor's display fields, lays it out and redraws it.
void ApplyDisplaySetting(CHexEdit& editor, const EditorDisplaySetting& setting);
