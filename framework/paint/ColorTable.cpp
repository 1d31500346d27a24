#include "framework/paint/ColorTable.h"

#include <initializer_list>

using namespace paint_color;

COLORREF CExtColorTable::ColorAt(int number) const
{
    int index = number;
    if (number > 999 && !m_aliases.Lookup(number, index))
        index = kFaceIndex;
    if (index < 0 || index >= m_colors.GetSize())
        index = kFaceIndex;
    return index < m_colors.GetSize() ? m_colors[index] : 0;
}

int CExtColorTable::AddColor(COLORREF color, int number, int wantedIndex)
{
    int index = wantedIndex;
    if (wantedIndex >= 0 && wantedIndex < m_colors.GetSize())
        m_colors.SetAt(wantedIndex, color);
    else
        index = static_cast<int>(m_colors.Add(color));
    Alias(number, index);
    return index;
}

void CExtColorTable::LoadSystemColors(const COLORREF* system)
{
    m_colors.SetSize(kSystemColorCount);
    for (int i = 0; i < kSystemColorCount; ++i)
        m_colors.SetAt(i, system[i]);
}

namespace {

enum SystemIndex
{
    kWindow = 5,
    kWindowText = 8,
    kHighlight = 13,
    kHighlightText = 14,
    kFace = 15,
    kShadow = 16,
    kButtonText = 18,
    kHilight = 20,
    kDarkShadow = 21,
    kLight = 22
};

COLORREF Adj(COLORREF c, double h, double l, double s) { return HlsAdjustColor(c, h, l, s); }

COLORREF Per999(COLORREF c) { return ScaleChannels(c, 999, 995, 995); }

void AliasEach(CExtColorTable& table, std::initializer_list<int> numbers, int index)
{
    for (int number : numbers)
        table.Alias(number, index);
}

// One colour for the frame edges 1002-1009 and, until the later aliases replace them, for
// 2002, 2004, 2006 and 2008.
void AddEdgeColor(CExtColorTable& table, COLORREF color)
{
    const int index = table.AddColor(color, 1002);
    AliasEach(table, {1003, 1004, 1005, 1006, 1007, 1008, 1009, 2002, 2004, 2006, 2008}, index);
}

// The scheme's first colour lightened, with red and green raised towards white.
COLORREF SchemeTint(COLORREF a)
{
    const COLORREF t0 = Adj(a, 0, 0.95, -0.05);
    return Rgb(Red(t0) + MulDivRounded(255 - Red(t0), 40, 100),
               Green(t0) + MulDivRounded(255 - Green(t0), 20, 100), Blue(t0));
}

// The five 3-D entries of the system colours that the scheme themes replace.
void SetFaceEntries(CExtColorTable& table, COLORREF face, COLORREF light, COLORREF hilight,
                    COLORREF shadow, COLORREF darkShadow)
{
    table.SetEntry(kFace, face);
    table.SetEntry(kLight, light);
    table.SetEntry(kHilight, hilight);
    table.SetEntry(kShadow, shadow);
    table.SetEntry(kDarkShadow, darkShadow);
}

void SetNumbers(ThemeColorNumbers& numbers)
{
    for (int i = 0; i < 6; ++i)
        numbers.pushButton[i] = 3019 + i;
    numbers.toolbarEdge = 3005;
}

void BuildOfficeSchemeColors(CExtColorTable& table, const ColorTableInputs& in,
                             ThemeColorNumbers& numbers)
{
    COLORREF a = 0, b = 0;
    OsSchemeColors(in.themeId, in.facts, &a, &b);
    const bool silver = in.facts.scheme == 3;
    const COLORREF t1 = SchemeTint(a);
    const COLORREF selection = Adj(t1, 0, 0.06, 0.05);

    table.AddColor(Adj(a, 0, 0.2, 0), 1000);
    table.AddColor(Adj(b, 0.02, 0.6, 0.45), 1001);
    AddEdgeColor(table, Adj(a, 0, -0.25, 0));
    AliasEach(table, {1010, 1011}, kWindowText);
    table.Alias(2010, kShadow);
    table.Alias(2006, kButtonText);
    table.AddColor(Adj(a, 0, 0.2, 0), 2000);
    table.AddColor(selection, 2001);
    table.AddColor(ScaleChannels(a, 857, 857, 857), 2002);
    table.AddColor(Adj(b, 0, -0.3, 0.45), 2003);
    table.AddColor(Adj(Adj(Adj(a, 0, 0.2, 0), 0, -0.25, 0.1), 0, -0.5, 0), 2004);
    table.AddColor(Per999(a), 2005);
    table.AddColor(Adj(a, 0, -0.68, 0), 2007);
    table.AddColor(Adj(a, 0, 0.5, 0), 2009);
    table.AddColor(silver ? Adj(a, 0.1, 0.8, 0) : Adj(a, 0, 0.43, 0), 3000);
    table.AddColor(silver ? Adj(a, 0.1, 0.4, 0) : a, 3001);
    table.AddColor(Adj(a, 0, 0.98, 0), 3010);
    table.AddColor(Adj(a, 0, -0.45, 0), 3011);
    table.AddColor(Adj(a, 0, -0.6, 0), 3003);
    table.AddColor(Adj(a, 0, 0.95, 0), 3002);
    table.AddColor(Adj(a, 0, -0.1, 0), 3004);
    table.AddColor(Adj(a, 0, -0.6, 0), 3005);
    table.AddColor(Adj(b, 0, 0.85, 0), 3006);
    table.AddColor(Adj(b, 0, -0.05, 0), 3007);
    table.AddColor(Adj(b, 0, 0.3, 0), 3008);
    table.AddColor(Adj(b, 0, -0.3, 0), 3009);
    table.AddColor(Adj(a, 0, 0.97, 0), 3012);
    table.AddColor(Adj(a, 0, -0.97, 0), 3013);
    table.Alias(3014, kShadow);
    table.AddColor(Adj(a, 0, 0.75, 0), 3015);
    table.AddColor(Adj(table.ColorAt(2000), 0, -0.1, 0), 3016);
    table.AddColor(Adj(a, 0, 0.3, 0), 3017);
    table.AddColor(Adj(a, 0, -0.25, 0), 3018);
    table.AddColor(Adj(b, 0, 0.8, 0), 3019);
    table.AddColor(Adj(b, 0, 0.2, 0), 3020);
    table.AddColor(Adj(b, 0, 0.4, 0), 3021);
    table.AddColor(Adj(b, 0, -0.05, 0), 3022);
    table.AddColor(Adj(b, 0, -0.3, 0.75), 3023);
    table.AddColor(Adj(b, 0, 0.5, 0), 3024);
    SetNumbers(numbers);
    SetFaceEntries(table, a, Adj(a, 0, 0.45, 0.1), Adj(a, 0, 0.75, 0), Adj(a, 0, -0.45, 0.1),
                   Adj(a, 0, -0.75, 0));
}

void BuildOfficeSystemColors(CExtColorTable& table)
{
    AliasEach(table, {3000, 3010, 3002, 3012, 3015}, kWindow);
    table.Alias(3001, kFace);
    table.AddColor(Adj(table.ColorAt(kFace), 0, -0.2, 0), 3011);
    table.AddColor(Adj(table.ColorAt(kShadow), 0, 0.2, 0), 3003);
    table.AddColor(Adj(table.ColorAt(kShadow), 0, 0.7, 0.1), 3004);
    table.AddColor(Adj(table.ColorAt(kShadow), 0, -0.05, 0), 3005);
    table.Alias(3006, table.AddColor(Adj(table.ColorAt(2003), 0, 0.3, 0), 3007));
    table.Alias(3008, table.AddColor(Adj(table.ColorAt(2003), 0, 0.6, 0), 3009));
    table.Alias(3013, kButtonText);
    table.Alias(3014, kShadow);
    table.AddColor(table.ColorAt(2000), 3016);
    table.AddColor(table.ColorAt(2001), 3017);
    table.Alias(3018, kFace);
}

void BuildStudioOwnColors(CExtColorTable& table, const ColorTableInputs& in,
                          ThemeColorNumbers& numbers)
{
    numbers = ThemeColorNumbers();
    BuildXpColors(table, in);
    COLORREF a = 0, b = 0;
    OsSchemeColors(in.themeId, in.facts, &a, &b);
    const COLORREF t1 = SchemeTint(a);
    const COLORREF p = Adj(b, 0, 0.7, 0);
    const COLORREF q = Adj(b, 0, 0.5, 0);

    table.AddColor(a, 1000);
    table.AddColor(p, 1001);
    AddEdgeColor(table, t1);
    AliasEach(table, {1010, 1011}, kWindowText);
    table.Alias(2010, kShadow);
    table.Alias(2006, kButtonText);
    table.AddColor(a, 2000);
    table.AddColor(t1, 2001);
    table.AddColor(ScaleChannels(a, 857, 857, 857), 2002);
    table.AddColor(q, 2003);
    table.AddColor(b, 2004);
    table.AddColor(Per999(a), 2005);
    table.AddColor(Adj(a, 0, -0.5, 0), 2007);
    table.AddColor(a, 2009);
    table.AddColor(Adj(a, 0, 0.8, 0), 3000);
    table.AddColor(Adj(a, 0, 0.15, 0), 3001);
    table.AddColor(Adj(a, 0, 0.98, 0), 3010);
    table.AddColor(Adj(a, 0, -0.4, 0), 3011);
    table.AddColor(Adj(a, 0, -0.2, 0), 3003);
    table.AddColor(Adj(a, 0, 0.95, 0), 3002);
    table.AddColor(Adj(a, 0, 0.6, 0), 3004);
    table.AddColor(Adj(a, 0, -0.4, -0.4), 3005);
    table.AddColor(p, 3006);
    table.AddColor(p, 3007);
    table.AddColor(q, 3008);
    table.AddColor(q, 3009);
    table.AddColor(Adj(a, 0, 0.97, 0), 3012);
    table.AddColor(Adj(a, 0, -0.97, 0), 3013);
    table.Alias(3014, kShadow);
    table.AddColor(Adj(a, 0, 0.98, 0), 3015);
    table.AddColor(Adj(table.ColorAt(2000), 0, -0.2, -0.1), 3016);
    table.AddColor(Adj(a, 0, 0.98, 0), 3017);
    table.AddColor(Adj(table.ColorAt(2000), 0, -0.4, -0.1), 3018);
    table.AddColor(p, 3019);
    table.AddColor(p, 3020);
    for (int number = 3021; number <= 3024; ++number)
        table.AddColor(q, number);
    SetNumbers(numbers);
    SetFaceEntries(table, a, Adj(a, 0, 0.1, 0), Adj(a, 0, 0.95, 0), Adj(a, 0, -0.3, -0.5),
                   Adj(a, 0, -0.7, -0.5));
}

} // namespace

