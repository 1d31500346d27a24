#include "mainwnd/HexEditSend.h"

#include "core/ByteStream.h"
#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/WindowMessages.h"
#include "mainwnd/HexViewCommands.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringResource.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CHexEditSend, CHexView)

BEGIN_MESSAGE_MAP(CHexEditSend, CHexView)
    ON_COMMAND(ID_HEX_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_HEX_UNDO, OnUpdateEditUndo)
    ON_COMMAND(ID_HEX_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_HEX_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_HEX_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_HEX_CUT, OnUpdateNeedsSelection)
    ON_COMMAND(ID_HEX_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_HEX_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_HEX_DATA_CLEAR, OnDataClear)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER, OnUpdateNeedsSelection)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
    ON_COMMAND(ID_HEX_READ_FILE, OnReadFile)
    ON_UPDATE_COMMAND_UI(ID_HEX_READ_FILE, OnUpdateAlways)
    ON_COMMAND(ID_HEX_SAVE, OnSave)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE, OnUpdateSave)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE_AS, OnUpdateAlways)
END_MESSAGE_MAP()

CHexEditSend::CHexEditSend() : CHexView(IDR_HEX_SEND_MENU)
{
}

LRESULT CHexEditSend::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_EDITOR_LOADFILE && lParam)
        LoadBinaryFile(reinterpret_cast<const char*>(lParam));
    return CHexView::DefWindowProc(message, wParam, lParam);
}

void CHexEditSend::LoadBinaryFile(const char* path)
{
    CByteStream content;
    if (!content.ReadFile(path)) {
        AfxMessageBox(GetMessageText(MSG_FILE_READ_FAILED), MB_OK | MB_ICONSTOP);
        return;
    }
    COleSafeArray data;
    data.CreateOneDim(VT_UI1, content.GetSize(), content.GetData());
    // Only a file that was read becomes the pane's file: Save must never write over a file
    // whose bytes the editor does not hold.
    m_filePath = path;
    UpdatePaneTitle();
    SetData(data);
}

bool CHexEditSend::SaveBinaryFile()
{
    return WriteBinaryFile(*this, m_filePath);
}

void CHexEditSend::UpdatePaneTitle()
{
    CString title;
    LoadResourceString(IDS_PANE_SEND_EDITOR, title);
    if (!m_filePath.IsEmpty())
        title += " - " + m_filePath;
    if (m_captionWindow)
        ::SetWindowTextA(m_captionWindow, title);
}

void CHexEditSend::OnEditUndo()
{
    Undo();
}

void CHexEditSend::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void CHexEditSend::OnEditRedo()
{
    Redo();
}

void CHexEditSend::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanRedo());
}

void CHexEditSend::OnEditCut()
{
    Cut();
}

void CHexEditSend::OnEditPaste()
{
    Paste();
}

void CHexEditSend::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}

void CHexEditSend::OnDataClear()
{
    if (AfxMessageBox(GetMessageText(MSG_CONFIRM_DATA_CLEAR), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // The markers stay. The undo list takes the old buffer over and lets it go here: clearing
    // makes no copy of the data, however large.
    SetData(COleSafeArray());
    // Empty data records nothing, so an undone history would otherwise keep its redo steps.
    ClearUndo();
    ClearRedo();
    m_filePath.Empty();
    UpdatePaneTitle();
}

void CHexEditSend::OnReadFile()
{
    CFileDialog dialog(TRUE, "bin", m_filePath, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES,
                       kBinaryFilter);
    if (dialog.DoModal() == IDOK)
        LoadBinaryFile(dialog.GetPathName());
}

void CHexEditSend::OnSave()
{
    SaveBinaryFile();
}

void CHexEditSend::OnUpdateSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_filePath.IsEmpty());
}

void CHexEditSend::OnSaveAs()
{
    if (!ChooseBinarySavePath(m_filePath))
        return;
    UpdatePaneTitle();
    SaveBinaryFile();
}
