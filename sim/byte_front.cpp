#include "sim/byte_front.h"

#include <algorithm>

namespace sim {
namespace {

// Host write address 0x6E seeds the request checksum; the host's read address
// 0x50 seeds the reply checksum.
constexpr std::uint8_t kHostToMonitorSeed = 0x6E;
constexpr std::uint8_t kMonitorToHostSeed = 0x50;
constexpr std::uint8_t kHost = 0x51;
constexpr std::uint8_t kMonitor = 0x6E;

std::uint8_t Xor(std::uint8_t seed, const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) seed ^= data[i];
    return seed;
}

std::vector<std::uint8_t> Frame(const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> frame = {kMonitor, static_cast<std::uint8_t>(0x80 | payload.size())};
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(Xor(kMonitorToHostSeed, frame.data(), frame.size()));
    return frame;
}

}  // namespace

const char* FrameFaultName(FrameFault fault) {
    switch (fault) {
        case FrameFault::None:
            return "none";
        case FrameFault::Nak:
            return "nak";
        case FrameFault::BadChecksum:
            return "bad-checksum";
        case FrameFault::Truncated:
            return "truncated";
        case FrameFault::NullMessage:
            return "null-message";
    }
    return "?";
}

ByteFront::ByteFront(Desk& desk, int monitor, platform::Clock& clock)
    : desk_(desk), monitor_(monitor), clock_(clock) {}

void ByteFront::SetFaultRate(double rate, std::uint32_t seed) {
    rate_ = rate;
    random_.seed(seed);
}

FrameFault ByteFront::DrawFault(bool write) {
    FrameFault fault = FrameFault::None;
    if (write && failWrites_ > 0) {
        --failWrites_;
        fault = FrameFault::Nak;
    } else if (!write && failReads_ > 0) {
        --failReads_;
        fault = readFault_;
    } else if (rate_ > 0 && std::uniform_real_distribution<double>(0, 1)(random_) < rate_) {
        fault =
            write ? FrameFault::Nak
                  : static_cast<FrameFault>(1 + std::uniform_int_distribution<int>(0, 3)(random_));
    }
    if (fault != FrameFault::None) {
        ++stats_.faults;
        faultLog_.push_back(std::string(write ? "write " : "read ") + FrameFaultName(fault));
    }
    return fault;
}

bool ByteFront::Write(const std::uint8_t* data, std::size_t size) {
    if (DrawFault(true) != FrameFault::None) return false;
    // Any new message drops the reply the monitor still held.
    reply_.clear();
    const bool wellFormed = size >= 3 && data[0] == kHost && (data[1] & 0x80) != 0 &&
                            size == static_cast<std::size_t>(data[1] & 0x7F) + 3 &&
                            Xor(kHostToMonitorSeed, data, size - 1) == data[size - 1];
    if (!wellFormed) {
        ++stats_.badRequests;
        return true;  // acknowledged on the bus, ignored by the monitor
    }
    ++stats_.requests;
    HandleRequest(std::vector<std::uint8_t>(data + 2, data + size - 1));
    return true;
}

void ByteFront::Answer(const std::vector<std::uint8_t>& payload, std::uint32_t waitMs) {
    reply_ = Frame(payload);
    replyReadyAt_ = clock_.TickCount() + waitMs;
}

void ByteFront::HandleRequest(const std::vector<std::uint8_t>& payload) {
    if (payload.empty()) return;
    const platform::PhysicalMonitorHandle handle = desk_.HandleOf(monitor_);
    switch (payload[0]) {
        case 0x01: {  // Get VCP Feature
            if (payload.size() != 2) return;
            std::uint32_t type = 0, current = 0, maximum = 0;
            const std::uint8_t code = payload[1];
            if (desk_.GetVCPFeatureAndVCPFeatureReply(handle, code, &type, &current, &maximum) ==
                1) {
                Answer(
                    {0x02, 0x00, code, static_cast<std::uint8_t>(type),
                     static_cast<std::uint8_t>(maximum >> 8), static_cast<std::uint8_t>(maximum),
                     static_cast<std::uint8_t>(current >> 8), static_cast<std::uint8_t>(current)},
                    kVcpReplyMs);
            } else if (desk_.LastOutcome() == Outcome::Unsupported) {
                Answer({0x02, 0x01, code, 0, 0, 0, 0, 0}, kVcpReplyMs);
            }
            // Any other failure: the monitor has nothing to say; reads get the null message.
            return;
        }
        case 0x03:  // Set VCP Feature: no reply
            if (payload.size() != 4) return;
            desk_.SetVCPFeature(handle, payload[1],
                                static_cast<std::uint32_t>((payload[2] << 8) | payload[3]));
            return;
        case 0xF3: {  // Capabilities Request
            if (payload.size() != 3) return;
            const std::size_t offset = static_cast<std::size_t>((payload[1] << 8) | payload[2]);
            if (offset == 0) {
                std::uint32_t length = 0;
                capabilities_.clear();
                if (desk_.GetCapabilitiesStringLength(handle, &length) != 1 || length == 0) return;
                std::vector<char> text(length);
                if (desk_.CapabilitiesRequestAndCapabilitiesReply(handle, text.data(), length) != 1)
                    return;
                capabilities_.assign(text.data());
            }
            std::vector<std::uint8_t> reply = {0xE3, payload[1], payload[2]};
            if (offset < capabilities_.size()) {
                const std::size_t count = std::min<std::size_t>(32, capabilities_.size() - offset);
                reply.insert(reply.end(),
                             capabilities_.begin() + static_cast<std::ptrdiff_t>(offset),
                             capabilities_.begin() + static_cast<std::ptrdiff_t>(offset + count));
            }
            Answer(reply, kCapabilitiesReplyMs);
            return;
        }
        default:
            return;
    }
}

bool ByteFront::Read(std::uint8_t* data, std::size_t size, std::size_t* received) {
    *received = 0;
    const FrameFault fault = DrawFault(false);
    if (fault == FrameFault::Nak) return false;

    std::vector<std::uint8_t> frame = Frame({});  // the null message
    if (!reply_.empty()) {
        if (static_cast<std::int32_t>(clock_.TickCount() - replyReadyAt_) < 0)
            ++stats_.earlyReads;
        else
            frame = reply_;
    }
    if (fault == FrameFault::NullMessage) frame = Frame({});
    if (fault == FrameFault::BadChecksum) frame.back() ^= 0x5A;
    if (fault == FrameFault::Truncated) frame.resize(frame.size() / 2);
    ++stats_.replies;
    // The monitor sends no more than its frame; past it the bus reads idle high.
    std::fill(data, data + size, 0xFF);
    const std::size_t count = std::min(size, frame.size());
    std::copy(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(count), data);
    *received = fault == FrameFault::Truncated ? count : size;
    return true;
}

}  // namespace sim
