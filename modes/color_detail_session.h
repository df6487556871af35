#pragma once
// The colour detail dialog's work on its monitor: the adjustment handshake (page
// 0xE0 code 0xE3), loading and the backup, every slider move with what the
// monitor changes in answer, "&Reset", OK and Cancel. The session keeps the
// monitor it was opened with, whatever becomes current meanwhile, and what each
// slider should show; the window only copies those values to its controls.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/monitor_color.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status.h"

enum class DetailSlider { Temperature, Brightness, Contrast, Gamma, Red, Green, Blue };
inline constexpr int kDetailSliderCount = 7;

// What one slider and its value text show.
struct DetailSliderView {
    bool enabled = false;
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    int pageSize = 1;
    std::string text;

    bool operator==(const DetailSliderView&) const = default;
};

class CColorDetailSession {
public:
    // `color` is the colour page's snapshot, which the dialog keeps up to date.
    CColorDetailSession(MonitorList& list, const CMonitorStatus& record, CMonitorColor& color);

    // Reads the monitor once the dialog shows; the first load keeps the backup
    // that Cancel puts back. False when the monitor does not allow adjustment:
    // the dialog then ends with 0.
    bool Load();
    // "&Reset": the monitor's factory colours, read again; the backup stays. False
    // as for Load.
    bool Reset();
    // A slider was moved. False when the monitor did not take it: the view keeps
    // the last accepted position, where the slider goes back.
    bool Move(DetailSlider slider, int position);
    // OK and Cancel end the adjustment; Cancel first puts the backup back. Both do
    // nothing before the first load.
    bool Ok();
    bool Cancel();
    // The dialog is going away, however it ended: the monitor leaves the adjusting
    // state.
    void Close();

    bool Loaded() const { return m_bLoaded; }
    const CMonitorStatus& Record() const { return m_record; }
    const CMonitorColor& Backup() const { return m_backup; }
    const DetailSliderView& View(DetailSlider slider) const { return m_views[Index(slider)]; }
    bool ResetEnabled() const { return m_bResetEnabled; }
    // Inputs of the colour bar's picture.
    bool TemperatureAdjustable() const;
    bool UserPresetInUse() const;
    // True once after the colour bar's picture may have changed.
    bool TakeColorBarChange();

private:
    static std::size_t Index(DetailSlider slider) { return static_cast<std::size_t>(slider); }
    void LoadClaimed(bool takeBackup);
    void SetUpSliders();
    void SetUpLevel(DetailSlider slider, std::int32_t value, std::int32_t maximum, bool valid);
    void EnableByCapability();
    void ReadGains();
    bool MoveTemperature(int position);
    bool MoveLevel(DetailSlider slider, int position);
    bool MoveGamma(int position);
    bool PutBack(DetailSlider slider);
    void Accept(DetailSlider slider, int position);
    std::uint32_t ModeFlags() const;

    MonitorList& m_list;
    const CMonitorStatus& m_record;
    CMonitorColor& m_color;
    CMonitorColor m_backup;
    bool m_bBackupTaken = false;
    bool m_bLoaded = false;
    bool m_bResetEnabled = false;
    bool m_bColorBarChanged = false;
    // The gains moved the monitor to its user preset; its indicator is not asked
    // again until the next load.
    bool m_bUserPresetSeen = false;
    std::vector<std::int32_t> m_presets;
    std::int32_t m_nTemperatureUpper = 0;
    std::array<DetailSliderView, kDetailSliderCount> m_views{};
    std::array<int, kDetailSliderCount> m_nAccepted{};
};