bool OsColorSchemeActive(int themeId, const VisualStyleFacts& facts)
{
    if (themeId == kThemeXp)
        return facts.bound;
    if (themeId < kThemeXp || !facts.bound || !facts.taskbandRead)
        return false;
    if (themeId == kThemeStudio2005)
        return facts.scheme == 1 || facts.scheme == 3;
    return facts.scheme >= 1 && facts.scheme <= 3;
}

bool OsSchemeColors(int themeId, const VisualStyleFacts& facts, COLORREF* first, COLORREF* second)
{
    if (themeId < kThemeOffice2003 || !OsColorSchemeActive(themeId, facts))
        return false;
    COLORREF a = 0, b = 0;
    if (themeId == kThemeStudio2005 && facts.scheme == 1) {
        a = Rgb(225, 225, 210);
        b = Rgb(49, 106, 197);
    } else {
        double hue = 0, saturation = 0, lightness = 0, light = 0, shadow = 0, unused = 0;
        RgbToHls(facts.taskband[5], hue, saturation, lightness);
        RgbToHls(facts.taskband[0], unused, unused, light);
        RgbToHls(facts.taskband[2], unused, unused, shadow);
        a = HlsToRgb(hue, (light + shadow) / 2, saturation);
        b = Adj(facts.taskband[6], 0.01, 0, 0);
    }
    if (first)
        *first = a;
    if (second)
        *second = b;
    return true;
}

