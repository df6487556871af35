// The dialog framework against the real window manager: object lookup, handler
// dispatch and return values, modal and modeless runs, the pre-translate chain and
// reflection to subclassed controls. Built for both character types.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ui/application.h"
#include "ui/controls/static_control.h"
#include "ui/dialog.h"
#include "ui/subclass.h"
#include "ui_test_ids.h"

// Both builds of the framework run these cases; the suites of the UTF-16 build carry
// their own names so that the two programs' results stay apart.
#ifdef UNICODE
#define DialogTest DialogTestWide
#endif

namespace {

constexpr UINT kCustomMessage = WM_APP + 7;
constexpr UINT kThrowMessage = WM_APP + 8;
constexpr UINT kEndFromQueue = WM_APP + 9;

class FormDialog : public ui::Dialog {
public:
    FormDialog() : Dialog(IDD_TEST_FORM) {}

    int initCount = 0;
    HWND handleAtInit = nullptr;
    std::vector<int> commands;  // id, code pairs
    HWND lastCommandControl = nullptr;
    UINT_PTR lastTimer = 0;
    int scrollCode = -1;
    HWND scrollControl = nullptr;
    int okCount = 0;
    int cancelCount = 0;
    bool keepOpenOnOk = false;
    INT_PTR endAtInit = 0;  // non-zero: EndDialog during initialisation
    HBRUSH ctlColorBrush = nullptr;
    std::vector<UINT> preTranslated;
    bool consumeKeys = false;

    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_KEYDOWN || message.message == kCustomMessage) {
            preTranslated.push_back(message.message);
            return consumeKeys;
        }
        return false;
    }

protected:
    bool OnInitDialog() override {
        ++initCount;
        handleAtInit = Handle();
        if (endAtInit != 0) EndDialog(endAtInit);
        return true;
    }
    bool OnCommand(int id, int code, HWND control) override {
        commands.push_back(id);
        commands.push_back(code);
        lastCommandControl = control;
        return id != IDOK && id != IDCANCEL;
    }
    void OnOK() override {
        ++okCount;
        if (!keepOpenOnOk) EndDialog(IDOK);
    }
    void OnCancel() override {
        ++cancelCount;
        EndDialog(IDCANCEL);
    }
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override {
        result = 1000 + id;
        return true;
    }
    bool OnHScroll(int code, int position, HWND control) override {
        scrollCode = code;
        scrollControl = control;
        return true;
    }
    bool OnTimer(UINT_PTR id) override {
        lastTimer = id;
        return true;
    }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override {
        return type == CTLCOLOR_STATIC ? ctlColorBrush : nullptr;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == kCustomMessage) {
            result = static_cast<LRESULT>(wParam * 2);
            return true;
        }
        if (message == kThrowMessage) throw std::runtime_error("handler failure");
        if (message == kEndFromQueue) {
            EndDialog(static_cast<INT_PTR>(wParam));
            return true;
        }
        return false;
    }
};

class PageDialog : public ui::Dialog {
public:
    PageDialog() : Dialog(IDD_TEST_PAGE) {}
    std::vector<HWND>* order = nullptr;
    // What the hosting dialog had seen when this page got its turn.
    const std::vector<UINT>* hostSeen = nullptr;
    size_t hostSeenAtMyTurn = 99;
    bool PreTranslateMessage(MSG& message) override {
        if (message.message == kCustomMessage && order != nullptr) {
            order->push_back(Handle());
            if (hostSeen != nullptr) hostSeenAtMyTurn = hostSeen->size();
        }
        return false;
    }
};

class RecordingFilter : public ui::MessageFilter {
public:
    bool consume = false;
    int seen = 0;
    bool PreTranslateMessage(MSG& message) override {
        if (message.message != kCustomMessage) return false;
        ++seen;
        return consume;
    }
};

