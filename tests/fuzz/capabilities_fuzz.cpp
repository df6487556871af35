// Feeds arbitrary bytes to both capabilities parsers. Beyond not crashing, the
// parsers must keep their promises: a failed parse adds nothing, every stored
// value is a byte or the "any value" marker, and every stored element answers
// its own lookup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "monitor/capabilities.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    FeatureMap features;
    const bool parsed = ParseCapabilities(text, features);
    Require(parsed || features.empty());
    for (const auto& [code, value] : features) {
        Require(value >= -1 && value <= 0xFF);
        Require(HasFeature(features, code, value));
        Require(HasFeature(features, code, -1));
    }

    ExtendedFeatureMap extended;
    const bool parsedExtended = ParseExtendedCapabilities(text, extended);
    Require(parsedExtended == !text.empty());
    for (const auto& [key, value] : extended) {
        Require(value >= -1 && value <= 0xFF);
        Require(HasExtendedFeature(extended, key.page, key.code, value));
    }
    return 0;
}
