#include "curve/curve_window.h"
#include "curve/words.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <functional>

#include "../ui/as_user.h"
#include "calc/fatigue_lines.h"
#include "curve/data_sheet.h"
#include "curve/fatigue_dialog.h"
#include "curve/plot_painter.h"
#include "curve/plot_widget.h"
#include "curve/selection_panel.h"
#include "design/data_sheet.h"
#include "qtapp/application.h"
#include "scenarios/scenarios.h"

namespace {

QString Text(const nlohmann::json& text) {
    return QString::fromStdString(text.get<std::string>());
}

// A scenario's arguments for disc-spring-batch, the source tree put for "{source}".
QStringList Arguments(const nlohmann::json& args) {
    QStringList list;
    for (const auto& arg : args) {
        list << Text(arg).replace(QStringLiteral("{source}"), QStringLiteral(DISC_SPRING_SOURCE));
    }
    return list;
}

// What disc-spring-batch prints for one line.
QString Batch(const QStringList& args, const QString& line) {
    QProcess batch;
    batch.start(DISC_SPRING_BATCH, args);
    batch.write(line.toUtf8() + '\n');
    batch.closeWriteChannel();
    batch.waitForFinished(30000);
    return QString::fromUtf8(batch.readAllStandardOutput());
}

// The smallest rectangle holding every pixel unlike the top-left one; empty when there is none.
QRect Ink(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(0, 0)) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// Paints the plot into the middle of a larger transparent image: nothing may land outside.
bool PaintsOnlyInside(const curve::Panels& panels, const curve::PlotPoint& hover,
                      const QFont& font) {
    QImage image(900, 700, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRect area(100, 100, 700, 500);
    QPainter painter(&image);
    painter.setFont(font);
    curve::PaintPlot(painter, area, panels, hover);
    painter.end();
    return area.contains(Ink(image));
}

// What a saved SVG holds: its texts without blanks (a fallback font for the Chinese glyphs splits
// a text into several), the points of its longest line, how many areas are translucent and how
// many polygons (or paths) there are: only a band between two curves is either.
struct Svg {
    QString texts;
    qsizetype points = 0;
    int translucent = 0;
    int polygons = 0;
};
Svg ReadSvg(const QString& path) {
    Svg svg;
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        const auto points = xml.attributes().value("points").split(' ', Qt::SkipEmptyParts);
        svg.points = std::max(svg.points, points.size());
        const double opacity = xml.attributes().value("fill-opacity").toDouble();
        svg.translucent += xml.isStartElement() && opacity > 0 && opacity < 1;
        svg.polygons += xml.isStartElement() && (xml.name() == QStringLiteral("polygon") ||
                                                 xml.name() == QStringLiteral("path"));
        if (xml.isCharacters()) {
            svg.texts += xml.text();
        }
    }
    svg.texts.remove(QRegularExpression("\\s"));
    return xml.hasError() ? Svg{} : svg;
}

}  // namespace

// The numbers among a text's tab- and line-separated cells, in order: what must be the same bytes
// in every language.
QStringList NumberCells(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^[-+0-9.eE]+$"));
    QStringList numbers;
    for (const QString& line : text.split('\n')) {
        for (const QString& cell : line.split('\t')) {
            if (number.match(cell).hasMatch()) {
                numbers << cell;
            }
        }
    }
    return numbers;
}

// Whether a text holds a Chinese character or full-width punctuation.
bool HasChinese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x303F) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

// Every word a window shows or says to a screen reader, beyond what the user typed: captions,
// labels, tips, names, choices, lists and tables with their headers.
QStringList ShownWords(const QWidget* window) {
    QStringList words{window->windowTitle()};
    QList<const QWidget*> widgets{window};
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        widgets << child;
    }
    for (const QWidget* w : widgets) {
        words << w->toolTip() << w->accessibleName();
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            words << label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            words << button->text();
        } else if (const auto* box = qobject_cast<const QComboBox*>(w)) {
            for (int k = 0; k < box->count(); ++k) {
                words << box->itemText(k);
            }
        } else if (const auto* list = qobject_cast<const QListWidget*>(w)) {
            for (int k = 0; k < list->count(); ++k) {
                words << list->item(k)->text();
            }
        } else if (const auto* view = qobject_cast<const QAbstractItemView*>(w)) {
            const QAbstractItemModel* model = view->model();
            for (int c = 0; model != nullptr && c < model->columnCount(); ++c) {
                words << model->headerData(c, Qt::Horizontal).toString();
                for (int r = 0; r < std::min(model->rowCount(), 200); ++r) {
                    words << model->data(model->index(r, c)).toString()
                          << model->data(model->index(r, c), Qt::ToolTipRole).toString()
                          << model->data(model->index(r, c), Qt::AccessibleTextRole).toString();
                }
            }
            for (int r = 0; model != nullptr && r < model->rowCount(); ++r) {
                words << model->headerData(r, Qt::Vertical).toString();
            }
        }
    }
    return words;
}

class CurveWindowTest : public QObject {
    Q_OBJECT

private:
    curve::CurveWindow* window_ = nullptr;

