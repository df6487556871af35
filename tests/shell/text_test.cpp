#include <gtest/gtest.h>

#include <string>

#include "shell/byte_limit.h"
#include "shell/monitor_list_line.h"
#include "shell/settings_keys.h"

namespace {

TEST(MonitorListLineTest, ColumnsArePaddedButNeverCut) {
    struct Case {
        int index;
        std::string label, model, serial, expected;
    };
    const Case cases[] = {
        {0, "1", "RX240", "12345678", "1)    Monitor1     /  RX240      /  12345678"},
        {2, "2-1", "RX240", "A1", "3)    Monitor2-1   /  RX240      /  A1"},
        {1, "1", "VeryLongModelName", "9", "2)    Monitor1     /  VeryLongModelName/  9"},
        {0, "1", "", "", "1)    Monitor1     /             /  "},
        {9, "123456", "M", "S", "10)    Monitor123456/  M          /  S"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shell::FormatMonitorListLine(c.index, "Monitor", c.label, c.model, c.serial),
                  c.expected);
    }
    // An 8-character label is followed by 5 blanks before the slash.
    EXPECT_EQ(shell::FormatMonitorListLine(0, "Mon", "12345", "M", "S").substr(6, 14),
              "Mon12345     /");
}

TEST(ByteLimitTest, LimitsAreClamped) {
    EXPECT_EQ(shell::ClampMaxBytes(0), 1024u);
    EXPECT_EQ(shell::ClampMaxBytes(1025), 1024u);
    EXPECT_EQ(shell::ClampMaxBytes(255), 255u);
    EXPECT_EQ(shell::ClampMaxBytes(1024), 1024u);
}

TEST(ByteLimitTest, CutNeverSplitsADoubleByteCharacter) {
    // 0x83 0x81 is one character whose trail byte is itself a lead-byte value.
    const std::string me = "\x83\x81";
    struct Case {
        const char* name;
        std::string text;
        std::uint32_t limit;
        bool cut;
        std::string expected;
    };
    const Case cases[] = {
        {"fits", "abc", 3, false, "abc"},
        {"ascii", "abcdef", 4, true, "abcd"},
        {"lead byte at the edge", "ab" + me, 3, true, "ab"},
        {"whole double-byte chars", me + me + me, 4, true, me + me},
        {"trail byte looks like a lead byte", me + me, 3, true, me},
        {"mixed", "a" + me + "b" + me, 5, true, "a" + me + "b"},
        {"lone lead byte at the end", "ab\x83", 2, true, "ab"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(shell::CutToByteLimit(&text, c.limit, shell::IsShiftJisLeadByte), c.cut)
            << c.name;
        EXPECT_EQ(text, c.expected) << c.name;
    }
    std::string latin = "\x83\x81\x83";
    EXPECT_TRUE(shell::CutToByteLimit(&latin, 1, shell::IsNeverLeadByte));
    EXPECT_EQ(latin, "\x83") << "single-byte code pages cut at the byte";
}

TEST(SettingsKeysTest, PagesWrapRound) {
    EXPECT_EQ(shell::NextPage(3, false), 0);
    EXPECT_EQ(shell::NextPage(0, true), 3);
    EXPECT_EQ(shell::NextPage(1, false), 2);
    EXPECT_EQ(shell::NextPage(2, true), 1);
}

TEST(SettingsKeysTest, MnemonicIsTheCharacterAfterTheAmpersand) {
    EXPECT_EQ(shell::MnemonicOf("&Close"), 'C');
    EXPECT_EQ(shell::MnemonicOf("E&xit"), 'X');
    EXPECT_EQ(shell::MnemonicOf("Save && &load"), 'L');
    EXPECT_EQ(shell::MnemonicOf("Plain"), 0);
    EXPECT_EQ(shell::MnemonicOf("Trailing&"), 0);
    EXPECT_EQ(shell::MnemonicOf(""), 0);
}

}  // namespace

namespace {

TEST(SettingsKeysTest, AResentMnemonicKeyIsNotDispatchedAgain) {
    shell::ResentKeyGuard guard;
    EXPECT_FALSE(guard.IsEcho('R'));
    guard.Resent('R');
    EXPECT_FALSE(guard.IsEcho('D')) << "other keys still dispatch";
    EXPECT_TRUE(guard.IsEcho('R'));
    EXPECT_FALSE(guard.IsEcho('R')) << "the next press of the same key is the user's";
}

}  // namespace
