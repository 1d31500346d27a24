// Prints the colour answers of the four paint managers for an environment given on the command
// line, for paint_colors_oracle_test.py:
//   paint_colors_probe BITS SCHEME BOUND TASKBAND_READ T0 ... T6   (colours as hex 0xBBGGRR)
// Lines: "sys I VALUE" for the system colours used, then "THEME NUMBER VALUE".
#include <cstdio>
#include <cstdlib>

#include "framework/paint/PaintManagerHolder.h"

int main(int argc, char** argv)
{
    if (argc != 12) {
        std::fprintf(stderr, "usage: paint_colors_probe BITS SCHEME BOUND READ T0..T6\n");
        return 3;
    }
    COLORREF system[50];
    for (int i = 0; i < 50; ++i)
        system[i] = ::GetSysColor(i);
    VisualStyleFacts facts;
    facts.scheme = std::atoi(argv[2]);
    facts.bound = std::atoi(argv[3]) != 0;
    facts.themed = facts.bound;
    facts.taskbandRead = std::atoi(argv[4]) != 0;
    for (int i = 0; i < 7; ++i)
        facts.taskband[i] = static_cast<COLORREF>(std::strtoul(argv[5 + i], nullptr, 16));
    PaintSystemOverrides overrides;
    overrides.systemColors = system;
    overrides.bitsPerPixel = std::atoi(argv[1]);
    overrides.visualStyle = &facts;
    g_PaintManager.SetOverrides(&overrides);
    g_PaintManager.ForgetVisualStyle();

    for (int i = 0; i < 50; ++i)
        std::printf("sys %d %06lX\n", i, system[i]);
    CRuntimeClass* const themes[] = {
        RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
        RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)};
    for (CRuntimeClass* theme : themes) {
        if (!g_PaintManager.SetCurrentPaintManagerFromClass(theme))
            return 1;
        CExtPaintManager* manager = g_PaintManager.GetHeldObject();
        const int ranges[][2] = {{0, 49}, {1000, 1011}, {2000, 2010}, {3000, 3024}};
        for (const auto& range : ranges) {
            for (int n = range[0]; n <= range[1]; ++n)
                std::printf("%d %d %06lX\n", manager->GetThemeId(), n, manager->ColorAt(n));
        }
    }
    g_PaintManager.SetOverrides(nullptr);
    return 0;
}
