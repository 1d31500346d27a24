// CScriptDlg: a script pane ("ｽｸﾘﾌﾟﾄ1", "ｽｸﾘﾌﾟﾄ2"), one per port, holding the port's Lua script
// in a colouring editor. The script belongs to the settings document; the pane can also load and
// save it as a .lua file of its own (its commands and dropped files), and shows that file's path
// in its caption. Window thread only: connection threads read the script through the main frame
// (WM_SCRIPT_TEXT, core/ScriptTextAccess.h).
//
// Until the docking framework exists the two panes share a strip along the bottom of the main
// frame's free client area (WM_SIZEPARENT), Port 1 on the left; the caption shows in a line at
// the top of the pane, where the pane's toolbar will stand. Not yet: that toolbar.
#pragma once

#include <memory>

#include "core/engine/LuaModuleList.h"
#include "editors/ColorEditWnd.h"
#include "platform/Dialog.h"
#include "platform/SafeArray.h"

// The Lua colouring shared by both panes, alive for the whole run.
ColorEditLuaSyntax& GetScriptSyntax();
// The script a new document's port starts with (LF line ends).
extern const char kDefaultScript[];

class CScriptDlg : public CDialog
{
public:
    // The strip's height in pixels, when the frame has room for it.
    static const int kStripHeight = 220;
    // The caption line above the editor.
    static const int kCaptionHeight = 24;

    // port: 0 or 1, the pane's place in the strip. The modules' function names are coloured as
    // keywords; null for none. Keep them alive as long as the pane.
    CScriptDlg(int port, const CLuaModuleList* modules);
    ~CScriptDlg() override;

    // Creates the pane (template 245) as a child with the given control id.
    BOOL Create(CWnd* pParentWnd, UINT nID);
    // The base caption ("ｽｸﾘﾌﾟﾄ1") and the window whose text shows it with the file's path.
    void SetCaptionWindow(const CString& baseCaption, HWND captionWindow);
    // The pane's own caption line, the caption window until the docking bar hosts the pane.
    HWND GetCaptionLine() const;

    // The text as the document keeps it: each line followed by CR LF, except an empty last
    // line; empty for an emptied editor.
    COleSafeArray& GetScriptText(COleSafeArray& text) const;
    // The bytes up to the first zero byte, or the default script for an empty array; the undo
    // history and the file path go.
    void SetScriptText(const COleSafeArray& text);
    // The default script, no file path.
    void ResetScript();
    const CString& GetFilePath() const { return m_filePath; }
    ColorEditWnd* GetEditor() { return m_editor.get(); }

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape inside the pane do nothing.
    void OnOK() override { }
    void OnCancel() override { }

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    // Asks first (13088), then the default script.
    afx_msg void OnClearScript();
    afx_msg void OnOpenScript();
    afx_msg void OnSaveScript();
    afx_msg void OnSaveScriptAs();
    afx_msg void OnUpdateSaveScript(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void FillKeywords();
    void PutText(const char* text);
    void UpdateCaption();
    // Loads the file; only when it could be read do the path and caption change (13021
    // otherwise), so a later Save never overwrites the file that failed to load.
    void LoadScriptFile(const CString& path);
    // Writes the text to the file path (13089 for an empty text, 13022 on failure).
    void SaveScriptFile();

    int m_port;
    const CLuaModuleList* m_modules;
    HFONT m_font = nullptr;
    std::unique_ptr<ColorEditWnd> m_editor;
    CString m_filePath;
    CString m_baseCaption;
    HWND m_captionWindow = nullptr;
};
