// CHexEdit's clipboard: a selection goes out as "BinaryData" (a 32-bit little-endian count, then
// the bytes) and as plain text (the bytes and one zero byte), and comes back from either.
#include "editors/HexEdit.h"

#include <cstring>
#include <new>

#include "core/ClipboardBlock.h"
#include "platform/Exceptions.h"

namespace {

const UINT kCountSize = 4;

// A block for the clipboard holding prefix (prefixSize bytes), then the bytes, then zeros up
// to totalSize; null when it cannot be had.
HGLOBAL MakeBlock(CClipboardWriter& writer, SIZE_T totalSize, const BYTE* prefix,
                  SIZE_T prefixSize, const BYTE* bytes, SIZE_T count)
{
    const HGLOBAL block = writer.AllocBlock(totalSize);
    auto* target = block ? static_cast<BYTE*>(::GlobalLock(block)) : nullptr;
    if (!target) {
        if (block)
            ::GlobalFree(block);
        return nullptr;
    }
    if (prefixSize > 0)
        std::memcpy(target, prefix, prefixSize);
    std::memcpy(target + prefixSize, bytes, count);
    ::GlobalUnlock(block);
    return block;
}

// Hands a block to the open clipboard; once taken it is the clipboard's, and block becomes
// null. False when the clipboard did not take it.
bool PutBlock(CClipboardWriter& writer, UINT format, HGLOBAL& block)
{
    if (!writer.Put(format, block))
        return false;
    block = nullptr;
    return true;
}

// The bytes of the open clipboard's block of the format (ClipboardBlock.h); empty when there is
// none.
COleSafeArray ReadBlock(UINT format)
{
    COleSafeArray bytes;
    const HGLOBAL block = ::GetClipboardData(format);
    const auto* source = block ? static_cast<const BYTE*>(::GlobalLock(block)) : nullptr;
    if (!source)
        return bytes;
    const std::span<const BYTE> whole(source, ::GlobalSize(block));
    const std::span<const BYTE> content =
        format == CF_TEXT ? TextBlockContent(whole) : BinaryDataContent(whole);
    try {
        if (!content.empty())
            bytes.CreateOneDim(VT_UI1, static_cast<DWORD>(content.size()), content.data());
    } catch (const std::bad_alloc&) {
        ::GlobalUnlock(block);
        AfxThrowMemoryException();
    }
    ::GlobalUnlock(block);
    return bytes;
}

} // namespace

UINT CHexEdit::GetBinaryDataFormat()
{
    static const UINT format = LOWORD(::RegisterClipboardFormatA("BinaryData"));
    return format;
}

bool CHexEdit::CanPaste()
{
    return ::IsClipboardFormatAvailable(GetBinaryDataFormat()) ||
           ::IsClipboardFormatAvailable(CF_TEXT);
}

int CHexEdit::Copy()
{
    if (IsSelectionEmpty())
        return TRUE;
    if (SelectionStart < 0 || SelectionEnd < SelectionStart || SelectionEnd >= GetDataSize())
        AfxThrowInvalidArgException();
    // Both blocks are made before the clipboard is touched: taking it from its owner waits for
    // the owner, and meanwhile another thread's new send data may replace the bytes.
    const DWORD count = static_cast<DWORD>(SelectionEnd - SelectionStart + 1);
    const BYTE* bytes = m_data.GetData() + SelectionStart;
    BYTE countBytes[kCountSize];
    PutBinaryDataCount(countBytes, count);
    CClipboardWriter& writer = *m_clipboardWriter;
    HGLOBAL binaryBlock =
        MakeBlock(writer, count + kCountSize, countBytes, kCountSize, bytes, count);
    // Zero bytes inside the selection go out as they are; the block ends with one more.
    HGLOBAL textBlock = MakeBlock(writer, count + 1, nullptr, 0, bytes, count);
    // Success only when the clipboard took both blocks: a Cut removes the bytes on it.
    bool taken = false;
    if (binaryBlock && textBlock && writer.Open(m_hWnd)) {
        taken = writer.Empty() && PutBlock(writer, GetBinaryDataFormat(), binaryBlock) &&
                PutBlock(writer, CF_TEXT, textBlock);
        const BOOL closed = writer.Close();
        taken = taken && closed;
    }
    for (const HGLOBAL block : {binaryBlock, textBlock}) {
        if (block)
            ::GlobalFree(block);
    }
    return taken ? TRUE : FALSE;
}

void CHexEdit::Cut()
{
    if (!Editable || IsSelectionEmpty())
        return;
    // Bytes that did not wholly reach the clipboard (another program holds it open, a block
    // could not be made or was refused) stay where they are. New data that came meanwhile (see
    // Copy) has ended the selection: nothing is left.
    if (!Copy() || IsSelectionEmpty())
        return;
    if (IsInsertMode()) {
        DeleteSelection();
        Redraw();
    } else {
        // Overwrite mode never changes the size.
        ClearSelection();
    }
}

void CHexEdit::Paste()
{
    if (!Editable || !CanPaste() || !::OpenClipboard(m_hWnd))
        return;
    const UINT format =
        ::IsClipboardFormatAvailable(GetBinaryDataFormat()) ? GetBinaryDataFormat() : CF_TEXT;
    COleSafeArray bytes;
    try {
        bytes = ReadBlock(format);
    } catch (CException*) {
        ::CloseClipboard();
        throw;
    }
    ::CloseClipboard();
    InsertBytesAtCaret(bytes.GetData(), bytes.GetSize());
}
