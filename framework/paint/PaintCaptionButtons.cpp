// Caption buttons of bars and floating frames, and the glyphs of window commands inside
// buttons: raised classic buttons, flat ones that show only when hot or pushed in the XP family.
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintManagerHolder.h"
#include "framework/paint/PaintSteps.h"

using namespace paint_steps;
using PM = CExtPaintManager;

CExtPaintManager::CaptionButtonArgs_t::CaptionButtonArgs_t(CObject* owner, const RECT& rect,
                                                           int glyphKind, bool hot, bool pushed,
                                                           bool enabled, bool resizableBar,
                                                           bool active, bool floating)
    : m_owner(owner), m_rect(rect), m_glyphKind(glyphKind), m_hot(hot), m_pushed(pushed),
      m_enabled(enabled), m_resizableBar(resizableBar), m_active(active), m_floating(floating),
      m_spare(0)
{ }

namespace {

const PM::PixelGlyph_t& GlyphOf(int kind)
{
    return *PM::GlyphTable[kind >= 0 && kind < PM::kGlyphKindCount ? kind : PM::kGlyphEmpty];
}

void DrawGlyphIn(PM& manager, CDC& dc, const RECT& rect, const PM::PixelGlyph_t& glyph,
                 COLORREF color)
{
    const COLORREF colors[4] = {0, color, color, color};
    manager.DrawGlyphCentered(dc, rect, glyph, colors);
}

// The glyph of a window command, null for any other command.
const PM::PixelGlyph_t* CommandGlyph(UINT command)
{
    switch (command) {
    case SC_CLOSE:
        return PM::GlyphTable[PM::kGlyphClose];
    case SC_MINIMIZE:
        return PM::GlyphTable[PM::kGlyphMinimize];
    case SC_MAXIMIZE:
        return PM::GlyphTable[PM::kGlyphMaximize];
    case SC_RESTORE:
        return PM::GlyphTable[PM::kGlyphRestore];
    case SC_CONTEXTHELP:
        return PM::GlyphTable[PM::kGlyphContextHelp];
    default:
        return nullptr;
    }
}

// Where a window command's glyph goes: the rect, moved for a pressed button. Null for a command
// without a glyph.
const PM::PixelGlyph_t* PlaceCommandGlyph(const PM& manager, UINT command, const RECT& rect,
                                          bool pushed, RECT& area)
{
    area = rect;
    if (pushed) {
        CSize offset;
        manager.GetPushedContentOffset(offset);
        ::OffsetRect(&area, offset.cx, offset.cy);
    }
    return CommandGlyph(command);
}

// An odd width or height loses its first column or row, so that a glyph centres exactly.
void MakeEven(RECT& rect)
{
    if ((rect.right - rect.left) % 2)
        ++rect.left;
    if ((rect.bottom - rect.top) % 2)
        ++rect.top;
}

} // namespace

void CExtPaintManager::DrawCaptionButton(CDC& dc, CaptionButtonArgs_t& a)
{
    if (IsEmpty(a.m_rect))
        return;
    const bool hot = a.m_hot && a.m_enabled;
    // The classic caption buttons follow the system's colours whatever the theme table says.
    const COLORREF face = g_PaintManager.SystemColor(COLOR_BTNFACE);
    const COLORREF shadow = g_PaintManager.SystemColor(COLOR_BTNSHADOW);
    const COLORREF dark = g_PaintManager.SystemColor(COLOR_3DDKSHADOW);
    const COLORREF light = g_PaintManager.SystemColor(COLOR_BTNHIGHLIGHT);
    const COLORREF glyphColor = a.m_enabled ? RGB(0, 0, 0) : shadow;
    RECT rect = Normalized(a.m_rect);
    MakeEven(rect);
    if (a.m_glyphKind == kGlyphClose)
        a.m_glyphKind = kGlyphCloseSmall;
    if (!a.m_floating)
        ::InflateRect(&rect, 1, 1);
    --rect.left;
    --rect.top;
    Fill(dc, rect, face);
    DrawGlyphIn(*this, dc, a.m_pushed ? Moved(rect, 1, 1) : rect, GlyphOf(a.m_glyphKind),
                glyphColor);
    if (a.m_enabled && a.m_pushed) {
        Frame(dc, rect, shadow, light);
    } else if (hot) {
        Frame(dc, rect, face, dark);
        Frame(dc, Inflated(rect, -1, -1), light, shadow);
    } else {
        Frame(dc, rect, light, shadow);
    }
}

void CExtPaintManagerXP::DrawCaptionButton(CDC& dc, CaptionButtonArgs_t& a)
{
    if (IsEmpty(a.m_rect))
        return;
    const bool hot = a.m_hot && a.m_enabled;
    int glyphColor = COLOR_BTNSHADOW;
    if (a.m_enabled) {
        if (hot || a.m_pushed)
            glyphColor = -1;
        else
            glyphColor = a.m_resizableBar && !a.m_active ? COLOR_3DDKSHADOW : COLOR_HIGHLIGHTTEXT;
    }
    RECT rect = Normalized(a.m_rect);
    if (hot || a.m_pushed) {
        Fill(dc, rect, ColorAt(a.m_pushed ? 2003 : 1001));
        Frame(dc, Inflated(rect, 1, 1), ColorAt(a.m_active ? 2003 : 2004));
    }
    MakeEven(rect);
    if (a.m_resizableBar && !a.m_floating && a.m_glyphKind == kGlyphClose)
        a.m_glyphKind = kGlyphCloseThin;
    DrawGlyphIn(*this, dc, rect, GlyphOf(a.m_glyphKind),
                glyphColor < 0 ? RGB(0, 0, 0) : ColorAt(glyphColor));
}

void CExtPaintManagerStudio2005::DrawCaptionButton(CDC& dc, CaptionButtonArgs_t& a)
{
    if (a.m_resizableBar && a.m_floating)
        CExtPaintManager::DrawCaptionButton(dc, a);
    else
        CExtPaintManagerXP::DrawCaptionButton(dc, a);
}

void CExtPaintManager::DrawSysCommandGlyph(CDC& dc, UINT command, const RECT& rect, bool hot,
                                           bool pushed, bool enabled)
{
    RECT area;
    const PixelGlyph_t* glyph = PlaceCommandGlyph(*this, command, rect, pushed, area);
    if (!glyph)
        return;
    if (enabled) {
        DrawGlyphIn(*this, dc, area, *glyph, ColorAt(hot ? COLOR_HIGHLIGHTTEXT : 1010));
        return;
    }
    DrawGlyphIn(*this, dc, Moved(area, 1, 1), *glyph, ColorAt(1004));
    DrawGlyphIn(*this, dc, area, *glyph, ColorAt(1006));
}

void CExtPaintManagerXP::DrawSysCommandGlyph(CDC& dc, UINT command, const RECT& rect, bool hot,
                                             bool pushed, bool enabled)
{
    RECT area;
    const PixelGlyph_t* glyph = PlaceCommandGlyph(*this, command, rect, pushed, area);
    if (!glyph)
        return;
    if (!enabled) {
        DrawGlyphIn(*this, dc, area, *glyph, ColorAt(COLOR_BTNSHADOW));
        return;
    }
    if ((m_xpFlags & 1) && hot && !pushed) {
        DrawGlyphIn(*this, dc, area, *glyph, ColorAt(COLOR_BTNSHADOW));
        ::OffsetRect(&area, -2, -2);
    }
    DrawGlyphIn(*this, dc, area, *glyph, ColorAt(1010));
}
