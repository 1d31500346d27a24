// Filling a profile from menus and toolbar resources.
#include <algorithm>
#include <memory>

#include "framework/commands/CmdProfile.h"
#include "framework/commands/CommandTexts.h"
#include "framework/commands/ToolbarResource.h"
#include "framework/commands/ResourceManager.h"
#include "framework/paint/PaintManager.h"
#include "platform/Menu.h"

namespace {

const UINT kMenuTextChars = 1024;

// Deletes the GDI object it holds when it goes out of scope.
struct BitmapHolder
{
    HBITMAP handle = nullptr;
    BitmapHolder() = default;
    BitmapHolder(const BitmapHolder&) = delete;
    BitmapHolder& operator=(const BitmapHolder&) = delete;
    ~BitmapHolder()
    {
        if (handle)
            ::DeleteObject(handle);
    }
};

bool ReadToolbarResource(LPCTSTR name, ToolbarResourceData& data, BitmapHolder& bitmap)
{
    HRSRC toolbar = nullptr;
    HRSRC strip = nullptr;
    const HINSTANCE module =
        g_ResourceManager->FindResource(MAKEINTRESOURCEA(241), name, nullptr, &toolbar);
    const HINSTANCE stripModule =
        module ? g_ResourceManager->FindResource(RT_BITMAP, name, nullptr, &strip) : nullptr;
    if (!stripModule)
        return false;
    bitmap.handle = CExtPaintManager::LoadBitmapResource(stripModule, strip);
    const HGLOBAL loaded = ::LoadResource(module, toolbar);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    return bitmap.handle && bytes &&
           ParseToolbarResource(static_cast<const BYTE*>(bytes),
                                ::SizeofResource(module, toolbar), data);
}

} // namespace

bool CExtCmdProfile::LoadCommandsFromMenu(UINT menuId, bool replace, bool loadTexts)
{
    CMenu menu;
    return g_ResourceManager->LoadMenu(menu, menuId) &&
           LoadCommandsFromMenuHandle(menu, replace, true, loadTexts);
}

bool CExtCmdProfile::LoadCommandsFromMenuHandle(HMENU menu, bool replace, bool recursive,
                                                bool loadTexts)
{
    if (!menu || !::IsMenu(menu))
        return false;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char text[kMenuTextChars + 1] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS |
                     MIIM_DATA | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = kMenuTextChars;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item) ||
            (item.fType & MFT_SEPARATOR) != 0)
            continue;
        if (item.hSubMenu) {
            // Submenus take their texts whatever this level was asked.
            if (recursive)
                LoadCommandsFromMenuHandle(item.hSubMenu, replace, true, true);
            continue;
        }
        if (!IsValidCommandId(item.wID))
            continue;
        CExtCmdItem descriptor(item.wID);
        SplitMenuCaption(text, descriptor.m_sMenuText, descriptor.m_sAccelText);
        if (loadTexts)
            descriptor.LoadTextsFromResource();
        StoreCommand(descriptor, replace);
    }
    return true;
}

bool CExtCmdProfile::LoadCommandsFromToolBarResource(LPCTSTR resourceName, UINT** ids,
                                                     INT* entryCount, bool replace,
                                                     bool loadTexts, COLORREF transparent)
{
    ToolbarResourceData data;
    BitmapHolder bitmap;
    if (!ReadToolbarResource(resourceName, data, bitmap))
        return false;
    BITMAP strip = {};
    ::GetObjectA(bitmap.handle, sizeof strip, &strip);
    for (size_t i = 0; i < data.buttonIds.size(); ++i) {
        const int left = static_cast<int>(i) * data.buttonWidth;
        const RECT area = {left, 0, left + data.buttonWidth, data.buttonHeight};
        // A strip with fewer images than buttons gives the rest none.
        if (data.buttonWidth <= 0 || data.buttonHeight <= 0 || area.right > strip.bmWidth ||
            area.bottom > strip.bmHeight)
            break;
        auto image = std::make_unique<CExtCmdIcon>(bitmap.handle, transparent, &area, true);
        if (image->IsEmpty())
            continue;
        CExtCmdItem descriptor(data.buttonIds[i]);
        if (loadTexts)
            descriptor.LoadTextsFromResource();
        if (StoreCommand(descriptor, replace))
            SetCommandIcon(descriptor.m_nCmdID, image.release(), true);
    }
    if (ids) {
        *ids = new UINT[std::max<size_t>(data.allIds.size(), 1)];
        std::copy(data.allIds.begin(), data.allIds.end(), *ids);
    }
    if (entryCount)
        *entryCount = static_cast<INT>(data.allIds.size());
    return true;
}
