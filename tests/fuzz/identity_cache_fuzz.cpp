// The monitors vistrelctl keeps between runs come back from a file of the
// user's: whatever it holds, reading it stays inside its buffers, and what is
// accepted is exactly what would have been written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ctl/identity_cache.h"

namespace {

class FixedFile : public IdentityCacheFile {
public:
    explicit FixedFile(std::string text) : m_text(std::move(text)) {}
    std::string Load() override { return m_text; }
    bool Save(const std::string& text) override {
        m_text = text;
        return true;
    }
    std::string m_text;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<KnownMonitor> monitors;
    if (DecodeKnownMonitors(text, &monitors)) {
        if (EncodeKnownMonitors(monitors) != text) std::abort();
    } else if (!monitors.empty()) {
        std::abort();
    }
    // The same bytes taken for the lines behind a header that matched them.
    if (DecodeKnownMonitorLines(text, &monitors)) {
        std::vector<KnownMonitor> again;
        if (!DecodeKnownMonitors(EncodeKnownMonitors(monitors), &again) ||
            again.size() != monitors.size())
            std::abort();
    } else if (!monitors.empty()) {
        std::abort();
    }
    // And for an EDID.
    MonitorKeyFromEdid(std::vector<std::uint8_t>(data, data + size));

    // A run over that file: look up, learn, save, and read back what was saved.
    FixedFile file(text);
    IdentityCache cache(file);
    KnownMonitor learned;
    learned.key = "ORX-0001-00000002-0123456789abcdef";
    learned.capabilities = text.substr(0, 64);
    cache.Find(learned.key);
    cache.Put(learned);
    cache.Save();
    std::vector<KnownMonitor> saved;
    if (!DecodeKnownMonitors(file.m_text, &saved) || saved.empty() || saved[0].key != learned.key)
        std::abort();
    return 0;
}
