// The calculator's two commands on fake boxes that log what is done to them, in order.

#include "ui/commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui {
namespace {

class LoggedBox final : public TextBox {
public:
    LoggedBox(int number, std::vector<std::string>& log) : number_(number), log_(log) {}
    std::string Text() const override {
        log_.push_back("read " + std::to_string(number_));
        return text;
    }
    void SetText(std::string_view value) override {
        log_.push_back("set " + std::to_string(number_) + " " + std::string(value));
        text = value;
    }
    std::string text;

private:
    int number_;
    std::vector<std::string>& log_;
};

class Commands : public testing::Test {
protected:
    Commands() {
        for (int i = 0; i < 10; ++i) {
            fakes_.emplace_back(i + 1, log_);
        }
        for (std::size_t i = 0; i < 10; ++i) {
            boxes_[i] = &fakes_[i];
        }
    }
    void Type(const std::vector<std::string>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            fakes_[i].text = texts[i];
        }
        log_.clear();
    }
    void Calculate() {
        ui::Calculate(boxes_, [this](const calc::SpringFault& fault) {
            log_.push_back("report " + std::string(calc::QuantitySymbol(fault.quantity)));
        });
    }

    std::vector<std::string> log_;
    std::vector<LoggedBox> fakes_;
    TextBoxes boxes_{};
};

TEST_F(Commands, CalculateReadsTheInputsInOrderThenWritesTheResultsInOrder) {
    Type({"100", "51", "3.5", "6.3", "1.4", "typed", "", "", "", "old"});
    Calculate();
    EXPECT_EQ(log_, (std::vector<std::string>{"read 1", "read 2", "read 3", "read 4", "read 5",
                                              "set 6 9822.55688774516", "set 7 617.501704752074",
                                              "set 8 -1350.87984743535", "set 9 411.326288335194",
                                              "set 10 749.011484596736"}));
}

TEST_F(Commands, AFaultEmptiesTheResultsThenReportsAndLeavesTheInputs) {
    Type({"50", "50", "1", "2", "1", "9", "9", "9", "9", "9"});
    Calculate();
    EXPECT_EQ(log_,
              (std::vector<std::string>{"read 1", "read 2", "read 3", "read 4", "read 5", "set 6 ",
                                        "set 7 ", "set 8 ", "set 9 ", "set 10 ", "report K1"}));
    EXPECT_EQ(fakes_[0].text, "50");
    // A number typed too large is a fault of its input, reported before any arithmetic.
    Type({"1e999", "51", "3.5", "6.3", "1.4"});
    Calculate();
    EXPECT_EQ(log_.back(), "report D");
}

TEST_F(Commands, ClearEmptiesEveryBoxInOrderAndReadsNone) {
    Type({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    Clear(boxes_);
    EXPECT_EQ(log_, (std::vector<std::string>{"set 1 ", "set 2 ", "set 3 ", "set 4 ", "set 5 ",
                                              "set 6 ", "set 7 ", "set 8 ", "set 9 ", "set 10 "}));
}

}  // namespace
}  // namespace ui
