// The packet triggers at work: each trigger keeps one time stamp (whole seconds of calendar
// time, 0 for none), and its kind is a small state machine over it, driven by the matching
// packets and by a timer. A fired trigger goes to the action sink; the time comes from a clock,
// so both can be replaced in tests.
#pragma once
#include <vector>

#include "capture/CaptureSettings.h"
#include "capture/PacketRecord.h"

class ITriggerClock
{
public:
    virtual ~ITriggerClock() = default;
    // Whole seconds of calendar time.
    virtual LONGLONG Now() = 0;
};

class ITriggerActionSink
{
public:
    virtual ~ITriggerActionSink() = default;
    virtual void RunTriggerAction(const CPacketTriggerEntry& trigger) = 0;
};

// The calendar time of the machine.
class CSystemTriggerClock : public ITriggerClock
{
public:
    LONGLONG Now() override;
};

class CTriggerEvaluator
{
public:
    CTriggerEvaluator(const CCaptureSettings& settings, ITriggerClock& clock,
                      ITriggerActionSink& actions);

    // At the start of a capture: one stamp per trigger (now for kinds 1 and 3, else 0), none
    // with the trigger switch off.
    void ResetTriggers();
    // A captured packet, offered to the first enabled, matching trigger whose state is live.
    void EvaluateTriggers(const CPacketRecord& record);
    // The timer: quiet triggers of kinds 1 to 3 act.
    void OnTriggerTimer();

    const std::vector<LONGLONG>& GetTriggerTimes() const { return m_triggerTimes; }

private:
    // Whether the packet ends the walk.
    bool TakePacket(size_t index, LONGLONG now);
    bool IsQuiet(size_t index, LONGLONG now) const;

    const CCaptureSettings& m_settings;
    ITriggerClock& m_clock;
    ITriggerActionSink& m_actions;
    std::vector<LONGLONG> m_triggerTimes;
};
