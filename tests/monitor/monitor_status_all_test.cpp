// The current-monitor choice over the records.
#include "monitor/monitor_status_all.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Records {
    // Handles the records refer to, as the discovery entries would hold them.
    platform::PhysicalMonitorHandle handles[8] = {101, 102, 103, 104, 105, 106, 107, 108};
    CMonitorStatusAll all;

    explicit Records(const std::vector<std::int32_t>& orderKeys) {
        for (std::size_t i = 0; i < orderKeys.size(); ++i) {
            auto record = std::make_unique<CMonitorStatus>();
            record->m_nOrderKey = orderKeys[i];
            record->m_phPhysicalMonitor = &handles[i];
            all.Add(std::move(record));
        }
    }
};

TEST(MonitorStatusAll, FirstMonitorIsTheLowestOrderKey) {
    struct Case {
        std::vector<std::int32_t> keys;
        int current;
    };
    const Case cases[] = {
        {{20, 10}, 1},            // displays 2 and 1, enumerated in that order
        {{11, 12}, 0},            // two physical monitors of display 1
        {{30, 10, 10}, 1},        // the first of equal keys wins
        {{0xFFFF, 0x10000}, -1},  // keys of 0xFFFF and above never win
        {{-10, 40}, 1},           // compared unsigned: a negative key is huge
        {{}, -1},
    };
    for (const Case& c : cases) {
        Records records(c.keys);
        records.all.m_nCurMonitor = 5;
        EXPECT_EQ(records.all.SelectFirstMonitor(), static_cast<int>(c.keys.size()));
        EXPECT_EQ(records.all.m_nCurMonitor, c.current);
        if (c.current < 0) {
            EXPECT_EQ(records.all.m_hCurMonitor, nullptr);
            EXPECT_EQ(records.all.Current(), nullptr);
        } else {
            EXPECT_EQ(records.all.m_hCurMonitor, &records.handles[c.current]);
            EXPECT_EQ(records.all.Current(), records.all.At(c.current));
        }
    }
}

TEST(MonitorStatusAll, SelectMonitorOutOfRangeChangesNothing) {
    Records records({20, 10, 30});
    records.all.SelectFirstMonitor();
    for (int index : {3, 4, -1}) {
        records.all.SelectMonitor(index);
        EXPECT_EQ(records.all.m_nCurMonitor, 1);
        EXPECT_EQ(records.all.m_hCurMonitor, &records.handles[1]);
    }
    records.all.SelectMonitor(2);
    EXPECT_EQ(records.all.m_nCurMonitor, 2);
    EXPECT_EQ(records.all.m_hCurMonitor, &records.handles[2]);
    EXPECT_EQ(records.all.At(3), nullptr);
    EXPECT_EQ(records.all.At(-1), nullptr);
}

TEST(MonitorStatusAll, ClearLeavesNoCurrentMonitorBehind) {
    Records records({10, 20});
    records.all.SelectFirstMonitor();
    records.all.Clear();
    EXPECT_EQ(records.all.Count(), 0);
    EXPECT_EQ(records.all.m_nCurMonitor, -1);
    EXPECT_EQ(records.all.m_hCurMonitor, nullptr);
    EXPECT_EQ(records.all.Current(), nullptr);
}

TEST(MonitorStatusAll, CombinedModeMaskIsTheUnionOfAllMonitors) {
    Records records({10, 20});
    records.all.At(0)->m_ModeInfo.words[ModeInfoBlock::kModeMaskLow] = 0x3;
    records.all.At(1)->m_ModeInfo.words[ModeInfoBlock::kModeMaskLow] = 0x20000;
    records.all.At(1)->m_ModeInfo.words[ModeInfoBlock::kModeMaskHigh] = 0x8000;
    EXPECT_EQ(records.all.CombinedModeMask(), 0x0000800000020003ull);
}

TEST(MonitorStatus, NewRecordHasNoModeAndNoMatchData) {
    const CMonitorStatus record;
    EXPECT_EQ(record.m_nRecordedMode, -1);
    EXPECT_EQ(record.m_phPhysicalMonitor, nullptr);
    EXPECT_EQ(record.m_pTransWnd, nullptr);
    EXPECT_EQ(record.m_Match.candidate, 0);
    EXPECT_EQ(record.m_Match.redPrimary.valid, 0);
    EXPECT_EQ(record.m_Match.estimatedMaxLuminance, 0.0);
    EXPECT_EQ(record.m_ModeInfo.ModeMask(), 0u);
}

}  // namespace
