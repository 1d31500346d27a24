#include "editors/HexEditDisplay.h"

#include "core/TextHelpers.h"

namespace {

// Hex digits per group for MODE: 1 two bytes, 2 four bytes, anything else single bytes.
short GroupDigitsOf(int mode)
{
    switch (mode) {
    case 1:
        return 4;
    case 2:
        return 8;
    default:
        return 2;
    }
}

} // namespace

void ApplyDisplaySetting(CHexEdit& editor, const EditorDisplaySetting& setting)
{
    editor.ShowText = setting.m_showText;
    editor.ShowAddress = setting.m_showAddress;
    editor.AddressDigits = setting.m_addressDigits ? 8 : 4;
    editor.GroupDigits = GroupDigitsOf(setting.m_grouping);
    editor.BackColor = static_cast<COLORREF>(setting.m_backColor);
    editor.TextColor = static_cast<COLORREF>(setting.m_textColor);
    editor.FontHeight = GetFontSizeByIndex(setting.m_fontSize);
    editor.ShowHeader = setting.m_showHeader;
    editor.TextCode = setting.m_textCode;
    editor.RecalcLayout();
    if (editor.m_hWnd)
        editor.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}
