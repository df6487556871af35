#include "calmira/reminder_settings.h"

#include <cstring>

#include "calmira/decimal_text.h"

namespace calmira {

namespace {

// Every reminder value is read into a buffer of this size, whatever its type.
constexpr std::uint32_t kValueBufferSize = 256;

// A stored string that fills the whole buffer carries no terminating zero; the
// text ends at the buffer's last byte instead of running past it.
bool ReadText(CRegistry& registry, const char* valueName, const char* keyPath, std::string* text) {
    char buffer[kValueBufferSize] = {};
    if (!registry.ReadValue(valueName, buffer, kValueBufferSize, keyPath)) return false;
    buffer[kValueBufferSize - 1] = '\0';
    *text = buffer;
    return true;
}

bool ReadFirstByte(CRegistry& registry, const char* valueName, std::uint8_t* byte) {
    std::uint8_t buffer[kValueBufferSize] = {};
    if (!registry.ReadValue(valueName, buffer, kValueBufferSize, kReminderKey)) return false;
    *byte = buffer[0];
    return true;
}

void WriteText(CRegistry& registry, const char* valueName, const std::string& text,
               const char* keyPath) {
    registry.WriteString(valueName, text.c_str(), static_cast<std::uint32_t>(text.size() + 1),
                         keyPath);
}

ReminderTarget ReadTarget(CRegistry& registry) {
    ReminderTarget target;
    ReadText(registry, "Display Name", kCalmiraKey, &target.displayName);
    ReadText(registry, "Model Name", kCalmiraKey, &target.modelName);
    ReadText(registry, "Serial Num", kCalmiraKey, &target.serialNumber);
    return target;
}

// On, interval and message as stored, with their defaults.
void ReadReminder(CRegistry& registry, const std::string& defaultMessage,
                  ReminderSettings* settings) {
    std::uint8_t byte = 0;
    settings->on = ReadFirstByte(registry, "On", &byte) && byte != 0;
    settings->hours = ReadFirstByte(registry, "Hour", &byte) ? HoursFromStored(byte) : kMinHours;
    if (!ReadText(registry, "Message", kReminderKey, &settings->message) ||
        settings->message.empty()) {
        settings->message = defaultMessage;
    }
}

}  // namespace

int HoursFromStored(std::uint8_t stored) {
    if (stored < kMinHours) return kMinHours;
    if (stored > kMaxHours) return kMaxHours;
    return stored;
}

ReminderSettings LoadReminderSettings(CRegistry& registry, const std::string& defaultMessage) {
    ReminderSettings settings;
    settings.target = ReadTarget(registry);
    ReadReminder(registry, defaultMessage, &settings);
    return settings;
}

std::string IntervalWhileTyping(const std::string& text) {
    const std::int32_t value = ParseDecimal(text);
    if (value < 0) return "0";
    if (value > kMaxHours) return std::to_string(kMaxHours);
    return text;
}

std::string IntervalOnLeave(const std::string& text) {
    return std::to_string(HoursFromText(text));
}

int HoursFromText(const std::string& text) {
    const std::int32_t value = ParseDecimal(text);
    if (value < kMinHours) return kMinHours;
    if (value > kMaxHours) return kMaxHours;
    return value;
}

ReminderDialogStart OpenReminderDialog(CRegistry& registry,
                                       const std::vector<ReminderMonitor>& monitors,
                                       const std::string& dialogDisplay,
                                       const std::string& defaultMessage) {
    ReminderDialogStart start;
    start.settings.target = ReadTarget(registry);
    const ReminderTarget& stored = start.settings.target;
    int storedIndex = -1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].target.modelName == stored.modelName &&
            monitors[i].target.serialNumber == stored.serialNumber) {
            storedIndex = static_cast<int>(i);
            break;
        }
    }
    // An empty stored target never counts as found, even if a monitor reported
    // empty identity texts.
    if (stored.modelName.empty() || stored.serialNumber.empty()) storedIndex = -1;

    if (storedIndex >= 0) {
        ReadReminder(registry, defaultMessage, &start.settings);
        start.storedTargetFound = true;
        start.selection = storedIndex;
    } else {
        start.settings = ReminderSettings();
        start.settings.message = defaultMessage;
        start.selection = monitors.empty() ? -1 : 0;
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            if (monitors[i].target.displayName == dialogDisplay) {
                start.selection = static_cast<int>(i);
                break;
            }
        }
    }
    return start;
}

void SaveReminderDialog(CRegistry& registry, const ReminderDialogStart& opened, bool ticked,
                        const ReminderTarget& target, const std::string& intervalText,
                        const std::string& message) {
    const ReminderTarget& stored = opened.settings.target;
    if (ticked) {
        // Settings of another monitor must not carry over to this one.
        if (stored.modelName != target.modelName || stored.serialNumber != target.serialNumber) {
            registry.DeleteSubkey("Reminder", kCalmiraKey);
        }
        WriteText(registry, "Display Name", target.displayName, kCalmiraKey);
        WriteText(registry, "Model Name", target.modelName, kCalmiraKey);
        WriteText(registry, "Serial Num", target.serialNumber, kCalmiraKey);
        const std::uint8_t on = 1;
        registry.WriteBinary("On", &on, 1, kReminderKey);
        // Enter on "&Close" does not move the focus, so the box may still hold
        // what was typed; the stored interval is always 1 to 24.
        const auto hours = static_cast<std::uint8_t>(HoursFromText(intervalText));
        registry.WriteBinary("Hour", &hours, 1, kReminderKey);
        std::string text = message.substr(0, kMaxMessageBytes);
        WriteText(registry, "Message", text, kReminderKey);
    } else if (opened.storedTargetFound) {
        // The deeper key first: a key that still has subkeys cannot be deleted.
        registry.DeleteSubkey("Reminder", kCalmiraKey);
        registry.DeleteSubkey("Calmira", kVistrelRootKey);
    }
}

}  // namespace calmira
