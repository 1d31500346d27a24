// Adds records to a visible log view as fast as it can, with auto-scroll on and the messages
// pumped after each record as the main window's loop would, and prints the rate.
//   logview_bench [records]   (default 20000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "mainwnd/LogRowText.h"
#include "mainwnd/Logview.h"
#include "tools/bench/BenchClock.h"

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;

    CCommSettings settings;
    for (auto& kinds : settings.m_logFilter) {
        for (int& bits : kinds)
            bits = LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT;
    }
    CCommonSettings common("1.0.0.0");
    common.m_autoScroll = 1;
    common.m_maxLog = 9999;

    // An unframed popup: under Wine without a window manager a framed one waits to be shown.
    CWnd frame;
    if (!frame.CreateEx(0, nullptr, "logview_bench", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700,
                        nullptr, nullptr)) {
        std::fprintf(stderr, "logview_bench: no window (is there a display?)\n");
        return 1;
    }
    auto* view = new CLogview;  // ends with its window
    view->SetSettings(&settings, &common);
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 1000, 700),
                 &frame, AFX_IDW_PANE_FIRST);
    PumpMessages();

    const BYTE bytes[] = "GET /index.html HTTP/1.1\r\n";
    CLogRecord record(0, 1);
    record.m_kind = LOG_KIND_RECEIVED;
    record.m_data.CreateOneDim(VT_UI1, sizeof bytes - 1, bytes);
    record.m_peerAddress = 0x0100007F;
    record.m_peerPort = 80;

    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i) {
        ::GetLocalTime(&record.m_time);
        view->AddRecord(record, false);
        PumpMessages();
    }
    // The last rows are on the screen before the clock stops.
    ::UpdateWindow(view->m_hWnd);
    const double seconds = Seconds(Now() - start);

    std::printf("logview_bench: %d records in %.2f s = %.0f records/s, %d rows\n", count, seconds,
                count / seconds, view->GetListCtrl().GetItemCount());
    frame.DestroyWindow();
    return 0;
}
