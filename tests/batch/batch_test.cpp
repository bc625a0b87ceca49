#include "batch/batch.h"

#include <gtest/gtest.h>

#include "design/sheet.h"
#include "design/sheet_text.h"
#include "runtime/number_text.h"

namespace batch {
namespace {

const std::string kExample = "100\t51\t3.5\t6.3\t1.4";
const std::string kResults =
    "9822.55688774516\t617.501704752074\t-1350.87984743535\t411.326288335194\t749.011484596736";
const std::string kAnswer = kResults + "\n";
const std::string kFields = "ERROR\t\t需要 5 个以制表符分隔的字段，找到 ";

std::string Answer(std::string_view input, const BatchOptions& options = {},
                   bool* computed = nullptr, std::size_t chunk = 1 << 16) {
    std::int64_t numbering = 0;
    BatchStream stream(options, numbering);
    std::string out;
    for (std::size_t at = 0; at < input.size(); at += chunk) {
        stream.Feed(input.substr(at, chunk), out);
    }
    stream.Finish(out);
    if (computed != nullptr) {
        *computed = stream.all_computed();
    }
    return out;
}

TEST(BatchStream, AnswersEachKindOfLineHoweverTheInputIsCut) {
    const std::string input = "\xEF\xBB\xBF" + kExample + "\r\n50\t50\t1\t2\t1\n\t\t\t\t\n\n" +
                              "-1\t51\t3.5\t6.3\t1.4\n1 2 3 4 5\n" + kExample + "\t\n" + kExample;
    const std::string expected = kAnswer + "ERROR\t11\t除数为零\tK1\nERROR\t6\t溢出\tδ\n" +
                                 kFields + "0 个\nERROR\t5\t无效的过程调用或参数\tln δ\n" +
                                 kFields + "1 个\n" + kFields + "6 个\n" + kAnswer;
    for (std::size_t chunk = 1; chunk <= input.size(); ++chunk) {
        bool computed = true;
        ASSERT_EQ(Answer(input, {}, &computed, chunk), expected) << "chunk size " << chunk;
        ASSERT_FALSE(computed);
    }
    bool computed = false;
    EXPECT_EQ(Answer(kExample + "\n" + kExample, {}, &computed), kAnswer + kAnswer);
    EXPECT_TRUE(computed);
    EXPECT_EQ(Answer(""), "");
    EXPECT_EQ(Answer("\xEF\xBB"), kFields + "1 个\n");
}

// A line longer than kMaxLineBytes gets one ERROR row and costs no more memory than that,
// whatever the chunks; one at the limit is read as any other.
TEST(BatchStream, ALineTooLongIsSaidSoAndTheNextIsAnswered) {
    const std::string longest(kMaxLineBytes, '1');
    const std::string input = kExample + "\n" + longest + "1\r\n" + longest + "\r\n" + kExample;
    const std::string too_long = "ERROR\t\t行太长：超过 1 MiB 的行不读\n";
    for (const std::size_t chunk :
         {std::size_t{1} << 16, std::size_t{1} << 22, std::size_t{1000003}}) {
        bool computed = true;
        EXPECT_EQ(Answer(input, {}, &computed, chunk),
                  kAnswer + too_long + kFields + "1 个\n" + kAnswer);
        EXPECT_FALSE(computed);
    }
    // Without a line end at all, and in the other modes.
    EXPECT_EQ(Answer(longest + "11"), too_long);
    EXPECT_EQ(Answer(longest + "1\n", ParseBatchArguments({"--select"})->options),
              "1\tERROR\t行太长：超过 1 MiB 的行不读\n");
    EXPECT_TRUE(Answer(longest + "1\n", ParseBatchArguments({"--curve", "3"})->options)
                    .starts_with("1\tERROR\t\t行太长"));
}

TEST(BatchStream, StackAndCheckColumns) {
    BatchOptions options;
    options.row.stack = calc::StackLayout{2, 3};
    options.row.check = true;
    EXPECT_EQ(Answer(kExample + "\n50\t50\t1\t2\t1\n1\n", options),
              kResults +
                  "\t2.8\t29467.6706632355\t23.8\t\nERROR\t11\t除数为零\tK1\tD<=d,f>0.75h0,D/t\n" +
                  kFields + "1 个\t\n");
    // A stack given only its parallel count is one packet.
    EXPECT_EQ(Answer(kExample, ParseBatchArguments({"--parallel", "3"})->options),
              kResults + "\t1.4\t29467.6706632355\t11.9\n");
}

// The design job's options, each beside the plain row; the same row with each.
TEST(BatchStream, DesignJobColumnsInTheirOrder) {
    const auto answer = [](std::string_view input, std::vector<std::string_view> args) {
        return Answer(input, ParseBatchArguments(args)->options);
    };
    // Spring steel given is spring steel.
    EXPECT_EQ(answer(kExample, {"--material", "206000,0.3"}), kAnswer);
    // σIV right after σ3, before the rate; its header cell there too.
    EXPECT_EQ(answer(kExample, {"--sigma4", "--rate"}),
              kResults + "\t-149.713644646242\t" +
                  answer(kExample, {"--rate"}).substr(kResults.size() + 1));
    std::string sigma4;
    AppendBatchHeader(ParseBatchArguments({"--curve=1", "--sigma4", "--rate"})->options, sigma4);
    EXPECT_EQ(sigma4,
              "弹簧\tf(mm)\tF(N)\tσom(MPa)\tσ1(MPa)\tσ2(MPa)\tσ3(MPa)\tσIV(MPa)\tR(N/mm)\n");
    EXPECT_EQ(answer("100\t51\t3.5\t6.3\n", {"--curve=3", "--check", "--material=206000,0.3"}),
              answer("100\t51\t3.5\t6.3\n", {"--curve=3", "--check"}));
    const BatchOptions all = ParseBatchArguments({"--curve=1", "--rate", "--series=2",
                                                  "--friction=0.02,0.03", "--check"})
                                 ->options;
    std::string header;
    AppendBatchHeader(all, header);
    EXPECT_EQ(header + Answer("100\t51\t3.5\t6.3\t2.1\n", all),
              "弹簧\tf(mm)\tF(N)\tσom(MPa)\tσ1(MPa)\tσ2(MPa)\tσ3(MPa)\tR单片(N/mm)\ts(mm)\t"
              "F_stack(N)\tL(mm)\tR_stack(N/mm)\tF_load(N)\tF_unload(N)\t检查\n"
              "1\t0\t0\t0\t0\t0\t0\t9279.37401837676\t0\t0\t12.6\t4639.68700918838\t0\t0\t\n"
              "1\t2.1\t13070.337794177\t926.252557128111\t-1908.87557626551\t734.433627390311\t"
              "1048.60499690129\t4187.03461804805\t4.2\t13070.337794177\t8.4\t"
              "2093.51730902403\t13474.5750455433\t12689.6483438612\t\n");
    // A deflection for each force, or why there is none, in the column before the results; a
    // force out of reach counts as a line not computed.
    const BatchOptions force = ParseBatchArguments({"--force"})->options;
    bool computed = true;
    EXPECT_EQ(Answer("100\t51\t3.5\t6.3\t9822.55688774516\n", force, &computed), "1.4\t" + kAnswer);
    EXPECT_TRUE(computed);
    EXPECT_EQ(
        Answer("100\t51\t3.5\t6.3\t2e4\n1\t2\n", force, &computed),
        "\tERROR\t\t力 20000 N 超过压平前最多能达到的 15842.8336899115 N\n\t" + kFields + "2 个\n");
    EXPECT_FALSE(computed);
    EXPECT_EQ(Answer("100\t51\t3.5\t6.3\t2e4\n", force, &computed).substr(0, 7), "\tERROR\t");
    EXPECT_FALSE(computed);
    // Each line's search starts afresh.
    const std::string close = "144.5\t68.3\t5.715\t10.622\t43105.9\n";
    const std::string found = answer(close, {"--force"});
    EXPECT_TRUE(found.starts_with("3.27405005603409\t43105.9\t")) << found;
    EXPECT_EQ(answer("1\t1\t1\t1\t1\n" + close + close, {"--force"}),
              answer("1\t1\t1\t1\t1\n", {"--force"}) + found + found);
    // Contact flats: a field more; flat at h0′ = H − t′ when the curve's end is left out.
    const std::string flats =
        answer("125\t64\t8\t7.5\t10.6\n", {"--flats", "--curve=1", "--check"});
    EXPECT_TRUE(flats.starts_with("1\t0\t0\t")) << flats;
    EXPECT_NE(flats.find("\n1\t3.1\t"), std::string::npos) << flats;
    // Flat at h0′, the ratios with t′ and h0′ (inside: D/t′ 16.7, h0′/t′ 0.41), no t>6; flat,
    // σom is 2037 MPa, beyond spring steel's 1600.
    EXPECT_TRUE(flats.ends_with("\tf>0.75h0,sOM>Rm\n")) << flats;
}

TEST(BatchArguments, UnusableOptionsAreNamed) {
    // clang-format off
    const std::vector<std::vector<std::string_view>> unusable = {
        {"--curve"}, {"--curve", "0"}, {"--curve", "-3"}, {"--curve", "1.5"}, {"--curve=1e3"},
        {"--series=0"}, {"--parallel", "x"}, {"--series", ""}, {"--frobnicate"}, {"-x", "a"},
        {"--curve=100001"}, {"--series", "100001"}, {"--friction", "0.21,0"}, {"--friction=0.1"},
        {"--friction", "a,b"}, {"--friction", "0.01,0.02,0.03"}, {"--friction", "0.1,-0.01"}, {"--material", "0,0.3"},
        {"--material", "206000,0.5"}, {"--material=206000"}, {"--force", "--curve", "5"},
        {"--friction", "0.2,0.2", "--parallel", "5"}, {"--fatigue", "lines.tsv", "-"},
        {"--fatigue"}};
    // clang-format on
    for (const auto& args : unusable) {
        const auto parsed = ParseBatchArguments(args);
        ASSERT_FALSE(parsed.has_value()) << args[0];
        EXPECT_NE(parsed.error().find(args[0].substr(0, args[0].find('='))), std::string::npos);
    }
    const auto good = ParseBatchArguments(
        {"--curve=100000", "--series", "100000", "--check", "a", "-", "--", "--help"});
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(good->options.curve_steps, 100000);
    EXPECT_EQ(good->options.row.stack->parallel, 1);
    EXPECT_TRUE(good->options.row.check && !good->help);
    EXPECT_EQ(good->files, (std::vector<std::string>{"a", "-", "--help"}));
    EXPECT_FALSE(ParseBatchArguments({"--check"})->options.row.stack.has_value());
    EXPECT_EQ(ParseBatchArguments({})->files, std::vector<std::string>{"-"});
    const auto fatigue = ParseBatchArguments({"--design", "--fatigue", "lines.tsv", "a"});
    ASSERT_TRUE(fatigue);
    EXPECT_EQ(std::make_pair(fatigue->fatigue_file, fatigue->files),
              std::make_pair(std::string("lines.tsv"), std::vector<std::string>{"a"}));
    // What lies behind the last argument is never taken for its value.
    std::vector<std::string_view> cut = {"--series", "5"};
    cut.pop_back();
    EXPECT_FALSE(ParseBatchArguments(cut).has_value());
}

std::vector<std::string> Cells(std::string_view line) {
    std::vector<std::string> cells;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        cells.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

// Each candidate --select gives is, to the digit, the batch tool's row for its spring and stack
// at the line's points: s, F_stack and L as a plain (or --force) line prints them.
TEST(BatchSelect, EveryCandidateIsTheBatchRowOfItsSpringAndStack) {
    std::string lines;
    for (int k = 0; k < 24; ++k) {
        const double bore = 18 + 7 * k, s = 0.2 + 0.09 * k, F = 150.0 * (k + 2) * (k + 2);
        lines += runtime::NumberToText(bore).view();
        lines += "\t" + std::string(runtime::NumberToText(bore * 0.45).view()) + "\t" +
                 std::string(runtime::NumberToText(s).view()) + "\t" +
                 std::string(runtime::NumberToText(F).view());
        if (k % 3 == 0) {
            lines += "\t" + std::string(runtime::NumberToText(s * 0.5).view()) + "\t" +
                     std::string(runtime::NumberToText(F * 0.55).view());
        }
        lines += '\n';
    }
    int compared = 0;
    for (const char* given : {"s", "F"}) {
        const auto parsed = ParseBatchArguments(
            {"--select", "--best", "100", "--given", given, "--tolerance", "8", "--special", "4"});
        ASSERT_TRUE(parsed.has_value()) << parsed.error();
        const std::string out = Answer(lines, parsed->options);
        std::vector<std::vector<std::string>> requirement;
        for (std::size_t start = 0; start < lines.size();) {
            const std::size_t end = lines.find('\n', start);
            requirement.push_back(Cells(std::string_view(lines).substr(start, end - start)));
            start = end + 1;
        }
        std::size_t start = 0;
        while (start < out.size()) {
            const std::size_t end = out.find('\n', start);
            const std::vector<std::string> row =
                Cells(std::string_view(out).substr(start, end - start));
            start = end + 1;
            if (row[1] == "ERROR") {
                continue;
            }
            const auto& line = requirement[static_cast<std::size_t>(std::stoi(row[0]) - 1)];
            const int i = std::stoi(row[8]), n = std::stoi(row[9]);
            BatchOptions single;
            single.row.stack = calc::StackLayout{i, n};
            single.row.flats = !row[6].empty();
            single.force = std::string(given) == "F";
            for (std::size_t p = 0; p + 2 < line.size(); p += 2) {
                const std::size_t cell = 10 + 3 * p / 2;
                // What was asked shows as asked; a force met at 0.75·h0 shows the stack's force
                // there, found at its travel.
                const std::string& asked = single.force ? line[p + 3] : line[p + 2];
                const bool at_limit = single.force && row[cell + 1] != asked;
                EXPECT_EQ(row[single.force ? cell + 1 : cell], asked) << at_limit;
                std::string spring = row[3] + "\t" + row[4] + "\t" + row[5] + "\t" +
                                     (single.row.flats ? row[6] + "\t" : "") + row[7] + "\t";
                const std::string& travel = at_limit ? row[cell] : line[p + 2];
                BatchOptions by = single;
                by.force = single.force && !at_limit;
                spring += by.force
                              ? asked
                              : std::string(runtime::NumberToText(std::stod(travel) / i).view());
                std::vector<std::string> plain = Cells(Answer(spring, by));
                plain.back().pop_back();  // the line end
                const std::size_t at = plain.size() - 3;
                const std::size_t computed = single.force && !at_limit ? 0 : 1;
                EXPECT_EQ(row[cell + computed] + "\t" + row[cell + 2],
                          plain[at + computed] + "\t" + plain[at + 2])
                    << spring;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 150);
}

// With friction each point shows the loading and unloading forces beside the friction-free
// one it is chosen by; a stack that nearly locks is not offered.
TEST(BatchSelect, FrictionShowsBothForcesAndOffersNoLockingStack) {
    const auto parsed = ParseBatchArguments({"--select", "--friction", "0.1,0.2", "--best", "100",
                                             "--tolerance", "30", "--max-parallel", "6"});
    ASSERT_TRUE(parsed.has_value());
    std::string header;
    AppendBatchHeader(parsed->options, header);
    EXPECT_NE(header.find("\tL1(mm)\tF1_load(N)\tF1_unload(N)\ts2(mm)"), std::string::npos)
        << header;
    const std::string out = Answer("41\t20\t1.2\t5000\n", parsed->options);
    int rows = 0;
    for (std::size_t start = 0; start < out.size();) {
        const std::size_t end = out.find('\n', start);
        const std::vector<std::string> row =
            Cells(std::string_view(out).substr(start, end - start));
        start = end + 1;
        ++rows;
        const double F = std::stod(row[11]), load = std::stod(row[13]), unload = std::stod(row[14]);
        EXPECT_LT(unload, F);
        EXPECT_GT(load, F);
        EXPECT_LT(load, 2 * F) << "near locking: " << row[9];  // w_M·(n − 1) + w_R < 0.5
    }
    EXPECT_GT(rows, 3);
}

TEST(BatchSelect, LinesAndOptionsItCannotUseSayWhy) {
    const BatchOptions select = ParseBatchArguments({"--select"})->options;
    const std::string lines = "40\t20\t1\n40\tx\t1\t1000\n40\t\t1\t0\n20\t8\t0.3\t50000\n";
    bool computed = true;
    const std::string out = Answer(lines + "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\n\n", select, &computed);
    EXPECT_FALSE(computed);  // exit status 1
    Answer("41\t20\t1.2\t5000\n", select, &computed);
    EXPECT_TRUE(computed);
    Answer("41\t20\t1.2\t5000\n20\t8\t0.3\t50000\n", select, &computed);
    EXPECT_TRUE(computed);  // nothing fits is a true answer: its status is 3, not 1
    EXPECT_TRUE(out.starts_with("1\tERROR\t需要 4 或 6 个以制表符分隔的字段")) << out;
    // A wrong count is told as it is, however many fields there are.
    EXPECT_NE(out.find("\n5\tERROR\t需要 4 或 6 个"), std::string::npos) << out;
    EXPECT_NE(out.find("，找到 10 个\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n6\tERROR\t需要 4 或 6 个"), std::string::npos) << out;
    EXPECT_NE(out.find("，找到 0 个\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n2\tERROR\t导杆：'x' 不是一个数"), std::string::npos) << out;
    EXPECT_NE(out.find("\n3\tERROR\t要求 1 的行程 s 和力 F 都应大于 0"), std::string::npos) << out;
    EXPECT_NE(out.find("\n4\tERROR\t在 Ø20、导杆 Ø8 的空间内"), std::string::npos) << out;
    for (const std::vector<std::string_view>& args : std::vector<std::vector<std::string_view>>{
             {"--best", "3"},
             {"--dynamic"},
             {"--static", "--check"},
             {"--long-stacks"},
             {"--design", "--long-stacks"},
             {"--select", "--curve", "5"},
             {"--select", "--series", "2"},
             {"--select", "--given", "x"},
             {"--select", "--tolerance", "60"},
             {"--select", "--best", "0"},
             {"--select", "--special", "21"},
             {"--select", "--clearance", "-1"},
             {"--select", "--max-length", "0"},
             // A life: of a dynamic load, by lines.
             {"--select", "--dynamic", "--life", "2e6"},
             {"--select", "--life", "2e6", "--fatigue=f"},
             {"--select", "--fatigue=f"},
             {"--select", "--dynamic", "--fatigue=f", "--life", "0"},
             {"--life", "2e6"},
             // σIV is a row's column: a selection and a design file have none.
             {"--select", "--sigma4"},
             {"--design", "a", "--sigma4"},
             // A progressive stack holds its own packets, t′ and rates, and with a curve is all
             // of the input.
             {"--stack=s", "--series", "2"},
             {"--stack=s", "--flats"},
             {"--stack=s", "--rate"},
             {"--stack=s", "--select"},
             {"--stack=s", "--curve=4", "lines.tsv"},
             // Its packets are judged under a load at the points of a line, not along a curve.
             {"--stack=s", "--curve=4", "--dynamic"},
             {"--stack=s", "--fatigue=f"}}) {
        EXPECT_FALSE(ParseBatchArguments(args).has_value()) << args.back();
    }
    const auto life = ParseBatchArguments({"--select", "--dynamic", "--life=1e5", "--fatigue=f"});
    ASSERT_TRUE(life);
    EXPECT_EQ(life->options.select->base.life, 1e5);
    const auto load = ParseBatchArguments({"--design", "--static", "--fatigue=f", "a"});
    ASSERT_TRUE(load) << load.error();
    EXPECT_EQ(load->load, calc::Load::kStatic);
    EXPECT_TRUE(
        ParseBatchArguments({"--select", "--long-stacks"})->options.select->base.long_stacks);
    EXPECT_TRUE(ParseBatchArguments({"--stack=s", "--dynamic", "--fatigue=f", "--check"}));
}

// A design whose working point has no row is a failure, as the window says it is.
TEST(BatchDesign, AWorkingPointWithoutARowFails) {
    design::DesignTexts texts = design::DefaultTexts();
    std::string out;
    EXPECT_TRUE(AnswerDesign(texts, out).computed);
    texts.points[0] = {design::PointBy::kForce, "1e9"};  // beyond what the spring carries
    out.clear();
    EXPECT_FALSE(AnswerDesign(texts, out).computed);
    EXPECT_NE(out.find("1:ERROR"), std::string::npos) << out;
    const design::Sheet sheet = design::ComputeSheet(texts);
    EXPECT_NE(design::FindingSentences(sheet).back().find("工作点 1："), std::string::npos);
}

// Every option's edges: the lowest and highest value taken, and the first refused either side
// (a double's neighbour where the range is continuous).
TEST(BatchArguments, EveryOptionTakesItsEdgesAndRefusesTheirNeighbours) {
    struct Edges {
        const char* option;
        std::vector<std::string> taken, refused;
    };
    // clang-format off
    const Edges table[] = {
        {"--curve", {"1", "100000"}, {"0", "100001"}},
        {"--series", {"1", "100000"}, {"0", "100001"}},
        {"--parallel", {"1", "100000"}, {"0", "100001"}},
        {"--friction", {"0,0", "0.2,0.2"}, {"-4.9e-324,0", "0,0.20000000000000004"}},
        {"--material", {"4.9e-324,0.3", "1e7,0.3"}, {"0,0.3", "10000000.000000002,0.3"}},
        {"--material", {"206000,0", "206000,0.49999999999999994"}, {"206000,-4.9e-324", "206000,0.5"}},
        {"--material", {"206000,0.3,4.9e-324", "206000,0.3,1e5"},
                       {"206000,0.3,0", "206000,0.3,100000.00000000001"}},
        {"--best", {"1", "100"}, {"0", "101"}},
        {"--special", {"0", "20"}, {"-1", "21"}},
        {"--tolerance", {"0", "50"}, {"-4.9e-324", "50.000000000000007"}},
        {"--clearance", {"0", "1e300"}, {"-4.9e-324", "1e400"}},
        {"--max-length", {"4.9e-324", "1e300"}, {"0", "1e400"}},
        {"--max-series", {"1", "100"}, {"0", "101"}},
        {"--max-parallel", {"1", "100"}, {"0", "101", "1.5"}},
    };
    // clang-format on
    for (const Edges& edges : table) {
        const bool selecting = std::string_view(edges.option).starts_with("--best") ||
                               std::string_view(edges.option) == "--special" ||
                               std::string_view(edges.option) == "--tolerance" ||
                               std::string_view(edges.option) == "--clearance" ||
                               std::string_view(edges.option).starts_with("--max-");
        for (const bool take : {true, false}) {
            for (const std::string& value : take ? edges.taken : edges.refused) {
                std::vector<std::string_view> args = {edges.option, value};
                if (selecting) {
                    args.insert(args.begin(), "--select");
                }
                const auto parsed = ParseBatchArguments(args);
                EXPECT_EQ(parsed.has_value(), take) << edges.option << " " << value;
                if (!take && !parsed) {
                    EXPECT_NE(parsed.error().find(edges.option), std::string::npos);
                    // A requirement's number is refused in the window's and the page's words.
                    for (const design::RequirementField& field : design::kRequirementInputs) {
                        if (field.option == edges.option) {
                            EXPECT_TRUE(parsed.error().ends_with(
                                design::ReadRequirementNumber(value, field.range).error()))
                                << parsed.error();
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace batch
