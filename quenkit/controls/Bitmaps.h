#pragma once

#include "quenkit/controls/ControlsExport.h"

#include <QPixmap>
#include <QSize>
#include <QString>

// Bitmaps by the names the controls and screens give them ("LEFT1_DEF", "CALENDAR",
// "IDB_OPNING"). They are looked up on the Qt search path "bitmaps": this library puts its
// own images there, and a program adds its folders with QDir::addSearchPath("bitmaps", ...).
// For each folder the name is tried as given and in upper case, as an SVG, a PNG and a BMP
// file, in that order.
namespace quenkit {

inline constexpr char kBitmapSearchPrefix[] = "bitmaps";

// The file of the bitmap called name; empty when there is none.
QUENKIT_CONTROLS_EXPORT QString bitmapFile(const QString &name);

// The natural size of an image file (an SVG's own width and height); empty when unreadable.
QUENKIT_CONTROLS_EXPORT QSize imageFileSize(const QString &path);

// The image file drawn at size (its natural size when size is empty) for a device pixel ratio;
// null when unreadable. Results are cached.
QUENKIT_CONTROLS_EXPORT QPixmap imageFilePixmap(const QString &path, QSize size = QSize(),
                                                qreal devicePixelRatio = 1.0);

// The same by bitmap name.
QUENKIT_CONTROLS_EXPORT QSize bitmapSize(const QString &name);
QUENKIT_CONTROLS_EXPORT QPixmap bitmapPixmap(const QString &name, QSize size = QSize(),
                                             qreal devicePixelRatio = 1.0);

}  // namespace quenkit
