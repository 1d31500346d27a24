// The commands that the four hex views share: data analysis, marker, save as, send to the send
// editor, the context menu and its enabling. Each view maps its own commands onto these.
#pragma once
#include "editors/HexEdit.h"
#include "platform/String.h"

// Highlights the eight bytes from the caret while the data-analysis dialog runs.
void RunDataAnalysis(CHexEdit& view);
// Removes the markers over the selection after asking, or adds one there through the marker
// settings dialog when none lies over it; nothing without a selection.
void RunMarkerCommand(CHexEdit& view);
// Lets the user manage the view's markers in the marker information dialog.
void RunMarkerInfo(CHexEdit& view);
// Writes all of the view's bytes to path, replacing the file; false (and the message shown) when
// it cannot be written.
bool WriteBinaryFile(const CHexEdit& view, const char* path);
// Asks for a .bin name to save under, starting from path; true when one was chosen, which is
// then in path.
bool ChooseBinarySavePath(CString& path);
// Asks for a .bin name starting from path; on confirmation path becomes the choice and the
// bytes are written there.
void SaveViewAs(CHexEdit& view, CString& path);
// A copy of the view's bytes replaces the send editor's (undoable there).
void SendViewToEditor(const CHexEdit& view);
// The view's themed context menu (menu resource menuId) at a screen point; (-1, -1) from the
// keyboard opens it near the view's top-left corner. The menu enables its items through the
// view's update handlers.
void ShowHexViewMenu(CHexEdit& view, UINT menuId, CPoint pos);

// The .bin files' filter of the file dialogs.
extern const char kBinaryFilter[];
