#include "framework/commands/CmdManager.h"

#include "framework/paint/PaintManagerHolder.h"

namespace {

const char kDefaultProfile[] = "default";

} // namespace

CExtCmdManagerHolder g_CmdManager;

DWORD CExtCmdManager::GetFrameworkVersion(bool shortForm)
{
    return shortForm ? kFrameworkVersionShort : kFrameworkVersion;
}

CString CExtCmdManager::FormatFrameworkVersion(char separator)
{
    const DWORD v = kFrameworkVersion;
    CString text;
    text.Format("%d%c%d%c%d%c%d", static_cast<int>(v >> 24), separator,
                static_cast<int>((v >> 16) & 0xFF), separator, static_cast<int>((v >> 8) & 0xFF),
                separator, static_cast<int>(v & 0xFF));
    return text;
}

CExtCmdManager::CExtCmdManager()
{
    AttachProfile(kDefaultProfile, nullptr);
}

CExtCmdManager::~CExtCmdManager() = default;

CString CExtCmdManager::ProfileKey(LPCTSTR profileName)
{
    return profileName && *profileName ? CString(profileName) : CString(kDefaultProfile);
}

CExtCmdProfile* CExtCmdManager::FindProfileLocked(LPCTSTR profileName) const
{
    const auto it = m_profiles.find(ProfileKey(profileName));
    return it == m_profiles.end() ? nullptr : it->second.get();
}

template <class Result, class Call>
Result CExtCmdManager::WithProfile(LPCTSTR profileName, Result fallback, Call call)
{
    CSingleLock lock(&m_lock, TRUE);
    CExtCmdProfile* profile = FindProfileLocked(profileName);
    return profile ? call(*profile) : fallback;
}

bool CExtCmdManager::AttachProfile(LPCTSTR profileName, HWND window, CExtCmdProfile* instance)
{
    CSingleLock lock(&m_lock, TRUE);
    const CString key = ProfileKey(profileName);
    std::unique_ptr<CExtCmdProfile>& profile = m_profiles[key];
    if (!profile) {
        profile.reset(instance ? instance : new CExtCmdProfile(key));
        profile->m_sName = key;
    }
    return !window || BindWindowToProfile(key, window);
}

bool CExtCmdManager::DetachWindow(HWND window, bool deleteOrphan, bool* deleted)
{
    if (deleted)
        *deleted = false;
    CSingleLock lock(&m_lock, TRUE);
    const auto it = window ? m_windows.find(window) : m_windows.end();
    if (it == m_windows.end())
        return false;
    CExtCmdProfile* profile = it->second;
    m_windows.erase(it);
    if (!deleteOrphan)
        return true;
    for (const auto& [other, bound] : m_windows) {
        if (bound == profile)
            return true;
    }
    for (auto candidate = m_profiles.begin(); candidate != m_profiles.end(); ++candidate) {
        if (candidate->second.get() == profile) {
            m_profiles.erase(candidate);
            break;
        }
    }
    if (deleted)
        *deleted = true;
    return true;
}

LPCTSTR CExtCmdManager::ProfileFromWindow(HWND window)
{
    CSingleLock lock(&m_lock, TRUE);
    for (; window; window = ::GetParent(window)) {
        const auto it = m_windows.find(window);
        if (it != m_windows.end())
            return it->second->m_sName;
    }
    return nullptr;
}

CExtCmdProfile* CExtCmdManager::FindProfile(LPCTSTR profileName)
{
    CSingleLock lock(&m_lock, TRUE);
    return FindProfileLocked(profileName);
}

bool CExtCmdManager::BindWindowToProfile(LPCTSTR profileName, HWND window)
{
    CSingleLock lock(&m_lock, TRUE);
    CExtCmdProfile* profile = FindProfileLocked(profileName);
    if (!window || !profile)
        return false;
    m_windows.emplace(window, profile);  // an existing binding stays
    return true;
}

bool CExtCmdManager::StoreCommand(LPCTSTR profileName, const CExtCmdItem& descriptor,
                                  bool replace, bool* isNew)
{
    if (isNew)
        *isNew = false;
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.StoreCommand(descriptor, replace, isNew);
    });
}

bool CExtCmdManager::RemoveCommand(LPCTSTR profileName, UINT id, bool* removed)
{
    if (removed)
        *removed = false;
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.RemoveCommand(id, removed);
    });
}

void CExtCmdManager::RemoveAllCommands(LPCTSTR profileName)
{
    WithProfile(profileName, false, [](CExtCmdProfile& profile) {
        profile.RemoveAllCommands();
        return true;
    });
}

bool CExtCmdManager::RemoveCommandsByFlags(LPCTSTR profileName, DWORD mask, bool allBits)
{
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        profile.RemoveCommandsByFlags(mask, allBits);
        return true;
    });
}

CExtCmdItem* CExtCmdManager::AllocCommand(LPCTSTR profileName, UINT id)
{
    return WithProfile(profileName, static_cast<CExtCmdItem*>(nullptr),
                       [&](CExtCmdProfile& profile) { return profile.AllocCommand(id); });
}

