// CHexEdit: the hex/dump view-editor control. It shows one byte array as lines of 16 bytes: an
// address column, the bytes in hexadecimal in groups of 1, 2 or 4 bytes, and a text column.
// Owners write the public display values, then call RecalcLayout and redraw; there are no
// setters. Every change of the bytes is recorded, so that it can be undone and redone (at most
// 999 steps and 64 MiB of saved bytes each way, a wholesale SetData included), and a selection
// goes to the clipboard as "BinaryData" (a 32-bit little-endian count, then the bytes) and as
// plain text.
//
// Window thread only, SetData and GetData included: other threads reach the send editor's bytes
// through the main frame's window (WM_SEND_EDITOR_DATA), so a paint never sees them change.
//
// The text column shows the bytes in the character code TextCode (editors/TextCodes.h); typed
// characters, input-method characters, the keys (caret keys with and without Shift, Insert,
// Delete, Back, the Ctrl shortcuts, Tab) and the mouse (click, drag with auto-scroll,
// double-click) edit and select.
//
// Markers colour byte ranges and show their comments as tips (core/Markers.h); where they
// overlap, the one added first wins. They are not tied to the bytes: editing does not move them.
#pragma once

#include <deque>
#include <string>

#include "core/Markers.h"
#include "editors/ClipboardWriter.h"
#include "editors/TextCodes.h"
#include "platform/SafeArray.h"
#include "platform/Wnd.h"

// What an undo or redo entry records.
enum HexEditChange
{
    HEXEDIT_INSERT = 1,     // length bytes were inserted at offset
    HEXEDIT_OVERWRITE = 2,  // length bytes at offset were overwritten; saved: the bytes before
    HEXEDIT_DELETE = 3,     // length bytes were removed at offset; saved: the removed bytes
};

struct CHexEditUndoEntry
{
    int offset = 0;  // the caret when it was recorded: the place of the change
    int kind = 0;    // HexEditChange, 0 for the entry of an empty list
    int length = 0;
    COleSafeArray savedBytes;
};

class CHexEdit : public CWnd
{
    DECLARE_DYNCREATE(CHexEdit)
public:
    static constexpr int kBytesPerLine = 16;
    static constexpr int kMaxUndoEntries = 999;
    // Saved bytes that each of the undo and redo lists keeps at most, beside the 999 entries:
    // repeated replacements of megabytes (SetData from a script) would otherwise fill the 32-bit
    // process. The newest entry is kept even when it alone holds more (see AppendEntry).
    static constexpr size_t kUndoByteBudget = size_t{64} << 20;
    // Above this size the address column needs eight digits.
    static constexpr int kMaxFourDigitSize = 0x10000;
    static constexpr COLORREF kHighlightBackColor = 0x8888FF;
    // The header's text, the address column's background and the text column's rules.
    static constexpr COLORREF kGreyColor = 0x888888;

    CHexEdit();
    ~CHexEdit() override;

    // Adds both scroll bars to the style.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Display values, written directly by the owners.
    BOOL ShowAddress = TRUE;
    BOOL ShowText = TRUE;
    short AddressDigits = 8;  // 4 or 8
    int FontHeight = 12;
    BOOL ShowHeader = TRUE;
    int TextCode = 4;         // 0 ASCII, 1 Shift_JIS, 2 JIS, 3 EUC, 4 UTF-8
    short GroupDigits = 4;    // hex digits per group: 2, 4 or 8

    // Selected bytes, both ends inclusive; both -1 when nothing is selected.
    int SelectionStart = -1;
    int SelectionEnd = -1;
    // The caret's byte offset, 0 to the size (the end position), and on the hex side the digit
    // it stands before: 0 the high one, 1 the low one.
    int Caret = 0;
    int Nibble = 0;
    // Bytes shown on the highlight colour, whatever their selection; -1 for none.
    int HighlightStart = -1;
    int HighlightLength = -1;
    BOOL Editable = TRUE;
    COLORREF BackColor = 0xFFFFFF;
    COLORREF TextColor = 0x000000;

