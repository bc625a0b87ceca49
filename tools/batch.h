#pragma once

#include <string>
#include <string_view>

namespace tools {

/// Appends to `out` the answer to one batch line (its line end already removed): the five
/// result texts, or an ERROR line, each field separated by a tab, ended by '\n'. A trailing CR
/// is ignored. Returns whether the line computed.
bool AppendBatchLine(std::string_view line, std::string& out);

/// Splits a byte stream into lines and answers each; the stream may arrive in chunks that cut
/// lines anywhere. One instance per input file.
class BatchStream {
public:
    /// Answers every complete line of `chunk` (together with what earlier chunks left over).
    void Feed(std::string_view chunk, std::string& out);
    /// Answers a last line that had no line end.
    void Finish(std::string& out);
    /// Whether every line answered so far computed.
    bool all_computed() const { return all_computed_; }

private:
    void Split(std::string_view chunk, std::string& out);
    void Answer(std::string_view line, std::string& out);

    std::string pending_;  // an unfinished line, or bytes that may begin a byte-order mark
    bool bom_checked_ = false;
    bool all_computed_ = true;
};

}  // namespace tools
