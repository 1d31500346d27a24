// CLuaModuleList: the Lua extension modules found in the current directory at start-up. Each is a
// DLL exporting GetModuleName, which names the Lua C functions it adds to every script
// interpreter. Filled once on the window thread before any connection thread exists, read without
// a lock afterwards; destroying the list unloads the DLLs.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

extern "C" {
#include <lua.h>
}

// One function a module describes: its name (NUL-terminated within the 128 characters) and its
// address in the DLL.
struct LuaModuleEntry
{
    static const int kNameSize = 128;
    char name[kNameSize];
    lua_CFunction function;
};
static_assert(sizeof(LuaModuleEntry) == 132);

class CLuaModule
{
public:
    explicit CLuaModule(std::string path);
    virtual ~CLuaModule();
    CLuaModule(const CLuaModule&) = delete;
    CLuaModule& operator=(const CLuaModule&) = delete;

    // Clears the entries and frees the DLL.
    void Unload();

    HMODULE m_module = nullptr;
    std::string m_path;
    std::vector<LuaModuleEntry> m_entries;
};

// Loads the module's DLL and reads its entries; leaves it unloaded without entries when the DLL
// cannot be loaded, lacks GetModuleName or describes no function it exports.
void LoadLuaModule(CLuaModule& module);

class CLuaModuleList
{
public:
    virtual ~CLuaModuleList() = default;

    // Loads every .dll of the current directory and keeps those that describe a function, in
    // the order the directory search returns them.
    void ScanLuaModules();

    const std::vector<std::unique_ptr<CLuaModule>>& Modules() const { return m_modules; }

private:
    std::vector<std::unique_ptr<CLuaModule>> m_modules;
};

// The About box's module list: one line per module, in load order, with its path and its
// functions' names: "[Lua] [path] [Module:A,B]" and CR LF. Empty without modules.
std::string DescribeLuaModules(const CLuaModuleList& list);
