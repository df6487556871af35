// dxva2.dll for Wine: the Monitor Configuration calls answered by the simulated
// monitors. A real display of the desktop reaches the simulator's display of the
// same device name; physical monitor handles are the simulator's own.
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/low_level_monitor_config.h"
#include "sim/dll/desk_host.h"

namespace {

platform::PhysicalMonitorHandle AsSimHandle(HANDLE monitor) {
    return reinterpret_cast<platform::PhysicalMonitorHandle>(monitor);
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Descriptions are UTF-8 in the configuration and a fixed UTF-16 array here; a
// long one is cut so the array always keeps its terminator.
void CopyDescription(const std::string& description, WCHAR* target) {
    target[0] = L'\0';
    if (description.empty()) return;
    const int capacity = PHYSICAL_MONITOR_DESCRIPTION_SIZE - 1;
    const int written = MultiByteToWideChar(CP_UTF8, 0, description.data(),
                                            static_cast<int>(description.size()), target, capacity);
    if (written > 0) {
        target[written] = L'\0';
        return;
    }
    // Longer than the array: convert the whole text, keep what fits.
    const int needed = MultiByteToWideChar(CP_UTF8, 0, description.data(),
                                           static_cast<int>(description.size()), nullptr, 0);
    if (needed <= 0) return;
    std::vector<WCHAR> whole(static_cast<std::size_t>(needed));
    MultiByteToWideChar(CP_UTF8, 0, description.data(), static_cast<int>(description.size()),
                        whole.data(), needed);
    std::memcpy(target, whole.data(), sizeof(WCHAR) * static_cast<std::size_t>(capacity));
    target[capacity] = L'\0';
}

}  // namespace

extern "C" {

BOOL WINAPI GetNumberOfPhysicalMonitorsFromHMONITOR(HMONITOR hMonitor,
                                                    LPDWORD pdwNumberOfPhysicalMonitors) {
    if (pdwNumberOfPhysicalMonitors == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    const platform::DisplayHandle display = sim_dll::SimDisplayOf(*desk, hMonitor);
    if (display == 0) return Fail(ERROR_INVALID_HANDLE);
    std::uint32_t count = 0;
    if (!desk->GetNumberOfPhysicalMonitorsFromHMONITOR(display, &count))
        return Fail(ERROR_GEN_FAILURE);
    *pdwNumberOfPhysicalMonitors = count;
    return TRUE;
}

BOOL WINAPI GetPhysicalMonitorsFromHMONITOR(HMONITOR hMonitor, DWORD dwPhysicalMonitorArraySize,
                                            LPPHYSICAL_MONITOR pPhysicalMonitorArray) {
    if (pPhysicalMonitorArray == nullptr || dwPhysicalMonitorArraySize == 0)
        return Fail(ERROR_INVALID_PARAMETER);
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    const platform::DisplayHandle display = sim_dll::SimDisplayOf(*desk, hMonitor);
    if (display == 0) return Fail(ERROR_INVALID_HANDLE);
    // Sized by the display's own count, not by the caller's: a wrong array size
    // must not turn into a huge allocation here.
    std::uint32_t count = 0;
    if (!desk->GetNumberOfPhysicalMonitorsFromHMONITOR(display, &count))
        return Fail(ERROR_GEN_FAILURE);
    if (dwPhysicalMonitorArraySize < count) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::vector<platform::PhysicalMonitor> monitors(count);
    if (count == 0 || !desk->GetPhysicalMonitorsFromHMONITOR(display, count, monitors.data())) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        pPhysicalMonitorArray[i].hPhysicalMonitor = reinterpret_cast<HANDLE>(monitors[i].handle);
        CopyDescription(monitors[i].description,
                        pPhysicalMonitorArray[i].szPhysicalMonitorDescription);
    }
    return TRUE;
}

BOOL WINAPI DestroyPhysicalMonitors(DWORD dwPhysicalMonitorArraySize,
                                    LPPHYSICAL_MONITOR pPhysicalMonitorArray) {
    if (pPhysicalMonitorArray == nullptr && dwPhysicalMonitorArraySize != 0)
        return Fail(ERROR_INVALID_PARAMETER);
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    for (DWORD i = 0; i < dwPhysicalMonitorArraySize; ++i) {
        platform::PhysicalMonitor monitor;
        monitor.handle = AsSimHandle(pPhysicalMonitorArray[i].hPhysicalMonitor);
        desk->DestroyPhysicalMonitors(1, &monitor);
    }
    return TRUE;
}

BOOL WINAPI DestroyPhysicalMonitor(HANDLE hMonitor) {
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    platform::PhysicalMonitor monitor;
    monitor.handle = AsSimHandle(hMonitor);
    desk->DestroyPhysicalMonitors(1, &monitor);
    return TRUE;
}

BOOL WINAPI GetCapabilitiesStringLength(HANDLE hMonitor,
                                        LPDWORD pdwCapabilitiesStringLengthInCharacters) {
    if (pdwCapabilitiesStringLengthInCharacters == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    std::uint32_t length = 0;
    if (!desk->GetCapabilitiesStringLength(AsSimHandle(hMonitor), &length))
        return Fail(ERROR_GEN_FAILURE);
    *pdwCapabilitiesStringLengthInCharacters = length;
    return TRUE;
}

BOOL WINAPI CapabilitiesRequestAndCapabilitiesReply(HANDLE hMonitor,
                                                    LPSTR pszASCIICapabilitiesString,
                                                    DWORD dwCapabilitiesStringLengthInCharacters) {
    if (pszASCIICapabilitiesString == nullptr || dwCapabilitiesStringLengthInCharacters == 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    if (!desk->CapabilitiesRequestAndCapabilitiesReply(AsSimHandle(hMonitor),
                                                       pszASCIICapabilitiesString,
                                                       dwCapabilitiesStringLengthInCharacters)) {
        return Fail(ERROR_GEN_FAILURE);
    }
    return TRUE;
}

BOOL WINAPI GetVCPFeatureAndVCPFeatureReply(HANDLE hMonitor, BYTE bVCPCode, LPMC_VCP_CODE_TYPE pvct,
                                            LPDWORD pdwCurrentValue, LPDWORD pdwMaximumValue) {
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    std::uint32_t type = MC_SET_PARAMETER;
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (!desk->GetVCPFeatureAndVCPFeatureReply(AsSimHandle(hMonitor), bVCPCode, &type, &current,
                                               &maximum)) {
        return Fail(ERROR_GEN_FAILURE);
    }
    if (pvct != nullptr) *pvct = type == MC_MOMENTARY ? MC_MOMENTARY : MC_SET_PARAMETER;
    if (pdwCurrentValue != nullptr) *pdwCurrentValue = current;
    if (pdwMaximumValue != nullptr) *pdwMaximumValue = maximum;
    return TRUE;
}

BOOL WINAPI SetVCPFeature(HANDLE hMonitor, BYTE bVCPCode, DWORD dwNewValue) {
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return Fail(ERROR_GEN_FAILURE);
    if (!desk->SetVCPFeature(AsSimHandle(hMonitor), bVCPCode, dwNewValue))
        return Fail(ERROR_GEN_FAILURE);
    return TRUE;
}

// The rest of dxva2's monitor and video exports exist so that anything importing
// them still loads; none of them does anything with the simulated monitors. The
// .def routes every such name here. x64 callers clean up their own arguments.
BOOL WINAPI StandInUnsupportedCall() {
    return Fail(ERROR_NOT_SUPPORTED);
}
HRESULT WINAPI StandInUnsupportedComCall() {
    return E_NOTIMPL;
}

}  // extern "C"
