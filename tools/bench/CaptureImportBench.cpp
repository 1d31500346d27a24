// The import of a large pcap file into packet records; prints one line. Window-free and portable:
// built for Windows with the program, and natively (native/, QUORVEX_BENCH_BUILD) for comparison
// with tcpdump on the same file (tools/bench/capture_import_compare.sh).
//   capture_import_bench [packets]               writes a sample pcap of that many packets
//                                                (1,000,000 unless given) beside the program,
//                                                imports it and removes it
//   capture_import_bench [packets] FILE          imports FILE (packets is not used)
//   capture_import_bench --write FILE [packets]  only writes the sample pcap to FILE
// The sample is a microsecond pcap of TCP segments of 40 to 100 bytes in Ethernet frames, every
// tenth frame an ARP frame. The import is the capture window's open command for a pcap: the file
// opened, its magic read and its packets imported, which the store then takes over as they are.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "capture/CaptureImport.h"
#include "core/LittleEndian.h"
#include "platform/Exceptions.h"
#include "platform/File.h"

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
    for (DWORD value : {kPcapMagic, DWORD{0x00040002}, DWORD{0}, DWORD{0}, DWORD{65535}, DWORD{1}})
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

// The packets of the pcap file, false when it cannot be read or is not a sound pcap.
bool ImportFile(const char* path, std::vector<CPacketRecord>& records)
{
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
            return false;
        CCaptureFileReader reader(file);
        CByteReader magic(nullptr, 0);
        return reader.Read(4, magic) == PieceResult::Whole && magic.ReadUInt32() == kPcapMagic &&
               ImportPcap(reader, records);
    } catch (CException* error) {
        error->Delete();
        return false;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--write") == 0) {
        const int packets = argc > 3 ? std::atoi(argv[3]) : 1000000;
        if (WriteSamplePcap(argv[2], packets))
            return 0;
        std::printf("capture_import_bench: cannot write %s\n", argv[2]);
        return 1;
    }
    const int packets = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const bool own = argc <= 2;
    const std::string path = own ? "capture_import_bench.pcap" : argv[2];
    if (own && !WriteSamplePcap(path.c_str(), packets)) {
        std::printf("capture_import_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    std::vector<CPacketRecord> records;
    const auto start = std::chrono::steady_clock::now();
    const bool read = ImportFile(path.c_str(), records);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (own)
        std::remove(path.c_str());
    std::printf("capture_import_bench: %s, %s, %zu packets stored in %.3f s = %.0f packets/s\n",
                path.c_str(), read ? "read" : "refused", records.size(), seconds,
                static_cast<double>(records.size()) / seconds);
    return read ? 0 : 1;
}
