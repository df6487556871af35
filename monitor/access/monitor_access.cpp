// The access operations of MonitorList: the owner claim, page selection and
// the capability checks that guard every transaction.
#include <algorithm>
#include <vector>

#include "monitor/access/delay_table.h"
#include "monitor/access/owner.h"
#include "monitor/access/raw_feature.h"
#include "monitor/monitor_list.h"
#include "monitor/vcp.h"

namespace {

constexpr std::uint32_t kOwnerWriteMs = 10;
constexpr std::uint32_t kPageSelectMs = 20;

constexpr int kAcquireAttempts = 5;
constexpr std::uint32_t kAcquireRetryMs = 200;
// A release that does not get through leaves the monitor claimed by our id, and
// every other program locked out until we claim it again: worth a few tries.
constexpr int kReleaseAttempts = 3;
constexpr std::uint32_t kReleaseRetryMs = 200;
constexpr int kReadAttempts = 5;
constexpr std::uint32_t kReadRetryMs = 30;

constexpr int kBlockDataRetries = 30;
// After a failed data read the monitor needs a moment with the rewritten offset
// before its data window delivers the right word again.
constexpr std::uint32_t kBlockRetryMs = 100;
// The length register is 16 bits wide; a larger value is a garbled reply.
constexpr std::uint32_t kMaxBlockLength = 0xFFFF;

// DDC/CI values are 16 bits; a wider value would reach the monitor truncated.
constexpr std::uint32_t kMaxWriteValue = 0xFFFF;

bool HasHandle(const CMonitorStatus* status) {
    return status != nullptr && status->m_phPhysicalMonitor != nullptr;
}

}  // namespace

bool MonitorList::AcquireMonitor(const platform::PhysicalMonitorHandle* handle, bool retry) {
    m_lockHeld = false;
    if (handle == nullptr) return false;

    const int attempts = retry ? kAcquireAttempts : 1;
    bool free = false;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        std::uint32_t owner = 0;
        std::uint32_t maximum = 0;
        if (GetFeature(m_ddc, m_clock, handle, vcp::kOwnerCode, &owner, &maximum, kReadSettleMs) &&
            IsReplaceableOwner(m_processes, owner, m_replaceableProgram)) {
            free = true;
            break;
        }
        if (attempt < attempts) m_clock.Sleep(kAcquireRetryMs);
    }
    if (!free) return false;

    // Only the low 16 bits survive the trip through the monitor; writing just
    // those keeps what another copy of this program reads back comparable with
    // our process list.
    const std::uint32_t self = m_processes.OwnProcessId() & kOwnerValueMask;
    m_lockHeld = SetFeature(m_ddc, m_clock, handle, vcp::kOwnerCode, self, kOwnerWriteMs);
    return m_lockHeld;
}

bool MonitorList::ReleaseMonitor(const platform::PhysicalMonitorHandle* handle) {
    if (!m_lockHeld) return true;
    if (handle == nullptr) {
        m_lockHeld = false;
        return false;
    }
    const bool written = WriteOwnerFree(*handle);
    m_lockHeld = false;
    const auto remembered = std::find(m_stillClaimed.begin(), m_stillClaimed.end(), *handle);
    if (written && remembered != m_stillClaimed.end()) m_stillClaimed.erase(remembered);
    if (!written && remembered == m_stillClaimed.end()) m_stillClaimed.push_back(*handle);
    return written;
}

bool MonitorList::WriteOwnerFree(platform::PhysicalMonitorHandle handle) {
    for (int attempt = 1; attempt <= kReleaseAttempts; ++attempt) {
        if (SetFeature(m_ddc, m_clock, &handle, vcp::kOwnerCode, 0, kOwnerWriteMs)) return true;
        if (attempt < kReleaseAttempts) m_clock.Sleep(kReleaseRetryMs);
    }
    return false;
}

bool MonitorList::ReleaseStillClaimed() {
    bool allFree = true;
    for (const platform::PhysicalMonitorHandle handle : m_stillClaimed)
        allFree = WriteOwnerFree(handle) && allFree;
    m_stillClaimed.clear();
    return allFree;
}

bool MonitorList::SelectPage(const CMonitorStatus& status, std::uint16_t page, bool pageSelected) {
    if (pageSelected) return true;
    return SetFeature(m_ddc, m_clock, status.m_phPhysicalMonitor, vcp::kPageSelectCode, page,
                      kPageSelectMs);
}

