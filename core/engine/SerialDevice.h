// The serial device seam: the calls the serial thread and worker make on an open COM device, one
// for one the system's, so that the worker's logic runs unchanged on a scripted fake device in
// tests (a pseudo-terminal under Wine reports no line events or modem status). A failing call
// returns FALSE with the system's error in GetLastError, as the system's do.
#pragma once
#include <memory>

#include "platform/Types.h"

class ISerialDevice
{
public:
    // Closes the device.
    virtual ~ISerialDevice() = default;

    virtual BOOL GetCommState(DCB& dcb) = 0;
    virtual BOOL SetCommState(const DCB& dcb) = 0;
    virtual BOOL EscapeCommFunction(DWORD function) = 0;
    virtual BOOL SetupComm(DWORD inputQueue, DWORD outputQueue) = 0;
    virtual BOOL SetCommTimeouts(const COMMTIMEOUTS& timeouts) = 0;
    virtual BOOL SetCommMask(DWORD mask) = 0;
    virtual BOOL PurgeComm(DWORD flags) = 0;
    virtual BOOL GetCommModemStatus(DWORD& status) = 0;
    virtual BOOL ClearCommError(DWORD& errors, COMSTAT& status) = 0;
    // Overlapped: FALSE with ERROR_IO_PENDING while the operation runs; the overlapped event is
    // set when it completes.
    virtual BOOL WaitCommEvent(DWORD& mask, OVERLAPPED& overlapped) = 0;
    virtual BOOL ReadFile(void* buffer, DWORD size, DWORD& read, OVERLAPPED& overlapped) = 0;
    virtual BOOL WriteFile(const void* data, DWORD size, OVERLAPPED& overlapped) = 0;
    virtual BOOL GetOverlappedResult(OVERLAPPED& overlapped, DWORD& transferred, BOOL wait) = 0;
    // Cancels the calling thread's operations on the device; they complete as aborted.
    virtual BOOL CancelIo() = 0;
};

// Opens devices by their full name ("\\.\COM10").
class ISerialDeviceOpener
{
public:
    // Opened for reading and writing, unshared, for overlapped I/O; null with GetLastError set.
    virtual std::unique_ptr<ISerialDevice> Open(const char* path) = 0;

protected:
    ~ISerialDeviceOpener() = default;
};

// The system's COM devices.
ISerialDeviceOpener& GetSystemSerialDevices();
