#include "mainwnd/ScriptDlg.h"

#include <algorithm>
#include <cstring>

#include "core/ByteStream.h"
#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "platform/CmdUI.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CScriptDlg, CDialog)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_DROPFILES()
    ON_COMMAND(ID_SCRIPT_CLEAR, OnClearScript)
    ON_COMMAND(ID_SCRIPT_OPEN, OnOpenScript)
    ON_COMMAND(ID_SCRIPT_SAVE, OnSaveScript)
    ON_COMMAND(ID_SCRIPT_SAVE_AS, OnSaveScriptAs)
    ON_UPDATE_COMMAND_UI(ID_SCRIPT_SAVE, OnUpdateSaveScript)
END_MESSAGE_MAP()

const char kDefaultScript[] =
    "---------------------------------------------\n"
    "-- 接続完了通知\n"
    "---------------------------------------------\n"
    "function OnConnected()\n"
    "    Logput(1,'OnConnected')\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- 送信ﾎﾞﾀﾝ押下\n"
    "---------------------------------------------\n"
    "function OnSendPush()\n"
    "    Logput(1,'OnSendPush')\n"
    "    a = GetEditorData()\n"
    "    SendData(a)\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- ﾀｲﾏｰ通知\n"
    "---------------------------------------------\n"
    "function OnTimer(id)\n"
    "    Logput(1,'OnTimer')\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- 受信通知\n"
    "---------------------------------------------\n"
    "function OnReceive(recv)\n"
    "    Logput(1,'OnReceive')\n"
    "    return 0\n"
    "end\n"
    "---------------------------------------------\n"
    "-- 切断通知\n"
    "---------------------------------------------\n"
    "function OnDisConnected()\n"
    "    Logput(1,'OnDisConnected')\n"
    "    return 0\n"
    "end\n";

namespace {

const char* const kReservedWords[] = {
    "and",  "break", "do",     "else", "elseif", "end",   "false", "for",  "function", "if", "in",
    "local", "nil",  "not",    "or",   "repeat", "return", "then", "true", "until",    "while"};
const char* const kScriptFunctions[] = {
    "Logput",   "SetTimer", "KillTimer", "Disconnect",    "GetEditorData", "SetEditorData",
    "SendData", "FileRead", "FileWrite", "BitOr",         "BitAnd",        "BitOff",
    "StringToTable", "TableCat", "StartConnection", "EndConnection"};

const int kTabWidth = 4;
const int kCharSpacing = 2;
const int kFontHeight = 12;
const char kScriptExtension[] = "lua";
const char kScriptFilter[] = "Lua Script(*.lua)|*.lua|All Files(*.*)|*.*||";

// The bytes up to the first zero byte.
const char* TextOf(const BYTE* bytes, size_t size, std::string& text)
{
    const auto* chars = reinterpret_cast<const char*>(bytes);
    text.assign(chars, strnlen(chars, size));
    return text.c_str();
}

} // namespace

ColorEditLuaSyntax& GetScriptSyntax()
{
    static ColorEditLuaSyntax syntax;
    return syntax;
}

CScriptDlg::CScriptDlg(int port, const CLuaModuleList* modules)
    : CDialog(IDD_SCRIPT)
    , m_port(port)
    , m_modules(modules)
{
    m_font = ::CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, nullptr);
}

CScriptDlg::~CScriptDlg()
{
    m_editor.reset();
    DestroyWindow();
    if (m_font)
        ::DeleteObject(m_font);
}

BOOL CScriptDlg::Create(CWnd* pParentWnd, UINT nID)
{
    if (!CDialog::Create(IDD_SCRIPT, pParentWnd))
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    return TRUE;
}

HWND CScriptDlg::GetCaptionLine() const
{
    return ::GetDlgItem(m_hWnd, IDC_SCRIPT_CAPTION);
}

BOOL CScriptDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_font)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    CRect client;
    GetClientRect(&client);
    client.top = kCaptionHeight;
    m_editor = std::make_unique<ColorEditWnd>(this, client, IDC_SCRIPT_EDITOR, kTabWidth, TRUE);
    m_editor->AddCharSpacing(kCharSpacing);
    FillKeywords();
    m_editor->SetSyntax(&GetScriptSyntax());
    m_editor->SetSelBackColor(0x000000);
    m_editor->m_readOnly = 0;
    PutText(kDefaultScript);
    ::DragAcceptFiles(m_hWnd, TRUE);
    // The main window decides where the focus goes.
    return FALSE;
}

void CScriptDlg::FillKeywords()
{
    ColorEditLuaSyntax& syntax = GetScriptSyntax();
    syntax.m_keywords[0].insert(std::begin(kReservedWords), std::end(kReservedWords));
    syntax.m_keywords[1].insert(std::begin(kScriptFunctions), std::end(kScriptFunctions));
    if (!m_modules)
        return;
    for (const auto& module : m_modules->Modules()) {
        for (const LuaModuleEntry& entry : module->m_entries)
            syntax.m_keywords[2].insert(std::string(entry.name, strnlen(entry.name, sizeof entry.name)));
    }
}

