// The colour-filter (.qvc) and trigger (.qvt) files: the bytes are loaded as each, as the
// capture settings load them; a list that loads saves back to a file that loads the same list,
// and every entry loaded tests a datagram.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture/PacketFilterEntry.h"
#include "capture/PacketTriggerEntry.h"
#include "native/fuzz/FuzzCheck.h"

namespace {

// One file of this process's own, written over for every input.
const std::string& FilePath()
{
    static const std::string path = [] {
        std::string name = "/tmp/quorvex-fuzz-entries-XXXXXX";
        const int handle = mkstemp(name.data());
        FUZZ_CHECK(handle >= 0);
        close(handle);
        std::atexit([] { std::remove(FilePath().c_str()); });
        return name;
    }();
    return path;
}

void WriteFile(const BYTE* data, size_t size)
{
    FILE* file = std::fopen(FilePath().c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
}

// A TCP datagram with a whole header, for the entries to test.
const BYTE kDatagram[40] = {0x45, 0, 0, 40, 0, 1, 0x40, 0, 64, 6, 0, 0, 10, 0, 0, 1, 10, 0, 0, 2,
                            0x04, 0x00, 0x00, 0x50, 0, 0, 0, 1, 0, 0, 0, 0, 0x50, 0x12, 0xFF, 0xFF};

template <typename Entry, typename Load, typename Save>
void Check(Load load, Save save)
{
    std::vector<Entry> entries(1);
    if (!load(FilePath().c_str(), entries)) {
        FUZZ_CHECK(entries == std::vector<Entry>(1));
        return;
    }
    for (const Entry& entry : entries)
        entry.Match(std::span<const BYTE>(kDatagram));
    FUZZ_CHECK(save(FilePath().c_str(), entries) == 1);
    std::vector<Entry> again;
    FUZZ_CHECK(load(FilePath().c_str(), again) == 1);
    FUZZ_CHECK(again == entries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const BYTE* data, size_t size)
{
    WriteFile(data, size);
    Check<CPacketFilterEntry>(LoadFilterFile, SaveFilterFile);
    WriteFile(data, size);
    Check<CPacketTriggerEntry>(LoadTriggerFile, SaveTriggerFile);
    return 0;
}
