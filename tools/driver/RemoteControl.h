// Reads the texts of controls that belong to another process. Their messages take pointers,
// which the control dereferences in its own process, so every call goes through a buffer
// allocated there. Every message is sent with a time-out, so a hung program cannot hang its
// reader. Texts come back as the controls hold them (code page 932 in our program).
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Memory in another process, freed with the object.
class RemoteBuffer
{
public:
    RemoteBuffer(HANDLE process, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool IsValid() const { return m_address != nullptr; }
    LPARAM Address(size_t offset = 0) const;
    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;

private:
    HANDLE m_process;
    void* m_address;
};

// How long one message to another process may take before its reader gives up.
const UINT kRemoteMessageTimeoutMs = 5000;

// SendMessage with kRemoteMessageTimeoutMs; nullopt when the window did not answer in time.
std::optional<LRESULT> SendRemoteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The text of a status bar pane.
std::optional<std::string> GetRemoteStatusText(HANDLE process, HWND statusBar, int pane);

// The heading of a list-view column; nullopt when there is no such column.
std::optional<std::string> GetRemoteColumnHeading(HANDLE process, HWND list, int column);

// The number of columns of a report list, from its header control (no pointer to pass); -1
// when it has no header.
int GetListColumnCount(HWND list);

// Every item of a report list with the texts of all its columns, top to bottom.
std::optional<std::vector<std::vector<std::string>>> GetRemoteListRows(HANDLE process, HWND list);
