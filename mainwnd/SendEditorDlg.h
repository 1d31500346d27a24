// CSendEditorDlg: the send-data editor pane ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ"), the dialog that holds the send
// editor, in which the user composes the bytes that the ports send. Its commands go to the
// editor; those that work on the editor's content give it the keyboard focus first. Window
// thread only: other threads reach the editor's bytes through the main frame
// (WM_SEND_EDITOR_DATA, core/SendEditorAccess.h).
//
// Until the docking framework exists the pane is a resizable child dialog of the main frame
// that takes a fixed strip on the right of the frame's client area (WM_SIZEPARENT); its editor
// is anchored to fill it, Enter and Escape leave it open. A file dropped on the pane is loaded into the editor (WM_EDITOR_LOADFILE). Not yet:
// its toolbar and its 200 ms toolbar timer, the caption bar.
#pragma once

#include "core/CommonSettings.h"
#include "mainwnd/HexEditSend.h"
#include "framework/dialogs/ResizableDialog.h"

class CSendEditorDlg : public CExtResizableDialog
{
public:
    // The width of the pane's strip: the editor's whole line beside a vertical scroll bar, so
    // that all 16 bytes of a line show at the editor's display settings.
    int GetStripWidth() const;

    // The common settings' group E is applied when the pane starts; keep them alive as long as
    // the pane.
    explicit CSendEditorDlg(const CCommonSettings& common);

    // Creates the pane (template 130) as a child with the given control id.
    BOOL Create(CWnd* pParentWnd, UINT nID);
    CHexEditSend& GetHexEdit() { return m_editor; }
    // Applies the display group of the send editor (E) to the editor.
    void ApplyViewSettings(const CCommonSettings& common);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    BOOL OnInitDialog() override;

    // The first of the dropped files goes to the editor, which loads it without asking.
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    const CCommonSettings& m_common;
    CHexEditSend m_editor;
};
