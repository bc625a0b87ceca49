// The windows' language: the system's until the user chooses.
#include "curve/words.h"

#include <QLocale>

namespace curve {
namespace {

rows::Language& Current() {
    static rows::Language language = SystemLanguage();
    return language;
}

}  // namespace

rows::Language Language() {
    return Current();
}

void SetLanguage(rows::Language language) {
    Current() = language;
}

rows::Language SystemLanguage() {
    // The first language the user's interface asks for (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
    const QStringList languages = QLocale::system().uiLanguages();
    const QString first = languages.isEmpty() ? QLocale::system().name() : languages.front();
    return rows::LanguageOfTag(first.toStdString());
}

}  // namespace curve
