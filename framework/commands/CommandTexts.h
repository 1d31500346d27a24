// The texts a command takes from menu captions and string resources.
#pragma once

#include "platform/String.h"
#include "platform/Types.h"

// A menu caption without line breaks and outer blanks, split at its last tab into the menu text
// and the accelerator text (empty without a tab).
void SplitMenuCaption(const CString& caption, CString& menuText, CString& accelText);
// A command's string resource: the prompt before the last line feed becomes the status text,
// the part after it the tip (tabs read as blanks, carriage returns dropped). False when nothing
// is left.
bool SplitCommandPrompt(CString text, CString& statusText, CString& tipText);
// The string resource with the id, through the resource manager.
bool LoadCommandString(UINT id, CString& text);
