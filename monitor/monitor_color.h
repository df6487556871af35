#pragma once
// A snapshot of the colour settings of the current monitor, shared by the colour
// page and the colour detail dialog. Read and written between AcquireMonitor and
// ReleaseMonitor by the callers.
#include <cstdint>

#include "monitor/capabilities.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"

class CMonitorColor {
public:
    CMonitorColor() = default;
    CMonitorColor(const CMonitorColor&) = default;
    CMonitorColor& operator=(const CMonitorColor&) = default;
    virtual ~CMonitorColor() = default;

    // Mode -1, everything else 0.
    void Reset();
    void CopyFrom(const CMonitorColor& other);

    // Fills the snapshot from the current monitor; a value that cannot be read keeps
    // its valid flag at 0. False when there is no current monitor.
    bool ReadColorState(MonitorList& list, const CMonitorStatusAll& all);
    // The same for one monitor, whichever is current.
    void ReadColorState(MonitorList& list, const CMonitorStatus& record);
    // Writes the valid values back to the current monitor, each only where the
    // mode's capability flags allow it. False when there is no current monitor.
    bool WriteColorState(MonitorList& list, const CMonitorStatusAll& all) const;
    void WriteColorState(MonitorList& list, const CMonitorStatus& record) const;

    // Page 0x30 code 0xE2.
    std::int32_t m_nMode = -1;
    std::int32_t m_nModeMax = 0;
    std::int32_t m_bModeValid = 0;
    // Page 0x30 code 0xE3, and the monitor's OFF preset (first value listed for it).
    std::int32_t m_nColorTemp = 0;
    std::int32_t m_nOffPreset = 0;
    std::int32_t m_bColorTempValid = 0;
    // VCP 0x10.
    std::int32_t m_nBrightness = 0;
    std::int32_t m_nBrightnessMax = 0;
    std::int32_t m_bBrightnessValid = 0;
    // VCP 0x16, 0x18, 0x1A.
    std::int32_t m_nRedGain = 0;
    std::int32_t m_nRedGainMax = 0;
    std::int32_t m_bRedGainValid = 0;
    std::int32_t m_nGreenGain = 0;
    std::int32_t m_nGreenGainMax = 0;
    std::int32_t m_bGreenGainValid = 0;
    std::int32_t m_nBlueGain = 0;
    std::int32_t m_nBlueGainMax = 0;
    std::int32_t m_bBlueGainValid = 0;
    // Page 0x30 code 0xE4; 255 means "no gamma" and is never written.
    std::int32_t m_nGamma = 0;
    std::int32_t m_nGammaMax = 0;
    std::int32_t m_bGammaValid = 0;
    // Page 0xE0 codes 0xE4-0xE7.
    std::int32_t m_nQuad[4] = {};
    std::int32_t m_bQuadValid = 0;
    // VCP 0x12.
    std::int32_t m_nContrast = 0;
    std::int32_t m_nContrastMax = 0;
    std::int32_t m_bContrastValid = 0;
    // Page 0x30 code 0xE5 (current value only).
    std::int32_t m_nPresetRange = 0;
    std::int32_t m_bPresetRangeValid = 0;
};

// First value the extended capabilities list for the colour temperature register
// (page 0x30, code 0xE3): the monitor's OFF preset. -1 when listed without values
// or not listed.
std::int32_t OffPresetIndex(const ExtendedFeatureMap& features);
