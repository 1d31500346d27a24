// CHexEditSend: the send-data editor, the editable hex view whose bytes the ports send. To
// CHexEdit it adds the view's commands with their enabling: undo, redo, select all, copy, cut,
// paste and data clear (which asks first, then empties the data and both undo lists).
//
// Not yet: the .bin file commands (read, save, save as, a dropped file) with the file path and
// the pane caption they set, text input, data analysis, the marker commands, Properties and
// the context menu.
#pragma once

#include "editors/HexEdit.h"

class CHexEditSend : public CHexEdit
{
    DECLARE_DYNCREATE(CHexEditSend)

protected:
    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    afx_msg void OnEditSelectAll();
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    // Copy and Cut: something is selected.
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnDataClear();

    DECLARE_MESSAGE_MAP()
};
