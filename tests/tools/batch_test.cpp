#include "tools/batch.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tools {
namespace {

const std::string kExample = "100\t51\t3.5\t6.3\t1.4";
const std::string kExampleAnswer =
    "9822.55688774516\t617.501704752074\t-1350.87984743535\t411.326288335194\t"
    "749.011484596736\n";

// A path as one shell word.
std::string Quoted(std::string_view path) {
    std::string word = "'";
    word.append(path);
    word.append("'");
    return word;
}

std::string Answer(std::string_view line) {
    std::string out;
    AppendBatchLine(line, out);
    return out;
}

TEST(BatchLine, AnswersEachKindOfLine) {
    EXPECT_EQ(Answer(kExample), kExampleAnswer);
    EXPECT_EQ(Answer(kExample + "\r"), kExampleAnswer);
    EXPECT_EQ(Answer("50\t50\t1\t2\t1"), "ERROR\t11\t除数为零\tK1\n");
    EXPECT_EQ(Answer("\t\t\t\t"), "ERROR\t6\t溢出\tδ\n");
    EXPECT_EQ(Answer("-100\t51\t3.5\t6.3\t1.4"), "ERROR\t5\t无效的过程调用或参数\tln δ\n");
    EXPECT_EQ(Answer("100\t51\t3.5\t1e999\t1.4"), "ERROR\t6\t溢出\tH\n");
}

TEST(BatchLine, ReportsHowManyFieldsItFound) {
    EXPECT_EQ(Answer(""), "ERROR\t\t需要 5 个以制表符分隔的字段，找到 0 个\n");
    EXPECT_EQ(Answer("\r"), "ERROR\t\t需要 5 个以制表符分隔的字段，找到 0 个\n");
    EXPECT_EQ(Answer("100 51 3.5 6.3 1.4"), "ERROR\t\t需要 5 个以制表符分隔的字段，找到 1 个\n");
    EXPECT_EQ(Answer(kExample + "\t"), "ERROR\t\t需要 5 个以制表符分隔的字段，找到 6 个\n");
    std::string out;
    EXPECT_FALSE(AppendBatchLine("1\t2", out));
    EXPECT_TRUE(AppendBatchLine(kExample, out));
}

// However the bytes are cut into chunks, the answers are the same.
TEST(BatchStream, ChunkBoundariesDoNotMatter) {
    const std::string input = "\xEF\xBB\xBF" + kExample + "\r\n50\t50\t1\t2\t1\n\n" + kExample;
    const std::string expected = kExampleAnswer + "ERROR\t11\t除数为零\tK1\n" +
                                 "ERROR\t\t需要 5 个以制表符分隔的字段，找到 0 个\n" +
                                 kExampleAnswer;
    for (std::size_t size = 1; size <= input.size(); ++size) {
        BatchStream stream;
        std::string out;
        for (std::size_t at = 0; at < input.size(); at += size) {
            stream.Feed(std::string_view(input).substr(at, size), out);
        }
        stream.Finish(out);
        ASSERT_EQ(out, expected) << "chunk size " << size;
        EXPECT_FALSE(stream.all_computed());
    }
}

TEST(BatchStream, ShortInputsThatLookLikeAByteOrderMarkAreLines) {
    BatchStream stream;
    std::string out;
    stream.Feed("\xEF\xBB", out);
    EXPECT_EQ(out, "");
    stream.Finish(out);
    EXPECT_EQ(out, "ERROR\t\t需要 5 个以制表符分隔的字段，找到 1 个\n");
}

TEST(BatchStream, EmptyInputAnswersNothing) {
    BatchStream stream;
    std::string out;
    stream.Feed("", out);
    stream.Finish(out);
    EXPECT_EQ(out, "");
    EXPECT_TRUE(stream.all_computed());
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
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    Run Start(const std::string& args, const std::string& stdin_text = "") {
        const std::string in = Write("stdin", stdin_text);
        const std::string command = "cd " + Quoted(dir_.string()) + " && " +
                                    Quoted(DISC_SPRING_BATCH) + " " + args + " <" + Quoted(in) +
                                    " >" + Quoted((dir_ / "out").string()) + " 2>" +
                                    Quoted((dir_ / "err").string());
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(dir_ / "out"), Read(dir_ / "err")};
    }

    std::filesystem::path dir_;
};

TEST_F(BatchProcess, ReadsStandardInputAndExitsZeroWhenAllCompute) {
    const Run run = Start("", kExample + "\n" + kExample + "\r\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kExampleAnswer + kExampleAnswer);
    EXPECT_EQ(run.err, "");
}

TEST_F(BatchProcess, KeepsOutputLinesAlignedAndExitsOneOnAnyFault) {
    const std::string a = Write("a.tsv", kExample + "\n1\t2\t3\n");
    const std::string b = Write("b.tsv", "100\t0\t1\t1\t1");  // no final line end
    const Run run = Start(Quoted(a) + " - " + Quoted(b), "0\t51\t3.5\t6.3\t1.4\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, kExampleAnswer + "ERROR\t\t需要 5 个以制表符分隔的字段，找到 3 个\n" +
                           "ERROR\t5\t无效的过程调用或参数\tln δ\n" + "ERROR\t11\t除数为零\tδ\n");
}

TEST_F(BatchProcess, UnusableArgumentsExitTwoWithoutOutput) {
    const std::string good = Write("good.tsv", kExample + "\n");
    const std::string missing = Quoted(good) + " " + Quoted((dir_ / "missing").string());
    for (const std::string& args :
         std::initializer_list<std::string>{missing, "--frobnicate", Quoted(dir_.string())}) {
        const Run run = Start(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_NE(run.err.find("disc-spring-batch: "), std::string::npos) << args;
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

TEST_F(BatchProcess, HelpExplainsTheFormatAndDoubleDashEndsOptions) {
    const Run help = Start("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("ERROR"), std::string::npos);
    EXPECT_NE(help.out.find("退出状态"), std::string::npos);

    Write("--help", kExample + "\n");
    const Run file = Start("-- --help");
    EXPECT_EQ(file.status, 0);
    EXPECT_EQ(file.out, kExampleAnswer);
}

}  // namespace
}  // namespace tools