// A static that answers its own colour request, as an owner-drawn link would.
class SelfColouredLabel : public ui::Subclassed<ui::Static> {
public:
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    int setTextSeen = 0;
    bool subclassedCalled = false;
    ~SelfColouredLabel() override { ::DeleteObject(brush); }

protected:
    void OnSubclassed() override { subclassedCalled = true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT) ++setTextSeen;
        return Default(message, wParam, lParam);
    }
    bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != WM_CTLCOLORSTATIC) return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
};

BOOL CALLBACK CountProperty(HWND, LPTSTR, HANDLE, ULONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int PropertyCount(HWND window) {
    int count = 0;
    ::EnumPropsEx(window, CountProperty, reinterpret_cast<LPARAM>(&count));
    return count;
}

void PostKey(HWND window, WPARAM key) {
    ::PostMessage(window, WM_KEYDOWN, key, 1);
}

TEST(DialogTest, ProcedureFindsItsObjectAndHandlersGetTheirMessages) {
    FormDialog dialog;
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    dialog.ctlColorBrush = brush;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_EQ(dialog.handleAtInit, window);
    EXPECT_EQ(ui::Dialog::FromHandle(window), &dialog);
    EXPECT_EQ(ui::Dialog::FromHandle(dialog.Item(IDC_TEST_EDIT)), nullptr);

    HWND check = dialog.Item(IDC_TEST_CHECK);
    dialog.commands.clear();  // controls may have notified during creation
    ::SendMessage(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_CHECK, BN_CLICKED),
                  reinterpret_cast<LPARAM>(check));
    ASSERT_EQ(dialog.commands.size(), 2u);
    EXPECT_EQ(dialog.commands[0], IDC_TEST_CHECK);
    EXPECT_EQ(dialog.commands[1], BN_CLICKED);
    EXPECT_EQ(dialog.lastCommandControl, check);

    // Values that a dialog procedure must hand back through DWLP_MSGRESULT.
    NMHDR header{dialog.Item(IDC_TEST_TAB), IDC_TEST_TAB, 0};
    EXPECT_EQ(::SendMessage(window, WM_NOTIFY, IDC_TEST_TAB, reinterpret_cast<LPARAM>(&header)),
              1000 + IDC_TEST_TAB);
    EXPECT_EQ(::SendMessage(window, kCustomMessage, 21, 0), 42);
    // The stored result is only written when it changes: each answer is still its own.
    EXPECT_EQ(::SendMessage(window, kCustomMessage, 0, 0), 0);
    EXPECT_EQ(::SendMessage(window, kCustomMessage, 0, 0), 0);
    EXPECT_EQ(::SendMessage(window, kCustomMessage, 4, 0), 8);

    // Colour requests return the brush itself; the default is kept for other types.
    HDC dc = ::GetDC(window);
    EXPECT_EQ(::SendMessage(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(dialog.Item(IDC_TEST_LABEL))),
              reinterpret_cast<LRESULT>(brush));
    EXPECT_NE(::SendMessage(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(dialog.Item(IDC_TEST_EDIT))),
              reinterpret_cast<LRESULT>(brush));
    ::ReleaseDC(window, dc);

    HWND slider = dialog.Item(IDC_TEST_SLIDER);
    ::SendMessage(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5),
                  reinterpret_cast<LPARAM>(slider));
    EXPECT_EQ(dialog.scrollCode, SB_THUMBPOSITION);
    EXPECT_EQ(dialog.scrollControl, slider);

    ::SendMessage(window, WM_TIMER, 14, 0);
    EXPECT_EQ(dialog.lastTimer, 14u);

    // An exception in a handler stays inside the procedure.
    EXPECT_EQ(::SendMessage(window, kThrowMessage, 0, 0), 0);
    EXPECT_TRUE(::IsWindow(window));

    dialog.Destroy();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(dialog.Handle(), nullptr);
    // A handle Windows may hand out again no longer leads to the object.
    EXPECT_EQ(ui::Dialog::FromHandle(window), nullptr);
}

