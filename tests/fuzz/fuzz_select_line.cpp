// Any bytes as requirement lines of disc-spring-batch --select, with options the first byte
// chooses: every line gets rows, each led by its number, either an ERROR row with a reason or a
// candidate with the header's count of cells, ranked catalogue first; at most --best of the
// catalogue's and --special special ones a line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "batch/select.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.empty()) {
        return 0;
    }
    const int choice = static_cast<unsigned char>(input[0]);
    input.remove_prefix(1);
    std::vector<std::string_view> args = {"--select", "--max-series", "4", "--max-parallel", "2"};
    if (choice & 1) {
        args.insert(args.end(), {"--given", "F"});
    }
    if (choice & 2) {
        args.emplace_back("--dynamic");
    }
    if (choice & 4) {
        args.insert(args.end(), {"--clearance", "0", "--tolerance", "20"});
    }
    if (choice & 8) {
        args.insert(args.end(), {"--friction", "0.02,0.03", "--material", "190000,0.3"});
    }
    const std::string best = std::to_string(1 + (choice >> 4) % 4);
    const std::string special_limit = std::to_string((choice >> 6) % 3);
    args.insert(args.end(), {"--best", best, "--special", special_limit});
    const auto parsed = batch::ParseBatchArguments(args);
    if (!parsed) {
        __builtin_trap();
    }
    std::string header;
    batch::AppendSelectHeader(*parsed->options.select, header);
    std::size_t columns = 1;
    for (const char c : header) {
        columns += c == '\t';
    }
    std::int64_t numbering = 0;
    batch::BatchStream stream(parsed->options, numbering);
    std::string out;
    stream.Feed(input, out);
    stream.Finish(out);

    std::int64_t line = 0;
    int catalogue = 0, made = 0;
    for (std::string_view rest = out; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            __builtin_trap();  // every row ends
        }
        const std::string_view row = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        const std::int64_t number = std::stoll(std::string(row.substr(0, row.find('\t'))));
        if (number != line) {
            line = number;
            catalogue = made = 0;
        }
        std::size_t cells = 1;
        for (const char c : row) {
            cells += c == '\t';
        }
        if (row.find("\tERROR\t") != std::string_view::npos) {
            if (cells != 3 || catalogue + made != 0) {
                __builtin_trap();  // a line's refusal stands alone, with a reason
            }
            continue;
        }
        if (cells != columns) {
            __builtin_trap();
        }
        // The catalogue's first, at most --best of them; then at most --special special ones.
        const bool special = row.find("\t特制\t") != std::string_view::npos;
        const int count = special ? ++made : (made > 0 ? 1000 : ++catalogue);
        if (count > std::stoi(special ? special_limit : best)) {
            __builtin_trap();
        }
    }
    if (line != numbering) {
        __builtin_trap();  // every line answered
    }
    return 0;
}
