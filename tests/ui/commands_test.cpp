#include "ui/commands.h"

#include <QtTest>
#include <string>
#include <vector>

namespace {

// A text box that logs every access, so tests can see the order of reads and writes.
class LoggingBox : public ui::TextBox {
public:
    LoggingBox(int number, std::vector<std::string>& log) : number_(number), log_(log) {}

    std::string Text() const override {
        log_.push_back("read Text" + std::to_string(number_));
        return text;
    }
    void SetText(std::string_view value) override {
        log_.push_back("write Text" + std::to_string(number_));
        text = value;
    }

    std::string text;

private:
    int number_;
    std::vector<std::string>& log_;
};

class Boxes {
public:
    Boxes() {
        for (int i = 0; i < 10; ++i) {
            owned_.push_back(std::make_unique<LoggingBox>(i + 1, log));
            view[i] = owned_.back().get();
        }
    }
    LoggingBox& box(int number) { return *owned_[number - 1]; }
    void Type(std::initializer_list<const char*> inputs) {
        int number = 1;
        for (const char* text : inputs) {
            box(number++).text = text;
        }
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : owned_) {
            texts.push_back(box->text);
        }
        return texts;
    }

    std::vector<std::string> log;
    ui::TextBoxes view{};

private:
    std::vector<std::unique_ptr<LoggingBox>> owned_;
};

std::vector<std::string> Sequence(const char* verb, int first, int last) {
    std::vector<std::string> steps;
    for (int i = first; i <= last; ++i) {
        steps.push_back(std::string(verb) + " Text" + std::to_string(i));
    }
    return steps;
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void calculateReadsAllInputsThenWritesAllResultsInOrder() {
        Boxes boxes;
        boxes.Type({"100", "51", "3.5", "6.3", "1.4"});
        bool reported = false;
        ui::Calculate(boxes.view, [&](const calc::SpringFault&) { reported = true; });

        auto expected = Sequence("read", 1, 5);
        const auto writes = Sequence("write", 6, 10);
        expected.insert(expected.end(), writes.begin(), writes.end());
        QCOMPARE(boxes.log, expected);
        QVERIFY(!reported);
        QCOMPARE(boxes.box(6).text, std::string("9822.55688774516"));
        QCOMPARE(boxes.box(10).text, std::string("749.011484596736"));
    }

    void calculateFaultReadsOnlyAndReportsOnce() {
        Boxes boxes;
        boxes.Type({"50", "50", "1", "2", "1"});
        for (int i = 6; i <= 10; ++i) {
            boxes.box(i).text = "earlier " + std::to_string(i);
        }
        const auto before = boxes.Texts();
        std::vector<calc::SpringFault> reports;
        ui::Calculate(boxes.view, [&](const calc::SpringFault& f) { reports.push_back(f); });

        QCOMPARE(boxes.log, Sequence("read", 1, 5));
        QCOMPARE(boxes.Texts(), before);
        QCOMPARE(reports.size(), std::size_t{1});
        QCOMPARE(reports[0].quantity, calc::Quantity::kK1);
    }

    void calculateTwiceWritesTheSameTexts() {
        Boxes boxes;
        boxes.Type({"100", "51", "3.5", "6.3", "1.4"});
        const ui::FaultReporter unexpected = [](const calc::SpringFault&) { QFAIL("fault"); };
        ui::Calculate(boxes.view, unexpected);
        const auto first = boxes.Texts();
        ui::Calculate(boxes.view, unexpected);
        QCOMPARE(boxes.Texts(), first);
    }

    void clearEmptiesEveryBoxInOrderAndReadsNothing() {
        Boxes boxes;
        boxes.Type({"100", "51", "3.5", "6.3", "1.4"});
        boxes.box(8).text = "typed into a result box";
        ui::Clear(boxes.view);
        QCOMPARE(boxes.log, Sequence("write", 1, 10));
        QCOMPARE(boxes.Texts(), std::vector<std::string>(10));
    }
};

QTEST_APPLESS_MAIN(CommandsTest)
#include "commands_test.moc"
