// Resolving the window's Windows faces on Linux, once each.
#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <string_view>

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
        FirstInstalled({FontOf(FontRole::kBody).face, "SimSun", "AR PL UMing CN", "AR PL UMing TW",
                        "Noto Serif CJK SC", "WenQuanYi Zen Hei"});
    static const QString li =
        FirstInstalled({FontOf(FontRole::kTitle).face, "LiSu", "AR PL UKai CN", "AR PL UKai TW",
                        "WenQuanYi Zen Hei", "Noto Serif CJK SC"});
    static_assert(std::string_view(FontOf(FontRole::kButton).face) == FontOf(FontRole::kBody).face);
    QFont font(role == FontRole::kTitle ? li : song);
    font.setPixelSize(FontPixels(role));
    font.setWeight(static_cast<QFont::Weight>(FontOf(role).weight));  // Qt's weights are CSS's
    return font;
}

}  // namespace ui::qt
