#pragma once
// The two calls of the maker's monitor-information library, as its callers link
// them (import table) and as our builds of the library export them (undecorated,
// through minfolib.def). Only the desktop position of a record is read by the
// controller; the rest of the layout is ours (see maker_record.h).
#include <cstdint>

#if defined(_WIN32)
#define MINFOLIB_CALL __stdcall
#else
#define MINFOLIB_CALL
#endif

extern "C" {

// Stores the number of the maker's monitors in *count. `flags` 1 rescans the
// desktop; 0 keeps the list of the last scan. Returns that number, or -1 when
// count is null.
int MINFOLIB_CALL QrxFindMonitors(std::int32_t* count, std::int32_t flags);

// Fills the 668-byte record of monitor `index` (0 .. count-1 of the last scan).
// Returns 0 when the record was filled, -1 when the index or the buffer is bad.
int MINFOLIB_CALL QrxGetMonitorInfo(std::int32_t index, void* record, std::int32_t flags);

}  // extern "C"
