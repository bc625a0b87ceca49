// disc-spring-batch: the calculate command for scripts and whole catalogues of springs.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "batch/stack.h"
#include "calc/design_check.h"
#include "calc/fatigue_lines.h"
#include "calc/materials.h"
#include "design/design_file.h"
#include "rows/fatigue_text.h"
#include "rows/findings_text.h"
#include "rows/language.h"
#include "rows/option_text.h"
#include "rows/selection_text.h"
#include "runtime/number_text.h"
#include "tools/platform.h"

namespace {

constexpr rows::Phrase kHelp = rows::P(
    "batch-usage",
    "用法: disc-spring-batch [选项] [文件...]\n"
    "\n"
    "碟形弹簧的设计计算，批量方式。逐行读取给定的文件（没有文件或文件名为 - 时读取标准输入）。\n"
    "每行是五个输入框的文字 D、d、t、H、f（单位 mm），用制表符分隔；行尾可以是 LF 或 CRLF。\n"
    "每个输入行对应一个输出行，与窗口显示的文字完全相同：\n"
    "  F(N) <TAB> σom(Mpa) <TAB> σ1(Mpa) <TAB> σ2(Mpa) <TAB> σ3(Mpa)\n"
    "计算出错的行输出\n"
    "  ERROR <TAB> 错误号 <TAB> 错误文字 <TAB> 出错时正在读取或计算的量\n"
    "例如 ERROR <TAB> 11 <TAB> 除数为零 <TAB> δ（11 除数为零，6 溢出，5 无效的过程调用或参数）。\n"
    "字段数不对或数值不能用的行输出 \"ERROR\"、空的错误号和说明。\n"
    "\n"
    "特性曲线 (--curve N): 每行是 D、d、t、H 和可选的曲线终点 f_end（省略或空白时为\n"
    "h0 = H - t）。对 k = 0 … N 取 f = (f_end × k) ÷ N，每点输出一行，先是一行列名：\n"
    "  弹簧 <TAB> f <TAB> F <TAB> σom <TAB> σ1 <TAB> σ2 <TAB> σ3 …\n"
    "弹簧是输入行的序号（多个文件时连续编号）。f 的文字与窗口显示数字的方式相同，结果由这段\n"
    "文字读回的数值算出：把某行的 f 输入窗口，得到的正是该行的结果。某点出错时输出\n"
    "  弹簧 <TAB> f <TAB> ERROR <TAB> 错误号 <TAB> 错误文字 <TAB> 量\n"
    "其余各点照常计算。\n"
    "\n"
    "由力求变形量 (--force): 每行第五个字段是力 F（N；碟簧组时为碟簧组的力 n × F，不计摩擦），\n"
    "而不是 f。从 f = 0 加载到压平，取力第一次达到 F 的变形量：h0/t 大于 √2 的碟簧特性有下降段，\n"
    "所取的仍是加载时先到达的那一点。在该点附近的 15 位有效数字中取力最接近 F 的一个（相同时\n"
    "取较小者）。每行先输出这个 f，再输出在这个 f 下的各列；压平前达不到的力、负的力输出 ERROR\n"
    "行（f 为空），说明碟簧最多能达到的力。只用于逐行计算，不与 --curve 同用。\n"
    "\n"
    "刚度 (--rate): σ3 之后多一列单片碟簧在该 f 下的刚度 R = dF/df（N/mm）。\n"
    "\n"
    "外缘上侧的应力 (--sigma4): σ3 之后（刚度之前）多一列 σIV（MPa），按 DIN 2092 的式子，\n"
    "与 σ3 的式子只差 K3 前的符号；带支承面时用 t′、h0′ 和 K4。\n"
    "\n"
    "碟簧组 (--series i, --parallel n): i 组对合串联，每组 n 片叠合并联。每个结果行多三列：\n"
    "行程 s = i × f、力 F_stack = n × F、受载长度 L = L0 - s（自由长度 L0 = i × (H + (n - 1) × "
    "t)）。\n"
    "应力是单片的。同时有 --rate 时，L 之后再多一列碟簧组的刚度 R_stack = n·R ÷ i（N/mm），\n"
    "列名中单片的刚度写作 R单片。\n"
    "\n"
    "渐进碟簧组 (--stack 文件): 文件每行一组，从第一组到最后一组：\n"
    "片数 n、D、d、t、H，可选 t′（带支承面）和挡块（单片到挡块时的变形量，\n"
    "不给：压平）；或片数 n、DIN 2093 目录中的碟簧（系列和外径，如 A 40）\n"
    "和可选的挡块。以制表符或空格分隔，空字段或 - 为不给，# 开头为注释。\n"
    "同一个力通过各组；未到挡块的组取 --force 所求的变形量，到挡块的组不再\n"
    "变形；行程 s 为各组变形量之和。与 --curve N 同用：按力分 N 步输出特性\n"
    "（不读输入），每组到挡块处多一行，给出到该点的刚度和之后的刚度\n"
    "R_stack+；否则每行一或两个工作点，各为行程 s（--force 时为力）。\n"
    "有 --check 时每行之后多一行“检查”：各组作为单片碟簧在这些工作点的\n"
    "判断（stop：压过 0.75·h0 而没有挡块挡住），载荷按 --static（默认）\n"
    "或 --dynamic，疲劳线见 --fatigue。\n"
    "各组相同时与 --curve N --series i --parallel n 的输出逐字节相同。\n"
    "\n"
    "摩擦 (--friction w_M,w_R): 按 DIN 2092，并联片间的摩擦系数 w_M 和承载边缘的摩擦系数 w_R\n"
    "（各为 0 到 0.2）。多两列：加载时的力 F_load = n·F ÷ (1 - w_M·(n - 1) - w_R) 和卸载时的力\n"
    "F_unload = n·F ÷ (1 + w_M·(n - 1) + w_R)（没有 --parallel 时 n = 1）。\n"
    "\n"
    "支承面 (--flats): 带支承面并减薄的碟簧（DIN 2093 第 3 组，t > 6 mm）。每行是 "
    "D、d、t、t′、H、f\n"
    "（--curve 时为 D、d、t、t′、H 和可选的 f_end，省略时为 h0′ = H - t′），t′ 是减薄后的厚度，\n"
    "0 < t′ ≤ t。按 DIN 2092 用系数 K4 计算；碟簧组的自由长度用 t′。\n"
    "\n"
    "材料 (--material E,μ[,Rm]): 弹性模量 E（MPa）、泊松比 μ 和可选的抗拉强度 Rm（MPa），\n"
    "代替弹簧钢的 206000、0.3 和 1600。不给 Rm 时，E 和 μ 与某种列出的材料相同则用它的 Rm，\n"
    "否则不判断强度（检查代号 Rm?）。列出的材料（E、μ、Rm）：\n"
    "{materials}"
    "\n"
    "多列的次序：结果、刚度、碟簧组三列、碟簧组刚度、摩擦两列，最后是设计检查。\n"
    "\n"
    "设计文件 (--design 文件.dspring …): 读 disc-spring-curve 保存的设计文件。对每个文件输出特性\n"
    "曲线窗口中“复制表格”所复制的内容：特性表（先是列名一行，每点一行），有工作点时空一行，\n"
    "接着是工作点表；然后是一行\n"
    "  检查 <TAB> 代号,代号…\n"
    "与窗口和浏览器版的“设计检查”一一对应。代号有：read:键（该输入的文字只读了一部分，键是设计\n"
    "文件中的键）、options（选项不能用）、下面设计检查的代号、K:f>h0、K:f>0.75h0（工作点 K 超过\n"
    "压平位置、超过 0.75·h0）、K:f<0.15h0（动载时两个工作点中较低的一个预压不到 0.15·h0）、\n"
    "K:sOM>Rm（较高的工作点 K 处 σom 超过 Rm）、K:ERROR（工作点 K 没有结果）、ERROR（特性曲线\n"
    "上有点没有结果）、动载时的疲劳代号（见 --fatigue）。最后是签字用的记录，每行一项：名称\n"
    "<TAB> 数值（不适用时为空）：组、L_t(mm)、F_t(N)、F_t+(%)、F_t−(%)（单片在试验长度\n"
    "H − 0.75·h0 处的试验力及其 DIN 2093 公差）、σOM_t(MPa)、σOM_t/Rm（试验变形处）、\n"
    "压平长度(mm)、间隙 De(mm)、间隙 Di(mm)（厂家推荐的导向间隙）、动载时的疲劳点、\n"
    "σO,perm(MPa)、余量(MPa)，L1(mm)、L2(mm)（各工作点的长度），动载时的 σU(MPa)、σO(MPa)。\n"
    "载荷（静载或动载）按设计文件；--static 或 --dynamic 时一律按它判断（第 4 版以前的文件没有\n"
    "载荷，有两个工作点时按动载读）。可与 --static、--dynamic、--fatigue 同用，不与其他选项同用。\n"
    "有文件不能读或不是设计文件时什么也不输出，退出状态为 2；设计中的疲劳线不能用时在标准错误\n"
    "中说明，退出状态为 1。\n"
    "\n"
    "选型 (--select): 每行是一个要求：安装孔直径、导杆直径（没有导杆时为 0 或空白）、s1、F1，\n"
    "可选再加 s2、F2（mm 与 N；s 是碟簧组的行程，F 是碟簧组的力 n × F，不计摩擦）。在 DIN 2093\n"
    "的碟簧（程序内附 data/din2093.tsv 的 64 种）的各种串并联组合中找出在每个工作点都满足要求\n"
    "的，并另外设计特制碟簧（材料的 Rm 未知时不设计）。先是一行列名；每个候选一行，以行号开头：\n"
    "类别、碟簧、D、d、t、t′、H、i、n、每个工作点的 s、F、L（给定的量按所要求的数显示），较高\n"
    "工作点的 σOM/Rm（不知道 Rm 时为 σOM），--dynamic 时决定寿命的一点的 σU、σO，L0、质量（g）、\n"
    "检查代号和尺寸来源，然后是与 --design 相同的记录各列（间隙为所采用的）；有 --friction 时\n"
    "每个工作点多加载、卸载两列。先列 DIN 2093 的，再列特制的；各自按片数最少、σOM/Rm 最低、\n"
    "碟簧组最短排列。候选碟簧的外径 D 加上按 D 查表的间隙装得进安装孔，内径 d 减去按 d 查表的\n"
    "间隙套得上导杆（按显示的数值比较）；工作点在公差内（力是不计摩擦的 n × F；给定的力在\n"
    "0.75·h0 之外一点、而 0.75·h0 处的力在公差内时，取 0.75·h0 处）；不超过 0.75·h0；在试验\n"
    "变形 0.75·h0 时 σOM 不超过 Rm；不超过最大长度；不比 3·D 长（除非 --long-stacks）；动载时\n"
    "较低的工作点预压不少于 0.15·h0；有摩擦时不自锁、不接近自锁：设计检查在它的工作点和试验\n"
    "变形处什么也找不到。特制碟簧：D 取放得下的最大值或其 0.8、0.63、0.5 倍，d 取套得上导杆的\n"
    "最小值或 D/2（到 0.1 mm），t 取标准带材厚度，H 取整到 0.05 mm 且 h0/t 在 0.4 到 1.3 之间，\n"
    "在设计范围内；同 D、d、t 和组合只列最接近要求的一个 H。没有候选的行输出\n"
    "  行号 <TAB> ERROR <TAB> 原因\n"
    "原因中的最大值、最小值是搜索过的全部碟簧和组合（DIN 2093 的与特制的，在上限以内）中\n"
    "可用的那些能达到的值；都不可用时列出排除它们的原因。动载（--dynamic）要给两个工作点。\n"
    "\n"
    "设计检查 (--check): 每行最后多一列，列出检查结果的代号，用逗号分隔，没有时为空。先是\n"
    "只读了一部分的输入，如 read:t（文字 \"2,25\" 只读到 2），read:F 是 --force 的力；然后是：\n"
    "{checks}"
    "h0、0.75·h0、各比值和 σom 按显示的数值（15 位有效数字）与界限比较。检查只作提示，不改变\n"
    "结果，也不中断计算。\n"
    "\n"
    "模型的界限：名义应力，不计预压和喷丸产生的残余应力；摩擦只按上面的 DIN 关系式。\n"
    "\n"
    "脚本用 (--comments, --id): --comments 时空行和以 # 开头的行不输出（仍计入行号）；--id 时\n"
    "每行第一个字段是它的标识（不含制表符的任意文字），该行的每个输出行都以它开头，列名行以\n"
    "ID 开头；其余字段照常读取。两者可用于除 --design 外的各种方式，不给时输出不变。\n"
    "\n"
    "语言 (--lang zh|en): 列名、消息和句子的语言：zh（默认）或 en。数值和检查代号在两种语言中\n"
    "逐字节相同；环境的区域设置从不改变输出（脚本要读它）。\n"
    "\n"
    "退出状态: 0 所有行都算出结果；1 有行出错（--select：有行不是能查的要求）；2 参数不能用或\n"
    "文件不能读（见标准错误）；3 --select 时每行都能查，但有行没有满足要求的碟簧。\n"
    "\n"
    "选项:\n"
    "  --curve N            特性曲线，N 为 1 到 100000 的整数\n"
    "  --force              由力求变形量\n"
    "  --rate               刚度 dF/df\n"
    "  --sigma4             外缘上侧的应力 σIV\n"
    "  --series i           串联组数，1 到 100000，默认 1\n"
    "  --parallel n         每组并联片数，1 到 100000，默认 1\n"
    "  --friction w_M,w_R   摩擦系数，各为 0 到 0.2\n"
    "  --stack 文件         渐进碟簧组：各组不同的片数、碟簧和挡块\n"
    "  --flats              带支承面的碟簧，每行多一个字段 t′\n"
    "  --material E,μ[,Rm]  材料，默认 206000,0.3,1600\n"
    "  --check              设计检查\n"
    "  --design             读设计文件（.dspring），每个文件输出特性表、工作点、检查代号和记录\n"
    "  --static, --dynamic  与 --design 或 --stack 同用：按静载或动载判断；\n"
    "                       与 --select 同用：--dynamic 为动载，较低的工作点要\n"
    "                       预压到 0.15·h0，在 II、III 两点判断疲劳\n"
    "  --fatigue 文件       与 --design、--select --dynamic 或 --stack --dynamic\n"
    "                       同用：按这些疲劳线在 II、III 两点判断两工作点间的\n"
    "                       载荷循环（代替设计文件中的线），以寿命较短的一点\n"
    "                       为准；检查代号 fatigue:N 为满足的最大次数（none：能判断的都不满足；\n"
    "                       ?：没有线包含该厚度组的 σU；lines：线有误，未采用）。\n"
    "                       文件每行：组别、N、σU1、σO1、σU2、σO2、来源，以制表符（或手工输入时\n"
    "                       以空格）分隔，# 开头为注释；同组的线不得交叉；线由使用者从所持标准或\n"
    "                       手册的疲劳图读出，本程序不带任何疲劳线\n"
    "  --select             选型：每行一个要求（见上）\n"
    "  --best K             DIN 2093 候选最多 K 个，1 到 100，默认 5\n"
    "  --special K          特制碟簧个数，0 到 20，默认 3\n"
    "  --given s|F          s：给定行程，力在公差内（默认）；F：给定力，行程在公差内\n"
    "  --tolerance P        公差（%），0 到 50，默认 5\n"
    "  --clearance C        碟簧与导向件之间的间隙（mm），默认按厂家推荐的表\n"
    "  --max-length L       碟簧组在下工作点的最大长度（mm）\n"
    "  --max-series i       最多串联组数，1 到 100，默认 30\n"
    "  --max-parallel n     每组最多并联片数，1 到 100，默认 3\n"
    "  --life N             动载时要求的次数，与 --dynamic、--fatigue 同用：只留在 II、III\n"
    "                       两点都按疲劳线至少 N 次的候选\n"
    "  --long-stacks        也列出自由长度超过 3·D 的碟簧组（厂家建议分段导向）\n"
    "  --comments           空行和以 # 开头的行不输出\n"
    "  --id                 每行第一个字段是标识，输出行以它开头\n"
    "  --lang zh|en         列名、消息和句子的语言，默认 zh\n"
    "  -h, --help           显示本说明\n"
    "  --                   其后的参数都是文件名\n");

std::string Help(rows::Language language) {
    std::string checks;
    for (int i = 0; i < calc::kFindingCount; ++i) {
        const auto finding = static_cast<calc::Finding>(i);
        std::string code(rows::FindingCode(finding));
        code.resize(std::max<std::size_t>(code.size(), 10), ' ');
        checks +=
            rows::Say(language, rows::P("help-finding", "  {code}{meaning}"),
                      {{"code", code}, {"meaning", rows::FindingMeaning(finding, language)}}) +
            "\n";
    }
    std::string materials;
    for (std::size_t k = 0; k < calc::kMaterials.size(); ++k) {
        const calc::Material& m = calc::kMaterials[k].material;
        materials += rows::Say(language, rows::P("help-material", "  {name}：{E}、{mu}、{Rm}"),
                               {{"name", rows::MaterialName(k, language)},
                                {"E", runtime::NumberToText(m.E).view()},
                                {"mu", runtime::NumberToText(m.mu).view()},
                                {"Rm", runtime::NumberToText(*m.Rm).view()}}) +
                     "\n";
    }
    return rows::Say(language, kHelp, {{"checks", checks}, {"materials", materials}});
}

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kFlushAt = 1 << 20;

void Complain(const std::string& what) {
    std::fprintf(stderr, "disc-spring-batch: %s\n", what.c_str());
}

// The language of the messages: --lang's, known only once the arguments are read.
rows::Language language = rows::Language::kChinese;

std::string Say(const rows::Phrase& phrase, rows::Values values = {}) {
    return rows::Say(language, phrase, values);
}

void ComplainWriteFailed() {
    Complain(Say(rows::P("write-failed", "写入标准输出失败")));
}

// Writes the answers gathered so far all the way out; false if standard output failed.
bool Flush(std::string& out) {
    const bool ok =
        std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0;
    out.clear();
    return ok;
}

// Reads at most a chunk: Windows' read() counts in unsigned int, POSIX's in size_t, and a
// chunk fits both.
ssize_t ReadChunk(int fd, std::vector<char>& chunk) {
    static_assert(kChunk <= 0xFFFF'FFFFu);
    return read(fd, chunk.data(), static_cast<unsigned>(chunk.size()));
}

struct Source {
    std::string name;  // as given, for messages
    int fd;
    bool regular_file;
};

// Reads what a source holds, up to `limit` bytes and one more (so that more is seen); false
// with errno set when it cannot be read.
bool ReadAll(int fd, std::size_t limit, std::string& bytes) {
    std::vector<char> chunk(kChunk);
    for (;;) {
        const ssize_t got = ReadChunk(fd, chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0 || bytes.size() > limit) {
            return true;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

// A named file's bytes, up to `limit` and one more; said on standard error, as the file of
// `what`, when it cannot be read.
std::optional<std::string> ReadNamedFile(const std::string& name, std::size_t limit,
                                         const std::string& what) {
    const int fd = tools::OpenForReading(name);
    std::string bytes;
    const bool got = fd >= 0 && ReadAll(fd, limit, bytes);
    const int error = errno;
    if (fd >= 0) {
        close(fd);
    }
    if (!got) {
        Complain(Say(rows::P("cannot-read-file", "无法读取{what}文件 '{name}': {why}"),
                     {{"what", what}, {"name", name}, {"why", std::strerror(error)}}));
        return std::nullopt;
    }
    return bytes;
}

// --fatigue: the line set, read whole and checked before anything is answered. Its text goes
// into each design as if typed there; its lines into the selection's requirement.
std::optional<std::string> ReadFatigueFile(const std::string& name,
                                           std::vector<calc::FatigueLine>& lines) {
    const auto bytes = ReadNamedFile(name, calc::kMaxFatigueFileBytes,
                                     Say(rows::P("what-fatigue-lines", "疲劳线")));
    if (!bytes) {
        return std::nullopt;
    }
    const auto text = calc::FatigueFileText(*bytes);
    if (!text) {
        Complain(rows::FatigueFileProblemText(text.error(), name, language));
        return std::nullopt;
    }
    auto read = calc::ReadFatigueLines(*text);
    if (!read) {
        Complain(
            Say(rows::P("fatigue-file-unusable", "疲劳线文件 '{name}' 不能用：{why}"),
                {{"name", name}, {"why", rows::FatigueLinesProblemText(read.error(), language)}}));
        return std::nullopt;
    }
    lines = std::move(*read);
    return std::string(*text);
}

// --stack: the stack read whole and checked before anything is answered; with --curve its
// characteristic is the whole answer (the exit status), else its points come from the input.
std::optional<int> ReadStackFile(const std::string& name, std::optional<calc::Load> load,
                                 batch::BatchOptions& options) {
    const auto bytes =
        ReadNamedFile(name, batch::kMaxStackFileBytes, Say(rows::P("what-stack", "碟簧组")));
    if (!bytes) {
        return 2;
    }
    auto column = batch::ReadStack(*bytes, options);
    if (!column) {
        Complain(Say(rows::P("stack-file-unusable", "碟簧组文件 '{name}' 不能用：{why}"),
                     {{"name", name}, {"why", column.error()}}));
        return 2;
    }
    if (options.curve_steps == 0) {
        options.column = std::move(*column);
        options.load = load.value_or(calc::Load::kStatic);
        return std::nullopt;
    }
    std::string out;
    bool write_failed = false;
    const bool computed = batch::AnswerStackCurve(
        *column, options, out,
        [&write_failed](std::string& answers) { write_failed = !Flush(answers) || write_failed; });
    if (!Flush(out) || write_failed) {
        ComplainWriteFailed();
        return 2;
    }
    return computed ? 0 : 1;
}

// --design: every file is read and understood before any is answered.
int AnswerDesigns(const std::vector<Source>& sources,
                  const std::optional<std::string>& fatigue_lines, std::optional<calc::Load> load) {
    std::vector<design::DesignTexts> designs;
    for (const Source& source : sources) {
        std::string bytes;
        if (!ReadAll(source.fd, design::kMaxDesignFileBytes, bytes)) {
            Complain(Say(rows::P("read-failed", "读取{source}时出错: {why}"),
                         {{"source", source.name}, {"why", std::strerror(errno)}}));
            return 2;
        }
        auto texts = design::DesignFromJson(bytes);
        if (!texts) {
            Complain(Say(rows::P("design-file-unusable", "设计文件 {source} 不能用：{why}"),
                         {{"source", source.name},
                          {"why", design::DesignFileProblemText(texts.error(), language)}}));
            return 2;
        }
        if (fatigue_lines) {
            texts->fatigue_lines = *fatigue_lines;
        }
        if (load) {
            texts->load = *load;
        }
        designs.push_back(std::move(*texts));
    }
    std::string out;
    bool all_computed = true;
    for (std::size_t k = 0; k < designs.size(); ++k) {
        const batch::DesignOutcome outcome = batch::AnswerDesign(designs[k], out, language);
        all_computed = outcome.computed && all_computed;
        if (!Flush(out)) {
            ComplainWriteFailed();
            return 2;
        }
        if (!outcome.lines_problem.empty()) {
            Complain(Say(
                rows::P("design-lines-unusable", "设计文件 {source} 的疲劳线不能用，未采用：{why}"),
                {{"source", sources[k].name}, {"why", outcome.lines_problem}}));
        }
    }
    return all_computed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    tools::PrepareStandardStreams();
    const auto arguments = batch::ParseBatchArguments({argv + 1, argv + argc});
    if (!arguments) {
        Complain(arguments.error());
        return 2;
    }
    language = arguments->options.language;
    if (arguments->help) {
        std::string help = Help(language);
        if (!Flush(help)) {
            ComplainWriteFailed();
            return 2;
        }
        return 0;
    }
    batch::BatchOptions options = arguments->options;
    const std::vector<std::string>& names = arguments->files;
    std::optional<std::string> fatigue_lines;
    if (!arguments->fatigue_file.empty()) {
        std::vector<calc::FatigueLine> lines;
        if (!(fatigue_lines = ReadFatigueFile(arguments->fatigue_file, lines))) {
            return 2;
        }
        if (options.select) {
            options.select->base.fatigue_lines = std::move(lines);
        } else {
            options.lines = std::move(lines);
        }
    }

    if (!arguments->stack_file.empty()) {
        if (auto answered = ReadStackFile(arguments->stack_file, arguments->load, options)) {
            return *answered;
        }
    }

    // Every file is opened before any line is answered, so a typo in the last name does not
    // leave half an output behind.
    std::vector<Source> sources;
    for (const std::string& name : names) {
        const bool is_stdin = name == "-";
        const int fd = is_stdin ? STDIN_FILENO : tools::OpenForReading(name);
        struct stat info {};
        const int error = fd < 0 ? errno : (fstat(fd, &info) != 0 ? errno : 0);
        if (error != 0 || S_ISDIR(info.st_mode)) {
            const std::string source =
                is_stdin ? Say(rows::P("standard-input", "标准输入"))
                         : Say(rows::P("named-file", "文件 '{name}'"), {{"name", name}});
            Complain(
                Say(rows::P("cannot-read-source", "无法读取{source}: {why}"),
                    {{"source", source}, {"why", std::strerror(error != 0 ? error : EISDIR)}}));
            return 2;
        }
        sources.push_back({is_stdin ? Say(rows::P("standard-input", "标准输入"))
                                    : Say(rows::P("quoted-name", "'{name}'"), {{"name", name}}),
                           fd, S_ISREG(info.st_mode)});
    }
    if (arguments->design) {
        return AnswerDesigns(sources, fatigue_lines, arguments->load);
    }
    if (options.select) {
        if (const std::string refused = rows::SpecialRefused(options.select->base, language);
            !refused.empty()) {
            Complain(refused);
        }
    }

    std::string out;
    out.reserve(kFlushAt + kChunk);
    batch::AppendBatchHeader(options, out);
    std::vector<char> chunk(kChunk);
    bool all_computed = true, nothing_fits = false;
    bool write_failed = false;
    std::int64_t numbering = 0;  // a co-process may run for years
    // A long curve is written out as it goes, so memory does not grow with N.
    auto spill = [&write_failed](std::string& answers) {
        write_failed = !Flush(answers) || write_failed;
    };
    for (const Source& source : sources) {
        batch::BatchStream stream(options, numbering, spill);
        for (;;) {
            const ssize_t got = ReadChunk(source.fd, chunk);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                const int error = errno;
                Flush(out);
                Complain(Say(rows::P("read-failed", "读取{source}时出错: {why}"),
                             {{"source", source.name}, {"why", std::strerror(error)}}));
                return 2;
            }
            if (got == 0) {
                break;
            }
            stream.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)), out);
            // From a pipe or a terminal, answer what has arrived before waiting for more, so
            // that a line typed or sent alone gets its answer at once.
            const bool flush = !source.regular_file || out.size() >= kFlushAt;
            if ((flush && !Flush(out)) || write_failed) {
                ComplainWriteFailed();
                return 2;
            }
        }
        stream.Finish(out);
        all_computed = all_computed && stream.all_computed();
        nothing_fits = nothing_fits || stream.nothing_fits();
        if (source.fd != STDIN_FILENO) {
            close(source.fd);
        }
    }
    if (!Flush(out) || write_failed) {
        ComplainWriteFailed();
        return 2;
    }
    return !all_computed ? 1 : nothing_fits ? 3 : 0;
}
