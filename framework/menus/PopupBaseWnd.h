// CExtPopupBaseWnd: what the framework's top-level popups (menus, the colour popup, menu tips)
// share: the exclude area of the button or item they belong to, drop shadows, a sound played once
// the popup is fully shown, and the show animation, which paints the popup as a transition from
// the screen behind it to its final image on timer 666 every 30 ms. Window thread only.
#pragma once
#include "platform/WindowLayer.h"

#include <vector>

#include "framework/menus/AnimationFrames.h"
#include "framework/menus/DropShadow.h"
#include "platform/GdiObjects.h"
#include "platform/Geometry.h"
#include "platform/Wnd.h"

// The process-wide popup options, one set for the whole process; nothing locks them (window
// thread only).
struct PopupOptions_t
{
    BYTE m_shadows = 1;
    // Popup menus keep rarely used commands hidden until expanded; the application clears it.
    BYTE m_hideRarelyUsed = 1;
    BYTE m_expandOnHover = 1;
    BYTE m_markRarelyUsed = 1;
    BYTE m_itemTips = 1;
    BYTE m_expandAnimation = 1;
    // Placement and tips keep within the monitor's work area (0: the whole monitor).
    BYTE m_useWorkArea = 1;
    // Given to every new popup; the application stores its own setting here.
    int m_defaultAnimation = 4;
    // The least time in milliseconds between two key-downs the tracking hook hands on.
    int m_keyThrottleMs = 20;
};
extern PopupOptions_t g_PopupOptions;

class CExtPopupBaseWnd : public CWnd
{
    DECLARE_DYNCREATE(CExtPopupBaseWnd)
public:
    enum AnimationKind
    {
        kAnimationExpand = -2,
        kAnimationInstant = -1,
        kAnimationNone = 0,
        kAnimationRandom = 1,
        kAnimationSlide = 2,
        kAnimationRoll = 3,
        kAnimationFade = 4,
        kAnimationUnfold = 5,
        kAnimationStretch = 6,
        kAnimationNoise = 7,
        kAnimationGrid = 8,
        kAnimationCircles = 9,
        kAnimationHoles = 10
    };
    enum
    {
        kTimerAnimation = 666,
        kTimerTipDelay = 669
    };
    static constexpr UINT kAnimationPeriodMs = 30;
    static constexpr int kAnimationStepPercent = 20;
    enum PopupFlags : BYTE
    {
        kPopupExcludeArea = 0x01,
        kPopupJoined = 0x02  // the popup and its exclude area form one shape
    };
    enum AnimationFlags : BYTE
    {
        kAnimationStatic = 0x01  // the animation finished, or there is none
    };
    // Paints the joined part of the exclude area; joinSide as the menu's placement gives it.
    typedef void (*JoinPainter)(LPARAM cookie, CDC& dc, const CExtPopupBaseWnd& popup,
                                const RECT& excludeArea, int joinSide);

    CExtPopupBaseWnd();
    ~CExtPopupBaseWnd() override;

    // The kind the timer would play after InitAnimation resolves kind on a screen of this depth:
    // invalid kinds and, at 8 bits per pixel or fewer, every kind but -1 and -2 become 0; kind 1
    // draws 2 to 10 from randomValue.
    static int ResolveAnimationKind(int kind, int bitsPerPixel, int randomValue);

    // Creates the popup window: WS_POPUP of the popups' window class (CS_SAVEBITS, arrow
    // cursor, button-face background), owned by owner, not yet visible.
    BOOL CreatePopupWindow(HWND owner, const RECT& rect, bool topmost);

    virtual LPARAM GetJoinPainterCookie() const;
    virtual bool IsDefaultJoinPainter() const { return false; }
    // A popup of a menu tracked inside another tracking is never activated, animated or sounded.
    virtual bool IsInternalPopup() const { return false; }
    virtual void InitAnimation();
    virtual void StartAnimation();
    virtual void AdjustAnimationKind(int& kind);
    virtual void ReleaseAnimationBitmaps();
    virtual bool IsShadowEnabled() const;
    virtual int GetShadowSize() const;
    virtual void PaintAnimated(CDC& dc);
    virtual void PaintContent(CDC& dc, bool final);
    virtual void GetContentRect(RECT& rect) const;
    virtual bool IsContextHelpMode() const { return false; }
    // True without doing anything when there is no window any more.
    BOOL DestroyWindow() override;

    bool IsStatic() const { return (m_animationFlags & kAnimationStatic) != 0; }

    // Keeps what the screen shows in screenRect (the popup's client area, where it is or will
    // be) as the animation's background. Called before showing, since a just-shown popup's own
    // DC may read black; the first frame captures it when nobody did.
    bool CaptureAnimationBackdrop(const RECT& screenRect);
    // Composes the frame of the current step from the background and the final image (painted
    // once by PaintContent) and paints it: what the popup menu's PaintAnimated does. joinSide is
    // the side the menu is joined on (3 and 2 turn the geometric kinds).
    void PaintAnimationFrame(CDC& dc, int joinSide);

    CRect m_excludeArea;
    CPoint m_anchor;
    BYTE m_popupFlags = 0;
    LPARAM m_joinPainterCookie = 0;
    JoinPainter m_joinPainter = nullptr;
    bool m_joinPainterEnabled = false;
    int m_animationKind;
    // Sound id played when the animation ends (CExtSoundPlayer), 0 for none.
    int m_endSound = 0;
    // Pixels of the three animation bitmaps: 32 bits, bottom-up rows of the client width.
    COLORREF* m_backgroundBits = nullptr;
    COLORREF* m_finalBits = nullptr;
    COLORREF* m_frameBits = nullptr;
    int m_step = 0;
    int m_previousStep = 0;
    BYTE m_animationFlags = 0;
    CSize m_contentSize;
    CExtDropShadow m_shadow;
    CExtDropShadow m_joinedShadow;
    CBitmap m_backgroundBitmap;
    CBitmap m_finalBitmap;
    CBitmap m_frameBitmap;

protected:
    // Timer 666: one step of the animation; the popup becomes static after it ends.
    virtual void OnAnimationTick();
    // What a click on an internal popup brings to the top of the z-order without activating
    // it; the popup menu adds its open submenus.
    virtual void RaiseChainWithoutActivation();
    // The visible items for the expand animation (kind -2): none here, so the whole area opens.
    virtual void GetExpandItems(std::vector<ExpandItem_t>& items) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // 666 steps the animation; 669 (the tip's delay) shows the popup without activating it.
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    // A click never activates a popup unless it lands on one of its child windows.
    afx_msg LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool PrepareAnimationBitmaps(int width, int height);
    void DrawGeometricFrame(CDC& dc, HDC finalDc, HDC backgroundDc, int joinSide);
    void DrawExpandFrame(CDC& dc, HDC finalDc, int joinSide);

protected:
    // The clock of the last animation tick, shared by all popups.
    static DWORD g_lastAnimationTick;
};
