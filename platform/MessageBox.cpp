#include "platform/MessageBox.h"

#include <utility>

#include "platform/StringResource.h"
#include "platform/WinApp.h"
#include "platform/Wnd.h"

namespace {

MessageBoxPresenter& CurrentPresenter()
{
    static MessageBoxPresenter presenter;
    return presenter;
}

} // namespace

MessageBoxPresenter AfxSetMessageBoxPresenter(MessageBoxPresenter presenter)
{
    return std::exchange(CurrentPresenter(), std::move(presenter));
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType)
{
    const CWinApp* app = AfxGetApp();
    const LPCTSTR caption = app ? app->m_pszAppName : nullptr;
    // The box belongs to whatever window of the main window is active, such as a dialog.
    const CWnd* mainWnd = AfxGetMainWnd();
    const HWND owner = mainWnd && mainWnd->m_hWnd ? ::GetLastActivePopup(mainWnd->m_hWnd)
                                                  : nullptr;
    const MessageBoxPresenter& presenter = CurrentPresenter();
    if (presenter)
        return presenter(owner, lpszText, caption, nType);
    return ::MessageBoxA(owner, lpszText, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    LoadResourceString(nIDPrompt, text);
    return AfxMessageBox(text, nType);
}
