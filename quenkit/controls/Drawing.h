#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QColor>
#include <QStringView>

class QPainter;

// Drawing helpers shared by the controls, the screens and the printed pages. Coordinates of
// text are the top-left corner of the text cell (not the baseline), as everywhere in the
// program's layouts.
namespace quenkit {

// Draws text with its cell's top-left corner at (x, y) in the painter's pen colour.
QUENKIT_CONTROLS_EXPORT void textOut(QPainter &painter, int x, int y, QStringView text);

// One line from (x1, y1) to (x2, y2) with the painter's pen.
QUENKIT_CONTROLS_EXPORT void Line(QPainter &painter, int x1, int y1, int x2, int y2);

// Decorated text, always drawn without a background. With an outline colour the text sits
// one pixel right and down from (x, y) and is ringed by four copies in that colour; with a
// shadow colour two copies fall one pixel below and one and two pixels to the right. The text
// itself comes last, in the pen colour. An invalid colour means no outline or no shadow. The
// painter's pen and background mode are as before afterwards.
QUENKIT_CONTROLS_EXPORT void OrnamentTextOut(QPainter &painter, int x, int y, QStringView text,
                                             const QColor &outline = QColor(),
                                             const QColor &shadow = QColor());

// Bold-looking text from a regular font: drawn on the painter's background brush at (x, y),
// then once more without background one pixel to the right.
QUENKIT_CONTROLS_EXPORT void BoaldTextOut(QPainter &painter, int x, int y, QStringView text);

}  // namespace quenkit