bool MonitorList::ReadFeature(const CMonitorStatus* status, std::uint16_t page, std::uint8_t code,
                              std::uint32_t* current, std::uint32_t* maximum, bool pageSelected,
                              bool retry) {
    if (!HasHandle(status) || current == nullptr || maximum == nullptr) return false;
    if (page == 0) {
        if (!HasFeature(status->m_Features, code, -1)) return false;
    } else {
        if (!HasExtendedFeature(status->m_ExtFeatures, page, code, -1)) return false;
        if (!m_lockHeld) return false;
        if (!SelectPage(*status, page, pageSelected)) return false;
    }

    const int attempts = retry ? kReadAttempts : 1;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (GetFeature(m_ddc, m_clock, status->m_phPhysicalMonitor, code, current, maximum,
                       kReadSettleMs))
            return true;
        if (attempt < attempts) m_clock.Sleep(kReadRetryMs);
    }
    return false;
}

bool MonitorList::WriteFeature(const CMonitorStatus* status, std::uint16_t page, std::uint8_t code,
                               std::uint32_t value, bool pageSelected) {
    if (!HasHandle(status)) return false;
    if (value > kMaxWriteValue) return false;
    if (page != 0) {
        if (!ListsWriteValue(status->m_ExtFeatures, page, code, value)) return false;
        const std::optional<std::uint32_t> delay = SettlingDelay(page, code);
        if (!delay) return false;
        if (!m_lockHeld) return false;
        if (!SelectPage(*status, page, pageSelected)) return false;
        return SetFeature(m_ddc, m_clock, status->m_phPhysicalMonitor, code, value, *delay);
    }
    if (!ListsWriteValue(status->m_Features, code, value)) return false;
    const std::optional<std::uint32_t> delay = SettlingDelay(0, code);
    if (!delay) return false;
    return SetFeature(m_ddc, m_clock, status->m_phPhysicalMonitor, code, value, *delay);
}

bool MonitorList::IsMonitorReady(const CMonitorStatus* status) {
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (!ReadFeature(status, vcp::kReadinessPage, vcp::kReadyCode, &current, &maximum, false,
                     true) ||
        current != 1)
        return false;
    return ReadFeature(status, vcp::kReadinessPage, vcp::kBusyCode, &current, &maximum, false,
                       true) &&
           current == 0;
}

bool MonitorList::ReadBlock(const CMonitorStatus* status, int block, std::uint8_t* buffer,
                            std::size_t bufferSize, bool pageSelected, std::size_t* length) {
    if (!HasHandle(status) || buffer == nullptr || block < 0 || block > 3) return false;
    const std::uint8_t lengthCode = static_cast<std::uint8_t>(vcp::kFirstBlockCode + 3 * block);
    const std::uint8_t offsetCode = static_cast<std::uint8_t>(lengthCode + 1);
    const std::uint8_t dataCode = static_cast<std::uint8_t>(lengthCode + 2);
    // Block 0 carries the extended capabilities themselves, so it cannot be
    // checked against them.
    if (block != 0) {
        for (std::uint8_t code : {lengthCode, offsetCode, dataCode}) {
            if (!HasExtendedFeature(status->m_ExtFeatures, vcp::kBlockPage, code, -1)) return false;
        }
    }
    if (!m_lockHeld) return false;
    if (!SelectPage(*status, vcp::kBlockPage, pageSelected)) return false;

    const platform::PhysicalMonitorHandle* handle = status->m_phPhysicalMonitor;
    std::uint32_t blockLength = 0;
    std::uint32_t ignored = 0;
    // Without its length the block cannot be read; an unread length is not an
    // empty block.
    if (!GetFeature(m_ddc, m_clock, handle, lengthCode, &blockLength, &ignored, kReadSettleMs))
        return false;
    // Refused rather than cut to 0xFFFF: a length the register cannot hold says
    // the reply is garbled, and so would be every word read after it.
    if (blockLength > kMaxBlockLength) return false;
    const std::uint32_t offsetDelay = SettlingDelay(vcp::kBlockPage, lengthCode).value_or(20);
    if (!SetFeature(m_ddc, m_clock, handle, offsetCode, 0, offsetDelay)) return false;

    // Only the words the caller's buffer can take are fetched. A monitor that
    // reports a nonsense length for a short block would otherwise hold the UI
    // thread for minutes (up to 16384 reads of 20 ms) for bytes that are cut anyway.
    const std::size_t wanted = std::min<std::size_t>(blockLength, bufferSize);
    const std::uint32_t words = static_cast<std::uint32_t>((wanted + 3) / 4);
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(words) * 4);
    std::uint32_t offset = 0;
    int retries = 0;
    for (std::uint32_t word = 0; word < words;) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        if (GetFeature(m_ddc, m_clock, handle, dataCode, &current, &maximum, kReadSettleMs)) {
            // Each read carries four bytes: the "maximum" half first, both halves
            // high byte first.
            data.push_back(static_cast<std::uint8_t>((maximum >> 8) & 0xFF));
            data.push_back(static_cast<std::uint8_t>(maximum & 0xFF));
            data.push_back(static_cast<std::uint8_t>((current >> 8) & 0xFF));
            data.push_back(static_cast<std::uint8_t>(current & 0xFF));
            offset += 4;
            ++word;
            continue;
        }
        // The retry budget is shared by the whole block: a monitor that keeps
        // failing gives up after 30 retries however they are spread.
        if (retries >= kBlockDataRetries) return false;
        if (SetFeature(m_ddc, m_clock, handle, offsetCode, offset, offsetDelay))
            m_clock.Sleep(kBlockRetryMs);
        ++retries;
    }

    // Callers size their buffers for what the block should hold; a longer block
    // from a misbehaving monitor is cut rather than written past the end.
    std::copy(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(wanted), buffer);
    if (length != nullptr) *length = wanted;
    return true;
}

