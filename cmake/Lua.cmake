# Lua 5.1 from Debian's source package, built as lua51.dll. The C-stack limit is lowered to
# 2048 slots, the value scripts of this program were written against.
if(NOT LUA_SOURCE_DIR)
  file(GLOB _lua_dirs "$ENV{QUORVEX_CACHE}/lua5.1/lua5.1-*" "/var/cache/quorvex/lua5.1/lua5.1-*")
  list(GET _lua_dirs 0 LUA_SOURCE_DIR)
endif()
if(NOT EXISTS "${LUA_SOURCE_DIR}/src/lua.h")
  message(FATAL_ERROR "Lua 5.1 source not found; run tools/setup.sh")
endif()

# Copy the sources so the patched luaconf.h is the one their quoted includes find.
set(_lua_src "${CMAKE_BINARY_DIR}/lua51/src")
file(COPY "${LUA_SOURCE_DIR}/src/" DESTINATION "${_lua_src}")
file(READ "${LUA_SOURCE_DIR}/src/luaconf.h" _luaconf)
string(REGEX REPLACE "#define LUAI_MAXCSTACK[ \t]+[0-9]+" "#define LUAI_MAXCSTACK\t2048" _luaconf "${_luaconf}")
file(WRITE "${_lua_src}/luaconf.h" "${_luaconf}")

set(_lua_files
  lapi lcode ldebug ldo ldump lfunc lgc llex lmem lobject lopcodes lparser lstate lstring
  ltable ltm lundump lvm lzio
  lauxlib lbaselib ldblib liolib lmathlib loslib ltablib lstrlib loadlib linit)
list(TRANSFORM _lua_files PREPEND "${_lua_src}/")
list(TRANSFORM _lua_files APPEND ".c")

add_library(lua51 SHARED ${_lua_files})
set_target_properties(lua51 PROPERTIES PREFIX "" OUTPUT_NAME lua51 LINKER_LANGUAGE C)
target_compile_definitions(lua51 PUBLIC LUA_BUILD_AS_DLL)
target_include_directories(lua51 PUBLIC "${_lua_src}")
target_link_options(lua51 PRIVATE -static-libgcc)
