#include "curve/rows_model.h"

namespace curve {

void RowsModel::setRows(QStringList header, std::vector<QStringList> rows) {
    beginResetModel();
    header_ = std::move(header);
    rows_ = std::move(rows);
    endResetModel();
}

int RowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    const QStringList& row = rows_[index.row()];
    return index.column() < row.size() ? row[index.column()] : QString();
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
