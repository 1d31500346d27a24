// CExtPaintManagerHolder: owns the current paint manager and keeps what painting asks of the
// system: the Windows version facts, the visual-style library (uxtheme.dll) with its colour
// scheme, and GradientFill of msimg32.dll, both bound at run time when present. One global
// object, g_PaintManager, made during static initialisation with an XP manager installed.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/paint/PaintManager.h"

// Stand-ins for what tests inject instead of the system (off by default): the 50 system
// colours, the screen depth, the absence of GradientFill and the visual style's facts.
struct PaintSystemOverrides
{
    const COLORREF* systemColors = nullptr;
    int bitsPerPixel = 0;
    bool noGradientFill = false;
    const VisualStyleFacts* visualStyle = nullptr;
};

class CExtPaintManagerHolder
{
public:
    // OS facts 1.
    enum
    {
        kWin32s = 0x01, kWin9x = 0x02, kWin95 = 0x04, kWin98 = 0x08, kWin98OrLater = 0x10,
        kWinNT = 0x20, kWinNT4 = 0x40, kWin2000 = 0x80
    };
    // OS facts 2.
    enum
    {
        kWinXP = 0x01, kNT4OrLater = 0x02, kNT5OrLater = 0x04, kNTLaterThan50 = 0x08
    };
    typedef BOOL(WINAPI* GradientFillProc)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    CExtPaintManagerHolder();
    ~CExtPaintManagerHolder();
    CExtPaintManagerHolder(const CExtPaintManagerHolder&) = delete;
    CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&) = delete;

    CExtPaintManager* GetHeldObject() const { return m_current; }
    CExtPaintManager* operator->() const { return m_current; }

    // Installs manager (a new XP manager for null), taking ownership and deleting the old one;
    // installing the current manager again changes nothing.
    bool SetCurrentPaintManager(CExtPaintManager* manager);
    // Null keeps a current manager; a class that does not make a paint manager answers false.
    bool SetCurrentPaintManagerFromClass(CRuntimeClass* managerClass);

    // True for the one window of each frame that passes system changes on.
    bool IsRelayWindow(CWnd* window) const;
    void RelaySysColorChange(CWnd* window);
    void RelaySettingChange(CWnd* window, UINT flags, LPCTSTR section);
    void RelayDisplayChange(CWnd* window, UINT bitsPerPixel, int width, int height);
    void RelayThemeChange(CWnd* window, WPARAM wParam, LPARAM lParam);

    static void ComputeOsFacts(const OSVERSIONINFOA& version, BYTE& facts1, BYTE& facts2);
    BYTE OsFacts1() const { return m_osFacts1; }
    BYTE OsFacts2() const { return m_osFacts2; }

    // Binds the visual-style library unless it is bound with its taskband colours read;
    // ForgetVisualStyle makes the next binding run again.
    void BindVisualStyle();
    void ForgetVisualStyle();
    const VisualStyleFacts& VisualStyle() const { return m_visualStyle; }

    COLORREF SystemColor(int index) const;
    int ScreenBitsPerPixel() const;
    GradientFillProc GradientFill() const;

    // Null restores the real system. The caller keeps the overrides alive while they are set.
    void SetOverrides(const PaintSystemOverrides* overrides) { m_overrides = overrides; }

private:
    void ReadVisualStyle();

    CExtPaintManager* m_current = nullptr;
    OSVERSIONINFOA m_version = {};
    BYTE m_osFacts1 = 0;
    BYTE m_osFacts2 = 0;
    HMODULE m_uxtheme = nullptr;
    VisualStyleFacts m_visualStyle;
    HMODULE m_msimg32 = nullptr;
    GradientFillProc m_gradientFill = nullptr;
    const PaintSystemOverrides* m_overrides = nullptr;
};

extern CExtPaintManagerHolder g_PaintManager;
