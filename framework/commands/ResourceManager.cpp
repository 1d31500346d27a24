#include "framework/commands/ResourceManager.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/paint/PaintManager.h"
#include "platform/Menu.h"
#include "platform/ResourceHandle.h"
#include "platform/StringResource.h"

CExtResourceManagerHolder g_ResourceManager;

void CExtResourceBuffer::Empty()
{
    std::free(m_data);
    m_data = nullptr;
    m_size = 0;
}

bool CExtResourceBuffer::Allocate(DWORD size, bool zero)
{
    Empty();
    if (size == 0)
        return false;
    m_data = static_cast<BYTE*>(zero ? std::calloc(size, 1) : std::malloc(size));
    if (!m_data)
        return false;
    m_size = size;
    return true;
}

bool CExtResourceBuffer::LoadFromResource(HINSTANCE module, HRSRC resource)
{
    Empty();
    if (!module || !resource)
        return false;
    HGLOBAL loaded = ::LoadResource(module, resource);
    if (!loaded)
        return false;
    const DWORD size = ::SizeofResource(module, resource);
    if (size == 0)
        return true;
    const void* bytes = ::LockResource(loaded);
    if (!bytes || !Allocate(size))
        return false;
    std::memcpy(m_data, bytes, size);
    return true;
}

bool CExtResourceBuffer::FindAndLoad(HINSTANCE module, LPCTSTR type, LPCTSTR id, WORD language)
{
    Empty();
    if (!module)
        return false;
    HRSRC resource = ::FindResourceExA(module, type, id, language);
    return resource && LoadFromResource(module, resource);
}

bool StringFromStringBlock(const BYTE* block, DWORD size, UINT entry, CString& text)
{
    text.Empty();
    DWORD at = 0;
    for (UINT i = 0;; ++i) {
        if (size < 2 || at > size - 2)
            return false;
        WORD count = 0;
        std::memcpy(&count, block + at, 2);
        at += 2;
        // The count comes from the module: never read past the block.
        if (count > (size - at) / 2)
            return false;
        if (i == entry) {
            if (count == 0)
                return true;
            std::vector<wchar_t> units(count);
            std::memcpy(units.data(), block + at, count * 2u);
            const int length = ::WideCharToMultiByte(CP_ACP, 0, units.data(), count, nullptr, 0,
                                                     nullptr, nullptr);
            std::vector<char> ansi(static_cast<size_t>(length > 0 ? length : 0));
            if (length > 0)
                ::WideCharToMultiByte(CP_ACP, 0, units.data(), count, ansi.data(), length,
                                      nullptr, nullptr);
            text = CString(ansi.data(), static_cast<int>(ansi.size()));
            return true;
        }
        at += count * 2u;
    }
}

int AcceleratorsFromResource(const BYTE* data, DWORD size, ACCEL* accelerators, int capacity)
{
    const int count = static_cast<int>(size / 8);
    int read = 0;
    for (; read < count && read < capacity; ++read) {
        WORD flags = 0, key = 0, command = 0;
        std::memcpy(&flags, data + read * 8, 2);
        std::memcpy(&key, data + read * 8 + 2, 2);
        std::memcpy(&command, data + read * 8 + 4, 2);
        accelerators[read].fVirt = static_cast<BYTE>(flags);
        accelerators[read].key = key;
        accelerators[read].cmd = command;
    }
    return read;
}

namespace {

void Report(WORD* usedLanguage, WORD language, HINSTANCE* module, HINSTANCE source)
{
    if (usedLanguage)
        *usedLanguage = language;
    if (module)
        *module = source;
}

} // namespace

CExtResourceManager::CExtResourceManager(bool selectionEnabled, WORD language)
    : m_flags(selectionEnabled ? 1 : 0)
    , m_language(language)
{ }

bool CExtResourceManager::IsLanguageSelectionEnabled() const
{
    return (m_flags & 1) != 0;
}

bool CExtResourceManager::EnableLanguageSelection(bool enable)
{
    const bool previous = IsLanguageSelectionEnabled();
    m_flags = static_cast<BYTE>(enable ? m_flags | 1 : m_flags & ~1);
    return previous;
}