    curve::PlotWidget* plot() const {
        return qobject_cast<curve::PlotWidget*>(
            Find<QWidget>(window_, curve::Say(design::Word::kPlot)));
    }
    design::PlotLayout layout() const {
        return curve::LayOut(plot()->panels(), plot()->rect(), QFontMetricsF(plot()->font()));
    }
    // What a box or a line of text shows, found by its name.
    QString text(const QString& name) const {
        const QLineEdit* edit = Find<QLineEdit>(window_, name);
        return edit != nullptr ? edit->text() : Find<QLabel>(window_, name)->text();
    }
    // Types as a user does and waits until the window has caught up.
    void type(const QString& input, const QString& typed) {
        QLineEdit* edit = Find<QLineEdit>(window_, input);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        // What a keyboard cannot type comes as an input method commits it.
        const bool ascii =
            std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 128; });
        ascii ? QTest::keyClicks(edit, typed) : edit->insert(typed);
        QVERIFY(QTest::qWaitFor(
            [this] { return text(curve::Say(design::Word::kStatus)).isEmpty(); }, 60000));
    }
    // The rows as shown, a fault's report in the one cell it spans, trailing empty cells left off.
    QStringList table() const {
        const QTableView* view = Find<QTableView>(window_, "特性表");
        const QAbstractItemModel* model = view->model();
        QStringList lines;
        for (int r = -1; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); c += r < 0 ? 1 : view->columnSpan(r, c)) {
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
    // Picks an item with the keyboard, as a user may, and waits for the result.
    void choose(const QString& box, int index) {
        QComboBox* combo = Find<QComboBox>(window_, box);
        while (combo->currentIndex() != index) {
            QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        }
        const QString steps = curve::Say(design::kInputs[7].label);
        type(steps, text(steps));
    }
    // A working point's row as the window shows it: a column of its table.
    QString point(int column) const {
        const QTableWidget* points = Find<QTableWidget>(window_, "工作点");
        QStringList cells;
        for (int r = 0; r < points->rowCount(); ++r) {
            cells << points->item(r, column)->text();
        }
        return cells.join('\t');
    }
    // The next file dialog is answered with `path` in the format of `filter` (or its only one).
    static void answerFileDialog(ModalCatcher& catcher, const QString& path,
                                 const QString& filter = {}) {
        catcher.when_shown = [=] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                if (!filter.isEmpty()) {
                    dialog->selectNameFilter(filter);
                }
                dialog->selectFile(path);
                // selectFile leaves the name box as it is once the box has the focus, which it
                // takes as the dialog settles: type the name there, as a user does.
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                    name->setText(QFileInfo(path).fileName());
                }
                QMetaObject::invokeMethod(dialog, &QDialog::accept);
            }
        };
    }
    void click(const QString& caption) {
        QTest::mouseClick(Find<QPushButton>(window_, caption), Qt::LeftButton);
    }
    // 渐进碟簧组…, its table edited by `edit` and accepted; then waits for the design.
    void editPackets(const std::function<void(QDialog*, QTableWidget*)>& edit) {
        ModalCatcher catcher;
        catcher.when_shown = [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            edit(dialog, Find<QTableWidget>(dialog, "各组"));
            QMetaObject::invokeMethod(dialog, &QDialog::accept);
        };
        click("渐进碟簧组…");
        type("步数 N", text("步数 N"));
    }

