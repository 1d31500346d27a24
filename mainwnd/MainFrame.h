// CMainFrame: the main window, a frame whose view is the communication log and whose status bar
// shows each port's state. It handles the connection threads' reports through CPortNotifyHub and
// serves the hub as its outlet; its port commands drive the ports through CPortEngine, which it
// owns. It owns nothing else of the application's state: the settings
// document, the common settings and the port contexts belong to the application object and are
// handed over at construction.
//
// Not yet: the menu bar, toolbar and docked panes of the window framework, the tray icon, the
// settings commands. The send-data editor pane stands in a fixed strip on the right; until the
// other panes exist, the outlet's operations on them do nothing.
#pragma once
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

#include "core/CommSettings.h"
#include "core/CommonSettings.h"
#include "core/PortContext.h"
#include "core/engine/PortEngine.h"
#include "mainwnd/ColorStatusBar.h"
#include "mainwnd/PortNotifyHub.h"
#include "mainwnd/SendEditorDlg.h"
#include "platform/FrameWnd.h"

#include <commctrl.h>  // after windows.h

class CLogview;

class CMainFrame : public CFrameWnd, private IPortNotifyOutlet
{
public:
    static const int kPortCount = CCommSettings::kPortCount;

    // Resets the document to its defaults with the default paths.
    CMainFrame(CCommSettings& settings, CCommonSettings& commonSettings,
               std::span<CPortContext, kPortCount> portContexts);

    // Loads the document from its settings path; on failure tells the user and falls back to
    // the defaults. Then starts the enabled ports, Port 1 first, when the document asks for it
    // or startAllEnabledPorts is non-zero (the automatic document).
    void OpenDocument(int startAllEnabledPorts);
    // Loads the log at the document's log path into the view.
    void OpenLogFile();
    // "<document name> - Quorvex"; while no port runs, the port commands' flags start afresh
    // from the document's use-port flags.
    void UpdateTitle();
    // Shows status string stringId with its lamp in the port's pane, then a blank and the extra
    // text.
    void SetPortStatus(int port, UINT stringId, const CString& extraText) override;
    CSendEditorDlg& GetSendEditorPane() { return m_sendEditor; }

    // The port operations of the Start, Send and Stop commands. Start starts the port's thread
    // and leaves only Stop enabled; Send hands the send editor's bytes to every connection of
    // the port (or wakes its script); Stop asks every thread of the port to end.
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
    afx_msg void OnPortCommand(UINT id);

    DECLARE_MESSAGE_MAP()

private:
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

    bool CreateView();
    bool CreateStatusBar();
    bool CreateSendEditorPane();
    // SetPortStatus with the extra text and its blank left out when it is null.
    void ShowPortStatus(int port, UINT stringId, LPCTSTR extraText);
    bool IsAnyPortRunning();
    // 13005 when the log is empty; whether there is something to save.
    bool HasLogToSave();

    // IPortNotifyOutlet
    void AddLogRecord(const CLogRecord& record) override;
    void RebuildConnectionList(std::vector<CSendQueue*> queues) override;
    COleSafeArray GetSendEditorData() override;
    bool StartPortThread(int port, int connectionType) override;
    void SetDropAccepted(bool accepted) override;
    void OnComPortOpened(int pane) override;
    void OnComPortClosed(int pane) override;
    void SetComLamps(int pane, DWORD lineState) override;
    int PopComCommand(int pane) override;
    void ShowComPendingBytes(int pane, const COleSafeArray& bytes) override;

    CCommSettings& m_settings;
    CCommonSettings& m_commonSettings;
    CPortNotifyHub m_hub;
    // Owned by its window, which deletes it.
    CLogview* m_view = nullptr;
    CColorStatusBar m_statusBar;
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter> m_statusImages;
    PortStatus m_portStatus[kPortCount];
    CSendEditorDlg m_sendEditor;
    // The document was loaded from a file it can be saved to.
    bool m_documentHasFile = false;
    CPortEngine m_engine;
};
