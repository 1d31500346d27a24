// CMainFrame: the main window, a frame whose view is the communication log and whose status bar
// shows each port's state. It hands the connection threads' reports to the port engine and shows
// what the engine tells its sinks; its port commands drive the ports through the engine. It owns
// none of the application's state: the settings document, the common settings and the port
// engine belong to the application object and are handed over at construction.
//
// Not yet: the menu bar, toolbar and docked panes of the window framework, the tray icon, the
// settings commands. The send-data editor pane stands in a fixed strip on the right and the two
// script panes share a strip along the bottom; until the other panes exist, the outlet's
// operations on them do nothing.
#pragma once
#include <memory>
#include <type_traits>
#include <vector>

#include "core/CommSettings.h"
#include "core/ComCommandQueue.h"
#include "core/CommonSettings.h"
#include "core/engine/PortEngine.h"
#include "core/engine/PortSinks.h"
#include "core/log/CommLog.h"
#include "mainwnd/ColorStatusBar.h"
#include "mainwnd/ScriptDlg.h"
#include "mainwnd/LogDetailDlg.h"
#include "mainwnd/SendEditorDlg.h"
#include "platform/FrameWnd.h"

#include <commctrl.h>  // after windows.h

class CLogview;

class CMainFrame : public CFrameWnd,
                   private IPortStatusSink,
                   private IPortDataSink,
                   private ISerialPaneSink
{
public:
    static const int kPortCount = CCommSettings::kPortCount;

    // Resets the document to its defaults with the default paths. The script panes colour the
    // functions of luaModules (null for none), which must outlive the frame.
    CMainFrame(CCommSettings& settings, CCommonSettings& commonSettings, CPortEngine& ports,
               const CLuaModuleList* luaModules = nullptr);

    // Loads the document from its settings path; on failure tells the user and falls back to
    // the defaults. Otherwise the log list is rebuilt for the document's display settings (posted)
    // and the enabled ports start, Port 1 first, when the document asks for it or
    // startAllEnabledPorts is non-zero (the automatic document).
    void OpenDocument(int startAllEnabledPorts);
    // Loads the log at the document's log path into the view.
    void OpenLogFile();
    // "<document name> - Quorvex"; while no port runs, the port commands' flags start afresh
    // from the document's use-port flags (CPortEngine::ResetIdleFlags).
    void UpdateTitle();
    // Shows status string stringId with its lamp in the port's pane, then a blank and the extra
    // text.
    void SetPortStatus(int port, UINT stringId, const CString& extraText) override;
    CSendEditorDlg& GetSendEditorPane() { return m_sendEditor; }
    CLogDetailDlg& GetLogDetailPane() { return m_logDetail; }
    CScriptDlg& GetScriptPane(int port) { return *m_scriptPanes[port == 0 ? 0 : 1]; }

    // The port operations of the Start, Send and Stop commands. Start starts the port's thread
    // and leaves only Stop enabled; Send hands the send editor's bytes to every connection of
    // the port (or wakes its script); Stop asks every thread of the port to end. Send is enabled
    // once a connection of the port can take the bytes, Start once the port's thread has ended.
    void StartPort(int port);
    void SendPortData(int port);
    void StopPort(int port);

    // Stops the running ports, waiting a bounded time for their threads while handling their
    // reports, and saves the common settings before the window goes.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnPortNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSerialNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdatePortPane(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePortCommand(CCmdUI* pCmdUI);
    // The log file commands: load, save and export (CSV or text) through the file dialogs.
    afx_msg void OnLoadLog();
    afx_msg void OnSaveLog();
    afx_msg void OnExportLog();
    afx_msg void OnUpdateLoadLog(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSaveLog(CCmdUI* pCmdUI);
    afx_msg LRESULT OnSendEditorData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnScriptText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPortCommand(UINT id);
    // WM_VIEW_NOTIFY: 0 rebuilds the log list, 3 refreshes the title, others change nothing.
    afx_msg LRESULT OnViewNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAutoScroll();
    afx_msg void OnUpdateAutoScroll(CCmdUI* pCmdUI);
    // Asks first (13015); only while the log list has rows.
    afx_msg void OnClearLog();
    afx_msg void OnUpdateClearLog(CCmdUI* pCmdUI);
    // The four theme commands (32827-32830): the command's look at once, remembered as UI.
    afx_msg void OnTheme(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    // Which rule enables each port command for which port, and the port operation it runs.
    struct PortCommand
    {
        UINT id;
        int port;
        bool (CMainFrame::*enabled)(int port) const;
        void (CMainFrame::*operation)(int port);
    };
    // The port command with this id; nullptr for none.
    static const PortCommand* FindPortCommand(UINT id);

    struct IconDeleter
    {
        void operator()(HICON icon) const { ::DestroyIcon(icon); }
    };
    struct ImageListDeleter
    {
        void operator()(HIMAGELIST list) const { ::ImageList_Destroy(list); }
    };
    using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

    // What a port's pane shows; its text is its tool tip too.
    struct PortStatus
    {
        IconHandle icon;
        CString text;
    };

    // The look that the common settings name (UI), installed before any window is made.
    void InstallSavedTheme();
    // The command profile: made from the main menu and the command images, its usage state
    // loaded from the registry, saved there and unbound when the window goes.
    void AttachCommandProfile();
    void LoadCommandProfileState();
    void DetachCommandProfile();
    bool CreateView();
    bool CreateStatusBar();
    bool CreateSendEditorPane();
    bool CreateLogDetailPane();
    bool CreateScriptPanes();
    // SetPortStatus with the extra text and its blank left out when it is null.
    void ShowPortStatus(int port, UINT stringId, LPCTSTR extraText);
    // 13005 when the log is empty; whether there is something to save.
    bool HasLogToSave();
    // The enabling of the port commands.
    bool IsStartEnabled(int port) const;
    bool IsSendEnabled(int port) const;
    bool IsStopEnabled(int port) const;

    // IPortStatusSink
    void RebuildConnectionList(const std::vector<CSendQueue*>& queues) override;
    void SetDropAccepted(bool accepted) override;
    // IPortDataSink
    void AddLogRecord(CLogRecord& record) override;
    COleSafeArray GetSendEditorData() override;
    // ISerialPaneSink
    void OnComPortOpened(int pane) override;
    void OnComPortClosed(int pane) override;
    void SetComLamps(int pane, DWORD lineState) override;
    int PopComCommand(int pane) override;
    void ShowComPendingBytes(int pane, const COleSafeArray& bytes) override;

    CCommSettings& m_settings;
    CCommonSettings& m_commonSettings;
    CPortEngine& m_ports;
    // The log the view shows; the frame's, so that it outlives the view's window.
    CCommLog m_log;
    // Owned by its window, which deletes it.
    CLogview* m_view = nullptr;
    CColorStatusBar m_statusBar;
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter> m_statusImages;
    PortStatus m_portStatus[kPortCount];
    CSendEditorDlg m_sendEditor;
    CLogDetailDlg m_logDetail;
    const CLuaModuleList* m_luaModules;
    std::unique_ptr<CScriptDlg> m_scriptPanes[kPortCount];
    // What each port's COM control pane queues for its serial worker; the pane itself comes
    // with the docked panes.
    CComCommandQueue m_comCommands[kPortCount];
    // The document was loaded from a file it can be saved to.
    bool m_documentHasFile = false;
};
