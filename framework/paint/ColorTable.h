// The colour table of a paint manager and the formulas that fill it for each theme, without
// windows: the system colours, the visual style's facts and the screen depth come in as inputs,
// so the formulas can be checked against an independent implementation.
#pragma once

#include "framework/paint/ColorMath.h"
#include "platform/Array.h"
#include "platform/Map.h"

// Entries 0-49 are the system colours; the themes append theirs. Framework colour numbers from
// 1000 up are aliases of entries.
class CExtColorTable
{
public:
    static constexpr int kSystemColorCount = 50;
    static constexpr int kFaceIndex = 15;

    // An unknown number, an alias below 0 or an index outside the table answer entry 15.
    COLORREF ColorAt(int number) const;
    // Appends the colour (or replaces the entry wanted, when it lies inside the table) and
    // makes it the alias of number; answers its index.
    int AddColor(COLORREF color, int number, int wantedIndex = -1);
    void Alias(int number, int index) { m_aliases.SetAt(number, index); }
    void RemoveAliases() { m_aliases.RemoveAll(); }
    void SetEntry(int index, COLORREF color) { m_colors.SetAt(index, color); }
    INT_PTR GetSize() const { return m_colors.GetSize(); }
    // Entries 0-49 become the system colours. The colours a theme appended before are dropped, so
    // rebuilding after every system change does not grow the table.
    void LoadSystemColors(const COLORREF* system);
    void RemoveAll()
    {
        m_colors.RemoveAll();
        m_aliases.RemoveAll();
    }

private:
    CArray<COLORREF, COLORREF> m_colors;
    CMap<int, int, int, int> m_aliases;
};

// What the visual style of the system says: bound (its functions exist), the application is
// themed, the seven taskband colours were read, and the colour scheme (0 none, 1 blue,
// 2 olive, 3 silver).
struct VisualStyleFacts
{
    bool bound = false;
    bool themed = false;
    bool taskbandRead = false;
    int scheme = 0;
    // Edge light, edge highlight, edge shadow, edge dark shadow, edge fill, fill colour hint,
    // accent colour hint.
    COLORREF taskband[7] = {};
};

enum ThemeId
{
    kThemeClassic = 1,
    kThemeXp = 2,
    kThemeOffice2003 = 3,
    kThemeStudio2005 = 4
};

// Whether the theme follows the OS colour scheme, and the two colours it takes from it.
bool OsColorSchemeActive(int themeId, const VisualStyleFacts& facts);
bool OsSchemeColors(int themeId, const VisualStyleFacts& facts, COLORREF* first, COLORREF* second);

// What a theme's table is built from. The system colours are the 50 GetSysColor values.
struct ColorTableInputs
{
    const COLORREF* system = nullptr;
    int bitsPerPixel = 32;
    int themeId = kThemeXp;
    VisualStyleFacts facts;
};

// Colour numbers the Office-style themes set besides the table: the push buttons' gradient pairs
// (hot, pushed, hot and pushed) and the toolbar edge; -1 for none.
struct ThemeColorNumbers
{
    int pushButton[6] = {-1, -1, -1, -1, -1, -1};
    int toolbarEdge = -1;
};

void BuildClassicColors(CExtColorTable& table);
void BuildXpColors(CExtColorTable& table, const ColorTableInputs& inputs);
void BuildOffice2003Colors(CExtColorTable& table, const ColorTableInputs& inputs,
                           ThemeColorNumbers& numbers);
void BuildStudio2005Colors(CExtColorTable& table, const ColorTableInputs& inputs,
                           ThemeColorNumbers& numbers);
// The table of inputs.themeId: XP, Office 2003 or Studio 2005 (the classic one has no inputs).
void BuildThemeColors(CExtColorTable& table, const ColorTableInputs& inputs,
                      ThemeColorNumbers& numbers);