private slots:
    void initTestCase() {
        QVERIFY2(LocaleFromEnvironmentTaken(), "the locale asked for in LC_ALL is not installed");
        qtapp::ConfigureApplication(*qobject_cast<QApplication*>(qApp), "disc-spring-curve");
        curve::SetLanguage(rows::Language::kChinese);  // the names below are the Chinese ones
    }
    void init() {
        window_ = new curve::CurveWindow;
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        type("步数 N", "50");
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
        QStringList args = {"--curve", "20", "--rate"};
        if (!stack.isEmpty()) {
            type("串联片数 i", stack[0]);
            type("并联片数 n", stack[1]);
            args << "--series" << stack[0] << "--parallel" << stack[1];
        }
        const QString expected = Batch(args, spring.join('\t'));
        QStringList lines = expected.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 22);
        for (QString& line : lines) {
            line = line.section('\t', 1).replace(QRegularExpression("\tERROR\t(\\d+)\t(\\S+)\t"),
                                                 "\tERROR \\1 \\2 ");
        }
        QCOMPARE(table(), lines);

        ModalCatcher catcher;
        click("复制表格");
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QVERIFY(catcher.seen.isEmpty());
    }

    void aFaultIsShownAmongTheChecksAndNothingMisleadingStays() {
        QCOMPARE(table().size(), 52);  // the spring it opens with, in 50 steps
        ModalCatcher catcher;
        type("d(mm)", "100");
        QVERIFY(findings().contains("f = 0 mm 时：实时错误 '11': 除数为零 在计算 K1 时停止。"));
        QCOMPARE(findings().first(),
                 QString("D = 100 mm 不大于 d = 100 mm：外径应大于内径，D 和 d 可能填反了"));
        QCOMPARE(table()[1], QString("0\tERROR 11 除数为零 K1"));
        type("d(mm)", "51");
        type("t′(mm)", "9");  // a refusal says why in the cell it spans
        QCOMPARE(table()[1],
                 QString("0\tERROR 减薄后的厚度 t′ = 9 mm 不在 0 < t′ ≤ t = 3.5 mm 之内"));
        type("t′(mm)", "");
        type("d(mm)", "100");
        QCOMPARE(Find<QTableView>(window_, "特性表")->columnSpan(0, 1), 6);
        const design::PlotLayout empty = layout();  // no stray axes
        for (int p = 0; p < empty.count(); ++p) {
            QVERIFY(!empty.shown(p));
        }
        // The reason stands where the plot would be, and is read out there.
        QVERIFY(plot()->accessibleDescription().contains("除数为零"));
        QGuiApplication::clipboard()->setText("kept");
        type("步数 N", "2.5");
        QVERIFY(findings().first().contains("步数 N"));
        QCOMPARE(table().size(), 1);
        click("复制表格");
        click("保存图像…");
        QCOMPARE(catcher.seen.size(), 2);
        QVERIFY(catcher.seen[0].first().startsWith("没有可复制的内容：步数 N"));
        QVERIFY(catcher.seen[1].first().startsWith("没有可保存的内容：步数 N"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
        // Texts read only in part are pointed out.
        type("步数 N", "");
        type("d(mm)", "51");
        type("t(mm)", "3,5");
        type("f(mm)", "\u22121.4");
        QCOMPARE(findings().mid(0, 2),
                 (QStringList{"t 的文本 '3,5' 只读到 3", "f 的文本 '\u22121.4' 只读到 0"}));
        type("t(mm)", "1e999");
        QVERIFY(findings().contains("实时错误 '6': 溢出 在读取 t 的数值时停止。"));
        type("t(mm)", "3.5");
        type("f(mm)", "");
        QCOMPARE(findings(), QStringList{"尺寸在设计范围内"});
        QCOMPARE(catcher.seen.size(), 2);
    }

    // Where everything stands is design's (its own tests); here, the window: three panels, the
    // mouse naming the point under it, the box beside a corner point painted inside the plot.
    void panelsLeaveRoomForTheirLabelsAndTheMouseNamesThePoint() {
        type("串联片数 i", "2");
        type("并联片数 n", "100000");
        const design::PlotLayout l = layout();
        QCOMPARE(l.count(), 3);
        const QPointF last = curve::ToQt(plot()->panels()[1].series[0].points.back());
        QTest::mouseMove(plot(), curve::ToQt(l.map(1, {last.x(), last.y()})).toPoint());
        QCOMPARE(plot()->accessibleDescription(),
                 QString("F_stack 碟簧组: s = 5.6 mm, F_stack = 1.584E+09 N"));
        // The box beside a point in the corner stays inside the plot.
        QVERIFY(PaintsOnlyInside(plot()->panels(),
                                 {1, 0, int(plot()->panels()[1].series[0].points.size()) - 1},
                                 plot()->font()));
        QTest::mouseMove(plot(), QPoint(1, 1));
        QCOMPARE(plot()->accessibleDescription(), QString());
    }

    // The widget paints the plot, or the reason there is none; each kind of shape lands where
    // the layout put it, a text by its anchor (give or take a pixel or two of antialiasing).
    void theShapesArePaintedWhereTheyStand() {
        QVERIFY(!Ink(plot()->grab().toImage()).isEmpty());
        type("d(mm)", "100");
        QVERIFY(!Ink(plot()->grab().toImage()).isEmpty());
        using Kind = design::Shape::Kind;
        const double w = QFontMetricsF(window_->font()).horizontalAdvance("WWWW");
        const std::tuple<Kind, std::vector<design::Point>, design::Anchor, QRectF> cases[] = {
            {Kind::kLine, {{20, 50}, {180, 50}}, {}, {20, 50, 160, 0}},
            {Kind::kPolyline, {{20, 80}, {100, 20}, {180, 80}}, {}, {20, 20, 160, 60}},
            {Kind::kPolygon, {{20, 80}, {100, 20}, {180, 80}}, {}, {20, 20, 160, 60}},
            {Kind::kRect, {{40, 20}, {160, 80}}, {}, {40, 20, 120, 60}},
            {Kind::kCircle, {{100, 50}}, {}, {90, 40, 20, 20}},
            {Kind::kText, {{100, 60}}, design::Anchor::kStart, {100, 0, w, 0}},
            {Kind::kText, {{100, 60}}, design::Anchor::kMiddle, {100 - w / 2, 0, w, 0}},
            {Kind::kText, {{100, 60}}, design::Anchor::kEnd, {100 - w, 0, w, 0}},
        };
        design::Shape shape;  // black, a pixel wide; a circle's radius 10
        shape.stroke = design::Rgb{0, 0, 0};
        shape.stroke_width = 1;
        shape.radius = 10;
        shape.text = "WWWW";
        for (const auto& [kind, points, anchor, expected] : cases) {
            shape.kind = kind;
            shape.points = points;
            shape.anchor = anchor;
            QImage image(200, 100, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setFont(window_->font());
            curve::PaintShapes(painter, {shape});
            painter.end();
            const QRectF ink = Ink(image);
            const auto near = [](double a, double b) { return std::abs(a - b) <= 2; };
            QVERIFY2(near(ink.left(), expected.left()) && near(ink.right(), expected.right()) &&
                         (kind == Kind::kText || (near(ink.top(), expected.top()) &&
                                                  near(ink.bottom(), expected.bottom()))),
                     qPrintable(QDebug::toString(ink)));
        }
    }

    void imagesAreSavedInTheChosenFormatWithTheSpringInACaption() {
        type("串联片数 i", "2");
        QTemporaryDir dir;
        ModalCatcher catcher;
        answerFileDialog(catcher, dir.filePath("plot"), "SVG 图像 (*.svg)");
        click("保存图像…");
        Svg svg = ReadSvg(dir.filePath("plot.svg"));  // the name typed without its extension
        QCOMPARE(svg.points, 51);
        QCOMPARE(svg.polygons, 0);
        // The series, the markers, the axes' labels and their outermost ticks, the caption.
        for (const char* name : {"F 单片", "F_stack 碟簧组", "σom", "σ1", "σ2", "σ3", "i·h0",
                                 "力 F (N)", "20000", "-3000", "D = 100 mm，d = 51 mm"}) {
            QVERIFY2(svg.texts.contains(QString(name).remove(' ')), name);
        }
        // With friction, a band between the loading and unloading forces.
        type("w_M", "0.02");
        type("w_R", "0.03");
        QVERIFY(window_->savePlot(dir.filePath("band.svg")));
        svg = ReadSvg(dir.filePath("band.svg"));
        QVERIFY(svg.translucent >= 1);
        QCOMPARE(svg.polygons, svg.translucent);
        for (const char* name : {"F_load加载", "F_unload卸载", "w_M=0.02"}) {
            QVERIFY2(svg.texts.contains(QString::fromUtf8(name)), name);
        }
        QVERIFY(window_->savePlot(dir.filePath("plot.png")));
        const QImage png(dir.filePath("plot.png"));
        int coloured = 0;  // the curves' pixels: the texts and axes are black and grey
        for (int y = 0; y < png.height(); ++y) {
            for (int x = 0; x < png.width(); ++x) {
                const QRgb pixel = png.pixel(x, y);
                coloured += qAlpha(pixel) > 0 && qRed(pixel) != qBlue(pixel);
            }
        }
        QVERIFY(coloured > 100);
        QVERIFY(png.height() > plot()->height() * plot()->devicePixelRatioF());  // and the caption
        QVERIFY(!window_->savePlot(dir.filePath("missing/plot.png")));
        QVERIFY(!window_->savePlot(dir.filePath("missing/plot.svg")));
    }

    // The last edit wins, however long a curve takes; the table follows it.
    void editsDuringALongComputationEndInTheLast() {
        type("步数 N", "100000");
        QLineEdit* d = Find<QLineEdit>(window_, "d(mm)");
        QTest::keyClick(d, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d, "41");  // "4" starts a curve, "41" overtakes it
        QCOMPARE(text("状态"), QString("正在计算…"));
        type("t(mm)", "3.5");
        const QStringList rows = table();
        QCOMPARE(rows.size(), 100002);
        QCOMPARE(rows[2], Batch({"--curve", "100000", "--rate"}, "100\t41\t3.5\t6.3")
                              .section('\n', 2, 2)
                              .section('\t', 1));
    }

    void theTableCopiesABlockAndTabLeavesIt() {
        auto* view = Find<QTableView>(window_, "特性表");
        view->setFocus();
        view->selectionModel()->select(
            QItemSelection(view->model()->index(0, 0), view->model()->index(1, 1)),
            QItemSelectionModel::Select);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("0\t0\n0.056\t513.601854546419\n"));
        QStringList reached;
        for (int i = 0; i < 6 && reached.size() < 2; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget())) {
                reached << button->text();
            }
        }
        QCOMPARE(reached, (QStringList{"保存设计", "另存为…"}));
    }

    // The design tool's scenarios, which the page runs too.
    void scenarios_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < scenarios::Design().size(); ++i) {
            QTest::newRow(scenarios::Design()[i]["name"].get<std::string>().c_str())
                << static_cast<int>(i);
        }
    }
    void scenarios() {
        QFETCH(int, index);
        QTemporaryDir dir;
        design::DesignTexts saved;
        QTableWidget* candidates = nullptr;  // the 选型 window is made when first asked for
        QStringList remembered;              // the numbers of the table and the candidates
        const auto selected = [this] {
            return text(curve::Say(design::Word::kSelectionSaid)) !=
                   curve::Say(design::Word::kSelecting);
        };
        for (const auto& step : scenarios::Design()[index]["steps"]) {
            const std::string kind = step.begin().key();
            const nlohmann::json& what = step.begin().value();
            if (kind == "set") {
                for (const auto& field : what) {
                    type(Text(field[0]), Text(field[1]));
                }
            } else if (kind == "choose") {
                choose(Text(what[0]),
                       Find<QComboBox>(window_, Text(what[0]))->findText(Text(what[1])));
            } else if (kind == "tick") {
                QTest::mouseClick(Find<QCheckBox>(window_, Text(what)), Qt::LeftButton,
                                  Qt::NoModifier, QPoint(4, 4));
                type("步数 N", text("步数 N"));  // and waits for the result
            } else if (kind == "point") {
                QCOMPARE(point(what[0].get<int>() - 1),
                         Text(what[1]) +
                             Batch(Arguments(what[2]), Text(what[3])).trimmed().section('\n', -1));
            } else if (kind == "copy_starts_with") {
                click("复制表格");
                QVERIFY(
                    QGuiApplication::clipboard()->text().startsWith(Batch(Arguments(what), "")));
            } else if (kind == "packets" || kind == "move_packet") {
                editPackets([&](QDialog* dialog, QTableWidget* table) {
                    const auto press = [dialog](const char* caption) {
                        QTest::mouseClick(Find<QPushButton>(dialog, caption), Qt::LeftButton);
                    };
                    if (kind == "move_packet") {
                        table->setCurrentCell(what[0].get<int>() - 1, 0);
                        press(what[1].get<int>() < 0 ? "上移" : "下移");
                        return;
                    }
                    while (table->rowCount() > 0) {
                        table->setCurrentCell(0, 0);
                        press("删除所选组");
                    }
                    for (const auto& row : what) {
                        press("添加一组");  // a row after the current one, its spring being edited
                        // Moving on closes the editor, which would otherwise put back its own
                        // text as the dialog closes.
                        const int at = table->currentRow();
                        table->setCurrentCell(at, 0);
                        table->item(at, 0)->setText(Text(row[0]));
                        table->item(at, 1)->setText(Text(row[1]));
                        table->item(at, 2)->setText(Text(row[2]));
                    }
                });
            } else if (kind == "packets_are") {
                std::vector<design::PacketText> packets;
                for (const auto& row : what) {
                    packets.push_back({row[0].get<std::string>(), row[1].get<std::string>(),
                                       row[2].get<std::string>()});
                }
                QVERIFY(window_->inputs().packets == packets);
            } else if (kind == "said" || kind == "test") {
                QVERIFY2(text(curve::Say(kind == "said" ? design::Word::kPointsSaid
                                                        : design::Word::kTest))
                             .contains(Text(what)),
                         qPrintable(Text(what)));
            } else if (kind == "findings" || kind == "findings_lacks") {
                QCOMPARE(findings().join('\n').contains(Text(what)), kind == "findings");
            } else if (kind == "copy_ends_with_point") {
                click("复制表格");
                const int n = what.get<int>();
                QVERIFY(QGuiApplication::clipboard()->text().endsWith(
                    QString("\n%1\t%2\n").arg(n).arg(point(n - 1))));
            } else if (kind == "fatigue_lines") {
                ModalCatcher catcher;
                QString reading;
                catcher.when_shown = [&] {
                    QDialog* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    Find<QPlainTextEdit>(dialog, "疲劳线")->setPlainText(Text(what[0]));
                    reading = Find<QLabel>(dialog, "疲劳线的读法")->text();
                    QMetaObject::invokeMethod(dialog, &QDialog::accept);
                };
                click("疲劳线…");
                QCOMPARE(reading, Text(what[1]));
                QCOMPARE(window_->inputs().fatigue_lines, what[0].get<std::string>());
            } else if (kind == "fields") {
                for (const auto& field : what) {
                    QCOMPARE(text(Text(field[0])), Text(field[1]));
                }
            } else if (kind == "saved_reads_natively") {
                ModalCatcher catcher;
                answerFileDialog(catcher, dir.filePath("design"));
                click("保存设计");  // no file yet: asks for a name
                saved = window_->inputs();
                click("复制表格");
                QProcess batch;
                batch.start(DISC_SPRING_BATCH, {"--design", dir.filePath("design.dspring")});
                QVERIFY(batch.waitForFinished(30000));
                QVERIFY(QString::fromUtf8(batch.readAllStandardOutput())
                            .startsWith(QGuiApplication::clipboard()->text() + "检查\t" +
                                        Text(what) + "\n"));
            } else if (kind == "reopens_same") {
                curve::CurveWindow other;
                QVERIFY(other.openDesign(dir.filePath("design.dspring")));
                QVERIFY(other.inputs() == saved);
            } else if (kind == "select") {
                click("选型…");
                candidates = Find<QTableWidget>(window_, "候选碟簧");
                QTRY_VERIFY_WITH_TIMEOUT(selected() && candidates->rowCount() > 0, 30000);
            } else if (kind == "candidate_first") {
                QCOMPARE(candidates->item(0, 1)->text(), Text(what));
            } else if (kind == "selection_said") {
                QVERIFY(text("选型结果").startsWith(Text(what)));
            } else if (kind == "sort_by") {
                int column = 0;
                while (candidates->horizontalHeaderItem(column)->text() != Text(what)) {
                    ++column;
                }
                emit candidates->horizontalHeader()->sectionClicked(column);
                QSet<double> values;
                for (int row = 0; row < candidates->rowCount(); ++row) {
                    values << candidates->item(row, column)->text().toDouble();
                    QVERIFY(row == 0 || candidates->item(row - 1, column)->text().toDouble() <=
                                            candidates->item(row, column)->text().toDouble());
                }
                QVERIFY(values.size() > 3);
            } else if (kind == "open_candidate") {
                candidates->selectRow(
                    candidates->findItems(Text(what), Qt::MatchExactly).first()->row());
                click("作为设计打开");
                QTRY_VERIFY_WITH_TIMEOUT(selected() && text("状态").isEmpty(), 30000);
            } else if (kind == "remember_numbers" || kind == "numbers_as_remembered") {
                click(curve::Say(design::Word::kCopyTable));
                QStringList numbers = NumberCells(QGuiApplication::clipboard()->text());
                QTest::mouseClick(Find<QPushButton>(candidates->window(),
                                                    curve::Say(design::Word::kCopyCandidates)),
                                  Qt::LeftButton);
                numbers << NumberCells(QGuiApplication::clipboard()->text());
                QVERIFY(numbers.size() > 100);
                if (kind == "remember_numbers") {
                    remembered = numbers;
                } else {
                    QCOMPARE(numbers, remembered);
                }
            } else if (kind == "language") {
                // A window in another language takes the place of this one, with its design.
                const QPointer<curve::CurveWindow> old = window_;
                const QString tag = Text(what);
                auto* choice = Find<QComboBox>(window_, curve::Say(design::Word::kLanguage));
                const int index = choice->findText(
                    curve::Say(rows::LanguageName(rows::LanguageOfTag(tag.toStdString()))));
                QTest::keyClick(choice, choice->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
                QTRY_VERIFY(!old->isVisible());
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (auto* shown = qobject_cast<curve::CurveWindow*>(top);
                        shown != nullptr && shown != old && shown->isVisible()) {
                        window_ = shown;
                    }
                }
                QVERIFY(window_ != old);
                delete old;
                window_->setAttribute(Qt::WA_DeleteOnClose, false);  // cleanup() deletes it
                QVERIFY(QTest::qWaitForWindowExposed(window_));
                const QString steps = curve::Say(design::kInputs[7].label);
                QVERIFY2(Find<QLineEdit>(window_, steps) != nullptr, qPrintable(steps));
                type(steps, text(steps));
                if (candidates != nullptr) {
                    candidates = Find<QTableWidget>(window_, curve::Say(design::Word::kCandidates));
                    QTRY_VERIFY_WITH_TIMEOUT(candidates->rowCount() > 0 &&
                                                 text(curve::Say(design::Word::kSelectionSaid)) !=
                                                     curve::Say(design::Word::kSelecting),
                                             30000);
                }
            } else if (kind == "speaks_only_english") {
                // The window, the selection's and what the data sheet and the plot say.
                QStringList words = ShownWords(window_);
                if (candidates != nullptr) {
                    words << ShownWords(candidates->window());
                }
                const design::Sheet sheet =
                    design::ComputeSheet(window_->inputs(), rows::Language::kEnglish);
                const design::DataSheet data = design::DataSheetOf(
                    sheet, curve::Say(design::Word::kComputedByWindow).toStdString());
                words << QString::fromStdString(data.title);
                for (const design::DataSheetSection& section : data.sections) {
                    words << QString::fromStdString(section.heading);
                    for (const std::string& line : section.lines) {
                        words << QString::fromStdString(line);
                    }
                    for (const std::string& cell : section.header) {
                        words << QString::fromStdString(cell);
                    }
                }
                for (const design::PlotPanel& panel : plot()->panels()) {
                    words << QString::fromStdString(panel.x_label)
                          << QString::fromStdString(panel.y_label);
                    for (const design::PlotSeries& series : panel.series) {
                        words << QString::fromStdString(series.name);
                    }
                    for (const design::PlotMarker& marker : panel.markers) {
                        words << QString::fromStdString(marker.label);
                    }
                }
                // The choice of language names each in itself.
                words.removeAll(
                    QString::fromUtf8(rows::LanguageName(rows::Language::kChinese).data()));
                QVERIFY(words.size() > 300);
                for (const QString& word : words) {
                    QVERIFY2(!HasChinese(word), qPrintable(word));
                }
            } else if (kind == "table_ends_at") {
                // k stands in the row's header
                const QAbstractItemModel* model = Find<QTableView>(window_, "特性表")->model();
                bool found = false;
                for (int r = model->rowCount() - 1; r >= 0 && !found; --r) {
                    found = model->headerData(r, Qt::Vertical).toString() == Text(what);
                }
                QVERIFY(found);
            } else {
                QFAIL(kind.c_str());
            }
        }
    }

    // Beyond the scenarios: both points marked on the plot, and the findings the core's, word for
    // word.
    void workingPointsAreMarkedAndTheFindingsAreTheCores() {
        type("工作点 1", "0.2");
        type("工作点 2", "3");
        QCOMPARE(plot()->panels()[0].marks.size(), 2);
        QCOMPARE(curve::ToQt(plot()->panels()[0].marks[1].at),
                 QPointF(3, point(1).section('\t', 1, 1).toDouble()));
        click("复制表格");
        QVERIFY(QGuiApplication::clipboard()->text().contains("\n工作点\tf(mm)\t"));
        choose("载荷", 1);
        QStringList core;
        for (const std::string& sentence :
             design::FindingSentences(design::ComputeSheet(window_->inputs()))) {
            core << QString::fromStdString(sentence);
        }
        QCOMPARE(findings(), core);
    }

    // Beyond the scenarios: an edit not saved is asked about first, and kept on 取消; the opened
    // candidate is a new design, untitled, which 保存设计 never writes over the file the window
    // came from; the requirement goes with the design.
    void aCandidateOpensAsANewDesignAfterAsking() {
        QTemporaryDir dir;
        QVERIFY(window_->saveDesign(dir.filePath("kept.dspring")));
        click("选型…");
        auto* table = Find<QTableWidget>(window_, "候选碟簧");
        const auto settled = [this] { return text("选型结果") != QStringLiteral("正在选型…"); };
        type("t(mm)", "3");
        QTRY_VERIFY_WITH_TIMEOUT(settled() && table->rowCount() > 0, 30000);
        table->selectRow(0);
        const QString series = table->item(0, 7)->text(), parallel = table->item(0, 8)->text();
        ModalCatcher catcher;
        click("作为设计打开");
        QCOMPARE(catcher.seen.size(), 1);
        QCOMPARE(text("t(mm)"), QString("3"));
        catcher.when_shown = [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box->button(QMessageBox::Discard)->click();
        };
        click("作为设计打开");
        QTRY_VERIFY(text("D(mm)") == "40");
        QVERIFY(window_->designFile().isEmpty() && window_->isWindowModified());
        QCOMPARE(window_->windowTitle(), QString("碟形弹簧特性曲线[*]"));
        QCOMPARE(text("串联片数 i"), series);
        QCOMPARE(text("并联片数 n"), parallel);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 30000);  // selected again for the opened design
        QLineEdit* bore = Find<QLineEdit>(window_, "安装孔 Ø(mm)");
        QTest::keyClick(bore, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(bore, "25");
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 30000);
        QCOMPARE(window_->inputs().requirement.bore, std::string("25"));
        QVERIFY(text("选型结果").startsWith("在 Ø25、导杆 Ø20 的空间内放不下任何碟簧"));
        QCOMPARE(table->rowCount(), 0);
    }

    // Beyond the scenarios: the title names the file and marks edits not saved; a line set that
    // is not UTF-8 and a design file of a newer version are refused with the reason, changing
    // nothing; 保存设计 writes again where the design came from, without a dialog.
    void aDesignKeepsItsFileAndABrokenOneChangesNothing() {
        QTemporaryDir dir;
        ModalCatcher catcher;
        QString refused;
        QFile gbk(dir.filePath("gbk.tsv"));  // 手册 in GB 2312: a file that is not UTF-8
        QVERIFY(gbk.open(QIODevice::WriteOnly) && gbk.write("3\t2e6\t0\t9\t20\t22\t\xca\xd6\n"));
        gbk.close();
        // A file a byte over the limit, comments all through: refused, never read cut short.
        QFile large(dir.filePath("large.tsv"));
        QVERIFY(large.open(QIODevice::WriteOnly) &&
                large.write(QByteArray(calc::kMaxFatigueFileBytes, '#') + "\n") > 0);
        large.close();
        QString too_large;
        catcher.when_shown = [&] {
            auto* dialog = qobject_cast<curve::FatigueDialog*>(QApplication::activeModalWidget());
            dialog->load(gbk.fileName(), &refused);
            QVERIFY(!dialog->load(large.fileName(), &too_large));
            QMetaObject::invokeMethod(dialog, &QDialog::reject);
        };
        click("疲劳线…");
        QCOMPARE(refused, "疲劳线文件 '" + gbk.fileName() + "' 不是 UTF-8 文字，不读");
        QVERIFY2(too_large.contains("大于 1 MiB"), qPrintable(too_large));
        answerFileDialog(catcher, dir.filePath("design"));
        click("保存设计");
        const design::DesignTexts saved = window_->inputs();
        QCOMPARE(window_->windowTitle(), QString("design.dspring[*] — 碟形弹簧特性曲线"));
        QVERIFY(!window_->isWindowModified());
        type("D(mm)", "90");
        QVERIFY(window_->isWindowModified());
        type("D(mm)", "100");
        QVERIFY(!window_->isWindowModified());

        curve::CurveWindow other;
        QFile file(dir.filePath("broken.dspring"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"format\": \"disc-spring-design\", \"version\": 99, \"inputs\": {}}");
        file.close();
        QString reason;
        QVERIFY(!other.openDesign(file.fileName(), &reason));
        QVERIFY2(reason.contains("较新的版本"), qPrintable(reason));
        answerFileDialog(catcher, dir.filePath("broken.dspring"));
        click("打开设计…");
        QVERIFY(catcher.seen.last().first().startsWith("打不开这个设计，窗口保持原样。"));
        QVERIFY(window_->inputs() == saved);
        type("D(mm)", "90");
        const auto asked = catcher.seen.size();
        click("保存设计");  // to the file it came from, without a dialog
        QCOMPARE(catcher.seen.size(), asked);
        QVERIFY(!window_->isWindowModified());
        QVERIFY(other.openDesign(dir.filePath("design.dspring")));
        QCOMPARE(other.inputs().D, std::string("90"));
    }

    // One A4 page of selectable text (pdftotext reads it back) holding every heading, cell and
    // line of the sheet whole; on a page too narrow for the tables they split, losing no cell.
    void theDataSheetIsOnePdfPageWithEveryCellWhole() {
        for (const auto& [input, typed] : std::vector<std::pair<QString, QString>>{
                 {"串联片数 i", "2"}, {"w_M", "0.02"}, {"工作点 1", "1.4"}, {"工作点 2", "0.5"}}) {
            type(input, typed);
        }
        const design::Sheet sheet = design::ComputeSheet(window_->inputs());
        QTemporaryDir dir;
        QVERIFY(window_->writeDataSheet(dir.filePath("a4.pdf")));
        QVERIFY(!window_->writeDataSheet(dir.filePath("missing/a4.pdf")));
        QPdfWriter narrow(dir.filePath("narrow.pdf"));
        narrow.setPageSize(QPageSize(QSizeF(50, 600), QPageSize::Millimeter));
        narrow.setResolution(300);
        QPainter painter(&narrow);
        curve::PaintDataSheet(painter,
                              QRectF(QPointF(), narrow.pageLayout().paintRectPixels(300).size()),
                              sheet, window_->font());
        QVERIFY(painter.end());
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) reads the text back");
        for (const char* name : {"a4.pdf", "narrow.pdf"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().count("/Type /Page\n"), 1);
            QProcess text;
            text.start(pdftotext, {file.fileName(), "-"});
            QVERIFY(text.waitForFinished(20000));
            const QRegularExpression blank("\\s");
            const QString words = QString::fromUtf8(text.readAllStandardOutput()).remove(blank);
            // Whole rows on A4, in their columns' order; cells, as the blocks split them, on the
            // narrow page.
            const bool split = QString(name) == "narrow.pdf";
            const auto row = [&](const std::vector<std::string>& cells) {
                std::vector<std::string> texts;
                std::string joined;
                for (const std::string& cell : cells) {
                    (split ? texts.emplace_back() : joined) += cell;
                }
                return split ? texts : std::vector<std::string>{joined};
            };
            const design::DataSheet data = design::DataSheetOf(sheet, "由 disc-spring-curve 计算");
            QVERIFY(words.contains(QString::fromStdString(data.title)));
            for (const design::DataSheetSection& section : data.sections) {
                std::vector<std::string> texts = row(section.header);
                texts.push_back(section.heading);
                texts.insert(texts.end(), section.lines.begin(), section.lines.end());
                for (const design::TableRow& cells : section.rows) {
                    const std::vector<std::string> shown = row(cells.cells);
                    texts.insert(texts.end(), shown.begin(), shown.end());
                }
                for (const std::string& whole : texts) {
                    QVERIFY2(words.contains(QString::fromStdString(whole).remove(blank)),
                             qPrintable(QString(name) + ": " + QString::fromStdString(whole)));
                }
            }
        }
    }

    // Texts too long for a line, and more of them than a page has room for, still make one page.
    void aLongDesignStillFitsItsPage() {
        design::DesignTexts texts = design::DefaultTexts();
        texts.D = "100" + std::string(2000, 'x');
        texts.d = "51 mm " + std::string(2000, '9') + " mm";
        texts.t = "3,5" + std::string(2000, ',');
        texts.t_reduced = "3.3";
        texts.series = "2";
        texts.w_M = "0.01";
        texts.points = {design::PointText{design::PointBy::kForce, "99999" + std::string(50, 'N')},
                        design::PointText{design::PointBy::kDeflection, "9"}};
        const design::Sheet sheet = design::ComputeSheet(texts);
        const QRectF page(100, 100, 2244, 3156);  // A4 less 15 mm margins, at 300 dpi
        QImage image(page.size().toSize() + QSize(200, 400), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        image.setDotsPerMeterX(11811);  // 300 dpi, as the PDF writer's
        image.setDotsPerMeterY(11811);
        QPainter painter(&image);
        curve::PaintDataSheet(painter, page, sheet, window_->font());
        painter.end();
        const QRect ink = Ink(image);  // within a glyph's antialiased edge of the page
        QVERIFY2(page.toRect().adjusted(-2, -2, 2, 2).contains(ink),
                 qPrintable(QDebug::toString(ink)));
    }

    // At the window's own 1200 × 800, a dynamic stack judged against lines that fail: the text
    // below the working points is read whole, with no scroll bar, and the fatigue verdict stands
    // among the checks.
    void theWorkingPointsAreReadWholeAtTheWindowsOwnSize() {
        design::DesignTexts texts = design::DefaultTexts();
        texts.D = "40", texts.d = "20.4", texts.t = "1.5", texts.H = "2.65", texts.series = "4";
        texts.points = {design::PointText{design::PointBy::kDeflection, "0.8"},
                        design::PointText{design::PointBy::kDeflection, "3.4"}};
        texts.load = calc::Load::kDynamic;
        texts.fatigue_lines = "2\t2e6\t0\t500\t1000\t1000\tA\n2\t1e5\t0\t700\t1000\t1200\tB\n";
        curve::CurveWindow window(texts);
        window.resize(1200, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* summary = Find<QLabel>(&window, "工作点说明");
        QTRY_VERIFY(summary->text().contains("III 点"));
        QTest::qWait(50);
        auto* room = qobject_cast<QScrollArea*>(summary->parentWidget()->parentWidget());
        QVERIFY(room && !room->verticalScrollBar()->isVisible());
        QVERIFY(summary->heightForWidth(room->viewport()->width()) <= room->viewport()->height());
        const QStringList checks = [&window] {
            QStringList items;
            for (const auto* item :
                 Find<QListWidget>(&window, "设计检查")->findItems("", Qt::MatchContains)) {
                items << item->text();
            }
            return items;
        }();
        QCOMPARE(checks.size(), 1);
        QVERIFY2(checks[0].startsWith("疲劳（II、III 两点中起决定作用的 III 点）"),
                 qPrintable(checks[0]));
    }

    // The spring a new user tried: the window says it would yield, and everything the design
    // shows can be read at 1600 × 1000: no scroll bar over the working points, findings wrapped
    // whole, the text below the points readable by a screen reader.
    void aDesignIsReadWholeAndAnOverloadedSpringSaysSo() {
        window_->resize(1600, 1000);
        for (const auto& [input, text] :
             std::vector<std::pair<QString, QString>>{{"D(mm)", "40"},
                                                      {"d(mm)", "20.4"},
                                                      {"t(mm)", "2.5"},
                                                      {"H(mm)", "5.7"},
                                                      {"串联片数 i", "2"},
                                                      {"并联片数 n", "3"},
                                                      {"w_M", "0.02"},
                                                      {"w_R", "0.03"},
                                                      {"工作点 1", "4.8"},
                                                      {"工作点 2", "1"}}) {
            type(input, text);
        }
        QVERIFY(
            findings().contains("工作点 1：σom = 4726 MPa 超过材料的抗拉强度 Rm = 1600 MPa"
                                "（σom/Rm = 2.95）：静载下碟簧会产生永久变形或断裂"));
        auto* points = Find<QTableWidget>(window_, "工作点");
        QCOMPARE(points->rowCount(), 13);  // every quantity of a stack with friction
        QVERIFY(!points->verticalScrollBar()->isVisible());
        QVERIFY(!points->horizontalScrollBar()->isVisible());
        auto* list = Find<QListWidget>(window_, "设计检查");
        QListWidgetItem* longest = list->item(0);
        QVERIFY(list->visualItemRect(longest).height() > 1.5 * list->fontMetrics().height());
        auto* summary = Find<QLabel>(window_, "工作点说明");
        QVERIFY(summary->text().contains("σom/Rm = 2.95"));
        QCOMPARE(QAccessible::queryAccessibleInterface(summary)->text(QAccessible::Description),
                 summary->text());
        // A steel picked by name brings its Rm, and the picker keeps naming it.
        auto* picker = Find<QComboBox>(window_, "材料");
        choose("材料", picker->findText("弹簧钢 60Si2MnA"));
        QCOMPARE(text("Rm(MPa)"), QString("1568"));
        QCOMPARE(picker->currentText(), QString("弹簧钢 60Si2MnA"));
    }

    // Closing, or opening another design, asks first when edits are not saved.
    void editsNotSavedAreAskedForFirst() {
        QTemporaryDir dir;
        QVERIFY(window_->saveDesign(dir.filePath("a.dspring")));
        QVERIFY(window_->close());  // nothing to lose
        window_->show();
        type("t(mm)", "3");
        ModalCatcher catcher;  // closing a question is 取消: the window stays
        QVERIFY(!window_->close());
        QCOMPARE(catcher.seen.size(), 1);
        QCOMPARE(catcher.seen[0].first(), QString("这个设计改过以后还没有保存。要保存吗？"));
        for (const char* button : {"保存…", "不保存", "取消"}) {
            QVERIFY(catcher.seen[0].contains(QString::fromUtf8(button)));
        }
        click("打开设计…");
        QCOMPARE(catcher.seen.size(), 2);  // and no file dialog after it
        catcher.when_shown = [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box->button(QMessageBox::Discard)->click();
        };
        QVERIFY(window_->close());
    }

    // Every control of both windows' forms in view and none over another, at each window's own
    // size on the screen it runs on (a 1366 × 768 laptop under ctest); the selection's columns
    // up to 检查, which its summary points to, in view.
    void bothFormsStandApartAndInView() {
        click("选型…");
        auto* table = Find<QTableWidget>(window_, "候选碟簧");
        QTRY_VERIFY_WITH_TIMEOUT(table->rowCount() > 0, 30000);
        for (QWidget* top : {static_cast<QWidget*>(window_), table->window()}) {
            QList<QRect> seen;
            for (QWidget* control : top->findChildren<QWidget*>()) {
                const bool form = qobject_cast<QLineEdit*>(control) ||
                                  qobject_cast<QComboBox*>(control) ||
                                  qobject_cast<QAbstractButton*>(control);
                if (!form || control->window() != top || !control->isVisibleTo(top) ||
                    qobject_cast<QScrollBar*>(control->parentWidget())) {
                    continue;
                }
                const QRect at(control->mapTo(top, QPoint(0, 0)), control->size());
                QVERIFY2(top->rect().contains(at), qPrintable(control->accessibleName()));
                for (const QRect& other : seen) {
                    QVERIFY2(!other.intersects(at), qPrintable(control->accessibleName()));
                }
                seen << at;
            }
            QVERIFY(seen.size() > 10);
        }
        if (window_->screen()->size().width() < 1366) {
            return;  // the columns in view are a laptop's run's
        }
        int checks = 0;
        while (table->horizontalHeaderItem(checks)->text() != "检查") {
            ++checks;
        }
        QVERIFY(table->columnViewportPosition(checks) + table->columnWidth(checks) <=
                table->viewport()->width());
    }

    // Run with a 1600 × 1000 screen scaled twice: the window must open within it, and stay
    // there when its first sheet makes the working points' table taller.
    void opensWithinTheScreen() {
        QTRY_VERIFY(!plot()->panels().empty());
        const QRect screen = window_->screen()->availableGeometry();
        QVERIFY(screen.contains(window_->frameGeometry()));
        click("选型…");  // the selection's window too
        auto* panel = Find<QTableWidget>(window_, "候选碟簧")->window();
        QVERIFY(screen.contains(panel->geometry()));
    }

    // The usage and refusals speak the system's language (LANGUAGE, LC_ALL, LANG: zh* is
    // Chinese, any other English) unless --lang says.
    void helpAndUnusableArgumentsNeedNoWindow_data() {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QStringList>("lead");
        QTest::addColumn<QString>("usage");
        QTest::addColumn<QString>("unknown");
        QTest::newRow("Chinese system") << "zh_CN.UTF-8" << QStringList{} << "用法:"
                                        << "未知选项";
        QTest::newRow("German system") << "de_DE.UTF-8" << QStringList{} << "Usage:"
                                       << "unknown option";
        QTest::newRow("asked for English")
            << "zh_TW.UTF-8" << QStringList{"--lang", "en"} << "Usage:"
            << "unknown option";
        QTest::newRow("asked for Chinese") << "C" << QStringList{"--lang", "zh"} << "用法:"
                                           << "未知选项";
    }
    void helpAndUnusableArgumentsNeedNoWindow() {
        QFETCH(QString, system);
        QFETCH(QStringList, lead);
        QFETCH(QString, usage);
        QFETCH(QString, unknown);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");  // with no display: a window would abort
        env.remove("DISPLAY");
        env.remove("LANGUAGE");
        env.insert("LC_ALL", system);
        env.insert("LANG", system);
        program.setProcessEnvironment(env);
        program.start(DISC_SPRING_CURVE, lead + QStringList{"--help"});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
        const QString help = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(help.startsWith(usage + " disc-spring-curve"), qPrintable(help));
        for (const QStringList& args :
             {QStringList{"--frobnicate"}, QStringList{"1", "2", "3"},
              QStringList{"1", "2", "3", "4", "5", "6"}, QStringList{"--lang", "fr"}}) {
            program.start(DISC_SPRING_CURVE, lead + args);
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitCode(), 2);
            const QString said = QString::fromUtf8(program.readAllStandardError());
            QVERIFY2(said.startsWith("disc-spring-curve: "), qPrintable(said));
            QCOMPARE(said.contains(unknown), args.size() == 1);  // an option, named as one
            QCOMPARE(said.contains("--lang"), args.front() == "--lang");
        }
    }
};

QTEST_MAIN(CurveWindowTest)
#include "curve_window_test.moc"
