#include "stand_in.h"

#include <gtest/gtest.h>

#include "program_driver.h"

namespace e2e {

namespace {

// The current test's own folder under the work folder.
std::string TestFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return DosPath(Env("E2E_WORK")) + "\\" + info->test_suite_name() + "." + info->name();
}

}  // namespace

StandIn::~StandIn() {
    if (m_process.hProcess != nullptr) {
        ::TerminateProcess(m_process.hProcess, 0);
        ::WaitForSingleObject(m_process.hProcess, 5000);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
    }
}

bool StandIn::Start(const std::string& exeName, const std::string& className, int x, int y) {
    const std::string program = ProgramPath();
    const std::string source =
        program.substr(0, program.find_last_of('\\')) + "\\foreground_app.exe";
    const std::string copy = TestFolder() + "\\" + exeName;
    if (!::CopyFileA(source.c_str(), copy.c_str(), FALSE)) return false;
    std::string commandLine =
        "\"" + copy + "\" " + className + " " + std::to_string(x) + " " + std::to_string(y);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          TestFolder().c_str(), &startup, &m_process)) {
        return false;
    }
    return WaitUntil(20000, [&] {
        m_window = ::FindWindowA(className.c_str(), nullptr);
        return m_window != nullptr && ::IsWindowVisible(m_window);
    });
}

bool StandIn::ToFront() const {
    return WaitUntil(3000, [&] {
        if (::GetForegroundWindow() == m_window) return true;
        ::SetForegroundWindow(m_window);
        return false;
    });
}

}  // namespace e2e
