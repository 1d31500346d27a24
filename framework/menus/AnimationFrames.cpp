#include "framework/menus/AnimationFrames.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kCell = 32;

void Offset(RECT& rect, int dx, int dy)
{
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

size_t PixelCount(const AnimationBuffers_t& buffers)
{
    return static_cast<size_t>(buffers.m_width) * static_cast<size_t>(buffers.m_height);
}

COLORREF Blend(COLORREF final, COLORREF background, int step)
{
    COLORREF result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int f = static_cast<int>((final >> shift) & 0xFF);
        const int b = static_cast<int>((background >> shift) & 0xFF);
        result |= static_cast<COLORREF>((step * f + (100 - step) * b) / 100) << shift;
    }
    return result;
}

} // namespace

void ComposeFadeFrame(const AnimationBuffers_t& buffers, int step)
{
    for (size_t i = 0; i < PixelCount(buffers); ++i)
        buffers.m_frame[i] = Blend(buffers.m_final[i], buffers.m_background[i], step);
}

void ComposeNoiseFrame(const AnimationBuffers_t& buffers, int step, int previousStep,
                       const std::function<int()>& random)
{
    const int d = step - previousStep;
    if (d <= 0)
        return;
    for (size_t i = 0; i < PixelCount(buffers); ++i) {
        if (buffers.m_frame[i] != buffers.m_final[i] && random() % d > d / 2 + 1)
            buffers.m_frame[i] = buffers.m_final[i];
    }
}

void ComposeGridFrame(const AnimationBuffers_t& buffers, int step)
{
    for (int y = 0; y < buffers.m_height; ++y) {
        const bool wholeRow = 100 - (y % kCell) * 100 / kCell < step;
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(buffers.m_width);
        for (int x = 0; x < buffers.m_width; ++x) {
            const size_t i = row + static_cast<size_t>(x);
            const bool final = wholeRow || (x % kCell) * 100 / kCell < step;
            buffers.m_frame[i] = final ? buffers.m_final[i] : buffers.m_background[i];
        }
    }
}

void ComposeCirclesFrame(const AnimationBuffers_t& buffers, int step, bool holes)
{
    const double radius = (holes ? 100 - step : step) * 16 * 0.01;
    if (radius <= 0)
        return;
    // Inside the discs: the final image (circles) or the background (holes); outside the other.
    const COLORREF* inside = holes ? buffers.m_background : buffers.m_final;
    const COLORREF* outside = holes ? buffers.m_final : buffers.m_background;
    for (int y = 0; y < buffers.m_height; ++y) {
        const int dy = std::abs(y % kCell - kCell / 2);
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(buffers.m_width);
        for (int x = 0; x < buffers.m_width; ++x) {
            const int dx = std::abs(x % kCell - kCell / 2);
            const size_t i = row + static_cast<size_t>(x);
            buffers.m_frame[i] = std::sqrt(dx * dx + dy * dy) < radius ? inside[i] : outside[i];
        }
    }
}

RECT AnimatedImageRect(int kind, int step, int joinSide, const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    RECT rect = area;
    if (kind == 2 || kind == 3) {
        const int dx = kind == 2 ? (100 - step) * width / 100 : 0;
        const int dy = (100 - step) * height / 100;
        const int offsetX = joinSide == 3 ? dx : -dx;
        const int offsetY = joinSide == 2 ? dy : -dy;
        Offset(rect, offsetX, offsetY);
        return rect;
    }
    const int shownWidth = kind == 5 ? step * width / 100 : width;
    const int shownHeight = step * height / 100;
    if (kind == 5 && joinSide == 3)
        rect.left = rect.right - shownWidth;
    else
        rect.right = rect.left + shownWidth;
    if (joinSide == 2)
        rect.top = rect.bottom - shownHeight;
    else
        rect.bottom = rect.top + shownHeight;
    return rect;
}

std::vector<RECT> ExpandDestinations(const std::vector<ExpandItem_t>& items, int step,
                                     const RECT& area, bool growUp)
{
    std::vector<RECT> destinations;
    int y = area.top;
    for (const ExpandItem_t& item : items) {
        const int height = item.m_source.bottom - item.m_source.top;
        const int shown = item.m_rarelyUsed ? height * step / 100 : height;
        destinations.push_back({item.m_source.left, y, item.m_source.right, y + shown});
        y += shown;
    }
    if (destinations.empty())
        return destinations;
    destinations.back().bottom = area.bottom;
    if (growUp) {
        const int hidden = area.bottom - y;
        for (size_t i = 0; i + 1 < destinations.size(); ++i)
            Offset(destinations[i], 0, hidden);
        destinations.back().top += hidden;
    }
    return destinations;
}