WORD CExtResourceManager::GetLanguage() const
{
    return m_language;
}

void CExtResourceManager::SetLanguage(WORD language)
{
    m_language = language;
}

WORD CExtResourceManager::GetDefaultLanguage() const
{
    return kDefaultLanguage;
}

int CExtResourceManager::GetLocaleInfo(LCTYPE type, LPTSTR buffer, int size) const
{
    std::vector<LCID> locales;
    if (IsLanguageSelectionEnabled()) {
        locales.push_back(MAKELCID(GetLanguage(), SORT_DEFAULT));
        locales.push_back(MAKELCID(GetDefaultLanguage(), SORT_DEFAULT));
    }
    locales.push_back(LOCALE_SYSTEM_DEFAULT);
    locales.push_back(LOCALE_USER_DEFAULT);
    locales.push_back(0);
    for (LCID locale : locales) {
        if (const int result = ::GetLocaleInfoA(locale, type, buffer, size))
            return result;
    }
    return 0;
}

HINSTANCE CExtResourceManager::FindResourceForLanguage(LPCTSTR type, LPCTSTR name,
                                                       WORD language, WORD* usedLanguage,
                                                       HRSRC* resource) const
{
    HINSTANCE module = AfxGetResourceHandle();
    if (!module)
        return nullptr;
    HRSRC found = ::FindResourceExA(module, type, name, language);
    if (!found)
        return nullptr;
    if (usedLanguage)
        *usedLanguage = language;
    if (resource)
        *resource = found;
    return module;
}

HINSTANCE CExtResourceManager::FindResourceTwoLanguages(LPCTSTR type, LPCTSTR name, WORD first,
                                                        WORD second, WORD* usedLanguage,
                                                        HRSRC* resource) const
{
    if (HINSTANCE module = FindResourceForLanguage(type, name, first, usedLanguage, resource))
        return module;
    if (second == first)
        return nullptr;
    return FindResourceForLanguage(type, name, second, usedLanguage, resource);
}

HINSTANCE CExtResourceManager::FindResource(LPCTSTR type, LPCTSTR name, WORD* usedLanguage,
                                            HRSRC* resource) const
{
    if (IsLanguageSelectionEnabled())
        return FindResourceTwoLanguages(type, name, GetLanguage(), GetDefaultLanguage(),
                                        usedLanguage, resource);
    HINSTANCE module = AfxGetResourceHandle();
    if (!module)
        return nullptr;
    HRSRC found = ::FindResourceA(module, name, type);
    if (!found)
        return nullptr;
    if (usedLanguage)
        *usedLanguage = kDefaultLanguage;
    if (resource)
        *resource = found;
    return module;
}

bool CExtResourceManager::LoadResourceBufferForLanguage(CExtResourceBuffer& buffer,
                                                        LPCTSTR type, LPCTSTR id, WORD language,
                                                        WORD* usedLanguage,
                                                        HINSTANCE* module) const
{
    HRSRC resource = nullptr;
    HINSTANCE source = FindResourceForLanguage(type, id, language, nullptr, &resource);
    if (!source || !buffer.LoadFromResource(source, resource))
        return false;
    Report(usedLanguage, language, module, source);
    return true;
}

bool CExtResourceManager::LoadResourceBufferTwoLanguages(CExtResourceBuffer& buffer,
                                                         LPCTSTR type, LPCTSTR id, WORD first,
                                                         WORD second, WORD* usedLanguage,
                                                         HINSTANCE* module) const
{
    if (LoadResourceBufferForLanguage(buffer, type, id, first, usedLanguage, module))
        return true;
    return second != first &&
           LoadResourceBufferForLanguage(buffer, type, id, second, usedLanguage, module);
}

