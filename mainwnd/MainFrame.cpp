#include "mainwnd/MainFrame.h"

#include <iterator>

#include <shellapi.h>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "core/SendEditorAccess.h"
#include "dialogs/SaveFormatDlg.h"
#include "mainwnd/Logview.h"
#include "mainwnd/PortStatusLook.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringResource.h"
#include "platform/WinApp.h"
#include "res/resource.h"

namespace {

// How long closing the window waits for the threads of running ports to end.
const DWORD kPortShutdownWaitMs = 10000;

const UINT kIndicators[] = {
    ID_SEPARATOR,       ID_INDICATOR_PORT1, ID_INDICATOR_PORT2, ID_INDICATOR_KANA,
    ID_INDICATOR_CAPS, ID_INDICATOR_NUM,   ID_INDICATOR_SCRL,
};
const UINT kIndicatorTips[] = {0, IDS_PORT_TIP_NONE, IDS_PORT_TIP_NONE, 0, 0, 0, 0};
const HICON kIndicatorIcons[std::size(kIndicators)] = {};
static_assert(std::size(kIndicatorTips) == std::size(kIndicators));

// The status lamps of bitmap IDB_PORT_STATUS: six 16x16 images on black.
const int kLampSize = 16;
const int kLampCount = 6;
const int kLampListGrowth = 16;

const UINT kStartCommands[] = {ID_PORT1_START, ID_PORT2_START};

UINT IndicatorOfPort(int port)
{
    return port == 0 ? ID_INDICATOR_PORT1 : ID_INDICATOR_PORT2;
}

// A kind of log file: its dialogs' default extension (without the dot, which Wine would
// double) and filter, and the document's default path for it.
struct LogFileKind
{
    LPCTSTR extension;
    LPCTSTR filter;
    CString CCommSettings::*path;
};

const LogFileKind kLogFile = {
    "qvl", "Quorvex Log file(*.qvl)|*.qvl|All Files(*.*)|*.*||", &CCommSettings::m_logPath};
const LogFileKind kCsvFile = {
    "csv", "Quorvex Log file(*.csv)|*.csv|All Files(*.*)|*.*||", &CCommSettings::m_csvPath};
const LogFileKind kTextFile = {
    "txt", "Quorvex Log file(*.txt)|*.txt|All Files(*.*)|*.*||", &CCommSettings::m_textPath};
const DWORD kSaveDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// Asks for a file of the kind, starting from the document's default path of that kind, which
// the chosen path replaces; false when the dialog was cancelled.
bool ChooseLogFile(const LogFileKind& kind, CCommSettings& settings, BOOL openFileDialog,
                   DWORD flags)
{
    CFileDialog dialog(openFileDialog, kind.extension, settings.*kind.path, flags, kind.filter);
    if (dialog.DoModal() != IDOK)
        return false;
    settings.*kind.path = dialog.GetPathName();
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_PORT_NOTIFY, OnPortNotify)
    ON_MESSAGE(WM_SERIAL_NOTIFY, OnSerialNotify)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_PORT1, OnUpdatePortPane)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_PORT2, OnUpdatePortPane)
    ON_UPDATE_COMMAND_UI(ID_PORT1_START, OnUpdatePortCommand)
    ON_UPDATE_COMMAND_UI(ID_PORT2_START, OnUpdatePortCommand)
    ON_UPDATE_COMMAND_UI(ID_PORT1_SEND, OnUpdatePortCommand)
    ON_UPDATE_COMMAND_UI(ID_PORT2_SEND, OnUpdatePortCommand)
    ON_UPDATE_COMMAND_UI(ID_PORT1_STOP, OnUpdatePortCommand)
    ON_UPDATE_COMMAND_UI(ID_PORT2_STOP, OnUpdatePortCommand)
    ON_COMMAND(ID_FILE_LOAD_LOG, OnLoadLog)
    ON_COMMAND(ID_FILE_SAVE_LOG, OnSaveLog)
    ON_COMMAND(ID_FILE_EXPORT_LOG_TEXT, OnExportLog)
    ON_UPDATE_COMMAND_UI(ID_FILE_LOAD_LOG, OnUpdateLoadLog)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_LOG, OnUpdateSaveLog)
    ON_UPDATE_COMMAND_UI(ID_FILE_EXPORT_LOG_TEXT, OnUpdateSaveLog)
    ON_MESSAGE(WM_SEND_EDITOR_DATA, OnSendEditorData)
    ON_MESSAGE(WM_SCRIPT_TEXT, OnScriptText)
    ON_COMMAND_RANGE(ID_PORT1_START, ID_PORT2_SEND, OnPortCommand)
    ON_MESSAGE(WM_VIEW_NOTIFY, OnViewNotify)
    ON_COMMAND(ID_SETTINGS_AUTO_SCROLL, OnAutoScroll)
    ON_UPDATE_COMMAND_UI(ID_SETTINGS_AUTO_SCROLL, OnUpdateAutoScroll)
    ON_COMMAND(ID_SETTINGS_CLEAR_LOG, OnClearLog)
    ON_UPDATE_COMMAND_UI(ID_SETTINGS_CLEAR_LOG, OnUpdateClearLog)
    ON_COMMAND_RANGE(ID_THEME_STUDIO2005, ID_THEME_OFFICE2000, OnTheme)
