// Progressive stacks, as properties over random columns of the standard's springs: like packets
// are today's stack, order changes no bit, the travel is the packets' own deflections summed, a
// stop holds, every refusal names its packet, and a design's packets answer as their file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "batch/batch.h"
#include "batch/stack.h"
#include "calc/catalogue.h"
#include "calc/column.h"
#include "calc/column_file.h"
#include "design/sheet.h"
#include "design/sheet_text.h"
#include "rows/column_text.h"
#include "runtime/number_text.h"
#include "runtime/text_number.h"

namespace batch {
namespace {

using calc::Column;
using calc::Packet;

std::string Answered(const BatchOptions& options, const std::string& lines) {
    std::int64_t numbering = 0;
    BatchStream stream(options, numbering);
    std::string out;
    AppendBatchHeader(options, out);
    stream.Feed(lines, out);
    stream.Finish(out);
    return out;
}

std::string Text(double value) {
    return std::string(runtime::NumberToText(value).view());
}

std::vector<std::string> Cells(const std::string& line, char separator = '\t') {
    std::vector<std::string> cells;
    for (std::size_t at = 0;;) {
        const std::size_t tab = line.find(separator, at);
        cells.push_back(line.substr(at, tab - at));
        if (tab == std::string::npos) {
            return cells;
        }
        at = tab + 1;
    }
}

// Three to six packets of the standard's springs of one outer diameter, counts 1 … 3, some with
// a stop between 0.3·h0 and flat.
Column RandomColumn(std::mt19937& random) {
    const auto& din = calc::Din2093();
    const calc::CatalogueSpring& first = din[random() % din.size()];
    std::vector<const calc::CatalogueSpring*> alike;
    for (const auto& spring : din) {
        if (spring.spring.spring.D == first.spring.spring.D) {
            alike.push_back(&spring);
        }
    }
    Column column;
    const int packets = 3 + static_cast<int>(random() % 4);
    for (int k = 0; k < packets; ++k) {
        const calc::CatalogueSpring& spring = *alike[random() % alike.size()];
        Packet packet{spring.spring, spring.flats, 1 + static_cast<int>(random() % 3), {}};
        if (random() % 3 == 0) {
            const double h0 = spring.spring.spring.H -
                              (spring.flats ? spring.spring.t_reduced : spring.spring.spring.t);
            packet.stop = runtime::ShownValue(h0 * (0.3 + 0.1 * (random() % 7)));
        }
        column.packets.push_back(packet);
    }
    return column;
}

std::string StackText(const Column& column) {
    std::string text = "# n\tD\td\tt\tH\tt′\tstop\n";
    for (const Packet& packet : column.packets) {
        const calc::SpringInputs& s = packet.spring.spring;
        text += std::to_string(packet.count) + '\t' + Text(s.D) + '\t' + Text(s.d) + '\t' +
                Text(s.t) + '\t' + Text(s.H) + '\t' +
                (packet.flats ? Text(packet.spring.t_reduced) : "-") + '\t' +
                (packet.stop ? Text(*packet.stop) : "") + '\n';
    }
    return text;
}

// Like packets print exactly as --curve with --series and --parallel: a line of the spring and
// its stop as the curve's end (flat when it has none).
TEST(ProgressiveStack, LikePacketsAreTodaysStackByteForByte) {
    std::mt19937 random(41);
    for (int trial = 0; trial < 40; ++trial) {
        Column column = RandomColumn(random);
        column.packets.assign(1 + random() % 4, column.packets.front());
        BatchOptions options;
        options.curve_steps = 7;
        options.row.check = trial % 2 == 0;
        const auto prepared = ReadStack(StackText(column), options);
        ASSERT_TRUE(prepared) << prepared.error();
        std::string stacked;
        EXPECT_TRUE(AnswerStackCurve(*prepared, options, stacked, {}));

        const Packet& packet = column.packets.front();
        const calc::SpringInputs& s = packet.spring.spring;
        options.row.flats = packet.flats;
        options.row.stack =
            calc::StackLayout{static_cast<int>(column.packets.size()), packet.count};
        const std::string line = Text(s.D) + '\t' + Text(s.d) + '\t' + Text(s.t) + '\t' +
                                 (packet.flats ? Text(packet.spring.t_reduced) + '\t' : "") +
                                 Text(s.H) + '\t' + (packet.stop ? Text(*packet.stop) : "") + '\n';
        EXPECT_EQ(stacked, Answered(options, line)) << StackText(column);
    }
}

// Any order of the packets gives the same force, travel, length and rates at every point, bit
// for bit; along the characteristic each packet's deflection rises up to its stop and stays
// there; and the travel is the sum of what --force finds for each packet alone.
TEST(ProgressiveStack, OrderTravelAndStopsHoldOnRandomColumns) {
    std::mt19937 random(42);
    for (int trial = 0; trial < 30; ++trial) {
        Column column = RandomColumn(random);
        Column shuffled = column;
        std::shuffle(shuffled.packets.begin(), shuffled.packets.end(), random);
        const auto prepared = calc::PrepareColumn(column);
        const auto other = calc::PrepareColumn(shuffled);
        ASSERT_TRUE(prepared && other);
        if (calc::UniformLayout(column)) {
            continue;
        }
        const auto forces = calc::CharacteristicForces(*prepared, 12);
        ASSERT_EQ(forces, calc::CharacteristicForces(*other, 12));
        EXPECT_EQ(forces.back(), prepared->end_force);
        std::vector<double> last(column.packets.size(), 0);
        for (const double force : forces) {
            const calc::ColumnPoint a = calc::ColumnAtForce(*prepared, force);
            const calc::ColumnPoint b = calc::ColumnAtForce(*other, force);
            ASSERT_TRUE(a.stack && b.stack);
            EXPECT_EQ(a.stack->s, b.stack->s);
            EXPECT_EQ(a.stack->L, b.stack->L);
            EXPECT_EQ(a.rate, b.rate);
            EXPECT_EQ(a.rate_after, b.rate_after);
            EXPECT_EQ(a.kink, b.kink);

            std::string forced;  // each packet alone, by --force
            for (std::size_t j = 0; j < column.packets.size(); ++j) {
                const calc::PacketAt& at = a.packets[j];
                const bool stopped = force >= prepared->stop_forces[j];
                EXPECT_EQ(at.at_stop, stopped);
                EXPECT_TRUE(stopped ? at.f == prepared->stops[j] : at.f <= prepared->stops[j]);
                EXPECT_GE(at.f, last[j]);
                last[j] = at.f;
                if (stopped) {
                    continue;
                }
                const Packet& packet = column.packets[j];
                BatchOptions options;
                options.force = true;
                options.row.flats = packet.flats;
                options.row.stack = calc::StackLayout{1, packet.count};
                const calc::SpringInputs& s = packet.spring.spring;
                const std::string line =
                    Text(s.D) + '\t' + Text(s.d) + '\t' + Text(s.t) + '\t' +
                    (packet.flats ? Text(packet.spring.t_reduced) + '\t' : "") + Text(s.H) + '\t' +
                    Text(force) + '\n';
                forced += Cells(Answered(options, line)).front() + ' ';
                EXPECT_EQ(Cells(Answered(options, line)).front(), Text(at.f));
            }
            std::vector<double> deflections;
            for (const calc::PacketAt& at : a.packets) {
                deflections.push_back(at.f);
            }
            std::sort(deflections.begin(), deflections.end());
            double travel = 0;
            for (const double f : deflections) {
                travel += f;
            }
            EXPECT_EQ(a.stack->s, travel) << forced;
        }
        for (std::size_t j = 0; j < column.packets.size(); ++j) {
            EXPECT_EQ(last[j], prepared->stops[j]) << "every packet ends at its stop";
        }
    }
}

// The rate is the packets' in series, 1 ÷ Σ 1 ÷ (n·R), and at a packet's stop it steps up: the
// two rates of a kink are the sums with and without that packet.
TEST(ProgressiveStack, TheRateStepsUpWhereAPacketStops) {
    std::mt19937 random(43);
    int kinks = 0;
    for (int trial = 0; trial < 20; ++trial) {
        const Column column = RandomColumn(random);
        const auto prepared = calc::PrepareColumn(column);
        ASSERT_TRUE(prepared);
        if (calc::UniformLayout(column)) {
            continue;
        }
        for (const double force : prepared->stop_forces) {
            const calc::ColumnPoint point = calc::ColumnAtForce(*prepared, force);
            ASSERT_TRUE(point.kink && point.rate);
            double before = 0, after = 0;
            for (std::size_t j = 0; j < point.packets.size(); ++j) {
                const double packet = 1 / *point.packets[j].row.results->stack_rate;
                before += force <= prepared->stop_forces[j] ? packet : 0;
                after += force < prepared->stop_forces[j] ? packet : 0;
            }
            EXPECT_NEAR(*point.rate, 1 / before, *point.rate * 1e-12);
            if (force == prepared->end_force) {
                EXPECT_FALSE(point.rate_after);
            } else {
                ASSERT_TRUE(point.rate_after);
                EXPECT_NEAR(*point.rate_after, 1 / after, *point.rate_after * 1e-12);
                EXPECT_GT(*point.rate_after, *point.rate);
                ++kinks;
            }
        }
    }
    EXPECT_GT(kinks, 20);
}

// The next force as shown above or below `force` (15 significant digits).
double ShownNeighbour(double force, double direction) {
    for (double step = 1e-16;; step *= 2) {
        const double next = runtime::ShownValue(force * (1 + direction * step));
        if (next != force) {
            return next;
        }
    }
}

// A travel asked is met by the force whose travel is nearest: neither neighbouring force as
// shown comes nearer; travels out of reach are refused with the most there is.
TEST(ProgressiveStack, ATravelFindsTheNearestForce) {
    std::mt19937 random(44);
    for (int trial = 0; trial < 10; ++trial) {
        const auto prepared = calc::PrepareColumn(RandomColumn(random));
        ASSERT_TRUE(prepared);
        const double most = calc::ColumnAtForce(*prepared, prepared->end_force).stack->s;
        for (const double share : {0.0, 0.13, 0.5, 0.77, 1.0}) {
            const double travel = runtime::ShownValue(most * share);
            const auto point = calc::ColumnAtTravel(*prepared, travel);
            ASSERT_TRUE(point);
            const double gap = std::fabs(point->stack->s - travel);
            for (const double direction : {-1.0, 1.0}) {
                const double neighbour = ShownNeighbour(point->force, direction);
                if (point->force > 0 && neighbour <= prepared->end_force) {
                    const auto near = calc::ColumnAtForce(*prepared, neighbour);
                    EXPECT_GE(std::fabs(near.stack->s - travel), gap) << neighbour;
                }
            }
        }
        EXPECT_EQ(calc::ColumnAtTravel(*prepared, most * 1.01).error().kind,
                  calc::Refusal::Kind::kBeyondTravel);
        EXPECT_EQ(calc::ColumnAtTravel(*prepared, -0.1).error().kind,
                  calc::Refusal::Kind::kNegativeTravel);
    }
}

// What cannot be a stack is refused whole, by its line or its packet, in words.
TEST(ProgressiveStack, UnusableStacksAreRefusedByLineOrPacket) {
    using Read = calc::ColumnTextProblem::Kind;
    using Prepared = calc::ColumnProblem::Kind;
    struct Case {
        std::string text;
        std::optional<Read> read;
        std::optional<Prepared> prepared;
        int where;          // the line, or the packet
        std::string words;  // a part of the words
    };
    const std::string a40 = "40\t20.4\t2.25\t3.15";
    const std::string falls = "40\t20.4\t1\t2.6";  // h0/t = 1.6: falls before flat
    const std::vector<Case> cases = {
        {"", Read::kEmpty, {}, 0, "没有"},
        {"# only\n\n", Read::kEmpty, {}, 0, "没有"},
        {"1\t" + a40 + "\n1\t40\t20.4\n", Read::kColumns, {}, 2, "第 2 行"},
        {"1\t" + a40 + "\t-\tx\n", Read::kNotANumber, {}, 1, "第 7 个字段"},
        {"1.5\t" + a40 + "\n", Read::kCount, {}, 1, "整数"},
        {"0\t" + a40 + "\n", Read::kCount, {}, 1, "整数"},
        {std::string("1\t40") + '\0' + "\t20.4\t2.25\t3.15\n", Read::kNul, {}, 0, "NUL"},
        {"1 40 20.4 2.25 3.15 - 0.5\n2 " + a40 + "\n", {}, {}, 0, ""},
        // A spring of the catalogue by its name, its stop after it.
        {"1 A 40\n2 B40 0.5\n1\tA\t125\t-\n", {}, {}, 0, ""},
        {"1 A 41\n", Read::kUnknownSpring, {}, 1, "目录中没有"},
        {"1 A 40\n2 A40 x\n", Read::kNotANumber, {}, 2, "第 3 个字段"},
        {"1 A 40 0.5 0.6\n", Read::kColumns, {}, 1, "目录中的碟簧"},
        {"0 A 40\n", Read::kCount, {}, 1, "整数"},
        {"1\t" + a40 + "\t\t0.95\n", {}, Prepared::kStop, 1, "第 1 组的挡块 0.95 mm"},
        {"1\t" + a40 + "\t\t0.9\n", {}, {}, 0, ""},  // at flat
        {"1\t" + a40 + "\n1\t" + a40 + "\t\t-0.1\n", {}, Prepared::kStop, 2, "第 2 组"},
        {"1\t" + a40 + "\t2.3\n", {}, Prepared::kSpring, 1, "t′"},
        {"1\t" + a40 + "\n1\t" + falls + "\n", {}, Prepared::kFalls, 2, "峰值"},
        {"1\t" + a40 + "\n1\t" + falls + "\t-\t0.9\n", {}, {}, 0, ""},  // stopped before its peak
        {"1\t" + falls + "\n1\t" + falls + "\n", {}, {}, 0, ""},  // like packets: today's stack
        {"1\t40\t20.4\t3\t2\n2\t" + a40 + "\n", {}, Prepared::kSpring, 1, "锥高"},
        {"1\t" + a40 + "\n3\t20\t40\t2.25\t3.15\n", {}, Prepared::kNoForce, 2, "不为正"},
        {"3\t20\t40\t2.25\t3.15\n", {}, Prepared::kNoForce, 1, "承受不了压力"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto column = calc::ReadColumnText(c.text, calc::Material{});
        if (c.read) {
            ASSERT_FALSE(column);
            EXPECT_EQ(column.error().kind, *c.read);
            EXPECT_EQ(column.error().line, c.where);
            EXPECT_NE(rows::ColumnTextProblemText(column.error()).find(c.words), std::string::npos)
                << rows::ColumnTextProblemText(column.error());
            continue;
        }
        ASSERT_TRUE(column);
        const auto prepared = calc::PrepareColumn(*column);
        EXPECT_EQ(prepared.has_value(), !c.prepared);
        if (c.prepared && !prepared) {
            EXPECT_EQ(prepared.error().kind, *c.prepared);
            EXPECT_EQ(prepared.error().packet, c.where);
            EXPECT_NE(rows::ColumnProblemText(prepared.error()).find(c.words), std::string::npos)
                << rows::ColumnProblemText(prepared.error());
        }
    }
    // The peak a refusal names is where the spring's rate turns (1.5u² − 4.8u + 3.56 = 0 for
    // h0/t = 1.6, u = f/t), and a stop there is taken.
    const auto falling =
        calc::PrepareColumn(*calc::ReadColumnText("1\t" + a40 + "\n1\t" + falls, {}));
    ASSERT_FALSE(falling);
    const double peak = falling.error().limit;
    EXPECT_NEAR(peak, (4.8 - std::sqrt(4.8 * 4.8 - 6 * 3.56)) / 3, 1e-9);
    EXPECT_TRUE(calc::PrepareColumn(
        *calc::ReadColumnText("1\t" + a40 + "\n1\t" + falls + "\t-\t" + Text(peak), {})));
    EXPECT_FALSE(calc::PrepareColumn(
        *calc::ReadColumnText("1\t" + a40 + "\n1\t" + falls + "\t-\t" + Text(peak * 1.001), {})));

    // A named spring is the catalogue's own, contact flats and all.
    const auto named = calc::ReadColumnText("1 A 125 2\n", {});
    ASSERT_TRUE(named);
    const calc::Packet& a125 = named->packets.front();
    EXPECT_TRUE(a125.flats);
    EXPECT_EQ(a125.spring.t_reduced, 7.5);
    EXPECT_EQ(a125.spring.spring.H, 10.6);
    EXPECT_EQ(a125.stop, 2.0);

    std::string many;
    for (int k = 0; k <= calc::kMaxPackets; ++k) {
        many += "1\t" + a40 + "\n";
    }
    EXPECT_EQ(calc::ReadColumnText(many, calc::Material{}).error().line, calc::kMaxPackets + 1);
}

// A mixed stack's table: a column per packet's quantity in the header and in every row, and the
// checks led by the packet they are of.
TEST(ProgressiveStack, TheTableHasEveryPacketsColumnsAndNamesItsFindings) {
    BatchOptions options;
    options.curve_steps = 4;
    options.row.check = true;
    const auto column = ReadStack("1 B 40\n2 B 40\n1 A 40 0.675\n", options);
    ASSERT_TRUE(column) << column.error();
    std::string table;
    EXPECT_TRUE(AnswerStackCurve(*column, options, table, {}));
    std::vector<std::vector<std::string>> rows;
    for (std::size_t at = 0; at < table.size();) {
        const std::size_t end = table.find('\n', at);
        rows.push_back(Cells(table.substr(at, end - at)));
        at = end + 1;
    }
    ASSERT_EQ(rows.size(), 1u + 5 + 2);  // the header, 5 steps, 2 stop forces between them
    EXPECT_EQ(rows[0].size(), 6u + 3 * 6 + 1);
    EXPECT_EQ(rows[0][6 + 2 * 6], "f[3](mm)");
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), rows[0].size());
    }
    EXPECT_EQ(rows.back().back(), "[1]f>0.75h0;[2]f>0.75h0");  // A 40 held at 0.75·h0 by its stop
    EXPECT_EQ(rows.back()[5], "1,2,3");
}

