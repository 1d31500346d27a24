// CCmdTarget: the base of everything that has a message map; it finds and runs command, update
// and notification handlers (OnCmdMsg).
#pragma once
#include "platform/WindowLayer.h"

#include "platform/CmdUI.h"
#include "platform/MessageMap.h"
#include "platform/Object.h"

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs this object's handler for command nID. nCode is CN_COMMAND or a control's
    // notification code for commands, CN_UPDATE_COMMAND_UI for update requests (pExtra the
    // CCmdUI*), or MAKELONG(code, WM_NOTIFY) for notifications (pExtra an AFX_NOTIFY*). With
    // pHandlerInfo it only says where the handler is. False when there is none, or when an
    // update handler asked the CCmdUI to continue routing. Frames and views override it to
    // route commands on to other objects.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first matching entry of this object's map or of its base classes' maps.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};
