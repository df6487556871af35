#pragma once
// A simulated monitor as the I2C bus sees it: DDC/CI request frames go in at
// address 0x37, reply frames come out, answered from the desk's register model.
// Written from the DDC/CI message format itself, without the host's encoder, so
// a test of the host's transport checks it against an independent reading.
//
// The monitor keeps its last reply until the next request, so a host may read it
// again; a read that comes before the reply wait has passed gets the null
// message. Faults are injected per frame: a write that is not acknowledged (the
// request is lost), or a reply read that is not acknowledged, comes back short,
// carries a wrong checksum or is the null message.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "sim/desk.h"

namespace sim {

enum class FrameFault { None, Nak, BadChecksum, Truncated, NullMessage };
const char* FrameFaultName(FrameFault fault);

struct ByteFrontStats {
    std::uint32_t requests = 0;     // well-formed request frames taken
    std::uint32_t badRequests = 0;  // frames with a wrong source, length or checksum
    std::uint32_t replies = 0;      // reply reads answered
    std::uint32_t earlyReads = 0;   // reads before the reply wait had passed
    std::uint32_t faults = 0;       // frames spoiled on purpose
};

class ByteFront {
public:
    // Waits the monitor needs before its reply is ready.
    static constexpr std::uint32_t kVcpReplyMs = 40;
    static constexpr std::uint32_t kCapabilitiesReplyMs = 50;

    ByteFront(Desk& desk, int monitor, platform::Clock& clock);

    // True when the frame was acknowledged.
    bool Write(const std::uint8_t* data, std::size_t size);
    // True when acknowledged; *received bytes were put in `data`.
    bool Read(std::uint8_t* data, std::size_t size, std::size_t* received);

    // Each frame (request write or reply read) is spoiled with this chance, the
    // kind drawn at random (a write can only go unacknowledged).
    void SetFaultRate(double rate, std::uint32_t seed);
    // The next `count` request writes go unacknowledged.
    void FailNextWrites(std::uint32_t count) { failWrites_ = count; }
    // The next `count` reply reads get `fault`.
    void FailNextReads(FrameFault fault, std::uint32_t count) {
        readFault_ = fault;
        failReads_ = count;
    }

    const ByteFrontStats& Stats() const { return stats_; }
    // Every spoiled frame as "write nak" / "read bad-checksum", in order.
    const std::vector<std::string>& FaultLog() const { return faultLog_; }

private:
    FrameFault DrawFault(bool write);
    void Answer(const std::vector<std::uint8_t>& payload, std::uint32_t waitMs);
    void HandleRequest(const std::vector<std::uint8_t>& payload);

    Desk& desk_;
    int monitor_;
    platform::Clock& clock_;
    std::vector<std::uint8_t> reply_;  // the whole reply frame; empty: none pending
    std::uint32_t replyReadyAt_ = 0;
    std::string capabilities_;  // read from the desk at offset 0
    double rate_ = 0;
    std::mt19937 random_;
    std::uint32_t failWrites_ = 0;
    FrameFault readFault_ = FrameFault::None;
    std::uint32_t failReads_ = 0;
    ByteFrontStats stats_;
    std::vector<std::string> faultLog_;
};

}  // namespace sim
