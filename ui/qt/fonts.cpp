#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace ui::qt {
namespace {

// The face itself first, then what stands in for it on Linux. Naming the installed face
// directly spares Qt a font-database miss and fallback search per role, about a millisecond of
// start-up.
QString FirstInstalled(std::initializer_list<const char*> faces) {
    for (const char* face : faces) {
        if (QFontDatabase::hasFamily(QString::fromUtf8(face))) {
            return QString::fromUtf8(face);
        }
    }
    return QString::fromUtf8(*faces.begin());
}

}  // namespace

QFont FontFor(FontRole role) {
    static const QString song =
        FirstInstalled({"宋体", "SimSun", "AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC",
                        "WenQuanYi Zen Hei"});
    static const QString li = FirstInstalled({"隶书", "LiSu", "AR PL UKai CN", "AR PL UKai TW",
                                              "WenQuanYi Zen Hei", "Noto Serif CJK SC"});
    // 14.25 pt, 15.75 pt and 26.25 pt at 96 DPI.
    QFont font(role == FontRole::kTitle ? li : song);
    font.setPixelSize(role == FontRole::kBody ? 19 : (role == FontRole::kButton ? 21 : 35));
    font.setWeight(role == FontRole::kBody ? QFont::Normal : QFont::Bold);
    return font;
}

}  // namespace ui::qt
