// The worker loop's bursts of received blocks over an endpoint of the test that has a script of
// blocks ready: where a burst ends, and that nothing read in it is lost or reordered.
#include <atomic>
#include <functional>
#include <thread>

#include "core/engine/ConnectionFrame.h"
#include "core/engine/ConnectionWorker.h"
#include "tests/engine/EngineFixture.h"

namespace {

const int kSent = -LOG_KIND_SENT;
const int kReceived = -LOG_KIND_RECEIVED;

// Ready while its script has blocks left; each read takes the next one. What the endpoint is
// given to send is taken whole.
class ScriptedEndpoint : public IWorkerEndpoint
{
public:
    ScriptedEndpoint(std::vector<Bytes> blocks, std::function<void(size_t read)> afterRead)
        : m_blocks(std::move(blocks)), m_afterRead(std::move(afterRead)),
          m_ready(::CreateEventA(nullptr, TRUE, TRUE, nullptr))
    {
    }
    ~ScriptedEndpoint() { ::CloseHandle(m_ready); }

    int Open(CConnectionWorker&) override { return kGoOn; }
    std::span<const HANDLE> Events() const override { return {&m_ready, 1}; }
    bool EventsBeforeKick() const override { return true; }
    SendOutcome Send(const BYTE*, DWORD size, DWORD& sent, int&) override
    {
        sent = size;
        return SEND_DONE;
    }
    int OnEvent(size_t, CConnectionWorker& worker) override
    {
        do {
            if (m_read == m_blocks.size()) {
                ::ResetEvent(m_ready);
                return kGoOn;
            }
            const Bytes& block = m_blocks[m_read++];
            const int result = worker.OnReceived(block.data(), static_cast<DWORD>(block.size()));
            m_afterRead(m_read);
            if (result != kGoOn)
                return result;
        } while (worker.MayReadMore());
        return kGoOn;
    }
    void Close() override {}

    size_t Read() const { return m_read; }

private:
    std::vector<Bytes> m_blocks;
    std::function<void(size_t read)> m_afterRead;
    HANDLE m_ready;
    size_t m_read = 0;
};

class ConnectionWorkerTest : public EngineTest
{
protected:
    ConnectionWorkerTest()
    {
        CPortContext& context = m_engine.Context(kPort);
        context.m_port = kPort;
        context.m_notifyWindow = m_window.Handle();
    }

    // Runs a worker over the endpoint on a thread of its own until it ends.
    int RunWorker(ScriptedEndpoint& endpoint, std::function<bool()> stopWhen)
    {
        int result = kGoOn;
        std::atomic<bool> ended{false};
        std::thread thread([&] {
            CConnectionWorker worker({m_engine, kPort, 0, CONNECTION_TCP_CLIENT, 0, 0}, endpoint,
                                     kSocketWorkerMessages);
            result = worker.Run();
            ended = true;
        });
        EXPECT_TRUE(PumpUntil(stopWhen));
        SetStop();
        EXPECT_TRUE(PumpUntil([&] { return ended.load(); }));
        thread.join();
        return result;
    }
    void SetStop()
    {
        const HANDLE stop = ::CreateEventA(nullptr, TRUE, FALSE,
                                           m_engine.Context(kPort).GetStopEventName());
        ::SetEvent(stop);
        ::CloseHandle(stop);
    }
};

std::vector<Bytes> NumberedBlocks(size_t count)
{
    std::vector<Bytes> blocks;
    for (size_t i = 0; i < count; ++i)
        blocks.push_back({static_cast<BYTE>(i), static_cast<BYTE>(i >> 8)});
    return blocks;
}

TEST_F(ConnectionWorkerTest, ABurstEndsFullOrWhenTheQueueHasSomethingAndLosesNothingAtAStop)
{
    const size_t kBlocks = 20;
    const std::vector<int> r2(2, kReceived);
    const std::vector<int> r16(16, kReceived);
    const std::vector<int> r18(18, kReceived);
    struct Case
    {
        const char* what;
        size_t actAfterRead;  // the test acts once this many blocks are read
        bool stops;           // it stops the port; otherwise it queues a block to send
        std::vector<int> bursts;
        std::vector<std::vector<int>> codeParts;
    };
    const Case cases[] = {
        // The stop is served at the next wait, after the burst went to the window.
        {"stopped in the middle of a burst", 3, true, {16}, {r16, {10011}}},
        // The block queued goes out before the next read, and the blocks go on after it.
        {"a block queued in the middle of a burst", 2, false, {2, 16, 2},
         {r2, {kSent}, r18, {10011}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_log = {};
        ScriptedEndpoint endpoint(NumberedBlocks(kBlocks), [&](size_t read) {
            if (read != c.actAfterRead)
                return;
            if (c.stops) {
                SetStop();
                return;
            }
            CSendQueue& queue = *m_log.queues.at(0);
            queue.Push(ToArray({'S'}), 0);
            queue.Signal();
        });
        const size_t expectedRead = c.stops ? 16 : kBlocks;
        const int result = RunWorker(endpoint, [&] {
            return CountOf(LOG_KIND_RECEIVED) == static_cast<int>(expectedRead);
        });
        EXPECT_EQ(kResultStopped, result);
        EXPECT_EQ(expectedRead, endpoint.Read());
        EXPECT_EQ(c.bursts, m_log.burstSizes);
        std::vector<int> codes;
        for (const std::vector<int>& part : c.codeParts)
            codes.insert(codes.end(), part.begin(), part.end());
        EXPECT_EQ(codes, Codes());
        // Every block read is logged once, in the order read.
        Bytes expected;
        for (const Bytes& block : NumberedBlocks(expectedRead))
            expected.insert(expected.end(), block.begin(), block.end());
        EXPECT_TRUE(expected == Joined(LOG_KIND_RECEIVED));
    }
}

} // namespace
