#include "framework/paint/ColorMath.h"

#include <cstdint>
#include <cstdlib>

namespace paint_color {

int MulDivRounded(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return static_cast<int>(result);
}

COLORREF InvertColor(COLORREF color)
{
    return Rgb(255 - Red(color), 255 - Green(color), 255 - Blue(color));
}

void RgbToHls(COLORREF color, double& hue, double& saturation, double& lightness)
{
    const double r = Red(color) * 0.00392156862745098;
    const double g = Green(color) * 0.00392156862745098;
    const double b = Blue(color) * 0.00392156862745098;
    const double max = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const double min = r < g ? (r < b ? r : b) : (g < b ? g : b);
    lightness = (max + min) / 2;
    if (max == min) {
        hue = 0;
        saturation = 0;
        return;
    }
    const double d = max - min;
    saturation = lightness < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max)
        hue = (g - b) / d;
    else if (g == max)
        hue = 2 + (b - r) / d;
    else
        hue = 4 + (r - g) / d;
    hue /= 6;
    if (hue < 0)
        hue += 1;
}

namespace {

double HueToChannel(double m1, double m2, double h)
{
    if (h < 0)
        h += 1;
    if (h > 1)
        h -= 1;
    if (6 * h < 1)
        return m1 + (m2 - m1) * (6 * h);
    if (2 * h < 1)
        return m2;
    if (3 * h < 2)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6;
    return m1;
}

float DegreesToChannel(float m1, float m2, double h)
{
    if (h > 360)
        h -= 360;
    if (h < 0)
        h += 360;
    if (h < 60)
        return static_cast<float>(m1 + (m2 - m1) * h / 60);
    if (h < 180)
        return m2;
    if (h < 240)
        return static_cast<float>(m1 + (m2 - m1) * (240 - h) / 60);
    return m1;
}

int Channel(double value) { return static_cast<int>(value * 255); }

double Scale(double part, double factor)
{
    if (factor > 0)
        part += (1 - part) * factor;
    else if (factor < 0)
        part *= 1 + factor;
    return part < 0 ? 0 : part > 1 ? 1 : part;
}

} // namespace

COLORREF HlsToRgb(double hue, double lightness, double saturation)
{
    if (saturation == 0)
        return Rgb(Channel(lightness), Channel(lightness), Channel(lightness));
    const double m2 = lightness <= 0.5 ? lightness * (1 + saturation)
                                       : lightness + saturation - lightness * saturation;
    const double m1 = 2 * lightness - m2;
    return Rgb(Channel(HueToChannel(m1, m2, hue + 1.0 / 3.0)), Channel(HueToChannel(m1, m2, hue)),
               Channel(HueToChannel(m1, m2, hue - 1.0 / 3.0)));
}

COLORREF HlsDegreesToRgb(double hue, double lightness, double saturation)
{
    if (saturation == 0)
        return Rgb(Channel(lightness), Channel(lightness), Channel(lightness));
    const float m2 = static_cast<float>(lightness <= 0.5 ? lightness * (1 + saturation)
                                                         : lightness + saturation - lightness * saturation);
    const float m1 = static_cast<float>(2 * lightness - m2);
    return Rgb(Channel(DegreesToChannel(m1, m2, hue + 120)), Channel(DegreesToChannel(m1, m2, hue)),
               Channel(DegreesToChannel(m1, m2, hue - 120)));
}

COLORREF HlsAdjustColor(COLORREF color, double hueFactor, double lightnessFactor,
                        double saturationFactor)
{
    double hue = 0, saturation = 0, lightness = 0;
    RgbToHls(color, hue, saturation, lightness);
    return HlsToRgb(Scale(hue, hueFactor), Scale(lightness, lightnessFactor),
                    Scale(saturation, saturationFactor));
}

COLORREF ScaleChannels(COLORREF color, int redPerMille, int greenPerMille, int bluePerMille)
{
    return Rgb(Red(color) * redPerMille / 1000, Green(color) * greenPerMille / 1000,
               Blue(color) * bluePerMille / 1000);
}

COLORREF MixHalf(COLORREF x, COLORREF y)
{
    return Rgb(Red(x) + (Red(y) - Red(x)) / 2, Green(x) + (Green(y) - Green(x)) / 2,
               Blue(x) + (Blue(y) - Blue(x)) / 2);
}

COLORREF MixFifths(COLORREF x, COLORREF y, int fifths)
{
    return Rgb(Red(x) + MulDivRounded(Red(y) - Red(x), fifths, 5),
               Green(x) + MulDivRounded(Green(y) - Green(x), fifths, 5),
               Blue(x) + MulDivRounded(Blue(y) - Blue(x), fifths, 5));
}

} // namespace paint_color
