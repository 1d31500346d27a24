// Adds records to a visible log view as fast as it can, with auto-scroll on and the messages
// pumped after each record (or after each burst of records, as the main window's loop does when
// a connection hands over a burst in one message), and prints the rate and how much of each
// record's time the view's own AddRecord took.
//   logview_bench [records] [records per burst]   (default 20000, 1)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tools/bench/BenchSupport.h"

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int burst = argc > 2 ? std::max(std::atoi(argv[2]), 1) : 1;

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

    LONGLONG inView = 0;
    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i) {
        ::GetLocalTime(&record.m_time);
        const LONGLONG added = Now();
        view.AddRecord(record, false);
        inView += Now() - added;
        if ((i + 1) % burst == 0)
            PumpMessages();
    }
    // The last rows are on the screen before the clock stops.
    ::UpdateWindow(view.m_hWnd);
    const double seconds = SecondsSince(start);

    std::printf("logview_bench: %d records in bursts of %d in %.2f s = %.0f records/s, %d rows; "
                "AddRecord %.1f us a record\n",
                count, burst, seconds, count / seconds, view.GetListCtrl().GetItemCount(),
                Seconds(inView) * 1e6 / count);
    return 0;
}
