#include <gtest/gtest.h>

#include "framework/paint/BarStandIns.h"
#include "framework/paint/ColorMath.h"
#include "tests/paint/PaintTestSupport.h"
#include "tests/paint/ThemeCases.h"

namespace {

// Counts its colour-table builds.
class CountingManager : public CExtPaintManagerXP
{
public:
    void InitColorTable() override
    {
        ++builds;
        CExtPaintManagerXP::InitColorTable();
    }
    int builds = 0;
};

TEST(PaintManagerHolder, InstallsReplacesAndCreatesFromClass)
{
    InjectedEnvironment environment;
    auto* manager = new CountingManager;
    ASSERT_TRUE(g_PaintManager.SetCurrentPaintManager(manager));
    EXPECT_EQ(manager->builds, 1);
    EXPECT_TRUE(g_PaintManager.SetCurrentPaintManager(manager));
    EXPECT_EQ(manager->builds, 1) << "installing the current manager rebuilds nothing";
    EXPECT_EQ(g_PaintManager.GetHeldObject(), manager);

    EXPECT_TRUE(g_PaintManager.SetCurrentPaintManager(nullptr));
    EXPECT_EQ(g_PaintManager->GetRuntimeClass(), RUNTIME_CLASS(CExtPaintManagerXP));

    EXPECT_TRUE(g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CExtPaintManagerStudio2005)));
    CExtPaintManager* studio = g_PaintManager.GetHeldObject();
    EXPECT_EQ(studio->GetThemeId(), 4);
    EXPECT_FALSE(g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CFrameWnd)))
        << "a class that makes no paint manager";
    EXPECT_FALSE(g_PaintManager.SetCurrentPaintManagerFromClass(RUNTIME_CLASS(CWnd)))
        << "a class that cannot be created";
    EXPECT_EQ(g_PaintManager.GetHeldObject(), studio);
    EXPECT_TRUE(g_PaintManager.SetCurrentPaintManagerFromClass(nullptr));
    EXPECT_EQ(g_PaintManager.GetHeldObject(), studio);
}

TEST(PaintManagerHolder, ThemesAnswerTheirIdsAndSizes)
{
    InjectedEnvironment environment;
    const struct
    {
        CRuntimeClass* kind;
        int id, separator;
        CSize horizontalShift;
    } themes[] = {{RUNTIME_CLASS(CExtPaintManager), 1, 6, CSize(0, 0)},
                  {RUNTIME_CLASS(CExtPaintManagerXP), 2, 3, CSize(0, 0)},
                  {RUNTIME_CLASS(CExtPaintManagerOffice2003), 3, 3, CSize(0, -1)},
                  {RUNTIME_CLASS(CExtPaintManagerStudio2005), 4, 3, CSize(0, -1)}};
    for (const auto& theme : themes) {
        ASSERT_TRUE(g_PaintManager.SetCurrentPaintManagerFromClass(theme.kind));
        CExtPaintManager* manager = g_PaintManager.GetHeldObject();
        EXPECT_EQ(manager->GetThemeId(), theme.id);
        EXPECT_EQ(manager->GetMenuSeparatorHeight(), theme.separator);
        EXPECT_EQ(manager->GetToolBarButtonShift(true).cy, theme.horizontalShift.cy);
        EXPECT_EQ(manager->GetToolBarButtonShift(false).cy, 0);
        EXPECT_GT(manager->GetTextHeight(true), 2);
    }
}

