#include "support/scripted_ddc.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

namespace testing_support {

namespace {

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

void TracingClock::Sleep(std::uint32_t milliseconds) {
    VirtualClock::Sleep(milliseconds);
    trace_.push_back("sleep " + std::to_string(milliseconds));
}

ScriptedDdc::Key ScriptedDdc::KeyOf(std::uint8_t code) const {
    return {code >= 0xE2 ? selectedPage : std::uint16_t{0}, code};
}

void ScriptedDdc::SetRegister(std::uint16_t page, std::uint8_t code, std::uint32_t current,
                              std::uint32_t maximum) {
    Reg& reg = registers_[{page, code}];
    reg.current = current;
    reg.maximum = maximum;
}

std::uint32_t ScriptedDdc::Register(std::uint16_t page, std::uint8_t code) const {
    auto it = registers_.find({page, code});
    return it == registers_.end() ? 0 : it->second.current;
}

void ScriptedDdc::FailReads(std::uint16_t page, std::uint8_t code, int count) {
    ScriptReads(page, code, std::string(static_cast<std::size_t>(count), 'x'));
}

void ScriptedDdc::ScriptReads(std::uint16_t page, std::uint8_t code, const std::string& pattern) {
    Reg& reg = registers_[{page, code}];
    reg.readFails.clear();
    for (char c : pattern) reg.readFails.push_back(c == 'x');
}

void ScriptedDdc::FailAllReads(std::uint16_t page, std::uint8_t code) {
    registers_[{page, code}].alwaysFail = true;
}

void ScriptedDdc::FailWrites(std::uint16_t page, std::uint8_t code, int count) {
    ScriptWrites(page, code, std::string(static_cast<std::size_t>(count), 'x'));
}

void ScriptedDdc::ScriptWrites(std::uint16_t page, std::uint8_t code, const std::string& pattern) {
    Reg& reg = registers_[{page, code}];
    reg.writeFails.clear();
    for (char c : pattern) reg.writeFails.push_back(c == 'x');
}

void ScriptedDdc::SetBlock(int block, const std::string& data, std::int64_t length) {
    Block& b = blocks_[block];
    b.data = data;
    b.length =
        length < 0 ? static_cast<std::uint32_t>(data.size()) : static_cast<std::uint32_t>(length);
    b.offset = 0;
}

int ScriptedDdc::GetNumberOfPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display,
                                                         std::uint32_t* count) {
    trace_.push_back("count " + Hex(static_cast<std::uint32_t>(display)));
    auto result = countResult.find(display);
    if (result != countResult.end() && result->second != 1) return result->second;
    auto it = displays.find(display);
    *count = it == displays.end() ? 0 : static_cast<std::uint32_t>(it->second.size());
    auto over = countOverride.find(display);
    if (over != countOverride.end()) *count = over->second;
    return 1;
}

int ScriptedDdc::GetPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display,
                                                 std::uint32_t count,
                                                 platform::PhysicalMonitor* monitors) {
    trace_.push_back("monitors " + Hex(static_cast<std::uint32_t>(display)));
    auto result = monitorsResult.find(display);
    if (result != monitorsResult.end() && result->second != 1) return result->second;
    auto it = displays.find(display);
    if (it == displays.end()) return 0;
    for (std::uint32_t i = 0; i < count && i < it->second.size(); ++i) monitors[i] = it->second[i];
    return 1;
}

int ScriptedDdc::GetCapabilitiesStringLength(platform::PhysicalMonitorHandle monitor,
                                             std::uint32_t* length) {
    trace_.push_back("caplen " + Hex(static_cast<std::uint32_t>(monitor)));
    auto fails = capabilityFailures.find(monitor);
    if (fails != capabilityFailures.end() && fails->second > 0) {
        --fails->second;
        return 0;
    }
    auto it = capabilities.find(monitor);
    if (it == capabilities.end()) return 0;
    auto forced = capabilityLength.find(monitor);
    *length = forced != capabilityLength.end() ? forced->second
                                               : static_cast<std::uint32_t>(it->second.size() + 1);
    return 1;
}

int ScriptedDdc::CapabilitiesRequestAndCapabilitiesReply(platform::PhysicalMonitorHandle monitor,
                                                         char* buffer, std::uint32_t length) {
    trace_.push_back("caps " + Hex(static_cast<std::uint32_t>(monitor)));
    auto it = capabilities.find(monitor);
    if (it == capabilities.end()) return 0;
    if (unterminatedReply) {
        for (std::uint32_t i = 0; i < length; ++i) buffer[i] = 'x';
        return 1;
    }
    if (length == 0) return 1;
    const std::size_t n = std::min<std::size_t>(it->second.size(), length - 1);
    std::memcpy(buffer, it->second.data(), n);
    buffer[n] = '\0';
    return 1;
}

