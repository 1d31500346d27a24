// The shared Lua library is the one scripts were written against: Lua 5.1 with a C-stack limit
// of 2048 slots.
extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include <gtest/gtest.h>

TEST(LuaBuildTest, VersionIs51)
{
    EXPECT_STREQ("Lua 5.1", LUA_VERSION);
}

TEST(LuaBuildTest, CStackIsLimitedTo2048Slots)
{
    lua_State* state = luaL_newstate();
    ASSERT_NE(nullptr, state);
    EXPECT_EQ(1, lua_checkstack(state, 2000));
    EXPECT_EQ(0, lua_checkstack(state, 2100));
    lua_close(state);
}

TEST(LuaBuildTest, RunsAChunkWithTheStandardLibraries)
{
    lua_State* state = luaL_newstate();
    luaL_openlibs(state);
    ASSERT_EQ(0, luaL_dostring(state, "return string.format('%02X', 171) .. table.concat({1, 2})"));
    EXPECT_STREQ("AB12", lua_tostring(state, -1));
    lua_close(state);
}
