#pragma once
// Win32 adapters of the launcher's ports: the shell, Windows Installer and the
// machine's Run key. Thin translations; the decisions live in launcher/.
#include <windows.h>

#include "launcher/launcher_shell.h"
#include "launcher/run_key.h"
#include "launcher/windows_installer.h"

class Win32LauncherShell final : public launcher::LauncherShell {
public:
    int Execute(launcher::WindowRef owner, const std::u16string& verb, const std::u16string& file,
                const std::u16string& parameters, const std::u16string& directory,
                launcher::ShellUi ui) override;
    int FindProgram(const std::u16string& path) override;
    int Start(launcher::WindowRef owner, const std::u16string& file,
              const std::u16string& parameters, const std::u16string& directory,
              std::unique_ptr<launcher::StartedProcess>* process) override;
    bool CloseWindowTitled(const std::u16string& title) override;
    bool FileExists(const std::u16string& path) override;
    std::u16string ExpandEnvironment(const std::u16string& text) override;
};

class Win32WindowsInstaller final : public launcher::WindowsInstaller {
public:
    bool LibraryLoads() override;
    std::uint32_t LibraryVersionMs() override;
    int GetProductInfo(const std::u16string& productCode, const std::u16string& property,
                       std::u16string* value) override;
    int ConfigureProduct(const std::u16string& productCode, int installLevel,
                         int installState) override;
};

class Win32RunKey final : public launcher::RunKey {
public:
    bool Query(launcher::RegistryView view, const std::u16string& name, std::uint32_t* type,
               std::vector<std::uint8_t>* data) override;
};
