// Colour arithmetic of the themes, without windows: RGB and HLS conversions, the HLS adjustment
// the colour tables are built from, and the system's rounded MulDiv. Colours are COLORREF values
// (0x00BBGGRR). Compiled with SSE arithmetic: x87 precision would change the truncations.
#pragma once

#include "platform/Types.h"

#ifndef _WIN32
typedef DWORD COLORREF;
#endif

namespace paint_color {

constexpr COLORREF Rgb(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int Red(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// a x b / c rounded half away from zero; -1 when c is 0 or the result does not fit.
int MulDivRounded(int a, int b, int c);

COLORREF InvertColor(COLORREF color);
void RgbToHls(COLORREF color, double& hue, double& saturation, double& lightness);
COLORREF HlsToRgb(double hue, double lightness, double saturation);
COLORREF HlsDegreesToRgb(double hue, double lightness, double saturation);
// Each factor moves its component towards 1 (positive) or towards 0 (negative) by that share.
COLORREF HlsAdjustColor(COLORREF color, double hueFactor, double lightnessFactor,
                        double saturationFactor);

// Each channel x numerator / denominator, truncated.
COLORREF ScaleChannels(COLORREF color, int redPerMille, int greenPerMille, int bluePerMille);
// x + (y - x) / 2 per channel, the difference truncated towards zero.
COLORREF MixHalf(COLORREF x, COLORREF y);
// x + MulDiv(y - x, fifths, 5) per channel.
COLORREF MixFifths(COLORREF x, COLORREF y, int fifths);

} // namespace paint_color
