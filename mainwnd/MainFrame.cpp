#include "mainwnd/MainFrame.h"

#include <iterator>

#include <shellapi.h>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "dialogs/SaveFormatDlg.h"
#include "mainwnd/Logview.h"
#include "mainwnd/PortStatusLook.h"
#include "core/SendEditorAccess.h"
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

// Which flag of which port enables each port command, and the port operation it runs.
struct PortCommand
{
    UINT id;
    int port;
    int PortFlags::*flag;
    void (CMainFrame::*operation)(int port);
};

const PortCommand kPortCommands[] = {
    {ID_PORT1_START, 0, &PortFlags::startEnabled, &CMainFrame::StartPort},
    {ID_PORT2_START, 1, &PortFlags::startEnabled, &CMainFrame::StartPort},
    {ID_PORT1_SEND, 0, &PortFlags::connected, &CMainFrame::SendPortData},
    {ID_PORT2_SEND, 1, &PortFlags::connected, &CMainFrame::SendPortData},
    {ID_PORT1_STOP, 0, &PortFlags::running, &CMainFrame::StopPort},
    {ID_PORT2_STOP, 1, &PortFlags::running, &CMainFrame::StopPort},
};
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
    ON_COMMAND_RANGE(ID_PORT1_START, ID_PORT2_SEND, OnPortCommand)
END_MESSAGE_MAP()

CMainFrame::CMainFrame(CCommSettings& settings, CCommonSettings& commonSettings,
                       std::span<CPortContext, kPortCount> portContexts)
    : m_settings(settings), m_commonSettings(commonSettings),
      m_hub(settings, portContexts, *this), m_sendEditor(commonSettings),
      m_engine(settings, portContexts)
{
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
    m_hub.SetNotifyWindow(m_hWnd);

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
    if (!CreateSendEditorPane())
        return -1;

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
    m_view->SetSettings(&m_settings, &m_commonSettings);
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

void CMainFrame::UpdateTitle()
{
    CString programName;
    LoadResourceString(IDR_MAINFRAME, programName);
    SetWindowText(m_settings.m_name + " - " + programName);

    if (m_hub.GetFlags(0).running || m_hub.GetFlags(1).running)
        return;
    for (int port = 0; port < kPortCount; ++port)
        m_hub.GetFlags(port) = PortFlags{m_settings.m_usePort[port], 0, 0};
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
    if (m_documentHasFile)
        m_sendEditor.GetHexEdit().SetData(m_settings.m_sendEditorData);
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

bool CMainFrame::IsAnyPortRunning()
{
    return m_hub.GetFlags(0).running || m_hub.GetFlags(1).running;
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
    pCmdUI->Enable(!IsAnyPortRunning());
}

void CMainFrame::OnUpdateSaveLog(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_view->GetRecordCount() > 0 && !IsAnyPortRunning());
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

void CMainFrame::OnUpdatePortCommand(CCmdUI* pCmdUI)
{
    for (const PortCommand& command : kPortCommands) {
        if (command.id == pCmdUI->m_nID)
            pCmdUI->Enable(m_hub.GetFlags(command.port).*command.flag);
    }
}

void CMainFrame::OnPortCommand(UINT id)
{
    for (const PortCommand& command : kPortCommands) {
        if (command.id == id)
            (this->*command.operation)(command.port);
    }
}

void CMainFrame::StartPort(int port)
{
    if (m_engine.StartPort(port, m_hWnd)) {
        m_hub.GetFlags(port) = PortFlags{0, 0, 1};
        return;
    }
    // A type that starts nothing, or a thread that cannot be made: no thread will ever report
    // an end, so the port stays startable instead of waiting for one with only Stop enabled.
    m_engine.Context(port).m_port = -1;
}

void CMainFrame::SendPortData(int port)
{
    m_engine.SendPortData(port, m_hub.GetQueues(), GetSendEditorData());
}

void CMainFrame::StopPort(int port)
{
    m_engine.StopPort(port);
    m_hub.GetFlags(port).running = 0;
}

LRESULT CMainFrame::OnPortNotify(WPARAM wParam, LPARAM lParam)
{
    return m_hub.OnPortNotify(wParam, lParam);
}

LRESULT CMainFrame::OnSerialNotify(WPARAM wParam, LPARAM lParam)
{
    return m_hub.OnSerialNotify(wParam, lParam);
}

void CMainFrame::AddLogRecord(const CLogRecord& record)
{
    // The view numbers the record it is given; the sender's record stays as it was.
    CLogRecord copy(record);
    m_view->AddRecord(copy, true);
}

void CMainFrame::SetDropAccepted(bool accepted)
{
    ::DragAcceptFiles(m_view->m_hWnd, accepted);
}

// The connection-status and COM control panes do not exist yet: their operations have nothing
// to act on.
void CMainFrame::RebuildConnectionList(std::vector<CSendQueue*>)
{
}

COleSafeArray CMainFrame::GetSendEditorData()
{
    COleSafeArray data;
    return m_sendEditor.GetHexEdit().GetData(data);
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

bool CMainFrame::StartPortThread(int port, int connectionType)
{
    return m_engine.StartPortThread(port, connectionType);
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

int CMainFrame::PopComCommand(int)
{
    return 0;
}

void CMainFrame::ShowComPendingBytes(int, const COleSafeArray&)
{
}

BOOL CMainFrame::DestroyWindow()
{
    // As the Stop command would, so that no thread is restarted; the threads' reports are still
    // shown while the wait handles them. Winsock ends only after the window has gone.
    for (int port = 0; port < kPortCount; ++port)
        m_hub.GetFlags(port).running = 0;
    m_engine.StopAllPorts(kPortShutdownWaitMs);
    m_commonSettings.Save(*AfxGetApp());
    return CFrameWnd::DestroyWindow();
}
