#include "core/engine/ScriptApi.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/PortNotify.h"
#include "core/SendEditorAccess.h"
#include "core/engine/ScriptContext.h"
#include "platform/MoveFileOver.h"

extern "C" {
#include <lauxlib.h>
}

namespace {

// The byte-table reader's first buffer; it doubles whenever full.
const size_t kFirstByteBuffer = 1024;

int ArgumentCount(lua_State* state)
{
    return lua_gettop(state);
}

bool IsText(lua_State* state, int index)
{
    return lua_isstring(state, index) != 0;
}

// A string or number argument's bytes up to its first NUL.
std::vector<BYTE> TextBytes(lua_State* state, int index)
{
    const char* text = lua_tolstring(state, index, nullptr);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
    return std::vector<BYTE>(bytes, bytes + (text ? std::strlen(text) : 0));
}

// Data to send, store or write: a byte table, or a string's or number's text bytes. False for
// anything else.
bool ReadDataArgument(lua_State* state, int index, std::vector<BYTE>& bytes)
{
    if (lua_type(state, index) == LUA_TTABLE)
        bytes = ReadByteTable(state, index);
    else if (IsText(state, index))
        bytes = TextBytes(state, index);
    else
        return false;
    return true;
}

int ReturnNumber(lua_State* state, int value)
{
    lua_pushnumber(state, value);
    return 1;
}

COleSafeArray ToArray(const std::vector<BYTE>& bytes)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    return array;
}

HWND MainWindow(lua_State* state)
{
    return static_cast<HWND>(lua_touserdata(state, lua_upvalueindex(1)));
}

void LogWarning(CScriptContext& context, const CString& text)
{
    context.worker.Reporter().LogMessageText(MSG_SCRIPT_WARNING, text);
}

int Logput(lua_State* state)
{
    CScriptContext* context = FetchScriptContext(state);
    if (!context)
        return 0;
    int problem = 0;
    if (ArgumentCount(state) != 2)
        problem = 1;
    else if (!lua_isnumber(state, 1))
        problem = 2;
    else if (!IsText(state, 2))
        problem = 3;
    if (problem != 0) {
        CString text;
        text.Format("ﾊﾟﾗﾒｰﾀｴﾗｰ [%d]", problem);
        LogWarning(*context, text);
        return 0;
    }
    const int level = TruncateToInt(lua_tonumber(state, 1));
    const int code = level == 1   ? MSG_SCRIPT_INFO
                     : level == 2 ? MSG_SCRIPT_NOTICE
                                  : MSG_SCRIPT_WARNING;
    const std::vector<BYTE> text = TextBytes(state, 2);
    context->worker.Reporter().LogMessageText(
        code, CString(reinterpret_cast<const char*>(text.data()), static_cast<int>(text.size())));
    return 0;
}

int SetTimer(lua_State* state)
{
    const int count = ArgumentCount(state);
    if (count < 1 || count > 3)
        return ReturnNumber(state, 1);
    for (int index = 1; index <= count; ++index) {
        if (!lua_isnumber(state, index))
            return ReturnNumber(state, 2);
    }
    const int id = count == 1 ? 0 : TruncateToInt(lua_tonumber(state, 1));
    const int interval = TruncateToInt(lua_tonumber(state, count == 1 ? 1 : 2));
    const bool oneShot = count == 3 && TruncateToInt(lua_tonumber(state, 3)) != 0;
    const int timer = id != 0 ? 1 : 0;
    CScriptContext* context = FetchScriptContext(state);
    if (context && !context->worker.Timer(timer).IsRunning() &&
        context->worker.Timer(timer).Start(context->worker.TimerEventName(timer), interval))
        context->oneShot[timer] = oneShot;
    return ReturnNumber(state, 0);
}

int KillTimer(lua_State* state)
{
    const int count = ArgumentCount(state);
    if (count >= 2)
        return ReturnNumber(state, 1);
    if (count == 1 && !lua_isnumber(state, 1))
        return ReturnNumber(state, 2);
    const int timer = count == 1 && TruncateToInt(lua_tonumber(state, 1)) != 0 ? 1 : 0;
    if (CScriptContext* context = FetchScriptContext(state)) {
        context->worker.Timer(timer).Stop();
        context->oneShot[timer] = false;
    }
    return ReturnNumber(state, 0);
}

int Disconnect(lua_State* state)
{
    if (CScriptContext* context = FetchScriptContext(state))
        context->disconnect = true;
    return 0;
}

int GetEditorData(lua_State* state)
{
    if (ArgumentCount(state) != 0)
        return ReturnNumber(state, 1);
    COleSafeArray bytes;
    ReadSendEditorData(MainWindow(state), bytes);
    PushByteTable(state, bytes.GetData(), bytes.GetSize());
    return 1;
}

