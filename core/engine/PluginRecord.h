// The records, event codes and commands by which the program and an extension DLL talk: the
// program describes an event in the request, the DLL answers with a command in the answer. Both
// are ten little-endian 32-bit words exchanged by pointer (one 32-bit process).
#pragma once
#include "platform/Types.h"

struct PluginRecord
{
    DWORD word[10];
};
static_assert(sizeof(PluginRecord) == 40, "the DLLs expect ten 32-bit words");

// Word indices.
enum PluginWord
{
    PLUGIN_CODE = 0,         // request: event; answer: command (bit 31: call me again)
    PLUGIN_VALUE = 1,        // timer id, version, text index, target, "send it" (0)...
    PLUGIN_INTERVAL = 2,     // the interval of a timer start
    PLUGIN_OWN_FIRST = 3,    // the DLL's own words, handed back after every call
    PLUGIN_OWN_SECOND = 4,
    PLUGIN_LENGTH = 5,       // data length in bytes
    PLUGIN_DATA = 6,         // data pointer
    PLUGIN_BUFFER_SIZE = 7,  // request: size of the message buffer
    PLUGIN_LOG_LEVEL = 8,    // answer: 0 none, 1 information, 2 caution, else warning
    PLUGIN_BUFFER = 9,       // request: the message buffer
};

enum PluginEvent : DWORD
{
    PLUGIN_EVENT_START = 1,
    PLUGIN_EVENT_CLOSING = 2,
    PLUGIN_EVENT_RECEIVED = 4,
    PLUGIN_EVENT_SEND_REQUEST = 8,
    PLUGIN_EVENT_TIMER = 16,
    PLUGIN_EVENT_INFO = 0x01000000,
    PLUGIN_EVENT_VERSION = 0x02000000,
    PLUGIN_EVENT_OPENED = 0x04000000,
    PLUGIN_EVENT_SETTINGS = 0x08000000,
    PLUGIN_EVENT_DLL_DATA = 0x10000000,
};

enum PluginCommand : DWORD
{
    PLUGIN_SEND_BYTES = 0x100,
    PLUGIN_DISCONNECT = 0x200,
    PLUGIN_START_TIMER = 0x400,
    PLUGIN_STOP_TIMER = 0x800,
    PLUGIN_READ_EDITOR = 0x1000,
    PLUGIN_REPLACE_EDITOR = 0x2000,
    PLUGIN_CALL_AGAIN = 0x80000000,
};

// The versions of the contract a connection accepts.
const DWORD kPluginVersionOld = 100;
const DWORD kPluginVersionCurrent = 256;
// Answer word 1 of the open event that asks for the port's DLL data.
const DWORD kPluginWantsData = 1;
// Bit 31 of word 1 of a timer start: the timer fires once.
const DWORD kPluginOneShot = 0x80000000;

// The DLL's one export, CallBackQVG.
typedef int(__stdcall* PluginCallback)(PluginRecord* answer, PluginRecord* request);

inline DWORD PluginPointerWord(const void* pointer)
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pointer));
}
inline const BYTE* PluginWordPointer(DWORD word)
{
    return reinterpret_cast<const BYTE*>(static_cast<UINT_PTR>(word));
}
