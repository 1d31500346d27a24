#include "mainwnd/HexViews.h"

#include "res/resource.h"

IMPLEMENT_DYNCREATE(CHexEditDump, CHexReadOnlyView)
IMPLEMENT_DYNCREATE(CHexEditCom, CHexReadOnlyView)
IMPLEMENT_DYNCREATE(CHexEditCommem, CHexReadOnlyView)

void CHexEditDump::ShowBytes(const COleSafeArray& bytes)
{
    m_data = bytes;
    DataChanged();
    Caret = 0;
    SelectionStart = SelectionEnd = -1;
    m_top = 0;
    RecalcLayout();
    Invalidate(FALSE);
}

BEGIN_MESSAGE_MAP(CHexEditDump, CHexReadOnlyView)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CHexEditCommem, CHexReadOnlyView)
    ON_COMMAND(ID_HEX_MARKER, OnMarker)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER, OnUpdateNeedsSelection)
    ON_COMMAND(ID_HEX_MARKER_INFO, OnMarkerInfo)
    ON_UPDATE_COMMAND_UI(ID_HEX_MARKER_INFO, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_HEX_DATA_ANALYSIS, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_HEX_SAVE_AS, OnUpdateNeedsData)
    ON_UPDATE_COMMAND_UI(ID_HEX_SEND_TO_EDITOR, OnUpdateNeedsData)
END_MESSAGE_MAP()
