#pragma once

// Runs a program as a script would, without a shell, on POSIX systems and on Windows alike.

#include <optional>
#include <string>
#include <vector>

namespace test_process {

/// What a finished program left: its exit status and what it wrote.
struct Finished {
    int status = -1;  ///< -1 when it could not be started or did not exit by itself
    std::string out, err;
};

/// Runs `program` with `args`, its standard input read from the file `input`, and waits.
Finished Run(const std::string& program, const std::vector<std::string>& args,
             const std::string& input);

/// A file's bytes; empty when it cannot be read.
std::string Slurp(const std::string& name);

/// Takes the first line, without its line end, from `buffered` when it holds a whole one.
std::optional<std::string> TakeLine(std::string& buffered);

/// A program running with pipes to its standard input and output.
class CoProcess {
public:
    explicit CoProcess(const std::string& program);
    ~CoProcess();
    CoProcess(const CoProcess&) = delete;
    CoProcess& operator=(const CoProcess&) = delete;

    bool Write(const std::string& text);
    /// The next line it writes, without its line end, or nothing within `timeout_ms`.
    std::optional<std::string> ReadLine(int timeout_ms);

private:
    struct Pipes;
    Pipes* pipes_;
    std::string buffered_;
};

}  // namespace test_process
