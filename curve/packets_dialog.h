// The dialog that edits a design's packets: a progressive stack, a row a packet.
#pragma once

#include <QDialog>
#include <vector>

#include "design/inputs.h"

class QTableWidget;

namespace curve {

/// The progressive stack: the packets in series, first to last, a row each with its n, its spring
/// (a DIN 2093 name or D d t H [t′]) and its stop, added, removed and moved by the buttons beside
/// the table. The window takes them when the dialog is accepted; nothing is taken on cancel. With
/// no row the design is the spring above again.
class PacketsDialog : public QDialog {
    Q_OBJECT

public:
    PacketsDialog(const std::vector<design::PacketText>& packets, QWidget* parent = nullptr);

    /// The rows as typed, blank rows left out.
    std::vector<design::PacketText> packets() const;

private slots:
    void addClicked();
    void removeClicked();
    void moveClicked(int by);

private:
    void addRow(const design::PacketText& packet, int at);

    QTableWidget* table_ = nullptr;
};

}  // namespace curve
