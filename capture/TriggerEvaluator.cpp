#include "capture/TriggerEvaluator.h"

#include <algorithm>

#include "capture/LocalTime.h"

LONGLONG CSystemTriggerClock::Now()
{
    return GetCalendarSeconds();
}

CTriggerEvaluator::CTriggerEvaluator(const CCaptureSettings& settings, ITriggerClock& clock,
                                     ITriggerActionSink& actions)
    : m_settings(settings), m_clock(clock), m_actions(actions)
{
}

void CTriggerEvaluator::ResetTriggers()
{
    m_triggerTimes.clear();
    if (!m_settings.triggersEnabled)
        return;
    const LONGLONG now = m_clock.Now();
    for (const CPacketTriggerEntry& trigger : m_settings.triggers) {
        const bool armed =
            trigger.kind == TRIGGER_NO_PACKET || trigger.kind == TRIGGER_COMMUNICATION_BREAK;
        m_triggerTimes.push_back(armed ? now : 0);
    }
}

void CTriggerEvaluator::EvaluateTriggers(const CPacketRecord& record)
{
    if (!m_settings.triggersEnabled)
        return;
    const std::span<const BYTE> datagram(record.datagram.GetData(), record.datagram.GetSize());
    // The stamps belong to the list as it was when the capture started.
    const size_t count = std::min(m_settings.triggers.size(), m_triggerTimes.size());
    for (size_t i = 0; i < count; ++i) {
        const CPacketTriggerEntry& trigger = m_settings.triggers[i];
        if (!trigger.enabled || !trigger.Match(datagram))
            continue;
        if (TakePacket(i, m_clock.Now()))
            return;
    }
}

bool CTriggerEvaluator::TakePacket(size_t index, LONGLONG now)
{
    const CPacketTriggerEntry& trigger = m_settings.triggers[index];
    LONGLONG& stamp = m_triggerTimes[index];
    switch (trigger.kind) {
    case TRIGGER_PACKET_DETECTED:
        if (stamp != 0)
            return false;
        m_actions.RunTriggerAction(trigger);
        if (trigger.firstTimeOnly)
            stamp = now;
        return true;
    case TRIGGER_NO_PACKET:
        if (stamp == 0)
            return false;
        stamp = now;
        return true;
    case TRIGGER_COMMUNICATION_START:
        if (stamp == 0)
            m_actions.RunTriggerAction(trigger);
        stamp = now;
        return true;
    case TRIGGER_COMMUNICATION_BREAK:
        if (stamp == 0 && trigger.firstTimeOnly)
            return false;
        stamp = now;
        return true;
    default:
        // A kind no version of the program writes: it takes nothing.
        return false;
    }
}

bool CTriggerEvaluator::IsQuiet(size_t index, LONGLONG now) const
{
    // Negative seconds count as 0; 64-bit arithmetic cannot overflow with a 32-bit time.
    const LONGLONG seconds = std::max(m_settings.triggers[index].seconds, 0);
    return m_triggerTimes[index] <= now - seconds;
}

void CTriggerEvaluator::OnTriggerTimer()
{
    if (!m_settings.triggersEnabled)
        return;
    const LONGLONG now = m_clock.Now();
    const size_t count = std::min(m_settings.triggers.size(), m_triggerTimes.size());
    for (size_t i = 0; i < count; ++i) {
        const CPacketTriggerEntry& trigger = m_settings.triggers[i];
        LONGLONG& stamp = m_triggerTimes[i];
        if (!trigger.enabled || trigger.kind == TRIGGER_PACKET_DETECTED || stamp == 0 ||
            !IsQuiet(i, now))
            continue;
        switch (trigger.kind) {
        case TRIGGER_NO_PACKET:
            m_actions.RunTriggerAction(trigger);
            stamp = trigger.firstTimeOnly ? 0 : now;
            break;
        case TRIGGER_COMMUNICATION_START:
            if (!trigger.firstTimeOnly)
                stamp = 0;
            break;
        case TRIGGER_COMMUNICATION_BREAK:
            m_actions.RunTriggerAction(trigger);
            stamp = 0;
            break;
        default:
            break;
        }
    }
}
