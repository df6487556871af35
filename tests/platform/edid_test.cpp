#include "platform/minfolib/edid.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/minfolib/maker_record.h"

namespace {

using minfolib::DecodeEdid;
using minfolib::EdidIdentity;
using minfolib::EdidStatus;

std::uint16_t PnpCode(const char* id) {
    return static_cast<std::uint16_t>(((id[0] - 'A' + 1) << 10) | ((id[1] - 'A' + 1) << 5) |
                                      (id[2] - 'A' + 1));
}

void FixChecksum(std::vector<std::uint8_t>& edid) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 127; ++i) sum += edid[i];
    edid[127] = static_cast<std::uint8_t>((256 - (sum & 0xFF)) & 0xFF);
}

void PutDescriptor(std::vector<std::uint8_t>& edid, int slot, std::uint8_t tag,
                   const std::vector<std::uint8_t>& text) {
    std::uint8_t* d = edid.data() + 54 + slot * 18;
    std::memset(d, 0, 18);
    d[3] = tag;
    for (std::size_t i = 0; i < 13; ++i) d[5 + i] = i < text.size() ? text[i] : 0x20;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// A plausible base block: header, id, product 0x2416, serial 0x01020304, a detailed
// timing in the first descriptor slot and the name in the second.
std::vector<std::uint8_t> MakeEdid(const char* id = "ORX", const std::string& name = "VX2400\n") {
    std::vector<std::uint8_t> edid(128, 0);
    const std::uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::memcpy(edid.data(), header, 8);
    const std::uint16_t code = PnpCode(id);
    edid[8] = static_cast<std::uint8_t>(code >> 8);
    edid[9] = static_cast<std::uint8_t>(code);
    edid[10] = 0x16;
    edid[11] = 0x24;
    edid[12] = 0x04;
    edid[13] = 0x03;
    edid[14] = 0x02;
    edid[15] = 0x01;
    edid[18] = 1;
    edid[19] = 4;
    edid[54] = 0x30;  // pixel clock of a detailed timing
    edid[55] = 0x2A;
    PutDescriptor(edid, 1, 0xFC, Bytes(name));
    PutDescriptor(edid, 2, 0xFF, Bytes("SN12345\n"));
    FixChecksum(edid);
    return edid;
}

TEST(Edid, ManufacturerCodes) {
    struct Case {
        std::uint16_t code;
        const char* expected;
    };
    const Case cases[] = {
        {PnpCode("ORX"), "ORX"},
        {0x0421, "AAA"},
        {PnpCode("ZZZ"), "ZZZ"},
        {0x0000, ""},                                                 // letters of value 0
        {static_cast<std::uint16_t>(0x8000 | PnpCode("ORX")), ""},    // reserved bit set
        {static_cast<std::uint16_t>((27 << 10) | (1 << 5) | 1), ""},  // 27 is past 'Z'
        {static_cast<std::uint16_t>((1 << 10) | (1 << 5) | 31), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(minfolib::ManufacturerIdFromCode(c.code), c.expected) << std::hex << c.code;
    }
}

TEST(Edid, DecodesIdentityOfAGoodBlock) {
    const auto edid = MakeEdid();
    EdidIdentity identity;
    ASSERT_EQ(DecodeEdid(edid.data(), edid.size(), &identity), EdidStatus::Ok);
    EXPECT_EQ(identity.manufacturerId, "ORX");
    EXPECT_EQ(identity.productCode, 0x2416);
    EXPECT_EQ(identity.serialNumber, 0x01020304u);
    EXPECT_EQ(identity.monitorName, "VX2400");
}

TEST(Edid, ExtensionBlocksDoNotDisturbTheBaseBlock) {
    auto edid = MakeEdid();
    edid.resize(256, 0x5A);  // an extension whose own checksum is wrong
    EdidIdentity identity;
    EXPECT_EQ(DecodeEdid(edid.data(), edid.size(), &identity), EdidStatus::Ok);
    EXPECT_EQ(identity.manufacturerId, "ORX");
}

TEST(Edid, RejectsDamagedBlocksWithoutTouchingTheResult) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> edid;
        EdidStatus expected;
    };
    auto flipped = MakeEdid();
    flipped[20] ^= 0x01;
    auto badHeader = MakeEdid();
    badHeader[7] = 0xFF;
    FixChecksum(badHeader);
    auto reserved = MakeEdid();
    reserved[8] |= 0x80;
    FixChecksum(reserved);
    auto zeros = std::vector<std::uint8_t>(128, 0);
    auto truncated = MakeEdid();
    truncated.resize(127);
    const Case cases[] = {
        {"empty", {}, EdidStatus::TooShort},
        {"one byte short", truncated, EdidStatus::TooShort},
        {"all zero", zeros, EdidStatus::BadHeader},
        {"header damaged", badHeader, EdidStatus::BadHeader},
        {"one bit flipped", flipped, EdidStatus::BadChecksum},
        {"reserved id bit", reserved, EdidStatus::BadManufacturer},
    };
    for (const auto& c : cases) {
        EdidIdentity identity;
        identity.manufacturerId = "untouched";
        EXPECT_EQ(DecodeEdid(c.edid.data(), c.edid.size(), &identity), c.expected) << c.what;
        EXPECT_EQ(identity.manufacturerId, "untouched") << c.what;
    }
    EXPECT_EQ(DecodeEdid(nullptr, 128, nullptr), EdidStatus::TooShort);
}