int SetEditorData(lua_State* state)
{
    if (ArgumentCount(state) != 1)
        return ReturnNumber(state, 1);
    std::vector<BYTE> bytes;
    if (!ReadDataArgument(state, 1, bytes))
        return ReturnNumber(state, 2);
    WriteSendEditorData(MainWindow(state), ToArray(bytes));
    return ReturnNumber(state, 0);
}

int FileRead(lua_State* state)
{
    if (ArgumentCount(state) != 1)
        return ReturnNumber(state, 1);
    if (!IsText(state, 1))
        return ReturnNumber(state, 2);
    const std::vector<BYTE> pathBytes = TextBytes(state, 1);
    const std::string path(pathBytes.begin(), pathBytes.end());
    WIN32_FILE_ATTRIBUTE_DATA status;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &status) ||
        (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return ReturnNumber(state, 3);
    if (status.nFileSizeHigh != 0)
        return ReturnNumber(state, 7);  // no table of 4 GiB entries fits in this process
    const DWORD size = status.nFileSizeLow;
    if (size == 0)
        return ReturnNumber(state, 4);
    std::vector<BYTE> bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return ReturnNumber(state, 7);
    }
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReturnNumber(state, 5);
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file, bytes.data(), size, &read, nullptr);
    ::CloseHandle(file);
    if (!ok)
        return ReturnNumber(state, 7);
    if (read < size)
        return ReturnNumber(state, 6);
    PushByteTable(state, bytes.data(), bytes.size());
    return 1;
}

// Written beside the target first and put in its place only once complete, so a failed write
// never destroys the file that was there.
int WriteWholeFile(const std::string& path, const std::vector<BYTE>& bytes)
{
    CString temporary;
    temporary.Format("%s.%lu.tmp", path.c_str(), ::GetCurrentThreadId());
    const HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 4;
    DWORD written = 0;
    const BOOL wrote = bytes.empty() ||
                       ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                   nullptr);
    const BOOL closed = ::CloseHandle(file);
    int result = 0;
    if (!wrote || !closed || (!bytes.empty() && written != bytes.size()))
        result = 5;
    else if (!MoveFileOver(temporary, path.c_str()))
        result = 4;  // the target cannot be replaced (held open, read-only, a folder)
    if (result != 0)
        ::DeleteFileA(temporary);
    return result;
}

int FileWrite(lua_State* state)
{
    if (ArgumentCount(state) != 2)
        return ReturnNumber(state, 1);
    if (!IsText(state, 2))
        return ReturnNumber(state, 2);
    std::vector<BYTE> bytes;
    if (!ReadDataArgument(state, 1, bytes))
        return ReturnNumber(state, 3);
    const std::vector<BYTE> pathBytes = TextBytes(state, 2);
    return ReturnNumber(state, WriteWholeFile(std::string(pathBytes.begin(), pathBytes.end()),
                                              bytes));
}

enum BitOperation
{
    BIT_OR,
    BIT_AND,
    BIT_OFF,
};

template <BitOperation operation>
int BitFunction(lua_State* state)
{
    const int count = ArgumentCount(state);
    if ((operation == BIT_OR ? count < 2 : count != 2) || !lua_isnumber(state, 1) ||
        !lua_isnumber(state, 2))
        return 0;
    const BYTE x = LowByte(lua_tonumber(state, 1));
    const BYTE y = LowByte(lua_tonumber(state, 2));
    const BYTE result = operation == BIT_OR    ? (x | y)
                        : operation == BIT_AND ? (x & y)
                                               : (x & ~y);
    return ReturnNumber(state, result);
}

int StringToTable(lua_State* state)
{
    if (ArgumentCount(state) != 1)
        return ReturnNumber(state, 1);
    if (!IsText(state, 1))
        return ReturnNumber(state, 2);
    const std::vector<BYTE> bytes = TextBytes(state, 1);
    lua_createtable(state, static_cast<int>(bytes.size()), 0);
    for (size_t index = 0; index < bytes.size(); ++index) {
        lua_pushnumber(state, static_cast<signed char>(bytes[index]));
        lua_rawseti(state, -2, static_cast<int>(index + 1));
    }
    return 1;
}

int TableCat(lua_State* state)
{
    if (ArgumentCount(state) != 2)
        return ReturnNumber(state, 1);
    if (lua_type(state, 1) != LUA_TTABLE)
        return ReturnNumber(state, 2);
    if (lua_type(state, 2) != LUA_TTABLE)
        return ReturnNumber(state, 3);
    std::vector<BYTE> bytes = ReadByteTable(state, 1);
    const std::vector<BYTE> second = ReadByteTable(state, 2);
    bytes.insert(bytes.end(), second.begin(), second.end());
    PushByteTable(state, bytes.data(), bytes.size());
    return 1;
}

