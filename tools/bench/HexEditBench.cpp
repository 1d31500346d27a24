// Measures the hex editor on 1 MB of data and prints one line per figure:
//   hexedit_bench repaint       the time of one full repaint of a shown 1000x700 editor, with
//                               the first, a middle and the last lines of 1 MB in view, and of
//                               16 bytes for comparison
//   hexedit_bench typing        10,000 hex digits typed in insert mode in the middle of 1 MB,
//                               each a WM_CHAR through the message queue, shown and hidden
//   hexedit_bench undo-memory   the memory that 999 undo entries of SetData with 1 MB hold
//   hexedit_bench text-codes    a full repaint with the first and with the last lines of 16 MB
//                               of Japanese text in view, in Shift_JIS and in UTF-8: the first
//                               repaint at the end and the mean of the following ones
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "editors/HexEdit.h"
#include "editors/TextCodes.h"
#include "tools/bench/BenchClock.h"

namespace {

const int kMegabyte = 1 << 20;

COleSafeArray Filled(int size, unsigned seed)
{
    COleSafeArray data;
    data.CreateOneDim(VT_UI1, static_cast<DWORD>(size));
    BYTE* bytes = data.GetData();
    for (int i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<BYTE>(seed >> 16);
    }
    return data;
}

// The process's address space in use (Wine does not count private bytes).
ULONGLONG UsedAddressSpace()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatusEx(&status);
    return status.ullTotalVirtual - status.ullAvailVirtual;
}

// An editor filling an unframed popup (under Wine without a window manager a framed window
// waits to be shown); shown or hidden.
struct Window
{
    explicit Window(bool shown)
    {
        frame.CreateEx(0, nullptr, "hexedit_bench", WS_POPUP | (shown ? WS_VISIBLE : 0), 0, 0,
                       1000, 700, nullptr, nullptr);
        editor.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 1000, 700), &frame, 1);
        PumpMessages();
    }
    ~Window() { frame.DestroyWindow(); }

    CWnd frame;
    CHexEdit editor;
};

// Milliseconds per synchronous full repaint.
double RepaintMs(CHexEdit& editor, int count)
{
    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i)
        editor.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return SecondsSince(start) * 1000.0 / count;
}

int BenchRepaint()
{
    const int kRepaints = 200;
    Window window(true);
    CHexEdit& editor = window.editor;
    editor.SetData(Filled(16, 1));
    const double small = RepaintMs(editor, kRepaints);
    editor.SetData(Filled(kMegabyte, 1));
    double atOffset[3];
    const int offsets[3] = {0, kMegabyte / 2, kMegabyte};
    for (int i = 0; i < 3; ++i) {
        editor.Caret = offsets[i];
        editor.MoveCaret(0, 0, TRUE);
        atOffset[i] = RepaintMs(editor, kRepaints);
    }
    std::printf("hexedit_bench repaint: 1 MB at the start %.2f ms, the middle %.2f ms, the end "
                "%.2f ms; 16 bytes %.2f ms (mean of %d)\n",
                atOffset[0], atOffset[1], atOffset[2], small, kRepaints);
    return 0;
}

// Seconds for count hex digits typed at the middle of 1 MB, each posted and dispatched.
double TypingSeconds(bool shown, int count)
{
    Window window(shown);
    CHexEdit& editor = window.editor;
    editor.SetData(Filled(kMegabyte, 2));
    editor.SetFocus();
    editor.Caret = kMegabyte / 2;
    editor.MoveCaret(0, 0, TRUE);
    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i) {
        editor.PostMessage(WM_CHAR, "0123456789ABCDEF"[i % 16], 1);
        PumpMessages();
    }
    const double seconds = SecondsSince(start);
    if (editor.GetDataSize() != kMegabyte + count / 2)
        std::fprintf(stderr, "hexedit_bench: %d bytes after typing\n", editor.GetDataSize());
    return seconds;
}

int BenchTyping()
{
    const int kKeystrokes = 10000;
    const double shown = TypingSeconds(true, kKeystrokes);
    const double hidden = TypingSeconds(false, kKeystrokes);
    std::printf("hexedit_bench typing: %d digits into 1 MB in %.2f s shown (%.2f ms each), "
                "%.2f s hidden (%.3f ms each)\n",
                kKeystrokes, shown, shown * 1000.0 / kKeystrokes, hidden,
                hidden * 1000.0 / kKeystrokes);
    return 0;
}

int BenchUndoMemory()
{
    const int kReplacements = 999;
    Window window(false);
    CHexEdit& editor = window.editor;
    const COleSafeArray first = Filled(kMegabyte, 3);
    const COleSafeArray second = Filled(kMegabyte, 4);
    editor.SetData(first);
    editor.ClearUndo();
    const ULONGLONG before = UsedAddressSpace();
    const LONGLONG start = Now();
    for (int i = 0; i < kReplacements; ++i)
        editor.SetData(i % 2 ? first : second);
    const double seconds = SecondsSince(start);
    const ULONGLONG after = UsedAddressSpace();
    std::printf("hexedit_bench undo-memory: %d SetData of 1 MB keep %.0f MB in the undo list "
                "(%.2f s)\n",
                kReplacements, static_cast<double>(after - before) / kMegabyte, seconds);
    return 0;
}

// About size bytes of Japanese text with line breaks in the code.
COleSafeArray JapaneseText(int code, int size)
{
    const std::string line = TextToBytes(
        code, "日本語のテキスト、ｶﾀｶﾅと漢字が混じる行です。ABC 0123\r\n", "\r\n");
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size) + line.size());
    while (static_cast<int>(bytes.size()) < size)
        bytes += line;
    COleSafeArray data;
    data.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    return data;
}

int BenchTextCodes()
{
    const int kRepaints = 100;
    const int kSize = 16 * kMegabyte;
    Window window(true);
    CHexEdit& editor = window.editor;
    for (const int code : {TEXTCODE_SHIFTJIS, TEXTCODE_UTF8}) {
        editor.TextCode = code;
        editor.SetData(JapaneseText(code, kSize));
        editor.ClearUndo();
        const double start = RepaintMs(editor, kRepaints);
        // The first repaint at the end finds the state there; the following ones reuse it.
        editor.Caret = editor.GetDataSize();
        const LONGLONG scrolled = Now();
        editor.MoveCaret(0, 0, TRUE);
        const double first = SecondsSince(scrolled) * 1000.0;
        const double end = RepaintMs(editor, kRepaints);
        std::printf("hexedit_bench text-codes: 16 MB of %s, repaint at the start %.2f ms, at the "
                    "end %.2f ms the first time, then %.2f ms (mean of %d)\n",
                    code == TEXTCODE_UTF8 ? "UTF-8" : "Shift_JIS", start, first, end, kRepaints);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string figure = argc > 1 ? argv[1] : "";
    if (figure == "repaint")
        return BenchRepaint();
    if (figure == "typing")
        return BenchTyping();
    if (figure == "undo-memory")
        return BenchUndoMemory();
    if (figure == "text-codes")
        return BenchTextCodes();
    std::fprintf(stderr, "usage: hexedit_bench repaint|typing|undo-memory|text-codes\n");
    return 2;
}