void BuildClassicColors(CExtColorTable& table)
{
    table.RemoveAliases();
    AliasEach(table, {1000, 1001, 2000}, kFace);
    AliasEach(table, {1002, 1003, 2002}, kLight);
    AliasEach(table, {1004, 1005, 2004}, kHilight);
    AliasEach(table, {1006, 1007, 2006}, kShadow);
    AliasEach(table, {1008, 1009, 2008}, kDarkShadow);
    AliasEach(table, {1010, 1011}, kWindowText);
    table.Alias(2010, kShadow);
}

void BuildXpColors(CExtColorTable& table, const ColorTableInputs& in)
{
    const COLORREF* sys = in.system;
    const COLORREF f = sys[kFace], sh = sys[kShadow], dk = sys[kDarkShadow], w = sys[kWindow];
    const COLORREF h = sys[kHighlight];
    const bool deep = in.bitsPerPixel > 8;
    const bool scheme = OsColorSchemeActive(in.themeId, in.facts);
    BuildClassicColors(table);

    const COLORREF lightFace = deep ? Adj(f, 0, 0.2, 0) : f;
    const COLORREF selection = !deep ? f : scheme ? Adj(h, 0, 0.65, 0) : Adj(h, 0, 0.7, -0.7);
    const COLORREF selectionDark = !deep ? sh : scheme ? Adj(h, 0, 0.4, 0) : Adj(h, 0, 0.5, -0.7);
    const COLORREF menuBack =
        deep ? Rgb(Red(w) - MulDivRounded(Red(w), 2, 85), Green(w) - MulDivRounded(Green(w), 5, 182),
                   Blue(w) - MulDivRounded(Blue(w), 10, 319))
             : w;
    const COLORREF face86 = deep ? ScaleChannels(f, 857, 857, 857) : sh;
    const COLORREF face99 = deep ? Per999(f) : sh;
    const COLORREF edge = deep ? Rgb((3 * Red(sh) + Red(dk)) / 4, (3 * Green(sh) + Green(dk)) / 4,
                                     (3 * Blue(sh) + Blue(dk)) / 4)
                               : sh;
    const COLORREF accent = deep ? h : sys[kButtonText];

    table.AddColor(lightFace, 1000);
    table.AddColor(selection, 1001);
    AddEdgeColor(table, edge);
    table.Alias(1010, kWindowText);
    table.AddColor(deep ? Rgb(0, 0, 0) : sys[kHilight], 1011);
    table.Alias(2010, kShadow);
    table.Alias(2006, kHighlightText);
    table.AddColor(lightFace, 2000);
    table.AddColor(menuBack, 2001);
    table.AddColor(face86, 2002);
    table.AddColor(selectionDark, 2003);
    table.AddColor(accent, 2004);
    table.AddColor(face99, 2005);
    table.Alias(2007, kDarkShadow);
    table.AddColor(menuBack, 2008);
    table.AddColor(table.ColorAt(1000), 2009);
}

