// The real program's Port 1 as a TCP server with many clients (threads of this bench) on
// 127.0.0.1: how many records per second it logs, and how much processor time it takes meanwhile.
//
//   server_bench steady [clients] [blocks per second per client] [seconds]
//   server_bench flood [clients] [seconds]
//
// steady: every client sends one block of 64 bytes per period, all at once; the records the
//         program logged are counted by the log view's numbers once it has drained (so fewer
//         than 9999 blocks per run). Processor time is taken over the sending.
// flood:  every client sends a block of 64 bytes and waits for the program's automatic reply
//         (fill bytes of the same length) before it sends the next, so each block is one
//         received record and its reply one sent record.
// Processor time is the program's Linux process (user and system, all threads; the wineserver
// not counted) in per cent of one core. Each run prints one line.
#include <winsock2.h>

#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/CommSettings.h"
#include "tools/bench/BenchSockets.h"
#include "tools/bench/BenchClock.h"
#include "tools/driver/ProgramDriver.h"
#include "tools/driver/ProgramStart.h"

namespace {

const int kBlockSize = 64;
const int kReplyFillBytes = 2;
const int kNumberCount = 9999;  // the log numbers its records modulo this
const DWORD kDrainMs = 1000;

int UnusedPort()
{
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const int port = BindToFreeLoopbackPort(probe);
    closesocket(probe);
    return port;
}

// The document that makes the program listen at start-up, answering with fill bytes for flood.
std::string WriteDocument(int listenPort, bool reply)
{
    CCommSettings document = BenchDocument("server_bench.qvg", 1);
    document.m_serverListenPort[0] = listenPort;
    document.m_serverBacklog[0] = 64;
    document.m_autoReplyOn[0] = reply ? 1 : 0;
    document.m_replyTarget[0] = 0;
    document.m_replyData[0] = kReplyFillBytes;
    document.m_fillByte[0] = 0x55;
    return SaveBenchDocument(document);
}

// The program's Linux process, as a folder of /proc seen through Wine's drive Z:, found by its
// command line; empty when there is none. Wine's GetProcessTimes counts only part of another
// process's threads, so the processor time is read where Linux keeps it.
std::string FindUnixProcess(const std::string& commandLinePart)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string folder;
    do {
        if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0])))
            continue;
        const std::string candidate = std::string("Z:\\proc\\") + found.cFileName + "\\";
        std::ifstream file(candidate + "cmdline", std::ios::binary);
        const std::string commandLine((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
        if (commandLine.find(commandLinePart) != std::string::npos &&
            commandLine.find("Quorvex.exe") != std::string::npos)
            folder = candidate;
    } while (folder.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return folder;
}

// User and system time of the Linux process so far (all its threads), or -1.
double ProcessorSeconds(const std::string& unixProcess)
{
    const double kClockTicksPerSecond = 100;  // Linux's USER_HZ
    std::ifstream file(unixProcess + "stat");
    std::string stat;
    std::getline(file, stat);
    // The fields after the command name in parentheses: state is the first, utime the 12th.
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string field;
    unsigned long long userTicks = 0, systemTicks = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i) {
        if (i == 12)
            userTicks = std::strtoull(field.c_str(), nullptr, 10);
        if (i == 13)
            systemTicks = std::strtoull(field.c_str(), nullptr, 10);
    }
    return stat.empty() ? -1 : static_cast<double>(userTicks + systemTicks) / kClockTicksPerSecond;
}

// The number of the log's newest record (1 to 9999), or -1 when it cannot be read.
int NewestRecordNumber(ProgramDriver& driver)
{
    const auto rows = driver.LogRows();
    if (!rows || rows->empty() || rows->back().empty())
        return -1;
    return std::atoi(rows->back()[0].c_str());
}

bool WaitForClientCount(ProgramDriver& driver, int count)
{
    char text[16];
    std::snprintf(text, sizeof text, "[%04d]", count);
    return WaitUntil([&] {
        const auto status = driver.StatusText(kPort1Pane);
        return status && status->find(text) != std::string::npos;
    }, 30000);
}

std::vector<SOCKET> ConnectClients(int port, int count)
{
    std::vector<SOCKET> clients;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    for (int i = 0; i < count; ++i) {
        const SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        const BOOL noDelay = TRUE;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                   sizeof noDelay);
        if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            closesocket(client);
            break;
        }
        clients.push_back(client);
    }
    return clients;
}

struct Figures
{
    double seconds;
    double processorSeconds;
    long long received;  // records the program logged for received blocks
};