void CScriptDlg::PutText(const char* text)
{
    m_editor->ResetContent();
    m_editor->SetText(text);
    m_editor->ClearUndo();
}

COleSafeArray& CScriptDlg::GetScriptText(COleSafeArray& text) const
{
    const std::string bytes = m_editor->GetContent().GetDocumentText();
    text.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    return text;
}

void CScriptDlg::SetScriptText(const COleSafeArray& text)
{
    std::string bytes;
    PutText(text.GetSize() > 0 ? TextOf(text.GetData(), text.GetSize(), bytes) : kDefaultScript);
    m_filePath.Empty();
    UpdateCaption();
}

void CScriptDlg::ResetScript()
{
    m_filePath.Empty();
    PutText(kDefaultScript);
    UpdateCaption();
}

void CScriptDlg::SetCaptionWindow(const CString& baseCaption, HWND captionWindow)
{
    m_baseCaption = baseCaption;
    m_captionWindow = captionWindow;
    UpdateCaption();
}

void CScriptDlg::UpdateCaption()
{
    if (!m_captionWindow)
        return;
    CString caption = m_baseCaption;
    if (!m_filePath.IsEmpty())
        caption += " - " + m_filePath;
    ::SetWindowTextA(m_captionWindow, caption);
}

void CScriptDlg::OnClearScript()
{
    if (AfxMessageBox(GetMessageText(MSG_CONFIRM_SCRIPT_RESET), MB_OKCANCEL | MB_ICONQUESTION) ==
        IDOK)
        ResetScript();
}

void CScriptDlg::OnOpenScript()
{
    CFileDialog dialog(TRUE, kScriptExtension, m_filePath, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       kScriptFilter);
    if (dialog.DoModal() == IDOK)
        LoadScriptFile(dialog.GetPathName());
}

void CScriptDlg::OnSaveScript()
{
    SaveScriptFile();
}

void CScriptDlg::OnSaveScriptAs()
{
    CFileDialog dialog(FALSE, kScriptExtension, m_filePath,
                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kScriptFilter);
    if (dialog.DoModal() != IDOK)
        return;
    m_filePath = dialog.GetPathName();
    UpdateCaption();
    SaveScriptFile();
}

void CScriptDlg::OnUpdateSaveScript(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_filePath.IsEmpty());
}

void CScriptDlg::LoadScriptFile(const CString& path)
{
    CWaitCursor wait;
    CByteStream file;
    if (!file.ReadFile(path)) {
        AfxMessageBox(GetMessageText(MSG_FILE_READ_FAILED), MB_OK | MB_ICONSTOP);
        return;
    }
    m_filePath = path;
    UpdateCaption();
    std::string text;
    PutText(TextOf(file.GetData(), file.GetSize(), text));
}

void CScriptDlg::SaveScriptFile()
{
    if (m_filePath.IsEmpty())
        return;
    const std::string text = m_editor->GetContent().GetDocumentText();
    if (text.empty()) {
        AfxMessageBox(GetMessageText(MSG_NO_DATA), MB_OK | MB_ICONSTOP);
        return;
    }
    CByteStream file;
    file.AppendBytes(text.data(), static_cast<DWORD>(text.size()));
    if (!file.WriteFile(m_filePath))
        AfxMessageBox(GetMessageText(MSG_FILE_WRITE_FAILED), MB_OK | MB_ICONSTOP);
}

void CScriptDlg::OnDropFiles(HDROP hDropInfo)
{
    // Only the first of several dropped files is loaded.
    char path[MAX_PATH + 1] = {};
    if (::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0) > 0 &&
        ::DragQueryFileA(hDropInfo, 0, path, sizeof path) > 0) {
        CString prompt;
        prompt.Format(GetMessageText(MSG_SCRIPT_DROP_PROMPT), path);
        if (AfxMessageBox(prompt, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
            LoadScriptFile(path);
    }
    ::DragFinish(hDropInfo);
}

void CScriptDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (const HWND caption = GetCaptionLine())
        ::MoveWindow(caption, 4, 5, std::max(0, cx - 8), kCaptionHeight - 8, TRUE);
    if (m_editor && m_editor->m_hWnd)
        m_editor->MoveWindow(0, kCaptionHeight, cx, std::max(0, cy - kCaptionHeight));
}

LRESULT CScriptDlg::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    // Both panes get the same free area in turn: each takes its half of a strip along its
    // bottom, and the last one takes the strip from the free area.
    const CRect free(layout->rect);
    const int height = std::min(kStripHeight, free.Height() / 2);
    const int left = free.left + free.Width() * m_port / 2;
    const int right = free.left + free.Width() * (m_port + 1) / 2;
    const CRect strip(left, free.bottom - height, right, free.bottom);
    if (m_port == 1) {
        layout->rect.bottom -= height;
        layout->sizeTotal.cy += height;
    }
    if (layout->hDWP)
        AfxRepositionWindow(layout, m_hWnd, &strip);
    return 0;
}
