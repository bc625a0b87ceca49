#include "ui/qt/form1.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "as_user.h"
#include "qtapp/application.h"
#include "scenarios/scenarios.h"
#include "ui/form_design.h"

namespace {

const QStringList kBoxNames = {"D(mm)", "d(mm)",    "t(mm)",   "H(mm)",   "f(mm)",
                               "F(N)",  "σom(Mpa)", "σ1(Mpa)", "σ2(Mpa)", "σ3(Mpa)"};

QString Text(const nlohmann::json& text) {
    return QString::fromStdString(text.get<std::string>());
}

QStringList Texts(const nlohmann::json& texts) {
    QStringList all;
    for (const auto& text : texts) {
        all << Text(text);
    }
    return all;
}

}  // namespace

// The window as a user meets it: boxes by the label that names them, buttons by caption.
class Form1Test : public QObject {
    Q_OBJECT

private:
    ui::qt::Form1* form_ = nullptr;

    QLineEdit* box(int number) const { return Find<QLineEdit>(form_, kBoxNames[number - 1]); }
    // A control by the name the design gives it (Text1, Command1 …).
    QWidget* control(const QString& name) const { return form_->findChild<QWidget*>(name); }
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

    // The calculator's scenarios, as a user meets them here: the keyboard and the mouse; each
    // report box is read and closed with 确定 as it opens.
    void scenarios_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < scenarios::Calculator().size(); ++i) {
            QTest::newRow(scenarios::Calculator()[i]["name"].get<std::string>().c_str())
                << static_cast<int>(i);
        }
    }
    void scenarios() {
        QFETCH(int, index);
        ModalCatcher catcher;
        QStringList during;
        catcher.when_shown = [&] { during = texts(); };
        qsizetype reports = 0;
        for (const auto& step : scenarios::Calculator()[index]["steps"]) {
            const auto named = [&](const char* key) { return control(Text(step[key])); };
            if (step.contains("type")) {
                for (std::size_t i = 0; i < step["type"].size(); ++i) {
                    box(int(i) + 1)->clear();
                    QTest::keyClicks(box(int(i) + 1), Text(step["type"][i]));
                }
            } else if (step.contains("press")) {
                QTest::mouseClick(qobject_cast<QPushButton*>(named("press")), Qt::LeftButton);
            } else if (step.contains("enter")) {
                named("enter")->setFocus(Qt::TabFocusReason);
                QTest::keyClick(named("enter"), Qt::Key_Return);
            } else if (step.contains("key")) {
                QTest::keyClick(control(Text(step["key"][0])),
                                step["key"][1] == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            } else if (step.contains("report")) {
                QCOMPARE(catcher.seen.size(), ++reports);
                QCOMPARE(catcher.seen.last(), (QStringList{Text(step["report"]), "确定"}));
                QCOMPARE(during, Texts(step["shows"]));
            } else if (step.contains("shows")) {
                QCOMPARE(catcher.seen.size(), reports);
                QCOMPARE(texts(), Texts(step["shows"]));
            } else if (step.contains("focus")) {
                QCOMPARE(QApplication::focusWidget(), named("focus"));
            } else if (step.contains("tab")) {
                // Round the window: after the last control, the first again.
                for (const auto& next : step["tab"]) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                    QCOMPARE(QApplication::focusWidget(), control(Text(next)));
                }
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), box(1));
            } else if (step.contains("results_from_start")) {
                for (int i = 6; i <= 10; ++i) {
                    QCOMPARE(box(i)->cursorPosition(), 0);
                }
            } else if (step.contains("tab_selects")) {
                QLineEdit* result = qobject_cast<QLineEdit*>(named("tab_selects"));
                QWidget* before = result->previousInFocusChain();
                before->setFocus(Qt::TabFocusReason);
                QTest::keyClick(before, Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), result);
                QCOMPARE(result->cursorPosition(), 0);
                QCOMPARE(result->selectedText(), result->text());
                QVERIFY(result->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < 10);
            }
        }
        QCOMPARE(catcher.seen.size(), reports);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
