// Edit and combo frames of Office 2003 and Studio 2005: the frame gradient continues behind an
// edit's idle rings and around a combo box, whose field keeps window-coloured rings.
#include "framework/paint/ControlFrameParts.h"
#include "framework/paint/PaintManager.h"
#include "framework/paint/PaintSteps.h"
#include "framework/paint/PaintStrokes.h"
#include "framework/paint/PaintedBar.h"

using namespace control_frame;
using paint_steps::Frame;

void CExtPaintManagerOffice2003::DrawEditFrame(CDC& dc, const EditFrameArgs_t& args)
{
    CExtPaintManagerXP::DrawEditFrame(dc, args);
    if (!IsWindowOfClass(args.m_owner, "Edit"))
        return;
    // The rings that show no state give way to the frame gradient.
    RECT keep = args.m_rect;
    const int grow = 2 + EditHighlight(args);
    ::InflateRect(&keep, grow, grow);
    dc.ExcludeClipRect(&keep);
    DrawChildBackground(dc, WindowOf(args.m_owner), 0);
    dc.SelectClipRgn(nullptr);
}

void CExtPaintManagerOffice2003::DrawComboFrame(CDC& dc, const ComboFrameArgs_t& args)
{
    const bool themeColors = args.m_frameColor == ComboFrameArgs_t::kThemeColor &&
                             args.m_backgroundColor == ComboFrameArgs_t::kThemeColor &&
                             args.m_hotBorderColor == ComboFrameArgs_t::kThemeColor;
    const bool comboBox = IsWindowOfClass(args.m_owner, "ComboBox");
    CWnd* window = WindowOf(args.m_owner);
    const bool gradient = args.m_owner && args.m_enabled && themeColors &&
                          (comboBox || PaintedButtonOf(args.m_owner)) &&
                          CanDrawChildBackground(window, 0) && GetScreenBitsPerPixel() > 8;
    if (!gradient) {
        CExtPaintManagerXP::DrawComboFrame(dc, args);
        if (comboBox && !args.m_enabled) {
            const RECT inside = Deflated(args.m_rect, 1);
            dc.ExcludeClipRect(&inside);
            DrawChildBackground(dc, window, 0);
            dc.SelectClipRgn(nullptr);
        }
        return;
    }

    const bool active = args.m_hot || args.m_dropped;
    const COLORREF oldBackground = dc.GetBkColor();
    RECT field = Deflated(args.m_rect, 1);
    RECT button = DropButtonOf(field);
    const int buttonWidth = button.right - button.left;
    const RECT& r = args.m_rect;
    HRGN clip = ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
    const RECT inside = Deflated(field, 1, 1, buttonWidth + 2, 1);
    HRGN hole = ::CreateRectRgn(inside.left, inside.top, inside.right, inside.bottom);
    ::CombineRgn(clip, clip, hole, RGN_DIFF);
    ::SelectClipRgn(dc, clip);
    ::DeleteObject(hole);
    ::DeleteObject(clip);
    if (comboBox && !DrawChildBackground(dc, window, 0)) {
        dc.SelectClipRgn(nullptr);
        CExtPaintManagerXP::DrawComboFrame(dc, args);
        return;
    }

    const COLORREF window5 = ColorAt(COLOR_WINDOW);
    Frame(dc, field, window5, window5);
    field = Deflated(field, 0, 1, buttonWidth - 1, 1);
    Frame(dc, field, window5, window5);
    for (int i = 0; i < 3; ++i) {
        field.right -= 1;
        Frame(dc, field, window5, window5);
    }
    if (active)
        Frame(dc, Deflated(args.m_rect, 1), ColorAt(2004), ColorAt(2004));
    button.left += 1;
    PaintComboButton(*this, dc, args, button, active, !active);
    dc.SelectClipRgn(nullptr);
    dc.SetBkColor(oldBackground);
}
