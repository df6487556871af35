#include "sim/desk_config.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "sim/capability_lists.h"
#include "sim/mode_record.h"

namespace sim {
namespace {

using nlohmann::json;

// Collects the text of a JSON syntax error without letting the parser throw.
class ErrorCatcher : public nlohmann::json_sax<json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        message = ex.what();
        return false;
    }
    std::string message;
};

// Walks a parsed document and remembers the first problem with its path.
class Reader {
public:
    bool Fail(const std::string& path, const std::string& what) {
        if (error.empty()) error = path + ": " + what;
        return false;
    }

    bool Fields(const json& object, const std::string& path,
                std::initializer_list<const char*> known) {
        if (!object.is_object()) return Fail(path, "must be an object");
        for (const auto& item : object.items()) {
            if (!item.key().empty() && item.key()[0] == '_') continue;  // notes for people
            bool found = false;
            for (const char* name : known) found = found || item.key() == name;
            if (!found) return Fail(path, "unknown field \"" + item.key() + "\"");
        }
        return true;
    }

    bool Unsigned(const json& value, const std::string& path, std::uint64_t limit,
                  std::uint64_t* out) {
        if (!value.is_number_unsigned() || value.get<std::uint64_t>() > limit)
            return Fail(path, "must be a whole number from 0 to " + std::to_string(limit));
        *out = value.get<std::uint64_t>();
        return true;
    }

    bool Signed(const json& value, const std::string& path, std::int32_t* out) {
        if (value.is_number_unsigned() && value.get<std::uint64_t>() <= 0x7FFFFFFF) {
            *out = static_cast<std::int32_t>(value.get<std::uint64_t>());
            return true;
        }
        if (value.is_number_integer() && !value.is_number_unsigned() &&
            value.get<std::int64_t>() >= -0x7FFFFFFF) {
            *out = static_cast<std::int32_t>(value.get<std::int64_t>());
            return true;
        }
        return Fail(path, "must be a whole number");
    }

    bool Text(const json& value, const std::string& path, std::string* out) {
        if (!value.is_string()) return Fail(path, "must be a string");
        *out = value.get<std::string>();
        return true;
    }

    bool Flag(const json& value, const std::string& path, bool* out) {
        if (!value.is_boolean()) return Fail(path, "must be true or false");
        *out = value.get<bool>();
        return true;
    }

    bool Rectangle(const json& value, const std::string& path, platform::Rect* rect) {
        if (!Fields(value, path, {"x", "y", "width", "height"})) return false;
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::uint64_t width = 0;
        std::uint64_t height = 0;
        for (const char* name : {"x", "y", "width", "height"})
            if (!value.contains(name)) return Fail(path, std::string("needs \"") + name + "\"");
        if (!Signed(value["x"], path + ".x", &x) || !Signed(value["y"], path + ".y", &y) ||
            !Unsigned(value["width"], path + ".width", 0x10000, &width) ||
            !Unsigned(value["height"], path + ".height", 0x10000, &height))
            return false;
        if (width == 0 || height == 0) return Fail(path, "must not be empty");
        rect->left = x;
        rect->top = y;
        rect->right = x + static_cast<std::int32_t>(width);
        rect->bottom = y + static_cast<std::int32_t>(height);
        return true;
    }

