#include "framework/paint/PaintManagerHolder.h"

#include <cwctype>
#include <cwchar>

#include "framework/paint/BarStandIns.h"
#include "platform/FrameWnd.h"

CExtPaintManagerHolder g_PaintManager;

namespace {

typedef BOOL(WINAPI* IsAppThemedProc)();
typedef HRESULT(WINAPI* GetCurrentThemeNameProc)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
typedef HANDLE(WINAPI* OpenThemeDataProc)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* GetThemeColorProc)(HANDLE, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* CloseThemeDataProc)(HANDLE);

template <class Proc>
Proc Lookup(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                  : nullptr;
}

void Lower(WCHAR* text)
{
    for (; *text; ++text)
        *text = static_cast<WCHAR>(std::towlower(*text));
}

int SchemeOfColorName(const WCHAR* name)
{
    if (std::wcscmp(name, L"normalcolor") == 0)
        return 1;
    if (std::wcscmp(name, L"homestead") == 0)
        return 2;
    if (std::wcscmp(name, L"metallic") == 0)
        return 3;
    return 0;
}

} // namespace

CExtPaintManagerHolder::CExtPaintManagerHolder()
{
    m_version.dwOSVersionInfoSize = sizeof m_version;
    ::GetVersionExA(&m_version);
    ComputeOsFacts(m_version, m_osFacts1, m_osFacts2);
    BindVisualStyle();
    m_msimg32 = ::LoadLibraryA("msimg32.dll");
    m_gradientFill = Lookup<GradientFillProc>(m_msimg32, "GradientFill");
    if (!m_current)
        SetCurrentPaintManager(nullptr);
}

CExtPaintManagerHolder::~CExtPaintManagerHolder()
{
    if (m_msimg32)
        ::FreeLibrary(m_msimg32);
    delete m_current;
    m_current = nullptr;
}

void CExtPaintManagerHolder::ComputeOsFacts(const OSVERSIONINFOA& version, BYTE& facts1,
                                            BYTE& facts2)
{
    const DWORD major = version.dwMajorVersion, minor = version.dwMinorVersion;
    const bool win9x = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    const bool nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    facts1 = 0;
    facts2 = 0;
    if (version.dwPlatformId == VER_PLATFORM_WIN32s)
        facts1 |= kWin32s;
    if (win9x) {
        facts1 |= kWin9x;
        if (major == 4 && minor == 0)
            facts1 |= kWin95;
        if (major == 4 && minor > 0)
            facts1 |= kWin98;
        if (major > 4 || (major == 4 && minor > 0))
            facts1 |= kWin98OrLater;
    }
    if (nt) {
        facts1 |= kWinNT;
        if (major == 4)
            facts1 |= kWinNT4;
        if (major == 5 && minor == 0)
            facts1 |= kWin2000;
        if (major == 5 && minor == 1)
            facts2 |= kWinXP;
        if (major >= 4)
            facts2 |= kNT4OrLater;
        if (major >= 5)
            facts2 |= kNT5OrLater;
        if (major > 5 || (major == 5 && minor > 0))
            facts2 |= kNTLaterThan50;
    }
}

void CExtPaintManagerHolder::BindVisualStyle()
{
    if (m_visualStyle.bound && m_visualStyle.taskbandRead)
        return;
    m_visualStyle.themed = false;
    m_visualStyle.taskbandRead = false;
    if (m_overrides && m_overrides->visualStyle)
        m_visualStyle = *m_overrides->visualStyle;
    else
        ReadVisualStyle();
}

void CExtPaintManagerHolder::ForgetVisualStyle()
{
    m_visualStyle.bound = false;
    m_visualStyle.taskbandRead = false;
}

void CExtPaintManagerHolder::ReadVisualStyle()
{
    if (!m_uxtheme)
        m_uxtheme = ::GetModuleHandleA("uxtheme.dll");
    if (!m_uxtheme)
        m_uxtheme = ::LoadLibraryA("uxtheme.dll");
    const auto isAppThemed = Lookup<IsAppThemedProc>(m_uxtheme, "IsAppThemed");
    const auto currentThemeName = Lookup<GetCurrentThemeNameProc>(m_uxtheme, "GetCurrentThemeName");
    const auto openThemeData = Lookup<OpenThemeDataProc>(m_uxtheme, "OpenThemeData");
    const auto getThemeColor = Lookup<GetThemeColorProc>(m_uxtheme, "GetThemeColor");
    const auto closeThemeData = Lookup<CloseThemeDataProc>(m_uxtheme, "CloseThemeData");
    m_visualStyle.scheme = 0;
    if (!isAppThemed || !currentThemeName || !openThemeData || !getThemeColor || !closeThemeData)
        return;
    m_visualStyle.bound = true;
    m_visualStyle.themed = isAppThemed() != 0;

    WCHAR fileName[MAX_PATH] = {}, colorName[MAX_PATH] = {};
    if (SUCCEEDED(currentThemeName(fileName, MAX_PATH, colorName, MAX_PATH, nullptr, 0))) {
        Lower(fileName);
        Lower(colorName);
        if (std::wcsstr(fileName, L"luna.msstyles"))
            m_visualStyle.scheme = SchemeOfColorName(colorName);
    }
    HANDLE theme = openThemeData(::GetDesktopWindow(), L"taskband");
    if (!theme)
        return;
    static const int kProperties[7] = {3804, 3805, 3806, 3807, 3808, 3821, 3823};
    int read = 0;
    while (read < 7 && SUCCEEDED(getThemeColor(theme, 2, 0, kProperties[read],
                                                &m_visualStyle.taskband[read])))
        ++read;
    m_visualStyle.taskbandRead = read == 7;
    closeThemeData(theme);
}

