#include "capture/CaptureSettings.h"

#include "core/PathHelpers.h"
#include "platform/RegistryProfile.h"

namespace {

const char kSection[] = "PKT";

struct RegistryValue
{
    const char* key;
    int CCaptureSettings::*field;
};

const RegistryValue kRegistryValues[] = {
    {"SELFILTER", &CCaptureSettings::displayMode},
    {"TEXTCODE", &CCaptureSettings::textCode},
    {"ENTRIGGER", &CCaptureSettings::triggersEnabled},
};

struct BuiltInRule
{
    const char* name;
    unsigned port;
    COLORREF textColor;
    COLORREF backColor;
};

// Each port gives two rules: as the source port, then as the destination port.
const BuiltInRule kBuiltInRules[] = {
    {"NBNS", 137, 0x880000, 0xFFCCCC}, {"NBNS", 138, 0x880000, 0xFFCCCC},
    {"NBNS", 139, 0x880000, 0xFFCCCC}, {"SMB", 445, 0x888800, 0xFFFFCC},
    {"HTTP", 80, 0x008800, 0xCCFFCC},  {"POP3", 110, 0x008800, 0xCCFFCC},
    {"SMTP", 25, 0x008800, 0xCCFFCC},  {"DNS", 53, 0x008800, 0xCCFFCC},
};

CString CurrentDirectory()
{
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDir(MAX_PATH, buffer);
    return CString(buffer, static_cast<int>(length));
}

CString InCurrentDirectory(const char* name)
{
    return CurrentDirectory() + "\\" + name;
}

} // namespace

CCaptureSettings::CCaptureSettings(std::vector<DWORD> hostAddresses)
    : addresses(std::move(hostAddresses)),
      selectedAddress(addresses.empty() ? -1 : 0),
      autoSaveDirectory(CurrentDirectory())
{
}

void CCaptureSettings::Load(CRegistryProfile& profile)
{
    colorFilters.clear();
    if (!LoadFilterFile(InCurrentDirectory("default.qvc"), colorFilters))
        colorFilters = MakeBuiltInColorFilters();
    triggers.clear();
    LoadTriggerFile(InCurrentDirectory("default.qvt"), triggers);
    for (const RegistryValue& value : kRegistryValues)
        this->*value.field = static_cast<int>(profile.GetProfileInt(kSection, value.key, 0));
}

void CCaptureSettings::Save(CRegistryProfile& profile) const
{
    SaveFilterFile(InCurrentDirectory("default.qvc"), colorFilters);
    SaveTriggerFile(InCurrentDirectory("default.qvt"), triggers);
    for (const RegistryValue& value : kRegistryValues)
        profile.WriteProfileInt(kSection, value.key, this->*value.field);
}

std::vector<CPacketFilterEntry> MakeBuiltInColorFilters()
{
    std::vector<CPacketFilterEntry> rules;
    for (const BuiltInRule& rule : kBuiltInRules) {
        CPacketFilterEntry entry;
        entry.name = rule.name;
        entry.checked = 1;
        entry.textColor = rule.textColor;
        entry.backColor = rule.backColor;
        entry.sourcePort = StoredPort(rule.port);
        rules.push_back(entry);
        entry.sourcePort = 0;
        entry.destPort = StoredPort(rule.port);
        rules.push_back(entry);
    }
    return rules;
}
