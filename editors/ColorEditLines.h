// ColorEditLines: the script editor's text as lines of bytes (no line breaks inside), each with
// its colours from the colouring object in use. It always holds at least one line. The longest
// line's length is found when asked after a change, so that an edit touching many lines scans
// them once.
#pragma once
#include <deque>
#include <string>

#include "editors/ColorEditSyntax.h"

class ColorEditLines
{
public:
    // One empty line, coloured by the embedded colouring object with empty keyword sets.
    ColorEditLines();

    int GetCount() const { return static_cast<int>(m_lines.size()); }
    // Inserts text as line index (0 to the count); colourNow colours it at once, otherwise it
    // has no colours until RecolourAll.
    void InsertAt(const std::string& text, int index, bool colourNow);
    // Replaces line index and colours it.
    void SetAt(const std::string& text, int index);
    void RemoveAt(int index);
    // Leaves one empty line.
    void RemoveAll();
    const std::string& GetAt(int index) const { return m_lines.at(static_cast<size_t>(index)); }
    // The line's colours; std::out_of_range for a line that does not exist.
    const ColorEditColors& GetColors(int index) const
    {
        return m_colors.at(static_cast<size_t>(index));
    }
    void RecolourAll();
    // The byte length of the longest line, 0 when all are empty.
    int GetLongest() const;
    // The colouring object to use from now on (not owned); null for the embedded one. Colours
    // nothing by itself.
    void SetSyntax(const ColorEditSyntax* syntax);

private:
    void Colour(size_t index);

    std::deque<std::string> m_lines;
    std::deque<ColorEditColors> m_colors;
    ColorEditSyntax m_defaultSyntax;
    // Null for the embedded one.
    const ColorEditSyntax* m_syntax = nullptr;
    mutable int m_longest = 0;
    mutable bool m_longestKnown = true;
};
