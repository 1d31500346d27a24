#include "mainwnd/HexView.h"

#include "mainwnd/HexViewCommands.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CHexView, CHexEdit)

BEGIN_MESSAGE_MAP(CHexView, CHexEdit)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_HEX_SELECT_ALL, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_HEX_SELECT_ALL, OnUpdateNeedsData)
    ON_COMMAND(ID_HEX_COPY, OnCopy)
    ON_UPDATE_COMMAND_UI(ID_HEX_COPY, OnUpdateNeedsSelection)
    ON_COMMAND(ID_HEX_DATA_ANALYSIS, OnDataAnalysis)
    ON_UPDATE_COMMAND_UI(ID_HEX_DATA_ANALYSIS, OnUpdateAlways)
END_MESSAGE_MAP()

void CHexView::OnContextMenu(CWnd*, CPoint pos)
{
    ShowHexViewMenu(*this, m_menuId, pos);
}

void CHexView::OnSelectAll()
{
    SelectAll();
}

void CHexView::OnCopy()
{
    Copy();
}

void CHexView::OnDataAnalysis()
{
    RunDataAnalysis(*this);
}

void CHexView::OnMarker()
{
    RunMarkerCommand(*this);
}

void CHexView::OnMarkerInfo()
{
    RunMarkerInfo(*this);
}

void CHexView::OnUpdateNeedsData(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetDataSize() > 0);
}

void CHexView::OnUpdateNeedsSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsSelectionEmpty());
}

void CHexView::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

IMPLEMENT_DYNAMIC(CHexReadOnlyView, CHexView)

BEGIN_MESSAGE_MAP(CHexReadOnlyView, CHexView)
    ON_COMMAND(ID_HEX_SAVE_AS, OnSaveAs)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE_AS, OnUpdateAlways)
    ON_COMMAND(ID_HEX_SEND_TO_EDITOR, OnSendToEditor)
    ON_UPDATE_COMMAND_UI(ID_HEX_SEND_TO_EDITOR, OnUpdateAlways)
END_MESSAGE_MAP()

CHexReadOnlyView::CHexReadOnlyView() : CHexView(IDR_HEX_VIEW_MENU)
{
}

void CHexReadOnlyView::OnSaveAs()
{
    SaveViewAs(*this, m_filePath);
}

void CHexReadOnlyView::OnSendToEditor()
{
    SendViewToEditor(*this);
}
