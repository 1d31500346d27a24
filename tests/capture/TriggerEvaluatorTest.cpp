// The triggers at work with a fake clock and a recording action sink: each kind with and
// without first-time-only over sequences of packets and timer ticks, precedence, the switch,
// and the actions themselves.
#include <gtest/gtest.h>

#include "capture/TriggerActions.h"
#include "capture/TriggerEvaluator.h"
#include "tests/capture/Datagrams.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

class CFakeClock : public ITriggerClock
{
public:
    LONGLONG Now() override { return now; }
    LONGLONG now = 1000;
};

class CRecordingSink : public ITriggerActionSink
{
public:
    void RunTriggerAction(const CPacketTriggerEntry& trigger) override
    {
        fired.push_back(trigger.name.GetString());
    }
    std::vector<std::string> fired;
};

CPacketTriggerEntry Trigger(const char* name, int kind, int firstTimeOnly, int seconds,
                            unsigned destPort = 80)
{
    CPacketTriggerEntry trigger;
    trigger.name = name;
    trigger.enabled = 1;
    trigger.kind = kind;
    trigger.firstTimeOnly = firstTimeOnly;
    trigger.seconds = seconds;
    trigger.destPort = StoredPort(destPort);
    return trigger;
}

class TriggerEvaluatorTest : public ::testing::Test
{
protected:
    TriggerEvaluatorTest() : m_settings({}), m_evaluator(m_settings, m_clock, m_sink)
    {
        m_settings.triggersEnabled = 1;
    }

    // A script of steps: 'p' a matching packet, 'x' a packet that matches nothing, 't' a timer
    // tick, a digit n: n seconds pass. Returns the second of each firing, as "@s".
    std::string Run(const char* script)
    {
        m_evaluator.ResetTriggers();
        const LONGLONG start = m_clock.now;
        std::string firings;
        for (const char* step = script; *step; ++step) {
            const size_t before = m_sink.fired.size();
            if (*step == 'p')
                m_evaluator.EvaluateTriggers(Record(TcpDatagram(1025, 80, 0x10)));
            else if (*step == 'x')
                m_evaluator.EvaluateTriggers(Record(TcpDatagram(1025, 81, 0x10)));
            else if (*step == 't')
                m_evaluator.OnTriggerTimer();
            else
                m_clock.now += *step - '0';
            for (size_t i = before; i < m_sink.fired.size(); ++i)
                firings += "@" + std::to_string(m_clock.now - start);
        }
        return firings;
    }

    CFakeClock m_clock;
    CRecordingSink m_sink;
    CCaptureSettings m_settings;
    CTriggerEvaluator m_evaluator;
};

TEST_F(TriggerEvaluatorTest, KindsOverSequencesOfPacketsAndTicks)
{
    struct Case
    {
        int kind;
        int firstTimeOnly;
        const char* script;
        const char* firings;
    } cases[] = {
        // Kind 0: every matching packet, or the first only.
        {0, 0, "pxp1p", "@0@0@1"},
        {0, 1, "pxp1p", "@0"},
        // Kind 1 (5 s): silence since the start, again every 5 s; a packet restarts the wait.
        {1, 0, "4t1t4t1t", "@5@10"},
        {1, 0, "4p4t1t", "@9"},
        {1, 1, "5t5t5t", "@5"},
        {1, 0, "5x5t", "@10"},
        // Kind 2 (5 s): the first packet, then the first after a silence.
        {2, 0, "p2p2p2t5t5p", "@0@16"},
        {2, 1, "p5t5t5p", "@0"},
        // Kind 3 (5 s): silence since the start or the last packet; a packet arms it again.
        {3, 0, "5t5tp4t1tp5t", "@5@15@20"},
        {3, 1, "5t5tp5t", "@5"},
        {3, 1, "p4t1t", "@5"},
    };
    for (const Case& c : cases) {
        m_settings.triggers = {Trigger("t", c.kind, c.firstTimeOnly, 5)};
        EXPECT_EQ(c.firings, Run(c.script)) << c.kind << " " << c.firstTimeOnly << " " << c.script;
    }
}

