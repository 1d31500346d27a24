#include "platform/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

bool EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT message, UINT code, UINT id)
{
    // A registered message's number is 0 until it has been registered.
    const UINT entryMessage =
        entry.pnRegisteredMessage ? *entry.pnRegisteredMessage : entry.nMessage;
    return entryMessage != 0 && entryMessage == message && entry.nCode == code &&
           id >= entry.nID && id <= entry.nLastID;
}

} // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
            if (EntryMatches(*entry, message, code, id))
                return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool update = nCode == CN_UPDATE_COMMAND_UI;
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(CN_UPDATE_COMMAND_UI);
    if (!update) {
        if (HIWORD(nCode) != 0)
            message = HIWORD(nCode);
        code = LOWORD(nCode);
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, code, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    MessageMapCall call = {message, 0, 0, nID, pExtra, 0};
    entry->pfn(*this, call);
    if (update) {
        CCmdUI* cmdUI = static_cast<CCmdUI*>(pExtra);
        const bool continueRouting = cmdUI->m_bContinueRouting;
        cmdUI->m_bContinueRouting = FALSE;
        return !continueRouting;
    }
    return TRUE;
}
