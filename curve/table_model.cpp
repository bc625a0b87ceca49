#include "curve/rows_model.h"

namespace curve {
namespace {

// The fields of a line after the spring number.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    line.remove_prefix(std::min(line.size(), line.find('\t') + 1));
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "f", "ERROR", number, text, quantity.
bool IsFault(const std::vector<std::string_view>& fields) {
    return fields.size() >= 5 && fields[1] == "ERROR";
}

}  // namespace

void RowsModel::setTable(std::shared_ptr<const CurveTable> table) {
    beginResetModel();
    table_ = std::move(table);
    header_.clear();
    if (table_ && !table_->starts.empty()) {
        for (const std::string_view field : Fields(table_->line(-1))) {
            header_ << FromUtf8(field);
        }
    }
    endResetModel();
}

int RowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : table_->rows();
}

int RowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QString RowsModel::cell(int row, int column) const {
    const std::vector<std::string_view> fields = Fields(table_->line(row));
    if (!IsFault(fields)) {
        return column < static_cast<int>(fields.size()) ? FromUtf8(fields[column]) : QString();
    }
    // f, then the report across the numeric columns, then what follows them (the checks).
    const int after = 1 + table_->fault_span;
    if (column == 0) {
        return FromUtf8(fields[0]);
    }
    if (column == 1) {
        return FromUtf8(fields[1]) + ' ' + FromUtf8(fields[2]) + ' ' + FromUtf8(fields[3]) + ' ' +
               FromUtf8(fields[4]);
    }
    const int field = 5 + column - after;
    return column >= after && field < static_cast<int>(fields.size()) ? FromUtf8(fields[field])
                                                                      : QString();
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || !table_) {
        return {};
    }
    return cell(index.row(), index.column());
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section;  // k, from 0
    }
    return section < header_.size() ? header_[section] : QString();
}

}  // namespace curve
