// Message maps: each class that handles messages or commands has a static table of entries,
// written between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP, that links to its base class's table.
// Dispatch walks the tables from the object's class towards CCmdTarget and runs the first
// matching entry. An entry's handler is a small function made by the entry macro: it casts the
// target to the class of the map and calls the member with the message's parameters unpacked, so
// the compiler checks every handler against the arguments it gets.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/StandardIds.h"
#include "platform/Types.h"

class CCmdTarget;
class CCmdUI;

// Marks message handlers in class declarations.
#define afx_msg

// The codes OnCmdMsg takes for a command and for an update request.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)

// What an entry's handler receives and gives back.
struct MessageMapCall
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // The command or control id that matched (the one within a range).
    UINT nID;
    // CCmdUI* for update requests, AFX_NOTIFY* for notifications.
    void* pExtra;
    LRESULT result;
};

using MessageMapHandler = void (*)(CCmdTarget& target, MessageMapCall& call);

struct AFX_MSGMAP_ENTRY
{
    // A window message; WM_COMMAND or WM_NOTIFY (plus WM_REFLECT_BASE when reflected) for
    // command and notification entries.
    UINT nMessage;
    // The notification code of command and notification entries (the low word only), or
    // CN_UPDATE_COMMAND_UI.
    UINT nCode;
    UINT nID;
    UINT nLastID;
    // For registered messages: the variable that holds the message number (set at run time).
    const UINT* pnRegisteredMessage;
    // Null ends the table.
    MessageMapHandler pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Extra data of a notification: the NMHDR and where its handler puts the answer.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Where OnCmdMsg found a handler when it was only asked to look.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                              \
    {                                                                                              \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
            {0, 0, 0, 0, nullptr, nullptr}};                                                       \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries};          \
        return &messageMap;                                                                        \
    }

// One entry whose handler runs the statements given last, with 'self' the target as the map's
// class and 'call' the message.
#define AFX_MAP_ENTRY(message, code, id, idLast, registered, ...)                                  \
    {message, code, id, idLast, registered,                                                        \
     [](CCmdTarget& target, [[maybe_unused]] MessageMapCall& call) {                               \
         ThisClass& self = static_cast<ThisClass&>(target);                                        \
         __VA_ARGS__;                                                                              \
     }},

// void memberFxn()
#define ON_COMMAND(id, memberFxn)                                                                  \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, self.memberFxn())
// void memberFxn(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, self.memberFxn(call.nID))
// void memberFxn(CCmdUI* pCmdUI)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    AFX_MAP_ENTRY(WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), id, id, nullptr,            \
                  self.memberFxn(static_cast<CCmdUI*>(call.pExtra)))
// void memberFxn(NMHDR* pNMHDR, LRESULT* pResult), for notification 'code' from control 'id'
#define ON_NOTIFY(code, id, memberFxn)                                                             \
    AFX_MAP_ENTRY(WM_NOTIFY, static_cast<WORD>(code), id, id, nullptr,                             \
                  self.memberFxn(static_cast<AFX_NOTIFY*>(call.pExtra)->pNMHDR,                    \
                                 static_cast<AFX_NOTIFY*>(call.pExtra)->pResult))
// The same, in the control's own map, for a notification it sent to its parent.
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                         \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0, nullptr,             \
                  self.memberFxn(static_cast<AFX_NOTIFY*>(call.pExtra)->pNMHDR,                    \
                                 static_cast<AFX_NOTIFY*>(call.pExtra)->pResult))
// void memberFxn(), in the control's own map, for a WM_COMMAND notification it sent.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(code), 0, 0, nullptr,            \
                  self.memberFxn())
// LRESULT memberFxn(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(message, memberFxn)                                                             \
    AFX_MAP_ENTRY(message, 0, 0, 0, nullptr, call.result = self.memberFxn(call.wParam, call.lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                         \
    AFX_MAP_ENTRY(0, 0, 0, 0, &nMessageVariable,                                                   \
                  call.result = self.memberFxn(call.wParam, call.lParam))
