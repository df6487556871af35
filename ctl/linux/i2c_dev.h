#pragma once
// /dev/i2c-N through the kernel's i2c-dev interface.
#include <string>

#include "platform/i2c_bus.h"

// The one line a user reads when /dev/i2c-N cannot be opened, saying what to do.
std::string I2cOpenProblem(const std::string& path, int error);

class LinuxI2cBuses : public platform::I2cBuses {
public:
    // `folder` holds the i2c-N device files ("/dev").
    explicit LinuxI2cBuses(std::string folder = "/dev") : m_folder(std::move(folder)) {}
    std::unique_ptr<platform::I2cDevice> Open(int bus, std::uint8_t address,
                                              std::string* problem) override;

private:
    std::string m_folder;
};
