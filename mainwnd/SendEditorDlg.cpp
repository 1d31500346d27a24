#include "mainwnd/SendEditorDlg.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "core/WindowMessages.h"
#include "editors/HexEditDisplay.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSendEditorDlg, CExtResizableDialog)
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

// The commands that give the editor the focus before they run.
const UINT kFocusingCommands[] = {ID_HEX_UNDO, ID_HEX_REDO, ID_HEX_SELECT_ALL,
                                  ID_HEX_COPY, ID_HEX_CUT,  ID_HEX_PASTE};

} // namespace

CSendEditorDlg::CSendEditorDlg(const CCommonSettings& common)
    : CExtResizableDialog(IDD_SEND_EDITOR, nullptr)
    , m_common(common)
{
}

BOOL CSendEditorDlg::Create(CWnd* pParentWnd, UINT nID)
{
    if (!CExtResDlg::Create(IDD_SEND_EDITOR, pParentWnd))
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    SetGripperVisible(false);
    return AnchorChildById(IDC_HEX_EDITOR, CExtAnchorMap::kLeftTop, CExtAnchorMap::kRightBottom);
}

BOOL CSendEditorDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_editor.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, client, this,
                    IDC_HEX_EDITOR);
    // Until the pane has a caption bar of its own, its window text is the caption.
    m_editor.SetCaptionWindow(m_hWnd);
    m_editor.UpdatePaneTitle();
    ApplyViewSettings(m_common);
    ::DragAcceptFiles(m_hWnd, TRUE);
    // The main window decides where the focus goes.
    return FALSE;
}

void CSendEditorDlg::ApplyViewSettings(const CCommonSettings& common)
{
    ApplyDisplaySetting(m_editor, common.m_editors[EDITOR_SEND]);
}

BOOL CSendEditorDlg::OnCmdMsg(UINT nID, int nCode, void* pExtra,
                              AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool focuses = std::find(std::begin(kFocusingCommands), std::end(kFocusingCommands),
                                   nID) != std::end(kFocusingCommands);
    if (nCode == CN_COMMAND && !pHandlerInfo && focuses && m_editor.m_hWnd)
        m_editor.SetFocus();
    return m_editor.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           CExtResizableDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CSendEditorDlg::OnDropFiles(HDROP hDropInfo)
{
    char path[MAX_PATH + 1] = {};
    if (::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0) > 0 &&
        ::DragQueryFileA(hDropInfo, 0, path, MAX_PATH) > 0)
        m_editor.SendMessage(WM_EDITOR_LOADFILE, 0, reinterpret_cast<LPARAM>(path));
    ::DragFinish(hDropInfo);
}

int CSendEditorDlg::GetStripWidth() const
{
    // Borders of the pane and of the editor around the line, and room for the scroll bar.
    CRect frame(0, 0, m_editor.GetFullLineWidth() + ::GetSystemMetrics(SM_CXVSCROLL), 0);
    ::AdjustWindowRectEx(&frame, m_editor.GetStyle() & ~(WS_VSCROLL | WS_HSCROLL), FALSE,
                         m_editor.GetExStyle());
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
    return frame.Width();
}

LRESULT CSendEditorDlg::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    const CRect free(layout->rect);
    const int width = std::min(GetStripWidth(), free.Width());
    const CRect strip(free.right - width, free.top, free.right, free.bottom);
    layout->rect.right -= width;
    layout->sizeTotal.cx += width;
    if (layout->hDWP)
        AfxRepositionWindow(layout, m_hWnd, &strip);
    return 0;
}