    // Lays the columns, lines and scroll bars out for the display values, the data and the
    // window's size; nothing before the window exists.
    void RecalcLayout();
    // The client width that shows every column of a line, as laid out by RecalcLayout.
    int GetFullLineWidth() const { return m_totalColumns * m_charWidth + m_charWidth / 2; }
    // Replaces the whole data (undoable in two steps: the new bytes go, then the old ones come
    // back), puts the caret at 0 and redraws; returns the redraw's result.
    BOOL SetData(const COleSafeArray& data);
    COleSafeArray& GetData(COleSafeArray& data) const;
    int GetDataSize() const { return static_cast<int>(m_data.GetSize()); }
    void SetEditable(int flag) { Editable = flag; }

    // Scrolls so that the caret's line and cell are in view; true when it scrolled.
    BOOL EnsureCaretVisible();
    // Sets both bars from the layout, showing or hiding them; true when a position changed.
    BOOL UpdateScrollBars();
    // Places the system caret at the caret's cell and shows it there when nothing is selected;
    // only while the control has the focus.
    void UpdateCaretPos();
    void MoveCaret(int columns, int lines, int forceRedraw = FALSE);
    int IsSelectionEmpty() const { return SelectionStart == -1; }
    void SelectAll();
    // Makes room for one typed byte: -1 refused, 0 the byte at the caret is overwritten, 1 a new
    // byte was inserted at the caret.
    int PrepareTyping();

    // Appends {caret, kind, length, a copy of the bytes (none for an insert)} to the undo list;
    // the redo list empties when clearRedo is set.
    void RecordEdit(int kind, const BYTE* bytes, int length, int clearRedo);
    void RecordRedo(int kind, const BYTE* bytes, int length);
    // Takes the newest entry; an empty list gives an entry of zeros.
    void PopUndo(CHexEditUndoEntry& entry);
    void PopRedo(CHexEditUndoEntry& entry);
    void ClearUndo() { m_undo.clear(); }
    void ClearRedo() { m_redo.clear(); }
    int CanUndo() const { return !m_undo.empty(); }
    int CanRedo() const { return !m_redo.empty(); }

    // Opens a gap of count zero bytes; records nothing (the callers do). A count below 1 or a
    // size of 2^31 or more throws CMemoryException*, as does a failed allocation; the data then
    // stays as it was.
    void InsertBytes(int offset, int count);
    // Caret to offset, records the removal, removes the bytes.
    void DeleteBytes(int offset, int count);
    void DeleteSelection();
    // Fills the selection with zeros (recorded as an overwrite); only with a selection.
    void ClearSelection();
    // Writes the bytes at the caret: inserted in insert mode (over the selection), written over
    // at most the selection or the rest of the data in overwrite mode.
    void InsertBytesAtCaret(const BYTE* bytes, UINT count);
    void Undo();
    void Redo();

    // Non-zero without a selection or when the clipboard took the selection in both formats;
    // 0 when it did not (it could not be opened or emptied, a block could not be made or was
    // refused, or it could not be closed).
    int Copy();
    // Copies the selection, then removes it (insert mode) or zeroes it (overwrite mode); when
    // the copy fails the bytes stay.
    void Cut();
    void Paste();
    // The registered clipboard format "BinaryData".
    static UINT GetBinaryDataFormat();
    // The clipboard offers "BinaryData" or plain text.
    static bool CanPaste();

    // Moves the caret to the byte under a client point and onto its side; with out, only stores
    // that byte's offset there. Nothing on the header line.
    void HitTest(int x, int y, int* out = nullptr);
    // Extends the drag selection from the anchor to the byte under a client point.
    void SelectToPoint(int x, int y);

    // The whole data as ANSI text with CR LF line breaks, read in TextCode; errorFlag 1 and
    // errorOffset at the first byte that cannot be shown (the text then ends before it).
    COleSafeArray& BytesToText(COleSafeArray& text, int& errorOffset, int& errorFlag) const;
    // Replaces the data (undoably) with the ANSI text in the code, each CR LF as lineEnding.
    int TextToBytes(const char* text, int code, const char* lineEnding);

