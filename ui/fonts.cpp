#include "ui/fonts.h"

#include <QStringList>

namespace ui {
namespace {

const QString kSong = QStringLiteral("宋体");
const QString kLi = QStringLiteral("隶书");

}  // namespace

void RegisterFontSubstitutes() {
    QFont::insertSubstitutions(
        kSong, {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                QStringLiteral("AR PL UMing TW"), QStringLiteral("Noto Serif CJK SC"),
                QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(
        kLi,
        {QStringLiteral("LiSu"), QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW"),
         QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC")});
}

QFont FontFor(FontRole role) {
    // 14.25 pt, 15.75 pt and 26.25 pt at 96 DPI.
    QFont font(role == FontRole::kTitle ? kLi : kSong);
    font.setPixelSize(role == FontRole::kBody ? 19 : (role == FontRole::kButton ? 21 : 35));
    font.setWeight(role == FontRole::kBody ? QFont::Normal : QFont::Bold);
    return font;
}

}  // namespace ui
