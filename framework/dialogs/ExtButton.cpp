#include "framework/dialogs/ExtButton.h"

IMPLEMENT_DYNAMIC(CExtButton, CWnd)

HFONT CExtButton::GetParentFont() const
{
    const HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return parent ? reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
}
