#include "monitor/status_build.h"

#include <memory>
#include <utility>

namespace {

constexpr int kModeInfoBlock = 1;
constexpr int kSerialNumberBlock = 2;
constexpr int kModelNameBlock = 3;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDuplicate(const CMonitorStatusAll& all, const CMonitorStatus& record) {
    for (int i = 0; i < all.Count(); ++i) {
        const CMonitorStatus* other = all.At(i);
        if (other->m_nOrderKey == record.m_nOrderKey &&
            other->m_strDeviceName == record.m_strDeviceName)
            return true;
    }
    return false;
}

std::unique_ptr<CMonitorStatus> RecordFromEntry(const MonitorEntry& entry) {
    auto record = std::make_unique<CMonitorStatus>();
    record->m_bUsable = entry.usable;
    record->m_phPhysicalMonitor = &entry.physicalHandle;
    record->m_Features = entry.features;
    record->m_ExtFeatures = entry.extendedFeatures;
    record->m_strDeviceName = entry.displayInfo.szDevice;
    record->m_nOrderKey = entry.orderKey;
    record->m_strLabel = entry.label;
    record->m_rcMonitor = entry.displayInfo.rcMonitor;
    return record;
}

// Identity and mode information, read while the monitor is claimed.
bool ReadRecordBlocks(MonitorList& list, CMonitorStatus& record) {
    if (!ReadIdentityBlock(list, record, kSerialNumberBlock, false, &record.m_strSerialNumber))
        return false;
    if (!ReadIdentityBlock(list, record, kModelNameBlock, true, &record.m_strModelName))
        return false;
    record.m_strIdentity = record.m_strSerialNumber + record.m_strModelName;
    return ReadModeInfo(list, record, true, &record.m_ModeInfo);
}

}  // namespace

std::string IdentityBlockText(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    if (bytes == nullptr) return text;
    for (std::size_t i = 0; i < size && bytes[i] != 0; ++i)
        text.push_back(static_cast<char>(bytes[i]));
    return text;
}

std::string TrimText(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsSpace(text[first])) ++first;
    while (last > first && IsSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool ReadIdentityBlock(MonitorList& list, const CMonitorStatus& record, int block,
                       bool pageSelected, std::string* text) {
    std::uint8_t buffer[kIdentityBlockSize] = {};
    if (!list.ReadBlock(&record, block, buffer, sizeof buffer, pageSelected)) return false;
    const std::string raw = IdentityBlockText(buffer, sizeof buffer);
    if (raw.empty()) return false;
    *text = TrimText(raw);
    return true;
}

bool ReadModeInfo(MonitorList& list, const CMonitorStatus& record, bool pageSelected,
                  ModeInfoBlock* info) {
    std::uint8_t buffer[kModeInfoDataMax] = {};
    std::size_t length = 0;
    if (!list.ReadBlock(&record, kModeInfoBlock, buffer, sizeof buffer, pageSelected, &length))
        return false;
    return ParseModeInfo(buffer, length, info);
}

int BuildMonitorStatus(MonitorList& list, CMonitorStatusAll& all) {
    int added = 0;
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        if (BuildMonitorStatusOf(list, i, all)) ++added;
    }
    return added;
}

bool BuildMonitorStatusOf(MonitorList& list, std::size_t index, CMonitorStatusAll& all) {
    const MonitorEntry* entry = list.GetEntry(index);
    if (entry == nullptr || entry->usable != 1) return false;

    std::unique_ptr<CMonitorStatus> record = RecordFromEntry(*entry);
    list.AcquireMonitor(record->m_phPhysicalMonitor, true);
    const bool complete = ReadRecordBlocks(list, *record);
    bool added = false;
    if (complete && !IsDuplicate(all, *record)) {
        all.Add(std::move(record));
        added = true;
    }
    list.ReleaseMonitor(&entry->physicalHandle);
    return added;
}

bool AddKnownMonitorStatus(const MonitorList& list, std::size_t index, const std::string& serial,
                           const std::string& model, const ModeInfoBlock& modeInfo,
                           CMonitorStatusAll& all) {
    const MonitorEntry* entry = list.GetEntry(index);
    if (entry == nullptr || entry->usable != 1) return false;
    std::unique_ptr<CMonitorStatus> record = RecordFromEntry(*entry);
    record->m_strSerialNumber = serial;
    record->m_strModelName = model;
    record->m_strIdentity = serial + model;
    record->m_ModeInfo = modeInfo;
    if (IsDuplicate(all, *record)) return false;
    all.Add(std::move(record));
    return true;
}
