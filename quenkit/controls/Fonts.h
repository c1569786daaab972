#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QFont>
#include <QString>

class QPainter;

// Fonts by the face names the screens and reports ask for ("ＭＳ ゴシック", "ＭＳ 明朝",
// "HG丸ｺﾞｼｯｸM-PRO", ...). Where such a face is not installed it is replaced by an installed
// Japanese family of the same kind, so no caption ever falls back to a font without kana
// and kanji.
namespace quenkit {

// Style flags of createFont and SetFont.
enum FontStyle : int {
    FontBold = 0x1,
    FontItalic = 0x2,
    FontUnderline = 0x4,
    FontStrikeOut = 0x8,
};

// Registers the replacements for the Japanese faces with QFont. Safe to call more than once;
// every function of this library that creates a font calls it.
QUENKIT_CONTROLS_EXPORT void installFontSubstitutions();

// The families that stand in for face when face itself is not installed (empty for a face we
// know nothing about).
QUENKIT_CONTROLS_EXPORT QStringList fontSubstitutes(const QString &face);

// A font of face with a cell height of height pixels. width is the average character width
// in pixels (half the height is the face's natural width for Japanese faces); 0 keeps the
// natural width. style combines FontStyle flags.
QUENKIT_CONTROLS_EXPORT QFont createFont(const QString &face, int width, int height, int style = 0);

// Selects createFont(face, width, height, style) into painter and returns the font it
// replaced, for DeleteFont.
QUENKIT_CONTROLS_EXPORT QFont SetFont(QPainter &painter, int width, int height, const QString &face,
                                      int style = 0);
// Puts back the font SetFont returned. Always 1.
QUENKIT_CONTROLS_EXPORT int DeleteFont(QPainter &painter, const QFont &previous);

}  // namespace quenkit
