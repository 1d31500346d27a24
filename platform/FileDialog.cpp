#include "platform/FileDialog.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/WinApp.h"
#include "platform/Wnd.h"

namespace {

FileDialogPresenter& CurrentPresenter()
{
    static FileDialogPresenter presenter;
    return presenter;
}

BOOL ShowSystemDialog(OPENFILENAMEA& ofn, BOOL bOpenFileDialog)
{
    return bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
}

} // namespace

FileDialogPresenter AfxSetFileDialogPresenter(FileDialogPresenter presenter)
{
    return std::exchange(CurrentPresenter(), std::move(presenter));
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd),
      m_defaultExtension(lpszDefExt), m_filter(lpszFilter)
{
    // The system wants the pairs separated, and ended, by zero bytes.
    m_filter.Replace('|', '\0');
    if (lpszFileName) {
        const size_t length = std::min(std::strlen(lpszFileName), sizeof m_fileName - 1);
        std::memcpy(m_fileName, lpszFileName, length);
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_fileName;
    m_ofn.nMaxFile = sizeof m_fileName;
    m_ofn.lpstrDefExt = lpszDefExt ? m_defaultExtension.GetString() : nullptr;
    m_ofn.lpstrFilter = lpszFilter ? m_filter.GetString() : nullptr;
    m_ofn.Flags = dwFlags;
}

INT_PTR CFileDialog::DoModal()
{
    // Owned by the top-level window of the parent, or of the main window, which the system
    // disables while the dialog is shown.
    const CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_ofn.hwndOwner = parent && parent->m_hWnd ? ::GetAncestor(parent->m_hWnd, GA_ROOT) : nullptr;
    const FileDialogPresenter& presenter = CurrentPresenter();
    const BOOL chosen = presenter ? presenter(m_ofn, m_bOpenFileDialog)
                                  : ShowSystemDialog(m_ofn, m_bOpenFileDialog);
    return chosen ? IDOK : IDCANCEL;
}
