// CCaptureSettings: what the packet-capture window is configured with. Three values live in the
// registry section PKT (SELFILTER, TEXTCODE, ENTRIGGER), the colour-filter and trigger lists in
// "default.qvc" and "default.qvt" in the current directory of the moment; the rest lasts only as
// long as the object.
#pragma once
#include <vector>

#include "capture/PacketFilterEntry.h"
#include "capture/PacketTriggerEntry.h"
#include "platform/String.h"

class CRegistryProfile;

enum AutoSaveMode
{
    CAPTURE_AUTO_SAVE_OFF = 0,
    CAPTURE_AUTO_SAVE_HOURLY = 1,
    CAPTURE_AUTO_SAVE_TEN_MINUTES = 2,
};

class CCaptureSettings
{
public:
    // The host's addresses (network byte order), the first selected; the rolling log in the
    // current directory with the head "AUTOCAP", off.
    explicit CCaptureSettings(std::vector<DWORD> hostAddresses);

    // The two files (the sixteen built-in colour rules when "default.qvc" cannot be read, an
    // empty trigger list when "default.qvt" cannot) and the three registry values.
    void Load(CRegistryProfile& profile);
    // The two files and the three registry values; the files' results are not checked.
    void Save(CRegistryProfile& profile) const;

    std::vector<DWORD> addresses;
    int displayMode = 0;
    int selectedAddress = -1;
    int textCode = 0;
    int triggersEnabled = 0;
    CString autoSaveDirectory;
    CString fileHead = "AUTOCAP";
    int autoSaveMode = CAPTURE_AUTO_SAVE_OFF;
    int clearOnNewFile = 0;
    std::vector<CPacketFilterEntry> colorFilters;
    std::vector<CPacketTriggerEntry> triggers;
};

// The colour rules used when "default.qvc" cannot be read.
std::vector<CPacketFilterEntry> MakeBuiltInColorFilters();

// The host's IPv4 addresses as its name resolves (network byte order); empty when the name
// cannot be read or resolved. Winsock must be started.
std::vector<DWORD> FindHostAddresses();
