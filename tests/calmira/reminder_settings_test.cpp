#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calmira/reminder_settings.h"
#include "support/memory_registry.h"

namespace {

using namespace calmira;

const std::string kDefault = "Won't you have a break to rest your eyes?";

class ReminderSettingsTest : public ::testing::Test {
protected:
    void StoreTarget(const std::string& model, const std::string& serial) {
        reg.WriteString("Display Name", "\\\\.\\DISPLAY1", 13, kCalmiraKey);
        reg.WriteString("Model Name", model.c_str(), static_cast<std::uint32_t>(model.size() + 1),
                        kCalmiraKey);
        reg.WriteString("Serial Num", serial.c_str(), static_cast<std::uint32_t>(serial.size() + 1),
                        kCalmiraKey);
    }
    void StoreByte(const char* name, std::uint8_t value) {
        reg.WriteBinary(name, &value, 1, kReminderKey);
    }

    std::vector<ReminderMonitor> Monitors() const {
        return {{"Monitor 1 (TQ6600W)", {"\\\\.\\DISPLAY1", "TQ6600W", "26114073"}},
                {"Monitor 2 (TQ3300W)", {"\\\\.\\DISPLAY2", "TQ3300W", "81200512"}}};
    }

    testing_support::MemoryRegistry store;
    CRegistry reg{&store};
};

TEST_F(ReminderSettingsTest, StoredValuesAreClampedAndDefaulted) {
    EXPECT_EQ(HoursFromStored(0), 1);
    EXPECT_EQ(HoursFromStored(30), 24);
    EXPECT_EQ(HoursFromStored(7), 7);

    ReminderSettings fresh = LoadReminderSettings(reg, kDefault);
    EXPECT_FALSE(fresh.on);
    EXPECT_EQ(fresh.hours, 1);
    EXPECT_EQ(fresh.message, kDefault);

    StoreTarget("TQ6600W", "26114073");
    StoreByte("On", 1);
    StoreByte("Hour", 30);
    reg.WriteString("Message", "", 1, kReminderKey);
    ReminderSettings loaded = LoadReminderSettings(reg, kDefault);
    EXPECT_TRUE(loaded.on);
    EXPECT_EQ(loaded.hours, 24);
    EXPECT_EQ(loaded.message, kDefault) << "an empty text would take the balloon down";
    EXPECT_EQ(loaded.target.modelName, "TQ6600W");
}

TEST_F(ReminderSettingsTest, AMessageFillingTheWholeBufferIsCutNotOverrun) {
    const std::string full(256, 'x');  // no terminating zero stored
    reg.WriteString("Message", full.data(), 256, kReminderKey);
    EXPECT_EQ(LoadReminderSettings(reg, kDefault).message, std::string(255, 'x'));
    const std::string longer(300, 'y');
    reg.WriteString("Message", longer.data(), 300, kReminderKey);
    EXPECT_EQ(LoadReminderSettings(reg, kDefault).message, kDefault) << "too long reads as absent";
}

TEST_F(ReminderSettingsTest, IntervalBoxFollowsTypingAndLeaving) {
    EXPECT_EQ(IntervalWhileTyping("30"), "24");
    EXPECT_EQ(IntervalWhileTyping("-3"), "0");
    EXPECT_EQ(IntervalWhileTyping("7"), "7");
    EXPECT_EQ(IntervalWhileTyping(""), "");
    EXPECT_EQ(IntervalWhileTyping("99999999999999"), "24");
    EXPECT_EQ(IntervalOnLeave(""), "1");
    EXPECT_EQ(IntervalOnLeave("0"), "1");
    EXPECT_EQ(IntervalOnLeave("007"), "7");
    EXPECT_EQ(IntervalOnLeave("30"), "24");
}

TEST_F(ReminderSettingsTest, DialogOpensOnTheStoredTargetOrOnItsOwnDisplay) {
    ReminderDialogStart none = OpenReminderDialog(reg, Monitors(), "\\\\.\\DISPLAY2", kDefault);
    EXPECT_FALSE(none.storedTargetFound);
    EXPECT_EQ(none.selection, 1) << "the monitor that shows the dialog";

    StoreTarget("TQ3300W", "81200512");
    StoreByte("On", 1);
    StoreByte("Hour", 0);
    ReminderDialogStart found = OpenReminderDialog(reg, Monitors(), "\\\\.\\DISPLAY1", kDefault);
    EXPECT_TRUE(found.storedTargetFound);
    EXPECT_EQ(found.selection, 1);
    EXPECT_TRUE(found.settings.on);
    EXPECT_EQ(found.settings.hours, 1);

    StoreTarget("TQ9999W", "1");
    ReminderDialogStart gone = OpenReminderDialog(reg, Monitors(), "\\\\.\\DISPLAY1", kDefault);
    EXPECT_FALSE(gone.storedTargetFound);
    EXPECT_FALSE(gone.settings.on);
    EXPECT_TRUE(gone.settings.target.modelName.empty()) << "the absent target is forgotten";
    EXPECT_EQ(gone.selection, 0);
}

TEST_F(ReminderSettingsTest, UntickingDeletesBothKeysOnlyForAFoundTarget) {
    StoreTarget("TQ9999W", "1");
    StoreByte("On", 1);
    ReminderDialogStart gone = OpenReminderDialog(reg, Monitors(), "", kDefault);
    SaveReminderDialog(reg, gone, false, Monitors()[0].target, "1", kDefault);
    EXPECT_TRUE(store.KeyExists(kReminderKey)) << "nothing deleted for an absent monitor";

    StoreTarget("TQ6600W", "26114073");
    ReminderDialogStart found = OpenReminderDialog(reg, Monitors(), "", kDefault);
    SaveReminderDialog(reg, found, false, Monitors()[0].target, "1", kDefault);
    // The memory registry refuses to delete a key with subkeys, as Windows does,
    // so Calmira is gone only when Reminder went first.
    EXPECT_FALSE(store.KeyExists(kReminderKey));
    EXPECT_FALSE(store.KeyExists(kCalmiraKey));
}

TEST_F(ReminderSettingsTest, TickingStoresTheTargetAndAClampedInterval) {
    StoreTarget("TQ6600W", "26114073");
    reg.WriteString("Stale", "x", 2, kReminderKey);
    ReminderDialogStart found = OpenReminderDialog(reg, Monitors(), "", kDefault);
    SaveReminderDialog(reg, found, true, Monitors()[1].target, "0", "Stretch!");
    EXPECT_EQ(store.Find(kReminderKey, "Stale"), nullptr) << "another monitor's settings go";
    ReminderSettings saved = LoadReminderSettings(reg, kDefault);
    EXPECT_EQ(saved.target.modelName, "TQ3300W");
    EXPECT_EQ(saved.target.displayName, "\\\\.\\DISPLAY2");
    EXPECT_TRUE(saved.on);
    EXPECT_EQ(saved.hours, 1) << "a 0 left in the box by Enter is stored as 1";
    EXPECT_EQ(saved.message, "Stretch!");
    const auto* hour = store.Find(kReminderKey, "Hour");
    ASSERT_NE(hour, nullptr);
    EXPECT_EQ(hour->type, platform::RegistryType::Binary);
    EXPECT_EQ(hour->data.size(), 1u);
    const auto* model = store.Find(kCalmiraKey, "Model Name");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->data.back(), 0) << "strings are stored with their zero";
}

