#pragma once
// An I2C bus as a DDC/CI transport needs it: a device opened at the display's
// DDC/CI address, whole messages written to it and read from it. On Linux this
// is /dev/i2c-N; tests put a simulated monitor behind it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class I2cResult {
    Ok,
    Nak,     // the device did not acknowledge: busy, or nobody at the address
    Failed,  // the bus itself failed; the message may or may not have arrived
};

class I2cDevice {
public:
    virtual ~I2cDevice() = default;
    // One write message of `size` bytes to the device's address.
    virtual I2cResult Write(const std::uint8_t* data, std::size_t size) = 0;
    // One read message of up to `size` bytes; *received tells how many came.
    virtual I2cResult Read(std::uint8_t* data, std::size_t size, std::size_t* received) = 0;
};

class I2cBuses {
public:
    virtual ~I2cBuses() = default;
    // Opens bus `bus` addressed at the 7-bit `address`. Null, with one line for
    // the user in *problem, when it cannot be opened.
    virtual std::unique_ptr<I2cDevice> Open(int bus, std::uint8_t address,
                                            std::string* problem) = 0;
};

}  // namespace platform