// Points of a stack through the batch tool's lines: a force is the column's row at it, a travel
// its nearest, and what is out of reach or not a number is an ERROR row that says why.
TEST(ProgressiveStack, PointLinesAreAnsweredOrRefusedInWords) {
    BatchOptions options;
    options.column = *ReadStack("1\t40\t20.4\t1.5\t2.65\n2\t40\t20.4\t2.25\t3.15\n", options);
    const calc::PreparedColumn& column = *options.column;
    std::string row;
    rows::TabJoined joined(row);
    rows::ColumnPointCells(calc::ColumnAtForce(column, 3000), false, joined);
    const std::string most = Text(column.end_force);
    options.force = true;
    const std::string forces = Answered(options, "3000\n0.5\n-1\n" + most + "\n1e9\nx\n1\t2\t3\n");
    const std::vector<std::string> lines = {"3000\t",
                                            "0.5\t",
                                            "ERROR\t力 -1 N 为负",
                                            most + "\t",
                                            "ERROR\t力 1000000000 N 超过最后一组到挡块时的 ",
                                            "ERROR\t力应为一个数",
                                            "ERROR\t需要 1 或 2 个"};
    std::size_t at = forces.find('\n') + 1;  // after the header
    for (const std::string& line : lines) {
        EXPECT_EQ(forces.compare(at, line.size(), line), 0) << forces.substr(at, 80);
        at = forces.find('\n', at) + 1;
    }
    EXPECT_NE(forces.find(row + '\n'), std::string::npos);
    options.force = false;
    options.id = true;  // each row led by its line's ID, the header by "ID"
    EXPECT_TRUE(Answered(options, "a\t1\n").starts_with("ID\tF(N)\t"));
    EXPECT_NE(Answered(options, "a\t1\n").find("\na\t"), std::string::npos);
    options.id = false;
    const std::string travels = Answered(options, "0\n-0.5\n");
    EXPECT_NE(travels.find("\n0\t0\t"), std::string::npos) << travels;
    EXPECT_NE(travels.find("ERROR\t行程 -0.5 mm 为负"), std::string::npos);

    // Two points and checks: their rows, then each packet judged at both, as calc judges them.
    options.row.check = true;
    options.load = calc::Load::kDynamic;
    const std::string judged = Answered(options, "0.3\t1.5\n");
    const auto low = calc::ColumnAtTravel(column, 0.3), high = calc::ColumnAtTravel(column, 1.5);
    const std::string codes = rows::PacketJudgementCodes(
        calc::JudgeColumn(column, {&*low, &*high}, calc::Load::kDynamic, nullptr));
    EXPECT_NE(codes.find("f<0.15h0"), std::string::npos) << codes;
    EXPECT_TRUE(judged.ends_with("\n检查\t" + codes + "\n")) << judged;
    EXPECT_EQ(std::count(judged.begin(), judged.end(), '\n'), 4);  // header, two rows, checks
}

