// What the button painters' tests share: the four themes installed one after the other, and a
// command image that records how it was asked to paint instead of painting.
#pragma once
#include <cstdlib>
#include <vector>

#include "framework/commands/CmdIcon.h"
#include "tests/paint/PaintTestSupport.h"

struct ThemeCase
{
    const char* name;
    CRuntimeClass* kind;
    bool flatFamily;
};

inline const ThemeCase kThemes[4] = {
    {"classic", RUNTIME_CLASS(CExtPaintManager), false},
    {"xp", RUNTIME_CLASS(CExtPaintManagerXP), true},
    {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003), true},
    {"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005), true}};

// Installs a theme of the case's class in the injected environment and returns it.
inline CExtPaintManager& InstallTheme(const ThemeCase& theme)
{
    g_PaintManager.SetCurrentPaintManagerFromClass(theme.kind);
    return *g_PaintManager.GetHeldObject();
}

class RecordingIcon : public CExtCmdIcon
{
public:
    struct Call
    {
        POINT at;
        int kind;
        bool withBrush;
    };
    explicit RecordingIcon(CSize size = CSize(16, 16)) : m_size(size) { }

    bool IsEmpty() const override { return m_size.cx == 0; }
    CSize GetSize() const override { return m_size; }
    bool DrawState(HDC, POINT position, int kind, HBRUSH brush) override
    {
        calls.push_back({position, kind, brush != nullptr});
        return true;
    }

    std::vector<Call> calls;

private:
    CSize m_size;
};

inline COLORREF BrushColor(HBRUSH brush)
{
    LOGBRUSH description = {};
    ::GetObjectA(brush, sizeof description, &description);
    return description.lbColor;
}

inline int Distance(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// Whether two colours differ by at most tolerance in each channel.
inline bool Near(COLORREF a, COLORREF b, int tolerance = 8)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}
