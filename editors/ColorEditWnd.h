// ColorEditWnd: the self-drawn, colouring text editor of the script panes. The text, caret,
// selection, edits and undo live in ColorEditText; the window paints them (every byte in its
// line's colour, through one off-screen bitmap), keeps the scroll bars, the caret and the input
// method's window in place, turns keys, characters and the mouse into edits, and offers undo,
// redo, cut, copy, paste and select all through its accelerators (table 246) and a plain
// context menu (menu 247). It tells its parent of changes and focus with EN_CHANGE,
// EN_SETFOCUS and EN_KILLFOCUS.
//
// Window thread only. Scrolling repaints the client area through the off-screen bitmap rather
// than moving its pixels. Figures for big pastes and deletions: tools/bench/ColorEditBench.cpp.
#pragma once

#include "editors/ColorEditText.h"
#include "platform/Wnd.h"

class ColorEditWnd : public CWnd
{
public:
    static constexpr COLORREF kBackColor = 0xFFFFFF;
    static constexpr COLORREF kSelectedTextColor = 0xFFFFFF;
    // Left of the first cell.
    static constexpr int kLeftMargin = 8;
    // Lines that one notch of the mouse wheel scrolls.
    static constexpr int kWheelLines = 5;

    // Creates the child window at once (style WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN |
    // WS_VSCROLL, and WS_HSCROLL when horizontalScroll is set) with the editor's own 12-pixel
    // fixed-pitch font; without the font there is no window.
    ColorEditWnd(CWnd* parent, const RECT& rect, UINT id, int tabWidth, BOOL horizontalScroll);
    ~ColorEditWnd() override;

    // Widens each character cell by n pixels (n > 0); no repaint.
    void AddCharSpacing(int n);
    // The colouring object (not owned); every line is recoloured.
    void SetSyntax(const ColorEditSyntax* syntax);
    void SetSelBackColor(COLORREF color);
    // Empties the text (one empty line stays) and both undo stacks; EN_CHANGE.
    void ResetContent();
    // Replaces the whole text (one undo step, EN_CHANGE).
    void SetText(LPCSTR text);
    void GetText(CString& text) const;
    void ClearUndo() { m_text.ClearUndo(); }
    const ColorEditText& GetContent() const { return m_text; }

    // Typing, Backspace, Delete, Ctrl+Enter, cut and paste do nothing while it is set;
    // moving, selecting, copying, undo and redo still work.
    BYTE m_readOnly = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The commands, as the accelerators and the context menu run them.
    void Undo();
    void Redo();
    void Copy();
    void Cut();
    void Paste();
    void SelectAll();

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedsSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // Draws the client area into dc, whose origin is the client's.
    void Paint(HDC dc);
    void DrawLine(HDC dc, int line, int y, int right);

    // Geometry: 0 or -1 before the window exists.
    int VisibleColumns() const;
    int VisibleLines(bool raw) const;
    int LastVisibleLine() const;
    // The cell boundary nearest to a client point (column), and the line under it.
    int ColumnNearest(int x) const;
    int LineAt(int y) const;

    void UpdateScrollBars();
    void UpdateCaret(bool show);
    void EnsureCaretVisible();
    void ScrollToLine(int line);
    void SetTopLine(int line);
    void SetFirstColumn(int column);
    // After an edit step, a move or a replay: scroll bars, the caret in view, a repaint.
    void Refresh();
    void NotifyParent(UINT code);
    // Takes the cell size from the font.
    void MeasureFont();
    // The clipboard took the selection as CF_TEXT.
    bool CopySelection();

    ColorEditText m_text;
    int m_charWidth = 10;
    int m_lineHeight = 10;
    HFONT m_font = nullptr;
    HCURSOR m_cursor = nullptr;
    HACCEL m_accelerators = nullptr;
    int m_firstColumn = 0;
    int m_topLine = 0;
    COLORREF m_selBackColor = 0x000000;
    bool m_dragging = false;
    bool m_caretShown = false;
    int m_dragStartX = 0;
    UINT m_controlId = 0;
};
