// Command lines a script writes, and the ones it gets wrong.
#include <gtest/gtest.h>

#include "ctl/command_line.h"

namespace {

TEST(CommandLine, OptionsStandAnywhereAndNumbersReadAsWritten) {
    Command command;
    std::string problem;
    ASSERT_TRUE(
        ParseCommandLine({"--json", "get", "e2", "-m", "1", "--page", "0x30"}, &command, &problem))
        << problem;
    EXPECT_EQ(command.verb, Verb::Get);
    EXPECT_EQ(command.arguments, std::vector<std::string>{"e2"});
    EXPECT_EQ(command.monitor, 1);
    EXPECT_EQ(command.page, 0x30);
    EXPECT_TRUE(command.json);

    ASSERT_TRUE(ParseCommandLine({"caps", "--raw"}, &command, &problem));
    EXPECT_TRUE(command.raw);
    EXPECT_FALSE(command.monitor.has_value());

    EXPECT_EQ(ParseHexNumber("10", 0xFF), 0x10u);
    EXPECT_EQ(ParseHexNumber("0xE2", 0xFF), 0xE2u);
    EXPECT_EQ(ParseValue("10", 0xFFFF), 10u);
    EXPECT_EQ(ParseValue("0x10", 0xFFFF), 16u);
    EXPECT_FALSE(ParseValue("65536", 0xFFFF));
    EXPECT_FALSE(ParseValue("12a", 0xFFFF));
    EXPECT_FALSE(ParseValue("", 0xFFFF));
    EXPECT_FALSE(ParseHexNumber("100", 0xFF));
    EXPECT_FALSE(ParseValue("99999999999999999999", 0xFFFF)) << "no overflow into range";
}

TEST(CommandLine, MistakesAreUsageErrorsWithOneLine) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"get"},
        {"get", "10", "11"},
        {"set", "10"},
        {"mode", "game", "text"},
        {"detect", "--page", "30"},
        {"get", "10", "--page"},
        {"get", "10", "--page", "100"},
        {"detect", "-m", "x"},
        {"detect", "--raw"},
        {"detect", "--verbose"},
        {"reset"},
    };
    for (const auto& words : wrong) {
        Command command;
        std::string problem;
        EXPECT_FALSE(ParseCommandLine(words, &command, &problem)) << words.size();
        EXPECT_FALSE(problem.empty());
        EXPECT_EQ(problem.find('\n'), std::string::npos);
    }
}

}  // namespace