bool CExtResourceManager::LoadResourceBuffer(CExtResourceBuffer& buffer, LPCTSTR type,
                                             LPCTSTR id, WORD* usedLanguage,
                                             HINSTANCE* module) const
{
    if (IsLanguageSelectionEnabled())
        return LoadResourceBufferTwoLanguages(buffer, type, id, GetLanguage(),
                                              GetDefaultLanguage(), usedLanguage, module);
    HINSTANCE source = AfxGetResourceHandle();
    if (!buffer.FindAndLoad(source, type, id, kSystemDefaultLanguage))
        return false;
    Report(usedLanguage, kDefaultLanguage, module, source);
    return true;
}

bool CExtResourceManager::LoadStringTwoLanguages(CString& text, UINT id, WORD first,
                                                 WORD second, WORD* usedLanguage,
                                                 HINSTANCE* module) const
{
    if (!IsLanguageSelectionEnabled())
        return LoadString(text, id, usedLanguage, module);
    text.Empty();
    CExtResourceBuffer block;
    if (!LoadResourceBufferTwoLanguages(block, RT_STRING,
                                        MAKEINTRESOURCEA(StringBlockId(id)), first, second,
                                        usedLanguage, module))
        return false;
    // A block that holds fewer entries than it should gives an empty string.
    StringFromStringBlock(block.GetData(), block.GetSize(), StringBlockEntry(id), text);
    return true;
}

bool CExtResourceManager::LoadString(CString& text, UINT id, WORD* usedLanguage,
                                     HINSTANCE* module) const
{
    if (IsLanguageSelectionEnabled())
        return LoadStringTwoLanguages(text, id, GetLanguage(), GetDefaultLanguage(),
                                      usedLanguage, module);
    text.Empty();
    HINSTANCE source = AfxGetResourceHandle();
    if (!source || !LoadResourceString(id, text))
        return false;
    Report(usedLanguage, kDefaultLanguage, module, source);
    return true;
}

bool CExtResourceManager::LoadMenuSelected(CMenu& menu, LPCTSTR name, WORD first, WORD second,
                                           WORD* usedLanguage, HINSTANCE* module) const
{
    menu.DestroyMenu();
    CExtResourceBuffer buffer;
    if (!LoadResourceBufferTwoLanguages(buffer, RT_MENU, name, first, second,
                                        usedLanguage, module) ||
        buffer.GetSize() == 0)
        return false;
    return menu.LoadMenuIndirect(buffer.GetData()) != FALSE;
}

bool CExtResourceManager::LoadMenuTwoLanguages(CMenu& menu, UINT id, WORD first, WORD second,
                                               WORD* usedLanguage, HINSTANCE* module) const
{
    if (IsLanguageSelectionEnabled())
        return LoadMenuSelected(menu, MAKEINTRESOURCEA(id), first, second, usedLanguage, module);
    HINSTANCE source = AfxGetResourceHandle();
    if (!source)
        return false;
    // Attached over whatever the object holds, which the caller still owns.
    if (!menu.Attach(::LoadMenuA(source, MAKEINTRESOURCEA(id))))
        return false;
    Report(usedLanguage, kDefaultLanguage, module, source);
    return true;
}

bool CExtResourceManager::LoadMenuByName(CMenu& menu, LPCTSTR name, WORD* usedLanguage,
                                         HINSTANCE* module) const
{
    if (IsLanguageSelectionEnabled())
        return LoadMenuSelected(menu, name, GetLanguage(), GetDefaultLanguage(), usedLanguage,
                                module);
    menu.DestroyMenu();
    HINSTANCE source = AfxGetResourceHandle();
    if (!source || !menu.Attach(::LoadMenuA(source, name)))
        return false;
    Report(usedLanguage, kDefaultLanguage, module, source);
    return true;
}

bool CExtResourceManager::LoadMenu(CMenu& menu, UINT id, WORD* usedLanguage,
                                   HINSTANCE* module) const
{
    return LoadMenuByName(menu, MAKEINTRESOURCEA(id), usedLanguage, module);
}

