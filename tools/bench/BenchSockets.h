// What the socket benchmarks share.
#pragma once
#include <winsock2.h>

#include <string>

#include "core/CommSettings.h"

// A document in the temporary folder that starts Port 1 alone, of the connection type, when the
// program opens it; the caller sets the rest and saves it.
inline CCommSettings BenchDocument(const char* fileName, int connectionType)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    CCommSettings document;
    document.m_settingsPath = (std::string(temp) + fileName).c_str();
    document.m_startOnLoad = 1;
    document.m_usePort[0] = 1;
    document.m_usePort[1] = 0;
    document.m_connectionType[0] = connectionType;
    return document;
}

// Saves the document; its path, or an empty text when it could not be written.
inline std::string SaveBenchDocument(const CCommSettings& document)
{
    return document.Save() == 0 ? std::string(document.m_settingsPath) : std::string();
}

// Binds the socket to a free port of 127.0.0.1 and gives the port's number.
inline int BindToFreeLoopbackPort(SOCKET socket)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

// A socket listening for one client on a free port of 127.0.0.1, whose number goes into port.
inline SOCKET ListenOnLoopback(int& port)
{
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    port = BindToFreeLoopbackPort(listener);
    listen(listener, 1);
    return listener;
}

// Reads exactly size bytes from a blocking socket; false when it closed or failed first.
inline bool ReceiveExactly(SOCKET socket, char* buffer, int size)
{
    for (int got = 0; got < size;) {
        const int received = recv(socket, buffer + got, size - got, 0);
        if (received <= 0)
            return false;
        got += received;
    }
    return true;
}