// Each packet is judged as a spring of its own at the working points: one pressed past 0.75·h0
// is told to take a stop, one held by its stop is not, and a dynamic load judges each cycle.
TEST(ProgressiveStack, EachPacketIsJudgedAtTheWorkingPoints) {
    const auto column = calc::ReadColumnText(
        "1\t40\t20.4\t1.5\t2.65\n2\t40\t20.4\t1.5\t2.65\t-\t0.8\n1\t40\t20.4\t2.25\t3.15\n",
        calc::Material{});
    const auto prepared = calc::PrepareColumn(*column);
    ASSERT_TRUE(prepared);
    const calc::ColumnPoint low = calc::ColumnAtForce(*prepared, 1000);
    const calc::ColumnPoint high = calc::ColumnAtForce(*prepared, 5000);
    const auto judged = calc::JudgeColumn(*prepared, {&low, &high}, calc::Load::kDynamic, nullptr);
    ASSERT_EQ(judged.size(), 3u);
    EXPECT_TRUE(judged[0].needs_stop);   // B 40 alone: flat at its stop, past 0.75·h0
    EXPECT_FALSE(judged[1].needs_stop);  // held at 0.8 mm, under 0.75·h0 = 0.8625
    EXPECT_FALSE(judged[2].needs_stop);
    const auto swapped = calc::JudgeColumn(*prepared, {&high, &low}, calc::Load::kDynamic, nullptr);
    for (std::size_t j = 0; j < judged.size(); ++j) {
        ASSERT_TRUE(judged[j].cycle && swapped[j].cycle);
        const calc::LoadCycle& cycle = judged[j].cycle->Cycle();
        const calc::LoadCycle& other = swapped[j].cycle->Cycle();
        EXPECT_EQ(std::tie(cycle.lower, cycle.upper, cycle.at_III),
                  std::tie(other.lower, other.upper, other.at_III));
        const auto& at_low = low.packets[j].row.results->spring;
        const auto& at_high = high.packets[j].row.results->spring;
        EXPECT_EQ(cycle.lower, cycle.at_III ? at_low.sigma3 : at_low.sigma2);
        EXPECT_EQ(cycle.upper, cycle.at_III ? at_high.sigma3 : at_high.sigma2);
    }
    EXPECT_EQ(judged[0].points.size(), swapped[0].points.size());
    EXPECT_FALSE(
        calc::JudgeColumn(*prepared, {&low, &high}, calc::Load::kStatic, nullptr)[0].cycle);
    const auto words = rows::PacketJudgementSentences(1, judged[0], false);
    ASSERT_FALSE(words.empty());
    EXPECT_NE(words.back().find("第 1 组"), std::string::npos);
    EXPECT_NE(words.back().find("挡块"), std::string::npos);
}

