// CExtResizablePropertyPage: a page of the resizable property sheet. Its anchored controls
// follow its size; the sheet anchors the page itself, and lays it out again whenever the page
// is shown or moved.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/dialogs/ResPP.h"
#include "framework/dialogs/ResizableTemplates.h"

class CExtResizablePropertyPage : public CExtWA<CExtWS<CExtResPP, 301>>
{
    DECLARE_DYNCREATE(CExtResizablePropertyPage)
public:
    CExtResizablePropertyPage() = default;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
