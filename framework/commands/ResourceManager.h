// CExtResourceManager: the one object through which framework classes load strings, menus,
// accelerators, bitmaps and raw resources. The default manager passes every request to the
// application's resource module; with language selection on it looks each resource up in its
// own language, then in the default language 1033.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/String.h"
#include "platform/Types.h"

class CMenu;

// A raw resource copied out of its module; the block is owned and freed with the buffer.
class CExtResourceBuffer
{
public:
    CExtResourceBuffer() = default;
    ~CExtResourceBuffer() { Empty(); }
    CExtResourceBuffer(const CExtResourceBuffer&) = delete;
    CExtResourceBuffer& operator=(const CExtResourceBuffer&) = delete;

    void Empty();
    const BYTE* GetData() const { return m_data; }
    BYTE* GetData() { return m_data; }
    DWORD GetSize() const { return m_size; }
    bool Allocate(DWORD size, bool zero = false);
    bool LoadFromResource(HINSTANCE module, HRSRC resource);
    bool FindAndLoad(HINSTANCE module, LPCTSTR type, LPCTSTR id, WORD language);

private:
    BYTE* m_data = nullptr;
    DWORD m_size = 0;
};

class CExtResourceManager
{
public:
    static constexpr WORD kDefaultLanguage = 1033;
    // What FindAndLoad asks for while selection is off: the system default language.
    static constexpr WORD kSystemDefaultLanguage = 0x0800;

    explicit CExtResourceManager(bool selectionEnabled = false, WORD language = kDefaultLanguage);
    virtual ~CExtResourceManager() = default;
    CExtResourceManager(const CExtResourceManager&) = delete;
    CExtResourceManager& operator=(const CExtResourceManager&) = delete;

    virtual bool IsLanguageSelectionEnabled() const;
    virtual bool EnableLanguageSelection(bool enable);
    virtual WORD GetLanguage() const;
    virtual void SetLanguage(WORD language);
    virtual WORD GetDefaultLanguage() const;
    virtual int GetLocaleInfo(LCTYPE type, LPTSTR buffer, int size) const;

    virtual HINSTANCE FindResourceForLanguage(LPCTSTR type, LPCTSTR name, WORD language,
                                              WORD* usedLanguage = nullptr,
                                              HRSRC* resource = nullptr) const;
    virtual HINSTANCE FindResourceTwoLanguages(LPCTSTR type, LPCTSTR name, WORD first,
                                               WORD second, WORD* usedLanguage = nullptr,
                                               HRSRC* resource = nullptr) const;
    virtual HINSTANCE FindResource(LPCTSTR type, LPCTSTR name, WORD* usedLanguage = nullptr,
                                   HRSRC* resource = nullptr) const;

    virtual bool LoadResourceBufferForLanguage(CExtResourceBuffer& buffer, LPCTSTR type,
                                               LPCTSTR id, WORD language,
                                               WORD* usedLanguage = nullptr,
                                               HINSTANCE* module = nullptr) const;
    virtual bool LoadResourceBufferTwoLanguages(CExtResourceBuffer& buffer, LPCTSTR type,
                                                LPCTSTR id, WORD first, WORD second,
                                                WORD* usedLanguage = nullptr,
                                                HINSTANCE* module = nullptr) const;
    virtual bool LoadResourceBuffer(CExtResourceBuffer& buffer, LPCTSTR type, LPCTSTR id,
                                    WORD* usedLanguage = nullptr,
                                    HINSTANCE* module = nullptr) const;

    virtual bool LoadStringTwoLanguages(CString& text, UINT id, WORD first, WORD second,
                                        WORD* usedLanguage = nullptr,
                                        HINSTANCE* module = nullptr) const;
    virtual bool LoadString(CString& text, UINT id, WORD* usedLanguage = nullptr,
                            HINSTANCE* module = nullptr) const;

    virtual bool LoadMenuTwoLanguages(CMenu& menu, UINT id, WORD first, WORD second,
                                      WORD* usedLanguage = nullptr,
                                      HINSTANCE* module = nullptr) const;
    virtual bool LoadMenu(CMenu& menu, UINT id, WORD* usedLanguage = nullptr,
                          HINSTANCE* module = nullptr) const;
    virtual bool LoadMenuByName(CMenu& menu, LPCTSTR name, WORD* usedLanguage = nullptr,
                                HINSTANCE* module = nullptr) const;

    // The caller owns the table (DestroyAcceleratorTable).
    virtual HACCEL LoadAcceleratorsTwoLanguages(UINT id, WORD first, WORD second,
                                                WORD* usedLanguage = nullptr,
                                                HINSTANCE* module = nullptr) const;
    virtual HACCEL LoadAcceleratorsByName(LPCTSTR name, WORD* usedLanguage = nullptr,
                                          HINSTANCE* module = nullptr) const;
    virtual HACCEL LoadAccelerators(UINT id, WORD* usedLanguage = nullptr,
                                    HINSTANCE* module = nullptr) const;

    // The caller owns the bitmap.
    virtual HBITMAP LoadBitmapTwoLanguages(UINT id, WORD first, WORD second,
                                           WORD* usedLanguage = nullptr,
                                           HINSTANCE* module = nullptr) const;
    virtual HBITMAP LoadBitmapByName(LPCTSTR name, WORD* usedLanguage = nullptr,
                                     HINSTANCE* module = nullptr) const;
    virtual HBITMAP LoadBitmap(UINT id, WORD* usedLanguage = nullptr,
                               HINSTANCE* module = nullptr) const;

    // Where a string id lives in the string table: block (id / 16) + 1, entry id % 16.
    static UINT StringBlockId(UINT id) { return id / 16 + 1; }
    static UINT StringBlockEntry(UINT id) { return id % 16; }

private:
    HACCEL LoadAcceleratorsSelected(LPCTSTR name, WORD first, WORD second, WORD* usedLanguage,
                                    HINSTANCE* module) const;
    HBITMAP LoadBitmapSelected(LPCTSTR name, WORD first, WORD second, WORD* usedLanguage,
                               HINSTANCE* module) const;
    bool LoadMenuSelected(CMenu& menu, LPCTSTR name, WORD first, WORD second,
                          WORD* usedLanguage, HINSTANCE* module) const;

    BYTE m_flags;
    WORD m_language;
};

// Owns the current manager; the default one (selection off, 1033) is made on first use.
class CExtResourceManagerHolder
{
public:
    CExtResourceManagerHolder() = default;
    ~CExtResourceManagerHolder();
    CExtResourceManagerHolder(const CExtResourceManagerHolder&) = delete;
    CExtResourceManagerHolder& operator=(const CExtResourceManagerHolder&) = delete;

    CExtResourceManager* GetManager();
    CExtResourceManager* operator->() { return GetManager(); }
    // Deletes the current manager and takes manager (a new default one for null).
    void InstallManager(CExtResourceManager* manager);

private:
    CExtResourceManager* m_manager = nullptr;
};

extern CExtResourceManagerHolder g_ResourceManager;

// The string-table block format: 16 entries of a 16-bit count and that many UTF-16 units.
// Entry entry as ANSI text; false when the block ends before it.
bool StringFromStringBlock(const BYTE* block, DWORD size, UINT entry, CString& text);
// The accelerator resource format: 8-byte entries (flags, key, command, padding); the count is
// size / 8. Returns the entries written into accelerators, at most capacity.
int AcceleratorsFromResource(const BYTE* data, DWORD size, ACCEL* accelerators, int capacity);
