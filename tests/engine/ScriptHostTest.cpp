// Script mode end to end on a TCP client port against Winsock peers on 127.0.0.1: the events,
// the error reports, the timers, sending, the API's connection functions, the extension modules
// and a script that never returns.
#include <atomic>
#include <set>
#include <string>

#include "core/MessageCatalogue.h"
#include "core/engine/LuaModuleList.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CurrentDirectory.h"
#include "tests/support/TempFolder.h"

namespace {

const char* const kDefaultLikeScript = R"(
function OnConnected() Logput(1, "OnConnected") return 0 end
function OnReceive(t) Logput(1, "OnReceive") SendData(t) return 0 end
function OnSendPush() Logput(1, "OnSendPush") SendData(GetEditorData()) return 0 end
function OnTimer(id) Logput(1, "OnTimer") return 0 end
function OnDisConnected() Logput(1, "OnDisConnected") return 0 end
)";

std::string TextOf(const CLogRecord& record)
{
    const Bytes bytes = ToBytes(record.m_data);
    std::string text(bytes.begin(), bytes.end());
    return text.substr(0, text.find('\0'));
}

class ScriptHostTest : public EngineTest
{
protected:
    ScriptHostTest() { m_settings.m_scriptMode[kPort] = 1; }

    // The message records from the script: "<code> <text>", in order.
    std::vector<std::string> ScriptMessages() const
    {
        std::vector<std::string> lines;
        for (const CLogRecord& record : m_log.records) {
            if (record.m_kind == LOG_KIND_MESSAGE && record.m_messageCode >= 10039 &&
                record.m_messageCode <= 10042)
                lines.push_back(std::to_string(record.m_messageCode) + " " + TextOf(record));
        }
        return lines;
    }
    std::string Text(int code) const { return std::string(GetMessageText(code)); }
    // Runs the script on a connection to a peer that serves with serve, until the port ends.
    void RunToEnd(const std::string& script, LoopbackPeer::Serve serve = Echo)
    {
        m_log.scripts[kPort] = script;
        LoopbackPeer peer(serve);
        ConnectTo(peer.Port());
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForEnd());
    }
};

TEST_F(ScriptHostTest, EventsOfAConnectionAndAnEchoByteExact)
{
    m_log.scripts[kPort] = kDefaultLikeScript;
    Bytes echoed;
    std::atomic<bool> done = false;
    const Bytes pattern = PatternBytes(3000);
    LoopbackPeer peer([&](SOCKET socket) {
        SendAll(socket, pattern);
        while (echoed.size() < pattern.size()) {
            char buffer[4096];
            const int received = ::recv(socket, buffer, sizeof buffer, 0);
            if (received <= 0)
                break;
            echoed.insert(echoed.end(), buffer, buffer + received);
        }
        done = true;
    });
    ConnectTo(peer.Port());
    ASSERT_TRUE(Start());
    // The peer closes once it has the echo: the port ends.
    ASSERT_TRUE(WaitForEnd(30000));
    ASSERT_TRUE(done);
    EXPECT_EQ(pattern, echoed);
    EXPECT_EQ(pattern, Joined(LOG_KIND_RECEIVED));
    EXPECT_EQ(pattern, Joined(LOG_KIND_SENT));

    const std::vector<std::string> lines = ScriptMessages();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("10039 OnConnected", lines.front());
    EXPECT_EQ("10039 OnDisConnected", lines.back());
    EXPECT_TRUE(HasCode(10019) || HasCode(10023));
}

TEST_F(ScriptHostTest, SendCommandRunsOnSendPushWithTheEditorBytes)
{
    m_log.scripts[kPort] = kDefaultLikeScript;
    m_log.editorData = {0x51, 0x52, 0x53};
    LoopbackPeer peer(Echo);
    ConnectTo(peer.Port());
    ASSERT_TRUE(StartAndWaitForWorker());
    Send({0x01});  // the script, not the queue, decides what goes out
    ASSERT_TRUE(PumpUntil([&] { return Joined(LOG_KIND_RECEIVED).size() == 3; }));
    EXPECT_EQ(m_log.editorData, Joined(LOG_KIND_RECEIVED));
    StopAndWaitForEnd();
    const std::vector<std::string> lines = ScriptMessages();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "10039 OnSendPush"));
}

TEST_F(ScriptHostTest, ScriptErrorsAreReportedByStep)
{
    const std::string load = Text(13081);
    const std::string connected = Text(13083);
    const std::string disconnected = Text(13087);
    const struct
    {
        const char* what;
        std::string script;
        std::vector<std::string> lines;  // message records; a detail only as its start
    } cases[] = {
        {"syntax error: OnDisConnected not called",
         "function OnDisConnected() Logput(1, 'bye') end\nfunction (", {"10041 " + load,
                                                                         "10042 [string \"?\"]"}},
        {"no OnConnected: OnDisConnected runs",
         "function OnDisConnected() Logput(1, 'bye') return 0 end",
         {"10041 " + connected, "10042 attempt to call a nil value", "10039 bye"}},
        {"neither event", "x = 1",
         {"10041 " + connected, "10042 attempt to call a nil value", "10041 " + disconnected,
          "10042 attempt to call a nil value"}},
        {"empty script", "", {"10039 " + Text(13080)}},
        {"the top level raises: OnDisConnected is still called", "error('top')",
         {"10041 " + Text(13082), "10042 [string \"?\"]:1: top", "10041 " + disconnected,
          "10042 attempt to call a nil value"}},
    };
    for (const auto& c : cases) {
        m_log = {};
        RunToEnd(c.script);
        const std::vector<std::string> lines = ScriptMessages();
        ASSERT_EQ(c.lines.size(), lines.size()) << c.what;
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(0u, lines[i].find(c.lines[i])) << c.what << ": " << lines[i];
    }
}

