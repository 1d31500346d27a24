// CClipboardWriter: the system's own clipboard calls.
#include "editors/ClipboardWriter.h"

HGLOBAL CClipboardWriter::AllocBlock(SIZE_T size)
{
    return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
}

BOOL CClipboardWriter::Open(HWND owner)
{
    return ::OpenClipboard(owner);
}

BOOL CClipboardWriter::Empty()
{
    return ::EmptyClipboard();
}

HANDLE CClipboardWriter::Put(UINT format, HGLOBAL block)
{
    return ::SetClipboardData(format, block);
}

BOOL CClipboardWriter::Close()
{
    return ::CloseClipboard();
}

CClipboardWriter& CClipboardWriter::System()
{
    static CClipboardWriter writer;
    return writer;
}
