// CExtResizablePropertySheet: a property sheet that becomes resizable once it is set up, on
// the message it posts to itself when created: the tab control and the active page follow the
// sheet's size, the buttons keep to the bottom-right corner, and the sheet can be tracked from
// its first size up to its monitor's work area. Ctrl+Tab and Ctrl+Shift+Tab step through the
// pages without wrapping around.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/dialogs/ExtButton.h"
#include "framework/dialogs/ResPS.h"
#include "framework/dialogs/ResizableTemplates.h"

class CExtResizablePropertySheet : public CExtWA<CExtWS<CExtResPS, 301>>
{
    DECLARE_DYNCREATE(CExtResizablePropertySheet)
public:
    // Posted to the sheet on WM_CREATE; the one-time set-up runs when it arrives.
    static constexpr UINT kSetUpLayoutMessage = WM_USER + 10;
    // The common controls' back and next commands.
    static constexpr UINT kPreviousPageCommand = 0x3023;
    static constexpr UINT kNextPageCommand = 0x3024;

    // A push button of the sheet frame, adopted when the sheet is set up; it deletes itself
    // with its window.
    class CButtonInSheetHook : public CExtButton
    {
    protected:
        void PostNcDestroy() override;
    };

    CExtResizablePropertySheet() = default;

    // Runs once at the end of the set-up.
    virtual void OnSheetLayoutInitialized();
    // Called whenever a sheet that is a child window has laid out its tab control again.
    virtual void OnChildSheetLayout();

    // Anchors the page (null or windowless: the active one) where the pages lie, unless it is
    // anchored already, then lays the anchored children out.
    void AnchorActivePage(CPropertyPage* pPage = nullptr);
    bool IsLayoutSetUp() const { return (m_sheetFlags & kLayoutSetUp) != 0; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static constexpr BYTE kLayoutSetUp = 0x01;

    void SetUpLayout();
    // Anchors the direct children of the sheet frame: tab control, static texts, buttons.
    void AnchorFrameChildren();
    // A child sheet's tab control fills it.
    void LayOutChildSheet(int cx, int cy);
    bool IsChildSheet() const;

    BYTE m_sheetFlags = 0;
};