bool MonitorList::ReadFeatureQuad(const CMonitorStatus* status, int set,
                                  std::array<std::uint32_t, 4>* values, bool pageSelected) {
    if (!HasHandle(status) || values == nullptr || set != 0) return false;
    for (int i = 0; i < 4; ++i) {
        if (!HasExtendedFeature(status->m_ExtFeatures, vcp::kQuadPage,
                                static_cast<std::uint8_t>(vcp::kQuadFirstCode + i), -1))
            return false;
    }
    if (!m_lockHeld) return false;
    if (!SelectPage(*status, vcp::kQuadPage, pageSelected)) return false;

    // The four values are one set: the first failed read ends the call with the
    // caller's values untouched and the rest unread, rather than handing back a
    // mix of fresh values and zeros. The caller's bracket decides about trying again.
    std::array<std::uint32_t, 4> read = {};
    for (int i = 0; i < 4; ++i) {
        std::uint32_t maximum = 0;
        if (!GetFeature(m_ddc, m_clock, status->m_phPhysicalMonitor,
                        static_cast<std::uint8_t>(vcp::kQuadFirstCode + i),
                        &read[static_cast<std::size_t>(i)], &maximum, kReadSettleMs))
            return false;
    }
    *values = read;
    return true;
}

bool MonitorList::WriteFeatureQuad(const CMonitorStatus* status, int set,
                                   const std::array<std::uint32_t, 4>& values, bool pageSelected) {
    if (!HasHandle(status) || set != 0) return false;
    for (std::uint32_t value : values) {
        if (value > kMaxWriteValue) return false;
    }
    for (std::uint8_t code = vcp::kQuadFirstCode; code <= vcp::kQuadCommitCode; ++code) {
        if (!HasExtendedFeature(status->m_ExtFeatures, vcp::kQuadPage, code, -1)) return false;
    }
    if (!m_lockHeld) return false;
    if (!SelectPage(*status, vcp::kQuadPage, pageSelected)) return false;

    for (int i = 0; i < 4; ++i) {
        const std::uint8_t code = static_cast<std::uint8_t>(vcp::kQuadFirstCode + i);
        if (!SetFeature(m_ddc, m_clock, status->m_phPhysicalMonitor, code,
                        values[static_cast<std::size_t>(i)],
                        SettlingDelay(vcp::kQuadPage, code).value_or(10)))
            return false;
    }
    return SetFeature(m_ddc, m_clock, status->m_phPhysicalMonitor, vcp::kQuadCommitCode, 1,
                      SettlingDelay(vcp::kQuadPage, vcp::kQuadCommitCode).value_or(13));
}
