// How fast a reader takes a stream of blocks over TCP on 127.0.0.1, for three readers taking turns
// in one run, at 4096 and at 64 bytes a block:
//   bare     a blocking recv loop;
//   message  a worker thread that recv()s and hands each block to a window with one synchronous
//            SendMessage, the window copying it;
//   program  the real program's Port 1 (a TCP client whose receive buffer is the block size),
//            with auto-scroll on, logging every read as one record.
// The bench is the sender: it sends the blocks as fast as the reader takes them, then closes its
// side; the figure runs until the reader has read everything and closed. Each reader's receive
// buffer is the block size, so one read is at most one block; two blocks merged into a shorter
// read are one record and no loss, so blocks are counted from the bytes. During the program's
// run the bench also asks the program for its Port 1 status and says how long the answer took.
//
//   receive_bench [blocks of 64 bytes] [blocks of 4096 bytes]
// The bench starts the two reference readers as "receive_bench reader <bare|message> <port>
// <block size>".
#include <winsock2.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/CommSettings.h"
#include "res/resource.h"
#include "tools/bench/BenchClock.h"
#include "tools/bench/BenchSockets.h"
#include "tools/driver/ProgramDriver.h"
#include "tools/driver/ProgramStart.h"

namespace {

const UINT WM_BENCH_BLOCK = WM_APP + 1;
const char* const kReaders[] = {"bare", "message", "program"};

SOCKET ConnectTo(int port)
{
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        closesocket(socket);
        return INVALID_SOCKET;
    }
    return socket;
}

// The window side of the message reader: copies each block, as a log copies its record.
LRESULT CALLBACK BlockWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_BENCH_BLOCK)
        return DefWindowProcA(window, message, wParam, lParam);
    static std::vector<char> copy;
    const char* block = reinterpret_cast<const char*>(lParam);
    copy.assign(block, block + wParam);
    return 0;
}

int RunReader(const std::string& kind, int port, int blockSize)
{
    const SOCKET socket = ConnectTo(port);
    if (socket == INVALID_SOCKET)
        return 1;
    std::vector<char> buffer(static_cast<size_t>(blockSize));
    if (kind == "bare") {
        while (recv(socket, buffer.data(), blockSize, 0) > 0) {
        }
        closesocket(socket);
        return 0;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &BlockWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuorvexReceiveBench";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, windowClass.hInstance, nullptr);
    const DWORD windowThread = GetCurrentThreadId();
    std::thread worker([&] {
        for (;;) {
            const int received = recv(socket, buffer.data(), blockSize, 0);
            if (received <= 0)
                break;
            SendMessageA(window, WM_BENCH_BLOCK, static_cast<WPARAM>(received),
                         reinterpret_cast<LPARAM>(buffer.data()));
        }
        closesocket(socket);
        PostThreadMessageA(windowThread, WM_QUIT, 0, 0);
    });
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    worker.join();
    DestroyWindow(window);
    return 0;
}

HANDLE StartReader(const std::string& kind, int port, int blockSize)
{
    std::string commandLine = "\"" + ExecutableFolder() + "receive_bench.exe\" reader " + kind +
                              " " + std::to_string(port) + " " + std::to_string(blockSize);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
}

// Port 1 connects to the bench at start-up; its receive buffer is the block size.
HANDLE StartTheProgram(int port, int blockSize)
{
    CCommSettings document = BenchDocument("receive_bench.qvg", 0);
    document.m_clientRemoteAddress[0] = static_cast<int>(htonl(INADDR_LOOPBACK));
    document.m_clientRemotePort[0] = port;
    document.m_receiveBufferSize[0] = blockSize;
    const std::string path = SaveBenchDocument(document);
    return path.empty() ? nullptr : StartProgram("\"" + path + "\"", ExecutableFolder());
}

// Sends the blocks, closes its side and waits for the reader's close: blocks per second, 0 after
// a failure.
double SendBlocks(SOCKET reader, int blockSize, int blocks)
{
    const BOOL noDelay = TRUE;
    setsockopt(reader, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    const std::vector<char> block(static_cast<size_t>(blockSize), 'b');
    const LONGLONG start = Now();
    for (int i = 0; i < blocks; ++i) {
        if (send(reader, block.data(), blockSize, 0) != blockSize)
            return 0;
    }
    shutdown(reader, SD_SEND);
    char rest[16];
    while (recv(reader, rest, sizeof rest, 0) > 0) {
    }
    return blocks / SecondsSince(start);
}

struct Outcome
{
    double blocksPerSecond = 0;
    double statusMs = -1;  // the program's answer to a status request during the flood
};

Outcome Measure(const std::string& reader, int blockSize, int blocks)
{
    int port = 0;
    const SOCKET listener = ListenOnLoopback(port);

    const bool program = reader == "program";
    const HANDLE process =
        program ? StartTheProgram(port, blockSize) : StartReader(reader, port, blockSize);
    Outcome outcome;
    if (!process) {
        std::fprintf(stderr, "%s could not be started\n", reader.c_str());
        closesocket(listener);
        return outcome;
    }
    ProgramDriver driver(process);
    const SOCKET connection = accept(listener, nullptr, nullptr);
    std::thread asker;
    if (program) {
        // Auto-scroll is off at every start: the command turns it on.
        driver.WaitUntilStarted();
        driver.PostCommand(ID_SETTINGS_AUTO_SCROLL);
        driver.StatusText(kPort1Pane);
        asker = std::thread([&] {
            Sleep(1000);
            const LONGLONG asked = Now();
            if (driver.StatusText(kPort1Pane))
                outcome.statusMs = SecondsSince(asked) * 1000;
        });
    }
    outcome.blocksPerSecond = SendBlocks(connection, blockSize, blocks);
    if (asker.joinable())
        asker.join();
    closesocket(connection);
    closesocket(listener);
    if (program)
        driver.CloseAndWait();
    else
        driver.WaitForExit();
    return outcome;
}

int RunBench(int blocks64, int blocks4096)
{
    bool failed = false;
    for (const auto& [blockSize, blocks] : {std::pair{4096, blocks4096}, std::pair{64, blocks64}}) {
        double figures[std::size(kReaders)] = {};
        for (size_t i = 0; i < std::size(kReaders); ++i) {
            const Outcome outcome = Measure(kReaders[i], blockSize, blocks);
            figures[i] = outcome.blocksPerSecond;
            failed = failed || figures[i] <= 0;
            std::printf("%d bytes, %s: %.0f blocks/s", blockSize, kReaders[i], figures[i]);
            if (outcome.statusMs >= 0)
                std::printf(" (status answered in %.0f ms during the flood)", outcome.statusMs);
            std::printf("\n");
        }
        if (figures[0] > 0 && figures[1] > 0)
            std::printf("%d bytes, program / bare %.2f, program / message %.2f\n", blockSize,
                        figures[2] / figures[0], figures[2] / figures[1]);
        std::fflush(stdout);
    }
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    if (argc >= 5 && std::string(argv[1]) == "reader")
        return RunReader(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    return RunBench(argc >= 2 ? std::atoi(argv[1]) : 20000, argc >= 3 ? std::atoi(argv[2]) : 4000);
}