CExtCmdItem* CExtCmdManager::FindCommand(LPCTSTR profileName, UINT id)
{
    return WithProfile(profileName, static_cast<CExtCmdItem*>(nullptr),
                       [&](CExtCmdProfile& profile) { return profile.FindCommand(id); });
}

bool CExtCmdManager::SetCommandIcon(LPCTSTR profileName, UINT id, HICON icon, bool copy)
{
    // The profile keeps its own copy; a handle given without copy ends with this call.
    std::unique_ptr<CExtCmdIcon> image;
    if (icon)
        image = std::make_unique<CExtCmdIcon>(icon, copy);
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.SetCommandIcon(id, image.get(), false);
    });
}

CExtCmdIcon* CExtCmdManager::FindCommandIcon(LPCTSTR profileName, UINT id)
{
    return WithProfile(profileName, static_cast<CExtCmdIcon*>(nullptr),
                       [&](CExtCmdProfile& profile) { return profile.FindCommandIcon(id); });
}

bool CExtCmdManager::LoadCommandsFromMenuHandle(LPCTSTR profileName, HMENU menu, bool replace,
                                                bool recursive, bool loadTexts)
{
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.LoadCommandsFromMenuHandle(menu, replace, recursive, loadTexts);
    });
}

bool CExtCmdManager::LoadCommandsFromMenu(LPCTSTR profileName, UINT menuId, bool replace,
                                          bool loadTexts)
{
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.LoadCommandsFromMenu(menuId, replace, loadTexts);
    });
}

bool CExtCmdManager::LoadCommandsFromToolBarResource(LPCTSTR profileName, LPCTSTR resourceName,
                                                     UINT** ids, INT* entryCount, bool replace,
                                                     bool loadTexts, COLORREF transparent)
{
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.LoadCommandsFromToolBarResource(resourceName, ids, entryCount, replace,
                                                       loadTexts, transparent);
    });
}

bool CExtCmdManager::LoadCommandsFromToolBar(LPCTSTR profileName, UINT resourceId, UINT** ids,
                                             INT* entryCount, bool replace, bool loadTexts,
                                             COLORREF transparent)
{
    return LoadCommandsFromToolBarResource(profileName, MAKEINTRESOURCEA(resourceId), ids,
                                           entryCount, replace, loadTexts, transparent);
}

bool CExtCmdManager::SetPinnedCommands(LPCTSTR profileName, const UINT* ids, bool pinned)
{
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.SetPinnedCommands(ids, pinned);
    });
}

bool CExtCmdManager::PersistProfileState(LPCTSTR profileName, LPCTSTR registryKey,
                                         LPCTSTR appProfileName, bool save)
{
    return WithProfile(profileName, false, [&](CExtCmdProfile& profile) {
        return profile.PersistState(registryKey, appProfileName, save);
    });
}

void CExtCmdManager::OnSysColorChange()
{
    CSingleLock lock(&m_lock, TRUE);
    for (auto& [name, profile] : m_profiles)
        profile->OnSysColorChange();
}

void CExtCmdManager::OnSettingChange(UINT flags, LPCTSTR section)
{
    CSingleLock lock(&m_lock, TRUE);
    for (auto& [name, profile] : m_profiles)
        profile->OnSettingChange(flags, section);
}

void CExtCmdManager::OnDisplayChange(int bitsPerPixel, int width, int height)
{
    CSingleLock lock(&m_lock, TRUE);
    for (auto& [name, profile] : m_profiles)
        profile->OnDisplayChange(bitsPerPixel, width, height);
}

void CExtCmdManager::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    CSingleLock lock(&m_lock, TRUE);
    for (auto& [name, profile] : m_profiles)
        profile->OnThemeChanged(wParam, lParam);
}

CExtCmdManagerHolder::CExtCmdManagerHolder()
    : m_manager(new CExtCmdManager)
{
}

CExtCmdManagerHolder::~CExtCmdManagerHolder()
{
    delete m_manager;
}

void CExtCmdManagerHolder::RelaySysColorChange(CWnd* window)
{
    if (window && g_PaintManager.IsRelayWindow(window))
        m_manager->OnSysColorChange();
}

void CExtCmdManagerHolder::RelaySettingChange(CWnd* window, UINT flags, LPCTSTR section)
{
    if (window && g_PaintManager.IsRelayWindow(window))
        m_manager->OnSettingChange(flags, section);
}

void CExtCmdManagerHolder::RelayDisplayChange(CWnd* window, int bitsPerPixel, int width,
                                              int height)
{
    if (window && g_PaintManager.IsRelayWindow(window))
        m_manager->OnDisplayChange(bitsPerPixel, width, height);
}

void CExtCmdManagerHolder::RelayThemeChange(CWnd* window, WPARAM wParam, LPARAM lParam)
{
    if (window && g_PaintManager.IsRelayWindow(window))
        m_manager->OnThemeChanged(wParam, lParam);
}
