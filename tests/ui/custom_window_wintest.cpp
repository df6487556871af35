// Windows of our own class: the class is registered once for any number of
// windows, each window's messages reach its own object from WM_NCCREATE on, and the
// window goes with the object or tells the object when it went first.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "ui/custom_window.h"

namespace {

constexpr UINT kAskId = WM_APP + 1;

class Probe : public ui::CustomWindow {
public:
    explicit Probe(LRESULT id) : id_(id) {}

    bool Create() {
        Class probeClass;
        probeClass.name = TEXT("VistrelCustomWindowProbe");
        return CustomWindow::Create(probeClass, 0, TEXT("probe"), WS_POPUP, RECT{0, 0, 40, 30},
                                    nullptr);
    }

    std::vector<UINT> messages;
    HWND handleAtCreate = nullptr;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == WM_CREATE) handleAtCreate = Handle();
        if (message == kAskId) return id_;
        return Default(message, wParam, lParam);
    }

private:
    LRESULT id_;
};

bool Saw(const Probe& probe, UINT message) {
    for (UINT seen : probe.messages)
        if (seen == message) return true;
    return false;
}

TEST(CustomWindow, EveryMessageFromTheFirstReachesItsOwnObject) {
    Probe first(11);
    Probe second(22);
    ASSERT_TRUE(first.Create());
    // The class exists now; a second window of it is made without registering again.
    ASSERT_TRUE(second.Create());
    ASSERT_FALSE(first.messages.empty());
    EXPECT_EQ(first.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(first.handleAtCreate, first.Handle());
    EXPECT_NE(first.Handle(), second.Handle());
    EXPECT_EQ(::SendMessage(first.Handle(), kAskId, 0, 0), 11);
    EXPECT_EQ(::SendMessage(second.Handle(), kAskId, 0, 0), 22);
    // Unhandled messages get the system's answer.
    ::SetWindowText(first.Handle(), TEXT("renamed"));
    TCHAR text[16] = {};
    ::GetWindowText(first.Handle(), text, 16);
    EXPECT_EQ(ui::tstring(text), TEXT("renamed"));
}

TEST(CustomWindow, TheWindowGoesWithTheObjectAndTheObjectHearsWhenItGoesFirst) {
    HWND window = nullptr;
    {
        Probe probe(1);
        ASSERT_TRUE(probe.Create());
        window = probe.Handle();
        EXPECT_TRUE(::IsWindow(window));
    }
    EXPECT_FALSE(::IsWindow(window));

    Probe probe(2);
    ASSERT_TRUE(probe.Create());
    ::DestroyWindow(probe.Handle());
    EXPECT_TRUE(Saw(probe, WM_NCDESTROY));
    EXPECT_EQ(probe.Handle(), nullptr);
}

}  // namespace