    bool Bytes(const json& value, const std::string& path, std::vector<std::uint8_t>* bytes) {
        bytes->clear();
        if (value.is_array()) {
            for (std::size_t i = 0; i < value.size(); ++i) {
                std::uint64_t byte = 0;
                if (!Unsigned(value[i], path + "[" + std::to_string(i) + "]", 0xFF, &byte))
                    return false;
                bytes->push_back(static_cast<std::uint8_t>(byte));
            }
        } else if (value.is_string()) {
            // Hex pairs; white space between them is only for the reader.
            std::string digits;
            for (char c : value.get<std::string>()) {
                if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
                const bool hex =
                    (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
                if (!hex) return Fail(path, std::string("'") + c + "' is not a hex digit");
                digits += c;
            }
            if (digits.size() % 2 != 0) return Fail(path, "has an odd number of hex digits");
            auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
            for (std::size_t i = 0; i < digits.size(); i += 2)
                bytes->push_back(
                    static_cast<std::uint8_t>(nibble(digits[i]) * 16 + nibble(digits[i + 1])));
        } else {
            // A structured mode record (named fields instead of bytes) plugs in here.
            return Fail(path, "must be hex text or an array of bytes");
        }
        if (bytes->size() > 0xFFFF)
            return Fail(path, "is longer than a block can be (65535 bytes)");
        return true;
    }

    bool Register(const json& value, const std::string& path, RegisterValue* reg) {
        std::uint64_t number = 0;
        if (value.is_number()) {
            if (!Unsigned(value, path, 0xFFFF, &number)) return false;
            reg->current = static_cast<std::uint16_t>(number);
            return true;
        }
        if (value.is_array()) {
            if (value.size() != 2) return Fail(path, "must be [current, maximum]");
            std::uint64_t maximum = 0;
            if (!Unsigned(value[0], path + "[0]", 0xFFFF, &number) ||
                !Unsigned(value[1], path + "[1]", 0xFFFF, &maximum))
                return false;
            reg->current = static_cast<std::uint16_t>(number);
            reg->maximum = static_cast<std::uint16_t>(maximum);
        } else {
            if (!Fields(value, path, {"current", "maximum", "readOnly"})) return false;
            if (!value.contains("current")) return Fail(path, "needs \"current\"");
            if (!Unsigned(value["current"], path + ".current", 0xFFFF, &number)) return false;
            reg->current = static_cast<std::uint16_t>(number);
            if (value.contains("maximum")) {
                if (!Unsigned(value["maximum"], path + ".maximum", 0xFFFF, &number)) return false;
                reg->maximum = static_cast<std::uint16_t>(number);
            }
            if (value.contains("readOnly") &&
                !Flag(value["readOnly"], path + ".readOnly", &reg->readOnly))
                return false;
        }
        if (reg->current > reg->maximum) return Fail(path, "current value is above the maximum");
        return true;
    }

    bool Faults(const json& value, const std::string& path, FaultConfig* faults) {
        if (!Fields(value, path,
                    {"failNext", "failRate", "seed", "failReads", "dropBlockRead", "disconnected"}))
            return false;
        std::uint64_t number = 0;
        if (value.contains("failNext")) {
            if (!Unsigned(value["failNext"], path + ".failNext", 0xFFFFFFFF, &number)) return false;
            faults->failNext = static_cast<std::uint32_t>(number);
        }
        if (value.contains("failRate")) {
            const json& rate = value["failRate"];
            if (!rate.is_number() || rate.get<double>() < 0.0 || rate.get<double>() > 1.0)
                return Fail(path + ".failRate", "must be a number from 0 to 1");
            faults->failRate = rate.get<double>();
        }
        if (value.contains("seed")) {
            if (!Unsigned(value["seed"], path + ".seed", 0xFFFFFFFF, &number)) return false;
            faults->seed = static_cast<std::uint32_t>(number);
        }
        if (value.contains("failReads")) {
            const json& reads = value["failReads"];
            if (!reads.is_array()) return Fail(path + ".failReads", "must be a list of registers");
            for (std::size_t i = 0; i < reads.size(); ++i) {
                const std::string where = path + ".failReads[" + std::to_string(i) + "]";
                FailingRead read;
                std::string text;
                if (!Text(reads[i], where, &text)) return false;
                if (!ParseRegisterKey(text, &read.key))
                    return Fail(where, "\"" + text + "\" is not a register");
                read.anyPage = text.find(':') == std::string::npos;
                faults->failReads.push_back(read);
            }
        }
        if (value.contains("dropBlockRead")) {
            const json& drop = value["dropBlockRead"];
            const std::string where = path + ".dropBlockRead";
            if (!Fields(drop, where, {"block", "afterWords", "times"})) return false;
            if (!drop.contains("block")) return Fail(where, "needs \"block\"");
            if (!Unsigned(drop["block"], where + ".block", 3, &number)) return false;
            faults->dropBlockRead.block = static_cast<int>(number);
            if (drop.contains("afterWords")) {
                if (!Unsigned(drop["afterWords"], where + ".afterWords", 0xFFFFFFFF, &number))
                    return false;
                faults->dropBlockRead.afterWords = static_cast<std::uint32_t>(number);
            }
            if (drop.contains("times")) {
                if (!Unsigned(drop["times"], where + ".times", 0xFFFFFFFF, &number)) return false;
                faults->dropBlockRead.times = static_cast<std::uint32_t>(number);
            }
        }
        if (value.contains("disconnected") &&
            !Flag(value["disconnected"], path + ".disconnected", &faults->disconnected))
            return false;
        return true;
    }

    // "primaries": {"6": [591, 1988, 201], ...} and "whiteLuminance": {"6": 245.0, ...},
    // both keyed by colour temperature preset.
    bool LuminanceData(const json& value, const std::string& path, MonitorConfig* monitor) {
        std::uint64_t number = 0;
        if (value.contains("primaries")) {
            const json& table = value["primaries"];
            const std::string where = path + ".primaries";
            if (!table.is_object()) return Fail(where, "must be an object of presets");
            for (const auto& item : table.items()) {
                const std::string name = where + ".\"" + item.key() + "\"";
                std::uint16_t preset = 0;
                if (!Preset(item.key(), name, &preset)) return false;
                if (!item.value().is_array() || item.value().size() != 3)
                    return Fail(name, "must be [red, green, blue]");
                std::array<std::uint16_t, 3> primaries{};
                for (std::size_t i = 0; i < 3; ++i) {
                    if (!Unsigned(item.value()[i], name, 0xFFFF, &number)) return false;
                    primaries[i] = static_cast<std::uint16_t>(number);
                }
                monitor->primariesByPreset[preset] = primaries;
            }
        }
        if (value.contains("whiteLuminance")) {
            const json& table = value["whiteLuminance"];
            const std::string where = path + ".whiteLuminance";
            if (!table.is_object()) return Fail(where, "must be an object of presets");
            for (const auto& item : table.items()) {
                const std::string name = where + ".\"" + item.key() + "\"";
                std::uint16_t preset = 0;
                if (!Preset(item.key(), name, &preset)) return false;
                if (!item.value().is_number() || item.value().get<double>() < 0)
                    return Fail(name, "must be a luminance of 0 or more");
                monitor->whiteLuminance[preset] = item.value().get<double>();
            }
        }
        return true;
    }

    bool Preset(const std::string& text, const std::string& path, std::uint16_t* preset) {
        char* end = nullptr;
        const unsigned long parsed = std::strtoul(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || parsed > 0xFFFF)
            return Fail(path, "not a preset number");
        *preset = static_cast<std::uint16_t>(parsed);
        return true;
    }

    // Every register the capability texts announce must be there to answer.
    bool Consistent(const MonitorConfig& monitor, const std::string& path) {
        ListedRegisters listed;
        ListCapabilities(monitor.capabilities, &listed);
        if (monitor.maker) ListExtendedCapabilities(monitor.extendedCapabilities, &listed);
        std::string missing;
        for (const auto& entry : listed.values) {
            const RegisterKey key = entry.first;
            if (monitor.registers.count(key) != 0) continue;
            if (key.page == 0 && (key.code == 0x04 || key.code == 0x05 || key.code == 0x08))
                continue;
            if (monitor.maker && key.page == 0 && (key.code == 0xE0 || key.code == 0xE1)) continue;
            if (monitor.maker && key.page == 0x10 && key.code >= 0xE2 && key.code <= 0xED) continue;
            missing += (missing.empty() ? "" : " ") + FormatRegisterKey(key);
        }
        if (!missing.empty())
            return Fail(path,
                        "the capabilities list registers that \"registers\" lacks: " + missing);
        return true;
    }

    bool Monitor(const json& value, const std::string& path, MonitorConfig* monitor) {
        if (!Fields(value, path,
                    {"id", "maker", "description", "model", "serial", "capabilities",
                     "extendedCapabilities", "registers", "modeRecord", "modeInfo", "faults",
                     "primaries", "whiteLuminance"}))
            return false;
        if (value.contains("id") && !Text(value["id"], path + ".id", &monitor->id)) return false;
        if (value.contains("maker") && !Flag(value["maker"], path + ".maker", &monitor->maker))
            return false;
        if (value.contains("description") &&
            !Text(value["description"], path + ".description", &monitor->description))
            return false;
        if (value.contains("model") && !Text(value["model"], path + ".model", &monitor->model))
            return false;
        if (value.contains("serial") && !Text(value["serial"], path + ".serial", &monitor->serial))
            return false;
        if (value.contains("capabilities") &&
            !Text(value["capabilities"], path + ".capabilities", &monitor->capabilities))
            return false;
        if (value.contains("extendedCapabilities")) {
            if (!Text(value["extendedCapabilities"], path + ".extendedCapabilities",
                      &monitor->extendedCapabilities))
                return false;
            if (monitor->extendedCapabilities.size() > 0xFFFF)
                return Fail(path + ".extendedCapabilities",
                            "is longer than a block can be (65535 bytes)");
        }
        if (value.contains("modeRecord") &&
            !Bytes(value["modeRecord"], path + ".modeRecord", &monitor->modeRecord))
            return false;
        // Block 1 described by what the monitor offers rather than as raw bytes.
        if (value.contains("modeInfo")) {
            if (value.contains("modeRecord"))
                return Fail(path, "give \"modeRecord\" or \"modeInfo\", not both");
            ModeRecordDescription description;
            std::string problem;
            if (!ParseModeRecordDescription(value["modeInfo"], &description, &problem) ||
                !EncodeModeRecord(description, &monitor->modeRecord, &problem))
                return Fail(path, problem);
        }
        if (value.contains("registers")) {
            const json& registers = value["registers"];
            const std::string where = path + ".registers";
            if (!registers.is_object()) return Fail(where, "must be an object of registers");
            for (const auto& item : registers.items()) {
                const std::string name = where + ".\"" + item.key() + "\"";
                RegisterKey key;
                if (!ParseRegisterKey(item.key(), &key))
                    return Fail(name, "not a register (write \"10\" or \"30:E2\")");
                // Only the maker's monitors give 0xE1 its page-select meaning; another
                // monitor may list it (and 0xE0) as a register of its own.
                if (monitor->maker && key == RegisterKey{0, 0xE1})
                    return Fail(name, "the page select register is not stored");
                if (monitor->maker && key.page == 0x10 && key.code >= 0xE2 && key.code <= 0xED)
                    return Fail(name, "the block registers are made from the blocks");
                if (monitor->registers.count(key) != 0)
                    return Fail(name, "given twice (as " + FormatRegisterKey(key) + ")");
                RegisterValue reg;
                if (!Register(item.value(), name, &reg)) return false;
                monitor->registers[key] = reg;
            }
        }
        if (value.contains("faults") &&
            !Faults(value["faults"], path + ".faults", &monitor->faults))
            return false;
        if (!LuminanceData(value, path, monitor)) return false;
        return Consistent(*monitor, path);
    }

    bool Display(const json& value, const std::string& path, DisplayConfig* display) {
        if (!Fields(value, path, {"device", "rect", "work", "primary", "monitors"})) return false;
        if (!value.contains("device")) return Fail(path, "needs \"device\"");
        if (!Text(value["device"], path + ".device", &display->device)) return false;
        if (display->device.empty() || display->device.size() > 31)
            return Fail(path + ".device", "must be 1 to 31 characters");
        if (!value.contains("rect")) return Fail(path, "needs \"rect\"");
        if (!Rectangle(value["rect"], path + ".rect", &display->rect)) return false;
        display->work = display->rect;
        if (value.contains("work") && !Rectangle(value["work"], path + ".work", &display->work))
            return false;
        if (value.contains("primary") &&
            !Flag(value["primary"], path + ".primary", &display->primary))
            return false;
        if (value.contains("monitors")) {
            const json& monitors = value["monitors"];
            if (!monitors.is_array()) return Fail(path + ".monitors", "must be a list");
            for (std::size_t i = 0; i < monitors.size(); ++i) {
                MonitorConfig monitor;
                if (!Monitor(monitors[i], path + ".monitors[" + std::to_string(i) + "]", &monitor))
                    return false;
                display->monitors.push_back(std::move(monitor));
            }
        }
        return true;
    }

    bool Desk(const json& value, DeskConfig* desk) {
        if (!Fields(value, "desk", {"displays", "latency", "settle"})) return false;
        if (value.contains("latency")) {
            std::string latency;
            if (!Text(value["latency"], "latency", &latency)) return false;
            if (latency == "none")
                desk->latency = Latency::None;
            else if (latency == "ddcci")
                desk->latency = Latency::DdcCi;
            else
                return Fail("latency", "must be \"none\" or \"ddcci\"");
        }
        if (value.contains("settle")) {
            const json& settle = value["settle"];
            if (!Fields(settle, "settle", {"enforce", "toleranceMs"})) return false;
            if (settle.contains("enforce") &&
                !Flag(settle["enforce"], "settle.enforce", &desk->enforceSettle))
                return false;
            std::uint64_t tolerance = 0;
            if (settle.contains("toleranceMs")) {
                if (!Unsigned(settle["toleranceMs"], "settle.toleranceMs", 1000, &tolerance))
                    return false;
                desk->settleToleranceMs = static_cast<std::uint32_t>(tolerance);
            }
        }
        if (!value.contains("displays")) return Fail("desk", "needs \"displays\"");
        const json& displays = value["displays"];
        if (!displays.is_array()) return Fail("displays", "must be a list");
        std::set<std::string> devices;
        std::set<std::string> ids;
        for (std::size_t i = 0; i < displays.size(); ++i) {
            const std::string path = "displays[" + std::to_string(i) + "]";
            DisplayConfig display;
            if (!Display(displays[i], path, &display)) return false;
            std::string upper = display.device;
            for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            if (!devices.insert(upper).second)
                return Fail(path + ".device", "names a display twice");
            for (std::size_t m = 0; m < display.monitors.size(); ++m)
                if (!display.monitors[m].id.empty() && !ids.insert(display.monitors[m].id).second)
                    return Fail(path + ".monitors[" + std::to_string(m) + "].id", "is used twice");
            desk->displays.push_back(std::move(display));
        }
        return true;
    }

    std::string error;
};

}  // namespace

bool ParseDeskConfig(std::string_view text, DeskConfig* config, std::string* error) {
    const json document = json::parse(text.begin(), text.end(), nullptr, false);
    if (document.is_discarded()) {
        ErrorCatcher catcher;
        json::sax_parse(text.begin(), text.end(), &catcher);
        if (error) *error = "not valid JSON: " + catcher.message;
        return false;
    }
    DeskConfig parsed;
    Reader reader;
    if (!reader.Desk(document, &parsed)) {
        if (error) *error = reader.error;
        return false;
    }
    *config = std::move(parsed);
    return true;
}

bool LoadDeskConfig(const std::string& path, DeskConfig* config, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (error) *error = path + ": cannot be opened";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string problem;
    if (!ParseDeskConfig(text.str(), config, &problem)) {
        if (error) *error = path + ": " + problem;
        return false;
    }
    config->statePath = StatePathFor(path);
    return true;
}

std::string StatePathFor(const std::string& configPath) {
    const auto slash = configPath.find_last_of("/\\");
    const auto dot = configPath.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return configPath.substr(0, dot) + ".state.json";
    return configPath + ".state.json";
}

}  // namespace sim