TEST_F(ReminderSettingsTest, OnlyTheSameModelAndSerialKeepWhatTheReminderKeyHolds) {
    struct Case {
        const char* what;
        ReminderTarget target;
        bool kept;
    };
    const Case cases[] = {
        {"the same monitor", {"\\\\.\\DISPLAY1", "TQ6600W", "26114073"}, true},
        {"same model, another serial", {"\\\\.\\DISPLAY3", "TQ6600W", "1"}, false},
        {"another model, same serial", {"\\\\.\\DISPLAY3", "TQ1000W", "26114073"}, false},
    };
    for (const Case& c : cases) {
        StoreTarget("TQ6600W", "26114073");
        reg.WriteString("Stale", "x", 2, kReminderKey);
        const ReminderDialogStart found = OpenReminderDialog(reg, Monitors(), "", kDefault);
        ASSERT_TRUE(found.storedTargetFound) << c.what;
        SaveReminderDialog(reg, found, true, c.target, "2", "Stretch!");
        EXPECT_EQ(store.Find(kReminderKey, "Stale") != nullptr, c.kept) << c.what;
        EXPECT_EQ(LoadReminderSettings(reg, kDefault).target.serialNumber, c.target.serialNumber)
            << c.what;
    }
}

TEST_F(ReminderSettingsTest, ATargetIsFoundOnlyByModelAndSerialTogether) {
    // Another monitor of the same model, or another model with the same serial
    // number, is not the monitor the reminder was set for.
    StoreTarget("TQ6600W", "81200512");
    StoreByte("On", 1);
    ReminderDialogStart mixed = OpenReminderDialog(reg, Monitors(), "\\\\.\\DISPLAY2", kDefault);
    EXPECT_FALSE(mixed.storedTargetFound);
    EXPECT_FALSE(mixed.settings.on);
    EXPECT_EQ(mixed.selection, 1) << "the monitor that shows the dialog";
}

}  // namespace
