// The progressive stack dialog: packets added, removed, moved and typed in a table.
#include "curve/packets_dialog.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calc/catalogue.h"
#include "curve/words.h"
#include "runtime/text_number.h"

namespace curve {
namespace {

// The spring's editor offers the catalogue's names as they are typed ("B" → "B 40" …).
class SpringDelegate : public QStyledItemDelegate {
public:
    explicit SpringDelegate(QObject* parent) : QStyledItemDelegate(parent) {
        for (const calc::CatalogueSpring& spring : calc::Din2093()) {
            names_ << QString::fromStdString(spring.Name());
        }
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            auto* completer = new QCompleter(names_, line);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            line->setCompleter(completer);
        }
        return editor;
    }

private:
    QStringList names_;
};

}  // namespace

PacketsDialog::PacketsDialog(const std::vector<design::PacketText>& packets, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Say(design::kPacketsLabel));
    auto* about = new QLabel(Say(design::kPacketsHint), this);
    about->setWordWrap(true);
    table_ = new QTableWidget(0, static_cast<int>(design::kPacketFields.size()), this);
    table_->setAccessibleName(Say(design::Word::kPacketsTable));
    QStringList captions;
    for (std::size_t c = 0; c < design::kPacketFields.size(); ++c) {
        captions << Say(design::kPacketFields[c].caption);
        auto* header = new QTableWidgetItem(captions.back());
        header->setToolTip(Say(design::kPacketFields[c].hint));
        table_->setHorizontalHeaderItem(static_cast<int>(c), header);
    }
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->setItemDelegateForColumn(1, new SpringDelegate(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);  // Tab moves on to the buttons
    about->setBuddy(table_);
    for (const design::PacketText& packet : packets) {
        addRow(packet, table_->rowCount());
    }

    auto* side = new QVBoxLayout;
    const auto button = [this, side](design::Word caption) {
        auto* made = new QPushButton(Say(caption), this);
        made->setAccessibleName(made->text());
        side->addWidget(made);
        return made;
    };
    connect(button(design::Word::kAddPacket), &QPushButton::clicked, this,
            &PacketsDialog::addClicked);
    connect(button(design::Word::kRemovePacket), &QPushButton::clicked, this,
            &PacketsDialog::removeClicked);
    connect(button(design::Word::kPacketUp), &QPushButton::clicked, this,
            [this] { moveClicked(-1); });
    connect(button(design::Word::kPacketDown), &QPushButton::clicked, this,
            [this] { moveClicked(1); });
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(table_, 1);
    middle->addLayout(side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    resize(640, 360);
}

void PacketsDialog::addRow(const design::PacketText& packet, int at) {
    table_->insertRow(at);
    for (std::size_t c = 0; c < design::kPacketFields.size(); ++c) {
        auto* item =
            new QTableWidgetItem(QString::fromStdString(packet.*design::kPacketFields[c].text));
        item->setToolTip(Say(design::kPacketFields[c].hint));
        table_->setItem(at, static_cast<int>(c), item);
    }
}

std::vector<design::PacketText> PacketsDialog::packets() const {
    std::vector<design::PacketText> packets;
    for (int row = 0; row < table_->rowCount(); ++row) {
        design::PacketText packet;
        bool blank = true;
        for (std::size_t c = 0; c < design::kPacketFields.size(); ++c) {
            const QTableWidgetItem* item = table_->item(row, static_cast<int>(c));
            packet.*design::kPacketFields[c].text = item ? item->text().toStdString() : "";
            blank = blank && runtime::IsBlank(packet.*design::kPacketFields[c].text);
        }
        if (!blank) {
            packets.push_back(std::move(packet));
        }
    }
    return packets;
}

void PacketsDialog::addClicked() {
    // After the row in hand, as the one before it to start from: a packet is mostly a variation.
    const int current = table_->currentRow();
    design::PacketText packet{"1", "", ""};
    if (current >= 0) {
        for (std::size_t c = 0; c < design::kPacketFields.size(); ++c) {
            const QTableWidgetItem* item = table_->item(current, static_cast<int>(c));
            packet.*design::kPacketFields[c].text = item ? item->text().toStdString() : "";
        }
    }
    const int at = current >= 0 ? current + 1 : table_->rowCount();
    addRow(packet, at);
    table_->setCurrentCell(at, 1);
    table_->editItem(table_->item(at, 1));
}

void PacketsDialog::removeClicked() {
    const int current = table_->currentRow();
    if (current >= 0) {
        table_->removeRow(current);
    }
}

void PacketsDialog::moveClicked(int by) {
    const int current = table_->currentRow();
    const int to = current + by;
    if (current < 0 || to < 0 || to >= table_->rowCount()) {
        return;
    }
    for (int c = 0; c < table_->columnCount(); ++c) {
        QTableWidgetItem* here = table_->takeItem(current, c);
        QTableWidgetItem* there = table_->takeItem(to, c);
        table_->setItem(current, c, there);
        table_->setItem(to, c, here);
    }
    table_->setCurrentCell(to, table_->currentColumn());
}

}  // namespace curve