namespace design_packets {

// A column's packets as a design's table holds them: dimensions typed, or a catalogue name.
std::vector<design::PacketText> PacketTexts(const Column& column, bool named) {
    std::vector<design::PacketText> texts;
    for (const Packet& packet : column.packets) {
        const calc::SpringInputs& s = packet.spring.spring;
        std::string spring = Text(s.D) + ' ' + Text(s.d) + ' ' + Text(s.t) + ' ' + Text(s.H) +
                             (packet.flats ? ' ' + Text(packet.spring.t_reduced) : "");
        for (const auto& listed : calc::Din2093()) {
            const calc::SpringInputs& l = listed.spring.spring;
            if (named && std::tie(l.D, l.d, l.t, l.H) == std::tie(s.D, s.d, s.t, s.H) &&
                listed.flats == packet.flats) {
                spring = listed.Name();
            }
        }
        texts.push_back({std::to_string(packet.count), spring,
                         packet.stop ? Text(*packet.stop) : std::string()});
    }
    return texts;
}

// Codes as the batch tool's check line joins them, "[1]a,b;[2]c", one a packet: "[1]a", "[1]b".
std::vector<std::string> PerPacket(const std::string& joined) {
    std::vector<std::string> codes;
    for (std::size_t at = 0; at < joined.size();) {
        const std::size_t end = std::min(joined.find(';', at), joined.size());
        const std::string packet = joined.substr(at, end - at);
        const std::size_t close = packet.find(']') + 1;
        for (const std::string& code : Cells(packet.substr(close), ',')) {
            codes.push_back(packet.substr(0, close) + code);
        }
        at = end + 1;
    }
    return codes;
}

std::string DesignAnswer(const design::DesignTexts& texts) {
    std::string out;
    AnswerDesign(texts, out);
    return out;
}

}  // namespace design_packets

