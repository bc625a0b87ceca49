#include "ui/qt/form1.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "as_user.h"
#include "qtapp/application.h"
#include "ui/form_design.h"

namespace {

const QStringList kWorkedExample = {"100", "51", "3.5", "6.3", "1.4"};
const QStringList kResults = {"9822.55688774516", "617.501704752074", "-1350.87984743535",
                              "411.326288335194", "749.011484596736"};
const QStringList kBoxNames = {"D(mm)", "d(mm)",    "t(mm)",   "H(mm)",   "f(mm)",
                               "F(N)",  "σom(Mpa)", "σ1(Mpa)", "σ2(Mpa)", "σ3(Mpa)"};

}  // namespace

// The window as a user meets it: boxes by the label that names them, buttons by caption.
class Form1Test : public QObject {
    Q_OBJECT

private:
    ui::qt::Form1* form_ = nullptr;

    QLineEdit* box(int number) const { return Find<QLineEdit>(form_, kBoxNames[number - 1]); }
    QPushButton* button(const QString& caption) const { return Find<QPushButton>(form_, caption); }
    void click(const QString& caption) { QTest::mouseClick(button(caption), Qt::LeftButton); }
    void typeInputs(const QStringList& inputs) {
        for (int i = 0; i < inputs.size(); ++i) {
            box(i + 1)->clear();
            QTest::keyClicks(box(i + 1), inputs[i]);
        }
    }
    QStringList texts() const {
        QStringList all;
        for (int i = 1; i <= 10; ++i) {
            all << box(i)->text();
        }
        return all;
    }

private slots:
    void initTestCase() {
        QVERIFY2(LocaleFromEnvironmentTaken(), "the locale asked for in LC_ALL is not installed");
        qtapp::ConfigureApplication(*qobject_cast<QApplication*>(qApp));
    }
    void init() {
        form_ = new ui::qt::Form1;
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_));
    }
    void cleanup() { delete form_; }

    void everyControlStandsAsDesigned() {
        QCOMPARE(form_->windowTitle(), QString("Form1"));
        QCOMPARE(form_->size(), QSize(629, 484));
        QVERIFY(!form_->windowIcon().pixmap(16, 16).isNull());
        QCOMPARE(form_->findChildren<QWidget*>().size(), 23);
        QSet<QString> faces[2];  // of the text, of the title
        for (const ui::ControlDesign& design : ui::kForm1Controls) {
            QWidget* w = nullptr;
            for (QWidget* named : form_->findChildren<QWidget*>(design.name)) {
                if (design.index < 0 || named->property("index").toInt() == design.index) {
                    w = named;
                }
            }
            QVERIFY2(w != nullptr, design.name);
            const QRect at(qRound(design.left / 15.0), qRound(design.top / 15.0),
                           qRound(design.width / 15.0), qRound(design.height / 15.0));
            const QFontMetrics metrics(w->font());
            QCOMPARE(w->pos(), at.topLeft());
            QCOMPARE(w->width(), at.width());
            // A label shorter than a line of its font grows downwards, never upwards.
            QCOMPARE(w->height(),
                     qobject_cast<QLabel*>(w) ? qMax(at.height(), metrics.height()) : at.height());
            const bool title = design.font == ui::FontRole::kTitle;
            const bool body = design.font == ui::FontRole::kBody;
            QCOMPARE(w->font().pixelSize(), body ? 19 : (title ? 35 : 21));
            QCOMPARE(w->font().bold(), !body);
            // An installed Chinese face, never a Latin fallback; the title's a face of its own.
            QCOMPARE(QFontInfo(w->font()).family(), w->font().family());
            QVERIFY(metrics.inFont(QChar(0x78DF)));  // 碟
            faces[title] << w->font().family();
            QCOMPARE(w->palette().color(w->foregroundRole()) == QColor(0, 0, 128), title);
            // Every caption in full, every box empty and a line of its font high.
            const QString caption = QString::fromUtf8(design.caption);
            const bool label = qobject_cast<QLabel*>(w) != nullptr;
            QCOMPARE(w->property("text").toString(), caption);
            QVERIFY(metrics.horizontalAdvance(caption) <= w->width() - (label ? 0 : 8));
            QVERIFY(metrics.height() <= w->height() - (caption.isEmpty() ? 4 : 0));
        }
        QCOMPARE(faces[0].size() + faces[1].size(), 2);
        QVERIFY(faces[0] != faces[1]);
    }

    void focusStartsOnDAndTabCyclesInTheDesignedOrder() {
        QCOMPARE(QApplication::focusWidget(), box(1));
        QList<QWidget*> visited;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited,
                 (QList<QWidget*>{box(2), box(3), box(4), box(5), box(6), box(7), box(8), box(9),
                                  button("自动计算"), button("重新输入"), box(10), box(1)}));
    }

    void calculateShowsTheResultsOrAReportAndEnterRunsAFocusedButton() {
        typeInputs(kWorkedExample);
        QTest::keyClicks(box(8), "typed into a result box");
        click("自动计算");
        QCOMPARE(texts(), kWorkedExample + kResults);
        // The results are wider than their boxes; the leading digits are the ones in view,
        // also when Tab brings the focus to them: the caret stands at the start.
        for (int i = 6; i <= 10; ++i) {
            QCOMPARE(box(i)->cursorPosition(), 0);
        }
        box(5)->setFocus(Qt::TabFocusReason);
        for (int i = 6; i <= 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), box(i));
            QCOMPARE(box(i)->cursorPosition(), 0);
            QCOMPARE(box(i)->selectedText(), box(i)->text());
            QVERIFY(box(i)->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < 10);
        }
        // A fault reports where it stopped; the results of the spring before are gone by then,
        // the inputs stay as typed.
        const QStringList inputs = {"50", "50", "1", "2", "1"};
        typeInputs(inputs);
        ModalCatcher catcher;
        QStringList during;
        catcher.when_shown = [&] { during = texts(); };
        click("自动计算");
        QCOMPARE(catcher.seen, QList<QStringList>{(QStringList{
                                   "实时错误 '11':\n\n除数为零\n\n在计算 K1 时停止。", "确定"})});
        QCOMPARE(during, inputs + QStringList(5, QString()));
        QCOMPARE(texts(), during);
        typeInputs(kWorkedExample);
        box(6)->clear();
        QTest::keyClick(button("自动计算"), Qt::Key_Return);
        QCOMPARE(texts(), kWorkedExample + kResults);
        QTest::keyClick(button("重新输入"), Qt::Key_Enter);
        QCOMPARE(texts(), QStringList(10, QString()));
        QCOMPARE(catcher.seen.size(), 1);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
