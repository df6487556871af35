// Replies come off the bus from whatever answers at the monitor's address: the
// decoder, and the transport that reads replies, fragments and retries on top
// of it, must stay inside their buffers and end whatever arrives.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ctl/ddc_wire.h"
#include "ctl/i2c_desk.h"

namespace {

class NoClock : public platform::Clock {
public:
    void Sleep(std::uint32_t) override {}
    std::uint32_t TickCount() override { return 0; }
};

// A device that answers every read with the next piece of the fuzzer's input.
class FuzzedDevice : public platform::I2cDevice {
public:
    FuzzedDevice(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    platform::I2cResult Write(const std::uint8_t*, std::size_t) override {
        return Next() % 7 == 0 ? platform::I2cResult::Nak : platform::I2cResult::Ok;
    }
    platform::I2cResult Read(std::uint8_t* data, std::size_t size, std::size_t* received) override {
        const std::size_t count = Next() % (size + 1);
        for (std::size_t i = 0; i < count; ++i) data[i] = Next();
        *received = count;
        return count == 0 && m_at >= m_size ? platform::I2cResult::Nak : platform::I2cResult::Ok;
    }

private:
    std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

class FuzzedBuses : public platform::I2cBuses {
public:
    FuzzedBuses(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::unique_ptr<platform::I2cDevice> Open(int, std::uint8_t, std::string*) override {
        return std::make_unique<FuzzedDevice>(m_data, m_size);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> payload;
    if (ddcci::DecodeReply(data, size, &payload) == ddcci::ReplyStatus::Ok) {
        ddcci::VcpReply reply;
        ddcci::ParseVcpReply(payload, size > 0 ? data[0] : 0, &reply);
        std::string fragment;
        ddcci::ParseCapabilitiesReply(payload, 0, &fragment);
    }

    NoClock clock;
    FuzzedBuses buses(data, size);
    I2cDesk desk({I2cDisplay{"card0-DP-1", 3, {}}}, buses, clock);
    std::uint32_t type = 0, current = 0, maximum = 0, length = 0;
    desk.GetVCPFeatureAndVCPFeatureReply(0x100, 0x10, &type, &current, &maximum);
    if (desk.GetCapabilitiesStringLength(0x100, &length) == 1 && length > 0 && length < 0x10000) {
        std::vector<char> text(length);
        desk.CapabilitiesRequestAndCapabilitiesReply(0x100, text.data(), length);
    }
    return 0;
}
