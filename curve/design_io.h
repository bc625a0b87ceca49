#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

#include "curve/curve_inputs.h"

namespace curve {

/// The extension of a design file.
inline constexpr char kDesignSuffix[] = "dspring";

/// A design as a small JSON document: every input of the window as the user typed it, so that
/// opening it gives the very same window, and the format's name and version:
///   {"format": "disc-spring-design", "version": 1,
///    "inputs": {"D": "100", …, "points": [{"by": "f", "value": "1.4"}, {"by": "F", …}]}}
QByteArray DesignToJson(const CurveInputTexts& inputs);

/// Reads a design. A document that is not JSON, not a design, of a newer version, or with a
/// value of the wrong kind gives the reason, in Chinese, instead; inputs it leaves out are blank.
std::variant<CurveInputTexts, QString> DesignFromJson(const QByteArray& json);

/// Writes a design file; false when it cannot be written.
bool SaveDesign(const QString& path, const CurveInputTexts& inputs);

/// Reads a design file, or why it cannot be read.
std::variant<CurveInputTexts, QString> OpenDesign(const QString& path);

}  // namespace curve
