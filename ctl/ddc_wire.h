#pragma once
// The DDC/CI message format on the I2C bus. A request goes to the monitor's
// address 0x37 as: source 0x51, length | 0x80, payload, checksum. A reply
// comes back as: source 0x6E, length | 0x80, payload, checksum. Checksums are
// the XOR of every byte, seeded with the address the sender talks to: 0x6E
// (the monitor's write address) for requests, 0x50 (the host's) for replies.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ddcci {

inline constexpr std::uint8_t kMonitorAddress = 0x37;  // 7-bit
inline constexpr std::uint8_t kHostSource = 0x51;
inline constexpr std::uint8_t kMonitorSource = 0x6E;
inline constexpr std::uint8_t kRequestSeed = 0x6E;
inline constexpr std::uint8_t kReplySeed = 0x50;
inline constexpr std::uint8_t kLengthFlag = 0x80;

inline constexpr std::uint8_t kGetVcpRequest = 0x01;
inline constexpr std::uint8_t kGetVcpReply = 0x02;
inline constexpr std::uint8_t kSetVcpRequest = 0x03;
inline constexpr std::uint8_t kCapabilitiesRequest = 0xF3;
inline constexpr std::uint8_t kCapabilitiesReply = 0xE3;

// Largest payload the length byte can announce.
inline constexpr std::size_t kMaxPayload = 0x7F;
// A capabilities fragment carries at most this many bytes of the string.
inline constexpr std::size_t kMaxFragment = 32;
// Bytes to read for a reply: source, length, payload, checksum.
inline constexpr std::size_t kVcpReplySize = 2 + 8 + 1;
inline constexpr std::size_t kCapabilitiesReplySize = 2 + 3 + kMaxFragment + 1;

std::vector<std::uint8_t> EncodeRequest(const std::uint8_t* payload, std::size_t size);
std::vector<std::uint8_t> GetVcpRequest(std::uint8_t code);
std::vector<std::uint8_t> SetVcpRequest(std::uint8_t code, std::uint16_t value);
std::vector<std::uint8_t> CapabilitiesRequest(std::uint16_t offset);

enum class ReplyStatus {
    Ok,
    Null,       // the null message: the monitor has nothing to say (yet)
    Truncated,  // fewer bytes than the length byte announces
    BadSource,  // not from the monitor, or no length flag
    BadChecksum,
};
const char* ReplyStatusName(ReplyStatus status);

// Checks the frame at the start of `data` (trailing bytes are ignored: a read
// may ask for more than the monitor sends) and gives its payload.
ReplyStatus DecodeReply(const std::uint8_t* data, std::size_t size,
                        std::vector<std::uint8_t>* payload);

struct VcpReply {
    bool supported = false;  // result code 0; 1 means the monitor has no such code
    std::uint8_t type = 0;
    std::uint16_t maximum = 0;
    std::uint16_t current = 0;
};
// A Get VCP reply for `code`. False for any other message, another code or a
// result code other than 0 and 1.
bool ParseVcpReply(const std::vector<std::uint8_t>& payload, std::uint8_t code, VcpReply* reply);

// A capabilities fragment for `offset`; *fragment gets its bytes (empty at the
// end of the string). False for any other message or offset.
bool ParseCapabilitiesReply(const std::vector<std::uint8_t>& payload, std::uint16_t offset,
                            std::string* fragment);

}  // namespace ddcci
