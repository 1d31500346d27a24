// CHexEditSend: the send-data editor, the editable hex view whose bytes the ports send. To
// CHexView it adds undo, redo, cut, paste, data clear (which asks first, then empties the data,
// both undo lists and the file path), the marker and marker information commands and the .bin
// files: read (also for a file dropped on the pane, WM_EDITOR_LOADFILE), save and save as. The
// pane's caption shows the file's path.
//
// Not yet: text input and Properties, whose dialogs do not exist yet; their items stay disabled.
#pragma once

#include "mainwnd/HexView.h"

class CHexEditSend : public CHexView
{
    DECLARE_DYNCREATE(CHexEditSend)
public:
    CHexEditSend();

    // The window whose text is the pane's caption; none at first.
    void SetCaptionWindow(HWND caption) { m_captionWindow = caption; }
    // Replaces the data (undoably) with the file's bytes and makes it the file path. When the
    // file cannot be read, says so and keeps the data, the path and the caption as they were.
    void LoadBinaryFile(const char* path);
    // Writes the data to the file path; false (and the message shown) when it cannot.
    bool SaveBinaryFile();
    // "送信ﾃﾞｰﾀｴﾃﾞｨﾀ", and " - " and the path when there is one, into the caption window.
    void UpdatePaneTitle();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnDataClear();
    afx_msg void OnReadFile();
    afx_msg void OnSave();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    afx_msg void OnSaveAs();

    DECLARE_MESSAGE_MAP()

private:
    HWND m_captionWindow = nullptr;
};