    // Draws the whole client area into dc through an off-screen bitmap.
    void Paint(HDC dc);

    // The colours the Marker command offers next: those of the last marker added.
    COLORREF NextMarkerTextColor = 0x0000FF;
    COLORREF NextMarkerBackColor = 0xCCCCEE;
    static constexpr int kTipBufferSize = 1024;

    // Appends a marker, makes its colours the next offered ones and redraws; returns 1.
    int AddMarker(int start, int length, COLORREF text, COLORREF back, const char* comment);
    void ClearMarkers();
    // Replaces the markers with a whole list as ClearMarkers and AddMarker for each would (the
    // last one's colours are offered next), but with one redraw for the list.
    void ReplaceMarkers(const CMarkerList& markers);
    // Markers overlapping the bytes start..start + length - 1: the range touches the marker or
    // holds it whole.
    int CountMarkersInRange(int start, int length) const;
    // Deletes those markers, keeping the others' order; redraws when any went.
    int RemoveMarkersInRange(int start, int length);
    const CMarkerList& GetMarkers() const { return m_markers; }
    // The markers' byte form, as the settings document stores it.
    COleSafeArray& GetMarkerBytes(COleSafeArray& bytes) const;
    // Replaces the markers with those of a byte form; the offered colours stay.
    void SetMarkerBytes(const COleSafeArray& bytes);
    // The first shown marker, in the order added, that covers byte o; null for none.
    const CHexEditMarker* MarkerAt(int o) const;
    // The tip's window, made on the first move of the mouse; null before.
    HWND GetTipWindow() const { return m_tip; }

protected:
    enum CaretFlag : DWORD
    {
        CARET_ON_HEX = 1,  // clear: the caret is on the text side
        INSERT_MODE = 2,   // clear: overwrite mode
    };

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg LRESULT OnSwallow(WPARAM wParam, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

    // The redraw used everywhere in the control: invalidate, erase, update now.
    BOOL Redraw();
    // The system caret's show count stays balanced: shown only when not shown yet (or forced).
    void ShowEditCaret(bool force = false);
    void HideEditCaret();
    // Creates the system caret for the current mode: a line in insert mode, a block in
    // overwrite mode.
    void CreateEditCaret();
    void EndSelection();
    // Every change of the bytes calls it: the text state cached for the top line is stale.
    void DataChanged() { ++m_dataVersion; }

    bool IsCaretOnHex() const { return (m_caretFlags & CARET_ON_HEX) != 0; }
    bool IsInsertMode() const { return (m_caretFlags & INSERT_MODE) != 0; }
    // The character column of byte column c (0-15) on the hex side and on the text side.
    int HexColumnOf(int c) const { return m_hexStart + 2 * c + c / (GroupDigits / 2); }
    int TextColumnOf(int c) const { return m_textStart + c; }
    // Pixel x of character column k; pixel y of visible line r.
    int ColumnX(int k) const { return m_charWidth * (k - m_hScroll) + m_charWidth / 2; }
    int LineY(int r) const { return m_lineHeight * (r + (ShowHeader ? 1 : 0)); }
    // The address column starts one column left of column 0: its first blank is half hidden.
    int AddressX() const { return m_charWidth / 2 - m_charWidth * (m_hScroll + 1); }

    // The font of FontHeight, made when the height changes, with the extent of "0" in it.
    HFONT GetEditFont();

    DWORD m_caretFlags = CARET_ON_HEX | INSERT_MODE;
    // The client area less the scroll bars the layout reserved.
    CRect m_layoutRect;
    int m_visibleColumns = 0;  // whole character columns that fit across
    int m_visibleLines = 0;    // whole data lines that fit below the header
    int m_totalColumns = 0;    // character columns of a full line
    int m_totalLines = 0;      // size / 16 + 1: the end position has a line
    int m_charWidth = 0;
    int m_lineHeight = 0;
    int m_hScroll = 0;         // first visible character column
    int m_hexStart = 0;
    bool m_textShown = false;
    int m_textStart = 0;
    int m_top = 0;             // first visible byte, a multiple of 16
    bool m_caretShown = false;

    // The left button is held after a press in the data area; the anchor is the byte where the
    // drag or a Shift selection started.
    bool m_dragging = false;
    int m_anchor = 0;
    bool m_dragMoved = false;
    bool m_autoScrolling = false;
    CPoint m_lastDragPoint;
    CPoint m_pressPoint;

    COleSafeArray m_data;
    // Copy's calls on the clipboard.
    CClipboardWriter* m_clipboardWriter = &CClipboardWriter::System();
    std::deque<CHexEditUndoEntry> m_undo;
    std::deque<CHexEditUndoEntry> m_redo;
    // The text the tip's tool shows.
    char m_tipBuffer[kTipBufferSize] = {};
    // Starts as kUndoByteBudget; tests lower it to work with small data.
    size_t m_undoByteBudget = kUndoByteBudget;

private:
    // Moves entry to the end of a list, then drops the list's oldest entries beyond
    // kMaxUndoEntries and, when the entry brings saved bytes, until the list's saved bytes fit
    // the byte budget again or the entry is left alone. Its place is allocated first: when that
    // fails, entry is left as it was.
    void AppendEntry(std::deque<CHexEditUndoEntry>& list, CHexEditUndoEntry&& entry);
    // Appends {caret, kind, length, a copy of the bytes (none for null)}.
    void AppendCopy(std::deque<CHexEditUndoEntry>& list, int kind, const BYTE* bytes, int length);
    // Appends the removal of all the bytes at the caret (0), the entry taking the data's buffer
    // over instead of a copy of it; the data is then empty. When the entry cannot be appended
    // the data stays.
    void RecordRemovalOfAll(std::deque<CHexEditUndoEntry>& list);
    static void PopEntry(std::deque<CHexEditUndoEntry>& list, CHexEditUndoEntry& entry);
    // Undo and Redo: reverts the newest entry of 'from' and appends its inverse to 'to'. A
    // change of all the bytes moves the buffer between the data and the entries, never copies it.
    void RevertEntry(std::deque<CHexEditUndoEntry>& from, std::deque<CHexEditUndoEntry>& to);
    // Draws the header, the lines, the columns and their rules into an off-screen DC.
    void PaintContent(HDC dc, const CRect& client);
    void PaintLine(HDC dc, int line, CTextColumnReader& text, HBRUSH caretMarkBrush);
    // The text column's state at the top byte, computed once per top offset and data.
    const TextColumnState& TextStateAtTop();
    // The keys without Shift and Ctrl, with Shift alone, with Ctrl alone.
    void OnPlainKey(UINT key);
    void OnShiftKey(UINT key);
    void OnCtrlKey(UINT key);
    // The caret keys' moves, common to the plain and Shift tables; false for any other key.
    bool MoveCaretByKey(UINT key, bool shift);
    // After a Shift move of the caret from 'before'.
    void ExtendSelection(int before);
    bool IsOnHeaderLine(const CPoint& point) const;
    void StopAutoScroll();
    // Changes the default text and back colours to those of byte o.
    void ChooseByteColors(int o, COLORREF& text, COLORREF& back) const;
    // Whether a byte lies in the selection (compared unsigned, so -1 never matches).
    bool IsSelected(int o) const;
    void ScrollVertically(int top);
    // Shows or hides one bar and sets its range 0..last, page and position.
    void SetScrollBar(int bar, bool shown, int last, int page, int position);

    // The tip shows the comment of the marker under the mouse.
    void UpdateTip(CPoint point);
    void FillTipTool(TOOLINFOA& tool);

    HFONT m_font = nullptr;
    int m_fontMadeHeight = 0;

    CMarkerList m_markers;
    HWND m_tip = nullptr;
    CString m_tipText;

    unsigned m_dataVersion = 0;
    struct TextStateCache
    {
        bool valid = false;
        int code = 0;
        int top = 0;
        int size = 0;
        unsigned dataVersion = 0;
        TextColumnState state;
    } m_textStateCache;
};
