// CExtResizableDialog: the resizable, themed dialog that every docked pane is made of. Docked in
// a control bar (a child window) it hands keys to its host bar first and keeps itself open on
// Enter and Escape; it passes keys and the idle update of command states on to the control
// bars it holds.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/dialogs/IdleUpdateRelay.h"
#include "framework/dialogs/ResDlg.h"
#include "framework/dialogs/ResizableTemplates.h"

class CExtResizableDialog : public CExtWA<CExtWS<CExtResDlg, 301>>
{
    DECLARE_DYNCREATE(CExtResizableDialog)
public:
    CExtResizableDialog() = default;
    CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Both do nothing in a child window: a docked pane stays open.
    void OnOK() override;
    void OnCancel() override;

private:
    CExtIdleUpdateRelay m_idleRelay;
};
