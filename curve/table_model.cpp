// The characteristic table's cells, worded as rows come into view.
#include "curve/table_model.h"

namespace curve {

void TableModel::setSheet(std::shared_ptr<const design::Sheet> sheet) {
    beginResetModel();
    sheet_ = std::move(sheet);
    header_.clear();
    spans_.clear();
    cached_ = -1;
    for (const std::string& name :
         sheet_ ? design::HeaderCells(*sheet_) : std::vector<std::string>()) {
        header_ << QString::fromStdString(name);
    }
    rows_ = sheet_ ? static_cast<int>(design::TableRowCount(*sheet_)) : 0;
    for (int k = 0; k < rows_; ++k) {
        if (const int span = design::TableRowSpan(*sheet_, static_cast<std::size_t>(k)); span > 1) {
            spans_.emplace_back(k, span);
        }
    }
    endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || !sheet_) {
        return {};
    }
    if (cached_ != index.row()) {
        cells_ = design::TableRowAt(*sheet_, static_cast<std::size_t>(index.row()));
        cached_ = index.row();
    }
    // Behind a spanning error cell come the checks, in the last column.
    int cell = index.column();
    if (cells_.span > 1 && cell > 1) {
        cell = cell < 1 + cells_.span ? -1 : cell - cells_.span + 1;
    }
    return cell >= 0 && cell < static_cast<int>(cells_.cells.size())
               ? QString::fromStdString(cells_.cells[static_cast<std::size_t>(cell)])
               : QString();
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section;  // k, from 0
    }
    return section < header_.size() ? header_[section] : QString();
}

}  // namespace curve
