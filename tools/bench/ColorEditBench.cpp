// Measures the script editor on 50,000 lines of 40 bytes and prints one line per figure:
//   coloredit_bench paste       a paste of the 50,000 lines through the clipboard into an
//                               editor holding one line
//   coloredit_bench delete-all  Select All and Delete on an editor holding the 50,000 lines
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "editors/ColorEditWnd.h"
#include "platform/StandardIds.h"
#include "tools/bench/BenchClock.h"

namespace {

const int kLines = 50000;

std::string ManyLines()
{
    std::string text;
    for (int i = 0; i < kLines; ++i)
        text += "    local value = SendData(a) -- line\r\n";
    return text;
}

bool PutOnClipboard(HWND owner, const std::string& text)
{
    if (!::OpenClipboard(owner))
        return false;
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    const bool put = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
    return put;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string figure = argc > 1 ? argv[1] : "paste";
    CWnd frame;
    frame.CreateEx(0, nullptr, "coloredit_bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                   nullptr);
    ColorEditLuaSyntax syntax;
    syntax.m_keywords[0] = {"local", "end", "function"};
    syntax.m_keywords[1] = {"SendData"};
    auto editor = std::make_unique<ColorEditWnd>(&frame, CRect(0, 0, 800, 600), 101, 4, TRUE);
    editor->SetSyntax(&syntax);
    PumpMessages();
    const std::string text = ManyLines();
    double seconds = 0;
    if (figure == "paste") {
        if (!PutOnClipboard(frame.m_hWnd, text))
            return 1;
        const LONGLONG start = Now();
        editor->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        PumpMessages();
        seconds = SecondsSince(start);
    } else {
        editor->SetText(text.c_str());
        PumpMessages();
        const LONGLONG start = Now();
        editor->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
        editor->SendMessage(WM_KEYDOWN, VK_DELETE);
        PumpMessages();
        seconds = SecondsSince(start);
    }
    std::printf("coloredit_bench %s: %d lines in %.3f s (%d lines left)\n", figure.c_str(),
                kLines, seconds, editor->GetContent().GetLineCount());
    editor.reset();
    frame.DestroyWindow();
    return 0;
}
