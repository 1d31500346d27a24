#include "core/engine/PluginConnection.h"

#include "core/MessageCodes.h"
#include "core/engine/ConnectionFrame.h"
#include "core/engine/PluginController.h"
#include "core/engine/PortReporter.h"
#include "core/engine/SerialWorker.h"
#include "core/engine/TcpWorker.h"
#include "core/engine/UdpWorker.h"

namespace {

// Loads and checks the DLL; on failure logs why and closes the endpoint (closeEndpoint), else
// runs the worker (runWorker with the DLL).
template <typename CloseEndpoint, typename RunWorker>
int RunPluginConnection(CPortEngine& engine, int portIndex, int connection,
                        CloseEndpoint closeEndpoint, RunWorker runWorker)
{
    CPortReporter reporter(engine.Context(portIndex).m_notifyWindow, portIndex, connection);
    CPluginDll dll;
    int refusal = 0;
    if (!dll.Load(engine.Settings().m_dllPath[portIndex])) {
        refusal = MSG_DLL_LOAD_FAILED;
    } else {
        PluginRecord answer = {};
        PluginRecord request = {};
        request.word[PLUGIN_CODE] = PLUGIN_EVENT_VERSION;
        if (dll.Call(answer, request) != 0)
            refusal = MSG_DLL_CALL_FAILED;
        else if (answer.word[PLUGIN_VALUE] != kPluginVersionOld &&
                 answer.word[PLUGIN_VALUE] != kPluginVersionCurrent)
            refusal = MSG_DLL_VERSION_REFUSED;
    }
    if (refusal != 0) {
        reporter.LogMessage(refusal);
        closeEndpoint();
        return kResultFailed;
    }
    runWorker(dll);
    dll.Unload();
    return 0;
}

} // namespace

int RunTcpPluginWorker(CPortEngine& engine, int kind, DWORD address, int port, SOCKET socket,
                       int portIndex, int connection, CPluginDll& dll)
{
    CPluginController controller(engine, portIndex, dll);
    return RunTcpWorker(engine, kind, address, port, socket, portIndex, connection, &controller);
}

int RunUdpPluginWorker(CPortEngine& engine, DWORD address, int port, SOCKET socket, int portIndex,
                       CPluginDll& dll)
{
    CPluginController controller(engine, portIndex, dll);
    return RunUdpWorker(engine, address, port, socket, portIndex, &controller);
}

int RunSerialPluginWorker(CPortEngine& engine, int comIndex, std::unique_ptr<ISerialDevice> device,
                          int portIndex, CPluginDll& dll)
{
    CPluginController controller(engine, portIndex, dll);
    return RunSerialWorker(engine, comIndex, std::move(device), portIndex, &controller);
}

int RunTcpPluginConnection(CPortEngine& engine, int kind, DWORD address, int port, SOCKET socket,
                           int portIndex, int connection)
{
    return RunPluginConnection(
        engine, portIndex, connection, [&] { ::closesocket(socket); },
        [&](CPluginDll& dll) {
            return RunTcpPluginWorker(engine, kind, address, port, socket, portIndex, connection,
                                      dll);
        });
}

int RunUdpPluginConnection(CPortEngine& engine, DWORD address, int port, SOCKET socket,
                           int portIndex)
{
    return RunPluginConnection(
        engine, portIndex, 0, [&] { ::closesocket(socket); },
        [&](CPluginDll& dll) {
            return RunUdpPluginWorker(engine, address, port, socket, portIndex, dll);
        });
}

int RunSerialPluginConnection(CPortEngine& engine, int comIndex,
                              std::unique_ptr<ISerialDevice> device, int portIndex)
{
    return RunPluginConnection(
        engine, portIndex, 0, [&] { device.reset(); },
        [&](CPluginDll& dll) {
            return RunSerialPluginWorker(engine, comIndex, std::move(device), portIndex, dll);
        });
}
