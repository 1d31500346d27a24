#include "core/engine/SerialDevice.h"

namespace {

class CSystemSerialDevice final : public ISerialDevice
{
public:
    explicit CSystemSerialDevice(HANDLE handle) : m_handle(handle) {}
    ~CSystemSerialDevice() override { ::CloseHandle(m_handle); }
    CSystemSerialDevice(const CSystemSerialDevice&) = delete;
    CSystemSerialDevice& operator=(const CSystemSerialDevice&) = delete;

    BOOL GetCommState(DCB& dcb) override
    {
        dcb.DCBlength = sizeof dcb;
        return ::GetCommState(m_handle, &dcb);
    }
    BOOL SetCommState(const DCB& dcb) override
    {
        DCB copy = dcb;
        return ::SetCommState(m_handle, &copy);
    }
    BOOL EscapeCommFunction(DWORD function) override
    {
        return ::EscapeCommFunction(m_handle, function);
    }
    BOOL SetupComm(DWORD inputQueue, DWORD outputQueue) override
    {
        return ::SetupComm(m_handle, inputQueue, outputQueue);
    }
    BOOL SetCommTimeouts(const COMMTIMEOUTS& timeouts) override
    {
        COMMTIMEOUTS copy = timeouts;
        return ::SetCommTimeouts(m_handle, &copy);
    }
    BOOL SetCommMask(DWORD mask) override { return ::SetCommMask(m_handle, mask); }
    BOOL PurgeComm(DWORD flags) override { return ::PurgeComm(m_handle, flags); }
    BOOL GetCommModemStatus(DWORD& status) override
    {
        return ::GetCommModemStatus(m_handle, &status);
    }
    BOOL ClearCommError(DWORD& errors, COMSTAT& status) override
    {
        return ::ClearCommError(m_handle, &errors, &status);
    }
    BOOL WaitCommEvent(DWORD& mask, OVERLAPPED& overlapped) override
    {
        return ::WaitCommEvent(m_handle, &mask, &overlapped);
    }
    BOOL ReadFile(void* buffer, DWORD size, DWORD& read, OVERLAPPED& overlapped) override
    {
        return ::ReadFile(m_handle, buffer, size, &read, &overlapped);
    }
    BOOL WriteFile(const void* data, DWORD size, OVERLAPPED& overlapped) override
    {
        return ::WriteFile(m_handle, data, size, nullptr, &overlapped);
    }
    BOOL GetOverlappedResult(OVERLAPPED& overlapped, DWORD& transferred, BOOL wait) override
    {
        return ::GetOverlappedResult(m_handle, &overlapped, &transferred, wait);
    }
    BOOL CancelIo() override { return ::CancelIo(m_handle); }

private:
    const HANDLE m_handle;
};

class CSystemSerialDevices final : public ISerialDeviceOpener
{
public:
    std::unique_ptr<ISerialDevice> Open(const char* path) override
    {
        const HANDLE handle = ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<CSystemSerialDevice>(handle);
    }
};

CSystemSerialDevices g_systemDevices;

} // namespace

ISerialDeviceOpener& GetSystemSerialDevices()
{
    return g_systemDevices;
}
