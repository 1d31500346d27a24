// What the log benchmarks share: settings that give every record its busiest row, a typical
// record, and a shown log view to add records to.
#pragma once
#include <windows.h>

#include "tools/bench/BenchClock.h"

#include "core/log/LogRowText.h"
#include "mainwnd/Logview.h"

// Settings under which every record gets the busiest row there is: every port and kind shown
// with its byte count and both digests; at most 9999 records.
inline void ShowEverything(CCommSettings& settings, CCommonSettings& common)
{
    for (auto& kinds : settings.m_logFilter) {
        for (int& bits : kinds)
            bits = LOG_SHOW_ROW | LOG_SHOW_COUNT | LOG_SHOW_HEX | LOG_SHOW_TEXT;
    }
    common.m_maxLog = CLogStore::kNumberCount;
}

// A received record of 26 bytes from 127.0.0.1:80, as a busy port logs them.
inline CLogRecord BenchRecord()
{
    const BYTE bytes[] = "GET /index.html HTTP/1.1\r\n";
    CLogRecord record(0, 1);
    record.m_kind = LOG_KIND_RECEIVED;
    record.m_data.CreateOneDim(VT_UI1, sizeof bytes - 1, bytes);
    record.m_peerAddress = 0x0100007F;
    record.m_peerPort = 80;
    return record;
}

// A log view in a shown, unframed 1000x700 popup (under Wine without a window manager a framed
// one waits to be shown); the view ends with the frame's window.
class CBenchLogview
{
public:
    CBenchLogview(const CCommSettings& settings, const CCommonSettings& common)
        : m_log(settings, common)
    {
        m_ok = m_frame.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700,
                                nullptr, nullptr) != FALSE;
        if (!m_ok)
            return;
        m_view = new CLogview;
        m_view->SetLog(&m_log);
        m_ok = m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER,
                              CRect(0, 0, 1000, 700), &m_frame, AFX_IDW_PANE_FIRST) != FALSE;
        PumpMessages();
    }
    ~CBenchLogview() { m_frame.DestroyWindow(); }

    // False when there is no window (no display).
    bool IsReady() const { return m_ok; }
    CLogview& View() { return *m_view; }

private:
    CCommLog m_log;
    CWnd m_frame;
    CLogview* m_view = nullptr;
    bool m_ok = false;
};
