// The DDC/CI message format: frames as the standard writes them out, and replies
// that are damaged in every way a bus damages them.
#include <gtest/gtest.h>

#include "ctl/ddc_wire.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DdcWire, RequestsCarrySourceLengthAndChecksumSeededWithTheMonitorsAddress) {
    EXPECT_EQ(ddcci::GetVcpRequest(0x10), (Bytes{0x51, 0x82, 0x01, 0x10, 0xAC}));
    EXPECT_EQ(ddcci::SetVcpRequest(0x10, 0x0046),
              (Bytes{0x51, 0x84, 0x03, 0x10, 0x00, 0x46, 0xEE}));
    EXPECT_EQ(ddcci::CapabilitiesRequest(0x0120), (Bytes{0x51, 0x83, 0xF3, 0x01, 0x20, 0x6E}));
}

Bytes Reply(Bytes payload) {
    Bytes frame = {0x6E, static_cast<std::uint8_t>(0x80 | payload.size())};
    frame.insert(frame.end(), payload.begin(), payload.end());
    std::uint8_t checksum = 0x50;
    for (auto b : frame) checksum ^= b;
    frame.push_back(checksum);
    return frame;
}

TEST(DdcWire, ReplyDecodingChecksEveryPartOfTheFrame) {
    const Bytes good = Reply({0x02, 0x00, 0x10, 0x00, 0x00, 0x64, 0x00, 0x3C});
    std::vector<std::uint8_t> payload;
    ASSERT_EQ(ddcci::DecodeReply(good.data(), good.size(), &payload), ddcci::ReplyStatus::Ok);
    ddcci::VcpReply reply;
    ASSERT_TRUE(ddcci::ParseVcpReply(payload, 0x10, &reply));
    EXPECT_TRUE(reply.supported);
    EXPECT_EQ(reply.maximum, 100);
    EXPECT_EQ(reply.current, 60);
    EXPECT_FALSE(ddcci::ParseVcpReply(payload, 0x12, &reply)) << "a reply for another code";

    // Bytes after the frame are the idle bus and do not matter.
    Bytes padded = good;
    padded.insert(padded.end(), 5, 0xFF);
    EXPECT_EQ(ddcci::DecodeReply(padded.data(), padded.size(), &payload), ddcci::ReplyStatus::Ok);

    const Bytes null = {0x6E, 0x80, 0xBE};
    EXPECT_EQ(ddcci::DecodeReply(null.data(), null.size(), &payload), ddcci::ReplyStatus::Null);

    Bytes badChecksum = good;
    badChecksum.back() ^= 1;
    EXPECT_EQ(ddcci::DecodeReply(badChecksum.data(), badChecksum.size(), &payload),
              ddcci::ReplyStatus::BadChecksum);
    // A checksum seeded like a request's is wrong for a reply.
    Bytes requestSeeded = good;
    requestSeeded.back() ^= 0x50 ^ 0x6E;
    EXPECT_EQ(ddcci::DecodeReply(requestSeeded.data(), requestSeeded.size(), &payload),
              ddcci::ReplyStatus::BadChecksum);

    EXPECT_EQ(ddcci::DecodeReply(good.data(), good.size() - 1, &payload),
              ddcci::ReplyStatus::Truncated);
    EXPECT_EQ(ddcci::DecodeReply(good.data(), 1, &payload), ddcci::ReplyStatus::Truncated);
    Bytes noFlag = good;
    noFlag[1] &= 0x7F;
    EXPECT_EQ(ddcci::DecodeReply(noFlag.data(), noFlag.size(), &payload),
              ddcci::ReplyStatus::BadSource);
    Bytes fromHost = good;
    fromHost[0] = 0x51;
    EXPECT_EQ(ddcci::DecodeReply(fromHost.data(), fromHost.size(), &payload),
              ddcci::ReplyStatus::BadSource);
}

TEST(DdcWire, VcpRepliesTellUnsupportedCodesApartFromGarbage) {
    ddcci::VcpReply reply;
    reply.supported = true;
    EXPECT_TRUE(ddcci::ParseVcpReply({0x02, 0x01, 0x14, 0, 0, 0, 0, 0}, 0x14, &reply));
    EXPECT_FALSE(reply.supported);
    EXPECT_FALSE(ddcci::ParseVcpReply({0x02, 0x02, 0x14, 0, 0, 0, 0, 0}, 0x14, &reply))
        << "unknown result code";
    EXPECT_FALSE(ddcci::ParseVcpReply({0x02, 0x00, 0x14, 0, 0, 0, 0}, 0x14, &reply))
        << "one byte short";
    EXPECT_FALSE(ddcci::ParseVcpReply({0xE3, 0x00, 0x14, 0, 0, 0, 0, 0}, 0x14, &reply))
        << "another message";
}

TEST(DdcWire, CapabilitiesFragmentsMustAnswerTheOffsetAsked) {
    std::string fragment;
    EXPECT_TRUE(ddcci::ParseCapabilitiesReply({0xE3, 0x00, 0x20, 'v', 'c', 'p'}, 0x20, &fragment));
    EXPECT_EQ(fragment, "vcp");
    EXPECT_FALSE(ddcci::ParseCapabilitiesReply({0xE3, 0x00, 0x00, 'v', 'c', 'p'}, 0x20, &fragment));
    EXPECT_TRUE(ddcci::ParseCapabilitiesReply({0xE3, 0x01, 0x00}, 0x100, &fragment));
    EXPECT_EQ(fragment, "");
    std::vector<std::uint8_t> tooLong = {0xE3, 0x00, 0x00};
    tooLong.insert(tooLong.end(), 33, 'x');
    EXPECT_FALSE(ddcci::ParseCapabilitiesReply(tooLong, 0, &fragment));
}

}  // namespace
