// disc-spring-batch: the calculate command for scripts and whole catalogues of springs.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tools/batch.h"

namespace {

constexpr std::string_view kHelp =
    "用法: disc-spring-batch [文件...]\n"
    "\n"
    "碟形弹簧的设计计算，批量方式。逐行读取给定的文件（没有文件或文件名为 - 时读取标准输入）。\n"
    "每行是五个输入框的文字 D、d、t、H、f（单位 mm），用制表符分隔；行尾可以是 LF 或 CRLF。\n"
    "每个输入行对应一个输出行，与窗口显示的文字完全相同：\n"
    "  F(N) <TAB> σom(Mpa) <TAB> σ1(Mpa) <TAB> σ2(Mpa) <TAB> σ3(Mpa)\n"
    "计算出错的行输出\n"
    "  ERROR <TAB> 错误号 <TAB> 错误文字 <TAB> 出错时正在读取或计算的量\n"
    "例如 \"ERROR\t11\t除数为零\tδ\"（11 除数为零，6 溢出，5 无效的过程调用或参数）。\n"
    "字段数不是五个的行输出 \"ERROR\", 空的错误号和说明找到几个字段的文字。\n"
    "\n"
    "退出状态: 0 所有行都算出结果；1 有行出错；2 参数不能用或文件不能读（见标准错误）。\n"
    "\n"
    "选项:\n"
    "  -h, --help  显示本说明\n"
    "  --          其后的参数都是文件名\n";

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kFlushAt = 1 << 20;

void Complain(const std::string& what) {
    std::fprintf(stderr, "disc-spring-batch: %s\n", what.c_str());
}

// Writes the answers gathered so far all the way out; false if standard output failed.
bool Flush(std::string& out) {
    const bool ok =
        std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0;
    out.clear();
    return ok;
}

struct Source {
    std::string name;  // as given, for messages
    int fd;
    bool regular_file;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> names;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!options_done && (arg == "-h" || arg == "--help")) {
            std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
            return 0;
        }
        if (!options_done && arg == "--") {
            options_done = true;
        } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
            Complain("未知选项 '" + std::string(arg) + "'（用 --help 查看用法）");
            return 2;
        } else {
            names.emplace_back(arg);
        }
    }
    if (names.empty()) {
        names.emplace_back("-");
    }

    // Every file is opened before any line is answered, so a typo in the last name does not
    // leave half an output behind.
    std::vector<Source> sources;
    for (const std::string& name : names) {
        const bool is_stdin = name == "-";
        const int fd = is_stdin ? STDIN_FILENO : open(name.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        const int error = fd < 0 ? errno : (fstat(fd, &info) != 0 ? errno : 0);
        if (error != 0 || S_ISDIR(info.st_mode)) {
            Complain("无法读取" + (is_stdin ? std::string("标准输入") : "文件 '" + name + "'") +
                     ": " + std::strerror(error != 0 ? error : EISDIR));
            return 2;
        }
        sources.push_back({is_stdin ? "标准输入" : "'" + name + "'", fd, S_ISREG(info.st_mode)});
    }

    std::string out;
    out.reserve(kFlushAt + kChunk);
    std::vector<char> chunk(kChunk);
    bool all_computed = true;
    for (const Source& source : sources) {
        tools::BatchStream stream;
        for (;;) {
            const ssize_t got = read(source.fd, chunk.data(), chunk.size());
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                const int error = errno;
                Flush(out);
                Complain("读取" + source.name + "时出错: " + std::strerror(error));
                return 2;
            }
            if (got == 0) {
                break;
            }
            stream.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)), out);
            // From a pipe or a terminal, answer what has arrived before waiting for more, so
            // that a line typed or sent alone gets its answer at once.
            const bool flush = !source.regular_file || out.size() >= kFlushAt;
            if (flush && !Flush(out)) {
                Complain("写入标准输出失败");
                return 2;
            }
        }
        stream.Finish(out);
        all_computed = all_computed && stream.all_computed();
        if (source.fd != STDIN_FILENO) {
            close(source.fd);
        }
    }
    if (!Flush(out)) {
        Complain("写入标准输出失败");
        return 2;
    }
    return all_computed ? 0 : 1;
}
