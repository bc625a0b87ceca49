// The data sheet of a design, painted on a page and written as a PDF.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

#include "design/sheet.h"

class QPainter;

namespace curve {

/// Paints a design's data sheet on one page of any painter (a PDF, a printer): the spring and
/// its material, the working points, the force at flat, the checks as sentences, the plot (by
/// the same routine as the screen and the saved pictures) and the table at 0, 0.25, 0.5, 0.75
/// and 1 of the way to flat. `page` is the printable area, `font` the face to write in. Long
/// texts wrap, at a word where they can and anywhere where they must, and the whole sheet
/// shrinks until it fits on the page.
void PaintDataSheet(QPainter& painter, const QRectF& page, const design::Sheet& sheet,
                    const QFont& font);

/// Writes the data sheet as a PDF of one A4 page, its Chinese text embedded and selectable;
/// false when the file cannot be written.
bool WriteDataSheet(const QString& path, const design::Sheet& sheet, const QFont& font);

}  // namespace curve
