#pragma once
// Discovery of the maker's monitors behind the desktop's displays, and the
// protocol through which the program reads and writes their settings.
//
// Everything runs on the UI thread and blocks it: every DDC/CI read is followed
// by a 20 ms sleep and every write by the register's settling delay.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/access/owner.h"
#include "monitor/capabilities.h"
#include "monitor/monitor_status.h"
#include "platform/clock.h"
#include "platform/ddc_api.h"
#include "platform/desktop.h"
#include "platform/maker_library.h"
#include "platform/processes.h"
#include "platform/types.h"

// One physical monitor found by discovery.
struct MonitorEntry {
    // Set once every identification step succeeded; never cleared afterwards.
    std::uint8_t usable = 0;
    platform::DisplayHandle displayHandle = 0;
    platform::DisplayInfo displayInfo;
    // All DDC/CI traffic for the monitor uses this handle. CMonitorStatus records
    // point at this field, so entries stay put until the next Discover.
    platform::PhysicalMonitorHandle physicalHandle = 0;
    std::string description;
    std::string capabilities;
    FeatureMap features;
    std::string extendedCapabilities;
    ExtendedFeatureMap extendedFeatures;
    // Display number x 10, plus index + 1 when the display has several physical
    // monitors; the monitors are listed to the user in this order.
    std::int32_t orderKey = 0;
    // "2" for display 2, "2-1", "2-2" when it has two physical monitors.
    std::string label;
};

class MonitorList {
public:
    // `lockHeld` is the process-wide monitor-acquired flag (the application's
    // m_bLockHeld): true while this program has claimed the monitor it works on
    // and may use the maker's pages. Only one monitor is worked on at a time.
    MonitorList(platform::DdcApi& ddc, platform::Desktop& desktop, platform::MakerLibrary& maker,
                platform::Processes& processes, platform::Clock& clock, bool& lockHeld);
    // Releases the physical monitor handles through `ddc`, which must outlive the list.
    ~MonitorList();
    MonitorList(const MonitorList&) = delete;
    MonitorList& operator=(const MonitorList&) = delete;

    // ---- Discovery ------------------------------------------------------------

    // Rebuilds the list from scratch and identifies every monitor. True when at
    // least one entry ended up usable; false also when the desktop enumeration
    // itself failed. The physical handles of the previous run are released, so
    // no CMonitorStatus of the previous run may be used afterwards.
    bool Discover();
    // Discovery in two halves, for a caller that needs only some monitors
    // identified: the physical monitors behind the displays, all unusable (false
    // when the desktop enumeration failed) ...
    bool Enumerate();
    // ... and the identification chain of one entry, which makes it usable on
    // success. Discover is Enumerate and then Identify of every entry.
    bool Identify(std::size_t index);
    // The same chain on texts an earlier run read from the same monitor, for a
    // program that keeps them between runs: the same checks, no DDC/CI traffic
    // beyond what matching the maker's monitors needs.
    bool IdentifyFrom(std::size_t index, const std::string& capabilities,
                      const std::string& extendedCapabilities);
    // Gives an entry capabilities an earlier run read, as RequestCapabilities would.
    bool SetCapabilities(std::size_t index, const std::string& capabilities);

    const std::vector<MonitorEntry>& Entries() const { return m_entries; }
    std::size_t GetCount() const { return m_entries.size(); }
    // Null when `index` is out of range.
    const MonitorEntry* GetEntry(std::size_t index) const;
    // Physical monitors seen by the current discovery run.
    std::int32_t PhysicalTotal() const { return m_physicalTotal; }

    // Identification steps; each fails for an index out of range.
    // Is the entry's display one of the maker's monitors (by desktop position)?
    // With retry: up to 5 attempts, 200 ms after each that finds none.
    bool MatchMakerMonitor(std::size_t index, bool retry);
    // Fetches the MCCS capabilities string into the entry. With retry: up to 50
    // attempts, 200 ms after each failed one.
    bool RequestCapabilities(std::size_t index, bool retry);
    // The entry's standard features list the owner (0xE0) and page-select (0xE1)
    // registers.
    bool HasControlRegisters(std::size_t index) const;
    // Reads block 0 (the extended capabilities) into the entry's extended text;
    // fails when the block cannot be read. Discovery also rejects an empty text.
    bool ReadExtendedCapabilities(std::size_t index);