TEST_F(ScriptHostTest, OneShotTimerReArmedFromOnTimerNeverDoubles)
{
    RunToEnd(R"(
n = 0
function OnConnected() SetTimer(0, 30, 1) return 0 end
function OnTimer(id)
  n = n + 1
  Logput(1, "tick " .. id .. " " .. n)
  if n < 4 then SetTimer(0, 30, 1) else SetTimer(1, 200, 1) end
  if id == 1 then Disconnect() end
  return 0
end
function OnDisConnected() return 0 end
)");
    EXPECT_EQ((std::vector<std::string>{"10039 tick 0 1", "10039 tick 0 2", "10039 tick 0 3",
                                        "10039 tick 0 4", "10039 tick 1 5"}),
              ScriptMessages());
    EXPECT_TRUE(HasCode(10011));  // Disconnect ends as a stop does
}

TEST_F(ScriptHostTest, WrongCallsLogWarnings)
{
    RunToEnd(R"(
function OnConnected()
  Logput(1, 2, 3)
  Logput("x", "y")
  Logput(1, {})
  Logput(2, 12)
  Logput(7, "w")
  StartConnection(3)
  EndConnection()
  SendData()
  SendData({}, 1, 2)
  SendData({})
  Disconnect()
  return 0
end
function OnDisConnected() return 0 end
)");
    EXPECT_EQ((std::vector<std::string>{"10041 ﾊﾟﾗﾒｰﾀｴﾗｰ [1]", "10041 ﾊﾟﾗﾒｰﾀｴﾗｰ [2]",
                                        "10041 ﾊﾟﾗﾒｰﾀｴﾗｰ [3]", "10040 12", "10041 w",
                                        "10041 " + Text(13091), "10041 " + Text(13092),
                                        "10041 " + Text(13090), "10041 " + Text(13090)}),
              ScriptMessages());
    EXPECT_EQ(0, CountOf(LOG_KIND_SENT));
}

TEST_F(ScriptHostTest, StopEndsAScriptThatNeverReturns)
{
    m_log.scripts[kPort] = "function OnConnected() while true do end end\n"
                           "function OnDisConnected() Logput(1, 'bye') return 0 end";
    LoopbackPeer peer(Echo);
    ConnectTo(peer.Port());
    ASSERT_TRUE(StartAndWaitForWorker());
    PumpFor(200);
    StopAndWaitForEnd();
    EXPECT_TRUE(HasCode(10011));
    EXPECT_EQ((std::vector<std::string>{"10039 bye"}), ScriptMessages());
}

TEST_F(ScriptHostTest, EndConnectionStopsItsOwnPortAndStartConnectionStartsAnIdleOne)
{
    m_settings.m_connectionType[1] = 0;
    m_settings.m_clientRemoteAddress[1] = static_cast<int>(Loopback());
    m_settings.m_clientConnectTimeoutOn[1] = 0;
    m_settings.m_scriptMode[1] = 1;
    m_settings.m_usePort[1] = 1;
    m_engine.ResetIdleFlags();  // Port 2's Start command is enabled
    m_log.scripts[0] = "function OnConnected() StartConnection(2) StartConnection(1) "
                       "EndConnection(1) return 0 end\nfunction OnDisConnected() return 0 end";
    m_log.scripts[1] = "function OnConnected() Logput(1, 'second') EndConnection(2) return 0 end\n"
                       "function OnDisConnected() return 0 end";
    LoopbackPeer first(Echo);
    LoopbackPeer second(Echo);
    ConnectTo(first.Port());
    m_settings.m_clientRemotePort[1] = second.Port();
    ASSERT_TRUE(Start());
    const auto endedPorts = [&] {
        std::set<int> ports;
        for (const PortStatusRecord& record : m_log.states) {
            if (record.state == PORT_STATE_ENDED)
                ports.insert(record.port);
        }
        return ports;
    };
    ASSERT_TRUE(PumpUntil([&] { return endedPorts().size() == 2; }, 20000));
    // Each ended at its stop event, and neither was started twice.
    const std::vector<int> codes = Codes();
    EXPECT_EQ(2, std::count(codes.begin(), codes.end(), 10011));
    EXPECT_EQ(2, std::count(codes.begin(), codes.end(), 10015));
    const std::vector<std::string> lines = ScriptMessages();
    EXPECT_EQ((std::vector<std::string>{"10039 second"}), lines);
    EXPECT_EQ(0, m_engine.GetFlags(0).running);
    EXPECT_EQ(0, m_engine.GetFlags(1).running);
}

TEST_F(ScriptHostTest, ModuleAddsAFunctionAndReplacesLogput)
{
    char self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self, length);
    folder = folder.substr(0, folder.find_last_of('\\') + 1);
    TempFolder modules;
    ASSERT_TRUE(::CopyFileA((folder + "lua_sample_module.dll").c_str(),
                            (modules.Path() + "\\lua_sample_module.dll").c_str(), FALSE));
    CLuaModuleList list;
    {
        CurrentDirectory inModules(modules.Path());
        list.ScanLuaModules();
    }
    ASSERT_EQ(1u, list.Modules().size());
    m_engine.SetLuaModules(&list);
    Bytes received;
    RunToEnd("function OnConnected() Logput(1, 'kept') "
             "SendData(tostring(SampleAdd(2, 3)) .. SampleLogged) Disconnect() return 0 end\n"
             "function OnDisConnected() return 0 end",
             [&](SOCKET socket) { received = ReceiveAll(socket); });
    EXPECT_EQ((Bytes{'5', 'k', 'e', 'p', 't'}), received);
    EXPECT_TRUE(ScriptMessages().empty());  // the module's Logput logs nothing
    m_engine.SetLuaModules(nullptr);
}

} // namespace
