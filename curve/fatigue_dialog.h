// The dialog that edits a design's fatigue lines.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPlainTextEdit;

namespace curve {

/// The fatigue lines: the design's lines as text, typed, pasted from a table or loaded from a line
/// set's file, with what the text reads as said below it while it is edited. The window takes
/// the text when the dialog is accepted; nothing is taken on Cancel.
class FatigueDialog : public QDialog {
    Q_OBJECT

public:
    FatigueDialog(const std::string& lines, QWidget* parent = nullptr);

    std::string lines() const;
    /// Puts a line set's file into the editor, or says why it cannot be read.
    bool load(const QString& path, QString* why = nullptr);

private slots:
    void loadClicked();
    void edited();

private:
    QPlainTextEdit* editor_ = nullptr;
    QLabel* reading_ = nullptr;
};

}  // namespace curve
