// The profile's usage statistics as a stream, and that stream in the registry.
#include <utility>
#include <vector>

#include "framework/commands/CmdManager.h"
#include "framework/commands/CmdProfile.h"
#include "framework/commands/RegistryArchiver.h"
#include "platform/Archive.h"
#include "platform/Exceptions.h"
#include "platform/MemFile.h"

namespace {

const UINT kStreamGrowth = 1024;

CString StreamHeader()
{
    CString header;
    header.Format("Dock-Mere (v. %s) command profile",
                  CExtCmdManager::FormatFrameworkVersion('.').GetString());
    return header;
}

} // namespace

bool CExtCmdProfile::SerializeState(CArchive& ar)
{
    try {
        if (ar.IsStoring()) {
            ar << StreamHeader();
            ar << CExtCmdManager::GetFrameworkVersion(false)
               << CExtCmdManager::GetFrameworkVersion(true);
            for (int reserved = 0; reserved < 4; ++reserved)
                ar << DWORD(0);
            ar << DWORD(m_nTotalTickCount);
            ForEachCommand([&](const CExtCmdItem& command) {
                if (command.IsStoredInState())
                    ar << DWORD(command.m_nCmdID) << DWORD(command.m_nUsageCount);
            });
            ar << DWORD(0);
            return true;
        }
        CString header;
        DWORD fullVersion = 0;
        DWORD shortVersion = 0;
        ar >> header >> fullVersion >> shortVersion;
        if (shortVersion != CExtCmdManager::GetFrameworkVersion(true))
            return false;
        for (int reserved = 0; reserved < 4; ++reserved) {
            DWORD skipped = 0;
            ar >> skipped;
        }
        DWORD total = 0;
        ar >> total;
        // The whole stream is read and checked before anything of it is applied, so a stream
        // that ends early or names a command this profile lacks leaves the profile as it was.
        std::vector<std::pair<CExtCmdItem*, DWORD>> counts;
        for (;;) {
            DWORD id = 0;
            ar >> id;
            if (id == 0)
                break;
            DWORD count = 0;
            ar >> count;
            CExtCmdItem* command = FindCommand(id);
            if (!command)
                return false;
            counts.emplace_back(command, count);
        }
        m_nTotalTickCount = total;
        for (const auto& [command, count] : counts)
            command->m_nUsageCount = count;
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool CExtCmdProfile::PersistState(LPCTSTR registryKey, LPCTSTR appProfileName, bool save)
{
    try {
        CMemFile file(kStreamGrowth);
        if (save) {
            CArchive ar(&file, CArchive::store);
            if (!SerializeState(ar))
                return false;
            ar.Close();
            file.SeekToBegin();
            return SaveCommandProfileBlob(file, m_sName, registryKey, appProfileName);
        }
        if (!LoadCommandProfileBlob(file, m_sName, registryKey, appProfileName))
            return false;
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        return SerializeState(ar);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}