TEST(DialogTest, ModalRunsReturnTheEndDialogValue) {
    {
        FormDialog dialog;
        dialog.endAtInit = 77;
        EXPECT_EQ(dialog.DoModal(), 77);
        EXPECT_FALSE(dialog.IsWindow());
    }
    {
        // Ended from inside its own loop by a queued message.
        HWND owner = ::CreateWindowEx(0, TEXT("STATIC"), TEXT("owner"), WS_POPUP, 0, 0, 10, 10,
                                      nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
        // The dialog posts to itself once it exists; the loop must deliver it.
        class SelfEnding : public FormDialog {
        protected:
            bool OnInitDialog() override {
                FormDialog::OnInitDialog();
                ::PostMessage(Handle(), kEndFromQueue, 5, 0);
                return true;
            }
        } selfEnding;
        EXPECT_EQ(selfEnding.DoModal(owner), 5);
        // The owner is disabled during the run and enabled again afterwards.
        EXPECT_TRUE(::IsWindowEnabled(owner));
        ::DestroyWindow(owner);
    }
    {
        // Escape in a control reaches OnCancel through the dialog manager, and the
        // dialog sees its keys first in the pre-translate chain.
        class EscapeDialog : public FormDialog {
        protected:
            bool OnInitDialog() override {
                FormDialog::OnInitDialog();
                PostKey(Item(IDC_TEST_EDIT), VK_ESCAPE);
                return true;
            }
        } dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.cancelCount, 1);
        ASSERT_FALSE(dialog.preTranslated.empty());
        EXPECT_EQ(dialog.preTranslated.front(), static_cast<UINT>(WM_KEYDOWN));
    }
    {
        class Missing : public ui::Dialog {
        public:
            Missing() : Dialog(IDD_TEST_MISSING) {}
        } noTemplate;
        EXPECT_EQ(noTemplate.DoModal(), -1);
    }
}

TEST(DialogTest, ModelessDialogsGetDialogKeysOnlyWhileRegistered) {
    FormDialog dialog;
    dialog.keepOpenOnOk = true;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.Handle();
    EXPECT_TRUE(ui::Application::IsModelessRegistered(window));

    // Enter in a single-line edit becomes the default button only through IsDialogMessage.
    PostKey(dialog.Item(IDC_TEST_EDIT), VK_RETURN);
    ASSERT_TRUE(ui::Application::PumpWaitingMessages());
    EXPECT_EQ(dialog.okCount, 1);

    ui::Application::RemoveModeless(window);
    PostKey(dialog.Item(IDC_TEST_EDIT), VK_RETURN);
    ASSERT_TRUE(ui::Application::PumpWaitingMessages());
    EXPECT_EQ(dialog.okCount, 1);

    ui::Application::AddModeless(window);
    dialog.EndDialog(IDOK);  // modeless: the window goes away and leaves the loop
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(ui::Application::IsModelessRegistered(window));
}

TEST(DialogTest, PreTranslateChainRunsFiltersThenInnermostDialogFirst) {
    FormDialog host;
    ASSERT_TRUE(host.Create());
    PageDialog page;
    std::vector<HWND> order;
    page.order = &order;
    page.hostSeen = &host.preTranslated;
    ASSERT_TRUE(page.Create(host.Handle()));
    EXPECT_FALSE(ui::Application::IsModelessRegistered(page.Handle()));

    RecordingFilter filter;
    ui::Application::AddFilter(&filter);
    HWND pageEdit = page.Item(IDC_TEST_PAGE_EDIT);

    ::PostMessage(pageEdit, kCustomMessage, 0, 0);
    ASSERT_TRUE(ui::Application::PumpWaitingMessages());
    EXPECT_EQ(filter.seen, 1);
    ASSERT_EQ(order.size(), 1u);
    EXPECT_EQ(order[0], page.Handle());
    EXPECT_EQ(page.hostSeenAtMyTurn, 0u);
    EXPECT_EQ(host.preTranslated.size(), 1u);

    // A consuming filter stops the chain before any dialog.
    filter.consume = true;
    ::PostMessage(pageEdit, kCustomMessage, 0, 0);
    ASSERT_TRUE(ui::Application::PumpWaitingMessages());
    EXPECT_EQ(order.size(), 1u);
    EXPECT_EQ(host.preTranslated.size(), 1u);
    ui::Application::RemoveFilter(&filter);

    // A consuming dialog keeps the message from being dispatched.
    host.consumeKeys = true;
    ::PostMessage(host.Handle(), kCustomMessage, 3, 0);
    ASSERT_TRUE(ui::Application::PumpWaitingMessages());
    EXPECT_EQ(host.preTranslated.size(), 2u);
}

