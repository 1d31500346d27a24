// Receive throughput and echo round trips through the real program's Port 1 (a TCP client), side
// by side with a minimal Winsock client written for this bench, both under the same Wine on
// 127.0.0.1. The bench is the server both connect to; it prints one line per run.
//
//   socket_bench <program|script|minimal> <throughput|echo> [receive buffer size]
//
// throughput: sends 64 MiB and closes its side; the figure is the time until the client has read
//             everything and closed (the program logs every block it reads).
// echo:       2,000 round trips of 32 bytes; the program answers through its automatic reply, or,
//             as "script", through a Port 1 script whose OnReceive sends back what came.
// The bench starts the minimal client as "socket_bench client <port> <mode>".
#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/CommSettings.h"
#include "tools/bench/BenchSockets.h"
#include "tools/driver/ProgramDriver.h"
#include "tools/driver/ProgramStart.h"

namespace {

const size_t kThroughputBytes = 64u * 1024 * 1024;
const int kChunk = 65536;
const int kRoundTrips = 2000;
const int kEchoSize = 32;
const int kReplyReceivedBytes = 1;
const char kEchoScript[] = "function OnConnected() return 0 end\r\n"
                           "function OnReceive(t) SendData(t) return 0 end\r\n"
                           "function OnDisConnected() return 0 end\r\n";

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// The minimal client: connects, then echoes or reads until the server closes.
int RunClient(int port, const std::string& mode)
{
    SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return 1;
    std::vector<char> buffer(kChunk);
    for (;;) {
        const int received = recv(socket, buffer.data(), kChunk, 0);
        if (received <= 0)
            break;
        if (mode == "echo" && send(socket, buffer.data(), received, 0) != received)
            break;
    }
    closesocket(socket);
    return 0;
}

// Writes the document that makes the program connect to the bench at start-up.
std::string WriteDocument(int port, bool echo, bool script, int receiveBuffer)
{
    CCommSettings document = BenchDocument("socket_bench.qvg", 0);
    document.m_clientRemoteAddress[0] = static_cast<int>(htonl(INADDR_LOOPBACK));
    document.m_clientRemotePort[0] = port;
    document.m_receiveBufferSize[0] = receiveBuffer;
    document.m_autoReplyOn[0] = echo && !script ? 1 : 0;
    if (script) {
        document.m_scriptMode[0] = 1;
        document.m_scriptText[0].CreateOneDim(VT_UI1, sizeof kEchoScript - 1, kEchoScript);
    }
    document.m_replyTarget[0] = 0;
    document.m_replyData[0] = kReplyReceivedBytes;
    return SaveBenchDocument(document);
}

double MeasureThroughput(SOCKET client)
{
    std::vector<char> data(kChunk, 'x');
    const LARGE_INTEGER start = Now();
    for (size_t sent = 0; sent < kThroughputBytes; sent += kChunk) {
        if (send(client, data.data(), kChunk, 0) != kChunk)
            return 0;
    }
    shutdown(client, SD_SEND);
    char rest[16];
    while (recv(client, rest, sizeof rest, 0) > 0) {
    }
    return static_cast<double>(kThroughputBytes) / (1024.0 * 1024.0) / Seconds(start, Now());
}

double MeasureRoundTrips(SOCKET client)
{
    char message[kEchoSize];
    std::memset(message, 'e', sizeof message);
    char answer[kEchoSize];
    const LARGE_INTEGER start = Now();
    for (int trip = 0; trip < kRoundTrips; ++trip) {
        if (send(client, message, kEchoSize, 0) != kEchoSize ||
            !ReceiveExactly(client, answer, kEchoSize))
            return 0;
    }
    return kRoundTrips / Seconds(start, Now());
}

int RunBench(const std::string& target, const std::string& mode, int receiveBuffer)
{
    int port = 0;
    const SOCKET listener = ListenOnLoopback(port);

    HANDLE process = nullptr;
    const bool program = target == "program" || target == "script";
    if (program) {
        const std::string document =
            WriteDocument(port, mode == "echo", target == "script", receiveBuffer);
        process = StartProgram("\"" + document + "\"", ExecutableFolder());
    } else {
        std::string commandLine = "\"" + ExecutableFolder() + "socket_bench.exe\" client " +
                                  std::to_string(port) + " " + mode;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &started)) {
            CloseHandle(started.hThread);
            process = started.hProcess;
        }
    }
    if (!process) {
        std::fprintf(stderr, "the client could not be started\n");
        return 1;
    }
    ProgramDriver driver(process);
    const SOCKET client = accept(listener, nullptr, nullptr);
    const double figure = mode == "echo" ? MeasureRoundTrips(client) : MeasureThroughput(client);
    closesocket(client);
    closesocket(listener);
    if (program)
        driver.CloseAndWait();
    else
        driver.WaitForExit();

    if (mode == "echo")
        std::printf("%s echo: %.0f round trips/s (%.0f us each)\n", target.c_str(), figure,
                    figure > 0 ? 1e6 / figure : 0.0);
    else
        std::printf("%s throughput: %.1f MiB/s (receive buffer %d)\n", target.c_str(), figure,
                    program ? receiveBuffer : kChunk);
    return figure > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    if (argc >= 4 && std::string(argv[1]) == "client")
        return RunClient(std::atoi(argv[2]), argv[3]);
    if (argc < 3) {
        std::fprintf(stderr, "usage: socket_bench <program|script|minimal> <throughput|echo> [buffer]\n");
        return 3;
    }
    return RunBench(argv[1], argv[2], argc >= 4 ? std::atoi(argv[3]) : 4096);
}
