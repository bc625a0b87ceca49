#include "tools/batch.h"

#include <array>
#include <charconv>
#include <optional>

#include "calc/characteristic.h"
#include "calc/spring_text.h"

namespace tools {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kSpillAt = 1 << 20;

// Splits at tabs into at most fields.size() views; returns how many fields there are in all.
template <std::size_t Size>
std::size_t SplitFields(std::string_view line, std::array<std::string_view, Size>& fields) {
    if (line.empty()) {
        return 0;
    }
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        if (count < Size) {
            fields[count] = line.substr(start, tab - start);
        }
        ++count;
        if (tab == std::string_view::npos) {
            return count;
        }
        start = tab + 1;
    }
}

std::string FieldCountMessage(std::string_view wanted, std::size_t found) {
    return "需要 " + std::string(wanted) + " 个以制表符分隔的字段，找到 " + std::to_string(found) +
           " 个";
}

// A whole decimal integer from 1 to max, or nothing.
bool ReadCount(std::string_view text, int max, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 1 && value <= max;
}

}  // namespace

runtime::Expected<BatchArguments, std::string> ParseBatchArguments(
    const std::vector<std::string_view>& args) {
    BatchArguments parsed;
    bool options_done = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options_done || arg == "-" || !arg.starts_with('-')) {
            parsed.files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            options_done = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            parsed.help = true;
            continue;
        }
        if (arg == "--check") {
            parsed.options.columns.check = true;
            continue;
        }
        const std::string_view name = arg.substr(0, arg.find('='));
        int* target = nullptr;
        int max = calc::kMaxStackCount;
        if (name == "--curve") {
            target = &parsed.options.curve_steps;
            max = calc::kMaxCurveSteps;
        } else if (name == "--series" || name == "--parallel") {
            std::optional<calc::StackLayout>& stack = parsed.options.columns.stack;
            if (!stack) {
                stack.emplace();
            }
            target = name == "--series" ? &stack->series : &stack->parallel;
        }
        if (target == nullptr) {
            return "未知选项 '" + std::string(arg) + "'（用 --help 查看用法）";
        }
        std::string_view value;
        if (name.size() < arg.size()) {
            value = arg.substr(name.size() + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return "选项 " + std::string(name) + " 缺少数值";
        }
        if (!ReadCount(value, max, *target)) {
            return "选项 " + std::string(name) + " 的数值 '" + std::string(value) +
                   "' 不能用：应为 1 到 " + std::to_string(max) + " 的整数";
        }
    }
    if (parsed.files.empty()) {
        parsed.files.emplace_back("-");
    }
    return parsed;
}

void AppendBatchHeader(const BatchOptions& options, std::string& out) {
    if (options.curve_steps > 0) {
        calc::AppendCurveTableHeader(options.columns, out);
    }
}

BatchStream::BatchStream(const BatchOptions& options, std::int64_t& numbering,
                         std::function<void(std::string&)> spill)
    : options_(options), numbering_(numbering), spill_(std::move(spill)) {}

void BatchStream::Feed(std::string_view chunk, std::string& out) {
    if (!bom_checked_) {
        // A byte-order mark from a Windows editor is not part of the first D. It may arrive
        // split across chunks, so bytes are held back until it is decided.
        pending_ += chunk;
        if (pending_.size() < kUtf8Bom.size() && kUtf8Bom.starts_with(pending_)) {
            return;
        }
        if (pending_.starts_with(kUtf8Bom)) {
            pending_.erase(0, kUtf8Bom.size());
        }
        bom_checked_ = true;
        std::string held;
        held.swap(pending_);
        Split(held, out);
        return;
    }
    Split(chunk, out);
}

void BatchStream::Finish(std::string& out) {
    bom_checked_ = true;
    if (!pending_.empty()) {
        Answer(pending_, out);
        pending_.clear();
    }
}

void BatchStream::Split(std::string_view chunk, std::string& out) {
    std::size_t start = 0;
    if (!pending_.empty()) {
        const std::size_t end = chunk.find('\n');
        if (end == std::string_view::npos) {
            pending_ += chunk;
            return;
        }
        pending_ += chunk.substr(0, end);
        Answer(pending_, out);
        pending_.clear();
        start = end + 1;
    }
    for (;;) {
        const std::size_t end = chunk.find('\n', start);
        if (end == std::string_view::npos) {
            pending_ += chunk.substr(start);
            return;
        }
        Answer(chunk.substr(start, end - start), out);
        start = end + 1;
    }
}

void BatchStream::Answer(std::string_view line, std::string& out) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    ++numbering_;
    if (options_.curve_steps > 0) {
        AnswerCurve(line, out);
    } else {
        AnswerPlain(line, out);
    }
}

void BatchStream::AnswerPlain(std::string_view line, std::string& out) {
    calc::InputTexts fields;
    const std::size_t count = SplitFields(line, fields);
    if (count != fields.size()) {
        calc::AppendUnreadableRow(FieldCountMessage("5", count), options_.columns, out);
        out += '\n';
        all_computed_ = false;
        return;
    }
    const auto inputs = calc::ReadInputs(fields);
    const auto row = inputs
                         ? calc::CalculateRow(*inputs, options_.columns)
                         : runtime::Expected<calc::RowResults, calc::SpringFault>(inputs.error());
    calc::AppendRowFields(row, inputs ? &*inputs : nullptr, options_.columns, out);
    out += '\n';
    all_computed_ = all_computed_ && row.has_value();
}

void BatchStream::AnswerCurve(std::string_view line, std::string& out) {
    std::array<std::string_view, 5> fields;
    const std::size_t count = SplitFields(line, fields);
    if (count != 4 && count != 5) {
        out += std::to_string(numbering_);
        out += '\t';
        calc::AppendUnreadableRow(FieldCountMessage("4 或 5", count), options_.columns, out);
        out += '\n';
        all_computed_ = false;
        return;
    }
    const auto curve =
        calc::ReadCurve({{fields[0], fields[1], fields[2], fields[3]}, count == 5 ? fields[4] : ""},
                        options_.curve_steps);
    for (int k = 0; k <= options_.curve_steps; ++k) {
        const calc::CurveRow row = calc::CurveRowAt(curve, k, options_.columns);
        calc::AppendCurveTableRow(numbering_, row, options_.columns, out);
        all_computed_ = all_computed_ && row.results.has_value();
        if (spill_ && out.size() >= kSpillAt) {
            spill_(out);
        }
    }
}

}  // namespace tools
