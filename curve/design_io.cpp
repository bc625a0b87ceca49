// Reading and writing design files for the window.
#include "curve/design_io.h"

#include <QFile>
#include <QSaveFile>

#include "curve/words.h"
#include "design/design_file.h"

namespace curve {

bool SaveDesignFile(const QString& path, const design::DesignTexts& texts) {
    const std::string json = design::DesignToJson(texts);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(json.data(), static_cast<qint64>(json.size())) ==
               static_cast<qint64>(json.size()) &&
           file.commit();
}

runtime::Expected<design::DesignTexts, QString> OpenDesignFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Say(design::Word::kCannotRead, {{"path", path}, {"why", file.errorString()}});
    }
    // One byte past the limit tells a file that is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(design::kMaxDesignFileBytes) + 1);
    auto texts = design::DesignFromJson(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!texts) {
        return QString::fromStdString(design::DesignFileProblemText(texts.error(), Language()));
    }
    return std::move(*texts);
}

}  // namespace curve
