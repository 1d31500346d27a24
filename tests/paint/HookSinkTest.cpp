#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/paint/HookSink.h"
#include "platform/Types.h"

namespace {

const UINT kProbe = WM_APP + 10;

// The messages the window's own procedure received.
std::vector<std::pair<UINT, WPARAM>> g_ownProcedure;

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe || message == WM_NCDESTROY)
        g_ownProcedure.push_back({message, wParam});
    if (message == kProbe)
        return 1000 + static_cast<LRESULT>(wParam);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateProbeWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OwnProcedure;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "HookProbe";
        ::RegisterClassA(&wc);
        registered = true;
    }
    g_ownProcedure.clear();
    return ::CreateWindowExA(0, "HookProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

// A sink that records what it saw and does what its test asks while it filters.
class ProbeSink : public CExtHookSink
{
public:
    explicit ProbeSink(std::vector<std::string>& log, std::string name, bool enabled = true)
        : CExtHookSink(enabled), m_log(log), m_name(std::move(name))
    { }
    ~ProbeSink() override { m_log.push_back(m_name + " deleted"); }

    bool IsAutoDelete() const override { return autoDelete; }
    bool FilterMessage(LRESULT& result, HWND window, UINT message, WPARAM& wParam,
                       LPARAM& lParam) override
    {
        if (message != kProbe)
            return CExtHookSink::FilterMessage(result, window, message, wParam, lParam);
        m_log.push_back(m_name + " " + std::to_string(wParam));
        if (onFilter)
            onFilter(window, wParam);
        if (!IsEnabled())
            return false;
        if (consume) {
            result = 7;
            return true;
        }
        return false;
    }
    void OnHookNcDestroy() override { m_log.push_back(m_name + " ncdestroy"); }
    void OnHookAttached(HWND) override { m_log.push_back(m_name + " attached"); }
    void OnHookDetached(HWND) override { m_log.push_back(m_name + " detached"); }

    bool autoDelete = false;
    bool consume = false;
    std::function<void(HWND, WPARAM&)> onFilter;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

using Log = std::vector<std::string>;

TEST(HookSink, AttachOrderAndConsumption)
{
    Log log;
    HWND window = CreateProbeWindow();
    ProbeSink a(log, "a"), b(log, "b"), c(log, "c", false);
    EXPECT_FALSE(a.AttachToWindow(nullptr));
    EXPECT_FALSE(a.AttachToWindow(reinterpret_cast<HWND>(0x1234)));
    EXPECT_TRUE(a.AttachToWindow(window));
    EXPECT_TRUE(a.AttachToWindow(window)) << "twice is once";
    EXPECT_TRUE(b.AttachToWindow(window, false, true));
    EXPECT_TRUE(c.AttachToWindow(window));
    EXPECT_EQ(log, (Log{"a attached", "b attached", "c attached"}));
    log.clear();

    c.consume = true;
    EXPECT_EQ(::SendMessageA(window, kProbe, 1, 0), 1001) << "a disabled sink consumes nothing";
    EXPECT_EQ(log, (Log{"b 1", "a 1", "c 1"}));
    log.clear();
    b.onFilter = [](HWND, WPARAM& wParam) { wParam = 5; };
    a.consume = true;
    EXPECT_EQ(::SendMessageA(window, kProbe, 1, 0), 7);
    EXPECT_EQ(log, (Log{"b 1", "a 5"})) << "the changed wParam reaches later sinks";
    a.consume = false;
    EXPECT_EQ(::SendMessageA(window, kProbe, 1, 0), 1005) << "and the window's own procedure";
    EXPECT_TRUE(a.IsAttachedTo(window));
    a.DetachFromAllWindows();
    b.DetachFromAllWindows();
    c.DetachFromAllWindows();
    EXPECT_FALSE(a.IsAttachedTo(window));
    EXPECT_EQ(::SendMessageA(window, kProbe, 2, 0), 1002) << "still subclassed, straight through";
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC)),
              HookChainWindowProc);
    ::DestroyWindow(window);
    EXPECT_EQ(CExtHookSink::HookedWindowCount(), 0);
}