void BuildOffice2003Colors(CExtColorTable& table, const ColorTableInputs& in,
                           ThemeColorNumbers& numbers)
{
    numbers = ThemeColorNumbers();
    BuildXpColors(table, in);
    if (in.bitsPerPixel <= 8)
        table.AddColor(table.ColorAt(kShadow), 3014);
    else if (OsColorSchemeActive(in.themeId, in.facts))
        BuildOfficeSchemeColors(table, in, numbers);
    else
        BuildOfficeSystemColors(table);
}

void BuildStudio2005Colors(CExtColorTable& table, const ColorTableInputs& in,
                           ThemeColorNumbers& numbers)
{
    if (in.bitsPerPixel > 8 && OsColorSchemeActive(in.themeId, in.facts) && in.facts.scheme != 3)
        BuildStudioOwnColors(table, in, numbers);
    else
        BuildOffice2003Colors(table, in, numbers);
}

void BuildThemeColors(CExtColorTable& table, const ColorTableInputs& inputs,
                      ThemeColorNumbers& numbers)
{
    numbers = ThemeColorNumbers();
    if (inputs.themeId == kThemeStudio2005)
        BuildStudio2005Colors(table, inputs, numbers);
    else if (inputs.themeId == kThemeOffice2003)
        BuildOffice2003Colors(table, inputs, numbers);
    else if (inputs.themeId == kThemeXp)
        BuildXpColors(table, inputs);
    else
        BuildClassicColors(table);
}
