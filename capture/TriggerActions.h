// What a fired trigger does: copy the newest rolling packet log into the trigger's directory
// (under the log's own name, replacing a copy made earlier in the same slot), then ask the shell
// to open its program with its arguments. Neither reports a failure.
#pragma once
#include "capture/CaptureSettings.h"
#include "capture/TriggerEvaluator.h"

// The full path of the newest file (latest last write; the first found of equal ones) matching
// the auto-save directory, "\", the file head and "*.qvp"; empty with the rolling log off or
// when none matches.
CString FindLatestLog(const CCaptureSettings& settings);

class CTriggerActions : public ITriggerActionSink
{
public:
    // owner: the window the shell may show its messages over (nullptr for none).
    CTriggerActions(const CCaptureSettings& settings, HWND owner);

    void RunTriggerAction(const CPacketTriggerEntry& trigger) override;

private:
    const CCaptureSettings& m_settings;
    HWND m_owner;
};
