#include "ui/form1.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "modal_catcher.h"
#include "ui/application.h"

namespace {

const QStringList kWorkedExample = {"100", "51", "3.5", "6.3", "1.4"};

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    ui::Form1* form_ = nullptr;

    QWidget* control(const QString& name, int index = -1) const {
        for (QWidget* w : form_->findChildren<QWidget*>(name)) {
            if (index < 0 || w->property("index").toInt() == index) {
                return w;
            }
        }
        return nullptr;
    }
    QLineEdit* box(int number) const { return form_->textBox(number); }

    void typeInputs(const QStringList& inputs) {
        for (int i = 0; i < inputs.size(); ++i) {
            box(i + 1)->clear();
            QTest::keyClicks(box(i + 1), inputs[i]);
        }
    }
    QStringList allTexts() const {
        QStringList texts;
        for (int i = 1; i <= 10; ++i) {
            texts << box(i)->text();
        }
        return texts;
    }
    QStringList resultTexts() const { return allTexts().mid(5); }

private slots:
    void initTestCase() { ui::ConfigureApplication(*qobject_cast<QApplication*>(qApp)); }

    void init() {
        form_ = new ui::Form1;
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_));
    }

    void cleanup() {
        delete form_;
        form_ = nullptr;
    }

    void windowIsForm1WithTheDesignedClientArea() {
        QCOMPARE(form_->windowTitle(), QString("Form1"));
        QCOMPARE(form_->size(), QSize(629, 484));
        QVERIFY(!form_->windowIcon().isNull());
        QVERIFY(!form_->windowIcon().pixmap(16, 16).isNull());
        QVERIFY(!form_->windowIcon().pixmap(32, 32).isNull());
        QCOMPARE(form_->findChildren<QLineEdit*>().size(), 10);
        QCOMPARE(form_->findChildren<QLabel*>().size(), 11);
        QCOMPARE(form_->findChildren<QPushButton*>().size(), 2);
    }

    void controlsStandAtTheirDesignPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        const QString song = "宋体", li = "隶书";
        // name, Label9 index, pixels at 96 DPI (twips / 15, rounded), caption, font
        auto row = [&](const char* name, int index, QRect r, const char* caption,
                       const QString& family, int pixels, bool bold) {
            const QString tag = index < 0 ? QString(name) : QString("%1(%2)").arg(name).arg(index);
            QTest::newRow(qPrintable(tag))
                << QString(name) << index << r << QString(caption) << family << pixels << bold;
        };
        row("Text10", -1, {392, 280, 121, 25}, "", song, 19, false);
        row("Command2", -1, {320, 368, 153, 33}, "重新输入", song, 21, true);
        row("Command1", -1, {80, 368, 137, 33}, "自动计算", song, 21, true);
        row("Text9", -1, {392, 240, 121, 25}, "", song, 19, false);
        row("Text8", -1, {392, 200, 121, 25}, "", song, 19, false);
        row("Text7", -1, {392, 160, 121, 25}, "", song, 19, false);
        row("Text6", -1, {392, 120, 121, 25}, "", song, 19, false);
        row("Text5", -1, {152, 280, 81, 25}, "", song, 19, false);
        row("Text4", -1, {152, 240, 81, 25}, "", song, 19, false);
        row("Text3", -1, {152, 200, 81, 25}, "", song, 19, false);
        row("Text2", -1, {152, 160, 81, 25}, "", song, 19, false);
        row("Text1", -1, {152, 120, 81, 25}, "", song, 19, false);
        row("Label9", 1, {288, 288, 89, 41}, "σ3(Mpa)", song, 19, false);
        row("Label10", -1, {112, 24, 393, 57}, "碟形弹簧的设计计算", li, 35, true);
        row("Label9", 0, {288, 240, 89, 41}, "σ2(Mpa)", song, 19, false);
        row("Label8", -1, {288, 200, 89, 41}, "σ1(Mpa)", song, 19, false);
        row("Label7", -1, {272, 160, 97, 33}, "σom(Mpa)", song, 19, false);
        row("Label6", -1, {320, 120, 49, 33}, "F(N)", song, 19, false);
        row("Label5", -1, {67, 280, 49, 33}, "f(mm)", song, 19, false);
        row("Label4", -1, {67, 240, 49, 33}, "H(mm)", song, 19, false);
        row("Label3", -1, {67, 200, 49, 25}, "t(mm)", song, 19, false);
        row("Label2", -1, {67, 160, 49, 25}, "d(mm)", song, 19, false);
        row("Label1", -1, {67, 120, 49, 17}, "D(mm)", song, 19, false);
    }
    void controlsStandAtTheirDesignPlaces() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QWidget* w = control(name, index);
        QVERIFY(w != nullptr);

        QCOMPARE(w->pos(), geometry.topLeft());
        QCOMPARE(w->width(), geometry.width());
        if (qobject_cast<QLabel*>(w)) {
            // A label shorter than a line of its font grows downwards, never upwards.
            QCOMPARE(w->height(), qMax(geometry.height(), QFontMetrics(w->font()).height()));
            QCOMPARE(qobject_cast<QLabel*>(w)->text(), caption);
        } else {
            QCOMPARE(w->height(), geometry.height());
        }
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            QCOMPARE(button->text(), caption);
            QVERIFY(!button->isDefault());
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            QVERIFY(edit->text().isEmpty());
            QVERIFY(!edit->isReadOnly());
        }
        QCOMPARE(w->font().family(), family);
        QCOMPARE(w->font().pixelSize(), pixels);
        QCOMPARE(w->font().bold(), bold);
        // The Windows face is replaced by an installed Chinese face, never a Latin fallback.
        QVERIFY2(
            QFont::substitutes(family).contains(QFontInfo(w->font()).family(), Qt::CaseInsensitive),
            qPrintable(QFontInfo(w->font()).family()));
    }

    void noTextIsClippedByItsControl() {
        for (QLabel* label : form_->findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                     qPrintable(label->text()));
            QVERIFY2(metrics.height() <= label->contentsRect().height(), qPrintable(label->text()));
        }
        for (QPushButton* button : form_->findChildren<QPushButton*>()) {
            const QFontMetrics metrics(button->font());
            QVERIFY(metrics.horizontalAdvance(button->text()) < button->width() - 8);
            QVERIFY(metrics.height() < button->height() - 4);
        }
        for (QLineEdit* edit : form_->findChildren<QLineEdit*>()) {
            // One pixel of frame and one of margin above and below the text line.
            QVERIFY2(QFontMetrics(edit->font()).height() <= edit->height() - 4,
                     qPrintable(edit->objectName()));
        }
    }

    void titleIsDrawnInDarkBlue() {
        const QImage image = control("Label10")->grab().toImage();
        int dark_blue = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark_blue += image.pixelColor(x, y) == QColor(0, 0, 128);
            }
        }
        QVERIFY2(dark_blue > 300, qPrintable(QString::number(dark_blue)));
    }

    void eachBoxIsNamedByItsLabel() {
        const QStringList names = {"D(mm)", "d(mm)",    "t(mm)",   "H(mm)",   "f(mm)",
                                   "F(N)",  "σom(Mpa)", "σ1(Mpa)", "σ2(Mpa)", "σ3(Mpa)"};
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(box(i)->accessibleName(), names[i - 1]);
        }
        QCOMPARE(qobject_cast<QLabel*>(control("Label9", 1))->buddy(), box(10));
        QCOMPARE(qobject_cast<QLabel*>(control("Label10"))->buddy(), nullptr);
    }

    void focusStartsOnText1() { QCOMPARE(QApplication::focusWidget(), box(1)); }

    void tabCyclesInTheDesignedOrder() {
        QStringList visited;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited,
                 (QStringList{"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8",
                              "Text9", "Command1", "Command2", "Text10", "Text1"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), box(10));
    }

    void enterAndEscapeInABoxDoNothing() {
        ModalCatcher catcher;
        typeInputs(kWorkedExample);
        for (int i = 1; i <= 10; ++i) {
            QTest::keyClick(box(i), Qt::Key_Return);
            QTest::keyClick(box(i), Qt::Key_Enter);
            QTest::keyClick(box(i), Qt::Key_Escape);
        }
        QCOMPARE(resultTexts(), QStringList(5, QString()));
        QCOMPARE(allTexts().mid(0, 5), kWorkedExample);
        QVERIFY(catcher.seen().isEmpty());
        QVERIFY(form_->isVisible());
    }

    void workedExampleGivesTheBatchTexts() {
        QProcess batch;
        batch.start(DISC_SPRING_BATCH, {});
        batch.write(kWorkedExample.join('\t').toUtf8() + '\n');
        batch.closeWriteChannel();
        QVERIFY(batch.waitForFinished(10000));
        const QStringList expected =
            QString::fromUtf8(batch.readAllStandardOutput()).trimmed().split('\t');
        QCOMPARE(expected.size(), 5);

        typeInputs(kWorkedExample);
        QTest::mouseClick(form_->command1(), Qt::LeftButton);
        QCOMPARE(resultTexts(), expected);
        QCOMPARE(resultTexts().first(), QString("9822.55688774516"));
        QCOMPARE(allTexts().mid(0, 5), kWorkedExample);
        // The results are wider than their boxes; the leading digits are the ones in view.
        for (int i = 6; i <= 10; ++i) {
            QCOMPARE(box(i)->cursorPosition(), 0);
        }
    }

    void focusedButtonsRunOnEnterAndSpace() {
        typeInputs(kWorkedExample);
        form_->command1()->setFocus();
        QTest::keyClick(form_->command1(), Qt::Key_Return);
        QCOMPARE(box(6)->text(), QString("9822.55688774516"));

        form_->command2()->setFocus();
        QTest::keyClick(form_->command2(), Qt::Key_Space);
        QCOMPARE(allTexts(), QStringList(10, QString()));

        typeInputs(kWorkedExample);
        form_->command1()->setFocus();
        QTest::keyClick(form_->command1(), Qt::Key_Space);
        QCOMPARE(box(10)->text(), QString("749.011484596736"));
    }

    void aFaultShowsTheReportAndChangesNoBox_data() {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("report");
        QTest::newRow("equal diameters") << QStringList{"50", "50", "1", "2", "1"}
                                         << "实时错误 '11':\n\n除数为零\n\n在计算 K1 时停止。";
        QTest::newRow("empty boxes")
            << QStringList(5, QString()) << "实时错误 '6':\n\n溢出\n\n在计算 δ 时停止。";
        QTest::newRow("D below zero")
            << QStringList{"-100", "51", "3.5", "6.3", "1.4"}
            << "实时错误 '5':\n\n无效的过程调用或参数\n\n在计算 ln δ 时停止。";
        QTest::newRow("zero thickness") << QStringList{"100", "51", "0", "6.3", "1.4"}
                                        << "实时错误 '6':\n\n溢出\n\n在计算 F 时停止。";
        QTest::newRow("number too large") << QStringList{"1e400", "51", "3.5", "6.3", "1.4"}
                                          << "实时错误 '6':\n\n溢出\n\n在读取 D 的数值时停止。";
    }
    void aFaultShowsTheReportAndChangesNoBox() {
        QFETCH(QStringList, inputs);
        QFETCH(QString, report);
        // Earlier results and text typed into a result box both stay.
        typeInputs(kWorkedExample);
        QTest::mouseClick(form_->command1(), Qt::LeftButton);
        QTest::keyClicks(box(9), " typed");
        typeInputs(inputs);
        const QStringList before = allTexts();

        ModalCatcher catcher;
        QTest::mouseClick(form_->command1(), Qt::LeftButton);
        QCOMPARE(catcher.seen().size(), 1);
        QCOMPARE(catcher.seen().first().text, report);
        QCOMPARE(catcher.seen().first().buttons, QStringList{"确定"});
        QCOMPARE(allTexts(), before);
        QVERIFY(form_->isVisible());
    }

    void clearEmptiesEveryBoxAndKeepsTheFocus() {
        typeInputs(kWorkedExample);
        QTest::mouseClick(form_->command1(), Qt::LeftButton);
        QTest::keyClicks(box(7), "x");
        QTest::mouseClick(form_->command2(), Qt::LeftButton);
        QCOMPARE(allTexts(), QStringList(10, QString()));
        QCOMPARE(QApplication::focusWidget(), form_->command2());
        QCOMPARE(qobject_cast<QLabel*>(control("Label10"))->text(), QString("碟形弹簧的设计计算"));

        QTest::mouseClick(form_->command2(), Qt::LeftButton);
        QCOMPARE(allTexts(), QStringList(10, QString()));
    }

    void resizingMovesNothing() {
        QList<QRect> before;
        for (QWidget* w : form_->findChildren<QWidget*>()) {
            before << w->geometry();
        }
        for (const QSize size : {QSize(300, 200), QSize(1200, 900)}) {
            form_->resize(size);
            QTRY_COMPARE(form_->size(), size);
            QList<QRect> after;
            for (QWidget* w : form_->findChildren<QWidget*>()) {
                after << w->geometry();
            }
            QCOMPARE(after, before);
        }
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
