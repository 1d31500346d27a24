// Connects to 127.0.0.1 at the port given and checks that the peer there sends the token given.
// Exit code 0 when it does, 1 when it does not, 2 when no connection could be made.
#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: namespace_probe PORT TOKEN\n");
        return 2;
    }
    WSADATA winsock;
    if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0)
        return 2;
    SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(std::atoi(argv[1])));
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::fprintf(stderr, "no connection: %d\n", WSAGetLastError());
        return 2;
    }
    std::string received;
    char buffer[64];
    int got;
    while ((got = recv(client, buffer, sizeof buffer, 0)) > 0)
        received.append(buffer, static_cast<size_t>(got));
    closesocket(client);
    WSACleanup();
    std::printf("received \"%s\"\n", received.c_str());
    return received == argv[2] ? 0 : 1;
}
