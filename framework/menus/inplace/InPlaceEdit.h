// The single-line edit a popup menu shows inside an editable item, so that a value can be typed
// without leaving the menu. Each change is offered to a verify callback, Enter confirms the value
// (to a commit callback, or into the item's value) and closes the menus, Escape hands the keyboard
// back to the menu, and losing the focus drops what was typed.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/String.h"
#include "platform/Wnd.h"

class CExtPopupInPlaceEdit;

// The popup menu that hosts the edit: Escape gives it the keyboard back on the same item.
class CExtInPlaceEditHost
{
public:
    virtual void ReturnFromInPlaceEdit() = 0;

protected:
    virtual ~CExtInPlaceEditHost() = default;
};

class CExtPopupInPlaceEdit : public CWnd
{
public:
    // Whether a change (previous, next) or the final value (given as both) is acceptable.
    typedef bool (*VerifyCallback)(CExtPopupInPlaceEdit* edit, LONG cookie, LPCTSTR previous,
                                   LPCTSTR next);
    typedef void (*CommitCallback)(CExtPopupInPlaceEdit* edit, LONG cookie, LPCTSTR text);
    // True: the message is answered with result and not processed further.
    typedef bool (*FilterCallback)(LRESULT& result, UINT message, WPARAM wParam, LPARAM lParam,
                                   CExtPopupInPlaceEdit* edit, LONG cookie);

    // The value belongs to the menu item and outlives the edit.
    CExtPopupInPlaceEdit(CString* value, VerifyCallback verify, CommitCallback commit,
                         FilterCallback filter, LONG cookie);

    // A hidden child of the popup showing the value, all of it selected.
    virtual bool CreateInPlaceEdit(const RECT& rect, CWnd* parentPopup, UINT id);
    CWnd* GetParentMenu() const;
    // The value was confirmed with Enter.
    bool IsConfirmed() const { return (m_editFlags & 0x01) != 0; }

    // Delete the selection (or the character after the caret) and select all, bypassing the
    // verify callback.
    static const UINT g_nMsgDeleteSelection;
    static const UINT g_nMsgSelectAll;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CString Text() const;
    void CloseMenus();
    LRESULT OnEnter();
    LRESULT VerifiedDefault(UINT message, WPARAM wParam, LPARAM lParam);
    void DeleteSelection();
    void PaintBorder();

    VerifyCallback m_verify;
    CommitCallback m_commit;
    FilterCallback m_filter;
    LONG m_cookie;
    CString* m_value;
    BYTE m_editFlags = 0;
};
