// CExtCmdProfile: a named set of commands (keyed by id) and the images they show (a positional
// array whose positions the commands store). It is filled from menus and toolbar resources and
// keeps its usage statistics in the registry between runs.
#pragma once
#include "platform/WindowLayer.h"

#include <map>
#include <memory>
#include <vector>

#include "framework/commands/CmdIcon.h"
#include "framework/commands/CmdItem.h"
#include "platform/String.h"
#include "platform/Types.h"

class CArchive;

class CExtCmdProfile
{
public:
    explicit CExtCmdProfile(LPCTSTR name = nullptr);
    CExtCmdProfile(const CExtCmdProfile&) = delete;
    CExtCmdProfile& operator=(const CExtCmdProfile&) = delete;
    virtual ~CExtCmdProfile();

    // A new id stores a copy of the descriptor (*isNew set). An existing one takes the
    // descriptor's texts and image index (replace) or only fills what it lacks.
    virtual bool StoreCommand(const CExtCmdItem& descriptor, bool replace = false,
                              bool* isNew = nullptr);
    // Removes the command and its image; the images behind it move down by one.
    virtual bool RemoveCommand(UINT id, bool* removed = nullptr);
    virtual void RemoveAllCommands();
    virtual void RemoveCommandsByFlags(DWORD mask, bool allBits = false);
    // Id 0 takes the highest free id below 0xFFFF.
    virtual CExtCmdItem* AllocCommand(UINT id = 0);
    virtual CExtCmdItem* FindCommand(UINT id) const;
    // A null or empty image removes the command's image; with adopt the profile takes the
    // pointer over (and deletes it when it cannot be used), otherwise it stores a copy.
    virtual bool SetCommandIcon(UINT id, CExtCmdIcon* icon, bool adopt);
    virtual CExtCmdIcon* FindCommandIcon(UINT id) const;
    virtual bool IsCommandRegistered(UINT id) const { return FindCommand(id) != nullptr; }

    virtual bool LoadCommandsFromMenu(UINT menuId, bool replace, bool loadTexts);
    virtual bool LoadCommandsFromMenuHandle(HMENU menu, bool replace, bool recursive,
                                            bool loadTexts);
    // Registers the commands of an RT_TOOLBAR resource with their images cut from the bitmap
    // of the same name. *ids (when asked) receives every entry's id, 0 for separators, in an
    // array the caller frees with delete[].
    virtual bool LoadCommandsFromToolBarResource(LPCTSTR resourceName, UINT** ids,
                                                 INT* entryCount, bool replace, bool loadTexts,
                                                 COLORREF transparent);

    // Ids without a command and system commands make the result false; the rest are set.
    virtual bool SetPinnedCommands(const UINT* ids, bool pinned);

    // The usage statistics as a stream; loading applies nothing unless the whole stream is
    // sound.
    virtual bool SerializeState(CArchive& ar);
    virtual bool PersistState(LPCTSTR registryKey, LPCTSTR appProfileName, bool save);

    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT flags, LPCTSTR section);
    virtual void OnDisplayChange(int bitsPerPixel, int width, int height);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    virtual void ResetUsageStatistics();
    virtual void CopyFrom(const CExtCmdProfile& other);
    virtual CExtCmdItem* CreateCommandCopy(const CExtCmdItem& descriptor) const;

    // Every command in id order.
    template <class Visit>
    void ForEachCommand(Visit visit) const
    {
        for (const auto& [id, command] : m_commands)
            visit(*command);
    }
    INT_PTR GetCommandCount() const { return static_cast<INT_PTR>(m_commands.size()); }
    INT_PTR GetImageCount() const { return static_cast<INT_PTR>(m_images.size()); }

    CString m_sName;
    // Percent of the usage total below which a command counts as rarely used.
    int m_nRarelyUsedPercent = 10;
    UINT m_nTotalTickCount = 0;
    // Copied with the profile and read by nothing else.
    int m_nReserved = 0;

private:
    void RemoveImageAt(int index);
    void AppendImage(std::unique_ptr<CExtCmdIcon> image, CExtCmdItem& command);

    std::map<UINT, std::unique_ptr<CExtCmdItem>> m_commands;
    std::vector<std::unique_ptr<CExtCmdIcon>> m_images;
};
