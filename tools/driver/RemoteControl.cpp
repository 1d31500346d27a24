#include "tools/driver/RemoteControl.h"

#include <commctrl.h>

#include <algorithm>

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size)
    : m_process(process),
      m_address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
{
}

RemoteBuffer::~RemoteBuffer()
{
    if (m_address)
        VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
}

LPARAM RemoteBuffer::Address(size_t offset) const
{
    return reinterpret_cast<LPARAM>(static_cast<char*>(m_address) + offset);
}

bool RemoteBuffer::Write(size_t offset, const void* data, size_t size) const
{
    return WriteProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size,
                              nullptr);
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t size) const
{
    return ReadProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size,
                             nullptr);
}

std::optional<LRESULT> SendRemoteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             kRemoteMessageTimeoutMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::optional<std::string> GetRemoteStatusText(HANDLE process, HWND statusBar, int pane)
{
    const auto length = SendRemoteMessage(statusBar, SB_GETTEXTLENGTHA, pane, 0);
    if (!length)
        return std::nullopt;
    // Wine's bar counts characters, not bytes, and SB_GETTEXTA takes no buffer size: room for
    // two bytes a character holds any code-page-932 text.
    std::vector<char> text(2 * LOWORD(*length) + 1, '\0');
    RemoteBuffer buffer(process, text.size());
    if (!buffer.IsValid() || !SendRemoteMessage(statusBar, SB_GETTEXTA, pane, buffer.Address()) ||
        !buffer.Read(0, text.data(), text.size() - 1))
        return std::nullopt;
    return std::string(text.data());
}

std::optional<std::string> GetRemoteColumnHeading(HANDLE process, HWND list, int column)
{
    const size_t kTextSize = 256;
    RemoteBuffer buffer(process, sizeof(LVCOLUMNA) + kTextSize);
    if (!buffer.IsValid())
        return std::nullopt;
    LVCOLUMNA query = {};
    query.mask = LVCF_TEXT;
    query.pszText = reinterpret_cast<LPSTR>(buffer.Address(sizeof query));
    query.cchTextMax = static_cast<int>(kTextSize);
    char text[kTextSize] = {};
    if (!buffer.Write(0, &query, sizeof query))
        return std::nullopt;
    const auto found = SendRemoteMessage(list, LVM_GETCOLUMNA, column, buffer.Address());
    if (!found || !*found || !buffer.Read(sizeof query, text, kTextSize - 1))
        return std::nullopt;
    return std::string(text);
}

int GetListColumnCount(HWND list)
{
    const auto header = SendRemoteMessage(list, LVM_GETHEADER, 0, 0);
    if (!header || !*header)
        return -1;
    const auto count =
        SendRemoteMessage(reinterpret_cast<HWND>(*header), HDM_GETITEMCOUNT, 0, 0);
    return count ? static_cast<int>(*count) : -1;
}

std::optional<std::vector<std::vector<std::string>>> GetRemoteListRows(HANDLE process, HWND list)
{
    // Longer texts come back cut to this size.
    const size_t kTextSize = 4096;
    const int columns = GetListColumnCount(list);
    const auto count = SendRemoteMessage(list, LVM_GETITEMCOUNT, 0, 0);
    RemoteBuffer buffer(process, sizeof(LVITEMA) + kTextSize);
    if (columns < 0 || !count || !buffer.IsValid())
        return std::nullopt;
    std::vector<std::vector<std::string>> rows;
    std::vector<char> text(kTextSize);
    for (int item = 0; item < static_cast<int>(*count); ++item) {
        std::vector<std::string>& row = rows.emplace_back();
        for (int column = 0; column < columns; ++column) {
            // The list writes into the item it is given, so each query starts afresh.
            LVITEMA query = {};
            query.iSubItem = column;
            query.pszText = reinterpret_cast<LPSTR>(buffer.Address(sizeof query));
            query.cchTextMax = static_cast<int>(kTextSize);
            if (!buffer.Write(0, &query, sizeof query))
                return std::nullopt;
            const auto length = SendRemoteMessage(list, LVM_GETITEMTEXTA, item, buffer.Address());
            if (!length)
                return std::nullopt;
            const size_t size = std::min(static_cast<size_t>(*length), kTextSize - 1);
            if (size > 0 && !buffer.Read(sizeof query, text.data(), size))
                return std::nullopt;
            row.emplace_back(text.data(), size);
        }
    }
    return rows;
}
