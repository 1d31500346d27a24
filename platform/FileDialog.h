// CFileDialog: the system's open-file or save-file dialog. Dialogs are shown through a
// replaceable presenter, as message boxes are, so that tests can answer them.
#pragma once
#include "platform/WindowLayer.h"

#include <functional>

#include "platform/String.h"
#include "platform/Types.h"

#include <commdlg.h>  // after windows.h

class CWnd;

// Shows the dialog that ofn describes (GetOpenFileName when bOpenFileDialog, else
// GetSaveFileName) and returns TRUE with the chosen path in ofn.lpstrFile, FALSE when cancelled.
using FileDialogPresenter = std::function<BOOL(OPENFILENAMEA& ofn, BOOL bOpenFileDialog)>;

// Installs presenter (an empty one restores the system's dialogs) and returns the previous.
FileDialogPresenter AfxSetFileDialogPresenter(FileDialogPresenter presenter);

class CFileDialog
{
public:
    // lpszDefExt is added to a name typed without extension; give it without its dot (Wine
    // would add the dot a second time). lpszFilter pairs descriptions and patterns with '|',
    // as in "Text(*.txt)|*.txt|All Files(*.*)|*.*||". A null parent means the main window.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr,
                         LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog() = default;

    // IDOK with the chosen path, or IDCANCEL.
    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_fileName; }

    // Points into this object (file name, filter, default extension).
    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_defaultExtension;
    CString m_filter;  // the '|' separators turned into zero bytes
    char m_fileName[MAX_PATH] = {};
};
