#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "curve/curve_content.h"

namespace curve {

/// The characteristic table, read off the batch tool's text a visible cell at a time, without
/// the spring number. A fault row shows its report in one cell that spans the numeric columns
/// ("ERROR 11 除数为零 K1"); the view sets the spans (CurveTable::fault_rows, fault_span).
class RowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(std::shared_ptr<const CurveTable> table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cell(int row, int column) const;

    std::shared_ptr<const CurveTable> table_;
    QStringList header_;
};

}  // namespace curve
