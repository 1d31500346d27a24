// A connection in extension-DLL mode: the connection function loads the port's DLL for this
// connection alone, asks its version and runs the transport's worker loop with the DLL in charge
// (the DLL worker); the DLL is freed when the worker has returned. The worker closes the
// endpoint; when the DLL is not usable the connection function does.
#pragma once
#include <winsock2.h>

#include <memory>

#include "core/engine/PluginDll.h"
#include "core/engine/PortEngine.h"
#include "core/engine/SerialDevice.h"

// 0 after the worker ran, whatever it returned (so the thread logs its end message); negative
// when the DLL could not be loaded, lacks its export, failed the version query or has a version
// other than 100 and 256 (each logged).
int RunTcpPluginConnection(CPortEngine& engine, int kind, DWORD address, int port, SOCKET socket,
                           int portIndex, int connection);
int RunUdpPluginConnection(CPortEngine& engine, DWORD address, int port, SOCKET socket,
                           int portIndex);
int RunSerialPluginConnection(CPortEngine& engine, int comIndex,
                              std::unique_ptr<ISerialDevice> device, int portIndex);

// The DLL workers: the transport's worker loop with the loaded DLL in charge. They close the
// endpoint.
int RunTcpPluginWorker(CPortEngine& engine, int kind, DWORD address, int port, SOCKET socket,
                       int portIndex, int connection, CPluginDll& dll);
int RunUdpPluginWorker(CPortEngine& engine, DWORD address, int port, SOCKET socket, int portIndex,
                       CPluginDll& dll);
int RunSerialPluginWorker(CPortEngine& engine, int comIndex, std::unique_ptr<ISerialDevice> device,
                          int portIndex, CPluginDll& dll);