TEST(PaintManagerHolder, OsFactsFollowTheVersion)
{
    using H = CExtPaintManagerHolder;
    const struct
    {
        DWORD platform, major, minor;
        BYTE facts1, facts2;
    } cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, H::kWin9x | H::kWin95, 0},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, H::kWin9x | H::kWin98 | H::kWin98OrLater, 0},
        {VER_PLATFORM_WIN32_NT, 4, 0, H::kWinNT | H::kWinNT4, H::kNT4OrLater},
        {VER_PLATFORM_WIN32_NT, 5, 0, H::kWinNT | H::kWin2000, H::kNT4OrLater | H::kNT5OrLater},
        {VER_PLATFORM_WIN32_NT, 5, 1, H::kWinNT,
         H::kWinXP | H::kNT4OrLater | H::kNT5OrLater | H::kNTLaterThan50},
        {VER_PLATFORM_WIN32_NT, 5, 2, H::kWinNT, H::kNT4OrLater | H::kNT5OrLater | H::kNTLaterThan50},
        {VER_PLATFORM_WIN32_NT, 6, 1, H::kWinNT, H::kNT4OrLater | H::kNT5OrLater | H::kNTLaterThan50},
        {VER_PLATFORM_WIN32s, 3, 10, H::kWin32s, 0},
    };
    for (const auto& c : cases) {
        OSVERSIONINFOA version = {};
        version.dwPlatformId = c.platform;
        version.dwMajorVersion = c.major;
        version.dwMinorVersion = c.minor;
        BYTE facts1 = 0xFF, facts2 = 0xFF;
        H::ComputeOsFacts(version, facts1, facts2);
        EXPECT_EQ(facts1, c.facts1) << c.major << "." << c.minor;
        EXPECT_EQ(facts2, c.facts2) << c.major << "." << c.minor;
    }
}

TEST(PaintManagerColors, LookupsFallBackToTheFace)
{
    InjectedEnvironment environment;
    for (CRuntimeClass* kind : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP)}) {
        ASSERT_TRUE(g_PaintManager.SetCurrentPaintManagerFromClass(kind));
        CExtPaintManager* manager = g_PaintManager.GetHeldObject();
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        const HBRUSH faceBrush = ::GetSysColorBrush(COLOR_BTNFACE);
        for (int number : {3000, 3024, 999999, -1, 1012})
            EXPECT_EQ(manager->ColorAt(number), face) << number;
        EXPECT_EQ(manager->ColorAt(1010), ::GetSysColor(COLOR_WINDOWTEXT));
        for (int index : {1000, -1, 50, 31, 49})
            EXPECT_EQ(manager->BrushAt(index), faceBrush) << index;
        EXPECT_EQ(manager->BrushAt(COLOR_WINDOW), ::GetSysColorBrush(COLOR_WINDOW));
    }
}

TEST(PaintManagerColors, RebuildingOnEverySettingChangeKeepsTheTableSize)
{
    InjectedEnvironment environment;
    environment.SetScheme(1);
    environment.Install(new CExtPaintManagerOffice2003);
    CExtPaintManager* manager = g_PaintManager.GetHeldObject();
    const INT_PTR size = manager->ColorTableSize();
    const COLORREF menu = manager->ColorAt(2001);
    for (int i = 0; i < 50; ++i)
        manager->HandleSettingChange(0, nullptr);
    EXPECT_EQ(manager->ColorTableSize(), size);
    EXPECT_EQ(manager->ColorAt(2001), menu);
}

