// Extension-DLL mode through the test DLL (tests/engine/fixtures/PluginTestDll.c), whose
// behaviour is chosen by the port's DLL data and which writes every call it receives to a file:
// the calling order of a connection, each command, the DLL's log texts, and the DLLs a connection
// refuses. The transport is a scripted serial line; the sockets are the program's tests' part.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/MessageCodes.h"
#include "tests/engine/EngineFixture.h"
#include "tests/engine/FakeComPane.h"
#include "tests/support/FakeSerialDevice.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TempFolder.h"

namespace {

const int kSent = -LOG_KIND_SENT;
const int kReceived = -LOG_KIND_RECEIVED;

// One call the DLL received: its thread, the event (hex, "e" for the editor's bytes), the own
// word handed back, word 1 and the data in hex.
struct DllCall
{
    unsigned long thread = 0;
    std::string event;
    unsigned long own = 0;
    std::string value;
    std::string data;
};

class PluginTest : public EngineTest
{
protected:
    PluginTest()
    {
        m_settings.m_connectionType[kPort] = 3;
        m_settings.m_dllMode[kPort] = 1;
        m_engine.SetSerialDevices(m_line);
        m_engine.SetSinks({nullptr, nullptr, &m_pane});
        UseDll("plugin_test.dll", "");
    }
    ~PluginTest() override
    {
        EXPECT_TRUE(m_engine.StopAllPorts(10000));
        m_engine.SetSinks({});
    }

    // The port's DLL: a copy of the fixture under the name, with the rules as its DLL data.
    void UseDll(const std::string& name, const std::string& rules,
                const std::string& fixture = "plugin_test.dll")
    {
        m_dllPath = m_folder.File(name);
        ASSERT_TRUE(CopyFileA((TestFolder() + fixture).c_str(), m_dllPath.c_str(), FALSE));
        m_settings.m_dllPath[kPort] = m_dllPath.c_str();
        m_settings.m_dllData[kPort] = ToArray(Bytes(rules.begin(), rules.end()));
    }

