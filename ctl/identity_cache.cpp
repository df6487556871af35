#include "ctl/identity_cache.h"

#include <algorithm>
#include <cstdio>

#include "ctl/hex_text.h"
#include "platform/minfolib/edid.h"

namespace {

constexpr char kMagic[] = "vistrelctl-monitors 1";
// Texts longer than a monitor ever sends are not taken from the file either.
constexpr std::size_t kMaxText = 0xFFFF;

std::uint64_t Digest(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string Hex(const std::string& bytes) {
    return HexText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool Unhex(const std::string& text, std::string* bytes) {
    if (text.size() % 2 != 0 || text.size() / 2 > kMaxText) return false;
    bytes->clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes->push_back(static_cast<char>(high << 4 | low));
    }
    return true;
}

std::string Hex64(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end == std::string::npos ? end : end - begin));
        if (end == std::string::npos) return parts;
        begin = end + 1;
    }
}

std::string ModeInfoBytes(const ModeInfoBlock& block) {
    std::string bytes;
    for (const std::uint32_t word : block.words) {
        for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(word >> shift);
    }
    return bytes;
}

std::string MonitorLine(const KnownMonitor& monitor) {
    return monitor.key + "\t" + (monitor.maker ? "maker" : "other") + "\t" +
           Hex(monitor.capabilities) + "\t" + Hex(monitor.extendedCapabilities) + "\t" +
           Hex(monitor.serial) + "\t" + Hex(monitor.model) + "\t" +
           (monitor.maker ? Hex(ModeInfoBytes(monitor.modeInfo)) : std::string());
}

bool ValidKey(const std::string& key) {
    if (key.empty() || key.size() > 64) return false;
    return std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'f') ||
               c == '-';
    });
}

bool ParseMonitorLine(const std::string& line, KnownMonitor* monitor) {
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields.size() != 7 || !ValidKey(fields[0])) return false;
    if (fields[1] != "maker" && fields[1] != "other") return false;
    KnownMonitor parsed;
    parsed.key = fields[0];
    parsed.maker = fields[1] == "maker";
    std::string modeInfo;
    if (!Unhex(fields[2], &parsed.capabilities) ||
        !Unhex(fields[3], &parsed.extendedCapabilities) || !Unhex(fields[4], &parsed.serial) ||
        !Unhex(fields[5], &parsed.model) || !Unhex(fields[6], &modeInfo))
        return false;
    if (parsed.maker) {
        // A maker monitor is known only with everything its record needs.
        if (parsed.capabilities.empty() || parsed.extendedCapabilities.empty() ||
            modeInfo.size() != sizeof(ModeInfoBlock))
            return false;
        for (std::size_t w = 0; w < ModeInfoBlock::kWords; ++w) {
            std::uint32_t word = 0;
            for (std::size_t b = 0; b < 4; ++b)
                word |= static_cast<std::uint32_t>(static_cast<unsigned char>(modeInfo[w * 4 + b]))
                        << (8 * b);
            parsed.modeInfo.words[w] = word;
        }
    } else if (!modeInfo.empty() || !parsed.extendedCapabilities.empty() ||
               !parsed.serial.empty() || !parsed.model.empty()) {
        return false;
    }
    *monitor = std::move(parsed);
    return true;
}

}  // namespace

std::string MonitorKeyFromEdid(const std::vector<std::uint8_t>& edid) {
    minfolib::EdidIdentity identity;
    if (minfolib::DecodeEdid(edid.data(), edid.size(), &identity) != minfolib::EdidStatus::Ok)
        return {};
    // The digest tells apart what the three numbers do not: a monitor whose
    // EDID serial is left 0, another revision of the same product.
    char key[64];
    std::snprintf(key, sizeof key, "%s-%04x-%08lx-", identity.manufacturerId.c_str(),
                  static_cast<unsigned>(identity.productCode),
                  static_cast<unsigned long>(identity.serialNumber));
    return key + Hex64(Digest(edid.data(), minfolib::kEdidBlockSize));
}

std::string MonitorKeyFromMakerRecord(const std::uint8_t* record) {
    const auto u32 = [record](std::size_t at) {
        return static_cast<std::uint32_t>(record[at]) |
               static_cast<std::uint32_t>(record[at + 1]) << 8 |
               static_cast<std::uint32_t>(record[at + 2]) << 16 |
               static_cast<std::uint32_t>(record[at + 3]) << 24;
    };
    if (u32(0) != platform::MakerLibrary::kRecordSize || u32(4) != 1) return {};
    for (std::size_t i = 8; i < 11; ++i) {
        if (record[i] < 'A' || record[i] > 'Z') return {};
    }
    if (record[11] != 0) return {};
    char key[64];
    std::snprintf(key, sizeof key, "%c%c%c-%04x-%08lx-", record[8], record[9], record[10],
                  static_cast<unsigned>(u32(12) & 0xFFFF), static_cast<unsigned long>(u32(16)));
    // The identity and the monitor name from the EDID; not the position, which
    // changes with the desktop.
    std::uint8_t identity[12 + 16];
    std::copy(record + 8, record + 20, identity);
    std::copy(record + 68, record + 84, identity + 12);
    return key + Hex64(Digest(identity, sizeof identity));
}

