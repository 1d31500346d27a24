// Writes and reads the capture's files for tests/interop/capture_interop_test.py, which checks
// them against tests/interop/capture_files.py, a reader written from the file layouts alone:
//
//   CaptureProbe samples DIR       writes sample.qvc, sample.qvt and sample.qvp (the values
//                                  below) and the default files of a first use into DIR
//   CaptureProbe import FILE OUT   reads FILE (.qvp, pcap or pcapng) as the capture window does
//                                  and prints result=<0 or the catalogue code>; on success
//                                  writes OUT.csv, OUT.txt and OUT.qvp, then reads OUT.qvp back
//                                  and writes its CSV as OUT.again.csv
#include <cstdio>
#include <string>

#include "capture/CaptureSettings.h"
#include "capture/PacketStore.h"

namespace {

CPacketFilterEntry SampleFilter()
{
    CPacketFilterEntry entry;
    entry.name = "ﾃｽﾄ表";
    entry.checked = 1;
    entry.sourceAddress = 0x0101A8C0;  // 192.168.1.1
    entry.destAddress = 0x0A0A0A0A;
    entry.protocol = 2;
    entry.sourcePort = StoredPort(53);
    entry.destPort = StoredPort(1030);
    entry.textColor = 0x00123456;
    entry.backColor = 0x00ABCDEF;
    entry.conditions = {{9, 17}, {0xFFFFFFFF, 0x1FF}};
    return entry;
}

CPacketTriggerEntry SampleTrigger()
{
    CPacketTriggerEntry trigger;
    trigger.name = "trigger";
    trigger.enabled = 1;
    trigger.firstTimeOnly = 1;
    trigger.kind = 2;
    trigger.runProgram = 1;
    trigger.saveLatestLog = 0;
    trigger.sourceAddress = 0x04030201;
    trigger.protocolKind = 4;
    trigger.destPort = StoredPort(443);
    trigger.conditions = {{33, 0x04}};
    trigger.seconds = 30;
    trigger.program = "C:\\tools\\run.exe";
    trigger.arguments = "-x \"a b\"";
    trigger.directory = "";
    return trigger;
}

CPacketRecord SampleRecord(WORD second, const std::string& datagram)
{
    CPacketRecord record;
    record.time = {2024, 3, 2, 5, 14, 59, second, 999};
    record.datagram.CreateOneDim(VT_UI1, static_cast<DWORD>(datagram.size()), datagram.data());
    return record;
}

int WriteSamples(const std::string& folder)
{
    const std::vector<CPacketFilterEntry> filters = {SampleFilter(), CPacketFilterEntry()};
    const std::vector<CPacketTriggerEntry> triggers = {SampleTrigger(), CPacketTriggerEntry()};
    CCaptureSettings settings({});
    CPacketStore store(settings, nullptr);
    store.AddPacket(SampleRecord(1, std::string("\x45\x00\x00\x14", 4)));
    store.AddPacket(SampleRecord(2, ""));
    store.AddPacket(SampleRecord(3, std::string(300, '\xA5')));
    const bool written =
        SaveFilterFile((folder + "\\sample.qvc").c_str(), filters) &&
        SaveTriggerFile((folder + "\\sample.qvt").c_str(), triggers) &&
        SaveFilterFile((folder + "\\default.qvc").c_str(), MakeBuiltInColorFilters()) &&
        SaveTriggerFile((folder + "\\default.qvt").c_str(), {}) &&
        store.SaveLog((folder + "\\sample.qvp").c_str(), 1, 3, 0) == 0;
    std::printf("result=%d\n", written ? 0 : 1);
    return written ? 0 : 1;
}

int Import(const std::string& path, const std::string& out)
{
    CCaptureSettings settings({});
    CPacketStore store(settings, nullptr);
    const int result = store.OpenLog(path.c_str());
    std::printf("result=%d\n", result);
    if (result != 0)
        return 0;
    const int last = store.GetCount();
    if (store.ExportCsv((out + ".csv").c_str(), 1, last, 0) ||
        store.ExportText((out + ".txt").c_str(), 1, last, 0) ||
        store.SaveLog((out + ".qvp").c_str(), 1, last, 0))
        return 1;
    CPacketStore again(settings, nullptr);
    return again.OpenLog((out + ".qvp").c_str()) ||
                   again.ExportCsv((out + ".again.csv").c_str(), 1, again.GetCount(), 0)
               ? 1
               : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "samples" && argc == 3)
        return WriteSamples(argv[2]);
    if (command == "import" && argc == 4)
        return Import(argv[2], argv[3]);
    std::fprintf(stderr, "usage: CaptureProbe samples DIR | import FILE OUT\n");
    return 3;
}
