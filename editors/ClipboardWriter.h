// The system calls by which the hex editor puts blocks on the clipboard. Any of them may fail
// (another program holds the clipboard, no memory is left for a block), and a test makes one
// fail by overriding it.
#pragma once

#include "platform/Types.h"

class CClipboardWriter
{
public:
    virtual ~CClipboardWriter() = default;

    // A zero-filled block that the clipboard can take; null when there is no memory for it.
    virtual HGLOBAL AllocBlock(SIZE_T size);
    virtual BOOL Open(HWND owner);
    virtual BOOL Empty();
    // Hands the block to the open clipboard, which owns it from then on; null when the
    // clipboard did not take it, and the block is still the caller's.
    virtual HANDLE Put(UINT format, HGLOBAL block);
    virtual BOOL Close();

    // The writer that makes the calls on the system's clipboard.
    static CClipboardWriter& System();
};
