#include "mainwnd/LogDetailDlg.h"

#include <algorithm>

#include "core/LogDetailText.h"
#include "core/TextHelpers.h"
#include "core/WindowMessages.h"
#include "editors/HexEditDisplay.h"
#include "platform/ControlBar.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CLogDetailDlg, CDialog)
    ON_MESSAGE(WM_SHOW_RECORD, OnShowRecord)
    ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

const WPARAM kClearRecord = 1;

CString SystemMessageText(int code)
{
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&buffer), 0, nullptr);
    CString text;
    if (buffer) {
        text = CString(buffer, static_cast<int>(length));
        ::LocalFree(buffer);
    }
    return text;
}

}  // namespace

CLogDetailDlg::CLogDetailDlg(const CCommonSettings& common)
    : CDialog(IDD_LOG_DETAIL)
    , m_common(common)
{
}

BOOL CLogDetailDlg::Create(CWnd* pParentWnd, UINT nID)
{
    if (!CDialog::Create(IDD_LOG_DETAIL, pParentWnd))
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    return TRUE;
}

BOOL CLogDetailDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_dump.Create(nullptr, nullptr, WS_CHILD | WS_TABSTOP, client, this, IDC_LOG_DETAIL_DUMP);
    ApplyViewSettings(m_common);
    m_dump.SetEditable(0);
    return FALSE;
}

void CLogDetailDlg::ApplyViewSettings(const CCommonSettings& common)
{
    const EditorDisplaySetting& setting = common.m_editors[EDITOR_DETAIL];
    ApplyDisplaySetting(m_dump, setting);
    m_textColor = static_cast<COLORREF>(setting.m_textColor);
    m_textBackColor = static_cast<COLORREF>(setting.m_backColor);
    m_textBackBrush.CreateSolidBrush(m_textBackColor);
    const HFONT font = ::CreateFontA(GetFontSizeByIndex(setting.m_fontSize), 0, 0, 0, FW_NORMAL, FALSE,
                                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
    // The box lets go of the old font before it is deleted.
    GetDlgItem(IDC_LOG_DETAIL_TEXT)->SetFont(font, TRUE);
    m_textFont.Attach(font);
}

LRESULT CLogDetailDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    const LRESULT standard = Default();
    if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_LOG_DETAIL_TEXT)
        return standard;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, m_textBackColor);
    ::SetTextColor(dc, m_textColor);
    return reinterpret_cast<LRESULT>(static_cast<HBRUSH>(m_textBackBrush));
}

void CLogDetailDlg::ShowText(const char* text)
{
    m_dump.ShowWindow(SW_HIDE);
    CWnd* box = GetDlgItem(IDC_LOG_DETAIL_TEXT);
    box->SetWindowText(text);
    box->ShowWindow(SW_SHOW);
    m_dataMode = 0;
}

LRESULT CLogDetailDlg::OnShowRecord(WPARAM wParam, LPARAM lParam)
{
    if (wParam == kClearRecord) {
        // The dump keeps its last bytes while hidden.
        ShowText("");
        return 0;
    }
    const auto* record = reinterpret_cast<const CLogRecord*>(lParam);
    if (!record)
        return 0;
    if (record->m_kind == LOG_KIND_MESSAGE) {
        ShowText(LogDetailText(*record, &SystemMessageText));
    } else if (record->m_kind == LOG_KIND_SENT || record->m_kind == LOG_KIND_RECEIVED) {
        GetDlgItem(IDC_LOG_DETAIL_TEXT)->ShowWindow(SW_HIDE);
        m_dump.ShowWindow(SW_SHOW);
        m_dataMode = 1;
        m_dump.ShowBytes(record->m_data);
    }
    return 0;
}

void CLogDetailDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    // The dump and the text box share the pane.
    if (m_dump.m_hWnd)
        m_dump.MoveWindow(0, 0, cx, cy);
    if (CWnd* box = GetDlgItem(IDC_LOG_DETAIL_TEXT))
        box->MoveWindow(0, 0, cx, cy);
}

LRESULT CLogDetailDlg::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    const CRect free(layout->rect);
    const int height = std::min(kStripHeight, free.Height());
    const CRect strip(free.left, free.bottom - height, free.right, free.bottom);
    layout->rect.bottom -= height;
    layout->sizeTotal.cy += height;
    if (layout->hDWP)
        AfxRepositionWindow(layout, m_hWnd, &strip);
    return 0;
}
