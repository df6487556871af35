#include "platform/win32/ddc_api_win32.h"

#include <cwchar>
#include <vector>

#include "platform/win32/low_level_monitor_config.h"

namespace platform {
namespace {

HANDLE AsHandle(PhysicalMonitorHandle monitor) {
    return reinterpret_cast<HANDLE>(monitor);
}

// The description field is a fixed array the driver fills; it is not guaranteed
// to carry its NUL, so the length is bounded by the array.
std::string DescriptionToCodePage(const WCHAR* text) {
    const int length = static_cast<int>(wcsnlen(text, PHYSICAL_MONITOR_DESCRIPTION_SIZE));
    if (length == 0) return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

}  // namespace

int Win32DdcApi::GetNumberOfPhysicalMonitorsFromHMONITOR(DisplayHandle display,
                                                         std::uint32_t* count) {
    DWORD number = 0;
    const BOOL result =
        ::GetNumberOfPhysicalMonitorsFromHMONITOR(reinterpret_cast<HMONITOR>(display), &number);
    if (count != nullptr) *count = number;
    return result;
}

int Win32DdcApi::GetPhysicalMonitorsFromHMONITOR(DisplayHandle display, std::uint32_t count,
                                                 PhysicalMonitor* monitors) {
    if (monitors == nullptr || count == 0) return FALSE;
    std::vector<PHYSICAL_MONITOR> raw(count);
    for (auto& monitor : raw) {
        monitor.hPhysicalMonitor = nullptr;
        monitor.szPhysicalMonitorDescription[0] = L'\0';
    }
    const BOOL result =
        ::GetPhysicalMonitorsFromHMONITOR(reinterpret_cast<HMONITOR>(display), count, raw.data());
    if (result) {
        for (std::uint32_t i = 0; i < count; ++i) {
            monitors[i].handle = reinterpret_cast<PhysicalMonitorHandle>(raw[i].hPhysicalMonitor);
            monitors[i].description = DescriptionToCodePage(raw[i].szPhysicalMonitorDescription);
        }
    }
    return result;
}

int Win32DdcApi::GetCapabilitiesStringLength(PhysicalMonitorHandle monitor, std::uint32_t* length) {
    DWORD characters = 0;
    const BOOL result = ::GetCapabilitiesStringLength(AsHandle(monitor), &characters);
    if (length != nullptr) *length = characters;
    return result;
}

int Win32DdcApi::CapabilitiesRequestAndCapabilitiesReply(PhysicalMonitorHandle monitor,
                                                         char* buffer, std::uint32_t length) {
    return ::CapabilitiesRequestAndCapabilitiesReply(AsHandle(monitor), buffer, length);
}

int Win32DdcApi::GetVCPFeatureAndVCPFeatureReply(PhysicalMonitorHandle monitor, std::uint8_t code,
                                                 std::uint32_t* type, std::uint32_t* current,
                                                 std::uint32_t* maximum) {
    MC_VCP_CODE_TYPE codeType = MC_SET_PARAMETER;
    DWORD currentValue = 0;
    DWORD maximumValue = 0;
    const BOOL result = ::GetVCPFeatureAndVCPFeatureReply(AsHandle(monitor), code, &codeType,
                                                          &currentValue, &maximumValue);
    if (type != nullptr) *type = static_cast<std::uint32_t>(codeType);
    if (current != nullptr) *current = currentValue;
    if (maximum != nullptr) *maximum = maximumValue;
    return result;
}

int Win32DdcApi::SetVCPFeature(PhysicalMonitorHandle monitor, std::uint8_t code,
                               std::uint32_t value) {
    return ::SetVCPFeature(AsHandle(monitor), code, value);
}

void Win32DdcApi::DestroyPhysicalMonitors(std::uint32_t count, const PhysicalMonitor* monitors) {
    if (monitors == nullptr || count == 0) return;
    std::vector<PHYSICAL_MONITOR> raw(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        raw[i].hPhysicalMonitor = AsHandle(monitors[i].handle);
        raw[i].szPhysicalMonitorDescription[0] = L'\0';
    }
    ::DestroyPhysicalMonitors(count, raw.data());
}

}  // namespace platform
