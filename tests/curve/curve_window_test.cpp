#include "curve/curve_window.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "../ui/as_user.h"
#include "curve/plot_painter.h"
#include "curve/plot_widget.h"
#include "ui/application.h"

class CurveWindowTest : public QObject {
    Q_OBJECT

private:
    curve::CurveWindow* window_ = nullptr;

    void type(const QString& input, const QString& text) {
        QLineEdit* edit = Find<QLineEdit>(window_, input);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        text.isEmpty() ? QTest::keyClick(edit, Qt::Key_Delete) : QTest::keyClicks(edit, text);
    }
    // Header and rows as the batch tool writes them, without trailing empty cells.
    QStringList table() const {
        const QAbstractItemModel* model = Find<QTableView>(window_, "特性表")->model();
        QStringList lines;
        for (int r = -1; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c) {
                cells << (r < 0 ? model->headerData(c, Qt::Horizontal) : model->index(r, c).data())
                             .toString();
            }
            lines << cells.join('\t').remove(QRegularExpression("\t+$"));
        }
        return lines;
    }
    QStringList findings() const {
        QStringList items;
        for (const QListWidgetItem* item :
             Find<QListWidget>(window_, "设计检查")->findItems("", Qt::MatchContains)) {
            items << item->text();
        }
        return items;
    }

private slots:
    void initTestCase() {
        QVERIFY2(LocaleFromEnvironmentTaken(), "the locale asked for in LC_ALL is not installed");
        ui::ConfigureApplication(*qobject_cast<QApplication*>(qApp), "disc-spring-curve");
    }
    void init() {
        window_ = new curve::CurveWindow;
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }
    void cleanup() { delete window_; }

    void tableAndCopyAreTheBatchRows_data() {
        QTest::addColumn<QStringList>("spring");
        QTest::addColumn<QStringList>("stack");
        QTest::newRow("stack") << QStringList{"100", "51", "3.5", "6.3", "1"}
                               << QStringList{"2", "3"};
        QTest::newRow("fault") << QStringList{"50", "50", "1", "2", ""} << QStringList();
    }
    void tableAndCopyAreTheBatchRows() {
        QFETCH(QStringList, spring);
        QFETCH(QStringList, stack);
        const QStringList inputs = {"D(mm)", "d(mm)", "t(mm)", "H(mm)", "f(mm)"};
        for (int i = 0; i < 5; ++i) {
            type(inputs[i], spring[i]);
        }
        type("步数 N", "20");
        QStringList args = {"--curve", "20"};
        if (!stack.isEmpty()) {
            type("串联片数 i", stack[0]);
            type("并联片数 n", stack[1]);
            args << "--series" << stack[0] << "--parallel" << stack[1];
        }
        QProcess batch;
        batch.start(DISC_SPRING_BATCH, args);
        batch.write(spring.join('\t').toUtf8() + '\n');
        batch.closeWriteChannel();
        QVERIFY(batch.waitForFinished(10000));
        const QString expected = QString::fromUtf8(batch.readAllStandardOutput());
        QStringList lines = expected.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 22);
        for (QString& line : lines) {
            line = line.section('\t', 1);
        }
        QCOMPARE(table(), lines);

        ModalCatcher catcher;
        QTest::mouseClick(Find<QPushButton>(window_, "复制表格"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QVERIFY(catcher.seen.isEmpty());
    }

    void aFaultIsShownAmongTheChecksAndTheWindowGoesOn() {
        QCOMPARE(table().size(), 52);  // the spring it opens with, in 50 steps
        ModalCatcher catcher;
        type("d(mm)", "100");
        QVERIFY(findings().contains("f = 0 mm 时：实时错误 '11': 除数为零 在计算 K1 时停止。"));
        QCOMPARE(findings().first(),
                 QString("D = 100 mm 不大于 d = 100 mm：外径应大于内径，D 和 d 可能填反了"));
        QVERIFY(table()[1].startsWith("0\tERROR\t11\t除数为零\tK1"));
        type("t(mm)", "1e999");
        QVERIFY(findings().contains("实时错误 '6': 溢出 在读取 t 的数值时停止。"));
        type("步数 N", "2.5");
        QVERIFY(findings().first().contains("步数 N"));
        QCOMPARE(table().size(), 1);
        type("d(mm)", "51");
        type("t(mm)", "3.5");
        type("步数 N", "");
        QCOMPARE(findings(), QStringList{"尺寸在设计范围内"});
        QVERIFY(catcher.seen.isEmpty());
    }

    // Each panel's axes end at its frame's corners; the panels stand one above the other.
    void axesFillTheirFramesAndTheMouseShowsThePointUnderIt() {
        type("f(mm)", "-1");
        type("串联片数 i", "2");
        auto* plot = qobject_cast<curve::PlotWidget*>(Find<QWidget>(window_, "特性曲线"));
        const curve::PlotLayout layout(plot->panels(), plot->rect(), QFontMetricsF(plot->font()));
        QCOMPARE(layout.count(), 2);
        for (int p = 0; p < 2; ++p) {
            const QRectF f = layout.frame(p);
            QVERIFY(QRectF(plot->rect()).contains(f) && f.width() > plot->width() / 2);
            QCOMPARE(layout.map(p, {layout.x(p).low, layout.y(p).low}), f.bottomLeft());
            QCOMPARE(layout.map(p, {layout.x(p).high, layout.y(p).high}), f.topRight());
        }
        QVERIFY(layout.frame(0).bottom() < layout.frame(1).top());
        const QImage before = plot->grab().toImage();
        QTest::mouseMove(plot, layout.map(1, plot->panels()[1].series[1].points[30]).toPoint());
        QVERIFY(plot->grab().toImage() != before);
        QTest::mouseMove(plot, QPoint(1, 1));
        QCOMPARE(plot->grab().toImage(), before);
    }

    void savedImagesHoldThePlot() {
        type("串联片数 i", "2");
        QTemporaryDir dir;
        QVERIFY(window_->savePlot(dir.filePath("plot.png")));
        QCOMPARE(QImage(dir.filePath("plot.png")).isNull(), false);
        QVERIFY(window_->savePlot(dir.filePath("plot.svg")));
        QFile file(dir.filePath("plot.svg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString texts;   // a fallback font for the Chinese glyphs splits a text into several
        int points = 0;  // of the longest line: one per row that computed
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"polyline") {
                points = qMax(
                    points, xml.attributes().value("points").split(' ', Qt::SkipEmptyParts).size());
            }
            if (xml.isCharacters()) {
                texts += xml.text();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(points, 51);
        texts.remove(QRegularExpression("\\s"));
        // The series, the markers, the axes' labels and their outermost ticks.
        for (const char* name : {"F 单片", "F_stack 碟簧组", "σom", "σ1", "σ2", "σ3", "h0",
                                 "力 F (N)", "20000", "-3000"}) {
            QVERIFY2(texts.contains(QString(name).remove(' ')), name);
        }
        QVERIFY(!window_->savePlot(dir.filePath("missing/plot.png")));
        QVERIFY(!window_->savePlot(dir.filePath("missing/plot.svg")));
    }
};

QTEST_MAIN(CurveWindowTest)
#include "curve_window_test.moc"
