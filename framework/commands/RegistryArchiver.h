// The registry block archiver: a blob cut into 16-byte REG_BINARY values, 128 to a numbered
// block subkey, with its size and an integrity text beside them. A load gives the bytes back only
// when the size, every value and the integrity text agree, so a damaged archive is never taken.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/String.h"
#include "platform/Types.h"

class CMemFile;

// Four interleaved ELF hashes: byte n feeds accumulator n mod 4.
class CRegistryIntegrity
{
public:
    void Feed(const BYTE* bytes, UINT count);
    // The 16 bytes of the accumulators, each most significant first, as "00 00 ... 00".
    CString Text() const;

private:
    DWORD m_accumulators[4] = {};
    UINT m_next = 0;
};

// "Software\<key>\<app profile>\Dockmere227\Profiles\<profile>\<section>" with carriage
// returns, tabs, line feeds, '?' and '*' made '_'.
CString BuildFrameworkRegistryPath(LPCTSTR section, LPCTSTR profileName, LPCTSTR registryKey,
                                   LPCTSTR appProfileName);
// Replaces whatever archive the path held with the whole content of file.
bool SaveBlobToRegistry(CMemFile& file, LPCTSTR keyPath, HKEY root);
// Appends the stored bytes to file and rewinds it, only when everything agrees.
bool LoadBlobFromRegistry(CMemFile& file, LPCTSTR keyPath, HKEY root);
// Deletes every subkey of key, deepest first.
bool DeleteRegistrySubtree(HKEY key);

CString BuildCommandProfileKeyPath(LPCTSTR profileName, LPCTSTR registryKey,
                                   LPCTSTR appProfileName);
bool SaveCommandProfileBlob(CMemFile& file, LPCTSTR profileName, LPCTSTR registryKey,
                            LPCTSTR appProfileName);
bool LoadCommandProfileBlob(CMemFile& file, LPCTSTR profileName, LPCTSTR registryKey,
                            LPCTSTR appProfileName);
