// The clipboard: both formats byte-exact for a selection with zero bytes, paste by mode, blocks
// made by another program, forged ones included, and a Copy that the clipboard refuses at any
// step. Only this test program uses the clipboard, which the test programs running side by side
// share.
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "tests/editors/HexEditFixture.h"

namespace {

// A window that runs its work when the clipboard is taken from it or when it is sent
// kRunWork: the stand-in for another program that owns the clipboard, and for the window that
// carries a connection thread's write of the send data.
const UINT kRunWork = WM_APP + 1;

LRESULT CALLBACK WorkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROYCLIPBOARD || message == kRunWork) {
        if (auto* work = reinterpret_cast<std::function<void()>*>(
                ::GetWindowLongPtrA(window, GWLP_USERDATA)))
            (*work)();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateWorkWindow(std::function<void()>* work)
{
    static const ATOM windowClass = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WorkWindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "HexEditClipboardWork";
        return ::RegisterClassA(&wc);
    }();
    const HWND window = ::CreateWindowExA(0, MAKEINTATOM(windowClass), "", WS_POPUP, 0, 0, 10,
                                          10, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                          nullptr);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(work));
    return window;
}

// Another thread with a window of its own, as another program has: it puts text on the
// clipboard, owning it, and runs onTakenAway when the clipboard is emptied; or, with
// holdOpen, keeps the clipboard open until it ends. It ends with the object.
class ForeignClipboardUser
{
public:
    ForeignClipboardUser(bool holdOpen, std::function<void()> onTakenAway)
        : m_holdOpen(holdOpen)
        , m_onTakenAway(std::move(onTakenAway))
        , m_ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = ::CreateThread(nullptr, 0, &Run, this, 0, &m_threadId);
        // Answers what the thread sends meanwhile (the clipboard's previous owner may live here).
        while (::MsgWaitForMultipleObjects(1, &m_ready, FALSE, 10000, QS_SENDMESSAGE) ==
               WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        }
    }
    ~ForeignClipboardUser()
    {
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        ::WaitForSingleObject(m_thread, 10000);
        ::CloseHandle(m_thread);
        ::CloseHandle(m_ready);
    }

private:
    static DWORD WINAPI Run(LPVOID parameter)
    {
        auto& self = *static_cast<ForeignClipboardUser*>(parameter);
        const HWND window = CreateWorkWindow(&self.m_onTakenAway);
        ::OpenClipboard(window);
        ::EmptyClipboard();
        const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 2);
        std::memcpy(::GlobalLock(block), "f", 2);
        ::GlobalUnlock(block);
        ::SetClipboardData(CF_TEXT, block);
        if (!self.m_holdOpen)
            ::CloseClipboard();
        ::SetEvent(self.m_ready);
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
        if (self.m_holdOpen)
            ::CloseClipboard();
        ::DestroyWindow(window);
        return 0;
    }

    bool m_holdOpen;
    std::function<void()> m_onTakenAway;
    HANDLE m_ready;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
};

// The system's clipboard calls, one of which fails as the system's may.
class FailingClipboardWriter : public CClipboardWriter
{
public:
    struct Failure
    {
        SIZE_T blockSize = 0;  // no memory for a block of this size
        bool empty = false;    // the clipboard is not emptied
        UINT format = 0;       // the block of this format is refused
        bool close = false;    // the clipboard closes, but reports failure
    };
    explicit FailingClipboardWriter(Failure failure) : m_failure(failure) {}

    HGLOBAL AllocBlock(SIZE_T size) override
    {
        return size == m_failure.blockSize ? nullptr : CClipboardWriter::AllocBlock(size);
    }
    BOOL Empty() override { return !m_failure.empty && CClipboardWriter::Empty(); }
    HANDLE Put(UINT format, HGLOBAL block) override
    {
        return format == m_failure.format ? nullptr : CClipboardWriter::Put(format, block);
    }
    BOOL Close() override { return CClipboardWriter::Close() && !m_failure.close; }

private:
    Failure m_failure;
};

