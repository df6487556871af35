#pragma once
// The timers of the break reminder, owned by the main window: 13 brings the
// reminder every interval, 16 watches for a running screen saver every second
// and 15 takes the balloon down again. This object decides which run; the
// window only starts and stops them.
#include <cstdint>

#include "calmira/reminder_settings.h"

namespace calmira {

inline constexpr std::uint32_t kTimerReminder = 13;
inline constexpr std::uint32_t kTimerBalloon = 15;
inline constexpr std::uint32_t kTimerScreenSaverWatch = 16;
inline constexpr std::uint32_t kBalloonMs = 10000;
inline constexpr std::uint32_t kWatchMs = 1000;
inline constexpr std::uint32_t kMsPerHour = 3600000;

class ReminderTimerPort {
public:
    virtual ~ReminderTimerPort() = default;
    // Starting a running timer restarts its period.
    virtual void StartTimer(std::uint32_t id, std::uint32_t milliseconds) = 0;
    virtual void StopTimer(std::uint32_t id) = 0;
};

class CReminderTimers {
public:
    explicit CReminderTimers(ReminderTimerPort& port) : m_port(port) {}

    // Start-up. A reminder that is on runs whether or not its monitor is
    // connected now: the reminder itself skips an absent monitor, and one
    // plugged in later must still be reminded.
    void Start(const ReminderSettings& settings);
    // The Calmira dialog closed; `now` was reloaded from the registry.
    void DialogClosed(const ReminderSettings& before, const ReminderSettings& now);

    // Timer 13 fired. True when the reminder is due now. `lockBusy` means
    // another piece of work holds the monitor lock (a message loop inside it is
    // running this timer): the reminder then waits for the next watch tick.
    bool OnReminderTimer(bool lockBusy);
    // Timer 16 fired. True when a reminder put off by a busy lock is due now.
    bool OnWatchTimer(bool screenSaverRunning, bool lockBusy);
    void BalloonShown();
    // Timer 15 fired; true when the balloon is up and must be taken down.
    bool OnBalloonTimer();
    void Suspend();
    void Resume();
    // Main window destroyed or session ending.
    void StopAll();

    bool IsRunning(std::uint32_t id) const { return id < 32 && (m_running & (1u << id)) != 0; }
    // Bit n set while timer n runs.
    std::uint32_t RunningMask() const { return m_running; }
    bool IsPaused() const { return m_paused; }
    bool IsOn() const { return m_on; }

private:
    void Run(std::uint32_t id, std::uint32_t milliseconds);
    void Stop(std::uint32_t id);
    std::uint32_t Period() const { return static_cast<std::uint32_t>(m_hours) * kMsPerHour; }

    ReminderTimerPort& m_port;
    bool m_on = false;
    int m_hours = kMinHours;
    bool m_paused = false;
    bool m_deferred = false;
    std::uint32_t m_running = 0;
};

}  // namespace calmira
