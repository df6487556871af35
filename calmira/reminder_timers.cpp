#include "calmira/reminder_timers.h"

namespace calmira {

void CReminderTimers::Run(std::uint32_t id, std::uint32_t milliseconds) {
    m_port.StartTimer(id, milliseconds);
    m_running |= 1u << id;
}

void CReminderTimers::Stop(std::uint32_t id) {
    if (!IsRunning(id)) return;
    m_port.StopTimer(id);
    m_running &= ~(1u << id);
}

void CReminderTimers::Start(const ReminderSettings& settings) {
    m_on = settings.on;
    m_hours = settings.hours;
    m_paused = false;
    m_deferred = false;
    if (!m_on) return;
    Run(kTimerReminder, Period());
    Run(kTimerScreenSaverWatch, kWatchMs);
}

void CReminderTimers::DialogClosed(const ReminderSettings& before, const ReminderSettings& now) {
    m_hours = now.hours;
    if (now.on && before.on) {
        // An unchanged reminder keeps its running interval.
        if (now.target.modelName != before.target.modelName ||
            now.target.serialNumber != before.target.serialNumber || now.hours != before.hours) {
            if (!m_paused) Run(kTimerReminder, Period());
        }
        if (!IsRunning(kTimerScreenSaverWatch)) Run(kTimerScreenSaverWatch, kWatchMs);
    } else if (now.on) {
        Run(kTimerReminder, Period());
        m_paused = false;
        Run(kTimerScreenSaverWatch, kWatchMs);
    } else if (before.on) {
        Stop(kTimerReminder);
        Stop(kTimerScreenSaverWatch);
        m_paused = false;
        m_deferred = false;
    }
    m_on = now.on;
}

bool CReminderTimers::OnReminderTimer(bool lockBusy) {
    // Only a running timer 13 counts; a stray message must not bring a reminder.
    if (!m_on || !IsRunning(kTimerReminder)) return false;
    if (lockBusy) {
        m_deferred = true;
        return false;
    }
    m_deferred = false;
    return true;
}

bool CReminderTimers::OnWatchTimer(bool screenSaverRunning, bool lockBusy) {
    if (!m_on || !IsRunning(kTimerScreenSaverWatch)) return false;
    if (screenSaverRunning) {
        if (!m_paused) {
            Stop(kTimerReminder);
            m_paused = true;
            // The reminder comes one full interval after the screen saver ends.
            m_deferred = false;
        }
        return false;
    }
    if (m_paused) {
        Run(kTimerReminder, Period());
        m_paused = false;
    }
    if (m_deferred && !lockBusy) {
        m_deferred = false;
        return true;
    }
    return false;
}

void CReminderTimers::BalloonShown() {
    Run(kTimerBalloon, kBalloonMs);
}

bool CReminderTimers::OnBalloonTimer() {
    if (!IsRunning(kTimerBalloon)) return false;
    Stop(kTimerBalloon);
    return true;
}

void CReminderTimers::Suspend() {
    if (!m_on) return;
    Stop(kTimerReminder);
    m_deferred = false;
}

void CReminderTimers::Resume() {
    if (!m_on) return;
    Run(kTimerReminder, Period());
    m_paused = false;
}

void CReminderTimers::StopAll() {
    Stop(kTimerReminder);
    Stop(kTimerScreenSaverWatch);
    Stop(kTimerBalloon);
    m_paused = false;
    m_deferred = false;
}

}  // namespace calmira
