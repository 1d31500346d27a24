// The main window's themes: the saved one installed when the frame is made, and the four theme
// commands, which switch the look at once and are remembered in the common settings.
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"
#include "mainwnd/MainFrame.h"
#include "res/resource.h"

namespace {

// The paint manager of a theme command; any other id gives the default theme's.
CRuntimeClass* ThemeClass(UINT id)
{
    switch (id) {
    case ID_THEME_OFFICE2003:
        return RUNTIME_CLASS(CExtPaintManagerOffice2003);
    case ID_THEME_XP:
        return RUNTIME_CLASS(CExtPaintManagerXP);
    case ID_THEME_OFFICE2000:
        return RUNTIME_CLASS(CExtPaintManager);
    default:
        return RUNTIME_CLASS(CExtPaintManagerStudio2005);
    }
}

}  // namespace

void CMainFrame::InstallSavedTheme()
{
    g_PaintManager.SetCurrentPaintManagerFromClass(
        ThemeClass(static_cast<UINT>(m_commonSettings.m_theme)));
}

void CMainFrame::OnTheme(UINT id)
{
    CRuntimeClass* wanted = ThemeClass(id);
    if (g_PaintManager->GetRuntimeClass() != wanted) {
        g_PaintManager.SetCurrentPaintManager(static_cast<CExtPaintManager*>(wanted->CreateObject()));
        RecalcLayout();
        ::RedrawWindow(m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    m_commonSettings.m_theme = static_cast<int>(id);
}
