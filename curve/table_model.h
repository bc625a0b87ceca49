// The characteristic table as a Qt model over a design sheet.
#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "design/sheet.h"
#include "design/sheet_text.h"

namespace curve {

/// The characteristic table of a design sheet, its cells worded a visible row at a time
/// (design::TableRowAt). A row without numbers shows its error in one cell that spans the
/// numeric columns ("ERROR 11 除数为零 K1"); the view sets the spans (spans()).
class TableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSheet(std::shared_ptr<const design::Sheet> sheet);
    /// The rows that span their error across columns, and how many columns from the second.
    const std::vector<std::pair<int, int>>& spans() const { return spans_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const design::Sheet> sheet_;
    QStringList header_;
    std::vector<std::pair<int, int>> spans_;
    // The last row worded: a view asks for its cells one after another.
    int rows_ = 0;
    mutable int cached_ = -1;
    mutable design::TableRow cells_;
};

}  // namespace curve
