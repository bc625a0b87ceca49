// The real disc-spring.exe as a user meets it, driven from another process as an automation
// tool would: started, its window found by title, its boxes and buttons found by their class
// and design position, typed into, clicked, read, its report box met, its tab order followed
// and closed. Runs under Wine in CI.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "ui/form_design.h"

namespace {

constexpr int kStartSeconds = 30;

bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::wstring Text(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        &length);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring Widen(const char* utf8) {
    wchar_t wide[256] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 256);
    return wide;
}

// A visible top-level window of the process with this class (any, when null) and title.
HWND TopLevel(DWORD process, const wchar_t* class_name, const wchar_t* title = nullptr) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, class_name, title));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT ClientRect(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

class Form1Window : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring program = std::filesystem::absolute(DISC_SPRING_EXE).wstring();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring line = L"\"" + program + L"\"";
        ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process_));
        // The window exists before its controls do: wait for all 23.
        ASSERT_TRUE(WaitFor(
            [this] {
                form_ = TopLevel(process_.dwProcessId, nullptr, L"Form1");
                return form_ != nullptr && Children(form_).size() == 23;
            },
            kStartSeconds * 1000));
        dpi_ = static_cast<int>(GetDpiForWindow(form_));
        for (std::size_t i = 0; i < ui::kForm1Controls.size(); ++i) {
            const ui::ControlDesign& design = ui::kForm1Controls[i];
            for (HWND child : Children(form_)) {
                const RECT at = ClientRect(child, form_);
                const bool kind =
                    ClassOf(child) == (design.kind == ui::ControlKind::kTextBox  ? L"Edit"
                                       : design.kind == ui::ControlKind::kButton ? L"Button"
                                                                                 : L"Static");
                if (kind && at.left == Px(design.left) && at.top == Px(design.top)) {
                    controls_[i] = child;
                }
            }
            if (design.kind == ui::ControlKind::kTextBox && controls_[i] != nullptr) {
                box_[design.box - 1] = controls_[i];
            }
        }
    }
    void TearDown() override {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }

    int Px(int twips) const { return ui::TwipsToPixels(twips, dpi_); }
    HWND Button(const char* caption) const {
        for (std::size_t i = 0; i < ui::kForm1Controls.size(); ++i) {
            if (std::string_view(ui::kForm1Controls[i].caption) == caption) {
                return controls_[i];
            }
        }
        return nullptr;
    }
    void Type(const std::vector<const char*>& inputs) {
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            SendMessageW(box_[i], WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(Widen(inputs[i]).c_str()));
        }
    }
    // Posted, not sent: a click that opens a modal box would hold a sender until it closes.
    void Click(const char* caption) { PostMessageW(Button(caption), BM_CLICK, 0, 0); }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (HWND box : box_) {
            texts.push_back(Text(box));
        }
        return texts;
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(process_.dwThreadId, &info);
        return info.hwndFocus;
    }
    void Key(HWND to, WPARAM key) {
        PostMessageW(to, WM_KEYDOWN, key, 1);
        PostMessageW(to, WM_KEYUP, key, 0xC0000001);
    }
    // Presses Tab, a key at a time, until the focus reaches `target` (at most once round).
    bool TabTo(HWND target) {
        for (int i = 0; i < 12 && Focus() != target; ++i) {
            const HWND from = Focus();
            Key(from, VK_TAB);
            if (!WaitFor([&] { return Focus() != from; })) {
                return false;
            }
        }
        return Focus() == target;
    }

    PROCESS_INFORMATION process_{};
    HWND form_ = nullptr;
    int dpi_ = 96;
    HWND controls_[23] = {};
    HWND box_[10] = {};
};

