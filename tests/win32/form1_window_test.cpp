// The real disc-spring.exe as a user meets it, driven from another process as an automation
// tool would: started, its window found by title, its boxes and buttons found by their class
// and design position; the calculator's scenarios (typed into, clicked, read, its report box
// met, its tab order followed); closed. Runs under Wine in CI. Messages are posted, not sent: a
// click that opens a modal box would hold a sender until it closes.

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

#include "scenarios/scenarios.h"
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
    // A control by the name the design gives it (Text1, Command1 …).
    HWND Control(const nlohmann::json& name) const {
        for (std::size_t i = 0; i < ui::kForm1Controls.size(); ++i) {
            if (ui::kForm1Controls[i].name == name.get<std::string>()) {
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

// The first text of a box in view: 0 when its start shows.
int FirstVisible(HWND box) {
    RECT client{};
    GetClientRect(box, &client);
    return LOWORD(SendMessageW(box, EM_CHARFROMPOS, 0, MAKELPARAM(3, client.bottom / 2)));
}

std::vector<std::wstring> Wide(const nlohmann::json& texts) {
    std::vector<std::wstring> wide;
    for (const auto& text : texts) {
        wide.push_back(Widen(text.get<std::string>().c_str()));
    }
    return wide;
}

// The calculator's scenarios, driven from outside as an automation tool would.
class Scenarios : public Form1Window, public testing::WithParamInterface<std::size_t> {};

TEST_P(Scenarios, AsTheTableSays) {
    for (const auto& step : scenarios::Calculator()[GetParam()]["steps"]) {
        const auto named = [&](const char* key) { return Control(step[key]); };
        if (step.contains("type")) {
            std::vector<std::string> texts = step["type"];
            std::vector<const char*> typed;
            for (const std::string& text : texts) {
                typed.push_back(text.c_str());
            }
            Type(typed);
        } else if (step.contains("press")) {
            PostMessageW(named("press"), BM_CLICK, 0, 0);
        } else if (step.contains("enter")) {
            ASSERT_TRUE(TabTo(named("enter")));
            Key(Focus(), VK_RETURN);
        } else if (step.contains("key")) {
            Key(Control(step["key"][0]), step["key"][1] == "Enter" ? VK_RETURN : VK_ESCAPE);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        } else if (step.contains("report")) {
            HWND report = nullptr;
            ASSERT_TRUE(WaitFor(
                [&] { return (report = TopLevel(process_.dwProcessId, L"#32770")) != nullptr; }));
            EXPECT_EQ(Text(report), Widen("碟形弹簧的设计计算"));
            std::vector<std::wstring> said;  // each text of the box, line ends as \n
            HWND ok = nullptr;
            for (HWND child : Children(report)) {
                std::wstring text = Text(child);
                std::erase(text, L'\r');
                said.push_back(text);
                ok = ClassOf(child) == L"Button" ? child : ok;
            }
            const std::wstring text = Widen(step["report"].get<std::string>().c_str());
            EXPECT_NE(std::find(said.begin(), said.end(), text), said.end());
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(Text(ok), Widen("确定"));
            EXPECT_EQ(Texts(), Wide(step["shows"]));
            PostMessageW(ok, BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(report); }));
        } else if (step.contains("shows")) {
            EXPECT_TRUE(WaitFor([&] { return Texts() == Wide(step["shows"]); }));
            EXPECT_EQ(TopLevel(process_.dwProcessId, L"#32770"), nullptr);
        } else if (step.contains("focus")) {
            EXPECT_EQ(Focus(), named("focus"));
        } else if (step.contains("tab")) {
            // Round the window: after the last control, the first again.
            std::vector<HWND> expected;
            for (const auto& next : step["tab"]) {
                expected.push_back(Control(next));
            }
            expected.push_back(box_[0]);
            for (HWND next : expected) {
                Key(Focus(), VK_TAB);
                EXPECT_TRUE(WaitFor([&] { return Focus() == next; }, 2000)) << Text(next).size();
            }
        } else if (step.contains("results_from_start")) {
            for (int i = 5; i < 10; ++i) {
                EXPECT_EQ(FirstVisible(box_[i]), 0) << i;
            }
        } else if (step.contains("tab_selects")) {
            // Tab selects the whole text with the caret at its start, the start in view.
            HWND result = named("tab_selects");
            ASSERT_TRUE(TabTo(result));
            const std::size_t length = Text(result).size();
            EXPECT_TRUE(WaitFor([&] {
                const auto selection = static_cast<DWORD>(SendMessageW(result, EM_GETSEL, 0, 0));
                return LOWORD(selection) == 0 && HIWORD(selection) == length &&
                       FirstVisible(result) == 0;
            }));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Calculator, Scenarios,
                         testing::Range(std::size_t{0}, scenarios::Calculator().size()));

// Closing the window ends the program at once, whatever the boxes hold.
TEST_F(Form1Window, ClosesAtOnce) {
    Type({"100", "51", "3.5", "6.3", "1.4"});
    PostMessageW(form_, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
}
