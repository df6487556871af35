// Registered commands split into program and parameters; the file selection
// dialog's choices.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "launcher/file_selection.h"
#include "launcher/run_command.h"
#include "launcher_fakes.h"

namespace launcher_test {
namespace {

TEST(RunCommandTest, QuotedProgramsAndLinesNamingNoFile) {
    struct Case {
        std::u16string value, file, parameters;
    };
    const Case cases[] = {
        {u"\"C:\\Program Files\\A\\a.exe\" /tray", u"C:\\Program Files\\A\\a.exe", u"/tray"},
        {u"  \"C:\\A\\a.exe\"", u"C:\\A\\a.exe", u""},
        {u"\"C:\\Unclosed\\a.exe /x", u"C:\\Unclosed\\a.exe /x", u""},
        {u"C:\\A\\a.exe -q -r", u"C:\\A\\a.exe", u"-q -r"},
        {u"C:\\Program Files\\Exists.exe", u"C:\\Program Files\\Exists.exe", u""},
        {u"C:\\A\\plain.exe", u"C:\\A\\plain.exe", u""},
        {u"   ", u"", u""},
    };
    auto exists = [](const std::u16string& file) {
        return file == u"C:\\Program Files\\Exists.exe";
    };
    for (const Case& c : cases) {
        const launcher::RunCommand command = launcher::SplitRunCommand(c.value, exists);
        EXPECT_EQ(command.file, c.file);
        EXPECT_EQ(command.parameters, c.parameters);
    }
}

TEST(RunCommandTest, AnUnquotedLineStartsTheLongestPrefixThatExists) {
    // A planted C:\Program and C:\Program Files\X\x beside the registered program.
    const std::set<std::u16string> files = {u"C:\\Program", u"C:\\Program Files\\X\\x",
                                            u"C:\\Program Files\\X\\x.exe", u"C:\\Tools\\t.exe"};
    std::vector<std::u16string> asked;
    auto exists = [&](const std::u16string& file) {
        asked.push_back(file);
        return files.count(file) != 0;
    };
    struct Case {
        std::u16string value, file, parameters;
    };
    const Case cases[] = {
        {u"C:\\Program Files\\X\\x.exe /tray", u"C:\\Program Files\\X\\x.exe", u"/tray"},
        {u"C:\\Program Files\\X\\x.exe  /tray   /quiet", u"C:\\Program Files\\X\\x.exe",
         u"/tray   /quiet"},
        {u"C:\\Program Files\\X\\x.exe", u"C:\\Program Files\\X\\x.exe", u""},
        {u"C:\\Program Files\\X\\x /tray", u"C:\\Program Files\\X\\x", u"/tray"},
        {u"C:\\Program Other\\y.exe /a", u"C:\\Program", u"Other\\y.exe /a"},
        {u"C:\\Tools\\t.exe\t-v", u"C:\\Tools\\t.exe", u"-v"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value.begin(), c.value.end()));
        const launcher::RunCommand command = launcher::SplitRunCommand(c.value, exists);
        EXPECT_EQ(command.file, c.file);
        EXPECT_EQ(command.parameters, c.parameters);
    }
    // Longest first: the whole line is asked about before any shorter prefix.
    asked.clear();
    launcher::SplitRunCommand(u"C:\\Program Files\\X\\x.exe /tray", exists);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), u"C:\\Program Files\\X\\x.exe /tray");
}