TEST_F(TriggerEvaluatorTest, OnlyTheFirstLiveTriggerTakesAPacket)
{
    // A live kind-1 trigger in front takes every packet the kind-0 trigger would see.
    m_settings.triggers = {Trigger("silence", 1, 0, 100), Trigger("packet", 0, 0, 0)};
    EXPECT_EQ("", Run("ppp"));
    // An unmatched or disabled trigger in front passes the packet on.
    m_settings.triggers = {Trigger("other port", 0, 0, 0, 81), Trigger("first", 0, 0, 0),
                           Trigger("second", 0, 0, 0)};
    m_settings.triggers[1].enabled = 0;
    m_sink.fired.clear();
    Run("p");
    EXPECT_EQ(std::vector<std::string>{"second"}, m_sink.fired);
    // A kind-0 first-time-only trigger that has fired passes later packets on.
    m_settings.triggers = {Trigger("once", 0, 1, 0), Trigger("after", 0, 0, 0)};
    m_sink.fired.clear();
    Run("pp");
    EXPECT_EQ((std::vector<std::string>{"once", "after"}), m_sink.fired);
}

TEST_F(TriggerEvaluatorTest, SwitchOffAndExtremeSeconds)
{
    m_settings.triggers = {Trigger("t", 0, 0, 0), Trigger("silence", 1, 0, 1)};
    m_settings.triggersEnabled = 0;
    EXPECT_EQ("", Run("p5t"));
    EXPECT_TRUE(m_evaluator.GetTriggerTimes().empty());

    // Seconds at either end of their range neither overflow nor fire early.
    m_settings.triggersEnabled = 1;
    m_settings.triggers = {Trigger("max", 1, 0, 0x7FFFFFFF)};
    m_clock.now = 0x7FFFFFF0;
    EXPECT_EQ("", Run("9t9t"));
    m_settings.triggers = {Trigger("negative", 1, 0, -5)};
    EXPECT_EQ("@0", Run("t"));
}

TEST(TriggerActionsTest, CopiesTheNewestRollingLogIntoTheDirectory)
{
    TempFolder folder;
    TempFolder target("quorvex-copy");
    CCaptureSettings settings({});
    settings.autoSaveDirectory = (folder.Path() + "\\").c_str();
    settings.fileHead = "AUTOCAP";
    WriteFileBytes(folder.File("AUTOCAP2024030513.qvp"), Text("old"));
    WriteFileBytes(folder.File("OTHER2024030515.qvp"), Text("other head"));
    WriteFileBytes(folder.File("AUTOCAP2024030514.qvp"), Text("new"));
    // Give the files distinct write times: the older one an hour back.
    const HANDLE old = CreateFileA(folder.File("AUTOCAP2024030513.qvp").c_str(), FILE_WRITE_ATTRIBUTES,
                                   0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    ULARGE_INTEGER earlier{{time.dwLowDateTime, time.dwHighDateTime}};
    earlier.QuadPart -= 36000000000ULL;
    time = {earlier.LowPart, earlier.HighPart};
    SetFileTime(old, nullptr, nullptr, &time);
    CloseHandle(old);

    EXPECT_EQ("", std::string(FindLatestLog(settings)));
    settings.autoSaveMode = 1;
    EXPECT_EQ(folder.File("AUTOCAP2024030514.qvp"), std::string(FindLatestLog(settings)));

    CTriggerActions actions(settings, nullptr);
    CPacketTriggerEntry trigger;
    trigger.saveLatestLog = 1;
    trigger.directory = target.Path().c_str();
    actions.RunTriggerAction(trigger);
    EXPECT_EQ(Text("new"), ReadFileBytes(target.File("AUTOCAP2024030514.qvp")));
}

} // namespace