TEST(HookSink, DestroyingTheWindowTearsTheChainDown)
{
    Log log;
    HWND window = CreateProbeWindow();
    ProbeSink kept(log, "kept");
    auto* owned = new ProbeSink(log, "owned");
    owned->autoDelete = true;
    kept.AttachToWindow(window);
    owned->AttachToWindow(window);
    log.clear();
    ::DestroyWindow(window);
    EXPECT_EQ(log, (Log{"kept ncdestroy", "owned ncdestroy", "owned deleted"}));
    ASSERT_EQ(g_ownProcedure.size(), 1u);
    EXPECT_EQ(g_ownProcedure[0].first, static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(CExtHookSink::HookedWindowCount(), 0);
    EXPECT_FALSE(kept.IsAttachedTo(window));
}

TEST(HookSink, SinksThatLeaveOrDestroyDuringDispatch)
{
    const struct
    {
        const char* what;
        int actor;    // the sink that acts, 0-2
        int target;   // the sink it detaches, -1 for destroying the window
        Log expected;
    } cases[] = {
        {"detaches itself", 1, 1, {"s0 1", "s1 1", "s1 detached", "s2 1"}},
        {"detaches a later one", 0, 2, {"s0 1", "s2 detached", "s2 deleted", "s1 1"}},
        {"detaches an earlier one", 1, 0, {"s0 1", "s1 1", "s0 detached", "s0 deleted", "s2 1"}},
        {"destroys the window", 0, -1,
         {"s0 1", "s0 ncdestroy", "s1 ncdestroy", "s2 ncdestroy", "s2 deleted", "s1 deleted"}},
    };
    for (const auto& c : cases) {
        Log log;
        HWND window = CreateProbeWindow();
        ProbeSink* sinks[3];
        for (int i = 0; i < 3; ++i) {
            sinks[i] = new ProbeSink(log, "s" + std::to_string(i));
            // The acting sink is still running when it leaves, so only the others go with it.
            sinks[i]->autoDelete = i != c.actor;
            sinks[i]->AttachToWindow(window);
        }
        ProbeSink* target = c.target >= 0 ? sinks[c.target] : nullptr;
        sinks[c.actor]->onFilter = [target](HWND hwnd, WPARAM&) {
            if (target)
                target->AttachToWindow(hwnd, true);
            else
                ::DestroyWindow(hwnd);
        };
        log.clear();
        ::SendMessageA(window, kProbe, 1, 0);
        sinks[c.actor]->onFilter = nullptr;  // it acts once: its target may be gone
        EXPECT_EQ(log, c.expected) << c.what;
        if (::IsWindow(window)) {
            EXPECT_EQ(::SendMessageA(window, kProbe, 3, 0), 1003) << c.what;
            ::DestroyWindow(window);
        }
        EXPECT_EQ(CExtHookSink::HookedWindowCount(), 0) << c.what;
        delete sinks[c.actor];
    }
}

WNDPROC g_chainProc = nullptr;
int g_laterSaw = 0;

LRESULT CALLBACK LaterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
        ++g_laterSaw;
    return ::CallWindowProcA(g_chainProc, window, message, wParam, lParam);
}

TEST(HookSink, ALaterSubclassKeepsItsProcedureThroughTheEnd)
{
    Log log;
    HWND window = CreateProbeWindow();
    ProbeSink sink(log, "s");
    sink.AttachToWindow(window);
    // Someone subclasses after the chain; the chain's end must not take their procedure away.
    g_laterSaw = 0;
    g_chainProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterProcedure)));
    ::DestroyWindow(window);
    EXPECT_EQ(g_laterSaw, 1);
    EXPECT_EQ(CExtHookSink::HookedWindowCount(), 0);
}

} // namespace
