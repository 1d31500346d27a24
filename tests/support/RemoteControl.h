// Reads the texts of controls that belong to another process. Their messages take pointers,
// which the control dereferences in its own process, so every call goes through a buffer
// allocated there.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

// Memory in another process, freed with the object.
class RemoteBuffer
{
public:
    RemoteBuffer(HANDLE process, size_t size)
        : m_process(process),
          m_address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {
    }
    ~RemoteBuffer()
    {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool IsValid() const { return m_address != nullptr; }
    LPARAM Address(size_t offset = 0) const
    {
        return reinterpret_cast<LPARAM>(static_cast<char*>(m_address) + offset);
    }
    bool Write(size_t offset, const void* data, size_t size) const
    {
        return WriteProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size,
                                  nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        return ReadProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size,
                                 nullptr);
    }

private:
    HANDLE m_process;
    void* m_address;
};

// The text of a status bar pane; "<unreadable>" when it cannot be read.
inline std::string GetRemoteStatusText(HANDLE process, HWND statusBar, int pane)
{
    const size_t length = LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, pane, 0));
    RemoteBuffer buffer(process, length + 1);
    std::vector<char> text(length + 1, '\0');
    if (!buffer.IsValid())
        return "<unreadable>";
    SendMessageA(statusBar, SB_GETTEXTA, pane, buffer.Address());
    if (!buffer.Read(0, text.data(), text.size()))
        return "<unreadable>";
    return std::string(text.data());
}

// The heading of a list-view column; "<unreadable>" when there is no such column.
inline std::string GetRemoteColumnHeading(HANDLE process, HWND list, int column)
{
    const size_t kTextSize = 256;
    RemoteBuffer buffer(process, sizeof(LVCOLUMNA) + kTextSize);
    if (!buffer.IsValid())
        return "<unreadable>";
    LVCOLUMNA query = {};
    query.mask = LVCF_TEXT;
    query.pszText = reinterpret_cast<LPSTR>(buffer.Address(sizeof query));
    query.cchTextMax = static_cast<int>(kTextSize);
    char text[kTextSize] = {};
    if (!buffer.Write(0, &query, sizeof query) ||
        !SendMessageA(list, LVM_GETCOLUMNA, column, buffer.Address()) ||
        !buffer.Read(sizeof query, text, kTextSize - 1))
        return "<unreadable>";
    return text;
}

// The text of a list-view item or subitem; "<unreadable>" when it cannot be read.
inline std::string GetRemoteItemText(HANDLE process, HWND list, int row, int column)
{
    const size_t kTextSize = 1024;
    RemoteBuffer buffer(process, sizeof(LVITEMA) + kTextSize);
    if (!buffer.IsValid())
        return "<unreadable>";
    LVITEMA query = {};
    query.iSubItem = column;
    query.pszText = reinterpret_cast<LPSTR>(buffer.Address(sizeof query));
    query.cchTextMax = static_cast<int>(kTextSize);
    char text[kTextSize] = {};
    if (!buffer.Write(0, &query, sizeof query))
        return "<unreadable>";
    SendMessageA(list, LVM_GETITEMTEXTA, row, buffer.Address());
    if (!buffer.Read(sizeof query, text, kTextSize - 1))
        return "<unreadable>";
    return text;
}

// The number of columns of a report list, from its header control (no pointer to pass).
inline int GetListColumnCount(HWND list)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : -1;
}
