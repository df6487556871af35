#pragma once
// The break reminder's stored settings: which monitor it is for, whether it is on,
// its interval and its text. Kept under Calmira (the target) and Calmira\Reminder.
#include <cstdint>
#include <string>
#include <vector>

#include "shell/registry.h"

namespace calmira {

inline constexpr const char* kCalmiraKey =
    "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x\\Calmira";
inline constexpr const char* kReminderKey =
    "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x\\Calmira\\Reminder";

inline constexpr int kMinHours = 1;
inline constexpr int kMaxHours = 24;
// Longest message in bytes of the ANSI code page, without the terminating zero.
inline constexpr std::size_t kMaxMessageBytes = 255;

struct ReminderTarget {
    std::string displayName;
    std::string modelName;
    std::string serialNumber;
};

struct ReminderSettings {
    ReminderTarget target;
    bool on = false;
    int hours = kMinHours;
    std::string message;
};

// A stored interval byte: 0 reads as 1 hour, anything above 24 as 24.
int HoursFromStored(std::uint8_t stored);

// Reads both keys. Absent values keep their defaults; an absent or empty message
// is the default text (an empty balloon would remove the balloon instead).
ReminderSettings LoadReminderSettings(CRegistry& registry, const std::string& defaultMessage);

// The interval box while the user types: below 0 becomes "0", above 24 "24";
// anything else stays as typed. Returns the text the box must show.
std::string IntervalWhileTyping(const std::string& text);
// The interval box when it loses the focus: 0 or less becomes "1", above 24 "24",
// always as a plain decimal number.
std::string IntervalOnLeave(const std::string& text);
// The interval a text stands for, within 1 to 24.
int HoursFromText(const std::string& text);

// A monitor as the Calmira dialog offers it.
struct ReminderMonitor {
    std::string label;  // "Monitor 1 (TQ6600W)"
    ReminderTarget target;
};

// What the Calmira dialog shows when it opens.
struct ReminderDialogStart {
    ReminderSettings settings;  // target texts forgotten when the monitor is gone
    bool storedTargetFound = false;
    int selection = 0;  // entry of the monitor list; -1 with no monitors
};

// `dialogDisplay` is the display device the dialog appears on; the monitor there
// is proposed when no target is stored.
ReminderDialogStart OpenReminderDialog(CRegistry& registry,
                                       const std::vector<ReminderMonitor>& monitors,
                                       const std::string& dialogDisplay,
                                       const std::string& defaultMessage);

// "&Close": stores the choice. `opened` is what OpenReminderDialog returned.
void SaveReminderDialog(CRegistry& registry, const ReminderDialogStart& opened, bool ticked,
                        const ReminderTarget& target, const std::string& intervalText,
                        const std::string& message);

}  // namespace calmira
