// disc-spring-curve: the characteristic of a disc spring, plotted and tabulated.

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "curve/curve_window.h"
#include "curve/design_io.h"
#include "curve/words.h"
#include "design/face_words.h"
#include "qtapp/application.h"

namespace {

using design::Word;

int Refuse(std::string_view why) {
    const std::string said = design::Fill(Word::kCurveRefused, curve::Language(), {{"why", why}});
    std::fputs(said.c_str(), stderr);
    return 2;
}

// A negative number is a text for a box, not an option.
bool IsOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.';
}

// --lang zh|en, wherever it stands before "--": the language of the usage, the refusals and
// the windows. False when its value is none of them.
bool ReadLanguage(int argc, char** argv) {
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
        if (std::string_view(argv[i]) == "--lang") {
            const std::string_view tag = i + 1 < argc ? argv[++i] : "";
            if (tag != "zh" && tag != "en") {
                return false;
            }
            curve::SetLanguage(rows::LanguageOfTag(tag));
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Read before any window exists, so that --help and a refusal need no display.
    if (!ReadLanguage(argc, argv)) {
        return Refuse(design::Said(Word::kLanguageValues, curve::Language()));
    }
    QStringList spring;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!options_done && (arg == "-h" || arg == "--help")) {
            const std::string_view usage = design::Said(Word::kCurveUsage, curve::Language());
            const bool written =
                std::fwrite(usage.data(), 1, usage.size(), stdout) == usage.size() &&
                std::fflush(stdout) == 0;
            return written ? 0 : Refuse(design::Said(Word::kWriteFailed, curve::Language()));
        }
        if (!options_done && arg == "--") {
            options_done = true;
            continue;
        }
        if (!options_done && arg == "--lang") {
            ++i;  // read above
            continue;
        }
        if (!options_done && IsOption(arg)) {
            return Refuse(design::Fill(Word::kUnknownOption, curve::Language(), {{"option", arg}}));
        }
        spring << QString::fromLocal8Bit(argv[i]);
    }
    design::DesignTexts inputs = design::DefaultTexts();
    if (spring.size() == 1 && spring[0].endsWith(QStringLiteral(".dspring"), Qt::CaseInsensitive)) {
        const auto design = curve::OpenDesignFile(spring[0]);
        if (!design) {
            return Refuse(design.error().toStdString());
        }
        inputs = *design;
    } else if (spring.size() == 4 || spring.size() == 5) {
        std::string* fields[] = {&inputs.D, &inputs.d, &inputs.t, &inputs.H, &inputs.f_end};
        for (qsizetype i = 0; i < spring.size(); ++i) {
            *fields[i] = spring[i].toStdString();
        }
    } else if (!spring.isEmpty()) {
        return Refuse(design::Said(Word::kCurveArguments, curve::Language()));
    }
    if (!qtapp::HasDisplay()) {
        const std::string why(design::Said(Word::kNoDisplay, curve::Language()));
        return qtapp::RefuseWithoutDisplay("disc-spring-curve", why.c_str());
    }
    // The window takes none of Qt's own options: what is not ours is refused above.
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    qtapp::ConfigureApplication(app, QStringLiteral("disc-spring-curve"),
                                curve::Language() == rows::Language::kChinese);
    curve::CurveWindow window(inputs);
    if (spring.size() == 1) {
        window.setDesignFile(spring[0]);  // read above: the title names it, Save design writes it
    }
    window.show();
    return QApplication::exec();
}
