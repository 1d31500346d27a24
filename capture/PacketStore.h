// CPacketStore: the capture window's packets without any window: every packet received or read
// since the store was last emptied, in order, each numbered by its index + 1. It writes each
// captured packet to the rolling log and offers it to the triggers before storing it; it decides
// which packets the display filter lets through and which colours their rows take; and it reads
// and writes the packet files. Failures come back as catalogue codes for the window to show.
#pragma once
#include <vector>

#include "capture/CaptureSettings.h"
#include "capture/PacketRecord.h"
#include "capture/TriggerEvaluator.h"
#include "platform/String.h"

enum DisplayMode
{
    DISPLAY_ALL = 0,               // every packet; only checked entries colour
    DISPLAY_CHECKED_MATCHES = 1,   // packets that a checked entry matches
    DISPLAY_CHECKED_MISSES = 2,    // packets that no checked entry matches
};

struct PacketRowColors
{
    COLORREF text = 0x000000;
    COLORREF back = 0xFFFFFF;
};

class CPacketStore
{
public:
    // triggers may be nullptr (no evaluation).
    CPacketStore(const CCaptureSettings& settings, CTriggerEvaluator* triggers);

    // A captured packet: rolling log (which may empty the store first), triggers, then a copy
    // is stored. True when the store was emptied first, so the list must start again.
    bool AddPacket(const CPacketRecord& record);
    void ClearAll() { m_records.clear(); }

    int GetCount() const { return static_cast<int>(m_records.size()); }
    const CPacketRecord& GetRecord(int index) const { return m_records[static_cast<size_t>(index)]; }

    int PassesDisplayFilter(const CPacketRecord& record) const;
    // Black on white unless an entry that colours under the display mode matches; the first
    // such entry in list order gives its colours.
    PacketRowColors GetRowColors(const CPacketRecord& record) const;

    // Reads a .qvp, pcap or pcapng file (told apart by the first four bytes) in place of the
    // store. 0, or MSG_LOG_FILE_READ_ERROR with the store empty: nothing read before an error
    // is kept.
    int OpenLog(const char* path);
    // Packets first to last (numbers from 1, held within the store). 0 or
    // MSG_LOG_FILE_WRITE_ERROR; the file keeps what was written before an error.
    int SaveLog(const char* path, int first, int last, int displayedOnly) const;
    int ExportText(const char* path, int first, int last, int displayedOnly) const;
    // Always only the packets that the display filter lets through.
    int ExportCsv(const char* path, int first, int last, int displayedOnly) const;

private:
    // The header, then write(writer, record, number) for each packet of the range to be written.
    template <typename Write>
    int WriteRange(const char* path, const CString& header, int first, int last,
                   bool displayedOnly, Write write) const;

    const CCaptureSettings& m_settings;
    CTriggerEvaluator* m_triggers;
    std::vector<CPacketRecord> m_records;
};

// One block of the text export: the catalogue's header with number, time, addresses, ports,
// size, protocol and info, the hex dump of the datagram, and a blank line.
CString FormatPacketTextBlock(const CPacketRecord& record, int number);
// One CSV line: the number and the eight summary columns, unquoted.
CString FormatPacketCsvLine(const CPacketRecord& record, int number);
