#include "platform/WinApp.h"

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp::CWinApp()
{
    const CString path = GetProgramPath();
    const CString fileName = path.Mid(path.ReverseFind('\\') + 1);
    const int dot = fileName.ReverseFind('.');
    m_appName = dot < 0 ? fileName : fileName.Left(dot);
    m_pszAppName = m_appName;
    m_pszExeName = m_appName;
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    SetProfileKey(lpszRegistryKey, m_appName);
}

CWinApp* AfxGetApp()
{
    return g_app;
}
