#include "mainwnd/HexEditSend.h"

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "platform/MessageBox.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CHexEditSend, CHexEdit)

BEGIN_MESSAGE_MAP(CHexEditSend, CHexEdit)
    ON_COMMAND(ID_HEX_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_HEX_UNDO, OnUpdateEditUndo)
    ON_COMMAND(ID_HEX_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_HEX_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_HEX_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateEditSelectAll)
    ON_COMMAND(ID_HEX_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateNeedsSelection)
    ON_COMMAND(ID_HEX_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_HEX_CUT, OnUpdateNeedsSelection)
    ON_COMMAND(ID_HEX_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_HEX_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_HEX_DATA_CLEAR, OnDataClear)
END_MESSAGE_MAP()

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

void CHexEditSend::OnEditSelectAll()
{
    SelectAll();
}

void CHexEditSend::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetDataSize() > 0);
}

void CHexEditSend::OnEditCopy()
{
    Copy();
}

void CHexEditSend::OnEditCut()
{
    Cut();
}

void CHexEditSend::OnUpdateNeedsSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsSelectionEmpty());
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
}