TEST(Edid, MonitorNameDescriptor) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> text;
        std::string expected;
    };
    const Case cases[] = {
        {"line feed ends the name", Bytes("AB 12\nXYZ"), "AB 12"},
        {"thirteen characters without terminator", Bytes("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLM"},
        {"control and high bytes dropped", {'A', 0x07, 'B', 0xE9, 'C', '\n'}, "ABC"},
        {"trailing padding trimmed", Bytes("NAME    "), "NAME"},
    };
    for (const auto& c : cases) {
        auto edid = MakeEdid();
        PutDescriptor(edid, 1, 0xFC, c.text);
        FixChecksum(edid);
        EdidIdentity identity;
        ASSERT_EQ(DecodeEdid(edid.data(), edid.size(), &identity), EdidStatus::Ok) << c.what;
        EXPECT_EQ(identity.monitorName, c.expected) << c.what;
    }

    // A detailed timing whose fourth byte happens to be 0xFC is not a name.
    auto timingOnly = MakeEdid();
    PutDescriptor(timingOnly, 1, 0xFD, Bytes("range"));
    timingOnly[54 + 3] = 0xFC;
    FixChecksum(timingOnly);
    EdidIdentity identity;
    ASSERT_EQ(DecodeEdid(timingOnly.data(), timingOnly.size(), &identity), EdidStatus::Ok);
    EXPECT_EQ(identity.monitorName, "");
}

std::int32_t Read32(const std::uint8_t* at) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
        (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24));
}

TEST(MakerRecord, SelectsOnlyIntactEdidsOfTheMaker) {
    auto damaged = MakeEdid();
    damaged[30] ^= 0xFF;
    const std::vector<minfolib::DisplayCandidate> candidates = {
        {"\\\\.\\DISPLAY1", {0, 0, 1280, 1024}, MakeEdid("ABC")},
        {"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, MakeEdid()},
        {"\\\\.\\DISPLAY3", {-1024, 0, 0, 768}, damaged},
        {"\\\\.\\DISPLAY4", {0, 1024, 1280, 2048}, {}},
        {"\\\\.\\DISPLAY5", {-1280, -1024, 0, 0}, MakeEdid("ORX", "second\n")},
    };
    const auto makers = minfolib::SelectMakerMonitors(candidates);
    ASSERT_EQ(makers.size(), 2u);
    EXPECT_EQ(makers[0].deviceName, "\\\\.\\DISPLAY2");
    EXPECT_EQ(makers[1].deviceName, "\\\\.\\DISPLAY5");
    EXPECT_EQ(makers[1].identity.monitorName, "second");
}

TEST(MakerRecord, RecordCarriesSignedPositionAndStaysInsideItsSize) {
    minfolib::MakerMonitor monitor;
    monitor.deviceName = std::string("\\\\.\\") + std::string(40, 'D');  // longer than the field
    monitor.rcMonitor = {-1024, -768, 0, 0};
    monitor.identity.manufacturerId = "ORX";
    monitor.identity.monitorName = "VX2400";

    std::array<std::uint8_t, minfolib::kRecordSize + 16> buffer;
    buffer.fill(0xCC);
    minfolib::WriteRecord(monitor, buffer.data());

    EXPECT_EQ(Read32(buffer.data() + minfolib::kRecordXOffset), -1024);
    EXPECT_EQ(Read32(buffer.data() + minfolib::kRecordYOffset), -768);
    EXPECT_EQ(Read32(buffer.data()), 668);
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 8), "ORX");
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(buffer.data() + 36)), 31u);
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 68), "VX2400");
    for (std::size_t i = 0; i < minfolib::kRecordSize; ++i)
        ASSERT_NE(buffer[i], 0xCC) << "byte " << i << " left unset";
    for (std::size_t i = minfolib::kRecordSize; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], 0xCC) << "wrote past the record";
}

}  // namespace