    std::vector<DllCall> Calls() const
    {
        std::vector<DllCall> calls;
        std::ifstream file(m_dllPath + ".log");
        std::string line;
        while (std::getline(file, line)) {
            std::istringstream fields(line);
            DllCall call;
            std::string own;
            fields >> call.thread >> call.event >> own >> call.value >> call.data;
            call.own = std::stoul(own.substr(4), nullptr, 16);
            call.value = call.value.substr(3);
            call.data = call.data.substr(5);
            calls.push_back(call);
        }
        return calls;
    }
    std::vector<std::string> Events() const
    {
        std::vector<std::string> events;
        for (const DllCall& call : Calls())
            events.push_back(call.event);
        return events;
    }
    int CountEvent(const std::string& event) const
    {
        const std::vector<std::string> events = Events();
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    bool WaitForEvent(const std::string& event, int count = 1)
    {
        return PumpUntil([&] { return CountEvent(event) >= count; });
    }
    bool WaitForCount(int kind, int count)
    {
        return PumpUntil([&] { return CountOf(kind) >= count; });
    }
    std::string MessageData(int code) const
    {
        const CLogRecord* record = FindMessage(code);
        return record ? std::string(reinterpret_cast<const char*>(record->m_data.GetData()),
                                    record->m_data.GetSize())
                      : std::string("(none)");
    }

    TempFolder m_folder{"quorvex-plugin"};
    std::string m_dllPath;
    FakeSerialLine m_line;
    FakeComPane m_pane{kPort};
};

TEST_F(PluginTest, ADllThatAnswersNothingLeavesTheTrafficAsBuiltInModeInTheContractsOrder)
{
    // The start asks for a one-shot timer 0 of 100 ms.
    UseDll("plugin_test.dll", "1=400,w1:80000000,w2:64");
    ASSERT_TRUE(StartAndWaitForWorker());
    Send({1, 2, 3});
    ASSERT_TRUE(WaitForCount(LOG_KIND_SENT, 1));
    m_line.Receive({'x', 'y'});
    ASSERT_TRUE(WaitForCount(LOG_KIND_RECEIVED, 1));
    ASSERT_TRUE(WaitForEvent("10"));
    PumpFor(400);  // a one-shot timer that went on would fire again meanwhile
    StopAndWaitForEnd();

    EXPECT_EQ((Bytes{1, 2, 3}), m_line.Written());
    EXPECT_EQ((std::vector<int>{20001, kSent, MSG_WRITE_COMPLETED, kReceived, 20011, 20002}),
              Codes());
    const std::vector<DllCall> calls = Calls();
    ASSERT_EQ(8u, calls.size());
    const std::vector<std::string> events = Events();
    const std::vector<std::string> opening = {"2000000", "4000000", "10000000", "1"};
    EXPECT_EQ(opening, std::vector<std::string>(events.begin(), events.begin() + 4));
    EXPECT_EQ("2", calls.back().event);
    EXPECT_EQ(1, CountEvent("8"));
    EXPECT_EQ(1, CountEvent("4"));
    EXPECT_EQ(1, CountEvent("10"));
    for (const DllCall& call : calls) {
        if (call.event == "8") {
            EXPECT_EQ("010203", call.data);
        } else if (call.event == "4") {
            EXPECT_EQ("7879", call.data);
        } else if (call.event == "10") {
            EXPECT_EQ("0", call.value);
        } else if (call.event == "10000000") {
            EXPECT_EQ("313d3430", call.data.substr(0, 8));  // the rules themselves
        }
        // From the start on every request hands the DLL's own word back.
        if (call.event != "2000000" && call.event != "4000000" && call.event != "10000000") {
            EXPECT_EQ(call.thread, call.own) << call.event;
        }
    }
}

TEST_F(PluginTest, AnEchoAnsweredToReceivedBytesIsSentOnceWithoutASendRequest)
{
    UseDll("plugin_test.dll", "4=100,d:in");
    ASSERT_TRUE(StartAndWaitForWorker());
    m_line.Receive({'a', 'b', 'c'});
    ASSERT_TRUE(WaitForCount(LOG_KIND_SENT, 1));
    PumpFor(300);
    StopAndWaitForEnd();
    EXPECT_EQ((Bytes{'a', 'b', 'c'}), m_line.Written());
    EXPECT_EQ(1, CountOf(LOG_KIND_SENT));
    EXPECT_EQ(1, CountEvent("4"));
    EXPECT_EQ(0, CountEvent("8"));
}

TEST_F(PluginTest, TheDllsTimer1FiresWhileBytesKeepArriving)
{
    // Timer 1 is the DLL's, not the receive time-out: a receipt must not start it over.
    UseDll("plugin_test.dll", "1=400,w1:1,w2:258");
    ASSERT_TRUE(StartAndWaitForWorker());
    for (int round = 0; round < 30 && CountEvent("10") == 0; ++round) {
        m_line.Receive({'a'});
        PumpFor(100);
    }
    StopAndWaitForEnd();
    EXPECT_GE(CountOf(LOG_KIND_RECEIVED), 3);
    EXPECT_GE(CountEvent("10"), 1);
}

TEST_F(PluginTest, APortAlsoMarkedForScriptModeRunsTheDllAndItsSendReachesTheDll)
{
    // A document may hold both modes: the DLL wins, so the Send command must feed its queue
    // rather than wake a script that does not run.
    m_settings.m_scriptMode[kPort] = 1;
    ASSERT_TRUE(StartAndWaitForWorker());
    Send({1, 2});
    ASSERT_TRUE(WaitForCount(LOG_KIND_SENT, 1));
    StopAndWaitForEnd();
    EXPECT_EQ((Bytes{1, 2}), m_line.Written());
    EXPECT_EQ(1, CountEvent("8"));
}

TEST_F(PluginTest, ABlockTheDllKeepsBackIsNeitherSentNorLogged)
{
    UseDll("plugin_test.dll", "8=0,w1:1");
    ASSERT_TRUE(StartAndWaitForWorker());
    Send({1, 2});
    ASSERT_TRUE(WaitForEvent("8"));
    StopAndWaitForEnd();
    EXPECT_TRUE(m_line.Written().empty());
    EXPECT_EQ(0, CountOf(LOG_KIND_SENT));
}

TEST_F(PluginTest, TheEditorsBytesGoToTheDllAndItsAnswerReplacesThem)
{
    m_log.editorData = {1, 2};
    UseDll("plugin_test.dll", "1=1000;e=2000,d:in+58");
    ASSERT_TRUE(StartAndWaitForWorker());
    ASSERT_TRUE(PumpUntil([&] { return m_log.editorData.size() == 3; }));
    StopAndWaitForEnd();
    EXPECT_EQ((Bytes{1, 2, 0x58}), m_log.editorData);
    const std::vector<std::string> expected = {"2000000", "4000000", "10000000", "1", "e", "2"};
    EXPECT_EQ(expected, Events());
    EXPECT_EQ("0102", Calls()[4].data);
}

TEST_F(PluginTest, TheDllsLogTextsAreLoggedByLevelAndEndWithinTheBuffer)
{
    // Level 2 with "abc", then (called again through bit 31) a full buffer without an end.
    UseDll("plugin_test.dll", "1=80000000,l:2:abc;80000000=0,l:9:*");
    ASSERT_TRUE(StartAndWaitForWorker());
    ASSERT_TRUE(PumpUntil([&] { return HasCode(MSG_DLL_WARNING); }));
    StopAndWaitForEnd();
    EXPECT_EQ(std::string("abc\0", 4), MessageData(MSG_DLL_CAUTION));
    EXPECT_EQ(std::string(259, 'A') + '\0', MessageData(MSG_DLL_WARNING));
}

TEST_F(PluginTest, ACommandWithBit31CallsTheDllAgainWithItsAnswer)
{
    UseDll("plugin_test.dll", "1=80000400,w2:3e8;80000400=0");
    ASSERT_TRUE(StartAndWaitForWorker());
    ASSERT_TRUE(WaitForEvent("80000400"));
    StopAndWaitForEnd();
    const std::vector<std::string> expected = {"2000000", "4000000", "10000000", "1",
                                               "80000400", "2"};
    EXPECT_EQ(expected, Events());
}

// How a connection ends on the DLL's word, or on a fault of the DLL; the closing call comes last
// on every path.
TEST_F(PluginTest, ConnectionsEndOnTheDllsWordAndOnItsFaults)
{
    struct Case
    {
        const char* what;
        const char* rules;
        int code;  // the message the end shows, 0 for none
    };
    const Case cases[] = {
        {"disconnect", "4=200", 0},
        {"a failed call", "4=0,r:1", MSG_DLL_CALL_FAILED},
        {"a length without its bytes", "4=100,nul:5", MSG_DLL_CALL_FAILED},
        {"editor bytes without a pointer", "4=2000,nul:3", MSG_DLL_CALL_FAILED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_log = {};
        UseDll(std::string("plugin_test_") + std::to_string(&c - cases) + ".dll", c.rules);
        ASSERT_TRUE(StartAndWaitForWorker());
        m_line.Receive({'a'});
        ASSERT_TRUE(WaitForEnd());
        const std::vector<int> expected =
            c.code ? std::vector<int>{20001, kReceived, c.code, 20002}
                   : std::vector<int>{20001, kReceived, 20002};
        EXPECT_EQ(expected, Codes());
        EXPECT_EQ("2", Events().back());
        EXPECT_TRUE(m_line.Written().empty());
        ASSERT_TRUE(m_engine.StopAllPorts(10000));
    }
}

TEST_F(PluginTest, ADllThatAsksToBeCalledAgainForeverStillStopsWithThePort)
{
    UseDll("plugin_test.dll", "1=80000000;80000000=80000000");
    ASSERT_TRUE(StartAndWaitForWorker());
    ASSERT_TRUE(WaitForEvent("80000000", 3));
    StopAndWaitForEnd();
    EXPECT_EQ((std::vector<int>{20001, 20011, 20002}), Codes());
    EXPECT_EQ("2", Events().back());
}

TEST_F(PluginTest, ADllThatCannotServeAConnectionIsRefusedBeforeAnyTraffic)
{
    struct Case
    {
        const char* name;
        const char* fixture;
        int code;
        int calls;
    };
    const Case cases[] = {
        {"plugin_test_v0101.dll", "plugin_test.dll", MSG_DLL_VERSION_REFUSED, 1},
        {"plugin_missing.dll", "plugin_no_export.dll", MSG_DLL_LOAD_FAILED, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_log = {};
        UseDll(c.name, "", c.fixture);
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ((std::vector<int>{20001, c.code, 20002}), Codes());
        EXPECT_EQ((std::vector<int>{0, 3, 1}), StateSequence());
        EXPECT_EQ(c.calls, static_cast<int>(Calls().size()));
        EXPECT_EQ("Close", m_line.Calls().back());
        ASSERT_TRUE(m_engine.StopAllPorts(10000));
    }
}

} // namespace
