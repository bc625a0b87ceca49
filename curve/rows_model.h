#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace curve {

/// A read-only table of texts with named columns.
class RowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QStringList header, std::vector<QStringList> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList header_;
    std::vector<QStringList> rows_;
};

}  // namespace curve
