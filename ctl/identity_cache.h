#pragma once
// What identifying a monitor learned, kept between runs of vistrelctl so that a
// command costs its own transactions rather than the seconds that reading the
// capabilities and the maker's information blocks takes at the monitors' pace.
//
// A monitor is known by what the system tells without DDC/CI traffic: its EDID
// (manufacturer, product, serial and a digest of the whole base block). The file
// is the user's and may be damaged, truncated, of another version or written by
// hand; anything that is not exactly what this version writes is ignored as a
// whole, and the monitors are identified again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/mode_info_block.h"
#include "monitor/monitor_list.h"
#include "platform/maker_library.h"

struct KnownMonitor {
    std::string key;
    // Identified as the maker's: the record fields below are filled. Otherwise
    // only the capabilities are known (a monitor of another maker).
    bool maker = false;
    std::string capabilities;
    std::string extendedCapabilities;
    std::string serial;
    std::string model;
    ModeInfoBlock modeInfo;
};

// Where the text is kept: a file of the user's.
class IdentityCacheFile {
public:
    virtual ~IdentityCacheFile() = default;
    // Empty when there is no file or it cannot be read.
    virtual std::string Load() = 0;
    // Replaces the file as a whole; a failure is not an error of the command.
    virtual bool Save(const std::string& text) = 0;
};

inline constexpr std::size_t kMaxKnownMonitors = 32;

// The key of a monitor from its EDID base block; empty when the block does not
// decode (no key, no cache for that monitor).
std::string MonitorKeyFromEdid(const std::vector<std::uint8_t>& edid);
// The key of a maker monitor from the maker library's 668-byte record, when the
// record is of the layout that carries the EDID identity (version 1: the
// manufacturer id, product code and serial number); empty for any other.
std::string MonitorKeyFromMakerRecord(const std::uint8_t* record);
// Where the maker library is all there is (Windows): the key of entry `index`
// from the record at its display's position. Only a display with this one
// physical monitor gets one: the record describes the display's maker monitor,
// and a second monitor on the same display must not be taken for it.
std::string MonitorKeyFromMakerLibrary(platform::MakerLibrary& maker,
                                       const std::vector<MonitorEntry>& entries, std::size_t index);

std::string EncodeKnownMonitors(const std::vector<KnownMonitor>& monitors);
// False, leaving *monitors empty, for anything EncodeKnownMonitors would not
// have written.
bool DecodeKnownMonitors(const std::string& text, std::vector<KnownMonitor>* monitors);
// The lines after the header, one monitor each; the same rules.
bool DecodeKnownMonitorLines(const std::string& body, std::vector<KnownMonitor>* monitors);

// The monitors known to this run: read once, written back only when changed.
class IdentityCache {
public:
    explicit IdentityCache(IdentityCacheFile& file) : m_file(file) {}
    // Null when the monitor is not known.
    const KnownMonitor* Find(const std::string& key);
    // Newest first; the oldest are forgotten beyond kMaxKnownMonitors.
    void Put(const KnownMonitor& monitor);
    void Drop(const std::string& key);
    // Writes the file when something changed.
    void Save();

private:
    void Load();

    IdentityCacheFile& m_file;
    bool m_loaded = false;
    bool m_changed = false;
    std::vector<KnownMonitor> m_monitors;
};
