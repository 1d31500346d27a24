#include "framework/menus/ShadowPixels.h"

#include <algorithm>
#include <cmath>

namespace {

int MulDivRound(int a, int b, int c)
{
    // As the system's MulDiv: rounded half away from zero.
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

ShadowBands_t PlainShadowBands(int width, int height, int size)
{
    ShadowBands_t bands;
    bands.m_bottomFrom = 2 * size + 1;
    bands.m_bottomTo = width - 1;
    bands.m_rightFrom = 2 * size;
    bands.m_rightTo = height - 2;
    return bands;
}

ShadowBands_t JoinedShadowBands(int width, int height, int size, const RECT& r1, const RECT& r2,
                                const RECT& popup)
{
    ShadowBands_t bands = PlainShadowBands(width, height, size);
    if (r1.right == r2.right) {
        if (r1.top < r2.top) {
            bands.m_rightTo = height - 2 + size;
            bands.m_farCorner = false;
        } else {
            bands.m_rightFrom = size;
            bands.m_rightCorner = false;
        }
    } else if (r1.left == r2.left && r2.bottom >= r1.top - 1 && r2.top < r1.top &&
               r2.right >= r1.right) {
        bands.m_rightFrom = 0;
        bands.m_rightFromByDepth = true;
        bands.m_rightCorner = false;
    } else if (r1.left == r2.left && r1.bottom >= r2.top - 1 && r1.top < r2.top &&
               r1.right >= r2.right) {
        bands.m_bottomFrom = r2.right + popup.right - r1.right + 1;
        bands.m_bottomFromByDepth = true;
        bands.m_bottomCorner = false;
    } else if (r2.bottom == r1.bottom) {
        if (r1.left < r2.left) {
            bands.m_bottomTo = width - 1 + size;
            bands.m_farCorner = false;
        } else {
            bands.m_bottomFrom = size + 1;
            bands.m_bottomCorner = false;
        }
    } else if (r1.right == r2.left + 1) {
        bands.m_rightGapFrom = r2.bottom + popup.top - r1.top - 1;
    } else if (r2.right == r1.left + 1) {
        bands.m_bottomFrom = 1;
        bands.m_bottomFromByDepth = true;
        bands.m_bottomCorner = false;
    }
    return bands;
}

int ShadowPercent(int depth, int size, int edgePercent, int outerPercent)
{
    return edgePercent + depth * (outerPercent - edgePercent) / size;
}

COLORREF DarkenPixel(COLORREF pixel, int percent, COLORREF tint)
{
    COLORREF result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int channel = static_cast<int>((pixel >> shift) & 0xFF);
        int kept = percent;
        if (tint != CLR_INVALID) {
            const int t = static_cast<int>((tint >> shift) & 0xFF);
            kept = std::min(100, percent + MulDivRound(100 - percent, t, 255));
        }
        result |= static_cast<COLORREF>(channel * kept / 100) << shift;
    }
    return result;
}

void DarkenShadowArea(COLORREF* bits, int stride, int width, int height, int size,
                      int edgePercent, int outerPercent, COLORREF tint, const ShadowBands_t& bands)
{
    const int areaWidth = width + size;
    const int areaHeight = height + size;
    const auto darken = [&](int x, int y, int percent) {
        if (x >= 0 && y >= 0 && x < areaWidth && y < areaHeight) {
            COLORREF& pixel = bits[static_cast<size_t>(y) * static_cast<size_t>(stride) +
                                   static_cast<size_t>(x)];
            pixel = DarkenPixel(pixel, percent, tint);
        }
    };
    for (int i = 0; i < size; ++i) {
        const int percent = ShadowPercent(i, size, edgePercent, outerPercent);
        const int bottomFrom = bands.m_bottomFrom + (bands.m_bottomFromByDepth ? i : 0);
        for (int x = bottomFrom; x <= bands.m_bottomTo; ++x)
            darken(x, height - 1 + i, percent);
        const int rightFrom = bands.m_rightFrom + (bands.m_rightFromByDepth ? i : 0);
        for (int y = rightFrom; y <= bands.m_rightTo; ++y) {
            if (y >= bands.m_rightGapFrom && y < bands.m_rightGapFrom + i)
                continue;
            darken(width + i, y, percent);
        }
    }
    for (int i = 0; i < size; ++i) {
        for (int k = 0; k < size; ++k) {
            const int squared = i * i + k * k;
            if (squared > size * size)
                continue;
            const int distance = static_cast<int>(std::sqrt(static_cast<double>(squared)));
            const int percent = ShadowPercent(distance, size, edgePercent, outerPercent);
            if (bands.m_farCorner)
                darken(width + i, height - 1 + k, percent);
            if (bands.m_bottomCorner)
                darken(2 * size - i, height - 1 + k, percent);
            if (bands.m_rightCorner)
                darken(width + i, 2 * size - 1 - k, percent);
        }
    }
}