template <int start>
int PortCommand(lua_State* state)
{
    CScriptContext* context = FetchScriptContext(state);
    if (!context)
        return 0;
    const int warning = start ? MSG_SCRIPT_START_CONNECTION_ERROR : MSG_SCRIPT_END_CONNECTION_ERROR;
    const int number = ArgumentCount(state) == 1 && lua_isnumber(state, 1)
                           ? TruncateToInt(lua_tonumber(state, 1))
                           : 0;
    if (number != 1 && number != 2) {
        LogWarning(*context, GetMessageText(warning));
        return 0;
    }
    // The port operations belong to the window thread; this thread waits for them.
    const ScriptPortCommand command = {number - 1, start};
    context->worker.Reporter().Notify(PORT_NOTIFY_SCRIPT_PORT, &command);
    return 0;
}

int SendData(lua_State* state)
{
    CScriptContext* context = FetchScriptContext(state);
    if (!context)
        return 0;
    const int count = ArgumentCount(state);
    std::vector<BYTE> bytes;
    if ((count != 1 && count != 2) || !ReadDataArgument(state, 1, bytes)) {
        LogWarning(*context, GetMessageText(MSG_SCRIPT_SEND_DATA_ERROR));
        return 0;
    }
    int target = count == 2 && lua_isnumber(state, 2) ? TruncateToInt(lua_tonumber(state, 2)) : 0;
    if (target != FORWARD_PORT1 && target != FORWARD_PORT2)
        target = FORWARD_OWN_CONNECTION;
    if (bytes.empty())
        return 0;
    if (target != FORWARD_OWN_CONNECTION) {
        CLogRecord record;
        record.m_port = context->worker.Port();
        record.m_connection = context->worker.Connection();
        record.m_forwardTarget = target;
        record.m_data = ToArray(bytes);
        context->worker.Reporter().Notify(PORT_NOTIFY_FORWARD, &record);
        return 0;
    }
    // Through the connection's queue, so a block the endpoint takes only in part is finished
    // as every other block is, and logged with what went out.
    const int result = context->worker.SendNow(ToArray(bytes));
    if (result != kGoOn && context->sendResult == kGoOn)
        context->sendResult = result;
    return 0;
}

struct ApiFunction
{
    const char* name;
    lua_CFunction function;
    bool needsWindow;
};

const ApiFunction kApiFunctions[] = {
    {"Logput", &Logput, false},
    {"SetTimer", &SetTimer, false},
    {"KillTimer", &KillTimer, false},
    {"Disconnect", &Disconnect, false},
    {"GetEditorData", &GetEditorData, true},
    {"SetEditorData", &SetEditorData, true},
    {"FileRead", &FileRead, false},
    {"FileWrite", &FileWrite, false},
    {"BitOr", &BitFunction<BIT_OR>, false},
    {"BitAnd", &BitFunction<BIT_AND>, false},
    {"BitOff", &BitFunction<BIT_OFF>, false},
    {"StringToTable", &StringToTable, false},
    {"TableCat", &TableCat, false},
    {"StartConnection", &PortCommand<1>, false},
    {"EndConnection", &PortCommand<0>, false},
    {"SendData", &SendData, false},
};

} // namespace

CScriptContext* FetchScriptContext(lua_State* state)
{
    lua_getfield(state, LUA_REGISTRYINDEX, kScriptContextKey);
    auto* context = static_cast<CScriptContext*>(lua_touserdata(state, -1));
    lua_settop(state, -2);
    return context;
}

int RegisterScriptApi(lua_State* state, HWND mainWindow)
{
    for (const ApiFunction& api : kApiFunctions) {
        if (api.needsWindow)
            lua_pushlightuserdata(state, mainWindow);
        lua_pushcclosure(state, api.function, api.needsWindow ? 1 : 0);
        lua_setfield(state, LUA_GLOBALSINDEX, api.name);
    }
    return 0;
}

int TruncateToInt(lua_Number value)
{
    if (std::isnan(value))
        return 0;
    const lua_Number truncated = std::trunc(value);
    if (truncated >= static_cast<lua_Number>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (truncated <= static_cast<lua_Number>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(truncated);
}

BYTE LowByte(lua_Number value)
{
    if (!std::isfinite(value))
        return 0;
    lua_Number low = std::fmod(std::trunc(value), 256.0);
    if (low < 0)
        low += 256.0;
    return static_cast<BYTE>(low);
}

std::vector<BYTE> ReadByteTable(lua_State* state, int index)
{
    std::vector<BYTE> bytes;
    bytes.reserve(kFirstByteBuffer);
    for (int entry = 1;; ++entry) {
        lua_rawgeti(state, index, entry);
        const bool isNumber = lua_isnumber(state, -1) != 0;
        if (isNumber)
            bytes.push_back(LowByte(lua_tonumber(state, -1)));
        lua_settop(state, -2);
        if (!isNumber)
            return bytes;
    }
}

void PushByteTable(lua_State* state, const BYTE* data, size_t size)
{
    lua_createtable(state, static_cast<int>(size), 0);
    for (size_t index = 0; index < size; ++index) {
        lua_pushnumber(state, data[index]);
        lua_rawseti(state, -2, static_cast<int>(index + 1));
    }
}
