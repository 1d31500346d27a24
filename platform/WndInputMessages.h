// Message-map entries for the keyboard and mouse messages that a window handles itself, with
// MFC's handler signatures: void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) and
// void OnXxx(UINT nFlags, CPoint point) for the left button and the pointer's moves.
#pragma once
#include "platform/Wnd.h"

#define AFX_KEY_ENTRY(message, memberFxn)                                                          \
    AFX_MAP_ENTRY(message, 0, 0, 0, nullptr,                                                       \
                  self.memberFxn(static_cast<UINT>(call.wParam), LOWORD(call.lParam),              \
                                 HIWORD(call.lParam)))
#define AFX_MOUSE_ENTRY(message, memberFxn)                                                        \
    AFX_MAP_ENTRY(message, 0, 0, 0, nullptr,                                                       \
                  self.memberFxn(static_cast<UINT>(call.wParam),                                   \
                                 CPoint(static_cast<short>(LOWORD(call.lParam)),                   \
                                        static_cast<short>(HIWORD(call.lParam)))))

#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
