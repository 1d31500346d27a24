// Resource and command ids of the main window. Plain #defines only, so that Quorvex.rc includes
// this file too. The window layer's own ids (ID_APP_ABOUT 57664, ID_APP_EXIT 57665, the CAP, NUM,
// SCRL and kana indicators 59137, 59138, 59139 and 59142) come from platform/StandardIds.h.
#pragma once
#include "platform/StandardIds.h"

// Resources.
#define IDR_MAINFRAME 128          // menu, accelerators, icon and title string "Quorvex"
#define IDB_PORT_STATUS 140        // six 16x16 port status lamps
#define IDR_COMMAND_IMAGES 191     // toolbar resource and strip: the main commands' 16x16 images
#define IDR_LOG_CONTEXT_MENU 172   // the log view's context menu
#define IDD_SAVE_FORMAT 248        // the export's save-format dialog

// Pane captions.
#define IDS_PANE_SEND_EDITOR 61220
#define IDS_PANE_DETAIL_LOG 61221
#define IDS_TOOLBAR_CAPTION 61222
#define IDS_PANE_CONNECTIONS 61226 // also a port status id, one that shows no text
#define IDS_PANE_SEND_EXPLORER 61231
#define IDS_PANE_COM_CONTROL1 61232
#define IDS_PANE_COM_CONTROL2 61233
#define IDS_PANE_SCRIPT1 61236
#define IDS_PANE_SCRIPT2 61237

// Port status texts (CMainFrame::SetPortStatus).
#define IDS_STATUS_TRYING 61224
#define IDS_STATUS_CONNECTED 61225
#define IDS_STATUS_ACCEPTING 61227
#define IDS_STATUS_WAITING 61228
#define IDS_STATUS_NONE 61229
#define IDS_STATUS_ACCEPTING_CLIENTS 61230

// Status bar panes; the indicator ids are also their texts' string ids.
#define ID_INDICATOR_PORT1 59143
#define ID_INDICATOR_PORT2 59144
#define IDS_PORT_TIP_NONE 59145

// File menu.
#define ID_FILE_NEW_SETTINGS 32800
#define ID_FILE_OPEN_SETTINGS 32801
#define ID_FILE_SAVE_SETTINGS 32802
#define ID_FILE_SAVE_SETTINGS_AS 32803
#define ID_FILE_LOAD_LOG 32813
#define ID_FILE_SAVE_LOG 32814
#define ID_FILE_EXPORT_LOG_TEXT 32894

// Settings menu.
#define ID_SETTINGS_COMM 32811
#define ID_SETTINGS_OTHER 32816
#define ID_SETTINGS_TOPMOST 32825
#define ID_SETTINGS_AUTO_SCROLL 32817
#define ID_SETTINGS_CLEAR_LOG 32810
#define ID_SETTINGS_FILE_ASSOCIATION 32812

// Communication menu.
#define ID_PORT1_START 32804
#define ID_PORT2_START 32805
#define ID_PORT1_STOP 32806
#define ID_PORT2_STOP 32807
#define ID_PORT1_SEND 32808
#define ID_PORT2_SEND 32809

// Tools menu.
#define ID_TOOL_PACKET_CAPTURE 32882
#define ID_TOOL_COMMAND 32826
#define ID_TOOL_SOCKET_ERRORS 32815
#define ID_TOOL_COM 32831

// View menu: the bars (each command id is also the bar's child id) and the themes.
#define ID_TOGGLE_TOOLBAR AFX_IDW_TOOLBAR       // 59392
#define ID_TOGGLE_STATUS_BAR AFX_IDW_STATUS_BAR // 59393
#define ID_VIEW_SEND_EDITOR 32772
#define ID_VIEW_DETAIL_LOG 32774
#define ID_VIEW_CONNECTIONS 32776
#define ID_VIEW_SEND_EXPLORER 32777
#define ID_VIEW_COM_CONTROL1 32860
#define ID_VIEW_COM_CONTROL2 32861
#define ID_VIEW_SCRIPT1 32898
#define ID_VIEW_SCRIPT2 32899
#define ID_THEME_STUDIO2005 32827
#define ID_THEME_OFFICE2003 32828
#define ID_THEME_XP 32829
#define ID_THEME_OFFICE2000 32830

// Help menu (and the tray menu's show-window command).
#define ID_HELP_SUPPORT_PAGE 32832
#define ID_WINDOW_SHOW 32856

// Log view context menu.
#define ID_LOG_PROPERTIES 32820

// Save-format dialog.
#define IDC_SAVE_FORMAT_CSV 1006
#define IDC_SAVE_FORMAT_TEXT 1007
// Send-data editor pane: its dialog, its editor, and the editing commands of the hex views.
#define IDD_SEND_EDITOR 130
#define IDC_HEX_EDITOR 1000
#define ID_HEX_UNDO 32848
#define ID_HEX_REDO 32888
#define ID_HEX_SELECT_ALL 32853
#define ID_HEX_COPY 32849
#define ID_HEX_CUT 32850
#define ID_HEX_PASTE 32851
#define ID_HEX_DATA_CLEAR 32858
#define ID_HEX_DATA_ANALYSIS 32845
#define ID_HEX_MARKER 32889
#define ID_HEX_MARKER_INFO 32890
#define ID_HEX_READ_FILE 32842
#define ID_HEX_SAVE 32846
#define ID_HEX_SAVE_AS 32857
#define ID_HEX_TEXT_INPUT 32847
#define ID_HEX_SEND_TO_EDITOR 32834
#define ID_HEX_PROPERTIES 32852
// The hex views' context menus: the send-data editor's, and the read-only views'.
#define IDR_HEX_SEND_MENU 141
#define IDR_HEX_VIEW_MENU 169
// The detailed-log pane: its dialog, its dump view and its text box.
#define IDD_LOG_DETAIL 142
#define IDC_LOG_DETAIL_DUMP 1000
#define IDC_LOG_DETAIL_TEXT 1005
// Data-analysis dialog.
#define IDD_DATA_ANALYSIS 180
#define IDC_DATA_ANALYSIS_TEXT 1018
// Marker settings dialog.
#define IDD_MARKER_SETTING 236
#define IDC_MARKER_COMMENT 1000
#define IDC_MARKER_TEXT_COLOR 1093
#define IDC_MARKER_BACK_COLOR 1094
// Marker information dialog: the marker list and its buttons.
#define IDD_MARKER_INFO 238
#define IDC_MARKER_EDIT 1112
#define IDC_MARKER_DELETE 1113
#define IDC_MARKER_UP 1114
#define IDC_MARKER_DOWN 1115
#define IDC_MARKER_DELETE_ALL 1116
#define IDC_MARKER_LOAD 1117
#define IDC_MARKER_SAVE 1118
#define IDC_MARKER_LIST 1119
// The script editor: its accelerators and context menu.
#define IDR_COLOREDIT_ACCEL 246
#define IDR_COLOREDIT_MENU 247
// The script panes: their dialog, editor and caption line, and their commands.
#define IDD_SCRIPT 245
#define IDC_SCRIPT_EDITOR 101
#define IDC_SCRIPT_CAPTION 1125
#define ID_SCRIPT_CLEAR 32858
#define ID_SCRIPT_OPEN 32842
#define ID_SCRIPT_SAVE 32846
#define ID_SCRIPT_SAVE_AS 32857