// A design's packets answer as their stack file does: its characteristic is --stack --curve N's,
// each working point the --stack line of its travel or force, and the 检查 line holds each
// packet's judgement there, as --stack --check judges it.
TEST(ProgressiveStack, ADesignsPacketsAnswerAsTheirStackFile) {
    using namespace design_packets;
    std::mt19937 random(43);
    int mixed = 0;
    for (int trial = 0; trial < 24; ++trial) {
        const Column column = RandomColumn(random);
        if (calc::UniformLayout(column)) {
            continue;
        }
        ++mixed;
        BatchOptions options;
        options.curve_steps = 5 + trial % 4;
        const auto prepared = ReadStack(StackText(column), options);
        ASSERT_TRUE(prepared) << prepared.error();
        std::string curve;
        ASSERT_TRUE(AnswerStackCurve(*prepared, options, curve, {}));

        design::DesignTexts texts = design::DefaultTexts();
        texts.steps = std::to_string(options.curve_steps);
        texts.packets = PacketTexts(column, trial % 2 == 0);
        texts.load = trial % 3 == 0 ? calc::Load::kDynamic : calc::Load::kStatic;
        const double end = prepared->end_force;
        const double travel = calc::ColumnAtForce(*prepared, end * 0.3).stack->s;
        texts.points = {design::PointText{design::PointBy::kDeflection, Text(travel)},
                        design::PointText{design::PointBy::kForce, Text(end * 0.9)}};
        const std::string answer = DesignAnswer(texts);
        ASSERT_TRUE(answer.starts_with(curve + '\n')) << StackText(column) << answer;

        options.column = *prepared;
        options.load = texts.load;
        const auto line = [&](bool force, const std::string& value) {
            options.force = force;
            const std::string lines = Answered(options, value + '\n');
            return lines.substr(lines.find('\n') + 1);  // the point's line, after the header
        };
        const std::string by_travel = line(false, texts.points[0].value);
        const std::string by_force = line(true, texts.points[1].value);
        const std::string header = curve.substr(0, curve.find('\n'));
        const std::string points = "工作点\t" + header + "\n1\t" + by_travel + "2\t" + by_force;
        EXPECT_EQ(answer.substr(curve.size() + 1, points.size()), points) << answer;

        // Both points at once judge each packet's cycle as the design does.
        options.force = false;
        options.row.check = true;
        const std::string both =
            Answered(options, Text(travel) + '\t' +
                                  Text(calc::ColumnAtForce(*prepared, end * 0.9).stack->s) + '\n');
        const std::string batch_codes = both.substr(both.rfind("检查\t") + 7);
        const std::size_t at = answer.find("\n检查\t") + 8;
        std::vector<std::string> design_codes =
            Cells(answer.substr(at, answer.find('\n', at) - at), ',');
        std::vector<std::string> expected =
            PerPacket(batch_codes.substr(0, batch_codes.size() - 1));
        if (design_codes == std::vector<std::string>{""}) {
            design_codes.clear();
        }
        EXPECT_EQ(design_codes, expected) << answer;
    }
    EXPECT_GE(mixed, 15);
}

