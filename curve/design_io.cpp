#include "curve/design_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace curve {
namespace {

constexpr char kFormat[] = "disc-spring-design";
constexpr int kVersion = 1;

struct Field {
    const char* key;
    std::string CurveInputTexts::*text;
};

constexpr Field kFields[] = {
    {"D", &CurveInputTexts::D},
    {"d", &CurveInputTexts::d},
    {"t", &CurveInputTexts::t},
    {"H", &CurveInputTexts::H},
    {"f", &CurveInputTexts::f_end},
    {"i", &CurveInputTexts::series},
    {"n", &CurveInputTexts::parallel},
    {"N", &CurveInputTexts::steps},
    {"t_reduced", &CurveInputTexts::t_reduced},
    {"E", &CurveInputTexts::E},
    {"mu", &CurveInputTexts::mu},
    {"w_M", &CurveInputTexts::w_M},
    {"w_R", &CurveInputTexts::w_R},
};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QByteArray DesignToJson(const CurveInputTexts& inputs) {
    QJsonObject fields;
    for (const Field& field : kFields) {
        fields.insert(QLatin1String(field.key), Text(inputs.*field.text));
    }
    QJsonArray points;
    for (const WorkingPointText& point : inputs.points) {
        points.append(QJsonObject{
            {QStringLiteral("by"),
             point.by == WorkingPointText::By::kForce ? QStringLiteral("F") : QStringLiteral("f")},
            {QStringLiteral("value"), Text(point.value)}});
    }
    fields.insert(QStringLiteral("points"), points);
    const QJsonObject design{{QStringLiteral("format"), QLatin1String(kFormat)},
                             {QStringLiteral("version"), kVersion},
                             {QStringLiteral("inputs"), fields}};
    return QJsonDocument(design).toJson(QJsonDocument::Indented);
}

std::variant<CurveInputTexts, QString> DesignFromJson(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return QStringLiteral("不是碟簧设计文件：JSON 在第 %1 个字节处有误（%2）")
            .arg(error.offset)
            .arg(error.errorString());
    }
    const QJsonObject design = document.object();
    if (design.value(QStringLiteral("format")).toString() != QLatin1String(kFormat)) {
        return QStringLiteral("不是碟簧设计文件：缺少 \"format\": \"%1\"").arg(kFormat);
    }
    const QJsonValue version = design.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 ||
        version.toDouble() != static_cast<int>(version.toDouble())) {
        return QStringLiteral("设计文件的版本号 \"version\" 应为正整数");
    }
    if (version.toInt() > kVersion) {
        return QStringLiteral("这个设计文件由较新的版本（格式 %1）保存，本程序只能读到格式 %2")
            .arg(version.toInt())
            .arg(kVersion);
    }
    const QJsonValue fields = design.value(QStringLiteral("inputs"));
    if (!fields.isObject()) {
        return QStringLiteral("设计文件缺少 \"inputs\"");
    }
    CurveInputTexts inputs;
    for (const Field& field : kFields) {
        const QJsonValue value = fields.toObject().value(QLatin1String(field.key));
        if (!value.isUndefined() && !value.isString()) {
            return QStringLiteral("设计文件中 \"%1\" 的值应为文字，如 \"100\"").arg(field.key);
        }
        inputs.*field.text = value.toString().toStdString();
    }
    const QJsonValue points = fields.toObject().value(QStringLiteral("points"));
    if (!points.isUndefined() && (!points.isArray() || points.toArray().size() > 2)) {
        return QStringLiteral("设计文件中 \"points\" 应为至多两个工作点的列表");
    }
    for (qsizetype k = 0; k < points.toArray().size(); ++k) {
        const QJsonValue point = points.toArray().at(k);
        const QJsonValue by = point.toObject().value(QStringLiteral("by"));
        const QJsonValue value = point.toObject().value(QStringLiteral("value"));
        if (!point.isObject() || (by != QStringLiteral("f") && by != QStringLiteral("F")) ||
            !value.isString()) {
            return QStringLiteral(
                       "设计文件中工作点 %1 应为 {\"by\": \"f\" 或 \"F\", \"value\": 文字}")
                .arg(k + 1);
        }
        inputs.points[static_cast<std::size_t>(k)] = {by == QStringLiteral("F")
                                                          ? WorkingPointText::By::kForce
                                                          : WorkingPointText::By::kDeflection,
                                                      value.toString().toStdString()};
    }
    return inputs;
}

bool SaveDesign(const QString& path, const CurveInputTexts& inputs) {
    QSaveFile file(path);  // all or nothing: a half-written design is never left behind
    return file.open(QIODevice::WriteOnly) && file.write(DesignToJson(inputs)) >= 0 &&
           file.commit();
}

std::variant<CurveInputTexts, QString> OpenDesign(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("无法读取文件 %1：%2").arg(path, file.errorString());
    }
    // A design is a few hundred bytes; anything far larger is not one.
    if (file.size() > (1 << 20)) {
        return QStringLiteral("不是碟簧设计文件：文件太大");
    }
    return DesignFromJson(file.readAll());
}

}  // namespace curve
