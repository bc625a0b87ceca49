// The fatigue lines dialog: the lines typed, pasted or loaded.
#include "curve/fatigue_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "curve/words.h"
#include "design/inputs.h"
#include "rows/fatigue_text.h"

namespace curve {

FatigueDialog::FatigueDialog(const std::string& lines, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Say(design::Word::kFatigueLines));
    auto* about = new QLabel(Say(design::kFatigueLinesHint), this);
    about->setWordWrap(true);
    editor_ = new QPlainTextEdit(QString::fromStdString(lines), this);
    editor_->setAccessibleName(Say(design::Word::kFatigueLines));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setTabChangesFocus(true);  // the keyboard leaves it; tabs come pasted or loaded
    editor_->setTabStopDistance(8 * editor_->fontMetrics().horizontalAdvance(QLatin1Char('0')));
    about->setBuddy(editor_);
    reading_ = new QLabel(this);
    reading_->setAccessibleName(Say(design::Word::kFatigueReading));
    reading_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* load =
        buttons->addButton(Say(design::Word::kLoadEllipsis), QDialogButtonBox::ActionRole);
    connect(load, &QPushButton::clicked, this, &FatigueDialog::loadClicked);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(editor_, &QPlainTextEdit::textChanged, this, &FatigueDialog::edited);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(editor_, 1);
    layout->addWidget(reading_);
    layout->addWidget(buttons);
    resize(720, 360);
    edited();
}

std::string FatigueDialog::lines() const {
    return editor_->toPlainText().toStdString();
}

bool FatigueDialog::load(const QString& path, QString* why) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (why) {
            *why = Say(design::Word::kCannotRead, {{"path", path}, {"why", file.errorString()}});
        }
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(calc::kMaxFatigueFileBytes) + 1);
    const auto text = calc::FatigueFileText(std::string_view(bytes.data(), bytes.size()));
    if (!text) {
        if (why) {
            *why = QString::fromStdString(
                rows::FatigueFileProblemText(text.error(), path.toStdString(), Language()));
        }
        return false;
    }
    editor_->setPlainText(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
    return true;
}

void FatigueDialog::loadClicked() {
    QFileDialog dialog(this, Say(design::Word::kLoadFatigueTitle), QString(),
                       Say(design::Word::kFatigueFiles));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    QString why;
    if (!load(dialog.selectedFiles().constFirst(), &why)) {
        QMessageBox::warning(this, windowTitle(), why);
    }
}

void FatigueDialog::edited() {
    reading_->setText(QString::fromStdString(rows::FatigueLinesReading(lines(), Language())));
}

}  // namespace curve