// Like packets are the i × n stack of their spring, up to their stop: the same bytes as that
// design, named or typed.
TEST(ProgressiveStack, ADesignsLikePacketsAreItsStack) {
    using namespace design_packets;
    std::mt19937 random(44);
    for (int trial = 0; trial < 12; ++trial) {
        Column column = RandomColumn(random);
        column.packets.assign(1 + random() % 4, column.packets.front());
        const Packet& packet = column.packets.front();
        const calc::SpringInputs& s = packet.spring.spring;
        design::DesignTexts stack = design::DefaultTexts();
        stack.steps = "9";
        stack.points[0] = {design::PointBy::kDeflection, Text(s.H * 0.2)};
        stack.D = Text(s.D);
        stack.d = Text(s.d);
        stack.t = Text(s.t);
        stack.H = Text(s.H);
        stack.t_reduced = packet.flats ? Text(packet.spring.t_reduced) : "";
        stack.f_end = packet.stop ? Text(*packet.stop) : "";
        stack.series = std::to_string(column.packets.size());
        stack.parallel = std::to_string(packet.count);
        design::DesignTexts packets = design::DefaultTexts();
        packets.steps = stack.steps;
        packets.points = stack.points;
        packets.D = "not read";  // the packets stand in for the spring above
        packets.packets = PacketTexts(column, trial % 2 == 1);
        EXPECT_EQ(DesignAnswer(packets), DesignAnswer(stack)) << StackText(column);
    }
}

