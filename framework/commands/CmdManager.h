// CExtCmdManager: the process-wide registry of command profiles. Frames bind their windows to a
// profile; every framework window finds its commands through the profile of its nearest bound
// ancestor. Every operation runs under one re-entrant lock and forwards to the named profile (a
// null or empty name means "default"); a profile that does not exist gives false or null.
#pragma once
#include "platform/WindowLayer.h"

#include <map>
#include <memory>

#include "framework/commands/CmdProfile.h"
#include "platform/CriticalSection.h"
#include "platform/String.h"

class CWnd;

class CExtCmdManager
{
public:
    static constexpr DWORD kFrameworkVersion = 0x02020701;
    static constexpr DWORD kFrameworkVersionShort = 0x0202;
    static DWORD GetFrameworkVersion(bool shortForm = false);
    // The four bytes of the version, highest first: "2.2.7.1" with '.'.
    static CString FormatFrameworkVersion(char separator = '.');

    CExtCmdManager();
    CExtCmdManager(const CExtCmdManager&) = delete;
    CExtCmdManager& operator=(const CExtCmdManager&) = delete;
    virtual ~CExtCmdManager();

    // Creates the profile when the name is new (taking over instance, else making one) and binds
    // the window; an existing binding is kept.
    bool AttachProfile(LPCTSTR profileName, HWND window, CExtCmdProfile* instance = nullptr);
    // With deleteOrphan, a profile left without windows is deleted (*deleted set).
    bool DetachWindow(HWND window, bool deleteOrphan = false, bool* deleted = nullptr);
    // The name of the profile of the window or its nearest bound ancestor; null when none.
    LPCTSTR ProfileFromWindow(HWND window);
    CExtCmdProfile* FindProfile(LPCTSTR profileName);
    bool BindWindowToProfile(LPCTSTR profileName, HWND window);

    bool StoreCommand(LPCTSTR profileName, const CExtCmdItem& descriptor, bool replace = false,
                      bool* isNew = nullptr);
    bool RemoveCommand(LPCTSTR profileName, UINT id, bool* removed = nullptr);
    virtual void RemoveAllCommands(LPCTSTR profileName);
    bool RemoveCommandsByFlags(LPCTSTR profileName, DWORD mask, bool allBits = false);
    CExtCmdItem* AllocCommand(LPCTSTR profileName, UINT id = 0);
    CExtCmdItem* FindCommand(LPCTSTR profileName, UINT id);
    // A null handle removes the image; without copy the handle is taken over and destroyed.
    bool SetCommandIcon(LPCTSTR profileName, UINT id, HICON icon, bool copy);
    CExtCmdIcon* FindCommandIcon(LPCTSTR profileName, UINT id);

    bool LoadCommandsFromMenuHandle(LPCTSTR profileName, HMENU menu, bool replace = false,
                                    bool recursive = true, bool loadTexts = true);
    bool LoadCommandsFromMenu(LPCTSTR profileName, UINT menuId, bool replace = false,
                              bool loadTexts = true);
    bool LoadCommandsFromToolBarResource(LPCTSTR profileName, LPCTSTR resourceName,
                                         UINT** ids = nullptr, INT* entryCount = nullptr,
                                         bool replace = false, bool loadTexts = true,
                                         COLORREF transparent = RGB(192, 192, 192));
    bool LoadCommandsFromToolBar(LPCTSTR profileName, UINT resourceId, UINT** ids = nullptr,
                                 INT* entryCount = nullptr, bool replace = false,
                                 bool loadTexts = true,
                                 COLORREF transparent = RGB(192, 192, 192));
    bool SetPinnedCommands(LPCTSTR profileName, const UINT* ids, bool pinned = true);
    bool PersistProfileState(LPCTSTR profileName, LPCTSTR registryKey, LPCTSTR appProfileName,
                             bool save);

    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT flags, LPCTSTR section);
    virtual void OnDisplayChange(int bitsPerPixel, int width, int height);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

private:
    static CString ProfileKey(LPCTSTR profileName);
    CExtCmdProfile* FindProfileLocked(LPCTSTR profileName) const;
    // Runs the call on the named profile under the lock; missing gives fallback.
    template <class Result, class Call>
    Result WithProfile(LPCTSTR profileName, Result fallback, Call call);

    std::map<CString, std::unique_ptr<CExtCmdProfile>> m_profiles;
    std::map<HWND, CExtCmdProfile*> m_windows;
    mutable CCriticalSection m_lock;
};

// Owns the one manager, made during static initialisation.
class CExtCmdManagerHolder
{
public:
    CExtCmdManagerHolder();
    CExtCmdManagerHolder(const CExtCmdManagerHolder&) = delete;
    CExtCmdManagerHolder& operator=(const CExtCmdManagerHolder&) = delete;
    ~CExtCmdManagerHolder();

    CExtCmdManager* GetHeldObject() const { return m_manager; }
    CExtCmdManager* operator->() const { return m_manager; }

    // Each passes a system change on to the commands' images, once per frame: only when the
    // window is its frame's relay window (never for a null window).
    void RelaySysColorChange(CWnd* window);
    void RelaySettingChange(CWnd* window, UINT flags, LPCTSTR section);
    void RelayDisplayChange(CWnd* window, int bitsPerPixel, int width, int height);
    void RelayThemeChange(CWnd* window, WPARAM wParam, LPARAM lParam);

private:
    CExtCmdManager* m_manager;
};

extern CExtCmdManagerHolder g_CmdManager;
