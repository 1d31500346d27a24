// Adds records to a visible log view as fast as it can, with auto-scroll on and the messages
// pumped after each record as the main window's loop would, and prints the rate.
//   logview_bench [records]   (default 20000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tools/bench/BenchSupport.h"

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;

    CCommSettings settings;
    CCommonSettings common("1.0.0.0");
    ShowEverything(settings, common);
    common.m_autoScroll = 1;

    CBenchLogview bench(settings, common);
    if (!bench.IsReady()) {
        std::fprintf(stderr, "logview_bench: no window (is there a display?)\n");
        return 1;
    }
    CLogview& view = bench.View();
    CLogRecord record = BenchRecord();

    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i) {
        ::GetLocalTime(&record.m_time);
        view.AddRecord(record, false);
        PumpMessages();
    }
    // The last rows are on the screen before the clock stops.
    ::UpdateWindow(view.m_hWnd);
    const double seconds = SecondsSince(start);

    std::printf("logview_bench: %d records in %.2f s = %.0f records/s, %d rows\n", count, seconds,
                count / seconds, view.GetListCtrl().GetItemCount());
    return 0;
}
