// The read-only hex views: CHexEditDump in the detailed-log pane, CHexEditCom in each COM control
// pane, and CHexEditCommem, the common-memory view that no pane makes yet. They differ only in
// which commands they take and when those are enabled.
#pragma once
#include "mainwnd/HexView.h"

class CHexEditDump : public CHexReadOnlyView
{
    DECLARE_DYNCREATE(CHexEditDump)
public:
    // Shows a record's bytes from the top. Not an edit: nothing to undo, and the repaint is left
    // to the next paint, since the log view selects each newest row while records stream in.
    void ShowBytes(const COleSafeArray& bytes);

protected:
    DECLARE_MESSAGE_MAP()
};

class CHexEditCom : public CHexReadOnlyView
{
    DECLARE_DYNCREATE(CHexEditCom)
public:
    CHexEditCom() { SetEditable(0); }

    int m_portIndex = 0;  // 0 Port 1, 1 Port 2
};

// Everything but copy waits for data here.
class CHexEditCommem : public CHexReadOnlyView
{
    DECLARE_DYNCREATE(CHexEditCommem)
public:
    CHexEditCommem() { SetEditable(0); }

    int m_portIndex = 0;

protected:
    DECLARE_MESSAGE_MAP()
};