int ScriptedDdc::GetVCPFeatureAndVCPFeatureReply(platform::PhysicalMonitorHandle monitor,
                                                 std::uint8_t code, std::uint32_t* type,
                                                 std::uint32_t* current, std::uint32_t* maximum) {
    trace_.push_back("get " + Hex(code));
    const Key key = KeyOf(code);
    Reg& reg = registers_[key];
    if (reg.alwaysFail) return 0;
    if (!reg.readFails.empty()) {
        const bool fail = reg.readFails.front();
        reg.readFails.pop_front();
        if (fail) return 0;
    }
    *type = 0;
    if (key.first == 0x10 && code <= 0xED) {
        const int block = (code - 0xE2) / 3;
        const int role = (code - 0xE2) % 3;
        Block& b = blocks_[block];
        if (role == 0) {
            *current = b.length;
            *maximum = 0;
        } else if (role == 1) {
            *current = b.offset;
            *maximum = 0;
        } else {
            auto byteAt = [&](std::uint32_t i) -> std::uint32_t {
                return i < b.data.size() ? static_cast<unsigned char>(b.data[i]) : 0u;
            };
            *maximum = (byteAt(b.offset) << 8) | byteAt(b.offset + 1);
            *current = (byteAt(b.offset + 2) << 8) | byteAt(b.offset + 3);
            b.offset += 4;
        }
        return 1;
    }
    *current = reg.current;
    *maximum = reg.maximum;
    return 1;
}

int ScriptedDdc::SetVCPFeature(platform::PhysicalMonitorHandle monitor, std::uint8_t code,
                               std::uint32_t value) {
    trace_.push_back("set " + Hex(code) + "=" + Hex(value));
    const Key key = KeyOf(code);
    Reg& reg = registers_[key];
    if (!reg.writeFails.empty()) {
        const bool fail = reg.writeFails.front();
        reg.writeFails.pop_front();
        if (fail) return 0;
    }
    if (code == 0xE1) selectedPage = static_cast<std::uint16_t>(value);
    if (key.first == 0x10 && code <= 0xED && (code - 0xE2) % 3 == 1)
        blocks_[(code - 0xE2) / 3].offset = value;
    reg.current = value;
    return 1;
}

void ScriptedDdc::DestroyPhysicalMonitors(std::uint32_t count,
                                          const platform::PhysicalMonitor* monitors) {
    for (std::uint32_t i = 0; i < count; ++i) destroyed.push_back(monitors[i].handle);
}

FakeDesktop::Display& FakeDesktop::Add(const std::string& device, std::int32_t left,
                                       std::int32_t top) {
    Display display;
    display.handle = 0x100 + displays.size();
    display.info.rcMonitor = {left, top, left + 1920, top + 1080};
    display.info.rcWork = display.info.rcMonitor;
    display.info.szDevice = device;
    displays.push_back(display);
    return displays.back();
}

int FakeDesktop::EnumDisplayMonitors(const std::function<bool(platform::DisplayHandle)>& visit) {
    for (const Display& display : displays) {
        if (!visit(display.handle)) break;
    }
    return enumResult;
}

int FakeDesktop::GetMonitorInfo(platform::DisplayHandle display, platform::DisplayInfo* info) {
    for (const Display& d : displays) {
        if (d.handle == display) {
            if (d.infoFails) return 0;
            *info = d.info;
            return 1;
        }
    }
    return 0;
}

int FakeMakerLibrary::QrxFindMonitors(std::int32_t* count, std::int32_t flags) {
    trace_.push_back("find");
    findFlags.push_back(flags);
    if (emptyFinds > 0) {
        --emptyFinds;
        *count = 0;
        return 0;
    }
    *count = static_cast<std::int32_t>(positions.size());
    return 0;
}

int FakeMakerLibrary::QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record,
                                        std::int32_t flags) {
    trace_.push_back("info " + std::to_string(index));
    infoFlags.push_back(flags);
    if (index < 0 || static_cast<std::size_t>(index) >= positions.size()) return -1;
    const Position& p = positions[static_cast<std::size_t>(index)];
    std::memcpy(record + kRecordXOffset, &p.x, 4);
    std::memcpy(record + kRecordYOffset, &p.y, 4);
    return p.result;
}

bool FakeProcesses::Snapshot(std::vector<platform::ProcessEntry>* processes) {
    ++snapshots;
    if (snapshotFails) return false;
    *processes = running;
    return true;
}

}  // namespace testing_support
