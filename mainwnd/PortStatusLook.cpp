#include "mainwnd/PortStatusLook.h"

#include "platform/StringResource.h"
#include "res/resource.h"

namespace {

struct StatusLamp
{
    UINT stringId;
    int iconIndex;
};

const StatusLamp kStatusLamps[] = {
    {IDS_STATUS_NONE, 0},
    {IDS_STATUS_WAITING, 1},
    {IDS_STATUS_TRYING, 2},
    {IDS_STATUS_CONNECTED, 3},
    {IDS_STATUS_ACCEPTING, 4},
    {IDS_STATUS_ACCEPTING_CLIENTS, 5},
};

} // namespace

PortStatusLook LookUpPortStatus(UINT nStringID, LPCTSTR lpszExtraText)
{
    PortStatusLook look = {CString(), 0};
    for (const StatusLamp& lamp : kStatusLamps) {
        if (lamp.stringId == nStringID) {
            LoadResourceString(nStringID, look.text);
            look.iconIndex = lamp.iconIndex;
        }
    }
    if (lpszExtraText) {
        look.text += " ";
        look.text += lpszExtraText;
    }
    return look;
}