    // ---- Access ---------------------------------------------------------------
    // Pages use these in the bracket AcquireMonitor (retry) -> IsMonitorReady ->
    // reads and writes -> ReleaseMonitor, calling ReleaseMonitor even when the
    // acquisition failed. A code or value the monitor's capabilities do not list
    // is refused before any traffic. `pageSelected` skips the page-select write
    // when the caller's previous call has just selected the same page.

    // Claims the monitor by writing this process's id into the owner register.
    // With retry: up to 5 attempts, 200 ms between them. Sets the flag on success.
    bool AcquireMonitor(const platform::PhysicalMonitorHandle* handle, bool retry);
    // Frees the owner register when the flag is set; true without traffic when not.
    // A failed write is tried again (3 attempts, 200 ms apart); a monitor that
    // still keeps our id is remembered for ReleaseStillClaimed.
    bool ReleaseMonitor(const platform::PhysicalMonitorHandle* handle);
    // Tries once more to free every monitor whose release failed; for Exit and the
    // end of the session, and done by Discover before it drops the handles. True
    // when nothing is left claimed.
    bool ReleaseStillClaimed();
    // The monitor accepts maker-page commands (page 0x20: 0xE2 reads 1, 0xE6 reads 0).
    bool IsMonitorReady(const CMonitorStatus* status);

    // Page 0 is the standard code set and needs no claim; other pages need the
    // flag. With retry: up to 5 attempts, 30 ms between them. A refused read
    // leaves the outputs alone; a read whose attempts all failed reports 0 and 0.
    bool ReadFeature(const CMonitorStatus* status, std::uint16_t page, std::uint8_t code,
                     std::uint32_t* current, std::uint32_t* maximum, bool pageSelected, bool retry);
    // Refused when the value is not listed for the code or the register has no
    // settling delay.
    bool WriteFeature(const CMonitorStatus* status, std::uint16_t page, std::uint8_t code,
                      std::uint32_t value, bool pageSelected);
    // Reads one of the maker's information blocks 0-3 of page 0x10 (0: extended
    // capabilities, 1: mode information, 2: serial number, 3: model name) into
    // `buffer`. A block longer than `bufferSize` is cut to it, and only the words
    // that fill the buffer are read from the monitor. On success
    // `*length` (when given) receives the number of bytes copied; on failure the
    // buffer is untouched.
    bool ReadBlock(const CMonitorStatus* status, int block, std::uint8_t* buffer,
                   std::size_t bufferSize, bool pageSelected, std::size_t* length = nullptr);
    // The four-value set of page 0xE0 (codes 0xE4-0xE7); only set 0 exists.
    bool ReadFeatureQuad(const CMonitorStatus* status, int set,
                         std::array<std::uint32_t, 4>* values, bool pageSelected);
    // Writes the four values and commits them (0xE8 = 1). The values themselves
    // are not checked against the capabilities.
    bool WriteFeatureQuad(const CMonitorStatus* status, int set,
                          const std::array<std::uint32_t, 4>& values, bool pageSelected);

    bool IsMonitorAcquired() const { return m_lockHeld; }

    // Whose claims AcquireMonitor may take over besides those of exited
    // processes: copies of the named program (upper-case base name), none when
    // empty. The controller's own name unless set.
    void SetReplaceableProgram(const std::string& program) { m_replaceableProgram = program; }

private:
    void ReleasePhysicalMonitors();
    bool WriteOwnerFree(platform::PhysicalMonitorHandle handle);
    void AddDisplay(platform::DisplayHandle display);
    void AssignLabels();
    bool SelectPage(const CMonitorStatus& status, std::uint16_t page, bool pageSelected);
    bool TryMatchMakerMonitor(const MonitorEntry& entry, std::int32_t count);

    platform::DdcApi& m_ddc;
    platform::Desktop& m_desktop;
    platform::MakerLibrary& m_maker;
    platform::Processes& m_processes;
    platform::Clock& m_clock;
    bool& m_lockHeld;
    std::string m_replaceableProgram = kControllerProgramName;

    // Monitors that may still hold our id because their release failed.
    std::vector<platform::PhysicalMonitorHandle> m_stillClaimed;
    std::int32_t m_physicalTotal = 0;
    std::vector<MonitorEntry> m_entries;
    // Per entry, in step: the display number parsed from the device name (-1 when
    // it has none) and the index among the display's physical monitors (0 when
    // the display has only one).
    struct Numbering {
        std::int32_t displayNumber = -1;
        std::int32_t subIndex = 0;
    };
    std::vector<Numbering> m_numbering;
};
