// CExtPopupMenuTipWnd: the balloon a popup menu shows beside one of its items, with an
// information icon and a text. Never animated; it appears one second after it was asked for
// (timer 669) and is hidden again when the item is left.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/menus/MenuTipLayout.h"
#include "framework/menus/PopupBaseWnd.h"
#include "platform/String.h"

class CExtPopupMenuTipWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNCREATE(CExtPopupMenuTipWnd)
public:
    static constexpr UINT kShowDelayMs = 1000;

    CExtPopupMenuTipWnd();
    ~CExtPopupMenuTipWnd() override;

    // Null means empty; white space is trimmed on both sides.
    void SetTipText(LPCTSTR text);
    const CString& GetTipText() const { return m_text; }
    // Creates the window when needed (owned by owner, which may be null), places it for the
    // item and shows it after the delay; false when the window cannot be created.
    bool ShowTip(CWnd* owner, const RECT& itemRect);
    void HideTip();
    // The balloon's shape (window coordinates) and size for the anchor, text and limits.
    void CalcTipLayout(CDC& dc, CRgn& region, CSize& size);

    void PaintContent(CDC& dc, bool final) override;

    BYTE GetPlacement() const { return m_placement; }

    int m_iconWidth = 16;
    int m_iconHeight = 16;
    HICON m_icon;
    CString m_text;
    BYTE m_placement = 0;

private:
    SIZE MeasureBalloon(CDC& dc) const;
    RECT Limits() const;
};