TEST(PaintManagerColors, EightBitsPerPixelAndTheBlueScheme)
{
    InjectedEnvironment environment;
    environment.SetBitsPerPixel(8);
    environment.Install(new CExtPaintManagerXP);
    CExtPaintManager* xp = g_PaintManager.GetHeldObject();
    EXPECT_EQ(xp->ColorAt(1000), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(xp->ColorAt(2000), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(xp->ColorAt(2004), ::GetSysColor(COLOR_BTNTEXT));

    environment.SetBitsPerPixel(32);
    environment.SetScheme(1);
    environment.Install(new CExtPaintManagerStudio2005);
    CExtPaintManager* studio = g_PaintManager.GetHeldObject();
    EXPECT_EQ(studio->ColorAt(1000), RGB(225, 225, 210));
    EXPECT_EQ(studio->ColorAt(2000), RGB(225, 225, 210));
    EXPECT_EQ(studio->ColorAt(2004), RGB(49, 106, 197));
    EXPECT_EQ(studio->ColorAt(15), RGB(225, 225, 210));
}

// The answers of every framework number and system entry.
std::vector<COLORREF> Answers(CExtPaintManager* manager)
{
    std::vector<COLORREF> answers;
    for (int n = 0; n < 50; ++n)
        answers.push_back(manager->ColorAt(n));
    for (int n = 1000; n <= 3024; ++n)
        answers.push_back(manager->ColorAt(n));
    return answers;
}

TEST(PaintManagerColors, StudioFollowsOfficeOutsideTheBlueScheme)
{
    InjectedEnvironment environment;
    environment.SetScheme(0);
    environment.Install(new CExtPaintManagerOffice2003);
    const std::vector<COLORREF> officeWithout = Answers(g_PaintManager.GetHeldObject());
    environment.SetScheme(2);
    environment.Install(new CExtPaintManagerStudio2005);
    EXPECT_EQ(Answers(g_PaintManager.GetHeldObject()), officeWithout) << "olive";

    environment.SetScheme(3);
    environment.Install(new CExtPaintManagerOffice2003);
    const std::vector<COLORREF> officeSilver = Answers(g_PaintManager.GetHeldObject());
    environment.Install(new CExtPaintManagerStudio2005);
    EXPECT_EQ(Answers(g_PaintManager.GetHeldObject()), officeSilver) << "silver";
}

TEST(PaintManagerFonts, CappedCopiesAndTurns)
{
    InjectedEnvironment environment;
    environment.Install(new CExtPaintManagerXP);
    CExtPaintManager* manager = g_PaintManager.GetHeldObject();
    LOGFONTA normal = {}, capped = {}, turned = {}, bold = {}, marlett = {};
    manager->Font(CExtPaintManager::kFontNormal).GetLogFont(&normal);
    manager->Font(CExtPaintManager::kFontCapped).GetLogFont(&capped);
    manager->Font(CExtPaintManager::kFontBold2700).GetLogFont(&turned);
    manager->Font(CExtPaintManager::kFontBold).GetLogFont(&bold);
    manager->Font(CExtPaintManager::kFontMarlett).GetLogFont(&marlett);
    EXPECT_EQ(capped.lfHeight, normal.lfHeight < -11 ? -11 : normal.lfHeight);
    EXPECT_EQ(turned.lfEscapement, 2700);
    EXPECT_EQ(turned.lfWeight, 900);
    EXPECT_EQ(bold.lfWeight, 900);
    EXPECT_STREQ(marlett.lfFaceName, "Marlett");
    EXPECT_EQ(marlett.lfHeight, ::GetSystemMetrics(SM_CYMENUCHECK) - 1);
    EXPECT_EQ(marlett.lfCharSet, SYMBOL_CHARSET);
}

// Japanese menu and bar texts must not turn into Western letters: every text font of every theme
// is realised in the ANSI code page's character set.
TEST(PaintManagerFonts, TextFontsDrawTheAnsiCodePagesCharacters)
{
    CHARSETINFO expected = {};
    ASSERT_TRUE(::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(::GetACP())),
                                       &expected, TCI_SRCCODEPAGE));
    InjectedEnvironment environment;
    for (int theme = 1; theme <= 4; ++theme) {
        const CExtPaintManager& manager = InstallTheme(theme);
        for (CExtPaintManager::FontIndex font :
             {CExtPaintManager::kFontNormal, CExtPaintManager::kFontBold,
              CExtPaintManager::kFontNormal2700, CExtPaintManager::kFontCapped}) {
            const HDC dc = ::CreateCompatibleDC(nullptr);
            ::SelectObject(dc, manager.Font(font).GetSafeHandle());
            EXPECT_EQ(static_cast<int>(expected.ciCharset), ::GetTextCharset(dc))
                << "theme " << theme << ", font " << font;
            ::DeleteDC(dc);
        }
    }
}

