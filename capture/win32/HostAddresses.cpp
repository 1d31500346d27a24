#include <winsock2.h>

#include "capture/CaptureSettings.h"

std::vector<DWORD> FindHostAddresses()
{
    std::vector<DWORD> addresses;
    char name[80];
    if (gethostname(name, sizeof name) != 0)
        return addresses;
    const hostent* host = gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4)
        return addresses;
    for (char** address = host->h_addr_list; *address; ++address) {
        DWORD value;
        memcpy(&value, *address, sizeof value);
        addresses.push_back(value);
    }
    return addresses;
}
