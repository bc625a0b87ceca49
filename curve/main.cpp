// disc-spring-curve: the characteristic of a disc spring, plotted and tabulated.

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "curve/curve_window.h"
#include "curve/design_io.h"
#include "qtapp/application.h"

namespace {

constexpr std::string_view kUsage =
    "用法: disc-spring-curve [D d t H [f] | 设计文件.dspring]\n"
    "\n"
    "碟形弹簧特性曲线：画出并列出碟簧或碟簧组从自由状态到压平的力和应力，给出工作点，\n"
    "并作设计检查。不带参数时打开示例弹簧 D = 100, d = 51, t = 3.5, H = 6.3。\n"
    "\n"
    "  D d t H [f]       外径、内径、厚度、自由高度（mm）和可选的曲线终点 f（省略时为\n"
    "                    h0 = H - t），按计算器输入框的规则读取，如 3.5 或 2.06E5\n"
    "  设计文件.dspring  打开用“保存设计”或“另存为…”保存的设计（全部输入、材料、工作点）；\n"
    "                    disc-spring-batch --design 可以不开窗口检查设计文件\n"
    "  -h, --help        显示本说明\n"
    "\n"
    "退出状态: 0 正常关闭窗口；2 参数不能用、设计文件不能读或没有可以打开窗口的显示。\n";

int Refuse(const char* why) {
    std::fprintf(stderr, "disc-spring-curve: %s（用 --help 查看用法）\n", why);
    return 2;
}

// A negative number is a text for a box, not an option.
bool IsOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.';
}

}  // namespace

int main(int argc, char** argv) {
    // Read before any window exists, so that --help and a refusal need no display.
    QStringList spring;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!options_done && (arg == "-h" || arg == "--help")) {
            const bool written =
                std::fwrite(kUsage.data(), 1, kUsage.size(), stdout) == kUsage.size() &&
                std::fflush(stdout) == 0;
            return written ? 0 : Refuse("写入标准输出失败");
        }
        if (!options_done && arg == "--") {
            options_done = true;
            continue;
        }
        if (!options_done && IsOption(arg)) {
            const std::string why = "未知选项 '" + std::string(arg) + "'";
            return Refuse(why.c_str());
        }
        spring << QString::fromLocal8Bit(argv[i]);
    }
    design::DesignTexts inputs = design::DefaultTexts();
    if (spring.size() == 1 && spring[0].endsWith(QStringLiteral(".dspring"), Qt::CaseInsensitive)) {
        const auto design = curve::OpenDesignFile(spring[0]);
        if (!design) {
            return Refuse(design.error().toStdString().c_str());
        }
        inputs = *design;
    } else if (spring.size() == 4 || spring.size() == 5) {
        std::string* fields[] = {&inputs.D, &inputs.d, &inputs.t, &inputs.H, &inputs.f_end};
        for (qsizetype i = 0; i < spring.size(); ++i) {
            *fields[i] = spring[i].toStdString();
        }
    } else if (!spring.isEmpty()) {
        return Refuse("需要 D d t H 四个数值（或再加曲线终点 f），或一个 .dspring 设计文件");
    }
    if (!qtapp::HasDisplay()) {
        return qtapp::RefuseWithoutDisplay("disc-spring-curve");
    }
    // The window takes none of Qt's own options: what is not ours is refused above.
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    qtapp::ConfigureApplication(app, QStringLiteral("disc-spring-curve"));
    curve::CurveWindow window(inputs);
    if (spring.size() == 1) {
        window.setDesignFile(spring[0]);  // read above: the title names it, 保存设计 writes it
    }
    window.show();
    return QApplication::exec();
}