class HexEditClipboardTest : public HexEditFixture
{
protected:
    // Puts blocks on the clipboard as another program would: format and raw block content.
    void PutOnClipboard(const std::vector<std::pair<UINT, Bytes>>& blocks)
    {
        ASSERT_TRUE(::OpenClipboard(m_parent.m_hWnd));
        ::EmptyClipboard();
        for (const auto& [format, content] : blocks) {
            const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, content.size());
            if (!content.empty()) {
                std::memcpy(::GlobalLock(block), content.data(), content.size());
                ::GlobalUnlock(block);
            }
            ::SetClipboardData(format, block);
        }
        ::CloseClipboard();
    }
    // The block of a format as it is on the clipboard; empty when there is none.
    Bytes ReadClipboard(UINT format)
    {
        Bytes content;
        if (!::OpenClipboard(m_parent.m_hWnd))
            return content;
        if (const HGLOBAL block = ::GetClipboardData(format)) {
            const auto* bytes = static_cast<const BYTE*>(::GlobalLock(block));
            content.assign(bytes, bytes + ::GlobalSize(block));
            ::GlobalUnlock(block);
        }
        ::CloseClipboard();
        return content;
    }
    void Select(int start, int end)
    {
        m_editor.SelectionStart = start;
        m_editor.SelectionEnd = end;
    }
    void PasteAt(const Bytes& data, int caret, bool insert)
    {
        m_editor.SetData(ToArray(data));
        m_editor.SetInsertMode(insert);
        m_editor.Caret = caret;
        m_editor.Paste();
    }

    const UINT m_binaryData = CHexEdit::GetBinaryDataFormat();
};

TEST_F(HexEditClipboardTest, ASelectionWithZeroBytesGoesOutWholeInBothFormats)
{
    m_editor.SetData(ToArray(Bytes{0xFF, 0x41, 0x00, 0x00, 0x42, 0x00, 0xEE}));
    Select(1, 5);
    EXPECT_NE(0, m_editor.Copy());
    EXPECT_EQ((Bytes{5, 0, 0, 0, 0x41, 0x00, 0x00, 0x42, 0x00}), ReadClipboard(m_binaryData));
    EXPECT_EQ((Bytes{0x41, 0x00, 0x00, 0x42, 0x00, 0x00}), ReadClipboard(CF_TEXT));

    PasteAt({0x11, 0x22}, 1, true);
    EXPECT_EQ((Bytes{0x11, 0x41, 0x00, 0x00, 0x42, 0x00, 0x22}), m_editor.Data());
}

TEST_F(HexEditClipboardTest, CopyWithoutASelectionLeavesTheClipboardAlone)
{
    PutOnClipboard({{CF_TEXT, {'x', 0}}});
    m_editor.SetData(ToArray(Bytes{1, 2}));
    EXPECT_NE(0, m_editor.Copy());
    EXPECT_EQ((Bytes{'x', 0}), ReadClipboard(CF_TEXT));
}

TEST_F(HexEditClipboardTest, OverwriteModeWritesNoMoreThanTheSelectionOrTheRestOfTheData)
{
    const Bytes ten = {10, 0, 0, 0, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9};
    PutOnClipboard({{m_binaryData, ten}});
    const Bytes data(12, 0x11);

    m_editor.SetData(ToArray(data));
    m_editor.SetInsertMode(false);
    Select(2, 5);
    m_editor.Paste();
    EXPECT_EQ((Bytes{0x11, 0x11, 0xA0, 0xA1, 0xA2, 0xA3, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}),
              m_editor.Data());
    EXPECT_EQ(2, m_editor.Caret);
    EXPECT_TRUE(m_editor.IsSelectionEmpty());

    PasteAt(data, 9, false);
    EXPECT_EQ((Bytes{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0xA0, 0xA1, 0xA2}),
              m_editor.Data());

    PasteAt(data, 12, false);
    EXPECT_EQ(data, m_editor.Data()) << "nothing is written at the end position";
}

TEST_F(HexEditClipboardTest, CutRemovesInInsertModeAndZeroesInOverwriteMode)
{
    struct Case
    {
        bool insert;
        Bytes expected;
    };
    const Case cases[] = {{true, {1, 4}}, {false, {1, 0, 0, 4}}};
    for (const Case& c : cases) {
        m_editor.SetData(ToArray(Bytes{1, 2, 3, 4}));
        m_editor.SetInsertMode(c.insert);
        Select(1, 2);
        m_editor.Cut();
        EXPECT_EQ(c.expected, m_editor.Data()) << c.insert;
        EXPECT_EQ((Bytes{2, 0, 0, 0, 2, 3}), ReadClipboard(m_binaryData)) << c.insert;
    }
}

TEST_F(HexEditClipboardTest, BlocksOfOtherProgramsPasteOnlyWhatTheyHold)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<UINT, Bytes>> blocks;
        Bytes pasted;
    };
    const UINT binary = m_binaryData;
    const Case cases[] = {
        {"a count larger than the block", {{binary, {0xFF, 0xFF, 0xFF, 0xFF, 7, 8}}}, {7, 8}},
        {"a count smaller than the block", {{binary, {1, 0, 0, 0, 7, 8, 9}}}, {7}},
        {"a count of zero", {{binary, {0, 0, 0, 0, 7}}}, {}},
        {"a block too short for its count", {{binary, {5, 0}}}, {}},
        {"an empty block", {{binary, {}}}, {}},
        {"binary data before text", {{binary, {1, 0, 0, 0, 7}}, {CF_TEXT, {'t', 0}}}, {7}},
        {"text and what follows its end", {{CF_TEXT, {'A', 'B', 0, 'C', 0}}}, {'A', 'B', 0, 'C'}},
        {"an empty text block", {{CF_TEXT, {}}}, {}},
    };
    for (const Case& c : cases) {
        PutOnClipboard(c.blocks);
        PasteAt({0x55}, 0, true);
        Bytes expected = c.pasted;
        expected.push_back(0x55);
        EXPECT_EQ(expected, m_editor.Data()) << c.what;
    }
}

