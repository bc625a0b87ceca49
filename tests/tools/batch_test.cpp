#include "tools/batch.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tools {
namespace {

const std::string kExample = "100\t51\t3.5\t6.3\t1.4";
const std::string kExampleAnswer =
    "9822.55688774516\t617.501704752074\t-1350.87984743535\t411.326288335194\t"
    "749.011484596736\n";
const std::string kFiveFields = "ERROR\t\t需要 5 个以制表符分隔的字段，找到 ";

std::string Answer(std::string_view input, const BatchOptions& options = {},
                   bool* computed = nullptr) {
    int numbering = 0;
    BatchStream stream(options, numbering);
    std::string out;
    stream.Feed(input, out);
    stream.Finish(out);
    if (computed != nullptr) {
        *computed = stream.all_computed();
    }
    return out;
}

TEST(BatchStream, AnswersEachKindOfLine) {
    bool computed = false;
    EXPECT_EQ(Answer(kExample + "\r\n" + kExample, {}, &computed), kExampleAnswer + kExampleAnswer);
    EXPECT_TRUE(computed);
    EXPECT_EQ(Answer("50\t50\t1\t2\t1\n\t\t\t\t\n-100\t51\t3.5\t6.3\t1.4\n100\t51\t3.5\t1e999\t1"),
              "ERROR\t11\t除数为零\tK1\nERROR\t6\t溢出\tδ\nERROR\t5\t无效的过程调用或参数\tln δ\n"
              "ERROR\t6\t溢出\tH\n");
    EXPECT_EQ(Answer("\n\r\n100 51 3.5 6.3 1.4\n" + kExample + "\t\n", {}, &computed),
              kFiveFields + "0 个\n" + kFiveFields + "0 个\n" + kFiveFields + "1 个\n" +
                  kFiveFields + "6 个\n");
    EXPECT_FALSE(computed);
    EXPECT_EQ(Answer(""), "");
    EXPECT_EQ(Answer("\xEF\xBB"), kFiveFields + "1 个\n");
}

// However the bytes are cut into chunks, the answers are the same.
TEST(BatchStream, ChunkBoundariesDoNotMatter) {
    const std::string input = "\xEF\xBB\xBF" + kExample + "\r\n50\t50\t1\t2\t1\n\n" + kExample;
    const std::string expected = Answer(input);
    EXPECT_EQ(expected, kExampleAnswer + "ERROR\t11\t除数为零\tK1\n" + kFiveFields + "0 个\n" +
                            kExampleAnswer);
    for (std::size_t size = 1; size <= input.size(); ++size) {
        int numbering = 0;
        BatchStream stream({}, numbering);
        std::string out;
        for (std::size_t at = 0; at < input.size(); at += size) {
            stream.Feed(std::string_view(input).substr(at, size), out);
        }
        stream.Finish(out);
        ASSERT_EQ(out, expected) << "chunk size " << size;
    }
}

TEST(BatchStream, StackAndCheckColumnsInPlainMode) {
    BatchOptions options;
    options.columns = {calc::StackLayout{2, 3}, true};
    EXPECT_EQ(Answer(kExample + "\n50\t50\t1\t2\t1\n1\n", options),
              kExampleAnswer.substr(0, kExampleAnswer.size() - 1) +
                  "\t2.8\t29467.6706632355\t23.8\t\nERROR\t11\t除数为零\tK1\tD<=d,f>0.75h0,D/t\n" +
                  kFiveFields + "1 个\t\n");
}

TEST(BatchStream, CurveRowsAreNumberedByInputLine) {
    BatchOptions options;
    options.curve_steps = 2;
    bool computed = true;
    EXPECT_EQ(Answer("100\t51\t3.5\t6.3\n1\t2\n100\t51\t3.5\t6.3\t0\n", options, &computed),
              "1\t0\t0\t0\t0\t0\t0\n"
              "1\t1.4\t9822.55688774516\t617.501704752074\t-1350.87984743535\t411.326288335194\t"
              "749.011484596736\n"
              "1\t2.8\t15842.8336899115\t1235.00340950415\t-2388.57517517065\t1135.83709637044\t"
              "1298.25702254331\n"
              "2\tERROR\t\t需要 4 或 5 个以制表符分隔的字段，找到 2 个\n"
              "3\t0\t0\t0\t0\t0\t0\n3\t0\t0\t0\t0\t0\t0\n3\t0\t0\t0\t0\t0\t0\n");
    EXPECT_FALSE(computed);
}

TEST(BatchStream, LongCurvesAreSpilledAsTheyGo) {
    BatchOptions options;
    options.curve_steps = 100000;
    int numbering = 0;
    std::size_t spilled = 0, largest = 0;
    BatchStream stream(options, numbering, [&](std::string& out) {
        largest = std::max(largest, out.size());
        spilled += out.size();
        out.clear();
    });
    std::string out;
    stream.Feed("100\t51\t3.5\t6.3\n", out);
    EXPECT_GT(spilled, 5'000'000u);
    EXPECT_LT(largest, 1'100'000u);
}

struct ArgumentCase {
    std::vector<std::string_view> args;
    const char* named;  // what the message must name
};

TEST(BatchArguments, UnusableOptionsAreNamed) {
    const ArgumentCase cases[] = {
        {{"--curve"}, "--curve"},
        {{"--curve", "0"}, "--curve"},
        {{"--curve", "-3"}, "--curve"},
        {{"--curve", "1.5"}, "--curve"},
        {{"--curve=100001"}, "--curve"},
        {{"--series=0"}, "--series"},
        {{"--parallel", "x"}, "--parallel"},
        {{"--series", ""}, "--series"},
        {{"--frobnicate"}, "--frobnicate"},
        {{"-x", "a"}, "-x"},
    };
    for (const ArgumentCase& c : cases) {
        const auto parsed = ParseBatchArguments(c.args);
        ASSERT_FALSE(parsed.has_value()) << c.named;
        EXPECT_NE(parsed.error().find(c.named), std::string::npos) << parsed.error();
    }
    const auto good = ParseBatchArguments(
        {"--curve=100000", "--series", "100000", "--check", "a", "-", "--", "--help"});
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(good->options.curve_steps, 100000);
    EXPECT_EQ(good->options.columns.stack->parallel, 1);
    EXPECT_TRUE(good->options.columns.check);
    EXPECT_FALSE(good->help);
    EXPECT_EQ(good->files, (std::vector<std::string>{"a", "-", "--help"}));
    EXPECT_FALSE(ParseBatchArguments({"--check"})->options.columns.stack.has_value());
}

std::string Quoted(std::string_view path) {
    return std::string("'").append(path).append("'");
}

// The real executable, as a script would run it.
class BatchProcess : public testing::Test {
protected:
    struct Run {
        int status;
        std::string out, err;
    };

    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("disc-spring-batch-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(dir_ / name, std::ios::binary) << content;
        return (dir_ / name).string();
    }
    std::string Read(const std::string& name) {
        std::stringstream s;
        s << std::ifstream(dir_ / name, std::ios::binary).rdbuf();
        return s.str();
    }