COLORREF CExtPaintManagerHolder::SystemColor(int index) const
{
    if (m_overrides && m_overrides->systemColors)
        return m_overrides->systemColors[index];
    return ::GetSysColor(index);
}

int CExtPaintManagerHolder::ScreenBitsPerPixel() const
{
    if (m_overrides && m_overrides->bitsPerPixel > 0)
        return m_overrides->bitsPerPixel;
    HWND desktop = ::GetDesktopWindow();
    HDC dc = ::GetWindowDC(desktop);
    const int bits = ::GetDeviceCaps(dc, BITSPIXEL);
    ::ReleaseDC(desktop, dc);
    return bits;
}

CExtPaintManagerHolder::GradientFillProc CExtPaintManagerHolder::GradientFill() const
{
    return m_overrides && m_overrides->noGradientFill ? nullptr : m_gradientFill;
}

bool CExtPaintManagerHolder::SetCurrentPaintManager(CExtPaintManager* manager)
{
    if (manager && manager == m_current)
        return true;
    delete m_current;
    m_current = nullptr;
    m_current = manager ? manager : new CExtPaintManagerXP;
    m_current->LoadFontsAndSystemColors();
    m_current->InitColorTable();
    m_current->InitHelperBrushes();
    return true;
}

bool CExtPaintManagerHolder::SetCurrentPaintManagerFromClass(CRuntimeClass* managerClass)
{
    if (!managerClass)
        return m_current ? true : SetCurrentPaintManager(nullptr);
    CObject* object = managerClass->CreateObject();
    if (!object)
        return false;
    if (!object->IsKindOf(RUNTIME_CLASS(CExtPaintManager))) {
        delete object;
        return false;
    }
    return SetCurrentPaintManager(static_cast<CExtPaintManager*>(object));
}

bool CExtPaintManagerHolder::IsRelayWindow(CWnd* window) const
{
    if (window->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar)))
        return true;
    CFrameWnd* frame = window->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(window)
                                                                   : window->GetParentFrame();
    if (!frame)
        return true;
    if (frame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd))) {
        frame = frame->GetParentFrame();
        if (!frame)
            return true;
    }
    if (frame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return true;
    const auto childOfKind = [frame](UINT id, CRuntimeClass* kind) -> CWnd* {
        CWnd* child = CWnd::FromHandlePermanent(::GetDlgItem(frame->m_hWnd, static_cast<int>(id)));
        return child && child->IsKindOf(kind) ? child : nullptr;
    };
    if (CWnd* statusBar = childOfKind(AFX_IDW_STATUS_BAR, RUNTIME_CLASS(CExtStatusControlBar)))
        return statusBar == window;
    for (UINT id : {0xE81Bu, 0xE81Eu, 0xE81Cu, 0xE81Du}) {
        if (CWnd* dockBar = childOfKind(id, RUNTIME_CLASS(CExtDockOuterBar)))
            return dockBar == window;
    }
    for (HWND child = ::GetWindow(frame->m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* object = CWnd::FromHandlePermanent(child);
        if (object && object->IsKindOf(RUNTIME_CLASS(CExtTabMdiWnd)))
            return object == window;
    }
    return true;
}

void CExtPaintManagerHolder::RelaySysColorChange(CWnd* window)
{
    if (IsRelayWindow(window))
        m_current->HandleSysColorChange();
}

void CExtPaintManagerHolder::RelaySettingChange(CWnd* window, UINT flags, LPCTSTR section)
{
    if (IsRelayWindow(window))
        m_current->HandleSettingChange(flags, section);
}

void CExtPaintManagerHolder::RelayDisplayChange(CWnd* window, UINT bitsPerPixel, int width,
                                                int height)
{
    if (IsRelayWindow(window))
        m_current->HandleDisplayChange(bitsPerPixel, width, height);
}

void CExtPaintManagerHolder::RelayThemeChange(CWnd* window, WPARAM wParam, LPARAM lParam)
{
    if (IsRelayWindow(window))
        m_current->HandleThemeChange(wParam, lParam);
}