Figures RunSteady(ProgramDriver& driver, const std::string& unixProcess,
                  const std::vector<SOCKET>& clients, int rate, int seconds)
{
    const int firstNumber = NewestRecordNumber(driver);
    const char block[kBlockSize] = {};
    const int ticks = rate * seconds;
    const double processorBefore = ProcessorSeconds(unixProcess);
    const LONGLONG start = Now();
    for (int tick = 0; tick < ticks; ++tick) {
        // Each tick at its own time from the start, so that a late tick does not delay the rest.
        while (SecondsSince(start) < static_cast<double>(tick) / rate)
            Sleep(1);
        for (SOCKET client : clients)
            send(client, block, kBlockSize, 0);
    }
    const double elapsed = SecondsSince(start);
    const double processor = ProcessorSeconds(unixProcess) - processorBefore;
    Sleep(kDrainMs);
    const int lastNumber = NewestRecordNumber(driver);
    return {elapsed, processor, (lastNumber - firstNumber + kNumberCount) % kNumberCount};
}

Figures RunFlood(const std::string& unixProcess, const std::vector<SOCKET>& clients,
                 int seconds)
{
    std::atomic<bool> ending{false};
    std::atomic<long long> roundTrips{0};
    std::vector<std::thread> threads;
    const double processorBefore = ProcessorSeconds(unixProcess);
    const LONGLONG start = Now();
    for (SOCKET client : clients) {
        threads.emplace_back([&, client] {
            char block[kBlockSize] = {};
            while (!ending) {
                if (send(client, block, kBlockSize, 0) != kBlockSize ||
                    !ReceiveExactly(client, block, kBlockSize))
                    return;
                ++roundTrips;
            }
        });
    }
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const long long counted = roundTrips;
    const double elapsed = SecondsSince(start);
    const double processor = ProcessorSeconds(unixProcess) - processorBefore;
    ending = true;
    for (std::thread& thread : threads)
        thread.join();
    return {elapsed, processor, counted};
}

int RunBench(const std::string& mode, int clientCount, int rate, int seconds)
{
    const bool flood = mode == "flood";
    if (!flood && static_cast<long long>(clientCount) * rate * seconds >= kNumberCount) {
        std::fprintf(stderr, "steady: clients x rate x seconds must stay below %d\n",
                     kNumberCount);
        return 3;
    }
    const int port = UnusedPort();
    const std::string document = WriteDocument(port, flood);
    ProgramDriver driver(StartProgram("\"" + document + "\"", ExecutableFolder()));
    if (!driver.IsAttached() || !driver.WaitUntilStarted() || !WaitForClientCount(driver, 0)) {
        std::fprintf(stderr, "the program did not start listening\n");
        return 1;
    }
    const std::vector<SOCKET> clients = ConnectClients(port, clientCount);
    if (static_cast<int>(clients.size()) != clientCount ||
        !WaitForClientCount(driver, clientCount)) {
        std::fprintf(stderr, "not every client was accepted\n");
        return 1;
    }
    const std::string unixProcess = FindUnixProcess(document.substr(document.rfind('\\') + 1));
    if (unixProcess.empty()) {
        std::fprintf(stderr, "the program's process was not found in /proc (runs under Wine only)\n");
        return 1;
    }
    const Figures figures = flood ? RunFlood(unixProcess, clients, seconds)
                                  : RunSteady(driver, unixProcess, clients, rate, seconds);
    for (SOCKET client : clients)
        closesocket(client);
    driver.CloseAndWait();

    const double cpu = 100.0 * figures.processorSeconds / figures.seconds;
    if (flood)
        std::printf("flood, clients %d: %.0f received records/s (%.0f records/s with the "
                    "replies), program CPU %.0f%% of one core\n",
                    clientCount, figures.received / figures.seconds,
                    2 * figures.received / figures.seconds, cpu);
    else
        std::printf("steady, clients %d x %d blocks/s: %lld of %lld blocks logged, %.0f "
                    "records/s, program CPU %.1f%% of one core\n",
                    clientCount, rate, figures.received,
                    static_cast<long long>(clientCount) * rate * seconds,
                    static_cast<double>(figures.received) / seconds, cpu);
    return figures.received > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const std::string mode = argc >= 2 ? argv[1] : "";
    const auto argument = [&](int index, int fallback) {
        return argc > index ? std::atoi(argv[index]) : fallback;
    };
    if (mode == "steady")
        return RunBench(mode, argument(2, 50), argument(3, 10), argument(4, 10));
    if (mode == "flood")
        return RunBench(mode, argument(2, 50), 0, argument(3, 5));
    std::fprintf(stderr, "usage: server_bench steady [clients] [blocks/s] [seconds]\n"
                         "       server_bench flood [clients] [seconds]\n");
    return 3;
}
