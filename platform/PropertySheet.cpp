#include "platform/PropertySheet.h"

#include <algorithm>
#include <cstring>
#include <utility>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

const char kDialogClass[] = "#32770";

// The sheet whose template the sheet callback adjusts.
thread_local const CPropertySheet* t_sheetBeingCreated = nullptr;

// Where the style and extended style of a template of either form lie, for the callback to
// change them.
struct TemplateStyles
{
    DWORD* style;
    DWORD* exStyle;
};

TemplateStyles StylesOf(void* dialogTemplate)
{
    auto* bytes = static_cast<BYTE*>(dialogTemplate);
    const auto* words = static_cast<const WORD*>(dialogTemplate);
    // An extended template starts with version 1 and 0xFFFF, then help id, extended style, style.
    if (words[0] == 1 && words[1] == 0xFFFF)
        return {reinterpret_cast<DWORD*>(bytes + 12), reinterpret_cast<DWORD*>(bytes + 8)};
    return {reinterpret_cast<DWORD*>(bytes), reinterpret_cast<DWORD*>(bytes + 4)};
}

} // namespace

CPropertySheet::CPropertySheet()
{
    std::memset(&m_psh, 0, sizeof m_psh);
    m_psh.dwSize = sizeof m_psh;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet()
{
    m_strCaption = pszCaption;
    m_psh.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage)
        m_pages.push_back(pPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), pPage);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const
{
    const CWnd* tab = GetTabControl();
    return tab ? static_cast<int>(tab->SendMessage(TCM_GETCURSEL))
               : static_cast<int>(m_psh.nStartPage);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (!GetPage(nPage))
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage)) != 0;
}

CWnd* CPropertySheet::GetTabControl() const
{
    return m_hWnd && ::IsWindow(m_hWnd)
               ? CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL)))
               : nullptr;
}

void CPropertySheet::BuildPropPageArray()
{
    // The common controls step from one description to the next by its size.
    const size_t stride = PROPSHEETPAGEA_V1_SIZE;
    m_descriptions.assign(m_pages.size() * stride, 0);
    for (size_t i = 0; i < m_pages.size(); ++i) {
        PROPSHEETPAGEA psp = m_pages[i]->m_psp;
        m_pages[i]->PreProcessPageTemplate(psp, IsWizard());
        std::memcpy(m_descriptions.data() + i * stride, &psp, stride);
    }
    m_psh.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(m_descriptions.data());
    m_psh.nPages = static_cast<UINT>(m_pages.size());
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd)
        m_psh.hwndParent = pParentWnd->m_hWnd;
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = &SheetCallback;
    if (!m_strCaption.IsEmpty())
        m_psh.pszCaption = m_strCaption.GetString();
    m_dwStyle = dwStyle;
    m_dwExStyle = dwExStyle;
    BuildPropPageArray();
    const CPropertySheet* outer = std::exchange(t_sheetBeingCreated, this);
    const BOOL created = CreateAndAdopt(kDialogClass, [this] {
        const INT_PTR sheet = ::PropertySheetA(&m_psh);
        return sheet == -1 ? nullptr : reinterpret_cast<HWND>(sheet);
    });
    t_sheetBeingCreated = outer;
    return created;
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    const CPropertySheet* sheet = t_sheetBeingCreated;
    if (message != PSCB_PRECREATE || !sheet || !lParam || sheet->m_dwStyle == static_cast<DWORD>(-1))
        return 0;
    const TemplateStyles styles = StylesOf(reinterpret_cast<void*>(lParam));
    // The template's font stays; a child sheet is a control of its parent dialog.
    DWORD style = (*styles.style & DS_SETFONT) | sheet->m_dwStyle;
    if (style & WS_CHILD)
        style = (style & ~static_cast<DWORD>(WS_POPUP)) | DS_CONTROL;
    *styles.style = style;
    *styles.exStyle = sheet->m_dwExStyle;
    return 0;
}

BOOL CPropertySheet::OnInitDialog()
{
    return static_cast<BOOL>(Default());
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    const bool keyboard = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    return keyboard && SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)) != 0;
}
