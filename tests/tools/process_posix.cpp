#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "process.h"

namespace test_process {
namespace {

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

}  // namespace

Finished Run(const std::string& program, const std::vector<std::string>& args,
             const std::string& input) {
    const std::string out = input + ".out", err = input + ".err";
    std::vector<char*> argv = Argv(program, args);
    const pid_t child = fork();
    if (child == 0) {
        const int in_fd = open(input.c_str(), O_RDONLY);
        const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in_fd, 0);
        dup2(out_fd, 1);
        dup2(err_fd, 2);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int raw = 0;
    waitpid(child, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

struct CoProcess::Pipes {
    pid_t child;
    int to, from;
};

CoProcess::CoProcess(const std::string& program) : pipes_(new Pipes{}) {
    int to[2], from[2];
    if (pipe(to) != 0 || pipe(from) != 0) {
        return;
    }
    std::vector<char*> argv = Argv(program, {});
    pipes_->child = fork();
    if (pipes_->child == 0) {
        dup2(to[0], 0);
        dup2(from[1], 1);
        close(to[1]);
        close(from[0]);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(to[0]);
    close(from[1]);
    pipes_->to = to[1];
    pipes_->from = from[0];
}

CoProcess::~CoProcess() {
    close(pipes_->to);
    close(pipes_->from);
    waitpid(pipes_->child, nullptr, 0);
    delete pipes_;
}

bool CoProcess::Write(const std::string& text) {
    return write(pipes_->to, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::optional<std::string> CoProcess::ReadLine(int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (buffered_.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{pipes_->from, POLLIN, 0};
        char chunk[256];
        ssize_t got = 0;
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0 ||
            (got = read(pipes_->from, chunk, sizeof chunk)) <= 0) {
            return std::nullopt;
        }
        buffered_.append(chunk, static_cast<std::size_t>(got));
    }
    return TakeLine(buffered_);
}

}  // namespace test_process
