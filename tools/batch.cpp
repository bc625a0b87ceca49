#include "tools/batch.h"

#include "calc/spring_text.h"
#include "runtime/fault.h"

namespace tools {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

bool AppendBatchLine(std::string_view line, std::string& out) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }

    calc::InputTexts fields;
    std::size_t count = 0;
    if (!line.empty()) {
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            if (count < fields.size()) {
                fields[count] = line.substr(start, tab - start);
            }
            ++count;
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
    }
    if (count != fields.size()) {
        out += "ERROR\t\t需要 5 个以制表符分隔的字段，找到 ";
        out += std::to_string(count);
        out += " 个\n";
        return false;
    }

    const auto results = calc::CalculateTexts(fields);
    if (!results) {
        const calc::SpringFault& fault = results.error();
        out += "ERROR\t";
        out += std::to_string(runtime::FaultNumber(fault.fault.kind));
        out += '\t';
        out += runtime::FaultText(fault.fault.kind);
        out += '\t';
        out += calc::QuantitySymbol(fault.quantity);
        out += '\n';
        return false;
    }
    for (std::size_t i = 0; i < results->size(); ++i) {
        out += (*results)[i].view();
        out += i + 1 < results->size() ? '\t' : '\n';
    }
    return true;
}

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
    if (!AppendBatchLine(line, out)) {
        all_computed_ = false;
    }
}

}  // namespace tools