HACCEL CExtResourceManager::LoadAcceleratorsSelected(LPCTSTR name, WORD first, WORD second,
                                                     WORD* usedLanguage,
                                                     HINSTANCE* module) const
{
    CExtResourceBuffer buffer;
    if (!LoadResourceBufferTwoLanguages(buffer, RT_ACCELERATOR, name, first,
                                        second, usedLanguage, module))
        return nullptr;
    const int count = static_cast<int>(buffer.GetSize() / 8);
    if (count == 0)
        return nullptr;
    std::vector<ACCEL> table(static_cast<size_t>(count));
    AcceleratorsFromResource(buffer.GetData(), buffer.GetSize(), table.data(), count);
    return ::CreateAcceleratorTableA(table.data(), count);
}

HACCEL CExtResourceManager::LoadAcceleratorsTwoLanguages(UINT id, WORD first, WORD second,
                                                         WORD* usedLanguage,
                                                         HINSTANCE* module) const
{
    if (!IsLanguageSelectionEnabled())
        return LoadAccelerators(id, usedLanguage, module);
    return LoadAcceleratorsSelected(MAKEINTRESOURCEA(id), first, second, usedLanguage, module);
}

HACCEL CExtResourceManager::LoadAcceleratorsByName(LPCTSTR name, WORD* usedLanguage,
                                                   HINSTANCE* module) const
{
    if (IsLanguageSelectionEnabled())
        return LoadAcceleratorsSelected(name, GetLanguage(), GetDefaultLanguage(), usedLanguage,
                                        module);
    HINSTANCE source = AfxGetResourceHandle();
    HACCEL table = source ? ::LoadAcceleratorsA(source, name) : nullptr;
    if (table)
        Report(usedLanguage, kDefaultLanguage, module, source);
    return table;
}

HACCEL CExtResourceManager::LoadAccelerators(UINT id, WORD* usedLanguage,
                                             HINSTANCE* module) const
{
    return LoadAcceleratorsByName(MAKEINTRESOURCEA(id), usedLanguage, module);
}

HBITMAP CExtResourceManager::LoadBitmapSelected(LPCTSTR name, WORD first, WORD second,
                                                WORD* usedLanguage, HINSTANCE* module) const
{
    HRSRC resource = nullptr;
    HINSTANCE source = FindResourceTwoLanguages(RT_BITMAP, name, first, second,
                                                usedLanguage, &resource);
    if (!source)
        return nullptr;
    if (module)
        *module = source;
    return CExtPaintManager::LoadBitmapResource(source, resource);
}

HBITMAP CExtResourceManager::LoadBitmapTwoLanguages(UINT id, WORD first, WORD second,
                                                    WORD* usedLanguage,
                                                    HINSTANCE* module) const
{
    if (!IsLanguageSelectionEnabled())
        return LoadBitmap(id, usedLanguage, module);
    return LoadBitmapSelected(MAKEINTRESOURCEA(id), first, second, usedLanguage, module);
}

HBITMAP CExtResourceManager::LoadBitmapByName(LPCTSTR name, WORD* usedLanguage,
                                              HINSTANCE* module) const
{
    if (IsLanguageSelectionEnabled())
        return LoadBitmapSelected(name, GetLanguage(), GetDefaultLanguage(), usedLanguage,
                                  module);
    HINSTANCE source = AfxGetResourceHandle();
    HBITMAP bitmap = source ? ::LoadBitmapA(source, name) : nullptr;
    if (bitmap)
        Report(usedLanguage, kDefaultLanguage, module, source);
    return bitmap;
}

HBITMAP CExtResourceManager::LoadBitmap(UINT id, WORD* usedLanguage, HINSTANCE* module) const
{
    return LoadBitmapByName(MAKEINTRESOURCEA(id), usedLanguage, module);
}

CExtResourceManagerHolder::~CExtResourceManagerHolder()
{
    delete m_manager;
}

CExtResourceManager* CExtResourceManagerHolder::GetManager()
{
    if (!m_manager)
        m_manager = new CExtResourceManager(false, CExtResourceManager::kDefaultLanguage);
    return m_manager;
}

void CExtResourceManagerHolder::InstallManager(CExtResourceManager* manager)
{
    if (manager == m_manager)
        return;
    delete m_manager;
    m_manager = manager ? manager : new CExtResourceManager(false,
                                                            CExtResourceManager::kDefaultLanguage);
}
