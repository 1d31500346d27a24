#include "framework/menus/PopupBaseWnd.h"

#include <cstdlib>

#include "framework/menus/SoundPlayer.h"
#include "framework/paint/PaintManagerHolder.h"
#include "platform/MessageMap.h"

PopupOptions_t g_PopupOptions;
DWORD CExtPopupBaseWnd::g_lastAnimationTick = 0;

IMPLEMENT_DYNCREATE(CExtPopupBaseWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
    ON_MESSAGE(WM_NCPAINT, OnNcPaint)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
END_MESSAGE_MAP()

CExtPopupBaseWnd::CExtPopupBaseWnd()
    : m_animationKind(g_PopupOptions.m_defaultAnimation), m_contentSize(1, 1)
{
}

CExtPopupBaseWnd::~CExtPopupBaseWnd()
{
    ReleaseAnimationBitmaps();
}

int CExtPopupBaseWnd::ResolveAnimationKind(int kind, int bitsPerPixel, int randomValue)
{
    if (kind < kAnimationExpand || kind > kAnimationHoles)
        kind = kAnimationNone;
    if (kind == kAnimationRandom) {
        kind = randomValue % 11;
        if (kind == kAnimationNone || kind == kAnimationRandom)
            kind = kAnimationFade;
    }
    if (bitsPerPixel <= 8 && kind != kAnimationInstant && kind != kAnimationExpand)
        kind = kAnimationNone;
    return kind;
}

BOOL CExtPopupBaseWnd::CreatePopupWindow(HWND owner, const RECT& rect, bool topmost)
{
    LPCTSTR className = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW),
                                            ::GetSysColorBrush(COLOR_BTNFACE));
    return CreateEx(topmost ? WS_EX_TOPMOST : 0, className, "", WS_POPUP, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, owner, nullptr);
}

LPARAM CExtPopupBaseWnd::GetJoinPainterCookie() const
{
    return m_joinPainterEnabled ? m_joinPainterCookie : 0;
}

void CExtPopupBaseWnd::InitAnimation()
{
    m_step = 0;
    m_previousStep = 0;
    int kind = m_animationKind;
    AdjustAnimationKind(kind);
    m_animationKind =
        ResolveAnimationKind(kind, g_PaintManager.ScreenBitsPerPixel(), std::rand());
    if (m_animationKind == kAnimationNone)
        m_animationFlags |= kAnimationStatic;
    else
        m_animationFlags &= ~kAnimationStatic;
}

void CExtPopupBaseWnd::StartAnimation()
{
    InitAnimation();
    if (m_animationKind == kAnimationNone)
        return;
    ::SetTimer(m_hWnd, kTimerAnimation, kAnimationPeriodMs, nullptr);
    g_lastAnimationTick = ::GetTickCount();
}

void CExtPopupBaseWnd::AdjustAnimationKind(int&)
{
}

void CExtPopupBaseWnd::ReleaseAnimationBitmaps()
{
    m_backgroundBitmap.DeleteObject();
    m_finalBitmap.DeleteObject();
    m_frameBitmap.DeleteObject();
    m_backgroundBits = nullptr;
    m_finalBits = nullptr;
    m_frameBits = nullptr;
}

bool CExtPopupBaseWnd::IsShadowEnabled() const
{
    return g_PopupOptions.m_shadows != 0;
}

int CExtPopupBaseWnd::GetShadowSize() const
{
    return IsShadowEnabled() ? g_PaintManager->GetMenuShadowSize() : 0;
}

void CExtPopupBaseWnd::PaintAnimated(CDC& dc)
{
    PaintContent(dc, true);
}

void CExtPopupBaseWnd::PaintContent(CDC&, bool)
{
}

void CExtPopupBaseWnd::GetContentRect(RECT& rect) const
{
    GetClientRect(&rect);
}

BOOL CExtPopupBaseWnd::DestroyWindow()
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return TRUE;
    return CWnd::DestroyWindow();
}

void CExtPopupBaseWnd::OnAnimationTick()
{
    bool ended = m_animationKind == kAnimationInstant;
    if (!ended) {
        m_previousStep = m_step;
        m_step += kAnimationStepPercent;
        ended = m_step > 100;
    }
    if (ended) {
        m_animationFlags |= kAnimationStatic;
        if (!IsInternalPopup()) {
            g_SoundPlayer->PlaySound(m_endSound);
            m_endSound = CExtSoundPlayer::kSoundNone;
        }
        ::KillTimer(m_hWnd, kTimerAnimation);
        m_animationKind = g_PopupOptions.m_defaultAnimation;
        ReleaseAnimationBitmaps();
    } else {
        Invalidate(FALSE);
    }
    g_lastAnimationTick = ::GetTickCount();
}

void CExtPopupBaseWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    if (hdc && IsWindowVisible()) {
        CExtPaintManager::ExcludeChildAreas(hdc, m_hWnd);
        CDC dc(hdc);
        if (IsStatic())
            PaintContent(dc, true);
        else
            PaintAnimated(dc);
    }
    ::EndPaint(m_hWnd, &ps);
}

BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CExtPopupBaseWnd::OnSize(UINT, int, int)
{
    Default();
    Invalidate(FALSE);
}

void CExtPopupBaseWnd::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kTimerAnimation:
        if (!IsStatic())
            OnAnimationTick();
        break;
    case kTimerTipDelay:
        ::KillTimer(m_hWnd, kTimerTipDelay);
        ShowWindow(SW_SHOWNA);
        Invalidate(FALSE);
        ::UpdateWindow(m_hWnd);
        break;
    default:
        Default();
        break;
    }
}

LRESULT CExtPopupBaseWnd::OnNcCalcSize(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CExtPopupBaseWnd::OnNcPaint(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CExtPopupBaseWnd::OnMouseActivate(WPARAM, LPARAM)
{
    if (IsInternalPopup()) {
        RaiseChainWithoutActivation();
        return MA_NOACTIVATE;
    }
    POINT cursor;
    ::GetCursorPos(&cursor);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        if (::IsWindowVisible(child) && ::GetWindowRect(child, &rect) &&
            ::PtInRect(&rect, cursor))
            return MA_ACTIVATE;
    }
    return MA_NOACTIVATEANDEAT;
}

void CExtPopupBaseWnd::RaiseChainWithoutActivation()
{
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
}

LRESULT CExtPopupBaseWnd::OnSetCursor(WPARAM, LPARAM)
{
    if (IsContextHelpMode()) {
        ::SetCursor(::LoadCursor(nullptr, IDC_HELP));
        return TRUE;
    }
    return Default();
}
