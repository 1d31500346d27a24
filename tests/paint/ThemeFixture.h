// A test fixture that installs any of the four themes over injected system facts: 32 bits per
// pixel and gradients painted in bands, so that colours can be probed exactly.
#pragma once
#include <gtest/gtest.h>

#include "tests/paint/PaintTestSupport.h"

const int kAllThemes[] = {kThemeClassic, kThemeXp, kThemeOffice2003, kThemeStudio2005};
const COLORREF kUntouched = RGB(255, 0, 255);

class ThemeFixture : public ::testing::Test
{
protected:
    ThemeFixture()
    {
        environment.SetBitsPerPixel(32);
        environment.SetNoGradientFill(true);
    }
    CExtPaintManager& Use(int theme)
    {
        switch (theme) {
        case kThemeClassic:
            environment.Install(new CExtPaintManager);
            break;
        case kThemeXp:
            environment.Install(new CExtPaintManagerXP);
            break;
        case kThemeOffice2003:
            environment.Install(new CExtPaintManagerOffice2003);
            break;
        default:
            environment.Install(new CExtPaintManagerStudio2005);
            break;
        }
        return *g_PaintManager.GetHeldObject();
    }
    InjectedEnvironment environment;
};

// A pixel and the colour number expected there, -1 for an untouched pixel.
struct Probe
{
    int x, y;
    int color;
};

inline COLORREF ExpectedAt(const CExtPaintManager& manager, const Probe& probe)
{
    return probe.color < 0 ? kUntouched : manager.ColorAt(probe.color);
}
