#pragma once
// In-memory stand-ins for the launcher's shell, Windows Installer, Run key, OS
// version and window, recording every call in order.
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "launcher/action_ui.h"
#include "launcher/launcher_shell.h"
#include "platform/os_version.h"
#include "launcher/run_key.h"
#include "launcher/windows_installer.h"

namespace launcher_test {

struct FakeProcess : launcher::StartedProcess {
    bool ended = false;
    bool codeKnown = true;
    std::uint32_t code = 0;
    bool* closed = nullptr;
    ~FakeProcess() override {
        if (closed != nullptr) *closed = true;
    }
    bool HasEnded() override { return ended; }
    bool ExitCode(std::uint32_t* exitCode) override {
        if (!ended || !codeKnown) return false;
        *exitCode = code;
        return true;
    }
};

struct ShellCall {
    std::string what;  // "execute", "find", "start", "close"
    launcher::WindowRef owner = 0;
    std::u16string verb, file, parameters, directory;
    launcher::ShellUi ui = launcher::ShellUi::Quiet;
};

class FakeShell : public launcher::LauncherShell {
public:
    std::vector<ShellCall> calls;
    int executeResult = 42;
    std::map<std::u16string, int> executeResults;  // by file
    int findResult = 42;
    int startResult = 42;
    bool giveProcess = true;
    bool processClosed = false;
    std::set<std::u16string> existingFiles;

    int Execute(launcher::WindowRef owner, const std::u16string& verb, const std::u16string& file,
                const std::u16string& parameters, const std::u16string& directory,
                launcher::ShellUi ui) override {
        calls.push_back({"execute", owner, verb, file, parameters, directory, ui});
        auto it = executeResults.find(file);
        return it != executeResults.end() ? it->second : executeResult;
    }
    int FindProgram(const std::u16string& path) override {
        calls.push_back({"find", 0, u"", path, u"", u""});
        return findResult;
    }
    int Start(launcher::WindowRef owner, const std::u16string& file,
              const std::u16string& parameters, const std::u16string& directory,
              std::unique_ptr<launcher::StartedProcess>* process) override {
        calls.push_back({"start", owner, u"", file, parameters, directory});
        if (startResult > 32 && giveProcess) {
            auto started = std::make_unique<FakeProcess>();
            started->closed = &processClosed;
            *process = std::move(started);
        }
        return startResult;
    }
    bool CloseWindowTitled(const std::u16string& title) override {
        calls.push_back({"close", 0, u"", title, u"", u""});
        return true;
    }
    bool FileExists(const std::u16string& path) override { return existingFiles.count(path) != 0; }
    std::u16string ExpandEnvironment(const std::u16string& text) override {
        std::u16string out = text;
        const std::u16string var = u"%ProgramFiles%";
        const size_t at = out.find(var);
        if (at != std::u16string::npos) out.replace(at, var.size(), u"C:\\Program Files");
        return out;
    }
    std::vector<std::string> Kinds() const {
        std::vector<std::string> kinds;
        for (const auto& call : calls) kinds.push_back(call.what);
        return kinds;
    }
};

class FakeInstaller : public launcher::WindowsInstaller {
public:
    bool loads = true;
    std::uint32_t versionMs = 0x30001;
    int infoResult = 1605;
    int configureResult = 0;
    std::vector<std::u16string> configured;
    int infoCalls = 0;

    bool LibraryLoads() override { return loads; }
    std::uint32_t LibraryVersionMs() override { return versionMs; }
    int GetProductInfo(const std::u16string&, const std::u16string& property,
                       std::u16string*) override {
        ++infoCalls;
        return property == u"InstalledProductName" ? infoResult : 1608;
    }
    int ConfigureProduct(const std::u16string& code, int level, int state) override {
        if (level == 0 && state == 2) configured.push_back(code);
        return configureResult;
    }
};

class FakeRunKey : public launcher::RunKey {
public:
    struct Value {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };
    std::map<std::u16string, Value> native, wow32;

    static Value Text(const std::u16string& text, std::uint32_t type = kTypeString,
                      bool terminated = true) {
        Value value{type, {}};
        for (char16_t c : text) {
            value.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
            value.data.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        if (terminated) value.data.insert(value.data.end(), {0, 0});
        return value;
    }
    bool Query(launcher::RegistryView view, const std::u16string& name, std::uint32_t* type,
               std::vector<std::uint8_t>* data) override {
        auto& values = view == launcher::RegistryView::Wow64_32 ? wow32 : native;
        auto it = values.find(name);
        if (it == values.end()) return false;
        *type = it->second.type;
        *data = it->second.data;
        return true;
    }
};

class FakeOs : public platform::OsVersion {
public:
    platform::OsVersionInfo info{6, 1, 7601, 2, 1};
    std::uint16_t architecture = 9;
    bool GetVersion(platform::OsVersionInfo* out) override {
        *out = info;
        return true;
    }
    std::uint16_t ProcessorArchitecture() override { return architecture; }
};

class FakeUi : public launcher::ActionUi {
public:
    launcher::WindowRef owner = 0x1234;
    std::vector<std::u16string> asked;  // texts of every message box
    std::vector<unsigned> styles;
    std::vector<int> answers;  // given in order; kAnswerOk when they run out
    std::vector<int> selectTemplates;
    bool selectResult = true;
    std::u16string selectPath = u"D:\\chosen.pdf";
    int applicationDialogs = 0;
    std::vector<std::u16string> progressTitles;
    int browsingPrepared = 0;

    launcher::WindowRef Owner() override { return owner; }
    std::u16string String(unsigned id) override {
        std::u16string text = u"#";
        for (char c : std::to_string(id)) text.push_back(static_cast<char16_t>(c));
        if (id == 113) text += u" %s";
        return text;
    }
    int Ask(const std::u16string& text, unsigned style) override {
        asked.push_back(text);
        styles.push_back(style);
        if (answers.empty()) return launcher::kAnswerOk;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    bool SelectFile(const launcher::ButtonInfo&, int templateId, std::u16string* path) override {
        selectTemplates.push_back(templateId);
        if (selectResult) *path = selectPath;
        return selectResult;
    }
    void RunApplicationDialog(const launcher::ButtonInfo&) override { ++applicationDialogs; }
    launcher::SetupState progressState = launcher::SetupState::Succeeded;
    launcher::SetupState RunProgress(const launcher::ButtonInfo&, const std::u16string& title,
                                     launcher::StartedProcess&) override {
        progressTitles.push_back(title);
        return progressState;
    }
    void BeforeBrowsing() override { ++browsingPrepared; }
};

}  // namespace launcher_test
