#pragma once
// Builds the records of the usable monitors after a discovery run: each monitor is
// claimed, its serial number, model name and mode information are read, and it is
// released again. A monitor that fails any step gets no record.
#include <cstddef>
#include <cstdint>
#include <string>

#include "monitor/mode_info_block.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"

// Serial number and model name blocks are read into buffers of this size.
constexpr std::size_t kIdentityBlockSize = 18;

// Appends a record for every usable entry of `list`, in list order; returns the
// number of records appended. Records already in `all` are kept (and count for the
// duplicate check).
int BuildMonitorStatus(MonitorList& list, CMonitorStatusAll& all);
// The same for the one entry `index`; true when its record was appended.
bool BuildMonitorStatusOf(MonitorList& list, std::size_t index, CMonitorStatusAll& all);
// Appends the record of the usable entry `index` with identity and mode
// information an earlier run read from the same monitor, without traffic.
bool AddKnownMonitorStatus(const MonitorList& list, std::size_t index, const std::string& serial,
                           const std::string& model, const ModeInfoBlock& modeInfo,
                           CMonitorStatusAll& all);

// The text of an identity block: up to its first NUL byte, never past `size` bytes
// (the monitors fill all 18 bytes for names of 18 characters).
std::string IdentityBlockText(const std::uint8_t* bytes, std::size_t size);
// Removes leading and trailing white space.
std::string TrimText(const std::string& text);

// Reads block 2 or 3 as identity text. Fails when the block cannot be read or its
// text is empty; a text of spaces only succeeds and trims to an empty string.
bool ReadIdentityBlock(MonitorList& list, const CMonitorStatus& record, int block,
                       bool pageSelected, std::string* text);

// Reads block 1 and parses it into `info`; `info` is changed only on success.
bool ReadModeInfo(MonitorList& list, const CMonitorStatus& record, bool pageSelected,
                  ModeInfoBlock* info);
