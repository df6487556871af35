// The launcher runs elevated from a disk anyone can copy: every library in its
// import table must be one that Windows takes from the system folder whatever
// lies beside the program (a known DLL, or the common controls bound by the
// manifest to their side-by-side assembly). Everything else comes through
// ui::LoadSystemLibrary. Reads the launcher.exe built beside this test.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string BesideThisTest(const char* name) {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>());
}

template <typename T>
bool ReadAt(const std::vector<unsigned char>& image, size_t offset, T* value) {
    if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
    std::memcpy(value, image.data() + offset, sizeof(T));
    return true;
}

// The names of the libraries an image imports (32-bit or 64-bit), read from the
// file; empty when the image cannot be read.
std::vector<std::string> ImportedLibraries(const std::vector<unsigned char>& image) {
    IMAGE_DOS_HEADER dos{};
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    if (!ReadAt(image, 0, &dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return {};
    const size_t nt = static_cast<size_t>(dos.e_lfanew);
    if (!ReadAt(image, nt, &signature) || signature != IMAGE_NT_SIGNATURE) return {};
    if (!ReadAt(image, nt + sizeof signature, &header)) return {};
    const size_t optional = nt + sizeof signature + sizeof header;
    WORD magic = 0;
    if (!ReadAt(image, optional, &magic)) return {};
    IMAGE_DATA_DIRECTORY imports{};
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        IMAGE_OPTIONAL_HEADER32 h{};
        if (!ReadAt(image, optional, &h)) return {};
        imports = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        IMAGE_OPTIONAL_HEADER64 h{};
        if (!ReadAt(image, optional, &h)) return {};
        imports = h.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else {
        return {};
    }
    const size_t sections = optional + header.SizeOfOptionalHeader;
    auto fileOffset = [&](DWORD rva, size_t* offset) {
        for (WORD i = 0; i < header.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            if (!ReadAt(image, sections + i * sizeof section, &section)) return false;
            const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
                *offset = rva - section.VirtualAddress + section.PointerToRawData;
                return true;
            }
        }
        return false;
    };
    std::vector<std::string> names;
    size_t descriptor = 0;
    if (imports.VirtualAddress == 0 || !fileOffset(imports.VirtualAddress, &descriptor)) return {};
    for (;; descriptor += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR entry{};
        if (!ReadAt(image, descriptor, &entry)) return {};
        if (entry.Name == 0) break;
        size_t name = 0;
        if (!fileOffset(entry.Name, &name)) return {};
        std::string text;
        while (name < image.size() && image[name] != 0) text += static_cast<char>(image[name++]);
        names.push_back(text);
    }
    return names;
}

// Libraries that every Windows from Vista on lists as known DLLs (loaded from the
// system folder by name, never searched for) or that the loader itself brings.
const std::set<std::string> kKnownSystemLibraries = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll",    "imagehlp.dll", "imm32.dll",   "kernel32.dll",
    "msctf.dll",    "msvcrt.dll",   "normaliz.dll", "nsi.dll",      "ntdll.dll",   "ole32.dll",
    "oleaut32.dll", "psapi.dll",    "rpcrt4.dll",   "setupapi.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll",   "wldap32.dll",  "ws2_32.dll"};

// The program's manifest, from its resources.
std::string Manifest(const std::string& path) {
    HMODULE image = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (image == nullptr) return {};
    std::string text;
    if (HRSRC resource = ::FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        if (HGLOBAL data = ::LoadResource(image, resource)) {
            text.assign(static_cast<const char*>(::LockResource(data)),
                        ::SizeofResource(image, resource));
        }
    }
    ::FreeLibrary(image);
    return text;
}

}  // namespace

TEST(LauncherImportsTest, EveryImportedLibraryComesFromTheSystemFolder) {
    const std::string launcher = BesideThisTest("launcher.exe");
    const std::vector<std::string> imports = ImportedLibraries(ReadFile(launcher));
    ASSERT_FALSE(imports.empty()) << "no import table read from " << launcher;
    const bool commonControlsFromTheirAssembly =
        Manifest(launcher).find("Microsoft.Windows.Common-Controls") != std::string::npos;
    for (const std::string& name : imports) {
        const std::string lower = Lower(name);
        if (lower == "comctl32.dll") {
            EXPECT_TRUE(commonControlsFromTheirAssembly)
                << "comctl32.dll is imported without the manifest that binds it to its "
                   "side-by-side assembly";
            continue;
        }
        EXPECT_EQ(kKnownSystemLibraries.count(lower), 1u)
            << name << " is imported but Windows would look for it beside the launcher first";
    }
}

// What comes up before the window does is what the start-up waits for: COM and the
// shell (and the dozen libraries each brings) load on the thread that reads the
// information file and at the first shell action, so none of them is imported.
TEST(LauncherImportsTest, ComAndTheShellAreNotLoadedWithTheProgram) {
    const std::string launcher = BesideThisTest("launcher.exe");
    const std::vector<std::string> imports = ImportedLibraries(ReadFile(launcher));
    ASSERT_FALSE(imports.empty()) << "no import table read from " << launcher;
    for (const std::string& name : imports) {
        const std::string lower = Lower(name);
        EXPECT_TRUE(lower != "ole32.dll" && lower != "oleaut32.dll" && lower != "shell32.dll")
            << name << " is imported";
    }
}
