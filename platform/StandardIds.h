// Command, control, string and private message numbers that the layer gives a meaning to. Plain
// #defines only, so that resource scripts can include this file too.
#pragma once
#include "platform/WindowLayer.h"

// Commands and indicators.
#define ID_SEPARATOR 0
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_KANA 0xE706
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C

// Child window ids inside a frame.
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PANE_FIRST 0xE900

// Private window messages of the layer.
#define WM_SIZEPARENT 0x0361
#define WM_IDLEUPDATECMDUI 0x0363
// A control's own copy of a notification it sent to its parent is this base plus the message.
#define WM_REFLECT_BASE 0xBC00