TEST(PaintManagerBrushes, HelperBrushesAreMixturesOrPatterns)
{
    InjectedEnvironment environment;
    environment.Install(new CExtPaintManager);
    CExtPaintManager* manager = g_PaintManager.GetHeldObject();
    LOGBRUSH brush = {};
    ASSERT_TRUE(::GetObjectA(manager->HelperBrush(0).GetSafeHandle(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, paint_color::MixHalf(manager->ColorAt(15), manager->ColorAt(20)));
    ASSERT_TRUE(::GetObjectA(manager->HelperBrush(4).GetSafeHandle(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, paint_color::MixFifths(manager->ColorAt(15), manager->ColorAt(20), 3));

    environment.SetBitsPerPixel(8);
    manager->HandleDisplayChange(8, 0, 0);
    ASSERT_TRUE(::GetObjectA(manager->HelperBrush(0).GetSafeHandle(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_PATTERN));
}

// A frame whose children are created from the stand-in bar classes.
class RelayFrame
{
public:
    RelayFrame()
    {
        m_frame = new CFrameWnd;
        m_created = m_frame->LoadFrame(0, WS_POPUP) != FALSE;
    }
    ~RelayFrame()
    {
        for (CWnd* child : m_children) {
            child->DestroyWindow();
            delete child;
        }
        if (m_created)
            m_frame->DestroyWindow();
    }
    template <class Kind>
    Kind* Add(UINT id)
    {
        Kind* child = new Kind;
        child->CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, m_frame->m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
        m_children.push_back(child);
        return child;
    }
    CFrameWnd* Frame() const { return m_frame; }
    bool Created() const { return m_created; }

private:
    CFrameWnd* m_frame;
    bool m_created = false;
    std::vector<CWnd*> m_children;
};

TEST(PaintManagerHolder, OneRelayWindowPerFrame)
{
    InjectedEnvironment environment;
    {
        RelayFrame bare;
        ASSERT_TRUE(bare.Created());
        CWnd* plain = bare.Add<CWnd>(100);
        EXPECT_TRUE(g_PaintManager.IsRelayWindow(plain)) << "nothing in the frame decides";
        EXPECT_TRUE(g_PaintManager.IsRelayWindow(bare.Frame()));
    }
    {
        RelayFrame docked;
        CWnd* plain = docked.Add<CWnd>(100);
        CExtDockOuterBar* left = docked.Add<CExtDockOuterBar>(0xE81C);
        CExtDockOuterBar* bottom = docked.Add<CExtDockOuterBar>(0xE81E);
        EXPECT_TRUE(g_PaintManager.IsRelayWindow(bottom)) << "bottom comes before left";
        EXPECT_FALSE(g_PaintManager.IsRelayWindow(left));
        EXPECT_FALSE(g_PaintManager.IsRelayWindow(plain));
        CExtStatusControlBar* status = docked.Add<CExtStatusControlBar>(AFX_IDW_STATUS_BAR);
        EXPECT_TRUE(g_PaintManager.IsRelayWindow(status));
        EXPECT_FALSE(g_PaintManager.IsRelayWindow(bottom)) << "the status bar comes first";
    }
    {
        RelayFrame tabbed;
        CWnd* plain = tabbed.Add<CWnd>(100);
        CExtTabMdiWnd* tabs = tabbed.Add<CExtTabMdiWnd>(101);
        EXPECT_TRUE(g_PaintManager.IsRelayWindow(tabs));
        EXPECT_FALSE(g_PaintManager.IsRelayWindow(plain));
    }
}

TEST(PaintManagerHolder, RelayedChangesRebuildOnce)
{
    InjectedEnvironment environment;
    auto* manager = new CountingManager;
    environment.Install(manager);
    RelayFrame frame;
    ASSERT_TRUE(frame.Created());
    CWnd* plain = frame.Add<CWnd>(100);
    CExtDockOuterBar* top = frame.Add<CExtDockOuterBar>(0xE81B);
    for (CWnd* window : {static_cast<CWnd*>(frame.Frame()), plain, static_cast<CWnd*>(top)}) {
        g_PaintManager.RelaySysColorChange(window);
        g_PaintManager.RelaySettingChange(window, 0, nullptr);
        g_PaintManager.RelayDisplayChange(window, 32, 800, 600);
        g_PaintManager.RelayThemeChange(window, 0, 0);
    }
    EXPECT_EQ(manager->builds, 1 + 4);
}

} // namespace
