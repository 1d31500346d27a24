#include "mainwnd/HexViewCommands.h"

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/SendEditorAccess.h"
#include "dialogs/DataAnalysisDlg.h"
#include "dialogs/MarkerInfoDlg.h"
#include "dialogs/MarkerSettingDlg.h"
#include "framework/menus/PopupMenuWnd.h"
#include "mainwnd/ContextMenu.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/WinApp.h"
#include "platform/WinThread.h"
#include "res/resource.h"

const char kBinaryFilter[] = "Quorvex Binary Document(*.bin)|*.bin|All Files(*.*)|*.*||";

namespace {

const int kAnalysedBytes = 8;
const int kMarkerPrompt = 13063;

}  // namespace

void RunDataAnalysis(CHexEdit& view)
{
    view.HighlightStart = view.Caret;
    view.HighlightLength = kAnalysedBytes;
    ::RedrawWindow(view.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CDataAnalysisDlg dialog;
    dialog.m_caretPosition = view.Caret;
    view.GetData(dialog.m_data);
    dialog.DoModal();
    view.HighlightStart = -1;
    view.HighlightLength = -1;
    ::RedrawWindow(view.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void RunMarkerCommand(CHexEdit& view)
{
    // Without a selection there is no range to mark (the dump view offers the item anyway).
    if (view.IsSelectionEmpty())
        return;
    const int start = view.SelectionStart;
    const int length = view.SelectionEnd - view.SelectionStart + 1;
    const int count = view.CountMarkersInRange(start, length);
    if (count > 0) {
        CString prompt;
        prompt.Format(GetMessageText(kMarkerPrompt), count);
        if (AfxMessageBox(prompt, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            view.RemoveMarkersInRange(start, length);
        return;
    }
    CMarkerSettingDlg dialog;
    dialog.m_textColor = view.NextMarkerTextColor;
    dialog.m_backColor = view.NextMarkerBackColor;
    if (dialog.DoModal() == IDOK)
        view.AddMarker(start, length, dialog.m_textColor, dialog.m_backColor, dialog.m_comment);
}

void RunMarkerInfo(CHexEdit& view)
{
    CMarkerInfoDlg dialog;
    dialog.SetView(&view);
    dialog.DoModal();
}

bool WriteBinaryFile(const CHexEdit& view, const char* path)
{
    COleSafeArray data;
    view.GetData(data);
    try {
        CFile file;
        if (file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) {
            file.Write(data.GetData(), static_cast<UINT>(data.GetSize()));
            file.Close();
            return true;
        }
    } catch (CException* error) {
        error->Delete();
    }
    AfxMessageBox(GetMessageText(MSG_FILE_WRITE_FAILED), MB_OK | MB_ICONSTOP);
    return false;
}

bool ChooseBinarySavePath(CString& path)
{
    CFileDialog dialog(FALSE, "bin", path,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST | OFN_LONGNAMES,
                       kBinaryFilter);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}

void SaveViewAs(CHexEdit& view, CString& path)
{
    if (ChooseBinarySavePath(path))
        WriteBinaryFile(view, path);
}

void SendViewToEditor(const CHexEdit& view)
{
    COleSafeArray data;
    view.GetData(data);
    if (CWnd* main = AfxGetMainWnd())
        WriteSendEditorData(main->m_hWnd, data);
}

void ShowHexViewMenu(CHexEdit& view, UINT menuId, CPoint pos)
{
    const CPoint at = ContextMenuPoint(view.m_hWnd, pos);
    view.SetFocus();
    // The items are offered to the view for drawing (0x800); it leaves them to the menu.
    TrackContextMenu(view.m_hWnd, menuId, at, CExtPopupMenuWnd::kTrackOwnerDraw);
}