END_MESSAGE_MAP()

CMainFrame::CMainFrame(CCommSettings& settings, CCommonSettings& commonSettings,
                       CPortEngine& ports, const CLuaModuleList* luaModules)
    : m_settings(settings), m_commonSettings(commonSettings), m_ports(ports),
      m_log(settings, commonSettings), m_sendEditor(commonSettings), m_logDetail(commonSettings),
      m_luaModules(luaModules),
      m_comCommands{CComCommandQueue(0), CComCommandQueue(1)}
{
    InstallSavedTheme();
    m_settings.SetDefaults(1);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The log view fills the client area and draws its own edge.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const HICON icon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    m_ports.SetNotifyWindow(m_hWnd);
    m_ports.SetSinks({this, this, this});
    AttachCommandProfile();

    if (!CreateView())
        return -1;

    m_statusImages.reset(::ImageList_Create(kLampSize, kLampSize, ILC_COLOR24 | ILC_MASK,
                                            kLampCount, kLampListGrowth));
    const HBITMAP lamps = ::LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_PORT_STATUS));
    ::ImageList_AddMasked(m_statusImages.get(), lamps, RGB(0, 0, 0));
    ::DeleteObject(lamps);
    if (!CreateStatusBar())
        return -1;
    // Once the bar exists, so that its port panes never show their indicator names.
    for (int port = 0; port < kPortCount; ++port)
        ShowPortStatus(port, IDS_STATUS_NONE, nullptr);
    if (!CreateSendEditorPane() || !CreateLogDetailPane() || !CreateScriptPanes())
        return -1;

    LoadCommandProfileState();
    m_documentHasFile = false;
    UpdateTitle();
    m_view->Clear();
    RecalcLayout();
    return 0;
}

bool CMainFrame::CreateView()
{
    // The view reads the settings from its creation on, so it is made here rather than from a
    // creation context.
    m_view = new CLogview;
    m_view->SetLog(&m_log);
    if (!m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(), this,
                        AFX_IDW_PANE_FIRST)) {
        m_view = nullptr;  // it deleted itself
        return false;
    }
    SetActiveView(m_view);
    return true;
}

bool CMainFrame::CreateStatusBar()
{
    return m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) &&
           m_statusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)),
                                     kIndicatorTips, kIndicatorIcons);
}

