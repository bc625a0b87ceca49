// A row's cells, joined by tabs or kept one by one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rows {

/// Receives the cells of a row, one text at a time, in column order (UTF-8). A row is a list of
/// cells: the batch tool joins them with tabs, a window's table takes them one by one.
class CellSink {
public:
    virtual void Cell(std::string_view text) = 0;

protected:
    ~CellSink() = default;
};

/// Cells joined by tabs at the end of a text: a batch line without its line end.
class TabJoined final : public CellSink {
public:
    explicit TabJoined(std::string& out) : out_(out) {}
    void Cell(std::string_view text) override {
        if (!first_) {
            out_ += '\t';
        }
        out_ += text;
        first_ = false;
    }

private:
    std::string& out_;
    bool first_ = true;
};

/// Cells kept as texts.
class CellList final : public CellSink {
public:
    void Cell(std::string_view text) override { cells.emplace_back(text); }
    std::vector<std::string> cells;
};

}  // namespace rows