// Packets that cannot be read or make no column are refused by packet, with nothing computed.
TEST(ProgressiveStack, ADesignsUnusablePacketsAreRefusedByPacket) {
    using Kind = design::PacketProblem::Kind;
    const design::PacketText good{"1", "B 40", ""}, other{"2", "40 20.4 2.25 3.15", "0.6"};
    const std::tuple<design::PacketText, std::string, std::string> refused[] = {
        {{"0", "B 40", ""}, "", "第 2 组的片数 n 应为 1 到 100000 的整数"},
        {{"1.5", "B 40", ""}, "", "第 2 组的片数 n"},
        {{"x", "B 40", ""}, "", "第 2 组的片数 n"},
        {{"", "B 41", ""}, "", "第 2 组的碟簧不在 DIN 2093 的表中"},
        {{"", "Z 40", ""}, "", "第 2 组的碟簧应为 DIN 2093 的名称"},
        {{"", "B 40 1", ""}, "", "第 2 组的碟簧应为"},
        {{"", "40 20.4 2.25", ""}, "", "第 2 组的碟簧应为"},
        {{"", "40 20.4 2.25 3.15 2 1", ""}, "", "第 2 组的碟簧应为"},
        {{"", "40 20.4 2.25 3,15", ""}, "", "第 2 组的碟簧应为"},
        {{"", "B 40", "1 2"}, "", "第 2 组的挡块应为一个数"},
        {{"", "B 40", "2"}, "", "第 2 组的挡块"},                    // beyond flat
        {{"", "20.4 40 2.25 3.15", ""}, "", "第 2 组在挡块处的力"},  // D < d
        {other, "0.1", "各组不同的碟簧组不计摩擦"},
    };
    for (const auto& [second, friction, words] : refused) {
        design::DesignTexts texts = design::DefaultTexts();
        texts.packets = {good, second};
        texts.w_M = friction;
        std::string out;
        EXPECT_FALSE(AnswerDesign(texts, out).computed) << words;
        EXPECT_NE(out.find("检查\tpackets\n"), std::string::npos) << out;
        const design::Sheet sheet = design::ComputeSheet(texts);
        EXPECT_TRUE(sheet.complete);  // a face waits for nothing more
        EXPECT_TRUE(design::NoTable(sheet).starts_with(words)) << design::NoTable(sheet);
        EXPECT_TRUE(design::HeaderCells(sheet).empty());
        EXPECT_EQ(design::TableRowCount(sheet), 0u);
    }
    // Alike, friction is the i × n stack's own.
    design::DesignTexts alike = design::DefaultTexts();
    alike.packets = {good, good};
    alike.w_M = "0.1";
    std::string out;
    EXPECT_TRUE(AnswerDesign(alike, out).computed) << out;
    // More packets than a column holds: the design keeps them, its sheet says why it stops.
    design::DesignTexts many = design::DefaultTexts();
    many.packets.assign(calc::kMaxPackets, other);
    many.packets.push_back(good);
    const design::Sheet sheet = design::ComputeSheet(many);
    ASSERT_TRUE(sheet.packet_problem);
    EXPECT_EQ(*sheet.packet_problem,
              (design::PacketProblem{Kind::kTooMany, calc::kMaxPackets + 1}));
    EXPECT_EQ(design::NoTable(sheet), "碟簧组表最多 200 组");
}