std::string MonitorKeyFromMakerLibrary(platform::MakerLibrary& maker,
                                       const std::vector<MonitorEntry>& entries,
                                       std::size_t index) {
    if (index >= entries.size()) return {};
    const MonitorEntry& entry = entries[index];
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i != index && entries[i].displayHandle == entry.displayHandle) return {};
    }
    std::int32_t count = 0;
    maker.QrxFindMonitors(&count, 0);
    for (std::int32_t i = 0; i < count && i < 256; ++i) {
        std::uint8_t record[platform::MakerLibrary::kRecordSize] = {};
        if (maker.QrxGetMonitorInfo(i, record, 0) < 0) continue;
        const auto at = [&record](std::size_t offset) {
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(record[offset]) |
                                             static_cast<std::uint32_t>(record[offset + 1]) << 8 |
                                             static_cast<std::uint32_t>(record[offset + 2]) << 16 |
                                             static_cast<std::uint32_t>(record[offset + 3]) << 24);
        };
        if (at(platform::MakerLibrary::kRecordXOffset) == entry.displayInfo.rcMonitor.left &&
            at(platform::MakerLibrary::kRecordYOffset) == entry.displayInfo.rcMonitor.top)
            return MonitorKeyFromMakerRecord(record);
    }
    return {};
}

std::string EncodeKnownMonitors(const std::vector<KnownMonitor>& monitors) {
    std::string body;
    for (const KnownMonitor& monitor : monitors) body += MonitorLine(monitor) + "\n";
    // The digest finds a file cut short or changed by accident; the header says
    // which version wrote it.
    return std::string(kMagic) + " " + std::to_string(monitors.size()) + " " +
           Hex64(Digest(reinterpret_cast<const std::uint8_t*>(body.data()), body.size())) + "\n" +
           body;
}

bool DecodeKnownMonitors(const std::string& text, std::vector<KnownMonitor>* monitors) {
    monitors->clear();
    const std::size_t headerEnd = text.find('\n');
    if (headerEnd == std::string::npos) return false;
    const std::vector<std::string> header = Split(text.substr(0, headerEnd), ' ');
    // "vistrelctl-monitors 1 COUNT DIGEST"
    if (header.size() != 4 || header[0] + " " + header[1] != kMagic) return false;
    const std::string body = text.substr(headerEnd + 1);
    if (header[3] != Hex64(Digest(reinterpret_cast<const std::uint8_t*>(body.data()), body.size())))
        return false;
    std::vector<KnownMonitor> parsed;
    if (!DecodeKnownMonitorLines(body, &parsed) || header[2] != std::to_string(parsed.size()))
        return false;
    *monitors = std::move(parsed);
    return true;
}

bool DecodeKnownMonitorLines(const std::string& body, std::vector<KnownMonitor>* monitors) {
    monitors->clear();
    std::vector<KnownMonitor> parsed;
    std::size_t begin = 0;
    while (begin < body.size()) {
        const std::size_t end = body.find('\n', begin);
        if (end == std::string::npos) return false;
        KnownMonitor monitor;
        if (!ParseMonitorLine(body.substr(begin, end - begin), &monitor)) return false;
        for (const KnownMonitor& other : parsed) {
            if (other.key == monitor.key) return false;
        }
        parsed.push_back(std::move(monitor));
        if (parsed.size() > kMaxKnownMonitors) return false;
        begin = end + 1;
    }
    *monitors = std::move(parsed);
    return true;
}

void IdentityCache::Load() {
    if (m_loaded) return;
    m_loaded = true;
    if (!DecodeKnownMonitors(m_file.Load(), &m_monitors)) m_monitors.clear();
}

const KnownMonitor* IdentityCache::Find(const std::string& key) {
    Load();
    if (key.empty()) return nullptr;
    for (const KnownMonitor& monitor : m_monitors) {
        if (monitor.key == key) return &monitor;
    }
    return nullptr;
}

void IdentityCache::Put(const KnownMonitor& monitor) {
    Load();
    if (!ValidKey(monitor.key)) return;
    // What is already known as it is needs no write.
    const std::string line = MonitorLine(monitor);
    for (const KnownMonitor& known : m_monitors) {
        if (MonitorLine(known) == line) return;
    }
    Drop(monitor.key);
    m_monitors.insert(m_monitors.begin(), monitor);
    if (m_monitors.size() > kMaxKnownMonitors) m_monitors.resize(kMaxKnownMonitors);
    m_changed = true;
}

void IdentityCache::Drop(const std::string& key) {
    Load();
    const auto kept = std::remove_if(m_monitors.begin(), m_monitors.end(),
                                     [&key](const KnownMonitor& m) { return m.key == key; });
    if (kept == m_monitors.end()) return;
    m_monitors.erase(kept, m_monitors.end());
    m_changed = true;
}

void IdentityCache::Save() {
    if (!m_changed) return;
    if (m_file.Save(EncodeKnownMonitors(m_monitors))) m_changed = false;
}
