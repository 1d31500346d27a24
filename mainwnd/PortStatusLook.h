// What a port's status bar pane shows for a status: the status text with its optional extra
// text (an accepting server's client count), and the lamp of the status bitmap.
#pragma once

#include "platform/String.h"
#include "platform/Types.h"

struct PortStatusLook
{
    CString text;
    int iconIndex;  // into the status image list (bitmap IDB_PORT_STATUS)
};

// The look of status string nStringID. Ids that are no port status give no text and lamp 0. A
// non-null lpszExtraText is appended after a blank, even when it is empty.
PortStatusLook LookUpPortStatus(UINT nStringID, LPCTSTR lpszExtraText);
