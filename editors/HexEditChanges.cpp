// CHexEdit's changes of its bytes and their undo and redo lists.
#include "editors/HexEdit.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "platform/Exceptions.h"

namespace {

// Runs an allocation; its failure becomes the layer's out-of-memory exception, which the
// window procedure reports, so the program goes on with the data as it was.
template <typename Allocation>
void Allocate(Allocation allocation)
{
    try {
        allocation();
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}

COleSafeArray CopyOf(const BYTE* bytes, int length)
{
    COleSafeArray copy;
    if (bytes && length > 0)
        Allocate([&] { copy.CreateOneDim(VT_UI1, static_cast<DWORD>(length), bytes); });
    return copy;
}

// Opens a gap of count zero bytes at offset.
void OpenGap(COleSafeArray& data, int offset, int count)
{
    const DWORD size = data.GetSize();
    Allocate([&] { data.ResizeOneDim(size + static_cast<DWORD>(count)); });
    BYTE* bytes = data.GetData();
    std::memmove(bytes + offset + count, bytes + offset, size - static_cast<DWORD>(offset));
    std::memset(bytes + offset, 0, static_cast<size_t>(count));
}

void CloseGap(COleSafeArray& data, int offset, int count)
{
    BYTE* bytes = data.GetData();
    const DWORD size = data.GetSize();
    std::memmove(bytes + offset, bytes + offset + count,
                 size - static_cast<DWORD>(offset + count));
    data.ResizeOneDim(size - static_cast<DWORD>(count));
}

// Whether offset..offset + count - 1 lies in data of the given size.
bool IsInside(int offset, long long count, int size)
{
    return offset >= 0 && count >= 0 && offset + count <= size;
}

void CheckRange(int offset, int count, int size)
{
    if (!IsInside(offset, count, size))
        AfxThrowInvalidArgException();
}

size_t SavedBytesOf(const std::deque<CHexEditUndoEntry>& list)
{
    size_t held = 0;
    for (const CHexEditUndoEntry& entry : list)
        held += entry.savedBytes.GetSize();
    return held;
}

} // namespace

BOOL CHexEdit::SetData(const COleSafeArray& data)
{
    COleSafeArray copy;
    Allocate([&] { copy = data; });
    const int newSize = static_cast<int>(copy.GetSize());
    const bool hadData = GetDataSize() > 0;
    Caret = 0;
    if (hadData) {
        RecordRemovalOfAll(m_undo);
        m_redo.clear();
    }
    if (newSize > 0) {
        try {
            RecordEdit(HEXEDIT_INSERT, nullptr, newSize, TRUE);
        } catch (CException*) {
            // The old bytes come back from their entry: the data stays as it was.
            if (hadData) {
                m_data = std::move(m_undo.back().savedBytes);
                m_undo.pop_back();
            }
            throw;
        }
    }
    m_data = std::move(copy);
    DataChanged();
    Caret = 0;
    Nibble = 0;
    m_top = 0;
    EndSelection();
    ShowEditCaret();
    Redraw();
    RecalcLayout();
    UpdateCaretPos();
    ShowEditCaret();
    return Redraw();
}

COleSafeArray& CHexEdit::GetData(COleSafeArray& data) const
{
    Allocate([&] { data = m_data; });
    return data;
}

void CHexEdit::AppendEntry(std::deque<CHexEditUndoEntry>& list, CHexEditUndoEntry&& entry)
{
    Allocate([&] { list.emplace_back(); });
    list.back() = std::move(entry);
    // Only an entry that brings bytes makes room for them: a replacement records the removal of
    // the old bytes, then the insertion of the new ones without bytes, and the removal must
    // outlive that insertion even when it alone passes the budget, so that the replacement can
    // always be undone.
    const bool bringsBytes = list.back().savedBytes.GetSize() > 0;
    size_t held = SavedBytesOf(list);
    while (list.size() > static_cast<size_t>(kMaxUndoEntries) ||
           (bringsBytes && list.size() > 1 && held > m_undoByteBudget)) {
        held -= list.front().savedBytes.GetSize();
        list.pop_front();
    }
}

void CHexEdit::AppendCopy(std::deque<CHexEditUndoEntry>& list, int kind, const BYTE* bytes,
                          int length)
{
    AppendEntry(list, {Caret, kind, length, CopyOf(bytes, length)});
}

void CHexEdit::RecordRemovalOfAll(std::deque<CHexEditUndoEntry>& list)
{
    // With the buffer taken over, clearing or replacing data of hundreds of megabytes needs no
    // second buffer of that size, which a 32-bit process may not find.
    CHexEditUndoEntry removal{Caret, HEXEDIT_DELETE, GetDataSize(), std::move(m_data)};
    try {
        AppendEntry(list, std::move(removal));
    } catch (CException*) {
        m_data = std::move(removal.savedBytes);
        throw;
    }
}

void CHexEdit::RecordEdit(int kind, const BYTE* bytes, int length, int clearRedo)
{
    AppendCopy(m_undo, kind, bytes, length);
    if (clearRedo)
        m_redo.clear();
}

void CHexEdit::RecordRedo(int kind, const BYTE* bytes, int length)
{
    AppendCopy(m_redo, kind, bytes, length);
}

void CHexEdit::PopEntry(std::deque<CHexEditUndoEntry>& list, CHexEditUndoEntry& entry)
{
    if (list.empty()) {
        entry = CHexEditUndoEntry();
        return;
    }
    entry = std::move(list.back());
    list.pop_back();
}

void CHexEdit::PopUndo(CHexEditUndoEntry& entry)
{
    PopEntry(m_undo, entry);
}

void CHexEdit::PopRedo(CHexEditUndoEntry& entry)
{
    PopEntry(m_redo, entry);
}

void CHexEdit::InsertBytes(int offset, int count)
{
    const long long newSize = static_cast<long long>(GetDataSize()) + count;
    if (count < 1 || newSize >= 0x80000000LL)
        AfxThrowMemoryException();
    CheckRange(offset, 0, GetDataSize());
    OpenGap(m_data, offset, count);
    DataChanged();
    RecalcLayout();
}

void CHexEdit::DeleteBytes(int offset, int count)
{
    CheckRange(offset, count, GetDataSize());
    Caret = offset;
    RecordEdit(HEXEDIT_DELETE, m_data.GetData() + offset, count, TRUE);
    CloseGap(m_data, offset, count);
    DataChanged();
    RecalcLayout();
}

void CHexEdit::DeleteSelection()
{
    if (IsSelectionEmpty())
        return;
    const int start = SelectionStart;
    DeleteBytes(start, SelectionEnd - start + 1);
    Caret = start;
    EndSelection();
    ShowEditCaret();
    Redraw();
    EnsureCaretVisible();
    UpdateCaretPos();
}

void CHexEdit::ClearSelection()
{
    const int count = SelectionEnd - SelectionStart + 1;
    CheckRange(SelectionStart, count, GetDataSize());
    Caret = SelectionStart;
    BYTE* bytes = m_data.GetData() + Caret;
    RecordEdit(HEXEDIT_OVERWRITE, bytes, count, TRUE);
    std::memset(bytes, 0, static_cast<size_t>(count));
    DataChanged();
    EndSelection();
    ShowEditCaret();
    Redraw();
    UpdateCaretPos();
}

void CHexEdit::InsertBytesAtCaret(const BYTE* bytes, UINT count)
{
    if (!Editable || count == 0)
        return;
    if (IsInsertMode()) {
        if (count > 0x7FFFFFFFu)
            AfxThrowMemoryException();
        DeleteSelection();
        const int n = static_cast<int>(count);
        InsertBytes(Caret, n);
        RecordEdit(HEXEDIT_INSERT, nullptr, n, TRUE);
        std::memcpy(m_data.GetData() + Caret, bytes, count);
        DataChanged();
    } else {
        long long n = count;
        if (!IsSelectionEmpty()) {
            n = std::min<long long>(n, SelectionEnd - SelectionStart + 1);
            Caret = SelectionStart;
            EndSelection();
            ShowEditCaret();
            Redraw();
        }
        n = std::min<long long>(n, GetDataSize() - Caret);
        if (n <= 0)
            return;
        BYTE* target = m_data.GetData() + Caret;
        RecordEdit(HEXEDIT_OVERWRITE, target, static_cast<int>(n), TRUE);
        std::memcpy(target, bytes, static_cast<size_t>(n));
        DataChanged();
    }
    Redraw();
}

void CHexEdit::Undo()
{
    RevertEntry(m_undo, m_redo);
}

void CHexEdit::Redo()
{
    RevertEntry(m_redo, m_undo);
}

void CHexEdit::RevertEntry(std::deque<CHexEditUndoEntry>& from, std::deque<CHexEditUndoEntry>& to)
{
    if (from.empty())
        return;
    CHexEditUndoEntry entry = std::move(from.back());
    from.pop_back();
    const int saved = static_cast<int>(entry.savedBytes.GetSize());
    const int size = GetDataSize();
    // A recorded history always fits its data; an entry that does not is dropped unapplied.
    const bool fits = (entry.kind == HEXEDIT_INSERT && IsInside(entry.offset, entry.length, size)) ||
                      (entry.kind == HEXEDIT_OVERWRITE && IsInside(entry.offset, saved, size)) ||
                      (entry.kind == HEXEDIT_DELETE && entry.length == saved &&
                       IsInside(entry.offset, 0, size));
    if (!fits)
        return;

    Caret = entry.offset;
    Nibble = 0;
    try {
        switch (entry.kind) {
        case HEXEDIT_INSERT:
            if (entry.length == size) {
                RecordRemovalOfAll(to);
            } else {
                AppendCopy(to, HEXEDIT_DELETE, m_data.GetData() + Caret, entry.length);
                CloseGap(m_data, Caret, entry.length);
            }
            break;
        case HEXEDIT_OVERWRITE:
            AppendCopy(to, HEXEDIT_OVERWRITE, m_data.GetData() + Caret, saved);
            std::memcpy(m_data.GetData() + Caret, entry.savedBytes.GetData(),
                        static_cast<size_t>(saved));
            break;
        case HEXEDIT_DELETE:
            if (size == 0) {
                // Into empty data the saved buffer comes back as it is, without a copy.
                AppendEntry(to, {Caret, HEXEDIT_INSERT, entry.length, {}});
                m_data = std::move(entry.savedBytes);
                break;
            }
            OpenGap(m_data, Caret, entry.length);
            try {
                AppendEntry(to, {Caret, HEXEDIT_INSERT, entry.length, {}});
            } catch (CException*) {
                CloseGap(m_data, Caret, entry.length);
                throw;
            }
            std::memcpy(m_data.GetData() + Caret, entry.savedBytes.GetData(),
                        static_cast<size_t>(saved));
            break;
        }
    } catch (CException*) {
        // Nothing changed: the entry stays to be tried again.
        from.push_back(std::move(entry));
        throw;
    }
    DataChanged();
    UpdateCaretPos();
    RecalcLayout();
    EndSelection();
    ShowEditCaret();
    Redraw();
    UpdateCaretPos();
    RecalcLayout();
}
