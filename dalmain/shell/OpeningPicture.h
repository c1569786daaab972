#pragma once

#include <QWidget>

namespace dalmain {

// The picture shown while the program opens its master data: 450 × 450 pixels in the middle
// of the screen, faded in, and removed when the main window first paints.
class OpeningPicture : public QWidget
{
    Q_OBJECT
public:
    explicit OpeningPicture(QWidget *parent = nullptr);

    // Shows the picture and fades it in through the opacities 0, 40, 80 ... 240 and 255 (of
    // 255), waiting stepMilliseconds between steps; 0 shows it at once.
    void showFading(int stepMilliseconds);
};

}  // namespace dalmain