TEST(RunCommandTest, RunValuesMustBeStringsAndEndAtTheirTerminator) {
    FakeRunKey key;
    bool expand = true;
    key.native[u"A"] = FakeRunKey::Text(u"a.exe", launcher::RunKey::kTypeString, false);
    key.native[u"A"].data.push_back('x');  // an odd trailing byte
    EXPECT_EQ(launcher::ReadRunValue(key, u"A", &expand), u"a.exe");
    EXPECT_FALSE(expand);

    key.native[u"B"] = FakeRunKey::Text(u"b.exe");
    key.native[u"B"].data.insert(key.native[u"B"].data.end(), {'j', 0, 'k', 0});
    EXPECT_EQ(launcher::ReadRunValue(key, u"B", nullptr), u"b.exe");

    // Binary in the 64-bit view, a string in the 32-bit one.
    key.native[u"C"] = {3, {'c', 0}};
    key.wow32[u"C"] = FakeRunKey::Text(u"%X%\\c.exe", launcher::RunKey::kTypeExpandString);
    EXPECT_EQ(launcher::ReadRunValue(key, u"C", &expand), u"%X%\\c.exe");
    EXPECT_TRUE(expand);

    EXPECT_FALSE(launcher::ReadRunValue(key, u"Missing", nullptr).has_value());
}

TEST(RunCommandTest, ShellErrorsAndSetupExitCodes) {
    EXPECT_EQ(launcher::ShellErrorStringId(2), 107u);
    EXPECT_EQ(launcher::ShellErrorStringId(31), 108u);
    EXPECT_EQ(launcher::ShellErrorStringId(8), 109u);
    EXPECT_EQ(launcher::ShellErrorStringId(5), 110u);
    EXPECT_EQ(launcher::ShellErrorStringId(26), 111u);
    EXPECT_EQ(launcher::ShellErrorStringId(0), 112u);
    EXPECT_EQ(launcher::ShellErrorStringId(32), 112u);
    EXPECT_FALSE(launcher::SetupSucceeded(1603));
    EXPECT_FALSE(launcher::SetupSucceeded(1));
}

TEST(FileSelectionTest, ChosenEntryAndLanguageButtons) {
    launcher::ButtonInfo item;
    EXPECT_EQ(launcher::ChosenEntry(item, 0), nullptr);
    EXPECT_EQ(launcher::LanguageButtonStates(nullptr), (std::array<bool, 5>{}));

    auto add = [&](std::u16string model, std::u16string english, std::u16string deutsch) {
        auto entry = std::make_unique<launcher::FileInfo>();
        entry->m_strModelName = std::move(model);
        entry->m_strEnglish = std::move(english);
        entry->m_strDeutsch = std::move(deutsch);
        item.m_files.push_back(std::move(entry));
    };
    add(u"", u"en.pdf", u"de.pdf");
    EXPECT_EQ(launcher::ChosenEntry(item, 5), item.m_files[0].get())
        << "one entry is always chosen";
    EXPECT_EQ(launcher::LanguageButtonStates(launcher::ChosenEntry(item, -1)),
              (std::array<bool, 5>{false, true, true, false, false}));

    add(u"B", u"", u"b-de.pdf");
    add(u"C", u"c-en.pdf", u"");
    EXPECT_EQ(launcher::LanguageButtonStates(launcher::ChosenEntry(item, 1)),
              (std::array<bool, 5>{false, false, true, false, false}));
    EXPECT_EQ(launcher::ChosenEntry(item, 3), nullptr);

    std::u16string path = u"unchanged";
    EXPECT_FALSE(launcher::ChooseLanguageFile(item, 1, 1, u"D:\\", &path))
        << "a disabled language pressed with Enter opens nothing";
    EXPECT_EQ(path, u"unchanged");
    EXPECT_TRUE(launcher::ChooseLanguageFile(item, 2, 1, u"D:\\", &path));
    EXPECT_EQ(path, u"D:\\c-en.pdf");

    item.m_files[1]->m_strFileName = u"Doc\\b.pdf";
    EXPECT_TRUE(launcher::ChooseModelFile(item, 1, u"D:\\", &path));
    EXPECT_EQ(path, u"D:\\Doc\\b.pdf");
    EXPECT_FALSE(launcher::ChooseModelFile(item, 0, u"D:\\", &path)) << "no file name";
    EXPECT_FALSE(launcher::ChooseModelFile(item, -1, u"D:\\", &path));
}

}  // namespace
}  // namespace launcher_test