bool CMainFrame::CreateSendEditorPane()
{
    if (!m_sendEditor.Create(this, ID_VIEW_SEND_EDITOR))
        return false;
    // Laid out after the status bar, so that the strip stands above it.
    ::SetWindowPos(m_sendEditor.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_sendEditor.ShowWindow(SW_SHOW);
    return true;
}

bool CMainFrame::CreateLogDetailPane()
{
    if (!m_logDetail.Create(this, ID_VIEW_DETAIL_LOG))
        return false;
    // Laid out after the send editor's strip: it takes the bottom of what the log view has left.
    ::SetWindowPos(m_logDetail.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_logDetail.ShowWindow(SW_SHOW);
    m_view->SetDetailWindow(m_logDetail.m_hWnd);
    return true;
}

bool CMainFrame::CreateScriptPanes()
{
    static const UINT kPaneIds[kPortCount] = {ID_VIEW_SCRIPT1, ID_VIEW_SCRIPT2};
    static const UINT kCaptions[kPortCount] = {IDS_PANE_SCRIPT1, IDS_PANE_SCRIPT2};
    for (int port = 0; port < kPortCount; ++port) {
        auto& pane = m_scriptPanes[port];
        pane = std::make_unique<CScriptDlg>(port, m_luaModules);
        if (!pane->Create(this, kPaneIds[port]))
            return false;
        // Laid out after the send editor's strip, Port 1 first: both share one bottom strip.
        ::SetWindowPos(pane->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        CString caption;
        LoadResourceString(kCaptions[port], caption);
        pane->SetCaptionWindow(caption, pane->GetCaptionLine());
        pane->ShowWindow(SW_SHOW);
    }
    return true;
}

void CMainFrame::UpdateTitle()
{
    CString programName;
    LoadResourceString(IDR_MAINFRAME, programName);
    SetWindowText(m_settings.m_name + " - " + programName);

    m_ports.ResetIdleFlags();
}

void CMainFrame::OpenDocument(int startAllEnabledPorts)
{
    m_documentHasFile = true;
    if (m_settings.Load() != 0) {
        AfxMessageBox(GetMessageText(MSG_DOCUMENT_LOAD_FAILED), MB_OK | MB_ICONSTOP);
        m_settings.SetDefaults(1);
        m_documentHasFile = false;
        UpdateTitle();
        return;
    }
    if (m_documentHasFile) {
        m_sendEditor.GetHexEdit().SetData(m_settings.m_sendEditorData);
        m_sendEditor.GetHexEdit().SetMarkerBytes(m_settings.m_sendEditorMarkers);
        m_logDetail.GetHexView().SetMarkerBytes(m_settings.m_detailDumpMarkers);
        for (int port = 0; port < kPortCount; ++port)
            m_scriptPanes[port]->SetScriptText(m_settings.m_scriptText[port]);
    }
    PostMessage(WM_VIEW_NOTIFY, VIEW_NOTIFY_REBUILD_LIST);
    UpdateTitle();
    if (!startAllEnabledPorts && !m_settings.m_startOnLoad)
        return;
    for (int port = 0; port < kPortCount; ++port) {
        // Through the command, as the user would start it.
        if (m_settings.m_usePort[port])
            SendMessage(WM_COMMAND, kStartCommands[port]);
    }
}

void CMainFrame::OpenLogFile()
{
    m_view->LoadLogFile(m_settings.m_logPath);
}

bool CMainFrame::HasLogToSave()
{
    if (m_view->GetRecordCount() > 0)
        return true;
    AfxMessageBox(GetMessageText(MSG_NO_LOG_DATA), MB_OK);
    return false;
}

void CMainFrame::OnLoadLog()
{
    if (ChooseLogFile(kLogFile, m_settings, TRUE, OFN_FILEMUSTEXIST))
        OpenLogFile();
}

void CMainFrame::OnSaveLog()
{
    if (HasLogToSave() && ChooseLogFile(kLogFile, m_settings, FALSE, kSaveDialogFlags))
        m_view->SaveLogFile(m_settings.m_logPath);
}

void CMainFrame::OnExportLog()
{
    if (!HasLogToSave())
        return;
    CSaveFormatDlg format;
    if (format.DoModal() != IDOK)
        return;
    if (format.m_saveFormat == SAVE_FORMAT_TEXT) {
        if (ChooseLogFile(kTextFile, m_settings, FALSE, kSaveDialogFlags))
            m_view->ExportText(m_settings.m_textPath);
    } else if (ChooseLogFile(kCsvFile, m_settings, FALSE, kSaveDialogFlags)) {
        m_view->ExportCsv(m_settings.m_csvPath);
    }
}

void CMainFrame::OnUpdateLoadLog(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_ports.IsAnyPortRunning());
}

void CMainFrame::OnUpdateSaveLog(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_view->GetRecordCount() > 0 && !m_ports.IsAnyPortRunning());
}

void CMainFrame::SetPortStatus(int port, UINT stringId, const CString& extraText)
{
    ShowPortStatus(port, stringId, extraText);
}

void CMainFrame::ShowPortStatus(int port, UINT stringId, LPCTSTR extraText)
{
    const PortStatusLook look = LookUpPortStatus(stringId, extraText);
    PortStatus& status = m_portStatus[port == 0 ? 0 : 1];
    status.text = look.text;
    // Destroyed on return, once the bar shows the new icon instead.
    IconHandle previous = std::move(status.icon);
    status.icon.reset(::ImageList_GetIcon(m_statusImages.get(), look.iconIndex, ILD_NORMAL));
    const int pane = m_statusBar.CommandToIndex(IndicatorOfPort(port));
    if (pane < 0)
        return;
    m_statusBar.SetPaneTextFitted(pane, status.text);
    m_statusBar.SetPaneIcon(pane, status.icon.get());
}

void CMainFrame::OnUpdatePortPane(CCmdUI* pCmdUI)
{
    CColorStatusCmdUI* pane = CColorStatusCmdUI::FromCmdUI(pCmdUI);
    if (!pane) {
        pCmdUI->ContinueRouting();
        return;
    }
    const PortStatus& status = m_portStatus[pCmdUI->m_nID == ID_INDICATOR_PORT1 ? 0 : 1];
    pane->SetIcon(status.icon.get());
    pane->SetText(status.text);
    pane->SetTipText(status.text);
}

const CMainFrame::PortCommand* CMainFrame::FindPortCommand(UINT id)
{
    static const PortCommand commands[] = {
        {ID_PORT1_START, 0, &CMainFrame::IsStartEnabled, &CMainFrame::StartPort},
        {ID_PORT2_START, 1, &CMainFrame::IsStartEnabled, &CMainFrame::StartPort},
        {ID_PORT1_SEND, 0, &CMainFrame::IsSendEnabled, &CMainFrame::SendPortData},
        {ID_PORT2_SEND, 1, &CMainFrame::IsSendEnabled, &CMainFrame::SendPortData},
        {ID_PORT1_STOP, 0, &CMainFrame::IsStopEnabled, &CMainFrame::StopPort},
        {ID_PORT2_STOP, 1, &CMainFrame::IsStopEnabled, &CMainFrame::StopPort},
    };
    for (const PortCommand& command : commands) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

void CMainFrame::OnUpdatePortCommand(CCmdUI* pCmdUI)
{
    if (const PortCommand* command = FindPortCommand(pCmdUI->m_nID))
        pCmdUI->Enable((this->*command->enabled)(command->port));
}

void CMainFrame::OnPortCommand(UINT id)
{
    if (const PortCommand* command = FindPortCommand(id))
        (this->*command->operation)(command->port);
}

bool CMainFrame::IsStartEnabled(int port) const
{
    return m_ports.GetFlags(port).startEnabled != 0;
}

bool CMainFrame::IsSendEnabled(int port) const
{
    return m_ports.CanSend(port);
}

bool CMainFrame::IsStopEnabled(int port) const
{
    return m_ports.GetFlags(port).running != 0;
}

void CMainFrame::StartPort(int port)
{
    m_ports.StartPort(port);
}

void CMainFrame::SendPortData(int port)
{
    m_ports.SendPortData(port, GetSendEditorData());
}

void CMainFrame::StopPort(int port)
{
    m_ports.StopPort(port);
}

LRESULT CMainFrame::OnPortNotify(WPARAM wParam, LPARAM lParam)
{
    return m_ports.OnPortNotify(wParam, lParam);
}

LRESULT CMainFrame::OnSerialNotify(WPARAM wParam, LPARAM lParam)
{
    return m_ports.OnSerialNotify(wParam, lParam);
}

void CMainFrame::AddLogRecord(CLogRecord& record)
{
    // The sender's record gets its sequence number; the log keeps its own copy.
    m_view->AddRecord(record, true);
}

void CMainFrame::SetDropAccepted(bool accepted)
{
    ::DragAcceptFiles(m_view->m_hWnd, accepted);
}

// The connection-status and COM control panes do not exist yet: their operations have nothing
// to act on.
void CMainFrame::RebuildConnectionList(const std::vector<CSendQueue*>&)
{
}

COleSafeArray CMainFrame::GetSendEditorData()
{
    COleSafeArray data;
    return m_sendEditor.GetHexEdit().GetData(data);
}

LRESULT CMainFrame::OnScriptText(WPARAM wParam, LPARAM lParam)
{
    GetScriptPane(static_cast<int>(wParam)).GetScriptText(*reinterpret_cast<COleSafeArray*>(lParam));
    return 0;
}

LRESULT CMainFrame::OnSendEditorData(WPARAM wParam, LPARAM lParam)
{
    auto* data = reinterpret_cast<COleSafeArray*>(lParam);
    CHexEdit& editor = m_sendEditor.GetHexEdit();
    if (wParam == SEND_EDITOR_WRITE)
        return editor.SetData(*data);
    editor.GetData(*data);
    return 0;
}

void CMainFrame::OnComPortOpened(int)
{
}

void CMainFrame::OnComPortClosed(int)
{
}

void CMainFrame::SetComLamps(int, DWORD)
{
}

int CMainFrame::PopComCommand(int pane)
{
    return m_comCommands[pane].Pop();
}

void CMainFrame::ShowComPendingBytes(int, const COleSafeArray&)
{
}

BOOL CMainFrame::DestroyWindow()
{
    // The threads' reports are still shown while the wait handles them. A thread that is still
    // running afterwards is waited for by the engine's end; Winsock ends only after that.
    m_ports.StopAllPorts(kPortShutdownWaitMs);
    m_ports.SetSinks({});
    DetachCommandProfile();
    m_commonSettings.Save(*AfxGetApp());
    return CFrameWnd::DestroyWindow();
}

LRESULT CMainFrame::OnViewNotify(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case VIEW_NOTIFY_REBUILD_LIST:
        m_view->RebuildList();
        break;
    case VIEW_NOTIFY_TITLE:
        UpdateTitle();
        break;
    }
    return 0;
}

void CMainFrame::OnAutoScroll()
{
    m_commonSettings.m_autoScroll = !m_commonSettings.m_autoScroll;
}

void CMainFrame::OnUpdateAutoScroll(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_commonSettings.m_autoScroll ? 1 : 0);
}

void CMainFrame::OnClearLog()
{
    // Stored records without a row (hidden by the display bits) give nothing to clear.
    if (m_view->GetListCtrl().GetItemCount() == 0)
        return;
    if (AfxMessageBox(GetMessageText(MSG_CONFIRM_LOG_CLEAR), MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        m_view->Clear();
}

void CMainFrame::OnUpdateClearLog(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_view->GetListCtrl().GetItemCount() > 0);
}
