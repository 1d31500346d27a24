// CExtResizablePropertyPage: a page of the resizable property sheet. Its anchored controls
// follow its size; the sheet anchors the page itself, and lays it out again whenever the page
// is shown or moved. Keys and the idle update reach the control bars the page holds.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/dialogs/IdleUpdateRelay.h"
#include "framework/dialogs/ResPP.h"
#include "framework/dialogs/ResizableTemplates.h"

class CExtResizablePropertyPage : public CExtWA<CExtWS<CExtResPP, 301>>
{
    DECLARE_DYNCREATE(CExtResizablePropertyPage)
public:
    CExtResizablePropertyPage() = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Runs after the page's own handling of a message.
    void FollowSheet(UINT message);

    CExtIdleUpdateRelay m_idleRelay;
};
