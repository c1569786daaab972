#pragma once

#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

namespace quenkit {
class DMCalendar;
class TAKKU;
}

namespace gallery {

// One window showing every control of the library with sample contents.
class GalleryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit GalleryWindow(QWidget *parent = nullptr);

    // Every text the window shows, with the font it is drawn in, for checking that the
    // installed fonts cover them.
    QList<QPair<QFont, QString>> shownTexts() const;

private:
    QWidget *inputSection();
    QWidget *tabSection();
    QWidget *pickerSection();
    QWidget *buttonSection();
    QWidget *drawingSection();

    quenkit::TAKKU *m_takku = nullptr;
    quenkit::DMCalendar *m_dayPicker = nullptr;
};

}  // namespace gallery
