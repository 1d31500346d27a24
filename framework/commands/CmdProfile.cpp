#include "framework/commands/CmdProfile.h"

#include <new>
#include <vector>


CExtCmdProfile::CExtCmdProfile(LPCTSTR name)
    : m_sName(name)
{
}

CExtCmdProfile::~CExtCmdProfile()
{
    RemoveAllCommands();
}

bool CExtCmdProfile::StoreCommand(const CExtCmdItem& descriptor, bool replace, bool* isNew)
{
    if (isNew)
        *isNew = false;
    if (!IsValidCommandId(descriptor.m_nCmdID))
        return false;
    if (CExtCmdItem* existing = FindCommand(descriptor.m_nCmdID)) {
        if (replace)
            existing->UpdateFrom(descriptor);
        else
            existing->FillFrom(descriptor);
        return true;
    }
    std::unique_ptr<CExtCmdItem> copy(CreateCommandCopy(descriptor));
    copy->m_pProfile = this;
    m_commands[descriptor.m_nCmdID] = std::move(copy);
    if (isNew)
        *isNew = true;
    return true;
}

bool CExtCmdProfile::RemoveCommand(UINT id, bool* removed)
{
    if (removed)
        *removed = false;
    if (!IsValidCommandId(id))
        return false;
    const auto it = m_commands.find(id);
    if (it == m_commands.end())
        return true;
    const int image = it->second->m_nIconIdx;
    m_commands.erase(it);
    if (image >= 0)
        RemoveImageAt(image);
    if (removed)
        *removed = true;
    return true;
}

void CExtCmdProfile::RemoveImageAt(int index)
{
    if (index >= static_cast<int>(m_images.size()))
        return;
    m_images.erase(m_images.begin() + index);
    for (auto& [id, command] : m_commands) {
        if (command->m_nIconIdx >= index)
            --command->m_nIconIdx;
    }
}

void CExtCmdProfile::AppendImage(std::unique_ptr<CExtCmdIcon> image, CExtCmdItem& command)
{
    m_images.push_back(std::move(image));
    command.m_nIconIdx = static_cast<int>(m_images.size()) - 1;
}

void CExtCmdProfile::RemoveAllCommands()
{
    m_images.clear();
    m_commands.clear();
}

void CExtCmdProfile::RemoveCommandsByFlags(DWORD mask, bool allBits)
{
    std::vector<UINT> ids;
    for (const auto& [id, command] : m_commands) {
        const DWORD set = command->m_dwFlags & mask;
        if (allBits ? set == mask : set != 0)
            ids.push_back(id);
    }
    for (UINT id : ids)
        RemoveCommand(id);
}

CExtCmdItem* CExtCmdProfile::AllocCommand(UINT id)
{
    if (id != 0) {
        if (FindCommand(id))
            return nullptr;
    } else {
        id = 0xFFFE;
        while (id != 0 && FindCommand(id))
            --id;
        if (id == 0)
            return nullptr;
    }
    const CExtCmdItem descriptor(id);
    return StoreCommand(descriptor) ? FindCommand(id) : nullptr;
}

CExtCmdItem* CExtCmdProfile::FindCommand(UINT id) const
{
    if (!IsValidCommandId(id))
        return nullptr;
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second.get();
}

bool CExtCmdProfile::SetCommandIcon(UINT id, CExtCmdIcon* icon, bool adopt)
{
    std::unique_ptr<CExtCmdIcon> adopted(adopt ? icon : nullptr);
    if (!IsValidCommandId(id))
        return false;
    if (icon && icon->IsEmpty())
        icon = nullptr;
    CExtCmdItem* command = FindCommand(id);
    if (!command)
        return false;
    const bool hasImage = command->m_nIconIdx >= 0 &&
                          command->m_nIconIdx < static_cast<int>(m_images.size());
    if (!icon) {
        if (hasImage) {
            const int index = command->m_nIconIdx;
            command->m_nIconIdx = -1;
            RemoveImageAt(index);
        }
        return true;
    }
    std::unique_ptr<CExtCmdIcon> stored;
    try {
        stored = adopt ? std::move(adopted) : std::make_unique<CExtCmdIcon>(*icon);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (hasImage)
        m_images[command->m_nIconIdx] = std::move(stored);
    else
        AppendImage(std::move(stored), *command);
    return true;
}

CExtCmdIcon* CExtCmdProfile::FindCommandIcon(UINT id) const
{
    const CExtCmdItem* command = FindCommand(id);
    if (!command || command->m_nIconIdx < 0 ||
        command->m_nIconIdx >= static_cast<int>(m_images.size()))
        return nullptr;
    return m_images[command->m_nIconIdx].get();
}

bool CExtCmdProfile::SetPinnedCommands(const UINT* ids, bool pinned)
{
    if (!ids)
        return false;
    bool all = true;
    for (; *ids != 0; ++ids) {
        CExtCmdItem* command = IsSystemCommandId(*ids) ? nullptr : FindCommand(*ids);
        if (command)
            command->SetPinned(pinned);
        else
            all = false;
    }
    return all;
}

void CExtCmdProfile::OnSysColorChange()
{
    ForEachCommand([](CExtCmdItem& command) { command.OnSysColorChange(); });
}

void CExtCmdProfile::OnSettingChange(UINT flags, LPCTSTR section)
{
    ForEachCommand([&](CExtCmdItem& command) { command.OnSettingChange(flags, section); });
}

void CExtCmdProfile::OnDisplayChange(int bitsPerPixel, int width, int height)
{
    ForEachCommand(
        [&](CExtCmdItem& command) { command.OnDisplayChange(bitsPerPixel, width, height); });
}

void CExtCmdProfile::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    ForEachCommand([&](CExtCmdItem& command) { command.OnThemeChanged(wParam, lParam); });
}

void CExtCmdProfile::ResetUsageStatistics()
{
    ForEachCommand([](CExtCmdItem& command) { command.ResetUsage(); });
    m_nTotalTickCount = 0;
}

void CExtCmdProfile::CopyFrom(const CExtCmdProfile& other)
{
    if (&other == this)
        return;
    m_sName = other.m_sName;
    m_nRarelyUsedPercent = other.m_nRarelyUsedPercent;
    m_nTotalTickCount = other.m_nTotalTickCount;
    m_nReserved = other.m_nReserved;
    m_commands.clear();
    for (const auto& [id, command] : other.m_commands) {
        std::unique_ptr<CExtCmdItem> copy(CreateCommandCopy(*command));
        copy->m_pProfile = this;
        m_commands[id] = std::move(copy);
    }
    // Same order, so the copied commands' image positions stay valid.
    m_images.clear();
    for (const auto& image : other.m_images)
        m_images.push_back(std::make_unique<CExtCmdIcon>(*image));
}

CExtCmdItem* CExtCmdProfile::CreateCommandCopy(const CExtCmdItem& descriptor) const
{
    return new CExtCmdItem(descriptor);
}
