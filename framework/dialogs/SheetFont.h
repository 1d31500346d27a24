// The font of the system's property sheets, which framework dialogs and pages take instead of
// the generic dialog fonts their templates name.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/DialogTemplate.h"
#include "platform/String.h"

// The face and size of the common controls' property-sheet template (the wizard's with wizard),
// read once per process; false when it cannot be read.
bool GetPropSheetFont(CString& face, WORD& pointSize, bool wizard);

// A dialog template naming a generic dialog face at exactly the sheet font's size gets the sheet
// font; any other template keeps its own.
void AdjustDialogTemplateFont(CDialogTemplate& dialogTemplate);
void AdjustDialogTemplateFontTo(CDialogTemplate& dialogTemplate, const CString& sheetFace,
                                WORD sheetSize);

// A page template whose font differs from the sheet font in any way (or that has none) gets it;
// false when the template is left as it was.
bool ChangePageTemplateFont(CDialogTemplate& pageTemplate, bool wizard);
bool ChangePageTemplateFontTo(CDialogTemplate& pageTemplate, const CString& sheetFace,
                              WORD sheetSize);
