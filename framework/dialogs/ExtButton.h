// CExtButton as the dialog frames need it until the themed controls replace it: a push button
// that can adopt an existing button window, takes the capture through the sink and tells the
// font of its parent window.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/dialogs/MouseCaptureSink.h"
#include "platform/Wnd.h"

class CExtButton : public CWnd, public CExtMouseCaptureSink
{
    DECLARE_DYNAMIC(CExtButton)
public:
    // The font the parent window answers to WM_GETFONT; null without a parent or font.
    HFONT GetParentFont() const;
};