    Run Start(const std::string& args, const std::string& stdin_text = "") {
        const std::string command = "cd " + Quoted(dir_.string()) + " && " +
                                    Quoted(DISC_SPRING_BATCH) + " " + args + " <" +
                                    Quoted(Write("stdin", stdin_text)) + " >out 2>err";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read("out"), Read("err")};
    }

    std::filesystem::path dir_;
};

TEST_F(BatchProcess, ExitStatusTellsWhetherEveryLineComputed) {
    const Run plain = Start("", kExample + "\n" + kExample + "\r\n");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, kExampleAnswer + kExampleAnswer);
    EXPECT_EQ(plain.err, "");

    const std::string a = Write("a.tsv", kExample + "\n1\t2\t3\n");
    const std::string b = Write("b.tsv", "100\t0\t1\t1\t1");  // no final line end
    const Run files = Start(Quoted(a) + " - " + Quoted(b), "0\t51\t3.5\t6.3\t1.4\n");
    EXPECT_EQ(files.status, 1);
    EXPECT_EQ(files.out, kExampleAnswer + kFiveFields + "3 个\n" +
                             "ERROR\t5\t无效的过程调用或参数\tln δ\n" + "ERROR\t11\t除数为零\tδ\n");

    const Run curve = Start("--curve 1 " + Quoted(a) + " -", "100\t51\t3.5\t6.3\n");
    EXPECT_EQ(curve.status, 1);
    EXPECT_TRUE(curve.out.starts_with("弹簧\tf(mm)\tF(N)\t"));
    EXPECT_NE(curve.out.find("\n2\tERROR\t\t"), std::string::npos);
    EXPECT_NE(curve.out.find("\n3\t2.8\t15842.8336899115\t"), std::string::npos);
}

TEST_F(BatchProcess, UnusableArgumentsExitTwoWithoutOutput) {
    const std::string good = Write("good.tsv", kExample + "\n");
    for (const std::string& args :
         {Quoted(good) + " missing", std::string("--frobnicate"), Quoted(dir_.string()),
          std::string("--curve 0"), std::string("--curve 5 --series")}) {
        const Run run = Start(args, kExample + "\n");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_TRUE(run.err.starts_with("disc-spring-batch: ")) << args;
    }
}

// A script that sends one line through a pipe and waits gets its answer before sending more.
TEST_F(BatchProcess, AnswersEachLineFromAPipeWithoutWaitingForTheEnd) {
    int to_child[2], from_child[2];
    ASSERT_EQ(pipe(to_child), 0);
    ASSERT_EQ(pipe(from_child), 0);
    const pid_t child = fork();
    if (child == 0) {
        dup2(to_child[0], STDIN_FILENO);
        dup2(from_child[1], STDOUT_FILENO);
        close(to_child[1]);
        close(from_child[0]);
        execl(DISC_SPRING_BATCH, DISC_SPRING_BATCH, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    const std::string line = kExample + "\n";
    ASSERT_EQ(write(to_child[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    pollfd answer{from_child[0], POLLIN, 0};
    const bool answered = poll(&answer, 1, 10000) == 1;
    char buffer[256] = {};
    const ssize_t got = answered ? read(from_child[0], buffer, sizeof buffer - 1) : 0;
    close(to_child[1]);
    close(from_child[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(answered);
    EXPECT_EQ(std::string(buffer, got > 0 ? got : 0), kExampleAnswer);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(BatchProcess, HelpExplainsTheChecksAndDoubleDashEndsOptions) {
    const Run help = Start("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("  f>0.75h0  变形量超过 0.75·h0"), std::string::npos);
    EXPECT_NE(help.out.find("不计片间摩擦"), std::string::npos);

    Write("--help", kExample + "\n");
    const Run file = Start("-- --help");
    EXPECT_EQ(file.status, 0);
    EXPECT_EQ(file.out, kExampleAnswer);
}

}  // namespace
}  // namespace tools
