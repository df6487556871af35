#include "ctl/linux/i2c_dev.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

platform::I2cResult ResultOf(ssize_t done, std::size_t wanted) {
    if (done >= 0 && static_cast<std::size_t>(done) == wanted) return platform::I2cResult::Ok;
    if (done < 0 && (errno == ENXIO || errno == EREMOTEIO || errno == EIO || errno == EAGAIN))
        return platform::I2cResult::Nak;
    return platform::I2cResult::Failed;
}

class LinuxI2cDevice : public platform::I2cDevice {
public:
    explicit LinuxI2cDevice(int fd) : m_fd(fd) {}
    ~LinuxI2cDevice() override { ::close(m_fd); }

    platform::I2cResult Write(const std::uint8_t* data, std::size_t size) override {
        return ResultOf(::write(m_fd, data, size), size);
    }
    platform::I2cResult Read(std::uint8_t* data, std::size_t size, std::size_t* received) override {
        const ssize_t done = ::read(m_fd, data, size);
        *received = done > 0 ? static_cast<std::size_t>(done) : 0;
        if (done > 0) return platform::I2cResult::Ok;
        return ResultOf(done, size);
    }

private:
    int m_fd;
};

}  // namespace

std::string I2cOpenProblem(const std::string& path, int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "no permission to open " + path +
                   ": add your user to the i2c group (sudo usermod -aG i2c $USER) and log in again";
        case ENOENT:
            return path + " does not exist: load the i2c-dev module (sudo modprobe i2c-dev)";
        case EBUSY:
            return path + " is held by a kernel driver at the monitor's address";
        default:
            return "cannot open " + path + ": " + std::strerror(error);
    }
}

std::unique_ptr<platform::I2cDevice> LinuxI2cBuses::Open(int bus, std::uint8_t address,
                                                         std::string* problem) {
    const std::string path = m_folder + "/i2c-" + std::to_string(bus);
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        if (problem != nullptr) *problem = I2cOpenProblem(path, errno);
        return nullptr;
    }
    if (::ioctl(fd, I2C_SLAVE, static_cast<long>(address)) < 0) {
        const int error = errno;
        ::close(fd);
        if (problem != nullptr) *problem = I2cOpenProblem(path, error);
        return nullptr;
    }
    return std::make_unique<LinuxI2cDevice>(fd);
}