// What a face shows of a column, beyond its table: the plot (F over s, each packet's σom over s,
// a marker at each stop naming its packets, the working points marked), the travel between the
// points, each packet's test, a point's words for every packet, and each packet's fatigue verdict
// with what it decides.
TEST(ProgressiveStack, ADesignsColumnShowsEveryPacket) {
    design::DesignTexts texts = design::DefaultTexts();
    texts.steps = "12";
    texts.packets = {{"1", "B 40", ""}, {"2", "B 40", ""}, {"1", "A 40", "0.675"}};
    texts.points = {design::PointText{design::PointBy::kForce, "3000"},
                    design::PointText{design::PointBy::kDeflection, "2.9"}};
    texts.load = calc::Load::kDynamic;
    texts.fatigue_lines = "2\t1e7\t0\t5000\t5000\t9000\t一条宽松的线\n";
    const design::Sheet sheet = design::ComputeSheet(texts);
    ASSERT_TRUE(sheet.column);
    const auto& rows = sheet.column->rows;
    const auto& prepared = sheet.column->prepared;
    ASSERT_EQ(sheet.plot.size(), 2u);
    const design::PlotPanel &force = sheet.plot[0], &stress = sheet.plot[1];
    ASSERT_EQ(force.series[0].points.size(), rows.size());
    ASSERT_EQ(stress.series.size(), 3u);
    std::vector<std::pair<std::string, double>> markers;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double s = rows[r].stack->s;
        EXPECT_EQ(force.series[0].points[r].x, s);
        EXPECT_EQ(force.series[0].points[r].y, rows[r].force);
        std::string stopped;
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(stress.series[k].name, "σom[" + std::to_string(k + 1) + "]");
            EXPECT_EQ(stress.series[k].points[r].x, s);
            EXPECT_EQ(stress.series[k].points[r].y,
                      rows[r].packets[k].row.results->spring.sigma_om);
            if (prepared.stop_forces[k] == rows[r].force) {
                stopped += (stopped.empty() ? "" : ",") + std::to_string(k + 1);
            }
        }
        if (!stopped.empty()) {
            markers.emplace_back("挡块 " + stopped, s);
        }
    }
    ASSERT_EQ(markers.size(), 3u);  // B 40 alone, the pair of B 40, A 40 at its stop
    for (const design::PlotPanel* panel : {&force, &stress}) {
        ASSERT_EQ(panel->markers.size(), markers.size());
        for (std::size_t m = 0; m < markers.size(); ++m) {
            EXPECT_EQ(std::pair(panel->markers[m].label, panel->markers[m].x), markers[m]);
        }
    }
    ASSERT_EQ(force.marks.size(), 2u);
    EXPECT_EQ(force.marks[1].at.x, sheet.points[1].s);
    ASSERT_TRUE(sheet.stack_stroke);
    EXPECT_EQ(*sheet.stack_stroke, sheet.points[1].s - sheet.points[0].s);

    // Each packet's test, by name and value; each point's words name every packet.
    const auto record = design::RecordPairs(sheet);
    ASSERT_EQ(record.size(), 3u + 2 * 3);
    EXPECT_EQ(record[0], (std::pair<std::string, std::string>("L0(mm)", "9.95")));
    for (std::size_t k = 0; k < 3; ++k) {
        const calc::Inspection& test = *sheet.column->tests[k];
        const std::string n = "[" + std::to_string(k + 1) + "]";
        EXPECT_EQ(record[3 + 2 * k].first, "L_test" + n + "(mm)");
        EXPECT_EQ(record[4 + 2 * k],
                  (std::pair<std::string, std::string>("F_test" + n + "(N)", Text(test.force))));
    }
    EXPECT_EQ(record[8].second, "6500.18786741061");  // A 40 at 0.75·h0, as the catalogue has it
    EXPECT_EQ(design::TestLines(sheet).size(), 3u);
    const auto said = design::Summary(sheet);
    ASSERT_GE(said.size(), 2u);
    for (std::size_t p = 0; p < 2; ++p) {
        for (const char* packet : {"第 1 组 f", "第 2 组 f", "第 3 组 f"}) {
            EXPECT_NE(said[p].find(packet), std::string::npos) << said[p];
        }
    }
    // At the upper point the packets at their stops say so, the others not.
    std::size_t stopped = 0;
    for (const calc::PacketAt& packet : sheet.points[1].column->packets) {
        stopped += packet.at_stop;
    }
    std::size_t said_stopped = 0;
    for (std::size_t at = said[1].find("在挡块"); at != std::string::npos;
         at = said[1].find("在挡块", at + 1)) {
        ++said_stopped;
    }
    EXPECT_EQ(said_stopped, stopped);
    EXPECT_EQ(stopped, 1u);  // B 40 alone, flat; the pair goes flat at 2.96 mm
    // Every packet's cycle holds on the line: a verdict that passes, as the batch tool codes it.
    int fatigue = 0;
    for (const design::Found& found : design::Verdicts(sheet)) {
        const bool is_fatigue = found.code.find("fatigue:") != std::string::npos;
        fatigue += is_fatigue;
        EXPECT_EQ(found.passes, is_fatigue) << found.code;
        if (is_fatigue) {
            EXPECT_TRUE(found.code.ends_with("]fatigue:1e7")) << found.code;
        }
    }
    EXPECT_EQ(fatigue, 3);
    // One point alone: no travel between points.
    texts.points[1].value.clear();
    EXPECT_FALSE(design::ComputeSheet(texts).stack_stroke);
}

}  // namespace
}  // namespace batch
