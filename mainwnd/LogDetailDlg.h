// CLogDetailDlg: the detailed-log pane ("詳細ﾛｸﾞﾃﾞｰﾀ"). It shows the log record the user selects
// in the log view (WM_SHOW_RECORD): sent or received bytes in a read-only hex dump, a message
// record as text (core/LogDetailText.h) in a read-only text box. It copies what it shows, so the
// record may go once the message returns.
//
// Until the docking framework exists the pane is a plain child dialog of the main frame that
// takes a strip along the bottom of the frame's client area (WM_SIZEPARENT). Not yet: its
// toolbar, whose commands the dump view's context menu offers meanwhile.
#pragma once
#include "core/CommonSettings.h"
#include "mainwnd/HexViews.h"
#include "platform/Dialog.h"
#include "platform/GdiObjects.h"

class CLogDetailDlg : public CDialog
{
public:
    static constexpr int kStripHeight = 160;

    // The common settings' group D is applied when the pane starts; keep them alive as long as
    // the pane.
    explicit CLogDetailDlg(const CCommonSettings& common);

    // Creates the pane (template 142) as a child with the given control id.
    BOOL Create(CWnd* pParentWnd, UINT nID);
    CHexEditDump& GetHexView() { return m_dump; }
    // 1 while the dump shows, 0 while the text box shows.
    int GetDataMode() const { return m_dataMode; }
    // Applies the display group of the detailed-log data (D) to the dump, and its colours and
    // font size to the text box.
    void ApplyViewSettings(const CCommonSettings& common);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }

    afx_msg LRESULT OnShowRecord(WPARAM wParam, LPARAM lParam);
    // The read-only text box asks for its colours as a static control does.
    afx_msg LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void ShowText(const char* text);

    const CCommonSettings& m_common;
    CHexEditDump m_dump;
    int m_dataMode = 0;
    CFont m_textFont;
    CBrush m_textBackBrush;
    COLORREF m_textColor = 0;
    COLORREF m_textBackColor = 0;
};