TEST_F(HexEditClipboardTest, AReadOnlyEditorDoesNotPaste)
{
    PutOnClipboard({{CF_TEXT, {'A', 0}}});
    m_editor.SetData(ToArray(Bytes{1}));
    m_editor.SetEditable(FALSE);
    m_editor.Paste();
    EXPECT_EQ(Bytes{1}, m_editor.Data());
}

TEST_F(HexEditClipboardTest, DataReplacedWhileTheClipboardChangesHandsLeavesCopyAndCutSound)
{
    // Taking the clipboard from its owner waits for that owner's answer, and meanwhile this
    // thread serves the messages other threads send it: a connection thread's new send data
    // can arrive in the middle of a copy.
    struct Case
    {
        const char* what;
        bool cut;
        bool insert;
    };
    const Case cases[] = {{"copy", false, true}, {"cut in insert mode", true, true},
                          {"cut in overwrite mode", true, false}};
    for (const Case& c : cases) {
        std::function<void()> replace = [&] { m_editor.SetData(ToArray(Bytes{0x77, 0x88})); };
        const HWND writer = CreateWorkWindow(&replace);
        {
            ForeignClipboardUser owner(false, [&] { ::SendMessageA(writer, kRunWork, 0, 0); });
            m_editor.SetData(ToArray(Bytes{1, 2, 3, 4, 5, 6}));
            m_editor.SetInsertMode(c.insert);
            Select(1, 4);
            if (c.cut)
                m_editor.Cut();
            else
                EXPECT_NE(0, m_editor.Copy()) << c.what;
        }
        ::DestroyWindow(writer);
        EXPECT_EQ((Bytes{0x77, 0x88}), m_editor.Data()) << c.what << ": the new data stays whole";
        EXPECT_EQ((Bytes{4, 0, 0, 0, 2, 3, 4, 5}), ReadClipboard(m_binaryData))
            << c.what << ": the selection as it was when the command came";
    }
}

TEST_F(HexEditClipboardTest, WhileAnotherProgramHoldsTheClipboardCutKeepsTheBytes)
{
    const Bytes data = {1, 2, 3, 4, 5, 6};
    ForeignClipboardUser holder(true, [] {});
    for (const bool insert : {true, false}) {
        m_editor.SetData(ToArray(data));
        m_editor.SetInsertMode(insert);
        Select(1, 4);
        EXPECT_EQ(0, m_editor.Copy()) << insert;
        m_editor.Cut();
        EXPECT_EQ(data, m_editor.Data()) << insert << ": bytes that reached no clipboard stay";
        EXPECT_EQ(1, m_editor.SelectionStart) << insert;
        EXPECT_EQ(4, m_editor.SelectionEnd) << insert;
    }
}

TEST_F(HexEditClipboardTest, CopyFailsAndCutKeepsTheBytesUnlessTheClipboardTookBothBlocks)
{
    struct Case
    {
        const char* what;
        FailingClipboardWriter::Failure failure;
    };
    // Four bytes are selected: the "BinaryData" block has 8 bytes, the text block 5.
    const Case cases[] = {
        {"no memory for the BinaryData block", {.blockSize = 8}},
        {"no memory for the text block", {.blockSize = 5}},
        {"the clipboard not emptied", {.empty = true}},
        {"the BinaryData block refused", {.format = CHexEdit::GetBinaryDataFormat()}},
        {"the text block refused", {.format = CF_TEXT}},
        {"the clipboard not closed", {.close = true}},
    };
    const Bytes data = {1, 2, 3, 4, 5, 6};
    for (const Case& c : cases) {
        FailingClipboardWriter writer(c.failure);
        m_editor.m_clipboardWriter = &writer;
        for (const bool insert : {true, false}) {
            m_editor.SetData(ToArray(data));
            m_editor.SetInsertMode(insert);
            Select(1, 4);
            EXPECT_EQ(0, m_editor.Copy()) << c.what;
            m_editor.Cut();
            EXPECT_EQ(data, m_editor.Data()) << c.what << ", insert mode " << insert;
            EXPECT_EQ(1, m_editor.SelectionStart) << c.what;
            EXPECT_EQ(4, m_editor.SelectionEnd) << c.what;
        }
        m_editor.m_clipboardWriter = &CClipboardWriter::System();
    }
}

} // namespace
