#include "editors/ColorEditLines.h"

#include <algorithm>

ColorEditLines::ColorEditLines()
{
    RemoveAll();
}

void ColorEditLines::InsertAt(const std::string& text, int index, bool colourNow)
{
    const auto at = static_cast<size_t>(index);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), text);
    m_colors.insert(m_colors.begin() + static_cast<std::ptrdiff_t>(at), ColorEditColors());
    m_longestKnown = false;
    if (colourNow)
        Colour(at);
}

void ColorEditLines::SetAt(const std::string& text, int index)
{
    m_lines.at(static_cast<size_t>(index)) = text;
    m_longestKnown = false;
    Colour(static_cast<size_t>(index));
}

void ColorEditLines::RemoveAt(int index)
{
    const auto at = static_cast<std::ptrdiff_t>(index);
    m_lines.erase(m_lines.begin() + at);
    m_colors.erase(m_colors.begin() + at);
    m_longestKnown = false;
}

void ColorEditLines::RemoveAll()
{
    m_lines.assign(1, std::string());
    m_colors.assign(1, ColorEditColors());
    m_longest = 0;
    m_longestKnown = true;
}

void ColorEditLines::RecolourAll()
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        Colour(i);
}

int ColorEditLines::GetLongest() const
{
    if (!m_longestKnown) {
        size_t longest = 0;
        for (const std::string& line : m_lines)
            longest = std::max(longest, line.size());
        m_longest = static_cast<int>(longest);
        m_longestKnown = true;
    }
    return m_longest;
}

void ColorEditLines::SetSyntax(const ColorEditSyntax* syntax)
{
    m_syntax = syntax;
}

void ColorEditLines::Colour(size_t index)
{
    (m_syntax ? *m_syntax : m_defaultSyntax).ColorLine(m_lines[index], m_colors[index]);
}
