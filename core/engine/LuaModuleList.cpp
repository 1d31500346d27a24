#include "core/engine/LuaModuleList.h"

#include <cstdio>
#include <cstring>

#include "core/PathHelpers.h"

namespace {

using GetModuleNameFunction = int (*)(char* buffer, int size, int index);

// GetModuleName is asked index after index until it answers non-zero; a module that never does
// must not hang start-up.
const int kMaxEntriesPerModule = 4096;
const DWORD kCurrentDirSize = 1024;

} // namespace

CLuaModule::CLuaModule(std::string path) : m_path(std::move(path))
{
}

CLuaModule::~CLuaModule()
{
    Unload();
}

void CLuaModule::Unload()
{
    m_entries.clear();
    if (m_module) {
        ::FreeLibrary(m_module);
        m_module = nullptr;
    }
}

void LoadLuaModule(CLuaModule& module)
{
    module.m_module = ::LoadLibraryA(module.m_path.c_str());
    if (!module.m_module)
        return;
    const auto getModuleName = reinterpret_cast<GetModuleNameFunction>(
        reinterpret_cast<void*>(::GetProcAddress(module.m_module, "GetModuleName")));
    if (getModuleName) {
        char buffer[LuaModuleEntry::kNameSize] = {};
        for (int index = 0; index < kMaxEntriesPerModule; ++index) {
            if (getModuleName(buffer, sizeof buffer, index) != 0)
                break;
            LuaModuleEntry entry = {};
            // A name without its NUL inside the buffer is cut to fit the entry.
            std::memcpy(entry.name, buffer, strnlen(buffer, sizeof entry.name - 1));
            entry.function = reinterpret_cast<lua_CFunction>(
                reinterpret_cast<void*>(::GetProcAddress(module.m_module, entry.name)));
            // A name the DLL does not export has nothing a script could call.
            if (entry.function)
                module.m_entries.push_back(entry);
        }
    }
    if (module.m_entries.empty())
        module.Unload();
}

void CLuaModuleList::ScanLuaModules()
{
    char directory[kCurrentDirSize];
    if (GetCurrentDir(sizeof directory, directory) == 0)
        return;
    char pattern[kCurrentDirSize + 8];
    std::snprintf(pattern, sizeof pattern, "%s\\*.dll", directory);

    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.cFileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        auto module = std::make_unique<CLuaModule>(std::string(directory) + "\\" + found.cFileName);
        LoadLuaModule(*module);
        if (!module->m_entries.empty())
            m_modules.push_back(std::move(module));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

std::string DescribeLuaModules(const CLuaModuleList& list)
{
    std::string text;
    for (const auto& module : list.Modules()) {
        text += "[Lua] [" + module->m_path + "] [Module:";
        for (size_t index = 0; index < module->m_entries.size(); ++index) {
            if (index > 0)
                text += ",";
            text += module->m_entries[index].name;
        }
        text += "]\r\n";
    }
    return text;
}
