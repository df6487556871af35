// The maker library built for real machines, loaded beside the simulator's
// stand-in that the test program itself imports. Under Wine the desktop's
// monitors carry no EDID of the maker, so it must simply find none, safely.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

using FindMonitors = int(__stdcall*)(std::int32_t*, std::int32_t);
using GetRecord = int(__stdcall*)(std::int32_t, void*, std::int32_t);

class RealMinfolib : public ::testing::Test {
protected:
    void SetUp() override {
        char path[MAX_PATH + 1] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path, length);
        folder = folder.substr(0, folder.find_last_of("\\/") + 1);
        library_ = LoadLibraryExA((folder + "real\\minfolib.dll").c_str(), nullptr,
                                  LOAD_WITH_ALTERED_SEARCH_PATH);
        ASSERT_NE(library_, nullptr) << "cannot load real\\minfolib.dll, error " << GetLastError();
        if (library_ == GetModuleHandleA("minfolib.dll") &&
            GetModuleHandleA("minfolib.dll") != nullptr) {
            HMODULE standIn = GetModuleHandleA("minfolib.dll");
            char loaded[MAX_PATH + 1] = {};
            GetModuleFileNameA(standIn, loaded, MAX_PATH);
            if (std::string(loaded).find("\\real\\") == std::string::npos) {
                GTEST_SKIP() << "the loader handed back the stand-in of the same name";
            }
        }
        find_ = reinterpret_cast<FindMonitors>(
            reinterpret_cast<void*>(GetProcAddress(library_, "QrxFindMonitors")));
        get_ = reinterpret_cast<GetRecord>(
            reinterpret_cast<void*>(GetProcAddress(library_, "QrxGetMonitorInfo")));
        ASSERT_NE(find_, nullptr);
        ASSERT_NE(get_, nullptr);
    }
    void TearDown() override {
        if (library_ != nullptr) FreeLibrary(library_);
    }

    HMODULE library_ = nullptr;
    FindMonitors find_ = nullptr;
    GetRecord get_ = nullptr;
};

TEST_F(RealMinfolib, ScansTheDesktopAndKeepsToItsRecords) {
    std::int32_t count = -1;
    const int result = find_(&count, 1);
    ASSERT_GE(count, 0);
    EXPECT_EQ(result, count);

    std::uint8_t record[668 + 8];
    std::memset(record, 0xAB, sizeof record);
    for (std::int32_t i = 0; i < count; ++i) {
        ASSERT_EQ(get_(i, record, 0), 0);
        EXPECT_EQ(record[668], 0xAB) << "wrote past the 668-byte record";
    }
    EXPECT_LT(get_(count, record, 0), 0);
    EXPECT_LT(get_(-1, record, 0), 0);
    EXPECT_LT(get_(0, nullptr, 0), 0);
    EXPECT_LT(find_(nullptr, 1), 0);

    // Without the rescan flag the last scan's count stands.
    std::int32_t again = -1;
    find_(&again, 0);
    EXPECT_EQ(again, count);
}

}  // namespace
