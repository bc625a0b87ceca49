#include "process.h"

#include <fstream>
#include <iterator>

namespace test_process {

std::string Slurp(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::optional<std::string> TakeLine(std::string& buffered) {
    const std::size_t end = buffered.find('\n');
    if (end == std::string::npos) {
        return std::nullopt;
    }
    std::string line = buffered.substr(0, end);
    buffered.erase(0, end + 1);
    return line;
}

}  // namespace test_process