TEST_F(Form1Window, OpensAsDesigned) {
    RECT client{};
    GetClientRect(form_, &client);
    EXPECT_EQ(client.right, Px(ui::kClientWidthTwips));
    EXPECT_EQ(client.bottom, Px(ui::kClientHeightTwips));
    // The design's three icon images, and larger ones, in the program's icon group.
    HMODULE exe = LoadLibraryExW(std::filesystem::absolute(DISC_SPRING_EXE).wstring().c_str(),
                                 nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* icons = static_cast<const BYTE*>(LockResource(LoadResource(exe, group)));
    std::vector<std::tuple<int, int, int>> images;  // size, colours, bits
    for (int i = 0; i < *reinterpret_cast<const WORD*>(icons + 4); ++i) {
        const BYTE* entry = icons + 6 + 14 * i;
        images.emplace_back(entry[0] == 0 ? 256 : entry[0], entry[2],
                            *reinterpret_cast<const WORD*>(entry + 6));
    }
    FreeLibrary(exe);
    for (const auto& image :
         {std::make_tuple(32, 2, 1), std::make_tuple(32, 16, 4), std::make_tuple(16, 16, 4)}) {
        EXPECT_NE(std::find(images.begin(), images.end(), image), images.end());
    }
    for (std::size_t i = 0; i < ui::kForm1Controls.size(); ++i) {
        const ui::ControlDesign& design = ui::kForm1Controls[i];
        ASSERT_NE(controls_[i], nullptr) << design.name;
        const RECT at = ClientRect(controls_[i], form_);
        EXPECT_EQ(at.right - at.left, Px(design.width)) << design.name;
        // A label lower than a line of its font grows downwards; nothing else changes size.
        EXPECT_TRUE(design.kind == ui::ControlKind::kLabel
                        ? at.bottom - at.top >= Px(design.height)
                        : at.bottom - at.top == Px(design.height))
            << design.name;
        EXPECT_EQ(Text(controls_[i]), Widen(design.caption)) << design.name;
    }
}

TEST_F(Form1Window, FocusStartsOnDAndTabFollowsTheDesign) {
    EXPECT_EQ(Focus(), box_[0]);
    // clang-format off
    const std::vector<HWND> expected = {box_[1], box_[2], box_[3], box_[4], box_[5], box_[6],
                                        box_[7], box_[8], Button("自动计算"), Button("重新输入"),
                                        box_[9], box_[0]};
    // clang-format on
    for (HWND next : expected) {
        Key(Focus(), VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return Focus() == next; }, 2000)) << Text(next).size();
    }
}

TEST_F(Form1Window, CalculatesReportsAFaultClearsAndCloses) {
    Type({"100", "51", "3.5", "6.3", "1.4"});
    Click("自动计算");
    ASSERT_TRUE(WaitFor([this] { return !Text(box_[9]).empty(); }));
    // clang-format off
    const std::vector<std::wstring> worked = {L"100", L"51", L"3.5", L"6.3", L"1.4",
        L"9822.55688774516", L"617.501704752074", L"-1350.87984743535", L"411.326288335194",
        L"749.011484596736"};
    // clang-format on
    EXPECT_EQ(Texts(), worked);
    // σ1 is wider than its box: its sign and leading digits are in view, also when Tab brings
    // the focus to it, which selects the whole text with the caret at its start.
    const auto first_visible = [](HWND box) {
        RECT client{};
        GetClientRect(box, &client);
        return LOWORD(SendMessageW(box, EM_CHARFROMPOS, 0, MAKELPARAM(3, client.bottom / 2)));
    };
    EXPECT_EQ(first_visible(box_[7]), 0);
    ASSERT_TRUE(TabTo(box_[7]));
    EXPECT_TRUE(WaitFor([&] {
        const auto selection = static_cast<DWORD>(SendMessageW(box_[7], EM_GETSEL, 0, 0));
        return LOWORD(selection) == 0 && HIWORD(selection) == worked[7].size() &&
               first_visible(box_[7]) == 0;
    }));

    // Enter in a box does nothing.
    Key(box_[0], VK_RETURN);
    Key(box_[0], VK_ESCAPE);
    Type({"50", "50", "1", "2", "1"});
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(Texts()[5], worked[5]);
    EXPECT_EQ(TopLevel(process_.dwProcessId, L"#32770"), nullptr);

    // The report, with the results already emptied; the inputs stay.
    Click("自动计算");
    HWND report = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (report = TopLevel(process_.dwProcessId, L"#32770")) != nullptr; }));
    EXPECT_EQ(Text(report), Widen("碟形弹簧的设计计算"));
    std::vector<std::wstring> said;  // each text of the box, line ends as \n
    HWND ok = nullptr;
    for (HWND child : Children(report)) {
        std::wstring text = Text(child);
        std::erase(text, L'\r');
        said.push_back(text);
        if (ClassOf(child) == L"Button") {
            ok = child;
        }
    }
    EXPECT_NE(std::find(said.begin(), said.end(),
                        Widen("实时错误 '11':\n\n除数为零\n\n在计算 K1 时停止。")),
              said.end());
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(Text(ok), Widen("确定"));
    const std::vector<std::wstring> emptied = {L"50", L"50", L"1", L"2", L"1",
                                               L"",   L"",   L"",  L"",  L""};
    EXPECT_EQ(Texts(), emptied);
    PostMessageW(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(report); }));

    // Enter on a focused button runs it; then the clear button empties all ten.
    Type({"100", "51", "3.5", "6.3", "1.4"});
    ASSERT_TRUE(TabTo(Button("自动计算")));
    Key(Focus(), VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return Texts() == worked; }));
    Click("重新输入");
    EXPECT_TRUE(WaitFor([&] { return Texts() == std::vector<std::wstring>(10); }));

    // Closing the window ends the program at once, whatever the boxes hold.
    Type({"100", "51", "3.5", "6.3", "1.4"});
    PostMessageW(form_, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
}
