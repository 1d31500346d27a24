// The import of a large pcap file into the packet store; prints one line.
//   capture_import_bench [packets] [FILE]
// Without FILE it writes a microsecond pcap of that many packets (1,000,000 unless given): TCP
// segments of 40 to 100 bytes in Ethernet frames, every tenth an ARP frame, beside the program,
// then reads it as the capture window's open command does and removes it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture/PacketStore.h"
#include "core/LittleEndian.h"
#include "tools/bench/BenchClock.h"

namespace {

void Append32(std::vector<BYTE>& bytes, DWORD value)
{
    const size_t at = bytes.size();
    bytes.resize(at + 4);
    PutUInt32LE(bytes.data() + at, value);
}

bool WriteSamplePcap(const char* path, int packets)
{
    std::vector<BYTE> file;
    for (DWORD value : {0xA1B2C3D4u, 0x00040002u, 0u, 0u, 65535u, 1u})
        Append32(file, value);
    for (int i = 0; i < packets; ++i) {
        const bool arp = i % 10 == 9;
        const DWORD payload = static_cast<DWORD>(i % 61);
        std::vector<BYTE> frame(14 + 40 + payload, 0);
        frame[12] = 0x08;
        frame[13] = arp ? 0x06 : 0x00;
        frame[14] = 0x45;
        frame[16] = static_cast<BYTE>((40 + payload) >> 8);
        frame[17] = static_cast<BYTE>(40 + payload);
        frame[23] = 6;
        frame[46] = 0x50;
        frame[47] = 0x18;
        Append32(file, 1700000000u + static_cast<DWORD>(i / 1000));
        Append32(file, static_cast<DWORD>(i % 1000) * 1000u);
        Append32(file, static_cast<DWORD>(frame.size()));
        Append32(file, static_cast<DWORD>(frame.size()));
        file.insert(file.end(), frame.begin(), frame.end());
    }
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    const int packets = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const bool own = argc <= 2;
    const std::string path = own ? "capture_import_bench.pcap" : argv[2];
    if (own && !WriteSamplePcap(path.c_str(), packets)) {
        std::printf("capture_import_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    CCaptureSettings settings({});
    CPacketStore store(settings, nullptr);
    const LONGLONG start = Now();
    const int result = store.OpenLog(path.c_str());
    const double seconds = SecondsSince(start);
    if (own)
        ::DeleteFileA(path.c_str());
    std::printf("capture_import_bench: %s, result %d, %d packets stored in %.3f s = %.0f packets/s\n",
                path.c_str(), result, store.GetCount(), seconds, store.GetCount() / seconds);
    return result == 0 ? 0 : 1;
}
