#include "framework/dialogs/DlgInitData.h"

#include <commctrl.h>

#include <cstring>
#include <string>

namespace {

// The messages of the data, as the resource compiler writes them.
const WORD kListAddString = 0x0401;
const WORD kComboAddString = 0x0403;
const WORD kComboExInsertItem = 0x1234;
const DWORD kEntryHeaderSize = 8;

BOOL CALLBACK SendInitialUpdate(HWND child, LPARAM)
{
    ::SendMessageA(child, WM_INITIALUPDATE, 0, 0);
    return TRUE;
}

// The control's answer to the entry's text; skipped messages answer 0.
LRESULT AddText(HWND control, WORD message, const std::string& text)
{
    const auto textParam = reinterpret_cast<LPARAM>(text.c_str());
    switch (message) {
    case kListAddString:
        return ::SendMessageA(control, LB_ADDSTRING, 0, textParam);
    case kComboAddString:
        return ::SendMessageA(control, CB_ADDSTRING, 0, textParam);
    case kComboExInsertItem: {
        COMBOBOXEXITEMA item = {};
        item.mask = CBEIF_TEXT;
        item.iItem = -1;
        item.pszText = const_cast<LPSTR>(text.c_str());
        return ::SendMessageA(control, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    default:
        return 0;
    }
}

} // namespace

bool ExecuteDlgInitData(HWND dialog, const BYTE* data, DWORD size)
{
    bool failed = false;
    DWORD at = 0;
    while (data && !failed && size - at >= 2) {
        WORD id;
        std::memcpy(&id, data + at, 2);
        if (id == 0)
            break;
        WORD message;
        DWORD length;
        if (size - at < kEntryHeaderSize) {
            failed = true;
            break;
        }
        std::memcpy(&message, data + at + 2, 2);
        std::memcpy(&length, data + at + 4, 4);
        at += kEntryHeaderSize;
        if (length > size - at) {
            failed = true;
            break;
        }
        // The bytes need not end with a terminator: the copy gives them one.
        const std::string text(reinterpret_cast<const char*>(data + at), length);
        at += length;
        failed = AddText(::GetDlgItem(dialog, id), message, text) == -1;
    }
    if (!failed)
        ::EnumChildWindows(dialog, &SendInitialUpdate, 0);
    return !failed;
}
