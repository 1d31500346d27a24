// The text and lamp a port's status pane shows for each status string id, read from the
// program's own string table.
#include "mainwnd/PortStatusLook.h"

#include <gtest/gtest.h>

#include "res/resource.h"

namespace {

TEST(PortStatusLookTest, EachStatusIdGivesItsTextAndLamp)
{
    struct Case
    {
        UINT stringId;
        LPCTSTR extra;
        const char* text;
        int icon;
    };
    const Case cases[] = {
        {IDS_STATUS_NONE, nullptr, "None", 0},
        {IDS_STATUS_WAITING, nullptr, "処理待機中", 1},
        {IDS_STATUS_TRYING, nullptr, "接続ﾄﾗｲ中", 2},
        {IDS_STATUS_CONNECTED, nullptr, "接続中", 3},
        {IDS_STATUS_ACCEPTING, "[0000]", "接続受付中 [0000]", 4},
        {IDS_STATUS_ACCEPTING_CLIENTS, "[0012]", "接続受付中 [0012]", 5},
        // An empty extra text still brings its blank.
        {IDS_STATUS_NONE, "", "None ", 0},
        // The connection-status caption is a string, but no status.
        {IDS_PANE_CONNECTIONS, nullptr, "", 0},
        {12345, nullptr, "", 0},
        {12345, "[0001]", " [0001]", 0},
    };
    for (const Case& c : cases) {
        const PortStatusLook look = LookUpPortStatus(c.stringId, c.extra);
        EXPECT_EQ(CString(c.text), look.text) << c.stringId;
        EXPECT_EQ(c.icon, look.iconIndex) << c.stringId;
    }
}

} // namespace
