#pragma once
// The per-monitor record the pages work on. Every monitor access operation
// takes one; it uses only the leading fields below, so a temporary record with
// just these filled in can talk to a monitor (discovery does that for the
// extended capabilities block).
#include <cstdint>
#include <memory>
#include <string>

#include "monitor/capabilities.h"
#include "monitor/mode_info_block.h"
#include "platform/types.h"

// The filter overlay window of a monitor's display. The window itself belongs to
// the window layer; the record only owns it, through this base.
class CMonitorOverlay {
public:
    virtual ~CMonitorOverlay() = default;
};

// Luminance of one primary as the monitor reports it, in the primaries' unit.
struct PrimaryLuminance {
    double current = 0;
    double maximum = 0;
    std::uint8_t valid = 0;  // both values were non-zero
};

// Working data of the multi-monitor match wizard; all zero until it runs.
struct MonitorMatchRecord {
    std::int32_t candidate = 0;
    std::int32_t savedMode = 0;
    std::int32_t savedColorTemperature = 0;
    std::int32_t offPresetIndex = 0;
    std::int32_t savedGamma = 0;
    std::int32_t gammaMaximum = 0;
    std::int32_t luminanceGammaIndex = 0;
    std::int32_t savedBrightness = 0;
    std::int32_t brightnessMaximum = 0;
    std::int32_t redGain = 0;
    std::int32_t redMaximum = 0;
    std::int32_t greenGain = 0;
    std::int32_t greenMaximum = 0;
    std::int32_t blueGain = 0;
    std::int32_t blueMaximum = 0;
    PrimaryLuminance redPrimary;
    PrimaryLuminance greenPrimary;
    PrimaryLuminance bluePrimary;
    double estimatedMaxLuminance = 0;
};

class CMonitorStatus {
public:
    CMonitorStatus() = default;
    // A record owns its overlay window, so records are not copied.
    CMonitorStatus(const CMonitorStatus&) = delete;
    CMonitorStatus& operator=(const CMonitorStatus&) = delete;
    virtual ~CMonitorStatus() = default;

    // Copied from the MonitorEntry; always 1 in a built record.
    std::uint8_t m_bUsable = 0;
    // Points at the physical-handle field of the MonitorEntry the record was built
    // from; null means no monitor. Valid until the next discovery run.
    const platform::PhysicalMonitorHandle* m_phPhysicalMonitor = nullptr;
    // Copies of the entry's parsed capabilities.
    FeatureMap m_Features;
    ExtendedFeatureMap m_ExtFeatures;

    // szDevice of the display ("\\.\DISPLAY2").
    std::string m_strDeviceName;
    // Display number x 10 (+ sub-index), and its text ("2", "2-1").
    std::int32_t m_nOrderKey = 0;
    std::string m_strLabel;
    // Identity: serial number immediately followed by model name.
    std::string m_strModelName;
    std::string m_strSerialNumber;
    std::string m_strIdentity;
    // Mode last put on the monitor by automatic switching; 255 after an adjustment
    // data set; -1 until then.
    std::int32_t m_nRecordedMode = -1;
    ModeInfoBlock m_ModeInfo;
    // rcMonitor of the display.
    platform::Rect m_rcMonitor;
    // Created by the main window after every rebuild, deleted on a display change.
    std::unique_ptr<CMonitorOverlay> m_pTransWnd;
    MonitorMatchRecord m_Match;
};
