// The script API functions that need no connection, called from a Lua state of the test: their
// argument rules, result codes, byte tables, the send editor and the files.
#include "core/engine/ScriptApi.h"

#include <fstream>
#include <string>

#include "tests/engine/EngineFixture.h"
#include "tests/support/TempFolder.h"

extern "C" {
#include <lauxlib.h>
#include <lualib.h>
}

namespace {

// Formats every result of a chunk: numbers as integers where they are, tables as {a,b}.
const char* const kDescribe = R"(
local function describe(value)
  if type(value) == "table" then
    local parts = {}
    for i = 1, #value do parts[i] = describe(value[i]) end
    return "{" .. table.concat(parts, ",") .. "}"
  end
  return tostring(value)
end
function DescribeAll(...)
  local parts = {}
  for i = 1, select("#", ...) do parts[i] = describe((select(i, ...))) end
  return table.concat(parts, " ")
end
)";

class ScriptApiTest : public ::testing::Test
{
protected:
    ScriptApiTest() : m_window(m_log), m_state(luaL_newstate())
    {
        luaL_openlibs(m_state);
        RegisterScriptApi(m_state, m_window.Handle());
        luaL_dostring(m_state, kDescribe);
    }
    ~ScriptApiTest() override { lua_close(m_state); }

    // The results of "return <call>", described; "error: ..." when it raised.
    std::string Results(const std::string& call)
    {
        const std::string chunk = "return DescribeAll(" + call + ")";
        if (luaL_dostring(m_state, chunk.c_str()) != 0)
            return std::string("error: ") + lua_tostring(m_state, -1);
        std::string text = lua_tostring(m_state, -1);
        lua_settop(m_state, 0);
        return text;
    }
    std::string LuaQuoted(const std::string& path)
    {
        std::string quoted = "'";
        for (char c : path)
            quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
        return quoted + "'";
    }

    NotifyLog m_log;
    NotifyWindow m_window;
    lua_State* m_state;
};

struct CallCase
{
    const char* call;
    const char* results;
};

TEST_F(ScriptApiTest, ArgumentRulesAndByteTables)
{
    const CallCase cases[] = {
        {"BitOr(0x1F0, 0x0F)", "255"},
        {"BitOr(1, 2, 3)", "3"},
        {"BitOff(0xFF, 0x0F)", "240"},
        {"BitAnd(0x3C, '15')", "12"},
        {"BitAnd(1)", ""},
        {"BitOff(1, 2, 3)", ""},
        {"BitOr(1, {})", ""},
        {"BitOr(-1, 0)", "255"},
        {"BitOr(1e300, 0)", "0"},
        {"BitOr(0/0, 1)", "1"},
        {"StringToTable('\\65\\130')", "{65,-126}"},
        {"StringToTable(12)", "{49,50}"},
        {"StringToTable('a\\0b')", "{97}"},
        {"StringToTable()", "1"},
        {"StringToTable({})", "2"},
        {"TableCat({1, 2}, {256})", "{1,2,0}"},
        {"TableCat({}, 5)", "3"},
        {"TableCat(5, {})", "2"},
        {"TableCat({})", "1"},
        {"TableCat({65.9, -1, '7', 'x', 9}, {-0.5, 255.99})", "{65,255,7,0,255}"},
        {"TableCat({}, {})", "{}"},
        {"GetEditorData(1)", "1"},
        {"SetEditorData()", "1"},
        {"SetEditorData(true)", "2"},
        {"FileRead()", "1"},
        {"FileRead({})", "2"},
        {"FileWrite('x')", "1"},
        {"FileWrite({}, true)", "2"},
        {"FileWrite(true, 'x')", "3"},
        {"SetTimer()", "1"},
        {"SetTimer(1, 2, 3, 4)", "1"},
        {"SetTimer('a')", "2"},
        {"KillTimer(1, 2)", "1"},
        {"KillTimer('a')", "2"},
        // Without a connection (the script's top level) these do nothing.
        {"SetTimer(100)", "0"},
        {"Logput(1, 'x')", ""},
        {"SendData({1})", ""},
        {"StartConnection(1)", ""},
    };
    for (const CallCase& c : cases)
        EXPECT_EQ(c.results, Results(c.call)) << c.call;
}

TEST_F(ScriptApiTest, EditorDataAsBytesTextOrNothing)
{
    const struct
    {
        const char* argument;
        Bytes editor;
    } cases[] = {
        {"65", {0x36, 0x35}},
        {"{1, 2, 'x', 4}", {0x01, 0x02}},
        {"{300, -1}", {0x2C, 0xFF}},
        {"'AB'", {0x41, 0x42}},
        {"{}", {}},
        {"''", {}},
    };
    for (const auto& c : cases) {
        m_log.editorData = {9, 9, 9};
        EXPECT_EQ("0", Results(std::string("SetEditorData(") + c.argument + ")")) << c.argument;
        EXPECT_EQ(c.editor, m_log.editorData) << c.argument;
    }
    m_log.editorData = {0x00, 0x80, 0xFF};
    EXPECT_EQ("{0,128,255}", Results("GetEditorData()"));
    m_log.editorData = {};
    EXPECT_EQ("{}", Results("GetEditorData()"));
}

TEST_F(ScriptApiTest, FilesRoundTripAndFailuresKeepTheOldFile)
{
    TempFolder folder;
    const std::string path = LuaQuoted(folder.Path() + "\\data.bin");
    EXPECT_EQ("3", Results("FileRead(" + path + ")"));
    EXPECT_EQ("0", Results("FileWrite({0, 255, 65, 300}, " + path + ")"));
    EXPECT_EQ("{0,255,65,44}", Results("FileRead(" + path + ")"));
    EXPECT_EQ("0", Results("FileWrite('text', " + path + ")"));
    EXPECT_EQ("{116,101,120,116}", Results("FileRead(" + path + ")"));
    EXPECT_EQ("2", Results("FileWrite(" + path + ", {})"));  // arguments swapped

    {
        // Held open without sharing: neither read nor replaced, and what it holds stays.
        const HANDLE held = ::CreateFileA((folder.Path() + "\\data.bin").c_str(), GENERIC_READ, 0,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        EXPECT_EQ("5", Results("FileRead(" + path + ")"));
        EXPECT_EQ("4", Results("FileWrite({1, 2}, " + path + ")"));
        ::CloseHandle(held);
    }
    EXPECT_EQ("{116,101,120,116}", Results("FileRead(" + path + ")"));
    EXPECT_EQ("4", Results("FileWrite({1}, " + LuaQuoted(folder.Path() + "\\no\\such.bin") + ")"));

    EXPECT_EQ("0", Results("FileWrite({}, " + path + ")"));
    EXPECT_EQ("4", Results("FileRead(" + path + ")"));
    // Nothing left beside the file by the writes.
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder.Path() + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE)
        ::FindClose(search);
}

} // namespace
