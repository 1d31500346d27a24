// CExtCmdItem: one command of a command profile: its texts, state bits, usage count and the
// position of its image in the profile's image array. CExtCmdItemUI lets the update handlers of
// the command routing write into a command instead of a menu item.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/CmdUI.h"
#include "platform/String.h"
#include "platform/Types.h"

class CCmdTarget;
class CExtCmdProfile;
class CWnd;

// System commands, window list, recent files and object verbs: the framework's own, always
// shown and never counted.
bool IsSystemCommandId(UINT id);
bool IsFrameworkReservedId(UINT id);
// Ids 0 and those with the top bit set name no command.
inline bool IsValidCommandId(UINT id)
{
    return id != 0 && (id & 0x80000000u) == 0;
}

class CExtCmdItem
{
public:
    static constexpr DWORD kDisabled = 0x1;
    static constexpr DWORD kChecked = 0x2;
    static constexpr DWORD kRadio = 0x4;
    static constexpr DWORD kIndeterminate = 0x8;
    static constexpr DWORD kMarks = kChecked | kRadio | kIndeterminate;
    static constexpr DWORD kPinned = 0x10;
    static constexpr DWORD kExcludedFromUsage = 0x20;
    static constexpr DWORD kMenuBarCommand = 0x40;
    static constexpr DWORD kStateBit10 = 0x400;
    static constexpr DWORD kStateBit12 = 0x1000;
    static constexpr DWORD kStateBits10And12 = kStateBit10 | kStateBit12;
    static constexpr UINT kTemporaryId = static_cast<UINT>(-1);

    explicit CExtCmdItem(UINT id = kTemporaryId);
    CExtCmdItem(const CExtCmdItem& other);
    CExtCmdItem& operator=(const CExtCmdItem&) = delete;
    virtual ~CExtCmdItem() = default;

    virtual void AssignFrom(const CExtCmdItem& other);
    // Takes the other's non-negative image index and its non-empty texts.
    virtual void UpdateFrom(const CExtCmdItem& other);
    // Fills only what this command lacks (the toolbar text is left alone).
    virtual void FillFrom(const CExtCmdItem& other);
    virtual void NormalizeUsage();
    virtual void ClearResourceTexts();
    // Tip and status texts from the string resource with the command's id.
    virtual bool LoadTextsFromResource();

    virtual void SetPinned(bool on) { SetFlags(kPinned, on); }
    virtual bool IsPinned() const;
    virtual bool IsRarelyUsed() const;
    virtual void SetExcludedFromUsage(bool on) { SetFlags(kExcludedFromUsage, on); }
    virtual bool IsExcludedFromUsage() const;
    virtual void SetEnabled(bool on) { SetFlags(kDisabled, !on); }
    virtual bool IsEnabled() const { return (m_dwFlags & kDisabled) == 0; }
    virtual void SetChecked(bool on) { SetMark(kChecked, on); }
    virtual bool IsChecked() const { return (m_dwFlags & kChecked) != 0; }
    virtual void SetRadio(bool on) { SetMark(kRadio, on); }
    virtual bool IsRadio() const { return (m_dwFlags & kRadio) != 0; }
    virtual void SetIndeterminate(bool on) { SetMark(kIndeterminate, on); }
    virtual bool IsIndeterminate() const { return (m_dwFlags & kIndeterminate) != 0; }
    virtual void SetMenuBarCommand(bool on) { SetFlags(kMenuBarCommand, on); }
    virtual bool IsMenuBarCommand() const { return (m_dwFlags & kMenuBarCommand) != 0; }
    // Bits 7 to 21 are left to the application; bit 10 is the first level of a two-level state
    // whose second level sets 10 and 12 together.
    void SetStateBit(int bit, bool on);
    bool IsStateBit(int bit) const;
    virtual void SetStateBit10(bool on) { SetTwoLevel(on ? kStateBit10 : 0); }
    virtual void SetStateBits10And12(bool on) { SetTwoLevel(on ? kStateBits10And12 : 0); }
    virtual bool IsStateBits10And12() const
    {
        return (m_dwFlags & kStateBits10And12) == kStateBits10And12;
    }

    virtual bool UpdateFromTarget(CCmdTarget* target, UINT index);
    virtual bool DeliverToOwner(CWnd* window, bool send);
    virtual bool DeliverToWindow(CWnd* window, bool send);
    // Posts (or sends) the command to the window; counts one use.
    virtual bool Dispatch(HWND window, bool send);

    virtual UINT GetUsageCount() const { return m_nUsageCount; }
    virtual UINT GetUsagePercent() const;
    virtual void IncrementUsage();
    virtual void ResetUsage();
    virtual UINT GetProfileUsageTotal() const;
    virtual int GetRarelyUsedThreshold() const;
    virtual void SetRarelyUsedThreshold(int percent);

    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT flags, LPCTSTR section);
    virtual void OnDisplayChange(int bitsPerPixel, int width, int height);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    virtual CString GetDisplayText() const { return OnGetDisplayText(); }
    virtual CString OnGetDisplayText() const;
    virtual CString GetStatusText() const { return m_sTipStatus; }
    // Whether the saved usage state lists this command.
    virtual bool IsStoredInState() const;

    CExtCmdProfile* m_pProfile = nullptr;
    UINT m_nCmdID;
    int m_nIconIdx = -1;
    DWORD m_dwFlags = 0;
    CString m_sMenuText;
    CString m_sToolbarText;
    CString m_sTipTool;
    CString m_sTipStatus;
    CString m_sAccelText;
    // Copied with the command and read by nothing else.
    int m_params[4] = {0, 100, -2, 250};
    UINT m_nUsageCount = 0;

private:
    void SetFlags(DWORD mask, bool on) { m_dwFlags = on ? m_dwFlags | mask : m_dwFlags & ~mask; }
    void SetMark(DWORD mark, bool on);
    void SetTwoLevel(DWORD level);
};

// The update object that writes what an update handler says into a command.
class CExtCmdItemUI : public CCmdUI
{
public:
    CExtCmdItemUI(CExtCmdItem* item, UINT indexMax);

    void Enable(BOOL bOn = TRUE) override;
    // 0 clears the marks, 1 checks, anything else makes the command indeterminate.
    void SetCheck(int nCheck = 1) override;
    virtual void SetRadio(BOOL bOn = TRUE);
    void SetText(LPCTSTR lpszText) override;

private:
    CExtCmdItem* m_item;
};