TEST(DialogTest, DestroyingTheMainWindowEndsTheMessageLoop) {
    class TestApplication : public ui::Application {
    public:
        bool InitInstance() override { return false; }
        int ExitInstance() override { return 9; }
    } application;
    EXPECT_EQ(ui::Application::Current(), &application);
    EXPECT_EQ(application.Run(), 9);

    FormDialog dialog;
    ASSERT_TRUE(dialog.Create());
    application.SetMainWindow(dialog.Handle());
    dialog.Destroy();
    EXPECT_EQ(application.MainWindow(), nullptr);
    MSG message{};
    bool quit = false;
    while (::PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quit = true;
    }
    EXPECT_TRUE(quit);
}

TEST(DialogTest, SubclassedControlsAnswerReflectedNotifications) {
    FormDialog dialog;
    dialog.ctlColorBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    ASSERT_TRUE(dialog.Create());
    SelfColouredLabel label;
    const int properties = PropertyCount(dialog.Item(IDC_TEST_LABEL));
    ASSERT_TRUE(label.SubclassItem(dialog.Handle(), IDC_TEST_LABEL));
    EXPECT_TRUE(label.subclassedCalled);
    EXPECT_EQ(ui::SubclassHook::FromHandle(label.Handle()), &label);
    // Nothing of the hook in the control's property list: under Wine every lookup
    // there is a round trip to the server, for every message the control gets.
    EXPECT_EQ(PropertyCount(label.Handle()), properties);

    HDC dc = ::GetDC(dialog.Handle());
    EXPECT_EQ(::SendMessage(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(label.Handle())),
              reinterpret_cast<LRESULT>(label.brush));

    // A control answering with the hollow brush gets the page's background instead;
    // with no page brush it keeps its hollow one.
    HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    label.brush = hollow;
    EXPECT_EQ(::SendMessage(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(label.Handle())),
              reinterpret_cast<LRESULT>(dialog.ctlColorBrush));
    dialog.ctlColorBrush = nullptr;
    EXPECT_EQ(::SendMessage(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(label.Handle())),
              reinterpret_cast<LRESULT>(hollow));
    label.brush = ::CreateSolidBrush(RGB(1, 2, 3));
    ::ReleaseDC(dialog.Handle(), dc);

    label.SetText(TEXT("changed"));
    EXPECT_EQ(label.setTextSeen, 1);
    EXPECT_EQ(label.Text(), ui::tstring(TEXT("changed")));

    // Taken off, the control is as before: its messages no longer pass the hook.
    HWND labelHandle = label.Handle();
    label.Unsubclass();
    EXPECT_EQ(ui::SubclassHook::FromHandle(labelHandle), nullptr);
    ::SetWindowText(labelHandle, TEXT("again"));
    EXPECT_EQ(label.setTextSeen, 1);
    ASSERT_TRUE(label.SubclassItem(dialog.Handle(), IDC_TEST_LABEL));
    label.SetText(TEXT("changed"));
    EXPECT_EQ(label.setTextSeen, 2);
    EXPECT_EQ(label.Text(), ui::tstring(TEXT("changed")));

    // The hook leaves with the control; nothing dangles afterwards.
    HWND labelWindow = label.Handle();
    dialog.Destroy();
    EXPECT_EQ(label.SubclassedHandle(), nullptr);
    EXPECT_EQ(ui::SubclassHook::FromHandle(labelWindow), nullptr);
}

}  // namespace
