#include "ctl/ddc_wire.h"

namespace ddcci {

std::vector<std::uint8_t> EncodeRequest(const std::uint8_t* payload, std::size_t size) {
    if (size > kMaxPayload) size = kMaxPayload;
    std::vector<std::uint8_t> frame;
    frame.reserve(size + 3);
    frame.push_back(kHostSource);
    frame.push_back(static_cast<std::uint8_t>(kLengthFlag | size));
    frame.insert(frame.end(), payload, payload + size);
    std::uint8_t checksum = kRequestSeed;
    for (const std::uint8_t byte : frame) checksum ^= byte;
    frame.push_back(checksum);
    return frame;
}

std::vector<std::uint8_t> GetVcpRequest(std::uint8_t code) {
    const std::uint8_t payload[] = {kGetVcpRequest, code};
    return EncodeRequest(payload, sizeof payload);
}

std::vector<std::uint8_t> SetVcpRequest(std::uint8_t code, std::uint16_t value) {
    const std::uint8_t payload[] = {kSetVcpRequest, code, static_cast<std::uint8_t>(value >> 8),
                                    static_cast<std::uint8_t>(value & 0xFF)};
    return EncodeRequest(payload, sizeof payload);
}

std::vector<std::uint8_t> CapabilitiesRequest(std::uint16_t offset) {
    const std::uint8_t payload[] = {kCapabilitiesRequest, static_cast<std::uint8_t>(offset >> 8),
                                    static_cast<std::uint8_t>(offset & 0xFF)};
    return EncodeRequest(payload, sizeof payload);
}

const char* ReplyStatusName(ReplyStatus status) {
    switch (status) {
        case ReplyStatus::Ok:
            return "ok";
        case ReplyStatus::Null:
            return "null message";
        case ReplyStatus::Truncated:
            return "truncated reply";
        case ReplyStatus::BadSource:
            return "not a reply";
        case ReplyStatus::BadChecksum:
            return "bad checksum";
    }
    return "?";
}

ReplyStatus DecodeReply(const std::uint8_t* data, std::size_t size,
                        std::vector<std::uint8_t>* payload) {
    if (data == nullptr || size < 2) return ReplyStatus::Truncated;
    if (data[0] != kMonitorSource || (data[1] & kLengthFlag) == 0) return ReplyStatus::BadSource;
    const std::size_t length = data[1] & 0x7F;
    if (size < 2 + length + 1) return ReplyStatus::Truncated;
    std::uint8_t checksum = kReplySeed;
    for (std::size_t i = 0; i < 2 + length; ++i) checksum ^= data[i];
    if (checksum != data[2 + length]) return ReplyStatus::BadChecksum;
    if (length == 0) return ReplyStatus::Null;
    if (payload != nullptr) payload->assign(data + 2, data + 2 + length);
    return ReplyStatus::Ok;
}

bool ParseVcpReply(const std::vector<std::uint8_t>& payload, std::uint8_t code, VcpReply* reply) {
    if (payload.size() != 8 || payload[0] != kGetVcpReply || payload[2] != code) return false;
    if (payload[1] > 1) return false;
    VcpReply parsed;
    parsed.supported = payload[1] == 0;
    parsed.type = payload[3];
    parsed.maximum = static_cast<std::uint16_t>((payload[4] << 8) | payload[5]);
    parsed.current = static_cast<std::uint16_t>((payload[6] << 8) | payload[7]);
    if (reply != nullptr) *reply = parsed;
    return true;
}

bool ParseCapabilitiesReply(const std::vector<std::uint8_t>& payload, std::uint16_t offset,
                            std::string* fragment) {
    if (payload.size() < 3 || payload[0] != kCapabilitiesReply) return false;
    if (((payload[1] << 8) | payload[2]) != offset) return false;
    if (payload.size() - 3 > kMaxFragment) return false;
    if (fragment != nullptr) fragment->assign(payload.begin() + 3, payload.end());
    return true;
}

}  // namespace ddcci
