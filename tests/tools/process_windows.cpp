#include <windows.h>

#include <chrono>

#include "process.h"

namespace test_process {
namespace {

std::wstring Wide(const std::string& text) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// One argument as the C runtime splits a command line: quoted, backslashes before a quote
// doubled.
std::wstring Quoted(const std::string& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : Wide(arg)) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

std::wstring CommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::wstring line = Quoted(program);
    for (const std::string& arg : args) {
        line += L" " + Quoted(arg);
    }
    return line;
}

HANDLE Inheritable(const std::string& name, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(Wide(name).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Start(const std::string& program, const std::vector<std::string>& args, HANDLE in, HANDLE out,
           HANDLE err, PROCESS_INFORMATION& started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring line = CommandLine(program, args);
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &started) != 0;
}

}  // namespace

Finished Run(const std::string& program, const std::vector<std::string>& args,
             const std::string& input) {
    const std::string out = input + ".out", err = input + ".err";
    HANDLE in_handle = Inheritable(input, false);
    HANDLE out_handle = Inheritable(out, true);
    HANDLE err_handle = Inheritable(err, true);
    PROCESS_INFORMATION started{};
    const bool ok = Start(program, args, in_handle, out_handle, err_handle, started);
    CloseHandle(in_handle);
    CloseHandle(out_handle);
    CloseHandle(err_handle);
    if (!ok) {
        return {};
    }
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    return {static_cast<int>(code), Slurp(out), Slurp(err)};
}

struct CoProcess::Pipes {
    HANDLE to = nullptr, from = nullptr;
    PROCESS_INFORMATION started{};
};

CoProcess::CoProcess(const std::string& program) : pipes_(new Pipes{}) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE child_in = nullptr, child_out = nullptr;
    CreatePipe(&child_in, &pipes_->to, &inherit, 0);
    CreatePipe(&pipes_->from, &child_out, &inherit, 0);
    SetHandleInformation(pipes_->to, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(pipes_->from, HANDLE_FLAG_INHERIT, 0);
    Start(program, {}, child_in, child_out, GetStdHandle(STD_ERROR_HANDLE), pipes_->started);
    CloseHandle(child_in);
    CloseHandle(child_out);
}

CoProcess::~CoProcess() {
    CloseHandle(pipes_->to);
    CloseHandle(pipes_->from);
    if (pipes_->started.hProcess != nullptr) {
        WaitForSingleObject(pipes_->started.hProcess, 10000);
        CloseHandle(pipes_->started.hProcess);
        CloseHandle(pipes_->started.hThread);
    }
    delete pipes_;
}

bool CoProcess::Write(const std::string& text) {
    DWORD written = 0;
    return WriteFile(pipes_->to, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) !=
               0 &&
           written == text.size();
}

// A pipe cannot be waited on with a timeout: look for bytes until they come or time is up.
std::optional<std::string> CoProcess::ReadLine(int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (buffered_.find('\n') == std::string::npos) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipes_->from, nullptr, 0, nullptr, &available, nullptr)) {
            return std::nullopt;
        }
        if (available == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                return std::nullopt;
            }
            Sleep(5);
            continue;
        }
        char chunk[256];
        DWORD got = 0;
        if (!ReadFile(pipes_->from, chunk, sizeof chunk < available ? sizeof chunk : available,
                      &got, nullptr)) {
            return std::nullopt;
        }
        buffered_.append(chunk, got);
    }
    return TakeLine(buffered_);
}

}  // namespace test_process
